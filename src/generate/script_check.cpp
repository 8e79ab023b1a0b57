#include "generate/script_check.h"

#include <private/qqmljsengine_p.h>
#include <private/qqmljslexer_p.h>
#include <private/qqmljsparser_p.h>

#include <QJSEngine>
#include <QJSValue>

#include "generate/script_scan.h"

namespace vorlane {
namespace {

// The parser names tokens in its own way: `numeric literal' where any value
// would do, `identifier' for a name. Said in the words a game maker uses.
std::string Reworded(std::string message) {
  static const std::pair<std::string_view, std::string_view> kWords[] = {
      {"Expected token `numeric literal'", "Expected a value"},
      {"Expected token `identifier'", "Expected a name"},
      {"Unexpected token `identifier'", "Unexpected name"},
      {"Unexpected token `numeric literal'", "Unexpected number"},
      {"Unexpected token `string literal'", "Unexpected string"},
  };
  for (const auto& [theirs, ours] : kWords)
    if (message == theirs) return std::string(ours);
  // "Expected token `)'" -> "Expected ')'"
  for (const std::string_view lead : {"Expected token `", "Unexpected token `"}) {
    if (message.rfind(lead, 0) == 0 && message.size() > lead.size() && message.back() == '\'') {
      const std::string token = message.substr(lead.size(), message.size() - lead.size() - 1);
      return std::string(lead.substr(0, lead.find(' '))) + " '" + token + "'";
    }
  }
  return message;
}

}  // namespace

ScriptChecker::ScriptChecker() = default;
ScriptChecker::~ScriptChecker() = default;

std::optional<SyntaxError> ScriptChecker::Check(std::string_view code, std::string_view params) {
  const QString body = QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
  const QString list = QString::fromUtf8(params.data(), static_cast<qsizetype>(params.size()));
  // Qt's JavaScript parser on its own: it builds no code, so nothing of the
  // script can run, and it is several times faster than compiling.
  const QString program = "(function(" + list + "\n){\n" + body + "\n})";
  QQmlJS::Engine memory;
  QQmlJS::Lexer lexer(&memory);
  lexer.setCode(program, 1, /*qmlMode=*/false);
  QQmlJS::Parser parser(&memory);
  if (parser.parseProgram()) {
    const auto bracket = UnbalancedBracket(code);
    if (!bracket && !UnbalancedBracket(params)) return std::nullopt;
    // The whole parsed, yet the script may close the function early, as
    // `}); (function(){` does. The Function constructor takes the
    // parameters and the body each on their own, and runs neither.
    if (!engine_) engine_ = std::make_unique<QJSEngine>();
    QJSValue function = engine_->globalObject().property("Function");
    if (!function.callAsConstructor({QJSValue(list), QJSValue(body)}).isError())
      return std::nullopt;
    if (!bracket) return SyntaxError{1, "Syntax error"};
    return SyntaxError{std::min(bracket->line, ScriptLineCount(code)), bracket->message};
  }
  const auto diagnostics = parser.diagnosticMessages();
  if (diagnostics.isEmpty()) return std::nullopt;  // the parser cannot say why: not trusted
  const int program_line = static_cast<int>(diagnostics.front().loc.startLine);
  const std::string message = diagnostics.front().message.toStdString();
  if (message.rfind("Invalid regular expression flag", 0) == 0) return std::nullopt;
  int line = std::max(1, program_line - 2);
  std::string said = Reworded(message);
  // Past the script's end the parser has met the function's own closing:
  // a bracket of the script is left open or closes too early.
  const int last_line = ScriptLineCount(code);
  if (line > last_line) {
    const auto bracket = UnbalancedBracket(code);
    line = bracket ? std::min(bracket->line, last_line) : last_line;
    if (bracket) said = bracket->message;
  }
  const int newer = FirstNewerSyntaxLine(code);
  if (newer > 0 && newer <= line) return std::nullopt;
  return SyntaxError{line, said};
}

std::vector<ScriptProblem> CheckGameScripts(const Project& project,
                                            const std::vector<Extension>& extensions) {
  ScriptChecker checker;
  std::vector<ScriptProblem> problems;
  for (const GameScript& script : GameScripts(project, extensions)) {
    if (script.code->empty()) continue;
    const std::string_view params = script.params ? std::string_view(*script.params) : "";
    if (auto error = checker.Check(*script.code, params))
      problems.push_back({script.place, std::move(*error)});
  }
  return problems;
}

std::string ProblemLine(const ScriptProblem& problem) {
  return PlaceLineText(problem.place, problem.error.line) + ": " +
         problem.error.message;
}

std::string ScriptProblemsMessage(const std::vector<ScriptProblem>& problems) {
  constexpr size_t kShown = 10;
  std::string text = problems.size() == 1
                         ? "The game was not written: a script has an error."
                         : "The game was not written: " + std::to_string(problems.size()) +
                               " scripts have errors.";
  for (size_t i = 0; i < problems.size() && i < kShown; ++i)
    text += "\n" + ProblemLine(problems[i]);
  if (problems.size() > kShown)
    text += "\n... and " + std::to_string(problems.size() - kShown) + " more.";
  return text;
}

}  // namespace vorlane

// Checks the scripts that go into the game with a real JavaScript parser
// (Qt Qml's), before the game is written, so a broken script is named in
// Vorlane rather than found as a black page in the browser.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generate/script_place.h"

class QJSEngine;

namespace vorlane {

struct SyntaxError {
  int line = 1;         // 1-based, in the script as the user wrote it
  std::string message;  // "Unexpected token ';'"
};

// One parser kept for many checks. Nothing of a checked script ever runs.
class ScriptChecker {
 public:
  ScriptChecker();
  ~ScriptChecker();
  ScriptChecker(const ScriptChecker&) = delete;
  ScriptChecker& operator=(const ScriptChecker&) = delete;

  // The first syntax error of `code` as the body of a function taking
  // `params`; none when it parses, or when the error may come from a newer
  // construct the parser does not know (a valid game is never refused).
  std::optional<SyntaxError> Check(std::string_view code, std::string_view params = {});

 private:
  std::unique_ptr<QJSEngine> engine_;  // made when first needed
};

struct ScriptProblem {
  ScriptPlace place;
  SyntaxError error;
};

// The syntax errors of every script the game is made of, in GameScripts'
// order.
std::vector<ScriptProblem> CheckGameScripts(const Project& project,
                                            const std::vector<Extension>& extensions);

// "obj_wall, Creation event, line 1: Unexpected token ';'"
std::string ProblemLine(const ScriptProblem& problem);
// The message that stops Run game, Export game and vorlane-build: a sentence,
// then one ProblemLine per problem (the first few, and how many more).
std::string ScriptProblemsMessage(const std::vector<ScriptProblem>& problems);

}  // namespace vorlane

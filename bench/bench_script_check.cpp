// Times the syntax check of every script of the large project (6,000
// scripts) as Run game does it before writing the game, and with one broken
// script, which costs a second parse of that script.
#include <QCoreApplication>
#include <cstdio>

#include "generate/script_check.h"
#include "large_project.h"
#include "timing.h"

using namespace vorlane;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Project project = bench::MakeLargeProject(1);
  size_t scripts = 0;
  for (const Script& s : project.scripts) scripts += s.code.empty() ? 0 : 1;
  std::vector<ScriptProblem> problems;
  const double clean = bench::BestOf(5, [&] { problems = CheckGameScripts(project, {}); });
  std::printf("check %zu event scripts (%zu problems): %.1f ms\n", scripts, problems.size(), clean);
  project.scripts[project.scripts.size() / 2].code += "\nx = ;";
  const double broken = bench::BestOf(5, [&] { problems = CheckGameScripts(project, {}); });
  std::printf("with one broken script (%zu problems): %.1f ms\n", problems.size(), broken);
}

#include "app/ui/browser_starts.h"

#include <QProcess>

#include "gui/file_util.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

BrowserStarts::~BrowserStarts() {
  // Only the shells go; the browsers they started stay open.
  for (QProcess* process : findChildren<QProcess*>()) {
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
  }
}

bool BrowserStarts::Start(const std::string& program, const std::string& argument,
                          const std::string& error_file) {
  auto* process = new QProcess(this);
  process->setProgram("/bin/sh");
  // The shell waits for the browser and ends with its status; killing the
  // shell when Vorlane exits leaves the browser running.
  process->setArguments({"-c", "\"$0\" \"$1\" 2>\"$2\"", Q(program), Q(argument), Q(error_file)});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  connect(process, &QProcess::finished, this,
          [this, process, program, error_file](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            if (status == QProcess::NormalExit && code == 0) return;
            std::string text;
            ReadFile(error_file, &text, 64 * 1024);
            const std::string line = text.substr(0, text.find('\n'));
            emit Failed(program,
                        line.empty() ? "it ended with status " + std::to_string(code) : line);
          });
  process->start();
  if (process->waitForStarted(5000)) return true;
  delete process;
  return false;
}

std::string BrowserFailedMessage(const std::string& program, const std::string& first_line) {
  return "The web browser \"" + program + "\" stopped with an error: " + first_line;
}

}  // namespace vorlane

// Starts the web browser without waiting for it, and tells when it ends at
// once with an error (a browser refusing to run as the administrator, a
// broken opener), so the user is not left looking at nothing.
#pragma once

#include <QObject>
#include <string>

namespace vorlane {

class BrowserStarts : public QObject {
  Q_OBJECT

 public:
  explicit BrowserStarts(QObject* parent) : QObject(parent) {}
  ~BrowserStarts() override;

  // Starts `program` with `argument` in a shell of its own, so that the
  // browser outlives Vorlane; false when not even that could start.
  bool Start(const std::string& program, const std::string& argument,
             const std::string& error_file);

 signals:
  // `program` ended with a failure; `first_line` is the first line of what
  // it wrote on its error output, or its exit status.
  void Failed(const std::string& program, const std::string& first_line);
};

// "The web browser \"x-www-browser\" stopped with an error: <line>"
std::string BrowserFailedMessage(const std::string& program, const std::string& first_line);

}  // namespace vorlane

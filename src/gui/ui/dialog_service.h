// Every modal question the program asks goes through one service: message
// boxes, Yes/No questions, file, colour and font requesters, and the
// program's own modal windows. Tests install ScriptedDialogs instead, so no
// test ever waits on a real modal window.
#pragma once

#include <string>

#include "gui/image.h"

class QDialog;
class QWidget;

namespace vorlane {

struct FileRequest {
  std::string title;
  // "PNG Images (*.png)|*.png|All files (*.*)|*.*" (see file_filter.h).
  std::string filter;
  int filter_index = 0;  // the entry selected first
  std::string folder;    // where the requester starts; "" = the current directory
  std::string file;      // the name suggested by a save requester
};

struct FontChoice {
  std::string family = "Arial";
  int size = 12;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class DialogService {
 public:
  virtual ~DialogService() = default;

  // Titles follow the program's convention: "Error", "Warning", "Message",
  // "Confirm" and so on.
  virtual void Message(QWidget* parent, const std::string& title, const std::string& text) = 0;
  // True for Yes.
  virtual bool AskYesNo(QWidget* parent, const std::string& title, const std::string& text) = 0;
  // The chosen path, "" when cancelled.
  virtual std::string OpenFile(QWidget* parent, const FileRequest& request) = 0;
  virtual std::string SaveFile(QWidget* parent, const FileRequest& request) = 0;
  // False when cancelled; `chosen` is then left alone.
  virtual bool ChooseColor(QWidget* parent, Color initial, Color* chosen) = 0;
  virtual bool ChooseFont(QWidget* parent, const FontChoice& initial, FontChoice* chosen) = 0;
  // Runs one of the program's own modal windows and returns its result
  // (QDialog::Accepted or Rejected).
  virtual int Exec(QDialog& dialog) = 0;
};

// The service in use: the desktop's own unless a test installed another.
DialogService& Dialogs();
// Installs `service` (not owned); null brings back the desktop's.
void InstallDialogs(DialogService* service);

}  // namespace vorlane

// A dialog service for tests: every question takes the next queued answer
// instead of opening a window, and everything shown is recorded. A request
// with no fitting answer is answered No / cancelled and noted in problems(),
// so a test that forgot an answer fails instead of hanging.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/ui/dialog_service.h"

namespace vorlane {

class ScriptedDialogs : public DialogService {
 public:
  // Installs itself for its lifetime.
  ScriptedDialogs();
  ~ScriptedDialogs() override;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // Answers, taken in order.
  ScriptedDialogs& AnswerYes();
  ScriptedDialogs& AnswerNo();
  ScriptedDialogs& PickFile(const std::string& path);  // open or save requester
  ScriptedDialogs& PickColor(Color color);
  ScriptedDialogs& PickFont(const FontChoice& font);
  ScriptedDialogs& Cancel();  // a requester or one of our own windows
  // Drives the next modal window of the program: `act` fills in its fields
  // and presses its buttons; Exec then returns the window's result.
  ScriptedDialogs& Drive(std::function<void(QDialog&)> act);

  struct Shown {
    std::string kind;  // "message", "question", "open", "save", "color", "font", "window"
    std::string title;
    std::string text;  // message text, or the requester's filter
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  const std::vector<Shown>& shown() const { return shown_; }
  // Only the message boxes and questions, as "Title: text".
  std::vector<std::string> Boxes() const;
  // Requests that found no fitting answer, and answers never used.
  std::vector<std::string> problems() const;
  void Clear();

  void Message(QWidget* parent, const std::string& title, const std::string& text) override;
  bool AskYesNo(QWidget* parent, const std::string& title, const std::string& text) override;
  std::string OpenFile(QWidget* parent, const FileRequest& request) override;
  std::string SaveFile(QWidget* parent, const FileRequest& request) override;
  bool ChooseColor(QWidget* parent, Color initial, Color* chosen) override;
  bool ChooseFont(QWidget* parent, const FontChoice& initial, FontChoice* chosen) override;
  int Exec(QDialog& dialog) override;

 private:
  enum class Kind { Yes, No, File, Color, Font, Cancel, Drive };
  struct Answer {
    Kind kind;
    std::string path;
    vorlane::Color color;
    FontChoice font;
    std::function<void(QDialog&)> act;
  };
  // The next answer when it is one of `accepted`; otherwise a problem is noted.
  bool Take(std::initializer_list<Kind> accepted, const std::string& request, Answer* answer);

  std::deque<Answer> answers_;
  std::vector<Shown> shown_;
  std::vector<std::string> problems_;
  DialogService* previous_ = nullptr;
};

}  // namespace vorlane

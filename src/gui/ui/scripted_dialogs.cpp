#include "gui/ui/scripted_dialogs.h"

#include <QDialog>

namespace vorlane {

namespace {
DialogService* current_scripted = nullptr;
}  // namespace

ScriptedDialogs::ScriptedDialogs() {
  previous_ = current_scripted;
  current_scripted = this;
  InstallDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
  current_scripted = previous_;
  InstallDialogs(previous_);
}

ScriptedDialogs& ScriptedDialogs::AnswerYes() {
  answers_.push_back({Kind::Yes, {}, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerNo() {
  answers_.push_back({Kind::No, {}, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::PickFile(const std::string& path) {
  answers_.push_back({Kind::File, path, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::PickColor(vorlane::Color color) {
  answers_.push_back({Kind::Color, {}, color, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::PickFont(const FontChoice& font) {
  answers_.push_back({Kind::Font, {}, {}, font, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::Cancel() {
  answers_.push_back({Kind::Cancel, {}, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::Drive(std::function<void(QDialog&)> act) {
  answers_.push_back({Kind::Drive, {}, {}, {}, std::move(act)});
  return *this;
}

std::vector<std::string> ScriptedDialogs::Boxes() const {
  std::vector<std::string> boxes;
  for (const auto& shown : shown_)
    if (shown.kind == "message" || shown.kind == "question")
      boxes.push_back(shown.title + ": " + shown.text);
  return boxes;
}

std::vector<std::string> ScriptedDialogs::problems() const {
  std::vector<std::string> all = problems_;
  for (size_t i = 0; i < answers_.size(); ++i)
    all.push_back("answer " + std::to_string(i + 1) + " of the script was never asked for");
  return all;
}

void ScriptedDialogs::Clear() {
  answers_.clear();
  shown_.clear();
  problems_.clear();
}

bool ScriptedDialogs::Take(std::initializer_list<Kind> accepted, const std::string& request,
                           Answer* answer) {
  if (answers_.empty()) {
    problems_.push_back("no answer queued for " + request);
    return false;
  }
  for (Kind kind : accepted) {
    if (answers_.front().kind != kind) continue;
    *answer = std::move(answers_.front());
    answers_.pop_front();
    return true;
  }
  problems_.push_back("the queued answer does not fit " + request);
  answers_.pop_front();
  return false;
}

void ScriptedDialogs::Message(QWidget*, const std::string& title, const std::string& text) {
  shown_.push_back({"message", title, text});
}

bool ScriptedDialogs::AskYesNo(QWidget*, const std::string& title, const std::string& text) {
  shown_.push_back({"question", title, text});
  Answer answer;
  return Take({Kind::Yes, Kind::No}, "question \"" + text + "\"", &answer) &&
         answer.kind == Kind::Yes;
}

std::string ScriptedDialogs::OpenFile(QWidget*, const FileRequest& request) {
  shown_.push_back({"open", request.title, request.filter});
  Answer answer;
  if (!Take({Kind::File, Kind::Cancel}, "open requester \"" + request.title + "\"", &answer))
    return "";
  return answer.path;
}

std::string ScriptedDialogs::SaveFile(QWidget*, const FileRequest& request) {
  shown_.push_back({"save", request.title, request.filter});
  Answer answer;
  if (!Take({Kind::File, Kind::Cancel}, "save requester \"" + request.title + "\"", &answer))
    return "";
  return answer.path;
}

bool ScriptedDialogs::ChooseColor(QWidget*, vorlane::Color, vorlane::Color* chosen) {
  shown_.push_back({"color", "", ""});
  Answer answer;
  if (!Take({Kind::Color, Kind::Cancel}, "colour requester", &answer) ||
      answer.kind == Kind::Cancel)
    return false;
  *chosen = answer.color;
  return true;
}

bool ScriptedDialogs::ChooseFont(QWidget*, const FontChoice&, FontChoice* chosen) {
  shown_.push_back({"font", "", ""});
  Answer answer;
  if (!Take({Kind::Font, Kind::Cancel}, "font requester", &answer) || answer.kind == Kind::Cancel)
    return false;
  *chosen = answer.font;
  return true;
}

int ScriptedDialogs::Exec(QDialog& dialog) {
  const std::string title = dialog.windowTitle().toStdString();
  shown_.push_back({"window", title, ""});
  Answer answer;
  dialog.setResult(QDialog::Rejected);
  if (!Take({Kind::Drive, Kind::Cancel}, "window \"" + title + "\"", &answer) ||
      answer.kind == Kind::Cancel)
    return QDialog::Rejected;
  answer.act(dialog);
  return dialog.result();
}

}  // namespace vorlane

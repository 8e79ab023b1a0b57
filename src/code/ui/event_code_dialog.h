// The code of one object event: the event type, the other object of a
// collision, and the code, in a resizable code window.
#pragma once

#include "code/ui/code_window.h"

class QComboBox;
class QLineEdit;

namespace vorlane {

class EventCodeDialog : public CodeWindow {
  Q_OBJECT

 public:
  EventCodeDialog(QWidget* parent, Script& script, const Project& project, Preferences& prefs,
                  const KeywordList& keywords);

  QComboBox* eventBox() const { return eventBox_; }
  QLabel* withLabel() const { return withLabel_; }
  // The object list of a "Collision" script, else a free text field.
  QWidget* withControl() const { return withControl_; }
  QString withText() const;

  void accept() override;

 private:
  void OnEventChosen(int index);

  Script& script_;
  QComboBox* eventBox_;
  QLabel* withLabel_;
  QWidget* withControl_;
  QComboBox* objectBox_ = nullptr;
  QLineEdit* parameterField_ = nullptr;
};

// OK stores the event, its "with" parameter and the code in the script; the
// project's modified flag is left to the object editor. True on OK.
bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                   Script& script);
// The same for project.scripts[scriptIndex]; false for an index that names
// no script.
bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                   int scriptIndex);

}  // namespace vorlane

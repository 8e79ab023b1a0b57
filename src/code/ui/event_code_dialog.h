// The code of one object event: the event type, the other object of a
// collision, and the code, in a resizable code window.
#pragma once

#include "code/ui/code_window.h"
#include "generate/script_place.h"

class QComboBox;
class QLineEdit;

namespace vorlane {

// OK refuses a Collision event without the other object.
inline constexpr char kCollisionPartnerMissing[] =
    "A Collision event needs the object it collides with: choose one beside \"with\".";

class EventCodeDialog : public CodeWindow {
  Q_OBJECT

 public:
  EventCodeDialog(QWidget* parent, Script& script, const Project& project, Preferences& prefs,
                  const KeywordList& keywords);

  QLabel* event_label() const { return event_label_; }
  QComboBox* event_box() const { return event_box_; }
  QLabel* with_label() const { return with_label_; }
  // The object list of a "Collision" script, else a free text field.
  QWidget* with_control() const { return with_control_; }
  QString with_text() const;

  void accept() override;

 protected:
  bool HasChanges() const override;

 private:
  void OnEventChosen(int index);

  Script& script_;
  QLabel* event_label_;
  QComboBox* event_box_;
  QLabel* with_label_;
  QWidget* with_control_;
  QComboBox* object_box_ = nullptr;
  QLineEdit* parameter_field_ = nullptr;
};

// OK stores the event, its "with" parameter and the code in the script; the
// project's modified flag is left to the object editor. True on OK. With
// `line` > 0 the dialog opens at that line of the code.
bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs,
                   const KeywordList& keywords, Script& script, CodeSpot spot = {});
// The same for project.scripts[script_index]; false for an index that names
// no script.
bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs,
                   const KeywordList& keywords, int script_index, CodeSpot spot = {});

}  // namespace vorlane

#include "code/ui/event_code_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "code/ui/code_editor.h"
#include "code/ui/event_icons.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

namespace {

std::string TitleOf(const Script& script) {
  const std::string shown =
      EventHasChosenParameter(script.event) && !script.parameter.empty()
          ? " (" + script.parameter + ")"
          : std::string();
  return "Code editor - " + script.event + " event" + shown + " of " + script.object;
}

}  // namespace

EventCodeDialog::EventCodeDialog(QWidget* parent, Script& script, const Project& project,
                                 Preferences& prefs, const KeywordList& keywords)
    : CodeWindow(parent, TitleOf(script), prefs, project, keywords,
                 /*keep_on_not_applicable=*/true),
      script_(script) {
  event_label_ = new QLabel("Event type", this);
  PlaceCaption(event_label_, 10, 15, 55);
  event_box_ = new PictureList(this);
  event_box_->setGeometry(70, 10, 100, 25);
  const std::vector<std::string>& events = EventNames();
  for (size_t i = 0; i < events.size(); ++i) {
    event_box_->addItem(EventIcon(static_cast<int>(i)), Q(events[i]));
  }
  const QString event = Q(script.event);
  // An event this program does not know is kept as it is, not replaced.
  if (event_box_->findText(event) < 0 && !event.isEmpty()) event_box_->addItem(event);
  event_box_->setCurrentIndex(std::max(event_box_->findText(event), 0));

  with_label_ = new QLabel("with", this);
  PlaceCaption(with_label_, 180, 15, 50);
  const QString parameter = Q(script.parameter);
  if (script.event == EventNames()[kCollisionEventIndex]) {
    object_box_ = new PictureList(this);
    object_box_->addItem(QString());
    const auto first_frames = FirstFrameImages(project);
    for (const GameObject& object : project.objects) {
      if (object.prototype != 1) continue;
      const auto found = first_frames.find(object.sprite);
      object_box_->addItem(ObjectIcon(found == first_frames.end() ? nullptr : found->second.get()),
                           Q(object.name));
    }
    int selected = object_box_->findText(parameter);
    // An object that no longer exists stays the stored partner instead of
    // silently becoming none.
    if (selected < 0 && !parameter.isEmpty()) {
      object_box_->addItem(GenericObjectIcon(), parameter);
      selected = object_box_->count() - 1;
    }
    object_box_->setCurrentIndex(std::max(selected, 0));
    with_control_ = object_box_;
  } else {
    parameter_field_ = new QLineEdit(parameter, this);
    with_control_ = parameter_field_;
  }
  with_control_->setGeometry(240, 10, 200, 25);
  OnEventChosen(event_box_->currentIndex());
  connect(event_box_, &QComboBox::currentIndexChanged, this, &EventCodeDialog::OnEventChosen);

  editor()->SetEditorText(script.code, false);
  KeepOpeningText();
  editor()->setFocus();
}

bool EventCodeDialog::HasChanges() const {
  return CodeWindow::HasChanges() || event_box_->currentText().toStdString() != script_.event ||
         with_text().toStdString() != script_.parameter;
}

void EventCodeDialog::OnEventChosen(int index) {
  const bool collision = index == kCollisionEventIndex;
  with_label_->setVisible(collision);
  with_control_->setVisible(collision);
}

QString EventCodeDialog::with_text() const {
  return object_box_ ? object_box_->currentText() : parameter_field_->text();
}

void EventCodeDialog::accept() {
  if (event_box_->currentIndex() == kCollisionEventIndex && with_text().isEmpty()) {
    Dialogs().Message(this, "Error", kCollisionPartnerMissing);
    return;
  }
  script_.event = event_box_->currentText().toStdString();
  script_.parameter = with_text().toStdString();
  script_.code = editor()->GetEditorText();
  CodeWindow::accept();
}

bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs,
                   const KeywordList& keywords, Script& script, CodeSpot spot) {
  EventCodeDialog dialog(parent, script, project, prefs, keywords);
  dialog.editor()->ShowLine(spot);
  return Dialogs().Exec(dialog) == QDialog::Accepted;
}

bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs,
                   const KeywordList& keywords, int script_index, CodeSpot spot) {
  if (script_index < 0 || script_index >= static_cast<int>(project.scripts.size())) return false;
  return EditEventCode(parent, project, prefs, keywords,
                       project.scripts[static_cast<size_t>(script_index)], spot);
}

}  // namespace vorlane

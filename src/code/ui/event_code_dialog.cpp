#include "code/ui/event_code_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "code/ui/code_editor.h"
#include "code/ui/event_icons.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

namespace {

std::string TitleOf(const Script& script) {
  return "Code editor - " + script.event + " event of " + script.object;
}

}  // namespace

EventCodeDialog::EventCodeDialog(QWidget* parent, Script& script, const Project& project,
                                 Preferences& prefs, const KeywordList& keywords)
    : CodeWindow(parent, TitleOf(script), prefs, project, keywords, /*keepOnNotApplicable=*/true),
      script_(script) {
  auto* eventLabel = new QLabel("Event type", this);
  eventLabel->setGeometry(10, 15, 70, 25);
  eventBox_ = new QComboBox(this);
  eventBox_->setGeometry(80, 10, 140, 25);
  const std::vector<std::string>& events = EventNames();
  for (size_t i = 0; i < events.size(); ++i) {
    eventBox_->addItem(EventIcon(static_cast<int>(i)), Q(events[i]));
  }
  const QString event = Q(script.event);
  // An event this program does not know is kept as it is, not replaced.
  if (eventBox_->findText(event) < 0 && !event.isEmpty()) eventBox_->addItem(event);
  eventBox_->setCurrentIndex(std::max(eventBox_->findText(event), 0));

  withLabel_ = new QLabel("with", this);
  withLabel_->setGeometry(230, 15, 40, 25);
  const QString parameter = Q(script.parameter);
  if (script.event == EventNames()[kCollisionEventIndex]) {
    objectBox_ = new QComboBox(this);
    objectBox_->addItem(QString());
    for (const GameObject& object : project.objects) {
      if (object.prototype != 1) continue;
      ImageRef picture = object.image ? object.image : FirstFrameImage(project, object.sprite);
      objectBox_->addItem(ObjectIcon(picture.get()), Q(object.name));
    }
    int selected = objectBox_->findText(parameter);
    // An object that no longer exists stays the stored partner instead of
    // silently becoming none.
    if (selected < 0 && !parameter.isEmpty()) {
      objectBox_->addItem(GenericObjectIcon(), parameter);
      selected = objectBox_->count() - 1;
    }
    objectBox_->setCurrentIndex(std::max(selected, 0));
    withControl_ = objectBox_;
  } else {
    parameterField_ = new QLineEdit(parameter, this);
    withControl_ = parameterField_;
  }
  withControl_->setGeometry(270, 10, 200, 25);
  OnEventChosen(eventBox_->currentIndex());
  connect(eventBox_, &QComboBox::currentIndexChanged, this, &EventCodeDialog::OnEventChosen);

  editor()->SetEditorText(script.code, false);
  editor()->setFocus();
}

void EventCodeDialog::OnEventChosen(int index) {
  const bool collision = index == kCollisionEventIndex;
  withLabel_->setVisible(collision);
  withControl_->setVisible(collision);
}

QString EventCodeDialog::withText() const {
  return objectBox_ ? objectBox_->currentText() : parameterField_->text();
}

void EventCodeDialog::accept() {
  script_.event = eventBox_->currentText().toStdString();
  script_.parameter = withText().toStdString();
  script_.code = editor()->GetEditorText();
  CodeWindow::accept();
}

bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                   Script& script) {
  EventCodeDialog dialog(parent, script, project, prefs, keywords);
  return Dialogs().Exec(dialog) == QDialog::Accepted;
}

bool EditEventCode(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                   int scriptIndex) {
  if (scriptIndex < 0 || scriptIndex >= static_cast<int>(project.scripts.size())) return false;
  return EditEventCode(parent, project, prefs, keywords, project.scripts[static_cast<size_t>(scriptIndex)]);
}

}  // namespace vorlane

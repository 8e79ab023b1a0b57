#include "editors/ui/font_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "code/ui/code_window.h"
#include "editors/font_edits.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/ui/controls.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

// A caption at (10, y), its text on the middle line of the control beside
// it, which starts 5 pixels higher.
void Caption(QWidget* parent, const char* text, int y) {
  PlaceCaption(new QLabel(text, parent), 10, y, 40);
}

}  // namespace

FontDialog::FontDialog(QWidget* parent, Project& project, int index)
    : ResourceDialog(parent, project, ResourceKind::Font, index, "Font properties - ", 200, 300,
                     120) {
  const Font& font = project.fonts.at(index);
  Caption(this, "Family", 50);
  family_ = MakeTextField(this, Q(font.family), 50, 45, 80, 25);
  Caption(this, "Size", 85);
  size_ = MakeDigitsField(this, QString::number(font.size), 50, 80, 80, 25);
  Caption(this, "Bold", 115);
  bold_ = MakeCheckBox(this, "", 50, 110, 50, 25);
  bold_->setChecked(font.bold != 0);
  Caption(this, "Italic", 145);
  italic_ = MakeCheckBox(this, "", 50, 140, 50, 25);
  italic_->setChecked(font.italic != 0);
}

std::vector<std::string> FontDialog::Done() {
  return StoreFont(project_, index_,
                   {.name = name_text(),
                    .family = family_->text().toStdString(),
                    .size = size_->text().toStdString(),
                    .bold = bold_->isChecked(),
                    .italic = italic_->isChecked()});
}

void EditFont(QWidget* parent, Project& project, const std::string& name) {
  EditEveryNamed(project, ResourceKind::Font, name,
                 [&](int index) { return std::make_unique<FontDialog>(parent, project, index); });
}

}  // namespace vorlane

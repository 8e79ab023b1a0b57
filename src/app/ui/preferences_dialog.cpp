#include "app/ui/preferences_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

Color ToColor(int value) {
  return Color{static_cast<std::uint8_t>(value & 255), static_cast<std::uint8_t>((value >> 8) & 255),
               static_cast<std::uint8_t>((value >> 16) & 255), 255};
}

int FromColor(Color c) { return c.r + 256 * c.g + 65536 * c.b; }

// A label sits 5 pixels lower than the row, its text at the top, so that it
// lines up with the field beside it.
void RowLabel(QWidget* page, const char* text, int x, int row_y) {
  MakeLabel(page, text, x, row_y + 5, 120, 25)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace

PreferencesDialog::PreferencesDialog(QWidget* parent, const PreferencesForm& form)
    : QDialog(parent), form_(form) {
  setWindowTitle("Preferences");
  setFixedSize(kWidth, kHeight);
  setFont(QFont("Arial", 9));  // long labels such as "Selection background" fit their 120 pixels
  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(10, 10, 620, 425);

  auto* code = new QWidget;
  tabs_->addTab(code, " Code editor");
  Preferences& v = form_.values;
  const struct {
    const char* label;
    const char* key;
    int* field;
    int x;
    int y;
  } rows[] = {
      {"Text", "sci_color_fore", &v.sci_color_fore, 10, 10},
      {"Caret", "sci_color_caret", &v.sci_color_caret, 10, 40},
      {"Selection background", "sci_color_selection_back", &v.sci_color_selection_back, 10, 70},
      {"Selection foreground", "sci_color_selection_fore", &v.sci_color_selection_fore, 10, 100},
      {"Command", "sci_color_command", &v.sci_color_command, 10, 130},
      {"Comment", "sci_color_comment", &v.sci_color_comment, 10, 160},
      {"String", "sci_color_string", &v.sci_color_string, 300, 10},
      {"Number", "sci_color_number", &v.sci_color_number, 300, 40},
      {"User function", "sci_color_function", &v.sci_color_function, 300, 70},
      {"Resource", "sci_color_resource", &v.sci_color_resource, 300, 100},
      {"Constant", "sci_color_vr_constant", &v.sci_color_vr_constant, 300, 130},
      {"Vorlane function", "sci_color_vr_function", &v.sci_color_vr_function, 300, 160},
      {"Vorlane variable", "sci_color_vr_variable", &v.sci_color_vr_variable, 300, 190},
  };
  for (const auto& row : rows) {
    colors_[row.key] = row.field;
    AddColorRow(code, row.label, row.key, row.x, row.y);
  }
  RowLabel(code, "Font family", 10, 190);
  font_family_ = MakeTextField(code, Q(v.sci_font_family), 130, 190, 100, 20);
  RowLabel(code, "Font size", 10, 220);
  font_size_ = MakeTextField(code, Q(form_.font_size), 130, 220, 100, 20);

  auto* misc = new QWidget;
  tabs_->addTab(misc, "Misc");
  add_file_protocol_ = MakeCheckBox(
      misc, "Add file protocol (file://) when running game from IDE", 10, 10, 400, 25);
  check_version_ = MakeCheckBox(misc, "Check program version at startup", 10, 40, 400, 25);
  generate_index_ = MakeCheckBox(misc, "Generate INDEX.HTML when saving project", 10, 70, 400, 25);
  confirm_exit_ = MakeCheckBox(misc, "Confirm exit from Vorlane", 10, 100, 400, 25);
  add_file_protocol_->setChecked(v.add_file_protocol == 1);
  check_version_->setChecked(v.CheckProgramVersion == 1);
  generate_index_->setChecked(v.GenerateIndexHTML == 1);
  confirm_exit_->setChecked(v.ConfirmExit == 1);

  auto* export_page = new QWidget;
  tabs_->addTab(export_page, "Export");
  RowLabel(export_page, "Image folder", 10, 10);
  img_folder_ = MakeTextField(export_page, Q(v.ImgFolder), 130, 10, 100, 20);
  RowLabel(export_page, "Audio folder", 10, 40);
  aud_folder_ = MakeTextField(export_page, Q(v.AudFolder), 130, 40, 100, 20);

  QPushButton* cancel = MakeButton(this, "Cancel", 10, kHeight - 35, 65, 25);
  QPushButton* save = MakeButton(this, "Save", kWidth - 75, kHeight - 35, 65, 25);
  connect(cancel, &QPushButton::clicked, this, [this] { done(Rejected); });
  connect(save, &QPushButton::clicked, this, [this] { done(Accepted); });
}

void PreferencesDialog::AddColorRow(QWidget* page, const char* label, const std::string& key,
                                    int column_x, int row_y) {
  // The two columns: label, swatch and button at 10, 130, 240 and at
  // 300, 430, 540.
  const int swatch_x = column_x == 10 ? 130 : 430;
  const int button_x = column_x == 10 ? 240 : 540;
  RowLabel(page, label, column_x, row_y);
  QLineEdit* swatch = MakeTextField(page, "", swatch_x, row_y, 100, 25);
  swatch->setReadOnly(true);
  swatch->setFocusPolicy(Qt::NoFocus);
  swatches_[key] = swatch;
  PaintSwatch(key, *colors_.at(key));
  QPushButton* pick = MakeButton(page, "...", button_x, row_y, 25, 25);
  connect(pick, &QPushButton::clicked, this, [this, key] { PickColor(key); });
}

void PreferencesDialog::PaintSwatch(const std::string& key, int color) {
  const Color c = ToColor(color);
  swatches_.at(key)->setStyleSheet(
      QString("QLineEdit { background-color: rgb(%1, %2, %3); border: 1px solid #888; }")
          .arg(c.r)
          .arg(c.g)
          .arg(c.b));
}

void PreferencesDialog::PickColor(const std::string& key) {
  Color chosen;
  if (!Dialogs().ChooseColor(this, ToColor(*colors_.at(key)), &chosen)) return;
  *colors_.at(key) = FromColor(chosen);
  PaintSwatch(key, *colors_.at(key));
}

PreferencesForm PreferencesDialog::Form() const {
  PreferencesForm form = form_;
  Preferences& v = form.values;
  v.sci_font_family = font_family_->text().toStdString();
  form.font_size = font_size_->text().toStdString();
  v.add_file_protocol = add_file_protocol_->isChecked() ? 1 : 0;
  v.CheckProgramVersion = check_version_->isChecked() ? 1 : 0;
  v.GenerateIndexHTML = generate_index_->isChecked() ? 1 : 0;
  v.ConfirmExit = confirm_exit_->isChecked() ? 1 : 0;
  v.ImgFolder = img_folder_->text().toStdString();
  v.AudFolder = aud_folder_->text().toStdString();
  return form;
}

void PreferencesDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

bool ShowPreferencesDialog(QWidget* parent, Preferences& prefs, Project& project) {
  PreferencesDialog dialog(parent, FormFromPreferences(prefs, project));
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return false;
  if (!SavePreferencesForm(dialog.Form(), prefs, project))
    Dialogs().Message(parent, "Error", "The preferences could not be saved to preferences.dat.");
  return true;
}

}  // namespace vorlane

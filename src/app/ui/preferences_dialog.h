// The Preferences window: code editor colours and font, the Misc switches
// and the default media folder names, kept in preferences.dat.
#pragma once

#include <QDialog>

#include <map>
#include <string>

#include "app/preferences_form.h"

class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace vorlane {

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(QWidget* parent, const PreferencesForm& form);

  // The settings as currently shown.
  PreferencesForm Form() const;

  // For tests and the colour buttons: the swatch of a colour key such as
  // "sci_color_fore".
  QLineEdit* swatch(const std::string& key) const { return swatches_.at(key); }
  QTabWidget* tabs() const { return tabs_; }

 public slots:
  // Only Cancel and Save end the window; Escape and the close box do not.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddColorRow(QWidget* page, const char* label, const std::string& key, int column_x,
                   int row_y);
  void PaintSwatch(const std::string& key, int color);
  void PickColor(const std::string& key);

  PreferencesForm form_;
  QTabWidget* tabs_ = nullptr;
  std::map<std::string, QLineEdit*> swatches_;
  std::map<std::string, int*> colors_;
  QLineEdit* font_family_ = nullptr;
  QLineEdit* font_size_ = nullptr;
  QCheckBox* add_file_protocol_ = nullptr;
  QCheckBox* check_version_ = nullptr;
  QCheckBox* generate_index_ = nullptr;
  QCheckBox* confirm_exit_ = nullptr;
  QLineEdit* img_folder_ = nullptr;
  QLineEdit* aud_folder_ = nullptr;
};

// The Preferences command: shows the window; on Save the settings are
// stored (and take effect in code editors opened afterwards). True on Save.
bool ShowPreferencesDialog(QWidget* parent, Preferences& prefs, Project& project);

}  // namespace vorlane

// The property dialog of a font: name, family, size, bold and italic.
#pragma once

#include <QWidget>

#include "editors/ui/resource_dialog.h"

class QCheckBox;

namespace vorlane {

class FontDialog : public ResourceDialog {
  Q_OBJECT

 public:
  FontDialog(QWidget* parent, Project& project, int index);

  QLineEdit* family_field() const { return family_; }
  QLineEdit* size_field() const { return size_; }
  QCheckBox* bold_box() const { return bold_; }
  QCheckBox* italic_box() const { return italic_; }

 protected:
  std::vector<std::string> Done() override;

 private:
  QLineEdit* family_;
  QLineEdit* size_;
  QCheckBox* bold_;
  QCheckBox* italic_;
};

}  // namespace vorlane

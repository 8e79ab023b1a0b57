// "Open a project...": the projects in Projects/, each with its preview
// picture and the date it was started.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace vorlane {

class PictureControl;

class OpenProjectDialog : public QDialog {
  Q_OBJECT
 public:
  OpenProjectDialog(QWidget* parent, const std::vector<std::string>& names);

  // The chosen name; "" when cancelled or nothing was selected.
  std::string result_name() const { return result_; }
  QListWidget* list() const { return list_; }
  PictureControl* preview() const { return preview_; }
  QLabel* started() const { return started_; }

  // Only the buttons and a double click close the window.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowDetails(const QString& name);
  void Choose(const std::string& name);

  QListWidget* list_;
  PictureControl* preview_;
  QLabel* started_;
  std::string result_;
};

// Lists the projects and runs the dialog; "" when none was chosen.
std::string ShowOpenDialog(QWidget* parent);

}  // namespace vorlane

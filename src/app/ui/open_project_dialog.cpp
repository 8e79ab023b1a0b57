#include "app/ui/open_project_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/ui/stock_images.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/image_view.h"
#include "project/project_list.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

constexpr int kPreviewSide = 240;

// A preview larger than the area is shown reduced, keeping its shape.
QPixmap FitPreview(const QPixmap& picture) {
  if (picture.width() <= kPreviewSide && picture.height() <= kPreviewSide) return picture;
  return picture.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

OpenProjectDialog::OpenProjectDialog(QWidget* parent, const std::vector<std::string>& names)
    : QDialog(parent) {
  setWindowTitle("Open a project...");
  setFixedSize(640, 400);
  list_ = new QListWidget(this);
  list_->setGeometry(10, 10, 370, 340);
  list_->setFont(Fonts().big_bold);
  list_->setStyleSheet("QListWidget::item { padding: 1px 4px; }");
  for (const auto& name : names) list_->addItem(Q(name));
  preview_ = MakePicture(this, 390, 10, kPreviewSide, kPreviewSide);
  started_ = MakeLabel(this, "", 390, 260, 240, 25);
  QPushButton* cancel = MakeButton(this, "Cancel", 10, 365, 100, 25);
  QPushButton* open = MakeButton(this, "Open", width() - 110, 365, 100, 25);
  open->setDefault(true);

  connect(list_, &QListWidget::currentTextChanged, this, &OpenProjectDialog::ShowDetails);
  connect(list_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { Choose(item->text().toStdString()); });
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { Choose(item->text().toStdString()); });
  connect(open, &QPushButton::clicked, this, [this] {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    Choose(chosen.isEmpty() ? "" : chosen.front()->text().toStdString());
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    result_.clear();
    done(Rejected);
  });
  // The first row is selected for real, details and all, not merely focused:
  // what looks chosen is what Open opens.
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void OpenProjectDialog::ShowDetails(const QString& text) {
  if (text.isEmpty()) return;
  const std::string name = text.toStdString();
  const std::string path = ProjectPreviewPath(name);
  if (path.empty()) {
    preview_->SetPicture(StockPixmap("no_preview"));
  } else {
    // A preview that fails to load leaves the area empty.
    const Image picture = LoadImageFile(path);
    preview_->SetPicture(picture.is_null() ? QPixmap() : FitPreview(ToPixmap(picture)));
  }
  started_->setText(Q(ProjectStartedText(name)));
}

void OpenProjectDialog::Choose(const std::string& name) {
  result_ = name;
  done(name.empty() ? Rejected : Accepted);
}

void OpenProjectDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

std::string ShowOpenDialog(QWidget* parent) {
  OpenProjectDialog dialog(parent, RefreshProjectList());
  Dialogs().Exec(dialog);
  if (parent) parent->activateWindow();
  return dialog.result_name();
}

}  // namespace vorlane

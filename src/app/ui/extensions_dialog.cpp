#include "app/ui/extensions_dialog.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

ExtensionsDialog::ExtensionsDialog(QWidget* parent, std::vector<Extension> extensions)
    : QDialog(parent), extensions_(std::move(extensions)) {
  setWindowTitle("Installed extensions");
  setFixedSize(640, 480);
  setWindowFlag(Qt::WindowStaysOnTopHint);

  list_ = new QTreeWidget(this);
  list_->setGeometry(10, 10, 180, 420);
  list_->setHeaderLabels({"Name"});
  list_->setColumnWidth(0, 160);
  list_->setRootIsDecorated(false);
  list_->setFont(Fonts().code);
  for (size_t i = 0; i < extensions_.size(); ++i) {
    const QString name = Q(extensions_[i].extension);
    auto* row = new QTreeWidgetItem(list_, {name});
    row->setData(0, Qt::UserRole, static_cast<int>(i));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, extensions_[i].enabled == 1 ? Qt::Checked : Qt::Unchecked);
    row->setToolTip(0, name);
  }
  // A long name widens its column, and the list scrolls sideways to it,
  // instead of being cut short.
  list_->header()->setStretchLastSection(false);
  list_->resizeColumnToContents(0);
  list_->setColumnWidth(0, std::max(160, list_->columnWidth(0)));
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { ShowInfo(); });
  connect(list_, &QTreeWidget::itemClicked, this, [this] { ShowInfo(); });

  info_ = new QPlainTextEdit(this);
  info_->setGeometry(200, 10, 430, 420);
  info_->setReadOnly(true);
  info_->setFont(Fonts().code);
  // Help texts line things up in columns: whole lines, scrolled sideways.
  info_->setLineWrapMode(QPlainTextEdit::NoWrap);
  info_->setStyleSheet("QPlainTextEdit { background-color: rgb(238, 238, 238); }");

  QPushButton* cancel = MakeButton(this, "Cancel", 10, 440, 100, 25);
  QPushButton* ok = MakeButton(this, "OK", 530, 440, 100, 25);
  connect(cancel, &QPushButton::clicked, this, [this] { done(Rejected); });
  connect(ok, &QPushButton::clicked, this, [this] { done(Accepted); });
}

void ExtensionsDialog::ShowInfo() {
  const QTreeWidgetItem* row = list_->currentItem();
  if (!row || row->text(0).isEmpty()) return;
  const Extension& e = extensions_.at(static_cast<size_t>(row->data(0, Qt::UserRole).toInt()));
  // The text keeps its CR breaks; the text area shows each as a new line.
  QString text = Q(ExtensionInfoText(e));
  text.replace("\r\n", "\n").replace('\r', '\n');
  info_->setPlainText(text);
}

std::vector<std::string> ExtensionsDialog::Chosen() const {
  std::vector<std::string> chosen;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list_->topLevelItem(i);
    if (row->checkState(0) == Qt::Checked)
      chosen.push_back(extensions_.at(static_cast<size_t>(row->data(0, Qt::UserRole).toInt())).filename);
  }
  return chosen;
}

void ExtensionsDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

void ShowExtensionsDialog(QWidget* parent, const std::string& projectname) {
  if (projectname.empty()) {
    Dialogs().Message(parent, "Message", "Please save your project.");
    return;
  }
  ExtensionsDialog dialog(parent, LoadExtensions(projectname));
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  std::string error;
  if (!SaveEnabledExtensions(projectname, dialog.Chosen(), &error))
    Dialogs().Message(parent, "Error", error);
}

}  // namespace vorlane

#include "app/ui/uses_windows.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "gui/ui/marked_text_delegate.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

constexpr int kWidth = 680;
constexpr int kHeight = 400;

// Where each use is, and for a use in code the line with the name marked.
QTreeWidget* UsesTree(QWidget* parent, const std::vector<ResourceUse>& uses,
                      const std::string& name) {
  auto* tree = new QTreeWidget(parent);
  tree->setGeometry(12, 40, kWidth - 24, kHeight - 96);
  tree->setRootIsDecorated(false);
  tree->setUniformRowHeights(true);
  tree->setHeaderLabels({"Where", "Code"});
  tree->header()->resizeSection(0, 300);
  tree->setItemDelegateForColumn(1, new MarkedTextDelegate(tree));
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(uses.size()));
  for (const ResourceUse& use : uses) {
    auto* item = new QTreeWidgetItem({Q(use.text)});
    if (use.is_code) {
      // The line shown without its indent; the mark moves with it.
      const std::string& line = use.code.line_text;
      const size_t indent = std::min(line.find_first_not_of(" \t"), line.size());
      const size_t column = std::max(indent, static_cast<size_t>(use.code.column));
      const QString before = Q(std::string_view(line).substr(indent, column - indent));
      item->setText(1, Q(std::string_view(line).substr(indent)));
      item->setToolTip(1, item->text(1));
      item->setData(1, kMarkStartRole, static_cast<int>(before.size()));
      item->setData(1, kMarkLengthRole,
                    static_cast<int>(Q(std::string_view(line).substr(column, name.size())).size()));
    }
    items.append(item);
  }
  tree->addTopLevelItems(items);
  if (!items.isEmpty()) tree->setCurrentItem(items.front());
  return tree;
}

QLabel* Heading(QWidget* parent, const std::string& text) {
  auto* label = new QLabel(Q(text), parent);
  label->setGeometry(12, 10, kWidth - 24, 24);
  return label;
}

std::string Places(size_t n) { return n == 1 ? "1 place" : std::to_string(n) + " places"; }

}  // namespace

CodeRenameWindow::CodeRenameWindow(QWidget* parent, const std::string& old_name,
                                   const std::string& new_name,
                                   const std::vector<ResourceUse>& uses)
    : QDialog(parent) {
  setWindowTitle("Rename");
  setFixedSize(kWidth, kHeight);
  Heading(this, "The code names '" + old_name + "' in " + Places(uses.size()) +
                    ". Rename it there too, as '" + new_name + "'?");
  list_ = UsesTree(this, uses, old_name);
  auto* rename = new QPushButton("Rename in code too", this);
  rename->setGeometry(kWidth - 312, kHeight - 44, 160, 30);
  rename->setDefault(true);
  auto* only = new QPushButton("Only the resource", this);
  only->setGeometry(kWidth - 144, kHeight - 44, 132, 30);
  connect(rename, &QPushButton::clicked, this, &QDialog::accept);
  connect(only, &QPushButton::clicked, this, &QDialog::reject);
}

UsesWindow::UsesWindow(QWidget* parent, const std::string& name, std::vector<ResourceUse> uses)
    : QDialog(parent), uses_(std::move(uses)) {
  setWindowTitle(Q("Uses of " + name));
  setFixedSize(kWidth, kHeight);
  Heading(this, uses_.empty() ? name + " is not used anywhere."
                              : name + " is used in " + Places(uses_.size()) + ":");
  list_ = UsesTree(this, uses_, name);
  auto* open = new QPushButton("Open", this);
  open->setGeometry(kWidth - 212, kHeight - 44, 100, 30);
  open->setDefault(true);
  open->setEnabled(!uses_.empty());
  auto* close = new QPushButton("Close", this);
  close->setGeometry(kWidth - 104, kHeight - 44, 92, 30);
  connect(open, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

const ResourceUse* UsesWindow::chosen() const {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  return row >= 0 && row < static_cast<int>(uses_.size()) ? &uses_[row] : nullptr;
}

}  // namespace vorlane

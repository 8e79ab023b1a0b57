#include "app/ui/find_panel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/ui/marked_text_delegate.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

constexpr int kPauseMilliseconds = 250;      // after the last key, before searching
constexpr int kHitRole = Qt::UserRole + 1;   // index into the script matches
constexpr int kNameRole = Qt::UserRole + 2;  // index into the name matches

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Summary(const SearchResults& found, size_t scripts) {
  if (!found.error.empty()) return found.error;
  if (found.hits.empty() && found.names.empty()) return "No matches.";
  std::string text =
      Count(found.hits.size(), "match", "matches") + " in " + Count(scripts, "script", "scripts");
  if (!found.names.empty())
    text += ", " + Count(found.names.size(), "resource name", "resource names");
  if (found.more)
    text = "More than " + std::to_string(kMaxSearchHits) + " matches; showing the first " +
           std::to_string(kMaxSearchHits) + ".";
  return text;
}

}  // namespace

FindPanel::FindPanel(QWidget* parent, const Project& project)
    : QDockWidget("Find in project", parent), project_(project) {
  setObjectName("find");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable |
              QDockWidget::DockWidgetMovable);
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(6, 4, 6, 4);
  auto* find_row = new QHBoxLayout;
  field_ = new QLineEdit(body);
  field_->setPlaceholderText("Find in every script and resource name");
  field_->setClearButtonEnabled(true);
  match_case_ = new QCheckBox("Match case", body);
  whole_word_ = new QCheckBox("Whole word", body);
  regex_ = new QCheckBox("Regular expression", body);
  find_row->addWidget(field_, 1);
  for (QCheckBox* box : {match_case_, whole_word_, regex_}) find_row->addWidget(box);
  auto* replace_row = new QHBoxLayout;
  replace_ = new QLineEdit(body);
  replace_->setPlaceholderText("Replace with (in scripts; rename resources in their windows)");
  replace_all_ = new QPushButton("Replace all...", body);
  summary_ = new QLabel(body);
  replace_row->addWidget(replace_, 1);
  replace_row->addWidget(replace_all_);
  replace_row->addWidget(summary_, 1);
  results_ = new QTreeWidget(body);
  results_->setHeaderHidden(true);
  results_->setUniformRowHeights(true);
  results_->setItemDelegate(new MarkedTextDelegate(results_));
  column->addLayout(find_row);
  column->addLayout(replace_row);
  column->addWidget(results_, 1);
  setWidget(body);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMilliseconds);
  connect(pause_, &QTimer::timeout, this, &FindPanel::Search);
  const auto later = [this] { pause_->start(); };
  connect(field_, &QLineEdit::textChanged, this, later);
  for (QCheckBox* box : {match_case_, whole_word_, regex_})
    connect(box, &QCheckBox::toggled, this, later);
  connect(field_, &QLineEdit::returnPressed, this, &FindPanel::RunPendingSearch);
  connect(results_, &QTreeWidget::itemActivated, this, &FindPanel::Open);
  connect(replace_all_, &QPushButton::clicked, this, [this] {
    RunPendingSearch();
    emit ReplaceAsked();
  });
  Search();
}

void FindPanel::Begin() {
  show();
  raise();
  field_->setFocus();
  field_->selectAll();
}

void FindPanel::ProjectChanged() {
  if (isVisible() && !field_->text().isEmpty()) pause_->start();
}

void FindPanel::RunPendingSearch() {
  pause_->stop();
  Search();
}

SearchOptions FindPanel::options() const {
  return {match_case_->isChecked(), whole_word_->isChecked(), regex_->isChecked()};
}

std::string FindPanel::text() const { return field_->text().toStdString(); }

void FindPanel::Search() {
  last_ = SearchProject(project_, text(), options());
  results_->clear();
  QList<QTreeWidgetItem*> groups;
  if (!last_.names.empty()) {
    auto* group = new QTreeWidgetItem({"Resource names"});
    for (size_t i = 0; i < last_.names.size(); ++i) {
      const NameHit& name = last_.names[i];
      auto* item =
          new QTreeWidgetItem(group, {Q(std::string(KindWord(name.kind)) + " " + name.name)});
      item->setData(0, kNameRole, static_cast<int>(i));
    }
    groups.append(group);
  }
  // One group per script (a function's parameters are a script of their own).
  QTreeWidgetItem* group = nullptr;
  size_t scripts = 0;
  for (size_t i = 0; i < last_.hits.size(); ++i) {
    const SearchHit& hit = last_.hits[i];
    if (!group || i == 0 || !(last_.hits[i - 1].place == hit.place) ||
        last_.hits[i - 1].in_params != hit.in_params) {
      group =
          new QTreeWidgetItem({Q(PlaceLabel(hit.place) + (hit.in_params ? ", parameters" : ""))});
      groups.append(group);
      ++scripts;
    }
    const std::string prefix = std::to_string(hit.line) + ": ";
    auto* item = new QTreeWidgetItem(group, {Q(prefix + hit.line_text)});
    item->setData(0, kHitRole, static_cast<int>(i));
    item->setData(0, kMarkStartRole,
                  static_cast<int>(Q(prefix + hit.line_text.substr(0, hit.column)).size()));
    item->setData(0, kMarkLengthRole,
                  static_cast<int>(Q(hit.line_text.substr(hit.column, hit.length)).size()));
  }
  results_->addTopLevelItems(groups);
  results_->expandAll();
  summary_->setText(Q(Summary(last_, scripts)));
  replace_all_->setEnabled(!last_.hits.empty());
}

void FindPanel::Open(QTreeWidgetItem* item) {
  if (!item) return;
  const QVariant hit = item->data(0, kHitRole);
  if (hit.isValid() && hit.toInt() < static_cast<int>(last_.hits.size())) {
    const SearchHit& h = last_.hits[static_cast<size_t>(hit.toInt())];
    // A match in a parameter list opens the function; its code has no such line.
    emit OpenScript(h.place, h.in_params ? CodeSpot() : CodeSpot(h.line, h.column, h.length));
    return;
  }
  const QVariant name = item->data(0, kNameRole);
  if (name.isValid() && name.toInt() < static_cast<int>(last_.names.size())) {
    const NameHit& n = last_.names[static_cast<size_t>(name.toInt())];
    emit OpenResource(n.kind, n.name);
  }
}

ReplacePreviewWindow::ReplacePreviewWindow(QWidget* parent, const std::vector<LineChange>& changes)
    : QDialog(parent) {
  setWindowTitle("Replace all");
  setFixedSize(760, 420);
  auto* heading = new QLabel(changes.size() == 1
                                 ? QString("This line changes:")
                                 : Q("These " + std::to_string(changes.size()) + " lines change:"),
                             this);
  heading->setGeometry(12, 10, 736, 24);
  list_ = new QTreeWidget(this);
  list_->setGeometry(12, 40, 736, 324);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({"Where", "Before", "After"});
  list_->header()->resizeSection(0, 220);
  list_->header()->resizeSection(1, 250);
  QList<QTreeWidgetItem*> items;
  for (const LineChange& change : changes)
    items.append(
        new QTreeWidgetItem({Q(change.in_params ? PlaceLabel(change.place) + ", parameters"
                                                : PlaceLineText(change.place, change.line)),
                             Q(change.before), Q(change.after)}));
  list_->addTopLevelItems(items);
  auto* replace = new QPushButton("Replace", this);
  replace->setGeometry(548, 378, 100, 30);
  replace->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setGeometry(656, 378, 92, 30);
  connect(replace, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace vorlane

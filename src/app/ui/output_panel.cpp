#include "app/ui/output_panel.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/ui/qt_text.h"

namespace vorlane {

// The log's lines as rows; it follows the log by its counters, so a batch
// of reports is one insertion and the dropped oldest lines one removal.
class DebugLogModel : public QAbstractTableModel {
 public:
  explicit DebugLogModel(const DebugLog& log, QObject* parent)
      : QAbstractTableModel(parent), log_(log) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex&) const override { return 4; }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kTitles[] = {"Time", "Kind", "Where", "Message"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return kTitles[section];
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rows_) return {};
    const DebugEntry& e = log_.line(static_cast<size_t>(index.row()));
    if (role == Qt::ToolTipRole && !e.stack.empty()) return Q(e.stack);
    if (role == Qt::ForegroundRole && e.kind == DebugEntry::Kind::Error) return QColor(176, 0, 0);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0: return Q(e.time);
      case 1: return Q(DebugKindName(e.kind));
      case 2: return e.place ? Q(PlaceLineText(*e.place, e.line)) : "";
      default:
        return e.count > 1 ? Q(e.text + "  (\u00d7" + std::to_string(e.count) + ")") : Q(e.text);
    }
  }

  // After the log changed: rows dropped from the front, then rows added or
  // the last one merged.
  void Follow() {
    const auto dropped = static_cast<int>(log_.dropped() - dropped_);
    dropped_ = log_.dropped();
    if (dropped > 0) {
      const int gone = std::min(dropped, rows_);
      beginRemoveRows({}, 0, gone - 1);
      rows_ -= gone;
      endRemoveRows();
    }
    const int size = static_cast<int>(log_.size());
    if (rows_ > 0) emit dataChanged(index(rows_ - 1, 0), index(rows_ - 1, 3));
    if (size > rows_) {
      beginInsertRows({}, rows_, size - 1);
      rows_ = size;
      endInsertRows();
    }
  }

 private:
  const DebugLog& log_;
  int rows_ = 0;
  std::uint64_t dropped_ = 0;
};

OutputPanel::OutputPanel(QWidget* parent) : QDockWidget("Output", parent) {
  setObjectName("output");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable |
              QDockWidget::DockWidgetMovable);
  tabs_ = new QTabWidget(this);
  setWidget(tabs_);

  model_ = new DebugLogModel(log_, this);
  lines_ = new QTableView;
  lines_->setModel(model_);
  lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lines_->verticalHeader()->hide();
  lines_->verticalHeader()->setDefaultSectionSize(20);
  lines_->horizontalHeader()->setStretchLastSection(true);
  lines_->setColumnWidth(0, 70);
  lines_->setColumnWidth(1, 60);
  lines_->setColumnWidth(2, 240);
  connect(lines_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { OpenLine(index.row()); });
  tabs_->addTab(lines_, "Output");

  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(4, 4, 4, 4);
  auto* row = new QHBoxLayout;
  pause_ = new QPushButton("Pause");
  step_ = new QPushButton("Step");
  resume_ = new QPushButton("Resume");
  state_ = new QLabel;
  for (QWidget* w : {static_cast<QWidget*>(pause_), static_cast<QWidget*>(step_),
                     static_cast<QWidget*>(resume_), static_cast<QWidget*>(state_)})
    row->addWidget(w);
  row->addStretch();
  column->addLayout(row);
  instances_ = new QTableWidget(0, 5);
  instances_->setHorizontalHeaderLabels({"Object", "x", "y", "Depth", "Variables"});
  instances_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  instances_->verticalHeader()->hide();
  instances_->verticalHeader()->setDefaultSectionSize(20);
  instances_->horizontalHeader()->setStretchLastSection(true);
  column->addWidget(instances_);
  tabs_->addTab(page, "Instances");
  connect(pause_, &QPushButton::clicked, this, &OutputPanel::PauseAsked);
  connect(step_, &QPushButton::clicked, this, &OutputPanel::StepAsked);
  connect(resume_, &QPushButton::clicked, this, &OutputPanel::ResumeAsked);
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this] { emit InstancesShownChanged(instances_shown()); });
  connect(this, &QDockWidget::visibilityChanged, this,
          [this] { emit InstancesShownChanged(instances_shown()); });
  SetPaused(false);
}

OutputPanel::~OutputPanel() = default;

void OutputPanel::Add(const std::vector<DebugEntry>& entries) {
  if (entries.empty()) return;
  QScrollBar* bar = lines_->verticalScrollBar();
  const bool at_end = bar->value() == bar->maximum();
  for (const DebugEntry& entry : entries) log_.Add(entry);
  model_->Follow();
  if (at_end) lines_->scrollToBottom();
}

void OutputPanel::Clear() {
  log_.Clear();
  model_->Follow();
  instances_->setRowCount(0);
}

void OutputPanel::ShowInstances(const std::vector<DebugInstance>& list) {
  instances_->setRowCount(static_cast<int>(list.size()));
  const auto number = [](double v) { return QString::number(v, 'g', 8); };
  for (int r = 0; r < static_cast<int>(list.size()); ++r) {
    const DebugInstance& i = list[static_cast<size_t>(r)];
    std::string variables;
    for (const auto& [name, value] : i.variables)
      variables += (variables.empty() ? "" : ", ") + name + " = " + value;
    const QString cells[] = {Q(i.object), number(i.x), number(i.y), number(i.depth), Q(variables)};
    for (int c = 0; c < 5; ++c) {
      QTableWidgetItem* item = instances_->item(r, c);
      if (!item) instances_->setItem(r, c, item = new QTableWidgetItem);
      if (item->text() != cells[c]) item->setText(cells[c]);
    }
  }
}

void OutputPanel::SetPaused(bool paused) {
  pause_->setEnabled(!paused);
  step_->setEnabled(paused);
  resume_->setEnabled(paused);
  state_->setText(paused ? "Paused" : "Running");
}

bool OutputPanel::instances_shown() const { return isVisible() && tabs_->currentIndex() == 1; }

void OutputPanel::OpenLine(int row) {
  if (row < 0 || row >= static_cast<int>(log_.size())) return;
  const DebugEntry& e = log_.line(static_cast<size_t>(row));
  if (e.place) emit OpenScript(*e.place, e.line);
}

}  // namespace vorlane

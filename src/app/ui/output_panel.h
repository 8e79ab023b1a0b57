// The Output panel of a debug run, docked under the browser: what the game
// page reported (errors, console output, debug messages) with time and kind,
// and the running game's instances with Pause, Step and Resume.
#pragma once

#include <QDockWidget>
#include <vector>

#include "generate/debug_log.h"
#include "generate/debug_report.h"

class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;

namespace vorlane {

class DebugLogModel;

class OutputPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit OutputPanel(QWidget* parent);
  ~OutputPanel() override;

  void Add(const std::vector<DebugEntry>& entries);
  void Clear();
  void ShowInstances(const std::vector<DebugInstance>& instances);
  void SetPaused(bool paused);
  // Whether the Instances tab is the one shown (the game is asked for its
  // instances only then).
  bool instances_shown() const;

  const DebugLog& log() const { return log_; }
  QTableView* lines() const { return lines_; }
  QTableWidget* instances() const { return instances_; }
  QTabWidget* tabs() const { return tabs_; }
  QPushButton* pause_button() const { return pause_; }
  QPushButton* step_button() const { return step_; }
  QPushButton* resume_button() const { return resume_; }

 signals:
  void OpenScript(const vorlane::ScriptPlace& place, int line);
  void PauseAsked();
  void StepAsked();
  void ResumeAsked();
  void InstancesShownChanged(bool shown);

 private:
  void OpenLine(int row);

  DebugLog log_;
  DebugLogModel* model_;
  QTabWidget* tabs_;
  QTableView* lines_;
  QTableWidget* instances_;
  QPushButton* pause_;
  QPushButton* step_;
  QPushButton* resume_;
  QLabel* state_;
};

}  // namespace vorlane

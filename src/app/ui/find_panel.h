// Find in project: a panel docked under the browser that searches every
// script and resource name as you type, lists the matches by script with
// their lines, opens the one double-clicked, and replaces them all after a
// preview.
#pragma once

#include <QDialog>
#include <QDockWidget>
#include <functional>

#include "generate/project_search.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorlane {

class FindPanel : public QDockWidget {
  Q_OBJECT

 public:
  FindPanel(QWidget* parent, const Project& project);

  // Shows the panel with the search field ready to type in.
  void Begin();
  // The project changed: the results follow after the usual pause.
  void ProjectChanged();
  // Searches now instead of after the pause (tests, Enter).
  void RunPendingSearch();

  QLineEdit* field() const { return field_; }
  QLineEdit* replace_field() const { return replace_; }
  QCheckBox* match_case() const { return match_case_; }
  QCheckBox* whole_word() const { return whole_word_; }
  QCheckBox* regex() const { return regex_; }
  QTreeWidget* results() const { return results_; }
  QLabel* summary() const { return summary_; }
  QPushButton* replace_button() const { return replace_all_; }
  SearchOptions options() const;
  std::string text() const;

 signals:
  void OpenScript(const vorlane::ScriptPlace& place, vorlane::CodeSpot spot);
  void OpenResource(vorlane::ResourceKind kind, const std::string& name);
  void ReplaceAsked();

 private:
  void Search();
  void Open(QTreeWidgetItem* item);

  const Project& project_;
  QLineEdit* field_;
  QLineEdit* replace_;
  QCheckBox* match_case_;
  QCheckBox* whole_word_;
  QCheckBox* regex_;
  QPushButton* replace_all_;
  QLabel* summary_;
  QTreeWidget* results_;
  QTimer* pause_;
  SearchResults last_;
};

// Lists what Replace all would change, line by line; "Replace" accepts.
class ReplacePreviewWindow : public QDialog {
 public:
  ReplacePreviewWindow(QWidget* parent, const std::vector<LineChange>& changes);
  QTreeWidget* list() const { return list_; }

 private:
  QTreeWidget* list_;
};

}  // namespace vorlane

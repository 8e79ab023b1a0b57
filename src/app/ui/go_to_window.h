// Go to resource (Ctrl+P): a few letters of a name list the matching
// resources of every kind, best first; Enter or a double click opens one.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "project/resource_search.h"

class QLineEdit;
class QListWidget;

namespace vorlane {

class GoToWindow : public QDialog {
  Q_OBJECT

 public:
  GoToWindow(QWidget* parent, const Project& project);

  QLineEdit* field() const { return field_; }
  QListWidget* list() const { return list_; }
  // The resource Enter or a double click chose.
  const std::optional<ResourceMatch>& chosen() const { return chosen_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Search();
  void Choose();

  const Project& project_;
  QLineEdit* field_;
  QListWidget* list_;
  std::vector<ResourceMatch> matches_;
  std::optional<ResourceMatch> chosen_;
};

}  // namespace vorlane

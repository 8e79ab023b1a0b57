// The windows that list where a resource's name is used: the question a
// rename asks when scripts name the resource, and the card's "Find uses".
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "generate/resource_uses.h"

class QTreeWidget;

namespace vorlane {

// "Rename in code too" accepts, "Only the resource" (or closing) rejects.
class CodeRenameWindow : public QDialog {
 public:
  CodeRenameWindow(QWidget* parent, const std::string& old_name, const std::string& new_name,
                   const std::vector<ResourceUse>& uses);
  QTreeWidget* list() const { return list_; }

 private:
  QTreeWidget* list_;
};

// Lists the uses; "Open" (or a double click) accepts with the use chosen.
class UsesWindow : public QDialog {
 public:
  UsesWindow(QWidget* parent, const std::string& name, std::vector<ResourceUse> uses);
  QTreeWidget* list() const { return list_; }
  const ResourceUse* chosen() const;

 private:
  QTreeWidget* list_;
  std::vector<ResourceUse> uses_;
};

}  // namespace vorlane

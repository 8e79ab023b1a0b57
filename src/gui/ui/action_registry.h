// One table of actions from which the menu bar, the toolbar buttons and the
// keyboard shortcuts are built. Windows register what an action does by its
// id; an action without a handler does nothing.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenuBar;
class QToolButton;
class QWidget;

namespace vorlane {

struct ActionSpec {
  int id = -1;         // -1 stands for a separator
  QString menu;        // the menu it appears in
  QString text;        // the label, a tab, then the shortcut's text
  QString shortcut;    // in portable form, "Ctrl+N"; "; " between several; "" for none
  QString theme_icon;  // the desktop icon theme's name; "" when there is none
  QString picture;     // our own picture: the fallback, or the icon itself
};

struct ToolSpec {
  int id;
  int x, y, width, height;
  QString tooltip;
  QString picture;  // "" shows the action's icon
};

// The desktop theme's icon when it has one, else our picture.
QIcon ThemedIcon(const QString& theme_name, const QString& picture);

class ActionRegistry : public QObject {
  Q_OBJECT
 public:
  explicit ActionRegistry(QWidget* window);

  // Menus appear in the order of their first item, items in table order.
  void BuildMenuBar(QMenuBar* bar, const std::vector<ActionSpec>& table);
  std::vector<QToolButton*> BuildToolbar(QWidget* parent, const std::vector<ToolSpec>& tools);
  // Makes the table's shortcuts work on the window.
  void EnableShortcuts();

  void SetHandler(int id, std::function<void()> handler);
  bool HasHandler(int id) const;
  // Runs the handler; false when the action has none.
  bool Trigger(int id);

  QAction* action(int id) const;  // null when not in the table

 private:
  QWidget* window_;
  std::map<int, QAction*> actions_;
  std::map<int, QString> shortcuts_;
  std::map<int, std::function<void()>> handlers_;
};

}  // namespace vorlane

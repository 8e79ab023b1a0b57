#include "gui/ui/action_registry.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QWidget>

namespace vorlane {

QIcon ThemedIcon(const QString& theme_name, const QString& picture) {
  const QIcon own = picture.isEmpty() ? QIcon() : QIcon(picture);
  if (theme_name.isEmpty()) return own;
  return QIcon::fromTheme(theme_name, own);
}

ActionRegistry::ActionRegistry(QWidget* window) : QObject(window), window_(window) {}

void ActionRegistry::BuildMenuBar(QMenuBar* bar, const std::vector<ActionSpec>& table) {
  std::map<QString, QMenu*> menus;
  for (const auto& spec : table) {
    QMenu*& menu = menus[spec.menu];
    if (!menu) menu = bar->addMenu(spec.menu);
    if (spec.id < 0) {
      menu->addSeparator();
      continue;
    }
    // The menu shows the text after the tab as the shortcut column.
    auto* action = new QAction(ThemedIcon(spec.theme_icon, spec.picture), spec.text, window_);
    action->setIconVisibleInMenu(true);
    const int id = spec.id;
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    menu->addAction(action);
    window_->addAction(action);
    actions_[id] = action;
    if (!spec.shortcut.isEmpty()) shortcuts_[id] = spec.shortcut;
  }
}

std::vector<QToolButton*> ActionRegistry::BuildToolbar(QWidget* parent,
                                                       const std::vector<ToolSpec>& tools) {
  std::vector<QToolButton*> buttons;
  for (const auto& tool : tools) {
    auto* button = new QToolButton(parent);
    button->setGeometry(tool.x, tool.y, tool.width, tool.height);
    button->setAutoRaise(true);
    button->setToolTip(tool.tooltip);
    button->setFocusPolicy(Qt::NoFocus);
    QAction* known = action(tool.id);
    const QIcon icon = !tool.picture.isEmpty() ? QIcon(tool.picture)
                       : known                 ? known->icon()
                                               : QIcon();
    button->setIcon(icon);
    button->setIconSize(QSize(tool.width - 4, tool.height - 4));
    const int id = tool.id;
    connect(button, &QToolButton::clicked, this, [this, id] { Trigger(id); });
    buttons.push_back(button);
  }
  return buttons;
}

void ActionRegistry::EnableShortcuts() {
  for (const auto& [id, shortcut] : shortcuts_) {
    QAction* target = action(id);
    if (!target) continue;
    target->setShortcuts(QKeySequence::listFromString(shortcut));
    target->setShortcutContext(Qt::WindowShortcut);
  }
}

void ActionRegistry::SetHandler(int id, std::function<void()> handler) {
  handlers_[id] = std::move(handler);
}

bool ActionRegistry::HasHandler(int id) const {
  const auto found = handlers_.find(id);
  return found != handlers_.end() && found->second;
}

bool ActionRegistry::Trigger(int id) {
  const auto found = handlers_.find(id);
  if (found == handlers_.end() || !found->second) return false;
  // A copy: the handler may replace itself while it runs.
  const auto handler = found->second;
  handler();
  return true;
}

QAction* ActionRegistry::action(int id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

}  // namespace vorlane

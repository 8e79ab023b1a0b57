// The main window's resource browser: the card grids of the eight tabs, and
// the actions of their cards.
#include <QCheckBox>
#include <QMenu>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>

#include "app/ui/go_to_window.h"
#include "app/ui/main_window.h"
#include "app/ui/stock_images.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"
#include "project/editor_run.h"
#include "project/rename.h"

namespace vorlane {
namespace {

size_t Slot(ResourceKind kind) { return static_cast<size_t>(kind); }

}  // namespace

CardGrid* MainWindow::grid(ResourceKind kind) const { return grids_[Slot(kind)]; }

QScrollArea* MainWindow::scroll_area(ResourceKind kind) const { return scrolls_[Slot(kind)]; }

QMenu* MainWindow::popup_menu(PopupKind popup) const {
  const auto found = popups_.find(popup);
  return found == popups_.end() ? nullptr : found->second;
}

int MainWindow::BrowserPageWidth() const {
  // Every tab page has the panel's size; a hidden panel has not been laid
  // out yet, so its pages are taken from the panel less its frame.
  int page = tabs_->width() - 4;
  for (QScrollArea* scroll : scrolls_)
    if (scroll->isVisible()) page = scroll->width();
  return std::max(0, page);
}

int MainWindow::BrowserPanelWidth() const {
  // Room is always kept for the vertical scroll bar, so its coming and going
  // never changes the layout.
  return std::max(0, BrowserPageWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void MainWindow::RefreshBrowser() {
  if (!tabs_) return;
  tabs_->setUpdatesEnabled(false);
  UpdateTitle();
  const int panel_width = BrowserPanelWidth();
  items_.Clear();
  for (ResourceKind kind : BrowserKinds()) FillTab(kind, panel_width);
  // The grids reach under the scroll bar's place, so the banners and the grey
  // run to the panel's edge; the cards keep clear of it.
  const int page_width = BrowserPageWidth();
  for (CardGrid* cards : grids_) cards->resize(page_width, cards->height());
  {
    const QSignalBlocker quiet(advanced_mode_);
    advanced_mode_->setChecked(session_.project.settings.advancedscriptmode == 1);
  }
  tabs_->setUpdatesEnabled(true);
}

void MainWindow::FillTab(ResourceKind kind, int panel_width) {
  const KindInfo& info = InfoOf(kind);
  CardGrid* cards = grids_[Slot(kind)];
  cards->Clear();
  const auto shown = ShownResources(session_.project, kind);
  const GridLayout layout = LayoutCards(static_cast<int>(shown.size()), panel_width);
  const int popup = static_cast<int>(PopupOf(kind));
  for (size_t i = 0; i < shown.size(); ++i) {
    const CardPosition at = layout.cards[i];
    const QString name = Q(shown[i].name);
    const int card = items_.Append(info.tab, shown[i].name, popup);
    cards->AddPicture(card, QRect(at.x, at.y, kCardWidth, kCardHeight), shown[i].picture, name);
    const int label = items_.Append(info.tab, "", -1);
    cards->AddLabel(label, QRect(at.x, at.y + kCardHeight + kLabelGap, kCardWidth, kLabelHeight),
                    name);
  }
  const int add_new = items_.Append(info.tab, "", -1);
  cards->AddPicture(add_new, QRect(layout.add_new.x, layout.add_new.y, kCardWidth, kCardHeight),
                    StockImage("card_add"), Q(std::string("Add a new ") + KindWord(kind)));
  add_new_controls_[Slot(kind)] = add_new;
  cards->resize(panel_width, layout.height);
}

void MainWindow::OnGridClicked(ResourceKind kind, int control) {
  if (control == add_new_controls_[Slot(kind)]) RunCommand(InfoOf(kind).add_command);
}

void MainWindow::OnBrowserRightClick(int control, const QPoint& where) {
  const bool found = items_.Select(control);
  for (CardGrid* cards : grids_) cards->SetHighlighted(-1);
  if (!found) return;
  const BrowserItem& item = items_[items_.SelectedItem()];
  const auto kind = KindOfTab(item.kind);
  if (!kind) return;
  grids_[Slot(*kind)]->SetHighlighted(control);
  // Not exec(): the chosen item arrives as an action, and nothing waits here.
  popup_menu(PopupOf(*kind))->popup(where);
}

void MainWindow::OnBrowserDoubleClick(int control) {
  if (!items_.Select(control)) return;
  const BrowserItem item = items_[items_.SelectedItem()];
  if (const auto kind = KindOfTab(item.kind)) OpenEditor(*kind, item.name);
}

void MainWindow::OnPopupAction(PopupAction action) {
  const int index = items_.SelectedItem();
  if (index < 0) return;
  // A copy: refreshing the browser rebuilds the item list.
  const BrowserItem item = items_[index];
  const auto kind = KindOfTab(item.kind);
  if (!kind) return;
  if (action == PopupAction::Edit) {
    OpenEditor(*kind, item.name);
    return;
  }
  if (action == PopupAction::FindUses) {
    FindUses(*kind, item.name);
    return;
  }
  if (action == PopupAction::Delete && !Dialogs().AskYesNo(this, "Confirm", DeleteQuestion(*kind)))
    return;
  bool changed = false;
  session_.history.Apply(PopupStepText(action, *kind, item.name), [&](Project& project) {
    changed = ApplyPopupAction(project, *kind, action, item.name);
  });
  if (changed) RefreshBrowser();
}

bool MainWindow::OpenEditor(ResourceKind kind, const std::string& name) {
  const auto found = editors_.find(kind);
  if (found == editors_.end() || !found->second) return false;
  const Editor editor = found->second;
  // The step is named after the resource as "Done" left it: renamed, maybe.
  const int index = ResourceIndex(session_.project, kind, name);
  RunEditor(
      session_.history,
      [&] {
        return PopupStepText(PopupAction::Edit, kind, ResourceName(session_.project, kind, index));
      },
      [&] { editor(name); });
  RefreshBrowser();
  Autosave();
  return true;
}

void MainWindow::GoToResource() {
  GoToWindow window(this, session_.project);
  if (Dialogs().Exec(window) != QDialog::Accepted || !window.chosen()) return;
  const ResourceMatch chosen = *window.chosen();
  tabs_->setCurrentIndex(static_cast<int>(Slot(chosen.kind)));
  OpenEditor(chosen.kind, chosen.name);
}

void MainWindow::AddNewResource(ResourceKind kind) {
  Project& project = session_.project;
  const std::string name = NewResource(project, kind);
  session_.history.Commit("New " + std::string(KindWord(kind)) + " " + name);
  tabs_->setCurrentIndex(static_cast<int>(Slot(kind)));
  // Without an editor the new card must still appear.
  if (!OpenEditor(kind, name)) RefreshBrowser();
}

}  // namespace vorlane

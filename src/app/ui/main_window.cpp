// The main window's frame: toolbar, menu bar, status line, tab panel, the
// title, the About window, Help and the exit rule.
#include "app/ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/app_text.h"
#include "app/help_file.h"
#include "app/ui/about_window.h"
#include "app/ui/find_panel.h"
#include "app/ui/output_panel.h"
#include "app/ui/stock_images.h"
#include "generate/debug_server.h"
#include "gui/ui/action_registry.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/image_view.h"
#include "gui/ui/qt_text.h"
#include "gui/ui/window_timer.h"
#include "project/lifecycle.h"
#include "project/rename.h"
#include "scene/scene_cards.h"

namespace vorlane {
namespace {

int Id(Command command) { return static_cast<int>(command); }

// A tab's page: one frameless area scrolling up and down, filling the page.
QScrollArea* TabScrollArea(QWidget* page, bool resizable) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(page);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidgetResizable(resizable);
  layout->addWidget(scroll);
  return scroll;
}

constexpr QColor kBrowserGrey(200, 200, 200);

struct GameTabButton {
  const char* picture;
  const char* tooltip;
  Command command;
};

constexpr GameTabButton kGameTabButtons[] = {
    {"game_global_variables", "Edit the global variables", Command::EditGlobalVariables},
    {"game_global_functions", "Edit the functions not listed in the Functions tab",
     Command::EditGlobalFunctions},
    {"game_comments", "Edit the game comments", Command::EditGameComments},
    {"game_extensions", "Choose the extensions the game uses", Command::Extensions},
};

enum class SaveChoice { Save, Discard, Stay };

// Yes saves, No discards; Cancel, Escape and the close box stay.
SaveChoice AskSaveChanges(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, "Confirm", kSaveBeforeExitQuestion,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  Dialogs().Exec(box);
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return SaveChoice::Save;
    case QMessageBox::No: return SaveChoice::Discard;
    default: return SaveChoice::Stay;
  }
}

}  // namespace

MainWindow::MainWindow(Session& session) : session_(session) {
  setWindowTitle("Vorlane");
  setWindowIcon(QIcon(StockPicturePath("vorlane")));
  resize(800, 600);
  canvas_ = new QWidget(this);
  setCentralWidget(canvas_);
  actions_ = new ActionRegistry(this);
  BuildToolbarAndMenus();
  BuildStatusLine();
  BuildPopupMenus();
  BuildTabPanel();
  InstallDefaultCommands();
  BuildOutputPanel();
  BuildFindPanel();
  connect(&session_.history.undo_stack(), &QUndoStack::indexChanged, this,
          [this] { ShowHistory(); });
  ShowHistory();
  RelayoutMainWindow();
  // The timer only looks at the modified flag once a minute.
  autosave_timer_ =
      std::make_unique<WindowTimer>(this, kAutosaveMilliseconds, [this] { Autosave(); });
  autosave_timer_->Start();
  code_rename_hook_ = std::make_unique<ScopedCodeRenameHook>(
      [this](Project& project, const std::string& old_name, const std::string& new_name) {
        AskCodeRename(project, old_name, new_name);
      });
}

MainWindow::~MainWindow() { StopDebugRun(); }

void MainWindow::BuildToolbarAndMenus() {
  std::vector<ActionSpec> menu;
  for (const auto& entry : MenuTable()) {
    if (entry.separator) {
      menu.push_back({-1, Q(entry.menu), {}, {}, {}, {}});
      continue;
    }
    menu.push_back({Id(entry.command), Q(entry.menu), Q(entry.text), Q(entry.shortcut),
                    Q(entry.theme_icon), StockPicturePath(entry.picture)});
  }
  actions_->BuildMenuBar(menuBar(), menu);

  std::vector<ToolSpec> tools;
  for (const auto& entry : ToolbarTable())
    tools.push_back({Id(entry.command), entry.x, 10, entry.width, 25, Q(entry.tooltip),
                     entry.picture.empty() ? QString() : StockPicturePath(entry.picture)});
  actions_->BuildToolbar(canvas_, tools);
}

void MainWindow::BuildStatusLine() {
  status_ = MakeLabel(canvas_, kStatusReady, 450, 10, 200, 25);
  status_->setFont(Fonts().normal);
  // Run game names the page it opened there; the user may copy it.
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void MainWindow::BuildPopupMenus() {
  for (PopupKind popup : {PopupKind::Sprite, PopupKind::Background, PopupKind::Font,
                          PopupKind::Object, PopupKind::Sound, PopupKind::Music, PopupKind::Scene,
                          PopupKind::Function, PopupKind::Event}) {
    auto* menu = new QMenu(this);
    for (const auto& entry : PopupItems(popup)) {
      if (entry.separator) {
        menu->addSeparator();
        continue;
      }
      const PopupAction action = entry.action;
      QAction* item = menu->addAction(Q(entry.text));
      // The object dialog's event list handles its own popup.
      if (popup != PopupKind::Event)
        connect(item, &QAction::triggered, this, [this, action] { OnPopupAction(action); });
    }
    popups_[popup] = menu;
  }
}

void MainWindow::BuildTabPanel() {
  tabs_ = new QTabWidget(canvas_);
  tabs_->tabBar()->setFont(Fonts().normal);
  tabs_->setIconSize(QSize(16, 16));
  for (ResourceKind kind : BrowserKinds()) {
    const KindInfo& info = InfoOf(kind);
    tabs_->addTab(BuildBrowserTab(kind), QIcon(StockPicturePath(info.tab_icon)), Q(info.label));
  }
  tabs_->addTab(BuildGameTab(), " Game ");
}

QWidget* MainWindow::BuildBrowserTab(ResourceKind kind) {
  const auto index = static_cast<size_t>(kind);
  auto* page = new QWidget;
  auto* scroll = TabScrollArea(page, false);
  QPalette palette = scroll->palette();
  palette.setColor(QPalette::Window, kBrowserGrey);
  scroll->setPalette(palette);
  scroll->setBackgroundRole(QPalette::Window);
  scroll->setAutoFillBackground(true);

  auto* grid = new CardGrid;
  grid->SetBackground(kBrowserGrey);
  grid->SetLabelFont(Fonts().bold);
  grid->SetBanner(StockPixmap(InfoOf(kind).banner));
  scroll->setWidget(grid);
  connect(grid, &CardGrid::Clicked, this,
          [this, kind](int control) { OnGridClicked(kind, control); });
  connect(grid, &CardGrid::DoubleClicked, this, &MainWindow::OnBrowserDoubleClick);
  connect(grid, &CardGrid::RightClicked, this, &MainWindow::OnBrowserRightClick);
  if (kind == ResourceKind::Function) {
    connect(MakeButton(grid, "Export...", 300, 10, 100, 30), &QPushButton::clicked, this,
            [this] { RunCommand(Command::ExportFunctions); });
    connect(MakeButton(grid, "Import...", 410, 10, 100, 30), &QPushButton::clicked, this,
            [this] { RunCommand(Command::ImportFunctions); });
  }
  scrolls_[index] = scroll;
  grids_[index] = grid;
  return page;
}

QWidget* MainWindow::BuildGameTab() {
  // The same grey, scrolling page with a header band as the resource tabs;
  // the buttons sit under the band.
  constexpr int kBandHeight = 50;
  auto* page = new QWidget;
  auto* scroll = TabScrollArea(page, true);
  auto* content = new QWidget;
  QPalette palette = content->palette();
  palette.setColor(QPalette::Window, kBrowserGrey);
  content->setPalette(palette);
  content->setAutoFillBackground(true);
  content->setMinimumHeight(kBandHeight + 300);
  MakePicture(content, 0, 0, 2880, kBandHeight)->SetPicture(StockPixmap("banner_game"));
  for (int i = 0; i < 4; ++i) {
    PictureButton* button = MakePictureButton(content, 10, kBandHeight + 10 + 60 * i, 275, 38);
    button->SetPicture(StockPixmap(kGameTabButtons[i].picture));
    button->setToolTip(kGameTabButtons[i].tooltip);
    const Command command = kGameTabButtons[i].command;
    connect(button, &PictureButton::Clicked, this, [this, command] { RunCommand(command); });
    game_buttons_[i] = button;
  }
  advanced_mode_ = MakeCheckBox(content, "Advanced scripting mode", 20, kBandHeight + 250, 200, 30);
  advanced_mode_->setFont(Fonts().bold);
  // A substitute for Arial may be wider; the text must not be cut off.
  advanced_mode_->resize(std::max(200, advanced_mode_->sizeHint().width()), 30);
  // Only the user's clicks arrive here: the browser refresh sets it quietly.
  connect(advanced_mode_, &QCheckBox::toggled, this, [this](bool on) {
    session_.history.Apply(
        on ? "Turn on advanced scripting mode" : "Turn off advanced scripting mode",
        [on](Project& project) { project.settings.advancedscriptmode = on ? 1 : 0; });
  });
  scroll->setWidget(content);
  return page;
}

void MainWindow::InstallDefaultCommands() {
  using C = Command;
  SetCommandHandler(C::New, [this] { NewProject(); });
  SetCommandHandler(C::Open, [this] { OpenProject(); });
  SetCommandHandler(C::Save, [this] {
    if (SaveProject() && !session_.project.projectname.empty()) GenerateGame();
  });
  SetCommandHandler(C::SaveAs, [this] {
    if (SaveProjectAs()) GenerateGame();
  });
  SetCommandHandler(C::RunGame, [this] { RunGame(); });
  SetCommandHandler(C::ExportGame, [this] { ExportGame(); });
  SetCommandHandler(C::DebugGame, [this] { DebugGame(); });
  SetCommandHandler(C::ShowOutput, [this] { output_->show(); });
  SetCommandHandler(C::Exit, [this] { ExitProgram(); });
  for (ResourceKind kind : BrowserKinds())
    SetCommandHandler(InfoOf(kind).add_command, [this, kind] { AddNewResource(kind); });
  SetCommandHandler(C::Undo, [this] { MoveInHistory(true); });
  SetCommandHandler(C::Redo, [this] { MoveInHistory(false); });
  SetCommandHandler(C::GoToResource, [this] { GoToResource(); });
  SetCommandHandler(C::FindInProject, [this] { find_->Begin(); });
  SetCommandHandler(C::Help, [this] { ShowHelp(); });
  SetCommandHandler(C::About, [this] { ShowAbout(); });
}

void MainWindow::ShowHelp() {
  const HelpChoice help = ChooseHelp(WorkingDirectory(), session_.prefs.add_file_protocol);
  switch (help.kind) {
    case HelpKind::HelpFile:
      if (!QDesktopServices::openUrl(QUrl::fromLocalFile(Q(help.path))))
        Dialogs().Message(this, "Message",
                          "No program could be started to show " + help.path + ".");
      return;
    case HelpKind::Missing: Dialogs().Message(this, "Message", help.message); return;
    case HelpKind::Manual:
      if (!OpenInWebBrowser(help.address, PathList(), launcher_))
        Dialogs().Message(this, "Message", NoBrowserMessage(help.address));
      return;
  }
}

std::string MainWindow::PathList() const {
  if (path_list_set_) return path_list_;
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

void MainWindow::SetCommandHandler(Command command, std::function<void()> handler) {
  if (!handler) return actions_->SetHandler(Id(command), nullptr);
  // Whatever a command changed that it did not make a step of is one now,
  // so the history and the modified flag describe the project as it is.
  actions_->SetHandler(Id(command), [this, handler = std::move(handler)] {
    handler();
    session_.history.Commit(EditStack::kChanges);
  });
}

void MainWindow::MoveInHistory(bool back) {
  EditStack& history = session_.history;
  if (!(back ? history.Undo() : history.Redo())) return;
  RedrawStaleSceneCards(session_.project);
  RefreshBrowser();
}

void MainWindow::ShowHistory() {
  const EditStack& history = session_.history;
  // The menu's items name the step: "Undo Delete sprite spr_gem".
  const auto show = [this](Command command, bool can, const std::string& step) {
    QAction* action = actions_->action(Id(command));
    const std::string& text = MenuEntryOf(command).text;  // "Undo\tCtrl + Z"
    const size_t tab = text.find('\t');
    action->setText(Q(can ? text.substr(0, tab) + " " + step + text.substr(tab) : text));
    action->setEnabled(can);
  };
  show(Command::Undo, history.can_undo(), history.undo_text());
  show(Command::Redo, history.can_redo(), history.redo_text());
  // Every change to the project is a step: the found matches follow it.
  if (find_) find_->ProjectChanged();
}

bool MainWindow::RunCommand(Command command) { return actions_->Trigger(Id(command)); }

void MainWindow::SetResourceEditor(ResourceKind kind, Editor editor) {
  editors_[kind] = std::move(editor);
}

void MainWindow::EnableShortcuts() { actions_->EnableShortcuts(); }

void MainWindow::UpdateTitle() {
  setWindowTitle(Q(MainWindowTitle(kVersion, session_.project.projectname)));
}

void MainWindow::RelayoutMainWindow() {
  if (!tabs_) return;
  const int menu_height =
      menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
  tabs_->setGeometry(5, 45, std::max(0, width() - 10), std::max(0, height() - menu_height - 50));
  // The status line runs to the window's edge, so a long page path fits.
  status_->resize(std::max(200, width() - 460), status_->height());
  RefreshBrowser();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RelayoutMainWindow();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RelayoutMainWindow();
}

void MainWindow::SetStatus(const std::string& text) {
  status_->setText(Q(text));
  status_->setToolTip(Q(text));  // the whole text, should the line cut it off
  // Shown at once: the work that follows may keep the loop busy.
  status_->repaint();
}

std::string MainWindow::status() const { return status_->text().toStdString(); }

void MainWindow::ShowAbout() {
  AboutWindow about(this);
  Dialogs().Exec(about);
}

bool MainWindow::ExitProgram() {
  switch (ExitQuestionFor(session_.project, session_.prefs)) {
    case ExitQuestion::None: break;
    case ExitQuestion::Plain:
      if (!Dialogs().AskYesNo(this, "Confirm", kExitQuestion)) return false;
      break;
    case ExitQuestion::SaveChanges:
      switch (AskSaveChanges(this)) {
        case SaveChoice::Stay: return false;
        case SaveChoice::Discard: break;
        // As the Save command; a cancelled or failed save keeps the program open.
        case SaveChoice::Save:
          if (!SaveProject() || !GenerateGame()) return false;
          break;
      }
      break;
  }
  Leave();
  return true;
}

void MainWindow::Leave() {
  StopDebugRun();
  // A normal exit leaves nothing to restore.
  autosaver_.Remove(session_.project.tempfolder);
  FinishSession(session_.project, session_.prefs);
  leaving_ = true;
  if (exit_action_) {
    exit_action_();
    return;
  }
  hide();
  QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (leaving_ || ExitProgram())
    event->accept();
  else
    event->ignore();
}

}  // namespace vorlane

// The main window: toolbar, menu bar, status line and the tabbed resource
// browser, and the commands they dispatch. Windows of other parts of the
// program plug in through SetCommandHandler and SetResourceEditor.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/browser_actions.h"
#include "app/browser_model.h"
#include "app/main_commands.h"
#include "app/session.h"
#include "generate/run_game.h"
#include "generate/script_place.h"
#include "project/autosaver.h"

class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;
class QTabWidget;

namespace vorlane {

class ActionRegistry;
class BrowserStarts;
class DebugServer;
class FindPanel;
class OutputPanel;
class CardGrid;
class PictureButton;
class ScopedCodeRenameHook;
class WindowTimer;
struct GenerateReport;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Session& session);
  ~MainWindow() override;

  Session& session() { return session_; }

  // --- Plugging in ---
  // Replaces what a command does. The defaults: the project commands, Run
  // game, About, Exit, the Add new commands (which then open the kind's
  // editor), Help; every other command does nothing until a handler comes.
  void SetCommandHandler(Command command, std::function<void()> handler);
  // Runs a command as its menu item, toolbar button or shortcut does.
  bool RunCommand(Command command);
  // The editor of one kind (Edit, double click, and after Add new), given the
  // resource's name. The browser is rebuilt when it returns.
  using Editor = std::function<void(const std::string& name)>;
  void SetResourceEditor(ResourceKind kind, Editor editor);
  // Makes the menu table's shortcuts work (start-up step 11).
  void EnableShortcuts();

  // How Run game and Help start a program and where they look for it (tests
  // replace both); and what ends the program (normally: leave the event loop).
  void SetLauncher(Launcher launcher) { launcher_ = std::move(launcher); }
  void SetPathList(std::string path_list) {
    path_list_ = std::move(path_list);
    path_list_set_ = true;
  }
  void SetExitAction(std::function<void()> action) { exit_action_ = std::move(action); }
  // Opens the code dialog of a script at a line, or a part of it (the
  // Output panel, the window naming scripts that do not parse, Find in
  // project).
  using ScriptOpener = std::function<void(const ScriptPlace& place, CodeSpot spot)>;
  void SetScriptOpener(ScriptOpener opener) { script_opener_ = std::move(opener); }
  void OpenScriptAt(const ScriptPlace& place, CodeSpot spot);

  // --- Main window ---
  void UpdateTitle();
  void RelayoutMainWindow();
  void ShowAbout();
  // Help (F1): vorlane.chm when there is one, else the manual in the web
  // browser; a "Message" box when neither can be shown.
  void ShowHelp();
  // The folders Run game and Help look in for the browser (PATH, unless a
  // test set its own).
  std::string PathList() const;
  // The exit rule: unsaved changes are saved, dropped or kept by staying;
  // otherwise the preference decides whether to ask. False on staying.
  bool ExitProgram();
  void SetStatus(const std::string& text);
  std::string status() const;

  // --- Resource browser ---
  void RefreshBrowser();
  void OnBrowserRightClick(int control, const QPoint& where);
  void OnBrowserDoubleClick(int control);
  void OnPopupAction(PopupAction action);
  const BrowserItems& browser_items() const { return items_; }
  // The width the cards are laid out in: the tab page less room for a
  // scroll bar.
  int BrowserPanelWidth() const;
  int BrowserPageWidth() const;
  CardGrid* grid(ResourceKind kind) const;
  QScrollArea* scroll_area(ResourceKind kind) const;
  QMenu* popup_menu(PopupKind popup) const;
  QTabWidget* tabs() const { return tabs_; }
  QCheckBox* advanced_mode_box() const { return advanced_mode_; }
  PictureButton* game_button(int index) const { return game_buttons_[index]; }

  // --- Project commands ---
  void NewProject();   // the New command, question included
  void OpenProject();  // the Open command
  // Save and Save as, without the generation that follows them.
  bool SaveProject();
  bool SaveProjectAs();
  // Generates the game files and reports on the status line. False when a
  // file could not be written (the user has been told).
  bool GenerateGame();
  // Saves, generates and hands the page to the browser; the status line
  // says what was written and which page went to which program.
  void RunGame();
  // Saves, generates and packs the game into a zip the user chooses.
  void ExportGame();
  // Debug game: saves and generates as Run game does (with the map from
  // game.js lines to scripts), serves the project folder on 127.0.0.1 and
  // opens the page; its reports go to the Output panel.
  void DebugGame();
  void StopDebugRun();
  DebugServer* debug_server() const { return debug_.get(); }
  OutputPanel* output_panel() const { return output_; }
  FindPanel* find_panel() const { return find_; }
  // False, after naming each broken script, when a script of the game does
  // not parse.
  bool ScriptsParse();
  // A fresh, empty project without asking (start-up, and New once agreed).
  void StartFreshProject();

  // --- Crash recovery ---
  // Start-up: offers to restore what a run that did not exit normally left,
  // newest first, until one is restored.
  void OfferRecovery();
  // Writes the recovery file in the background when the project has unsaved
  // changes (every minute, and when an editor closes).
  void Autosave();
  Autosaver& autosaver() { return autosaver_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildToolbarAndMenus();
  void BuildStatusLine();
  void BuildPopupMenus();
  void BuildTabPanel();
  QWidget* BuildBrowserTab(ResourceKind kind);
  QWidget* BuildGameTab();
  void InstallDefaultCommands();
  void AddNewResource(ResourceKind kind);
  // Undo (back) or redo one step of the history, from the Edit menu.
  void MoveInHistory(bool back);
  void GoToResource();
  // "Find uses" on a card: the window listing the uses, then the chosen
  // one opened.
  void FindUses(ResourceKind kind, const std::string& name);
  // A dialog's "Done" renamed a resource that scripts name: ask whether
  // they follow (the rename's own step takes what they change).
  void AskCodeRename(Project& project, const std::string& old_name, const std::string& new_name);
  // The Edit menu's items name the steps they would undo and redo.
  void ShowHistory();
  bool OpenEditor(ResourceKind kind, const std::string& name);  // false: no editor yet
  void FillTab(ResourceKind kind, int panel_width);
  void OnGridClicked(ResourceKind kind, int control);
  // Saves under `name` ("" when the name dialog was cancelled) and tells
  // the user what went wrong.
  bool WriteAndReport(const std::string& name);
  // Writes the game files; false, the user told, when they could not be.
  bool WriteGameFiles(GenerateReport* report);
  bool StartBrowser(const std::string& program, const std::string& argument);
  void BuildOutputPanel();
  // Find in project: the panel, and its Replace all (a preview, then one step).
  void BuildFindPanel();
  void ReplaceAllFound();
  void Leave();

  Session& session_;
  ActionRegistry* actions_ = nullptr;
  QWidget* canvas_ = nullptr;  // the window's area below the menu bar
  QLabel* status_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<QScrollArea*, 8> scrolls_{};
  std::array<CardGrid*, 8> grids_{};
  std::array<int, 8> add_new_controls_{};
  std::map<PopupKind, QMenu*> popups_;
  QCheckBox* advanced_mode_ = nullptr;
  std::array<PictureButton*, 4> game_buttons_{};
  BrowserItems items_;
  std::map<ResourceKind, Editor> editors_;
  Launcher launcher_;
  BrowserStarts* browser_starts_ = nullptr;
  std::unique_ptr<DebugServer> debug_;
  OutputPanel* output_ = nullptr;
  FindPanel* find_ = nullptr;
  ScriptOpener script_opener_;
  int saved_files_ = 0;  // by the last save of the project, for the status line
  std::string path_list_;
  bool path_list_set_ = false;
  std::function<void()> exit_action_;
  bool leaving_ = false;
  Autosaver autosaver_;
  std::unique_ptr<WindowTimer> autosave_timer_;
  std::unique_ptr<ScopedCodeRenameHook> code_rename_hook_;
};

}  // namespace vorlane

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "app/browser_model.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/image_view.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class BrowserTest : public test::MainWindowFixture {
 protected:
  // The control of the card showing `name` in the tab of `kind`.
  int CardOf(ResourceKind kind, const std::string& name) {
    for (const auto& item : window().browser_items().items())
      if (item.kind == InfoOf(kind).tab && item.name == name) return item.control;
    return -1;
  }

  // Right-clicks the card and chooses `text` in its popup.
  void Choose(ResourceKind kind, const std::string& name, const QString& text) {
    const int control = CardOf(kind, name);
    ASSERT_GE(control, 0) << name;
    window().OnBrowserRightClick(control, QPoint(100, 100));
    QMenu* menu = window().popup_menu(PopupOf(kind));
    ASSERT_TRUE(menu->isVisible());
    menu->hide();
    for (QAction* action : menu->actions())
      if (action->text() == text) return action->trigger();
    FAIL() << "no popup item " << text.toStdString();
  }

  Strings SceneOrder() {
    Strings names;
    for (const auto& scene : project().scenes) names.push_back(scene.name);
    return names;
  }
};

TEST_F(BrowserTest, CardsAndLabelsFollowTheLayout) {
  Start();
  CardGrid* grid = window().grid(ResourceKind::Sprite);
  ASSERT_EQ(grid->count(), 1);  // an empty tab: only the add-new card, at the first place
  EXPECT_EQ(grid->RectOf(window().browser_items()[0].control), QRect(10, 60, 150, 100));

  for (int i = 0; i < 9; ++i) NewSprite(project());
  for (int width : {900, 520}) {
    SCOPED_TRACE(width);
    window().resize(width, 600);
    window().RefreshBrowser();
    const GridLayout layout = LayoutCards(9, window().BrowserPanelWidth());
    for (int i = 0; i < 9; ++i) {
      const int card = CardOf(ResourceKind::Sprite, project().sprites[i].name);
      const auto [x, y] = layout.cards[i];
      EXPECT_EQ(grid->RectOf(card), QRect(x, y, 150, 100));
      // The name label is the next item, 5 pixels below its card, with no popup.
      EXPECT_EQ(grid->RectOf(card + 1), QRect(x, y + 105, 150, 20));
      EXPECT_EQ(grid->TextOf(card + 1).toStdString(), project().sprites[i].name);
      EXPECT_EQ(window().browser_items()[card + 1].popup, -1);
    }
    EXPECT_EQ(grid->height(), layout.height);
  }
}

TEST_F(BrowserTest, AddNewCardsDoWhatTheResourcesMenuDoes) {
  Strings edited;
  Start([&](MainWindow& window) {
    window.SetResourceEditor(ResourceKind::Object,
                             [&](const std::string& name) { edited.push_back(name); });
  });
  CardGrid* grid = window().grid(ResourceKind::Function);
  const int add_new = window().browser_items().size() - 1;
  EXPECT_EQ(grid->TextOf(add_new).toStdString(), "Add a new function");
  emit grid->Clicked(add_new);
  ASSERT_EQ(project().fns.size(), 1u);
  EXPECT_EQ(window().tabs()->currentIndex(), 7);
  EXPECT_GE(CardOf(ResourceKind::Function, project().fns[0].name), 0);

  window().RunCommand(Command::AddObject);
  ASSERT_EQ(project().objects.size(), 1u);
  EXPECT_EQ(edited, Strings{project().objects[0].name});
  EXPECT_EQ(project().modified, 1);
}

TEST_F(BrowserTest, DeleteAsksFirst) {
  Start();
  const auto a = NewSprite(project());
  const auto b = NewSprite(project());
  window().RefreshBrowser();

  dialogs_.AnswerNo();
  Choose(ResourceKind::Sprite, a, "Delete");
  EXPECT_EQ(project().sprites.size(), 2u);
  dialogs_.AnswerYes();
  Choose(ResourceKind::Sprite, a, "Delete");
  EXPECT_EQ(dialogs_.Boxes(), Strings(2, "Confirm: Do you really want to delete this sprite?"));
  ASSERT_EQ(project().sprites.size(), 1u);
  EXPECT_EQ(CardOf(ResourceKind::Sprite, a), -1) << "the browser was rebuilt";
  EXPECT_GE(CardOf(ResourceKind::Sprite, b), 0);
}

TEST_F(BrowserTest, DuplicateEditAndDoubleClick) {
  Strings edited;
  Start([&](MainWindow& window) {
    window.SetResourceEditor(ResourceKind::Object,
                             [&](const std::string& name) { edited.push_back("object " + name); });
    window.SetResourceEditor(ResourceKind::Scene,
                             [&](const std::string& name) { edited.push_back("scene " + name); });
  });
  const auto object = NewObject(project());
  const auto scene = NewScene(project());
  window().RefreshBrowser();

  Choose(ResourceKind::Object, object, "Duplicate");
  ASSERT_EQ(project().objects.size(), 2u);
  EXPECT_EQ(project().objects[1].name, object + "_dup");
  EXPECT_GE(CardOf(ResourceKind::Object, object + "_dup"), 0);

  Choose(ResourceKind::Object, object, "Edit");
  window().OnBrowserDoubleClick(CardOf(ResourceKind::Scene, scene));
  window().OnBrowserDoubleClick(CardOf(ResourceKind::Scene, scene) + 1);  // a label opens nothing
  EXPECT_EQ(edited, (Strings{"object " + object, "scene " + scene}));

  // Without a selection a popup action does nothing.
  window().OnBrowserRightClick(CardOf(ResourceKind::Scene, scene) + 1, QPoint());
  EXPECT_EQ(window().browser_items().SelectedItem(), -1);
  window().OnPopupAction(PopupAction::Delete);
  EXPECT_EQ(project().scenes.size(), 1u);
}

TEST_F(BrowserTest, SceneMoves) {
  Start();
  const auto a = NewScene(project()), b = NewScene(project()), c = NewScene(project());
  window().RefreshBrowser();
  const int first_card = CardOf(ResourceKind::Scene, a);
  Choose(ResourceKind::Scene, a, "Move backward");
  Choose(ResourceKind::Scene, c, "Move forward");
  EXPECT_EQ(SceneOrder(), (Strings{a, b, c}));
  // No refresh either: the first card is still the one right-clicked.
  EXPECT_EQ(window().browser_items().SelectedItem(), CardOf(ResourceKind::Scene, c));
  EXPECT_EQ(CardOf(ResourceKind::Scene, a), first_card);

  Choose(ResourceKind::Scene, b, "Move backward");
  EXPECT_EQ(SceneOrder(), (Strings{b, a, c}));
  EXPECT_EQ(window().grid(ResourceKind::Scene)->TextOf(first_card + 1).toStdString(), b);
}

// Otherwise a following New or Open would drop them without asking.
TEST_F(BrowserTest, BrowserChangesMarkTheProjectModified) {
  Start();
  const auto object = NewObject(project());
  const auto a = NewScene(project()), b = NewScene(project());
  window().RefreshBrowser();
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"duplicate", [&] { Choose(ResourceKind::Object, object, "Duplicate"); }},
      {"move backward", [&] { Choose(ResourceKind::Scene, b, "Move backward"); }},
      {"move forward", [&] { Choose(ResourceKind::Scene, b, "Move forward"); }},
      {"advanced mode", [&] { window().advanced_mode_box()->setChecked(true); }},
      {"delete", [&] { dialogs_.AnswerYes(), Choose(ResourceKind::Object, object, "Delete"); }},
  };
  for (const auto& [what, change] : changes) {
    SetModified(project(), 0);
    change();
    EXPECT_EQ(project().modified, 1) << what;
  }
  SetModified(project(), 0);
  Choose(ResourceKind::Scene, a, "Move backward");  // already first: nothing changes
  dialogs_.AnswerNo();
  Choose(ResourceKind::Scene, a, "Delete");
  EXPECT_EQ(project().modified, 0);
}

TEST_F(BrowserTest, GameTabAndFunctionsTabButtons) {
  Strings ran;
  Start([&](MainWindow& window) {
    for (auto [command, name] : {std::pair{Command::EditGlobalVariables, "variables"},
                                 std::pair{Command::EditGlobalFunctions, "functions"},
                                 std::pair{Command::EditGameComments, "comments"},
                                 std::pair{Command::Extensions, "extensions"},
                                 std::pair{Command::ExportFunctions, "export"},
                                 std::pair{Command::ImportFunctions, "import"}})
      window.SetCommandHandler(command, [&ran, name = std::string(name)] { ran.push_back(name); });
  });
  for (int i = 0; i < 4; ++i) window().game_button(i)->Click();
  for (const char* text : {"Export...", "Import..."}) {
    QPushButton* button = FindButton(*window().grid(ResourceKind::Function), text);
    ASSERT_NE(button, nullptr);
    button->click();
  }
  EXPECT_EQ(ran, (Strings{"variables", "functions", "comments", "extensions", "export", "import"}));

  window().advanced_mode_box()->setChecked(true);
  EXPECT_EQ(project().settings.advancedscriptmode, 1);
  project().settings.advancedscriptmode = 0;
  window().RefreshBrowser();
  EXPECT_FALSE(window().advanced_mode_box()->isChecked());
}

TEST_F(BrowserTest, GameTabHasTheHeaderBandOfTheOtherTabs) {
  Start();
  QWidget* page = window().game_button(0)->parentWidget();
  const auto pictures = page->findChildren<PictureControl*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0]->geometry(), QRect(0, 0, 2880, 50));
  EXPECT_FALSE(pictures[0]->picture().isNull());
  EXPECT_EQ(page->palette().color(QPalette::Window), QColor(200, 200, 200));
  // The controls keep their spacing, under the band.
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(window().game_button(i)->geometry(), QRect(10, 60 + 60 * i, 275, 38)) << i;
  EXPECT_EQ(window().advanced_mode_box()->pos(), QPoint(20, 300));
}

}  // namespace
}  // namespace vorlane

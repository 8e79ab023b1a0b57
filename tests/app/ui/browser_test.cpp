#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "app/browser_model.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/image_view.h"
#include "project/thumbnails.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

class BrowserTest : public test::MainWindowFixture {
 protected:
  // The control of the card showing `name` in the tab of `kind`.
  int CardOf(ResourceKind kind, const std::string& name) {
    const auto& items = window().browser_items().items();
    for (const auto& item : items)
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

  std::vector<std::string> SceneOrder() {
    std::vector<std::string> names;
    for (const auto& scene : project().scenes) names.push_back(scene.name);
    return names;
  }
};

TEST_F(BrowserTest, CardsAndLabelsFollowTheLayout) {
  Start();
  window().resize(900, 600);
  for (int i = 0; i < 9; ++i) NewSprite(project());
  window().RefreshBrowser();
  const int width = window().BrowserPanelWidth();
  ASSERT_GT(width, 0);
  const GridLayout layout = LayoutCards(9, width);
  CardGrid* grid = window().grid(ResourceKind::Sprite);
  for (int i = 0; i < 9; ++i) {
    const int card = CardOf(ResourceKind::Sprite, project().sprites[i].name);
    EXPECT_EQ(grid->RectOf(card), QRect(layout.cards[i].x, layout.cards[i].y, 150, 100));
    // The name label is the next item, 5 pixels below its card.
    EXPECT_EQ(grid->RectOf(card + 1), QRect(layout.cards[i].x, layout.cards[i].y + 105, 150, 20));
    EXPECT_EQ(grid->TextOf(card + 1).toStdString(), project().sprites[i].name);
    EXPECT_EQ(window().browser_items()[card + 1].popup, -1);
  }
  EXPECT_EQ(grid->height(), layout.height);

  // Narrower: more rows, same rule.
  window().resize(520, 600);
  const GridLayout narrow = LayoutCards(9, window().BrowserPanelWidth());
  const int first_of_row_2 = CardOf(ResourceKind::Sprite, project().sprites[3].name);
  EXPECT_EQ(grid->RectOf(first_of_row_2).topLeft(), QPoint(narrow.cards[3].x, narrow.cards[3].y));
}

TEST_F(BrowserTest, AddNewCardsDoWhatTheResourcesMenuDoes) {
  std::vector<std::string> edited;
  Start([&](MainWindow& window) {
    window.SetResourceEditor(ResourceKind::Object,
                             [&](const std::string& name) { edited.push_back(name); });
  });
  CardGrid* grid = window().grid(ResourceKind::Function);
  // The empty tab holds only the add-new card, at the first place.
  ASSERT_EQ(grid->count(), 1);
  const int add_new = window().browser_items().size() - 1;
  EXPECT_EQ(grid->RectOf(add_new), QRect(10, 60, 150, 100));
  emit grid->Clicked(add_new);
  ASSERT_EQ(project().fns.size(), 1u);
  EXPECT_EQ(window().tabs()->currentIndex(), 7);
  EXPECT_GE(CardOf(ResourceKind::Function, project().fns[0].name), 0);

  window().RunCommand(Command::AddObject);
  ASSERT_EQ(project().objects.size(), 1u);
  EXPECT_EQ(edited, std::vector<std::string>{project().objects[0].name});
  EXPECT_EQ(project().modified, 1);
}

TEST_F(BrowserTest, DeleteAsksFirst) {
  Start();
  const auto a = NewSprite(project());
  const auto b = NewSprite(project());
  window().RefreshBrowser();
  project().modified = 0;

  dialogs_.AnswerNo();
  Choose(ResourceKind::Sprite, a, "Delete");
  EXPECT_EQ(project().sprites.size(), 2u);
  dialogs_.AnswerYes();
  Choose(ResourceKind::Sprite, a, "Delete");
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>(2, "Confirm: Do you really want to delete this sprite?")));
  ASSERT_EQ(project().sprites.size(), 1u);
  EXPECT_EQ(CardOf(ResourceKind::Sprite, a), -1) << "the browser was rebuilt";
  EXPECT_EQ(project().modified, 0);

  // Deleting the only sprite leaves the add-new card at the first place.
  dialogs_.AnswerYes();
  Choose(ResourceKind::Sprite, b, "Delete");
  CardGrid* grid = window().grid(ResourceKind::Sprite);
  ASSERT_EQ(grid->count(), 1);
  EXPECT_EQ(grid->RectOf(window().browser_items()[0].control), QRect(10, 60, 150, 100));
}

TEST_F(BrowserTest, DuplicateEditAndDoubleClick) {
  std::vector<std::string> edited;
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
  // Labels and add-new cards open nothing.
  window().OnBrowserDoubleClick(CardOf(ResourceKind::Scene, scene) + 1);
  EXPECT_EQ(edited, (std::vector<std::string>{"object " + object, "scene " + scene}));

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
  EXPECT_EQ(SceneOrder(), (std::vector<std::string>{a, b, c}));
  // No refresh either: the first card is still the one right-clicked.
  EXPECT_EQ(window().browser_items().SelectedItem(), CardOf(ResourceKind::Scene, c));
  EXPECT_EQ(CardOf(ResourceKind::Scene, a), first_card);

  Choose(ResourceKind::Scene, b, "Move backward");
  EXPECT_EQ(SceneOrder(), (std::vector<std::string>{b, a, c}));
  EXPECT_EQ(window().grid(ResourceKind::Scene)->TextOf(first_card + 1).toStdString(), b);
  Choose(ResourceKind::Scene, b, "Move forward");
  EXPECT_EQ(SceneOrder(), (std::vector<std::string>{a, b, c}));
}

TEST_F(BrowserTest, GameTabAndFunctionsTabButtons) {
  std::vector<std::string> ran;
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
  CardGrid* functions = window().grid(ResourceKind::Function);
  for (const char* text : {"Export...", "Import..."}) {
    QPushButton* button = FindButton(*functions, text);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), QSize(100, 30));
    button->click();
  }
  EXPECT_EQ(ran, (std::vector<std::string>{"variables", "functions", "comments", "extensions",
                                           "export", "import"}));
  EXPECT_EQ(window().game_button(3)->geometry(), QRect(10, 190, 275, 38));

  window().advanced_mode_box()->setChecked(true);
  EXPECT_EQ(project().settings.advancedscriptmode, 1);
  project().settings.advancedscriptmode = 0;
  window().RefreshBrowser();
  EXPECT_FALSE(window().advanced_mode_box()->isChecked());
}

}  // namespace
}  // namespace vorlane

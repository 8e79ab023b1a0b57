#include "app/browser_model.h"

#include <gtest/gtest.h>

#include "app/browser_actions.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

std::vector<std::string> Names(const std::vector<ShownResource>& shown) {
  std::vector<std::string> names;
  for (const auto& s : shown) names.push_back(s.name);
  return names;
}

TEST(BrowserLayoutTest, CardsWrapWithThePanelWidth) {
  // 500 wide: col 3 gives 480 > 340, so each row holds three cards.
  const GridLayout layout = LayoutCards(7, 500);
  ASSERT_EQ(layout.cards.size(), 7u);
  const std::vector<CardPosition> expected = {{10, 60},   {170, 60},  {330, 60}, {10, 190},
                                              {170, 190}, {330, 190}, {10, 320}};
  EXPECT_EQ(layout.cards, expected);
  EXPECT_EQ(layout.add_new, (CardPosition{170, 320}));
  EXPECT_EQ(layout.height, 10 + 2 * 180 + 180);

  // A full row moves the add-new card to the next row.
  const GridLayout full = LayoutCards(3, 500);
  EXPECT_EQ(full.add_new, (CardPosition{10, 190}));
  EXPECT_EQ(full.height, 10 + 180 + 180);

  const GridLayout none = LayoutCards(0, 500);
  EXPECT_TRUE(none.cards.empty());
  EXPECT_EQ(none.add_new, (CardPosition{10, 60}));
  EXPECT_EQ(none.height, 190);

  // Wider panels hold more; a panel narrower than a card puts one per row.
  EXPECT_EQ(LayoutCards(5, 820).cards[4], (CardPosition{650, 60}));
  EXPECT_EQ(LayoutCards(2, 100).cards[1], (CardPosition{10, 190}));
}

TEST(BrowserModelTest, EachTabShowsItsResourcesWithTheirPictures) {
  Project p;
  const auto hero = NewSprite(p);
  const auto bare = NewSprite(p);
  p.frames.push_back({"0", hero, ShareImage(Image::Opaque(8, 8))});
  BuildThumbnails(p);
  NewObject(p);
  p.objects.back().sprite = hero;
  NewObject(p);
  p.objects.back().sprite = "deleted_sprite";
  GameObject instance = p.objects.front();
  instance.prototype = 0;
  instance.name = "inst_1";
  p.objects.push_back(instance);
  NewSound(p);
  NewScene(p);
  NewFunction(p);

  const auto sprites = ShownResources(p, ResourceKind::Sprite);
  EXPECT_EQ(Names(sprites), (std::vector<std::string>{hero, bare}));
  EXPECT_EQ(sprites[0].picture, p.sprites[0].thumbnail);

  const auto objects = ShownResources(p, ResourceKind::Object);
  ASSERT_EQ(objects.size(), 2u) << "instances never appear";
  EXPECT_EQ(objects[0].picture, p.sprites[0].thumbnail);
  EXPECT_EQ(objects[1].picture, StockEmptyCard()) << "an object whose sprite was deleted";

  // A sprite without frames has a thumbnail of the card with the empty card.
  Image bare_card = Image::Transparent(150, 100);
  bare_card.Draw(*StockCardPicture(), 0, 0);
  bare_card.Draw(*StockEmptyCard(), 0, 0);
  EXPECT_EQ(*sprites[1].picture, bare_card);

  EXPECT_EQ(ShownResources(p, ResourceKind::Sound)[0].picture, StockKindCard(ResourceKind::Sound));
  EXPECT_EQ(ShownResources(p, ResourceKind::Scene)[0].picture, StockEmptyCard());
  EXPECT_EQ(ShownResources(p, ResourceKind::Function).size(), 1u);
  EXPECT_TRUE(ShownResources(p, ResourceKind::Music).empty());
  for (ResourceKind kind : BrowserKinds())
    for (const auto& shown : ShownResources(p, kind)) EXPECT_NE(shown.picture, nullptr);
}

TEST(BrowserModelTest, KindsInTabOrder) {
  std::vector<std::string> labels;
  for (ResourceKind kind : BrowserKinds()) labels.push_back(InfoOf(kind).label);
  EXPECT_EQ(labels, (std::vector<std::string>{" Sprites ", " Sounds ", " Musics ", " Backgrounds ",
                                              " Fonts ", " Objects ", " Scenes ", " Functions "}));
  EXPECT_EQ(KindOfTab("Scenes"), ResourceKind::Scene);
  EXPECT_FALSE(KindOfTab("Game").has_value());
}

TEST(BrowserModelTest, SelectionTakesOnlyCardsWithAPopup) {
  BrowserItems items;
  const int card = items.Append("Sprites", "sprite_2", static_cast<int>(PopupKind::Sprite));
  const int label = items.Append("Sprites", "", -1);
  const int other = items.Append("Scenes", "scene_3", static_cast<int>(PopupKind::Scene));
  EXPECT_EQ(items.SelectedItem(), -1);
  EXPECT_TRUE(items.Select(other));
  EXPECT_EQ(items.SelectedItem(), other);
  EXPECT_TRUE(items.Select(card));
  EXPECT_EQ(items.SelectedItem(), card);
  EXPECT_EQ(items[other].selected, 0);
  // A label clears the selection and selects nothing.
  EXPECT_FALSE(items.Select(label));
  EXPECT_EQ(items.SelectedItem(), -1);
  EXPECT_FALSE(items.Select(99));
}

TEST(BrowserActionsTest, PopupsQuestionsAndDeletes) {
  auto texts = [](PopupKind popup) {
    std::vector<std::string> out;
    for (const auto& e : PopupItems(popup)) out.push_back(e.separator ? "-" : e.text);
    return out;
  };
  EXPECT_EQ(texts(PopupKind::Sprite), (std::vector<std::string>{"Edit", "-", "Delete"}));
  EXPECT_EQ(texts(PopupKind::Object),
            (std::vector<std::string>{"Edit", "-", "Duplicate", "-", "Delete"}));
  EXPECT_EQ(texts(PopupKind::Scene), (std::vector<std::string>{"Edit", "-", "Delete", "-",
                                                               "Move backward", "Move forward"}));
  EXPECT_EQ(texts(PopupKind::Event), (std::vector<std::string>{"Edit", "-", "Delete"}));
  EXPECT_EQ(DeleteQuestion(ResourceKind::Background),
            "Do you really want to delete this background?");
  EXPECT_EQ(DeleteQuestion(ResourceKind::Music), "Do you really want to delete this music?");

  Project p;
  NewSprite(p);
  const auto keep = NewSprite(p);
  const auto fn = NewFunction(p);
  p.modified = 0;
  DeleteResource(p, ResourceKind::Sprite, p.sprites[0].name);
  DeleteResource(p, ResourceKind::Function, fn);
  ASSERT_EQ(p.sprites.size(), 1u);
  EXPECT_EQ(p.sprites[0].name, keep);
  EXPECT_TRUE(p.fns.empty());
  EXPECT_EQ(p.modified, 0);
}

TEST(BrowserActionsTest, SceneMovesChooseTheStartScene) {
  Project p;
  const auto a = NewScene(p), b = NewScene(p), c = NewScene(p);
  auto order = [&] {
    std::vector<std::string> names;
    for (const auto& s : p.scenes) names.push_back(s.name);
    return names;
  };
  EXPECT_FALSE(MoveSceneBackward(p, a));
  EXPECT_FALSE(MoveSceneForward(p, c));
  EXPECT_FALSE(MoveSceneForward(p, "no_such_scene"));
  EXPECT_EQ(order(), (std::vector<std::string>{a, b, c}));
  EXPECT_TRUE(MoveSceneBackward(p, c));
  EXPECT_EQ(order(), (std::vector<std::string>{a, c, b}));
  EXPECT_TRUE(MoveSceneForward(p, a));
  EXPECT_EQ(order(), (std::vector<std::string>{c, a, b}));
}

TEST(MainCommandsTest, MenuAndToolbarTables) {
  std::vector<std::string> file;
  for (const auto& e : MenuTable())
    if (e.menu == "File") file.push_back(e.separator ? "-" : e.text);
  EXPECT_EQ(file, (std::vector<std::string>{"New\tCtrl + N", "-", "Open...\tCtrl + O",
                                            "Save\tCtrl + S", "Save as...", "-", "Run game\tF5",
                                            "-", "Preferences...", "-", "Exit\tCtrl + X"}));
  int resources = 0;
  for (const auto& e : MenuTable())
    if (e.menu == "Resources") {
      ++resources;
      EXPECT_EQ(e.shortcut, "Ctrl+" + std::to_string(resources));
      EXPECT_EQ(e.text.substr(e.text.find('\t')), "\tCtrl + " + std::to_string(resources));
    }
  EXPECT_EQ(resources, 8);
  ASSERT_EQ(ToolbarTable().size(), 12u);
  EXPECT_EQ(ToolbarTable()[3].tooltip, "Run game");
  EXPECT_EQ(ToolbarTable()[3].width, 50);
  EXPECT_EQ(ToolbarTable()[11].x, 410);
  for (const auto& e : MenuTable()) {
    if (e.separator) continue;
    EXPECT_FALSE(e.picture.empty()) << e.text;
  }
}

}  // namespace
}  // namespace vorlane

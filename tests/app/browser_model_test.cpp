#include "app/browser_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/browser_actions.h"
#include "project/thumbnails.h"
#include "support/sample_project.h"

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
  Project p = test::SampleProject();
  const auto bare = NewSprite(p);
  p.objects[2].sprite = "deleted_sprite";
  BuildThumbnails(p);

  // Sprites show their thumbnails, whose pictures the thumbnail test owns.
  const auto sprites = ShownResources(p, ResourceKind::Sprite);
  EXPECT_EQ(Names(sprites), (std::vector<std::string>{"spr_hero", bare}));
  EXPECT_EQ(sprites[0].picture, p.sprites[0].thumbnail);
  EXPECT_EQ(sprites[1].picture, p.sprites[1].thumbnail);

  const auto objects = ShownResources(p, ResourceKind::Object);
  EXPECT_EQ(Names(objects), (std::vector<std::string>{"obj_player", "obj_wall"}))
      << "instances never appear";
  EXPECT_EQ(objects[0].picture, p.sprites[0].thumbnail);
  EXPECT_EQ(objects[1].picture, StockEmptyCard()) << "an object whose sprite was deleted";
  EXPECT_EQ(ShownResources(p, ResourceKind::Sound)[0].picture, StockKindCard(ResourceKind::Sound));
  EXPECT_EQ(ShownResources(p, ResourceKind::Scene)[0].picture, StockEmptyCard());
  for (ResourceKind kind : BrowserKinds()) {
    const bool two = kind == ResourceKind::Sprite || kind == ResourceKind::Object;
    EXPECT_EQ(ShownResources(p, kind).size(), two ? 2u : 1u) << InfoOf(kind).label;
    for (const auto& shown : ShownResources(p, kind)) EXPECT_NE(shown.picture, nullptr);
  }
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

TEST(BrowserActionsTest, DeletesTakeTheirOwnKindAndLeaveTheModifiedFlagAlone) {
  for (ResourceKind kind : BrowserKinds()) {
    Project p = test::SampleProject();
    const std::string first = ShownResources(p, kind)[0].name;
    DeleteResource(p, kind, first);
    const auto left = Names(ShownResources(p, kind));
    EXPECT_EQ(std::count(left.begin(), left.end(), first), 0) << first;
    EXPECT_EQ(p.modified, 0);
  }
  EXPECT_EQ(DeleteQuestion(ResourceKind::Music), "Do you really want to delete this music?");
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

// The rows of the command tables are the product's; what holds for all of them:
TEST(MainCommandsTest, EveryCommandHasAPictureAndResourcesCountTheirShortcuts) {
  int resources = 0;
  for (const auto& e : MenuTable()) {
    if (e.separator) continue;
    EXPECT_FALSE(e.picture.empty()) << e.text;
    if (e.menu != "Resources") continue;
    ++resources;
    EXPECT_EQ(e.shortcut, "Ctrl+" + std::to_string(resources));
    EXPECT_EQ(e.text.substr(e.text.find('\t')), "\tCtrl + " + std::to_string(resources));
  }
  EXPECT_EQ(resources, 8);
}

}  // namespace
}  // namespace vorlane

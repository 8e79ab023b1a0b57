#include "app/browser_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/browser_actions.h"
#include "project/thumbnails.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

Strings Names(const std::vector<ShownResource>& shown) {
  Strings names;
  for (const auto& s : shown) names.push_back(s.name);
  return names;
}

// Cards are 160 apart from (10, 60); a row holds what fits the panel width
// less one card, the add-new card comes last.
TEST(BrowserLayoutTest, CardsWrapWithThePanelWidth) {
  const GridLayout layout = LayoutCards(7, 500);
  const std::vector<CardPosition> expected = {{10, 60},   {170, 60},  {330, 60}, {10, 190},
                                              {170, 190}, {330, 190}, {10, 320}};
  EXPECT_EQ(layout.cards, expected);
  EXPECT_EQ(layout.add_new, (CardPosition{170, 320}));
  EXPECT_EQ(layout.height, 10 + 3 * 180);
  EXPECT_EQ(LayoutCards(3, 500).add_new, (CardPosition{10, 190})) << "a full row";
  EXPECT_EQ(LayoutCards(0, 500).height, 190);
  EXPECT_EQ(LayoutCards(3, 480).cards[2], (CardPosition{330, 60})) << "exactly three fit";
  EXPECT_EQ(LayoutCards(2, 100).cards[1], (CardPosition{10, 190})) << "narrower than a card";
}

TEST(BrowserModelTest, EachTabShowsItsResourcesWithTheirPictures) {
  Project p = test::SampleProject();
  const auto bare = NewSprite(p);
  p.objects[2].sprite = "deleted_sprite";
  BuildThumbnails(p);
  const auto sprites = ShownResources(p, ResourceKind::Sprite);
  EXPECT_EQ(Names(sprites), (Strings{"spr_hero", bare}));
  EXPECT_EQ(sprites[0].picture, p.cards.sprites["spr_hero"].card);
  const auto objects = ShownResources(p, ResourceKind::Object);
  EXPECT_EQ(Names(objects), (Strings{"obj_player", "obj_wall"})) << "instances never appear";
  EXPECT_EQ(objects[0].picture, sprites[0].picture);
  EXPECT_EQ(objects[1].picture, StockEmptyCard()) << "an object whose sprite was deleted";
  EXPECT_EQ(ShownResources(p, ResourceKind::Sound)[0].picture, StockKindCard(ResourceKind::Sound));
  for (ResourceKind kind : BrowserKinds())
    for (const auto& shown : ShownResources(p, kind)) EXPECT_NE(shown.picture, nullptr);
  EXPECT_EQ(KindOfTab("Scenes"), ResourceKind::Scene);
  EXPECT_FALSE(KindOfTab("Game").has_value());
}

// Only cards with a popup can be selected; a label clears the selection.
TEST(BrowserModelTest, SelectionTakesOnlyCardsWithAPopup) {
  BrowserItems items;
  const int card = items.Append("Sprites", "sprite_2", static_cast<int>(PopupKind::Sprite));
  const int label = items.Append("Sprites", "", -1);
  const int other = items.Append("Scenes", "scene_3", static_cast<int>(PopupKind::Scene));
  EXPECT_TRUE(items.Select(other));
  EXPECT_TRUE(items.Select(card));
  EXPECT_EQ(items.SelectedItem(), card);
  EXPECT_EQ(items[other].selected, 0);
  EXPECT_FALSE(items.Select(label));
  EXPECT_EQ(items.SelectedItem(), -1);
  EXPECT_FALSE(items.Select(99));
}

// Every change of a popup action marks the project, so New and Open ask.
TEST(BrowserActionsTest, PopupActionsChangeTheirKindAndMarkTheProject) {
  for (ResourceKind kind : BrowserKinds()) {
    Project p = test::SampleProject();
    const std::string first = ShownResources(p, kind)[0].name;
    EXPECT_TRUE(ApplyPopupAction(p, kind, PopupAction::Delete, first));
    const Strings left = Names(ShownResources(p, kind));
    EXPECT_EQ(std::count(left.begin(), left.end(), first), 0) << first;
    EXPECT_EQ(p.modified, 1) << first;
    p = test::SampleProject();
    DeleteResource(p, kind, first);
    EXPECT_EQ(p.modified, 0) << "the editors' own Delete leaves the flag to their history";
  }
  // What a deletion or a copy takes with it is the model's test.
  Project p = test::SampleProject();
  EXPECT_TRUE(ApplyPopupAction(p, ResourceKind::Object, PopupAction::Duplicate, "obj_player"));
  EXPECT_EQ(p.objects.back().name, "obj_player_dup");
  p.modified = 0;
  EXPECT_FALSE(ApplyPopupAction(p, ResourceKind::Sprite, PopupAction::Duplicate, "spr_hero"));
  EXPECT_FALSE(ApplyPopupAction(p, ResourceKind::Scene, PopupAction::MoveForward, "level"));
  EXPECT_EQ(p.modified, 0);
  EXPECT_EQ(DeleteQuestion(ResourceKind::Music), "Do you really want to delete this music?");
}

// The first scene is the start scene; moves stop at either end.
TEST(BrowserActionsTest, SceneMovesChooseTheStartScene) {
  Project p;
  const auto a = NewScene(p), b = NewScene(p), c = NewScene(p);
  auto order = [&] {
    Strings names;
    for (const auto& s : p.scenes) names.push_back(s.name);
    return names;
  };
  EXPECT_FALSE(MoveSceneBackward(p, a));
  EXPECT_FALSE(MoveSceneForward(p, c));
  EXPECT_FALSE(MoveSceneForward(p, "no_such_scene"));
  EXPECT_TRUE(MoveSceneBackward(p, b));
  EXPECT_EQ(order(), (Strings{b, a, c}));
  EXPECT_TRUE(ApplyPopupAction(p, ResourceKind::Scene, PopupAction::MoveForward, a));
  EXPECT_EQ(order(), (Strings{b, c, a}));
  EXPECT_EQ(p.modified, 1);
}

}  // namespace
}  // namespace vorlane

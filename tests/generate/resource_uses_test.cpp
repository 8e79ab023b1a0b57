// "Find uses": the records that name a resource, then the scripts.
#include "generate/resource_uses.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(ResourceUsesTest, RecordsNamingTheResourceComeBeforeTheCode) {
  Project p;
  p.sprites.push_back({.name = "spr_wall"});
  p.backgrounds.push_back({.name = "bg_rock"});
  const auto object = [&](const char* name, const char* sprite, const char* parent) {
    p.objects.push_back({.name = name, .sprite = sprite, .parent = parent});
  };
  object("obj_wall", "spr_wall", "");
  object("obj_brick", "spr_wall", "obj_wall");
  object("obj_ball", "", "");
  for (const char* scene : {"rm_b", "rm_a", "rm_b"})
    p.objects.push_back({.prototype = 0, .template_ = "obj_wall", .name = "i", .scene = scene});
  p.scenes.push_back({.name = "rm_a", .background = "bg_rock", .viewportobject = "obj_wall"});
  p.scenes.push_back({.name = "rm_b"});
  p.tiles.push_back({.background = "bg_rock", .scene = "rm_b"});
  p.scripts.push_back({.object = "obj_ball", .event = "Collision", .parameter = "obj_wall"});
  p.scripts.push_back(
      {.object = "obj_ball", .event = "Step", .code = "x = 1;\nif (obj_wall.x) {}"});
  const auto texts = [&](ResourceKind kind, const char* name) {
    std::vector<std::string> list;
    for (const ResourceUse& use : FindResourceUses(p, kind, name)) list.push_back(use.text);
    return list;
  };
  using L = std::vector<std::string>;
  EXPECT_EQ(texts(ResourceKind::Sprite, "spr_wall"),
            (L{"obj_wall: its sprite", "obj_brick: its sprite"}));
  EXPECT_EQ(texts(ResourceKind::Background, "bg_rock"),
            (L{"rm_a: its background", "rm_b: 1 tile"}));
  EXPECT_EQ(
      texts(ResourceKind::Object, "obj_wall"),
      (L{"obj_brick: its parent", "obj_ball, Collision event with obj_wall", "rm_b: 2 instances",
         "rm_a: 1 instance", "rm_a: its view follows it", "obj_ball, Step event, line 2"}));
  EXPECT_EQ(texts(ResourceKind::Scene, "rm_a"), L{});

  const std::vector<ResourceUse> uses = FindResourceUses(p, ResourceKind::Object, "obj_wall");
  EXPECT_TRUE(uses[1].is_event && uses[1].code.place.index == 0);  // opens that event's code
  EXPECT_EQ(uses[2].kind, ResourceKind::Scene);
  EXPECT_EQ(uses[2].name, "rm_b");
  EXPECT_TRUE(uses[5].is_code && uses[5].code.column == 4);
}

}  // namespace
}  // namespace vorlane

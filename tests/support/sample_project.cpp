#include "support/sample_project.h"

#include "support/temp_dir.h"

namespace vorlane::test {

namespace {

GameObject Object(const std::string& name, const std::string& sprite, int visible, int depth,
                  const std::string& parent) {
  GameObject o;
  o.name = name;
  o.sprite = sprite;
  o.visible = visible;
  o.depth = depth;
  o.parent = parent;
  return o;
}

// A placed copy of `object`, as the scene editor makes it.
GameObject Instance(const GameObject& object, const std::string& name, int x, int y) {
  GameObject o = object;
  o.prototype = 0;
  o.template_ = object.name;
  o.name = name;
  o.scene = "level";
  o.x = x;
  o.y = y;
  return o;
}

}  // namespace

Project SampleProject() {
  Project p;
  p.uid = 17;
  p.projectname = "demo";
  p.settings = {"My <game>", "var score = 0;", "function f() {}", 0, "notes & more"};

  p.sprites.push_back({"spr_hero", "Circle", 5, 1, 2, 3, 4, 6, 7});
  Image first = Image::Transparent(16, 16);
  first.FillRect(2, 2, 12, 12, Color{200, 30, 40, 255});
  first.Plot(0, 0, Color{1, 2, 3, 128});
  Image second = Image::Opaque(24, 20);
  second.Fill(Color{30, 160, 90, 255});
  p.frames.push_back({"0", "spr_hero", ShareImage(std::move(first))});
  p.frames.push_back({"1", "spr_hero", ShareImage(std::move(second))});

  p.sounds.push_back({"snd_jump", "jump.wav", "", "jump.ogg"});
  p.musics.push_back({"mus_theme", "", "theme.mp3", ""});
  p.backgrounds.push_back({"bg_tiles", "tiles.png", 1, 16, 24, 1, 2, 3, 4});
  p.fonts.push_back({"fnt_score", "Sans", 20, 1, 0});

  // An instance placed before the next object was made: list order, not kind.
  p.objects.push_back(Object("obj_player", "spr_hero", 1, -10, ""));
  p.objects.push_back(Instance(p.objects[0], "inst_11", 32, 48));
  p.objects.push_back(Object("obj_wall", "", 0, 5, "obj_player"));
  p.objects.push_back(Instance(p.objects[2], "inst_12", 64, 48));
  p.objects.back().direction = 180;
  p.objects.back().image_angle = -30;
  p.scripts.push_back({"scr_13", "obj_player", "Creation", "", "speed = 4;"});
  p.scripts.push_back({"scr_14", "obj_player", "Collision", "obj_wall", "if (a < b && c) {\n}"});
  p.scripts.push_back({"scr_15", "obj_wall", "Step", "", "x += 1;"});

  // name, size, view size, colour, code, speed, background with
  // tiling x / y and stretch, followed object and its borders
  p.scenes.push_back({"level", 1000, 800, 320, 240, 1, 2, 3, "start();", 60, "bg_tiles", 1, 0, 1,
                      "obj_player", 11, 12});
  p.layers.push_back({"lay_front", 500, "level"});
  p.tiles.push_back({"tile_16", "bg_tiles", 4, 8, 16, 24, 32, 48, 500, "level"});
  p.tiles.push_back({"tile_17", "bg_tiles", 20, 8, 16, 24, 48, 48, 500, "level"});

  p.fns.push_back({"add", "a, b", "Adds \"two\"", "return a + b;"});
  return p;
}

Image SampleTileSet() {
  Image set = Image::Opaque(64, 64);
  set.FillRect(8, 4, 16, 24, Color{0, 0, 255, 255});
  return set;
}

void WriteSampleMedia(const std::string& folder) {
  SavePng(SampleTileSet(), folder + "/tiles.png");
  WriteAll(folder + "/jump.wav", "wav bytes");
  WriteAll(folder + "/jump.ogg", "ogg bytes");
  WriteAll(folder + "/theme.mp3", "mp3 bytes");
}

}  // namespace vorlane::test

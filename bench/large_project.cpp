#include "large_project.h"

#include <algorithm>
#include <string>

namespace vorlane::bench {
namespace {

std::string ScriptCode(int seed) {
  std::string code;
  for (int line = 0; line < 20; ++line) {
    code += "if (x < " + std::to_string(seed + line) + " && alive) { x += speed * " +
            std::to_string(line) + "; } // step\r\n";
  }
  return code;
}

ImageRef FramePicture(int seed) {
  Image image = Image::Transparent(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 200)
        image.Plot(x, y,
                   Color{std::uint8_t(seed * 37), std::uint8_t(x * 8), std::uint8_t(y * 8), 255});
  return ShareImage(std::move(image));
}

}  // namespace

Project MakeLargeProject(double scale, const std::string& tempfolder) {
  Project p;
  p.projectname = "large";
  p.tempfolder = tempfolder;
  p.settings.variables = "var score = 0;\r\nvar lives = 3;\r\n";
  p.settings.functions = "function clamp(v, a, b) { return Math.min(b, Math.max(a, v)); }\r\n";
  const auto count = [scale](int base) { return std::max(1, static_cast<int>(base * scale)); };
  const int sprites = count(1000), objects = count(2000), scenes = count(50);
  const int tiles = count(20000), functions = count(200), sets = 4;

  for (int i = 0; i < sprites; ++i) {
    const std::string name = NewSprite(p);
    p.sprites.back().collisionright = 31;
    p.sprites.back().collisionbottom = 31;
    for (int f = 0; f < 4; ++f) p.frames.push_back({std::to_string(f), name, FramePicture(i + f)});
  }
  for (int i = 0; i < sets; ++i) {
    const std::string name = NewBackground(p);
    Background& b = p.backgrounds.back();
    b.file = "tiles" + std::to_string(i) + ".png";
    b.tile = 1;
    if (!tempfolder.empty()) {
      Image set = Image::Opaque(256, 256);
      for (int y = 0; y < 256; y += 32)
        for (int x = 0; x < 256; x += 32)
          set.FillRect(x + 1, y + 1, 30, 30,
                       Color{std::uint8_t(x), std::uint8_t(y), std::uint8_t(i * 60), 255});
      SavePng(set, tempfolder + "/" + b.file);
    }
  }
  std::vector<std::string> object_names;
  for (int i = 0; i < objects; ++i) {
    const std::string name = NewObject(p);
    object_names.push_back(name);
    p.objects.back().sprite = p.sprites[i % sprites].name;
    p.objects.back().depth = i % 10;
    for (const char* event : {"Creation", "Step", "Draw"}) {
      NewScript(p, name, event, "");
      p.scripts.back().code = ScriptCode(i);
    }
  }
  for (int s = 0; s < scenes; ++s) {
    const std::string scene = NewScene(p);
    p.scenes.back().code = "score = 0;\r\n";
    for (int i = 0; i < 200; ++i) {
      GameObject instance = p.objects[(s * 200 + i) % objects];
      instance.prototype = 0;
      instance.template_ = instance.name;
      instance.name = "inst_" + std::to_string(NextUID(p));
      instance.scene = scene;
      instance.x = i * 16;
      instance.y = s * 8;
      p.objects.push_back(std::move(instance));
    }
  }
  for (int i = 0; i < tiles; ++i) {
    Tile tile;
    tile.name = "tile_" + std::to_string(NextUID(p));
    tile.background = p.backgrounds[i % sets].name;
    tile.left = (i % 8) * 32;
    tile.top = (i / 8 % 8) * 32;
    tile.width = tile.height = 32;
    tile.x = (i % 40) * 32;
    tile.y = (i / 40 % 30) * 32;
    tile.depth = 1000000;
    tile.scene = p.scenes[i % scenes].name;
    p.tiles.push_back(std::move(tile));
  }
  for (int i = 0; i < functions; ++i) {
    NewFunction(p);
    p.fns.back().params = "a, b";
    p.fns.back().description = "Adds two numbers";
    p.fns.back().code = ScriptCode(i);
  }
  return p;
}

}  // namespace vorlane::bench

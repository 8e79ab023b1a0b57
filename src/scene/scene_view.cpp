#include "scene/scene_view.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "gui/number_text.h"
#include "scene/instance_edits.h"

namespace vorlane {
namespace {

constexpr Color kSelection{200, 64, 64, 255};
constexpr Color kWhite{255, 255, 255, 255};
constexpr int kGhostOpacity = 150;
constexpr int kTileGhostOpacity = 200;
constexpr int kLargestGrid = 1 << 20;
const ImageRef kNoPicture;

// The first of the copies at 0, step, 2 step ... that can reach `left`.
int FirstCopy(int left, int step) { return std::max(0, left / step); }

// Where a point of the scene lands in the target: the view's top-left
// corner and how many scene pixels one target pixel covers.
struct View {
  int left = 0, top = 0, shrink = 1;
  int X(std::int64_t x) const { return static_cast<int>(FloorDiv(x - left)); }
  int Y(std::int64_t y) const { return static_cast<int>(FloorDiv(y - top)); }
  int Side(int pixels) const { return (pixels + shrink - 1) / shrink; }
  std::int64_t FloorDiv(std::int64_t v) const {
    return v >= 0 ? v / shrink : -((-v + shrink - 1) / shrink);
  }
};

void PaintBackground(Image& target, const View& view, const Scene& scene, const Image& picture) {
  const int w = picture.width(), h = picture.height();
  if (scene.backgroundstretch) {
    target.DrawScaled(picture, view.X(0), view.Y(0), view.Side(scene.width),
                      view.Side(scene.height), DrawMode::Blend, Scaling::Bilinear);
    return;
  }
  // Copies go on while their corner is inside the scene; only those on
  // screen are drawn.
  const int left = view.left, top = view.top;
  const int last_x =
      scene.backgroundtilex ? std::min(scene.width, left + target.width() * view.shrink) : 0;
  const int last_y =
      scene.backgroundtiley ? std::min(scene.height, top + target.height() * view.shrink) : 0;
  const int first_i = scene.backgroundtilex ? FirstCopy(left, w) : 0;
  const int first_j = scene.backgroundtiley ? FirstCopy(top, h) : 0;
  for (long y = static_cast<long>(first_j) * h; y <= last_y; y += h)
    for (long x = static_cast<long>(first_i) * w; x <= last_x; x += w)
      if (view.shrink == 1)
        target.Draw(picture, view.X(x), view.Y(y));
      else
        target.DrawScaled(picture, view.X(x), view.Y(y), view.Side(w), view.Side(h));
}

// The origins of every sprite, looked up once per repaint.
std::unordered_map<std::string, std::pair<int, int>> Origins(const Project& project) {
  std::unordered_map<std::string, std::pair<int, int>> origins;
  for (const Sprite& sprite : project.sprites)
    origins.try_emplace(sprite.name, sprite.centerx, sprite.centery);
  return origins;
}

void PaintGrid(Image& target, const View& view, const Scene& scene, int g) {
  // Lines closer than a few screen pixels would only grey the view.
  if (g < 4 * view.shrink) return;
  const int right = std::min<std::int64_t>(
      scene.width, view.left + std::int64_t{target.width()} * view.shrink - 1);
  const int bottom = std::min<std::int64_t>(
      scene.height, view.top + std::int64_t{target.height()} * view.shrink - 1);
  for (long x = static_cast<long>(FirstCopy(view.left, g)) * g; x <= right; x += g)
    target.FillRect(view.X(x), view.Y(0), 1, view.Side(scene.height), kWhite, DrawMode::Xor);
  for (long y = static_cast<long>(FirstCopy(view.top, g)) * g; y <= bottom; y += g)
    target.FillRect(view.X(0), view.Y(y), view.Side(scene.width), 1, kWhite, DrawMode::Xor);
}

bool InsideScene(const Scene& scene, int x, int y) {
  return 0 < x && x < scene.width && 0 < y && y < scene.height;
}

}  // namespace

bool SetGridSize(EditorGrid& grid, const std::string& text) {
  const int size = LeadingInt(text);
  if (size <= 4 || size > kLargestGrid) return false;
  grid.size = size;
  return true;
}

int SnapPosition(const EditorGrid& grid, int value) {
  if (!grid.snap || grid.size <= 0) return value;
  const int cell = value >= 0 ? value / grid.size : -((-value + grid.size - 1) / grid.size);
  return cell * grid.size;
}

std::vector<DrawEntry> SceneDrawList(const Project& project, const std::string& scene) {
  std::vector<DrawEntry> list;
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (IsInstanceOf(project.objects[i], scene))
      list.push_back({project.objects[i].depth, static_cast<int>(i), -1});
  for (size_t i = 0; i < project.tiles.size(); ++i)
    if (project.tiles[i].scene == scene)
      list.push_back({project.tiles[i].depth, -1, static_cast<int>(i)});
  std::stable_sort(list.begin(), list.end(),
                   [](const DrawEntry& a, const DrawEntry& b) { return a.depth > b.depth; });
  return list;
}

std::string PaintScene(Image& target, int left, int top, const Project& project, const Scene& scene,
                       const SceneViewState& state, ScenePictures& pictures, int shrink) {
  const View view{left, top, std::max(shrink, 1)};
  target.Fill(Color{static_cast<std::uint8_t>(scene.red), static_cast<std::uint8_t>(scene.green),
                    static_cast<std::uint8_t>(scene.blue), 255});
  if (!scene.background.empty() && state.background && !state.background->is_null())
    PaintBackground(target, view, scene, *state.background);

  const auto origins = Origins(project);
  const auto origin_of = [&](const std::string& sprite) {
    const auto found = origins.find(sprite);
    return found == origins.end() ? std::pair(0, 0) : found->second;
  };
  const auto first_frames = FirstFrameImages(project);
  // Tiles are cut from the last background of their name that has a picture.
  std::unordered_map<std::string, const Background*> sets;
  for (const Background& background : project.backgrounds)
    if (!background.file.empty()) sets[background.name] = &background;
  const bool show_instances = state.grid.show_objects || state.tab == SceneTab::Objects;
  const bool show_tiles = state.grid.show_tiles || state.tab == SceneTab::Tiles;
  const std::int64_t right = std::int64_t{left} + std::int64_t{target.width()} * view.shrink;
  const std::int64_t bottom = std::int64_t{top} + std::int64_t{target.height()} * view.shrink;
  // Whether a box of w x h at (x, y) of the scene reaches the screen.
  const auto on_screen = [&](std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    return x < right && x + w > left && y < bottom && y + h > top;
  };
  std::string status;
  for (const DrawEntry& entry : SceneDrawList(project, scene.name)) {
    if (entry.instance >= 0) {
      const GameObject& instance = project.objects[static_cast<size_t>(entry.instance)];
      if (!show_instances) continue;
      const bool selected =
          !state.selected_instances.empty() && state.selected_instances.count(instance.name) > 0;
      if (selected) status = InstanceStatus(instance);
      const auto first = first_frames.find(instance.sprite);
      const ImageRef& picture = first == first_frames.end() ? kNoPicture : first->second;
      if (picture) {
        const auto [ox, oy] = origin_of(instance.sprite);
        const int x = instance.x - ox, y = instance.y - oy;
        const int w = picture->width(), h = picture->height();
        // A turned picture stays within half its sides around its centre.
        if (!on_screen(std::int64_t{x} - (w + h) / 2, std::int64_t{y} - (w + h) / 2, 2 * (w + h),
                       2 * (w + h)))
          continue;
        const Image& turned = pictures.Turned(picture, instance.image_angle);
        const int dx = (turned.width() - w) / 2, dy = (turned.height() - h) / 2;
        target.Draw(pictures.Shown(picture, instance.image_angle, view.shrink), view.X(x - dx),
                    view.Y(y - dy));
        if (selected && state.show_selection)
          target.FillRect(view.X(x), view.Y(y), view.Side(w), view.Side(h), kSelection,
                          DrawMode::Xor);
      } else {
        const int x = instance.x - kMarkerHalf, y = instance.y - kMarkerHalf;
        target.Draw(pictures.Shrunk(MarkerRef(), view.shrink), view.X(x), view.Y(y));
        if (selected && state.show_selection)
          target.FillRect(view.X(x), view.Y(y), view.Side(kMarkerSize), view.Side(kMarkerSize),
                          kSelection, DrawMode::Xor);
      }
    } else {
      if (!show_tiles) continue;
      const Tile& tile = project.tiles[static_cast<size_t>(entry.tile)];
      if (!on_screen(tile.x, tile.y, tile.width, tile.height)) continue;
      const auto set = sets.find(tile.background);
      if (const Image* cut =
              set == sets.end() ? nullptr : pictures.TileImage(tile, *set->second, view.shrink)) {
        target.DrawWithOpacity(*cut, view.X(tile.x), view.Y(tile.y),
                               TileOpacity(state.tab == SceneTab::Tiles, state.tile_action,
                                           state.current_layer, tile));
      }
      if (state.selected_tiles.count(tile.name) && state.show_selection)
        target.FillRect(view.X(tile.x), view.Y(tile.y), view.Side(tile.width),
                        view.Side(tile.height), kSelection, DrawMode::Xor);
    }
  }

  if (state.grid.show_grid && state.grid.size > 0) PaintGrid(target, view, scene, state.grid.size);

  if (!state.pointer_inside || !InsideScene(scene, state.pointer_x, state.pointer_y)) return status;
  const int px = SnapPosition(state.grid, state.pointer_x);
  const int py = SnapPosition(state.grid, state.pointer_y);
  if (state.tab == SceneTab::Objects && state.instance_action == InstanceAction::Place &&
      !state.place_object.empty()) {
    const GameObject* object = nullptr;
    for (const GameObject& record : project.objects)
      if (record.prototype == 1 && record.name == state.place_object) {
        object = &record;
        break;
      }
    if (!object) return status;
    const ImageRef picture = FirstFrameImage(project, object->sprite);
    if (picture && !picture->is_null()) {
      const auto [ox, oy] = origin_of(object->sprite);
      target.DrawWithOpacity(pictures.Shrunk(picture, view.shrink), view.X(px - ox),
                             view.Y(py - oy), kGhostOpacity);
    } else {
      target.DrawWithOpacity(pictures.Shrunk(MarkerRef(), view.shrink), view.X(px - kMarkerHalf),
                             view.Y(py - kMarkerHalf), kGhostOpacity);
    }
  } else if (state.tab == SceneTab::Tiles && state.tile_action == TileAction::Place &&
             state.tile_ghost && !state.tile_ghost->is_null()) {
    // The ghost is the editor's own picture, drawn full size at any zoom.
    target.DrawWithOpacity(*state.tile_ghost, view.X(px), view.Y(py), kTileGhostOpacity);
  }
  return status;
}

const Image& InstanceMarker() { return *MarkerRef(); }

const ImageRef& MarkerRef() {
  // A blue disc with a white rim and a dark outline: visible on any colour.
  static const ImageRef marker = ShareImage([] {
    Image image = Image::Transparent(kMarkerSize, kMarkerSize);
    for (int y = 0; y < kMarkerSize; ++y)
      for (int x = 0; x < kMarkerSize; ++x) {
        const int dx = x - kMarkerHalf, dy = y - kMarkerHalf, d = dx * dx + dy * dy;
        if (d <= 25)
          image.Plot(x, y, Color{60, 110, 220, 255});
        else if (d <= 38)
          image.Plot(x, y, Color{255, 255, 255, 255});
        else if (d <= 52)
          image.Plot(x, y, Color{30, 30, 30, 255});
      }
    return image;
  }());
  return marker;
}

}  // namespace vorlane

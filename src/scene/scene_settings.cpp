#include "scene/scene_settings.h"

#include <algorithm>

#include "gui/number_text.h"
#include "project/rename.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

// Scenes up to this many pixels are drawn whole and scaled smoothly; larger
// ones are drawn only along the rows the picture samples.
constexpr long long kWholeScenePixels = 1 << 22;

// The size of a w x h picture fitted into a box, shape kept.
std::pair<int, int> Fit(int w, int h, int box_w, int box_h) {
  const double scale = std::min(double(box_w) / w, double(box_h) / h);
  return {std::clamp(Round(w * scale, Rounding::Nearest), 1, box_w),
          std::clamp(Round(h * scale, Rounding::Nearest), 1, box_h)};
}

}  // namespace

std::vector<std::string> StoreSceneSettings(Project& project, int index,
                                            const SceneFields& fields) {
  std::vector<std::string> errors;
  if (index < 0 || index >= static_cast<int>(project.scenes.size())) return errors;
  SetModified(project, 1);
  if (std::string refusal = CheckResourceName(project, ResourceKind::Scene, fields.name, index);
      !refusal.empty())
    errors.push_back(std::move(refusal));
  else
    RenameResource(project, ResourceKind::Scene, index, fields.name);
  Scene& scene = project.scenes[static_cast<size_t>(index)];
  if (fields.speed.empty() || LeadingInt(fields.speed) <= 1)
    errors.push_back("Invalid scene speed value");
  else
    scene.speed = LeadingInt(fields.speed);
  if (!errors.empty()) return errors;

  scene.width = LeadingInt(fields.width);
  scene.height = LeadingInt(fields.height);
  scene.viewportwidth = LeadingInt(fields.viewport_width);
  scene.viewportheight = LeadingInt(fields.viewport_height);
  scene.viewportxborder = LeadingInt(fields.margin_x);
  scene.viewportyborder = LeadingInt(fields.margin_y);
  scene.background = fields.background;
  scene.viewportobject = fields.follow;
  return errors;
}

Image ScenePicture(const Project& project, const Scene& scene, const SceneViewState& state,
                   ScenePictures& pictures, int box_width, int box_height) {
  Image picture = Image::Transparent(box_width, box_height);
  if (scene.width <= 0 || scene.height <= 0) return picture;
  SceneViewState plain = state;
  plain.grid.show_grid = false;
  plain.pointer_inside = false;
  plain.show_selection = false;

  const auto [w, h] = Fit(scene.width, scene.height, box_width, box_height);
  if (1LL * scene.width * scene.height <= kWholeScenePixels) {
    Image whole = Image::Opaque(scene.width, scene.height);
    PaintScene(whole, 0, 0, project, scene, plain, pictures);
    picture.Draw(whole.Scaled(w, h, Scaling::Bilinear), 0, 0, DrawMode::Copy);
    return picture;
  }
  // One scene row per picture row, sampled at the middle of the columns.
  Image row = Image::Opaque(scene.width, 1);
  for (int y = 0; y < h; ++y) {
    const int scene_y = static_cast<int>((2LL * y + 1) * scene.height / (2LL * h));
    PaintScene(row, 0, scene_y, project, scene, plain, pictures);
    for (int x = 0; x < w; ++x) {
      const int scene_x = static_cast<int>((2LL * x + 1) * scene.width / (2LL * w));
      picture.Plot(x, y, row.Pixel(scene_x, 0));
    }
  }
  return picture;
}

Image SceneCard(const Project& project, const Scene& scene, const SceneViewState& state,
                ScenePictures& pictures) {
  Image card = Image::Transparent(150, 100);
  if (const ImageRef stock = StockCardPicture()) card.Draw(*stock, 0, 0, DrawMode::Copy);
  card.Draw(ScenePicture(project, scene, state, pictures, 80, 80), 35, 10);
  return card;
}

Image ProjectPicture(const Project& project, const Scene& scene, const SceneViewState& state,
                     ScenePictures& pictures) {
  Image picture = Image::Opaque(240, 240);
  picture.Draw(ScenePicture(project, scene, state, pictures, 240, 240), 0, 0);
  return picture;
}

}  // namespace vorlane

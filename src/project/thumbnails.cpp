#include "project/thumbnails.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "gui/parallel.h"
#include "project/project_paths.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

constexpr int kCardWidth = 150;
constexpr int kCardHeight = 100;

bool InsideRoundedRect(int x, int y, int w, int h, int radius) {
  const int cx = x < radius ? radius : (x >= w - radius ? w - radius - 1 : x);
  const int cy = y < radius ? radius : (y >= h - radius ? h - radius - 1 : y);
  const int dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

// A light card with a soft vertical shade and a thin rounded border.
Image DrawCard() {
  Image card = Image::Transparent(kCardWidth, kCardHeight);
  for (int y = 0; y < kCardHeight; ++y) {
    const int shade = 252 - y * 18 / kCardHeight;
    for (int x = 0; x < kCardWidth; ++x) {
      if (!InsideRoundedRect(x, y, kCardWidth, kCardHeight, 8)) continue;
      const bool edge = !InsideRoundedRect(x - 1, y, kCardWidth - 2, kCardHeight, 8) ||
                        !InsideRoundedRect(x, y - 1, kCardWidth, kCardHeight - 2, 8) ||
                        x == 0 || y == 0 || x == kCardWidth - 1 || y == kCardHeight - 1;
      const auto level = static_cast<std::uint8_t>(shade);
      card.Plot(x, y, edge ? Color{150, 156, 168, 255} : Color{level, level, std::uint8_t(level + 3 > 255 ? 255 : level + 3), 255});
    }
  }
  return card;
}

// A dashed square where the picture would be, crossed by one diagonal.
Image DrawEmptyCard() {
  Image empty = Image::Transparent(kCardWidth, kCardHeight);
  const Color ink{170, 176, 188, 255};
  for (int i = 0; i < 60; ++i) {
    if ((i / 4) % 2) continue;
    empty.Plot(45 + i, 20, ink);
    empty.Plot(45 + i, 79, ink);
    empty.Plot(45, 20 + i, ink);
    empty.Plot(104, 20 + i, ink);
  }
  for (int i = 8; i < 52; ++i) empty.Plot(45 + i, 20 + 59 - i, ink);
  return empty;
}

// Under a picture that can be see-through: small squares of two greys, both
// darker than the card, so that white and pale sprites stand out from it
// while dark ones still read.
Image SeeThroughBacking(int w, int h) {
  constexpr int kSquare = 8;
  const Color dark{160, 164, 172, 255}, light{196, 200, 208, 255};
  Image backing = Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) backing.Plot(x, y, (x / kSquare + y / kSquare) % 2 ? light : dark);
  return backing;
}

ImageRef& CardSlot() {
  static ImageRef card = ShareImage(DrawCard());
  return card;
}

ImageRef& EmptySlot() {
  static ImageRef empty = ShareImage(DrawEmptyCard());
  return empty;
}

}  // namespace

ImageRef StockCardPicture() { return CardSlot(); }
ImageRef StockEmptyCard() { return EmptySlot(); }

void SetStockCardPictures(ImageRef card, ImageRef empty) {
  if (card) CardSlot() = std::move(card);
  if (empty) EmptySlot() = std::move(empty);
}

Image MakeCard(const Image* picture) {
  Image card = Image::Transparent(kCardWidth, kCardHeight);
  card.Draw(*StockCardPicture(), 0, 0, DrawMode::Blend);
  if (!picture || picture->is_null()) {
    card.Draw(*StockEmptyCard(), 0, 0, DrawMode::Blend);
    return card;
  }
  const int w = picture->width(), h = picture->height();
  const int fit_w = w >= h ? 60 : Round(60.0 * w / h, Rounding::Nearest);
  const int fit_h = w >= h ? Round(60.0 * h / w, Rounding::Nearest) : 60;
  // Enlarged pixel art stays crisp; reduced pictures are smoothed.
  const Scaling scaling = w > 60 || h > 60 ? Scaling::Bilinear : Scaling::Nearest;
  if (picture->has_alpha()) card.Draw(SeeThroughBacking(fit_w, fit_h), 45, 20, DrawMode::Copy);
  card.DrawScaled(*picture, 45, 20, fit_w, fit_h, DrawMode::Blend, scaling);
  return card;
}

namespace {

bool SameNames(const std::vector<std::string>& names, const std::vector<Sprite>& sprites) {
  return std::equal(
      names.begin(), names.end(), sprites.begin(), sprites.end(),
      [](const std::string& name, const Sprite& sprite) { return name == sprite.name; });
}

}  // namespace

std::vector<ImageRef> SpriteCards(const Project& project) {
  Cards& memo = project.cards;
  if (memo.listed_frames == project.frames && SameNames(memo.listed_sprites, project.sprites))
    return memo.listed;
  // Each sprite's first picture. A sprite's frames mostly come together:
  // those after its first picture are passed over without a look-up.
  std::unordered_map<std::string_view, const ImageRef*> pictures;
  pictures.reserve(project.sprites.size());
  const std::string* found_for = nullptr;
  for (const auto& frame : project.frames) {
    if ((found_for && *found_for == frame.sprite) || !HasPicture(frame)) continue;
    pictures.try_emplace(frame.sprite, &frame.image);
    found_for = &frame.sprite;
  }
  static const ImageRef kNone;
  std::vector<Cards::Drawn*> order;
  std::vector<std::pair<Cards::Drawn*, const ImageRef*>> to_make;
  std::unordered_set<const Cards::Drawn*> listed;
  order.reserve(project.sprites.size());
  for (const auto& sprite : project.sprites) {
    const auto found = pictures.find(sprite.name);
    const ImageRef& picture = found == pictures.end() ? kNone : *found->second;
    Cards::Drawn& drawn = project.cards.sprites[sprite.name];
    // A damaged file may name a sprite twice: its card is made once.
    if ((!drawn.card || drawn.from != picture) && listed.insert(&drawn).second)
      to_make.emplace_back(&drawn, &picture);
    order.push_back(&drawn);
  }
  // Each card is a picture of its own: they are drawn side by side.
  ParallelFor(to_make.size(), [&](size_t i) {
    const auto [drawn, picture] = to_make[i];
    *drawn = {*picture, ShareImage(MakeCard(picture->get()))};
  });
  std::vector<ImageRef> cards;
  cards.reserve(order.size());
  for (const Cards::Drawn* drawn : order) cards.push_back(drawn->card);
  memo.listed = cards;
  memo.listed_frames = project.frames;
  memo.listed_sprites.clear();
  for (const auto& sprite : project.sprites) memo.listed_sprites.push_back(sprite.name);
  return cards;
}

void BuildSpriteThumbnails(const Project& project) {
  SpriteCards(project);
  // Only the cards of the sprites there are now are kept.
  std::unordered_map<std::string, Cards::Drawn> kept;
  for (const auto& sprite : project.sprites) kept[sprite.name] = project.cards.sprites[sprite.name];
  project.cards.sprites = std::move(kept);
}

ImageRef BackgroundCard(const Image* picture) {
  return ShareImage(!picture || picture->is_null() ? *StockCardPicture() : MakeCard(picture));
}

void BuildThumbnails(Project& project, const PictureLimits& limits) {
  BuildSpriteThumbnails(project);
  // What the frames hold counts against the budget of each background
  // picture, decoded one at a time.
  std::unordered_set<const Image*> seen;
  std::int64_t held = 0;
  for (const auto& frame : project.frames)
    if (frame.image && seen.insert(frame.image.get()).second)
      held += std::int64_t{frame.image->width()} * frame.image->height();

  const std::string folder = PathsOf(project.projectname, project.imgfolder).images;
  for (const auto& background : project.backgrounds) {
    if (background.file.empty()) continue;
    Image picture;
    const std::string path = folder + background.file;
    const auto size = IsPlainFileName(background.file)
                          ? ReadImageSize(path, nullptr, ReadFrom::ProgramFolder)
                          : std::nullopt;
    if (size && size->width <= limits.max_side && size->height <= limits.max_side &&
        held + std::int64_t{size->width} * size->height <= limits.max_total_pixels)
      picture = LoadImageFile(path, nullptr, ReadFrom::ProgramFolder);
    project.cards.backgrounds[background.file] = BackgroundCard(&picture);
  }
}

ImageRef BackgroundCardOf(const Project& project, const Background& background) {
  if (background.file.empty()) return nullptr;
  const auto found = project.cards.backgrounds.find(background.file);
  return found == project.cards.backgrounds.end() ? nullptr : found->second;
}

ImageRef SceneCardOf(const Project& project, const std::string& scene) {
  const auto found = project.cards.scenes.find(scene);
  return found == project.cards.scenes.end() ? nullptr : found->second.card;
}

}  // namespace vorlane

#include "app/browser_model.h"

#include <array>
#include <string_view>
#include <unordered_map>

#include "project/thumbnails.h"

namespace vorlane {
namespace {

const std::vector<KindInfo>& Infos() {
  using K = ResourceKind;
  using C = Command;
  static const std::vector<KindInfo> infos = {
      {K::Sprite, "Sprites", " Sprites ", "banner_sprites", "tab_sprites", C::AddSprite},
      {K::Sound, "Sounds", " Sounds ", "banner_sounds", "tab_sounds", C::AddSound},
      {K::Music, "Musics", " Musics ", "banner_musics", "tab_musics", C::AddMusic},
      {K::Background, "Backgrounds", " Backgrounds ", "banner_backgrounds",
       "tab_backgrounds", C::AddBackground},
      {K::Font, "Fonts", " Fonts ", "banner_fonts", "tab_fonts", C::AddFont},
      {K::Object, "Objects", " Objects ", "banner_objects", "tab_objects", C::AddObject},
      {K::Scene, "Scenes", " Scenes ", "banner_scenes", "tab_scenes", C::AddScene},
      {K::Function, "Functions", " Functions ", "banner_functions", "tab_functions",
       C::AddFunction},
  };
  return infos;
}

std::array<ImageRef, 8>& KindCards() {
  static std::array<ImageRef, 8> cards;
  return cards;
}

ImageRef OrEmpty(const ImageRef& picture) { return picture ? picture : StockEmptyCard(); }

template <typename Record>
std::vector<ShownResource> WithPicture(const std::vector<Record>& list, const ImageRef& picture) {
  std::vector<ShownResource> shown;
  shown.reserve(list.size());
  for (const auto& record : list) shown.push_back({record.name, picture});
  return shown;
}

// Each record with its card as `card_of(record)` gives it.
template <typename Record, typename CardOf>
std::vector<ShownResource> WithCards(const std::vector<Record>& list, CardOf card_of) {
  std::vector<ShownResource> shown;
  shown.reserve(list.size());
  for (const auto& record : list) shown.push_back({record.name, OrEmpty(card_of(record))});
  return shown;
}

std::vector<ShownResource> Sprites(const Project& project) {
  const std::vector<ImageRef> cards = SpriteCards(project);
  std::vector<ShownResource> shown;
  shown.reserve(cards.size());
  for (size_t i = 0; i < cards.size(); ++i) shown.push_back({project.sprites[i].name, cards[i]});
  return shown;
}

// Objects show the card of their sprite.
std::vector<ShownResource> Objects(const Project& project) {
  const std::vector<ImageRef> sprite_cards = SpriteCards(project);
  std::unordered_map<std::string_view, const ImageRef*> cards;
  cards.reserve(sprite_cards.size());
  for (size_t i = 0; i < sprite_cards.size(); ++i)
    cards.try_emplace(project.sprites[i].name, &sprite_cards[i]);
  std::vector<ShownResource> shown;
  for (const auto& object : project.objects) {
    if (object.prototype != 1) continue;
    const auto found = cards.find(object.sprite);
    shown.push_back({object.name, OrEmpty(found == cards.end() ? nullptr : *found->second)});
  }
  return shown;
}

}  // namespace

const std::vector<ResourceKind>& BrowserKinds() {
  static const std::vector<ResourceKind> kinds = [] {
    std::vector<ResourceKind> list;
    for (const auto& info : Infos()) list.push_back(info.kind);
    return list;
  }();
  return kinds;
}

const KindInfo& InfoOf(ResourceKind kind) { return Infos()[static_cast<size_t>(kind)]; }

std::optional<ResourceKind> KindOfTab(const std::string& tab) {
  for (const auto& info : Infos())
    if (info.tab == tab) return info.kind;
  return std::nullopt;
}

ImageRef StockKindCard(ResourceKind kind) {
  const ImageRef& card = KindCards()[static_cast<size_t>(kind)];
  return card ? card : StockCardPicture();
}

void SetStockKindCard(ResourceKind kind, ImageRef picture) {
  KindCards()[static_cast<size_t>(kind)] = std::move(picture);
}

std::vector<ShownResource> ShownResources(const Project& project, ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Sprite: return Sprites(project);
    case ResourceKind::Sound: return WithPicture(project.sounds, StockKindCard(kind));
    case ResourceKind::Music: return WithPicture(project.musics, StockKindCard(kind));
    case ResourceKind::Background:
      return WithCards(project.backgrounds, [&](const Background& background) {
        return BackgroundCardOf(project, background);
      });
    case ResourceKind::Font: return WithPicture(project.fonts, StockKindCard(kind));
    case ResourceKind::Object: return Objects(project);
    case ResourceKind::Scene:
      return WithCards(project.scenes,
                       [&](const Scene& scene) { return SceneCardOf(project, scene.name); });
    case ResourceKind::Function: return WithPicture(project.fns, StockKindCard(kind));
  }
  return {};
}

GridLayout LayoutCards(int count, int panel_width) {
  GridLayout layout;
  layout.cards.reserve(count > 0 ? count : 0);
  int col = 0, row = 0;
  layout.height = 10;
  for (int i = 0; i < count; ++i) {
    layout.cards.push_back({kFirstCardX + col * kColumnPitch, kFirstCardY + row * kRowPitch});
    ++col;
    if (col * kColumnPitch > panel_width - kColumnPitch) {
      col = 0;
      ++row;
      layout.height += 180;
    }
  }
  layout.add_new = {kFirstCardX + col * kColumnPitch, kFirstCardY + row * kRowPitch};
  layout.height += 180;
  return layout;
}

int BrowserItems::Append(const std::string& kind, const std::string& name, int popup) {
  const int index = size();
  items_.push_back({kind, name, index, popup, 0});
  return index;
}

bool BrowserItems::Select(int control) {
  bool found = false;
  for (auto& item : items_) {
    item.selected = 0;
    if (!found && item.control == control && item.popup != -1) {
      item.selected = 1;
      found = true;
    }
  }
  return found;
}

int BrowserItems::SelectedItem() const {
  for (int i = 0; i < size(); ++i)
    if (items_[i].selected) return i;
  return -1;
}

}  // namespace vorlane

// The resource browser without its widgets: which resources each tab shows
// and with which picture, where the cards go, and the list of browser items
// that maps a clicked card back to its resource.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "project/model.h"
#include "project/resource_kind.h"

namespace vorlane {

struct KindInfo {
  ResourceKind kind;
  std::string tab;       // "Sprites": the tab, and the kind of its browser items
  std::string label;     // " Sprites ": the tab's label
  std::string banner;    // picture names
  std::string tab_icon;
  Command add_command;  // what the tab's add-new card does
};

// The eight kinds in tab order.
const std::vector<ResourceKind>& BrowserKinds();
const KindInfo& InfoOf(ResourceKind kind);
std::optional<ResourceKind> KindOfTab(const std::string& tab);

// The card picture of sounds, musics, fonts and functions, which have no
// thumbnail of their own. The stock card until the program installs its art.
ImageRef StockKindCard(ResourceKind kind);
void SetStockKindCard(ResourceKind kind, ImageRef picture);

struct ShownResource {
  std::string name;
  ImageRef picture;  // never null
};

// The resources of one tab in list order, with their card pictures. Objects
// show their sprite's thumbnail; instances are not shown.
std::vector<ShownResource> ShownResources(const Project& project, ResourceKind kind);

// Layout, in pixels of the tab's scroll area.
inline constexpr int kCardWidth = 150;
inline constexpr int kCardHeight = 100;
inline constexpr int kColumnPitch = 160;
inline constexpr int kRowPitch = 130;
inline constexpr int kFirstCardX = 10;
inline constexpr int kFirstCardY = 60;
inline constexpr int kLabelGap = 5;  // between a card and its name
inline constexpr int kLabelHeight = 20;
inline constexpr int kBannerWidth = 2880;
inline constexpr int kBannerHeight = 50;

struct CardPosition {
  int x = 0;
  int y = 0;
  friend bool operator==(const CardPosition&, const CardPosition&) = default;
};

struct GridLayout {
  std::vector<CardPosition> cards;  // each card's name label is kLabelGap below it
  CardPosition add_new;
  int height = 0;  // the scroll area's inner height
};

// Cards fill rows left to right and wrap before a card would pass
// `panel_width` - kColumnPitch; the add-new card takes the next place.
GridLayout LayoutCards(int count, int panel_width);

struct BrowserItem {
  std::string kind;  // the tab, "Sprites" ...
  std::string name;  // "" for name labels and add-new cards
  int control = -1;  // the card's (or label's) id on screen
  int popup = -1;    // PopupKind of the card, -1 for labels and add-new cards
  int selected = 0;
};

// Rebuilt by every browser refresh. An item's control is its index.
class BrowserItems {
 public:
  void Clear() { items_.clear(); }
  // Appends and returns the new item's index, which is also its control.
  int Append(const std::string& kind, const std::string& name, int popup);
  const std::vector<BrowserItem>& items() const { return items_; }
  const BrowserItem& operator[](int index) const { return items_[index]; }
  int size() const { return static_cast<int>(items_.size()); }

  // Clears every selection, then selects the card whose control this is when
  // it has a popup. False when no such card exists.
  bool Select(int control);
  // The first selected item, -1 when there is none (nothing may be acted on).
  int SelectedItem() const;

 private:
  std::vector<BrowserItem> items_;
};

}  // namespace vorlane

// Browser pictures derived from the project: sprite, background and scene
// cards, held in Project::cards.
#pragma once

#include <vector>

#include "project/model.h"
#include "project/project_file.h"

namespace vorlane {

// Draws every sprite and background card. A background's picture is
// decoded only when the size its file declares fits `limits` beside the
// frames the project holds; otherwise, as when it cannot be loaded, its
// card is bare.
void BuildThumbnails(Project& project, const PictureLimits& limits = {});

// BuildThumbnails without the backgrounds, for a caller that has their
// pictures at hand and gives each its BackgroundCard. Cards of sprites that
// are gone are dropped.
void BuildSpriteThumbnails(const Project& project);

// The card of each sprite, in list order: its first frame that holds a
// picture, or the empty card. A card is drawn again only when the card
// drawn last for that sprite showed another picture.
std::vector<ImageRef> SpriteCards(const Project& project);

// A background's card: the card showing `picture`, or the bare card when
// there is none.
ImageRef BackgroundCard(const Image* picture);

// The card of a background or scene as last drawn, null when none was.
ImageRef BackgroundCardOf(const Project& project, const Background& background);
ImageRef SceneCardOf(const Project& project, const std::string& scene);

// The 150 x 100 card drawn under every thumbnail, and the picture of a
// resource that has none. Built-in drawings until the program installs its
// own artwork with SetStockCardPictures.
ImageRef StockCardPicture();
ImageRef StockEmptyCard();
void SetStockCardPictures(ImageRef card, ImageRef empty);

// A card: the stock card with `picture` fitted into a 60 x 60 box at (45, 20)
// keeping its shape (over grey squares when the picture can be see-through),
// or with the empty card when `picture` is null.
Image MakeCard(const Image* picture);

}  // namespace vorlane

// Browser pictures derived from the project: sprite and background cards and
// the objects' first-frame images.
#pragma once

#include "project/model.h"
#include "project/project_file.h"

namespace vorlane {

// Rebuilds every sprite and background thumbnail and sets `image`,
// `imagewidth`, `imageheight` and `displayimage` of every object and
// instance to its sprite's first frame (none when it has no frames). A background's picture is decoded only when the size its
// file declares fits `limits` beside the frames and tiles the project holds;
// otherwise, as when it cannot be loaded, its card is bare.
void BuildThumbnails(Project& project, const PictureLimits& limits = {});

// BuildThumbnails without the backgrounds, for a caller that has their
// pictures at hand and gives each its BackgroundCard.
void BuildSpriteThumbnails(Project& project);

// A background's thumbnail: the card showing `picture`, or the bare card
// when there is none.
ImageRef BackgroundCard(const Image* picture);

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

// Browser pictures derived from the project: sprite and background cards and
// the objects' first-frame images.
#pragma once

#include "project/model.h"

namespace vorlane {

// Rebuilds every sprite and background thumbnail and sets `image`,
// `imagewidth` and `imageheight` of every object and instance whose sprite
// has a frame.
void BuildThumbnails(Project& project);

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

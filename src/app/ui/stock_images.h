// The program's own pictures (icons, cards, banners, splash, About), compiled
// in and decoded once at start-up. Pictures are named by their file name
// without ".png": "card", "banner_sprites", "add_sprite".
#pragma once

#include <QPixmap>
#include <QString>
#include <string>
#include <vector>

#include "gui/image.h"

namespace vorlane {

// Decodes every picture and installs the browser's card pictures. Safe to
// call more than once.
void LoadStockImages();

// Null / a null pixmap when there is no such picture (a missing stock image
// is not reported).
ImageRef StockImage(const std::string& name);
QPixmap StockPixmap(const std::string& name);
// The picture's resource path, for icons: ":/artwork/<name>.png".
QString StockPicturePath(const std::string& name);
std::vector<std::string> StockImageNames();

}  // namespace vorlane

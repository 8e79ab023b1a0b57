// The four fonts every window uses. They are asked for by name; the desktop's
// font configuration supplies the nearest one it has.
#pragma once

#include <QFont>

namespace vorlane {

struct StockFonts {
  QFont code;      // "Consolas" 10
  QFont normal;    // "Arial" 11
  QFont bold;      // "Arial" 11 bold
  QFont big_bold;  // "Arial" 16 bold
};

void LoadStockFonts();
// Loads them on first use when LoadStockFonts was not called.
const StockFonts& Fonts();

}  // namespace vorlane

#include "gui/ui/fonts.h"

#include <optional>

namespace vorlane {
namespace {

QFont Make(const char* family, int points, bool bold, QFont::StyleHint hint) {
  QFont font(family, points, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(hint);
  return font;
}

std::optional<StockFonts>& Slot() {
  static std::optional<StockFonts> fonts;
  return fonts;
}

}  // namespace

void LoadStockFonts() {
  Slot() = StockFonts{
      Make("Consolas", 10, false, QFont::Monospace), Make("Arial", 11, false, QFont::SansSerif),
      Make("Arial", 11, true, QFont::SansSerif), Make("Arial", 16, true, QFont::SansSerif)};
}

const StockFonts& Fonts() {
  if (!Slot()) LoadStockFonts();
  return *Slot();
}

}  // namespace vorlane

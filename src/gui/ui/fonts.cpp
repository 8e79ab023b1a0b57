#include "gui/ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <optional>

namespace vorlane {
namespace {

QFont Make(const QString& family, int points, bool bold, QFont::StyleHint hint) {
  QFont font(family, points, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(hint);
  return font;
}

std::optional<StockFonts>& Slot() {
  static std::optional<StockFonts> fonts;
  return fonts;
}

// Read once: fonts installed while the program runs are not looked for.
const std::vector<InstalledFamily>& Installed() {
  static const std::vector<InstalledFamily> families = [] {
    std::vector<InstalledFamily> list;
    for (const QString& family : QFontDatabase::families())
      list.push_back({family.toStdString(), QFontDatabase::isFixedPitch(family)});
    return list;
  }();
  return families;
}

}  // namespace

void LoadStockFonts() {
  Slot() = StockFonts{Make(QString::fromStdString(CodeFamily("Consolas")), 10, false,
                           QFont::Monospace),
                      Make("Arial", 11, false, QFont::SansSerif),
                      Make("Arial", 11, true, QFont::SansSerif),
                      Make("Arial", 16, true, QFont::SansSerif)};
}

const StockFonts& Fonts() {
  if (!Slot()) LoadStockFonts();
  return *Slot();
}

std::string PickCodeFamily(const std::string& wanted, const std::vector<InstalledFamily>& installed,
                           const std::string& system_fixed) {
  const QString name = QString::fromStdString(wanted);
  for (const InstalledFamily& family : installed)
    if (name.compare(QString::fromStdString(family.name), Qt::CaseInsensitive) == 0)
      return family.name;
  for (const InstalledFamily& family : installed)
    if (family.fixed_pitch) return family.name;
  return system_fixed;
}

std::string CodeFamily(const std::string& wanted) {
  return PickCodeFamily(wanted, Installed(),
                        QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toStdString());
}

}  // namespace vorlane

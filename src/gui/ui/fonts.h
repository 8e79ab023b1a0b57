// The four fonts every window uses. They are asked for by name; the desktop's
// font configuration supplies the nearest one it has, except for code, which
// is always shown in a fixed-pitch family (CodeFamily).
#pragma once

#include <QFont>

#include <string>
#include <vector>

namespace vorlane {

struct StockFonts {
  QFont code;      // CodeFamily("Consolas") 10
  QFont normal;    // "Arial" 11
  QFont bold;      // "Arial" 11 bold
  QFont big_bold;  // "Arial" 16 bold
};

void LoadStockFonts();
// Loads them on first use when LoadStockFonts was not called.
const StockFonts& Fonts();

// A font family installed on the machine, as the desktop reports it.
struct InstalledFamily {
  std::string name;
  bool fixed_pitch = false;
};

// The family to show code in when `wanted` is asked for: `wanted` itself
// when it is installed (in any case of letters), else the first installed
// fixed-pitch family, else `system_fixed`, the desktop's own fixed font. A
// missing family must not fall back to one whose letters differ in width,
// or aligned code loses its columns.
std::string PickCodeFamily(const std::string& wanted, const std::vector<InstalledFamily>& installed,
                           const std::string& system_fixed);

// PickCodeFamily over this machine's fonts.
std::string CodeFamily(const std::string& wanted);

}  // namespace vorlane

#include "image/effect_table.h"

#include "image/effects.h"

namespace vorlane {
namespace {

using C = EffectControl;
using V = EffectValues;
constexpr int kRow = 35;  // from one row of controls to the next

C Number(const char* label, int top, int min, int max, int value) {
  return C{.kind = C::kNumber, .label = label, .top = top, .min = min, .max = max, .value = value};
}
C FrameNumber(const char* label, int top, C::Range range) {
  return C{.kind = C::kNumber, .label = label, .top = top, .range = range};
}
C Check(const char* label, int top, int x, int width) {
  return C{.kind = C::kCheck, .label = label, .top = top, .x = x, .width = width};
}
C Choice(const char* label, int x, int width) {
  return C{.kind = C::kChoice, .label = label, .x = x, .width = width};
}
C Preset(const char* label, int x, int percent) {
  return C{.kind = C::kPreset, .label = label, .top = 2 * kRow + 5, .x = x, .width = 60,
           .value = percent};
}

std::vector<EffectEntry> MakeTable() {
  const auto plain = [](Image (*effect)(const Image&)) {
    return [effect](const Image& image, const V&) { return effect(image); };
  };
  std::vector<EffectEntry> table = {
      {EffectKind::Grayscale, "Convert to grayscale", {}, plain(Grayscale)},
      {EffectKind::Invert, "Invert", {}, plain(Invert)},
      {EffectKind::MakeOpaque, "Make opaque", {}, plain(MakeOpaque)},
      {EffectKind::Brightness, "Brightness", {Number("Level", 0, -255, 255, 0)},
       [](const Image& image, const V& v) { return Brightness(image, v.numbers[0]); }},
      {EffectKind::ColorBalance, "Color balance",
       {Number("Red", 0, -255, 255, 0), Number("Green", kRow, -255, 255, 0),
        Number("Blue", 2 * kRow, -255, 255, 0)},
       [](const Image& image, const V& v) {
         return ColorBalance(image, v.numbers[0], v.numbers[1], v.numbers[2]);
       }},
      {EffectKind::Colorize, "Colorize",
       {Number("Hue", 0, 0, 359, 0), C{.kind = C::kHueScale, .label = "", .top = 28}},
       [](const Image& image, const V& v) { return Colorize(image, v.numbers[0]); }},
      {EffectKind::SwapChannels, "Swap RGB channels",
       {Choice("RGB ==> RBG", 10, 125), Choice("RGB ==> GRB", 140, 125),
        Choice("RGB ==> GBR", 270, 125), Choice("RGB ==> BRG", 400, 125),
        Choice("RGB ==> BGR", 530, 125)},
       [](const Image& image, const V& v) {
         const size_t arrow = v.choice.find("==> ");
         return SwapChannels(image, arrow == std::string::npos ? "" : v.choice.substr(arrow + 4));
       }},
      {EffectKind::Opacity, "Opacity", {Number("Percent", 0, 0, 100, 100)},
       [](const Image& image, const V& v) { return Opacity(image, v.numbers[0]); }},
      {EffectKind::Posterize, "Posterize", {Number("Level", 0, 2, 120, 50)},
       [](const Image& image, const V& v) { return Posterize(image, v.numbers[0]); }},
      {EffectKind::Noise, "Noise", {Number("Level", 0, 0, 100, 0)},
       [](const Image& image, const V& v) { return Noise(image, v.noise); }},
      {EffectKind::EraseColor, "Erase a color",
       {Number("Tolerance", 0, 0, 255, 0), C{.kind = C::kColour, .label = "Color", .top = kRow}},
       [](const Image& image, const V& v) { return EraseColor(image, v.colour, v.numbers[0]); }},
      {EffectKind::Mirror, "Mirror the images",
       {Check("Mirror horizontally", 0, 10, 200), Check("Mirror vertically", kRow, 10, 200)},
       [](const Image& image, const V& v) { return Mirror(image, v.checks[0], v.checks[1]); }},
      {EffectKind::Rotate, "Rotate the images",
       {Choice("0", 10, 75), Choice("90", 90, 75), Choice("180", 170, 75), Choice("270", 250, 75),
        Choice("Free", 330, 75), Number("Angle", kRow, 0, 359, 0)},
       [](const Image& image, const V& v) {
         return RotateFrame(image, v.choice == "Free" ? v.numbers[0] : std::stoi(v.choice));
       }},
      {EffectKind::Scale, "Scale the images",
       {Number("Horizontal", 0, 1, 400, 100), Number("Vertical", kRow, 1, 400, 100),
        Check("Lock", kRow / 2, 625, 100), Preset("1/4", 100, 25), Preset("1/2", 170, 50),
        Preset("2x", 240, 200), Preset("4x", 310, 400)},
       [](const Image& image, const V& v) { return ScaleFrame(image, v.numbers[0], v.numbers[1]); }},
      {EffectKind::Shift, "Shift the images",
       {FrameNumber("Horizontal", 0, C::kFrameWidth), Check("Wrap horizontally", 0, 625, 165),
        FrameNumber("Vertical", kRow, C::kFrameHeight), Check("Wrap vertically", kRow, 625, 165)},
       [](const Image& image, const V& v) {
         return ShiftFrame(image, v.numbers[0], v.numbers[1], v.checks[0], v.checks[1]);
       }},
  };
  table[static_cast<int>(EffectKind::Noise)].draws_noise = true;
  table[static_cast<int>(EffectKind::Rotate)].frees_last_number = "Free";
  table[static_cast<int>(EffectKind::Scale)].locks_numbers = true;
  return table;
}

}  // namespace

const EffectEntry& EffectEntryFor(EffectKind kind) {
  static const std::vector<EffectEntry> table = MakeTable();
  return table[static_cast<size_t>(kind)];
}

}  // namespace vorlane

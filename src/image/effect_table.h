// The frame editor's fifteen effects as one table: for each, its title, the
// controls its window shows (with their ranges, defaults and places) and how
// the values of those controls make the effect. The effect window builds
// itself from an entry; nothing else needs to know one effect from another.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/image.h"

namespace vorlane {

enum class EffectKind {
  Grayscale, Invert, MakeOpaque, Brightness, ColorBalance, Colorize, SwapChannels, Opacity,
  Posterize, Noise, EraseColor, Mirror, Rotate, Scale, Shift,
};

// One control of an effect's window, placed below the two views.
struct EffectControl {
  enum Kind {
    kNumber,     // a slider with its label and number field
    kCheck,      // a check box
    kChoice,     // one of a group of radio buttons; the first is chosen
    kColour,     // a colour swatch with a "..." button that asks for another
    kPreset,     // a button that sets every number to `value`
    kHueScale,   // the hue colours drawn under the number above it
  };
  Kind kind;
  const char* label;
  int top = 0;           // pixels below the first row
  int x = 0, width = 0;  // for check boxes, choices and presets
  int min = 0, max = 0, value = 0;
  // A number's range is the frame's width or height, either way.
  enum Range { kFixed, kFrameWidth, kFrameHeight } range = kFixed;
};

// What the controls hold when the effect is made.
struct EffectValues {
  std::vector<int> numbers;  // in the order of the entry's numbers
  std::vector<bool> checks;  // in the order of its check boxes
  std::string choice;        // the text of the chosen radio button
  Color colour{0, 0, 0, 255};
  std::vector<std::uint8_t> noise;  // the plane shown, for Noise
};

struct EffectEntry {
  EffectKind kind;
  const char* title;  // also the name of the undo step
  std::vector<EffectControl> controls;
  std::function<Image(const Image&, const EffectValues&)> apply;
  bool locks_numbers = false;  // a check box keeps the numbers equal (its first)
  bool draws_noise = false;    // every change draws a new noise plane
  const char* frees_last_number = nullptr;  // the choice that enables it
};

const EffectEntry& EffectEntryFor(EffectKind kind);
inline const char* EffectTitle(EffectKind kind) { return EffectEntryFor(kind).title; }

}  // namespace vorlane

// The frame editor's transforms and effects as plain functions: each takes a
// frame and its parameters and returns the new frame, a 32-bit image of the
// same size. Colour effects read every pixel's (r, g, b, a) (a = 255 for a
// 24-bit frame) and store the result, a pixel whose alpha comes out 0
// becoming (0, 0, 0, 0). Luma uses the single-precision weights 0.2126,
// 0.7152 and 0.0722; "nearest" rounds halves away from zero.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/image.h"

namespace vorlane {

// (y, y, y, a), y the nearest whole luma.
Image Grayscale(const Image& image);
// (255 - r, 255 - g, 255 - b, a).
Image Invert(const Image& image);
// (r, g, b, 255).
Image MakeOpaque(const Image& image);
// Each colour channel plus `level` (-255..255), clamped to 0..255.
Image Brightness(const Image& image, int level);
// Each channel plus its own change (-255..255), clamped.
Image ColorBalance(const Image& image, int dr, int dg, int db);
// Each channel times the full-saturation, full-value tint of `hue` (0..359
// degrees), each product rounded to the nearest integer, ties to even.
Image Colorize(const Image& image, int hue);
// The channels in the named order: "RBG", "GRB", "GBR", "BRG" or "BGR"; any
// other order leaves the picture as it is.
Image SwapChannels(const Image& image, const std::string& order);
// Alpha becomes ceil(a / 100 * percent) in single precision (0..100).
Image Opacity(const Image& image, int percent);
// Each colour channel becomes min(255, nearest(c / level) * level), level
// 2..120.
Image Posterize(const Image& image, int level);
// Adds plane[y * w + x] to each colour channel of the pixel, capped at 255.
// A plane of the wrong size leaves the picture as it is.
Image Noise(const Image& image, const std::vector<std::uint8_t>& plane);
// The noise plane for `level` (0..100): 1 + a uniform whole number in
// 0..level per pixel, from `seed`.
std::vector<std::uint8_t> MakeNoisePlane(int width, int height, int level, std::uint32_t seed);
// Pixels whose nearest luma is within `tolerance` of the colour's become
// (0, 0, 0, 0).
Image EraseColor(const Image& image, Color color, int tolerance);
Image Mirror(const Image& image, bool horizontal, bool vertical);
// Turned counter-clockwise by `degrees` about (w / 2, h / 2) at the same
// size, each pixel taken from the nearest source pixel; what comes from
// outside is see-through.
Image RotateFrame(const Image& image, int degrees);
// Drawn at hpercent x vpercent of its size (1..400), centred, cropped or
// with a see-through border; same size.
Image ScaleFrame(const Image& image, int hpercent, int vpercent);
// Drawn at (dx, dy), and with wrapping again one frame width or height
// away (diagonally too when both wrap); same size.
Image ShiftFrame(const Image& image, int dx, int dy, bool wrapx, bool wrapy);

}  // namespace vorlane

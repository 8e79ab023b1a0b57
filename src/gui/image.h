// The one pixel buffer every image algorithm of the program works on.
//
// An image is either 24-bit (opaque; every alpha byte stays 255) or 32-bit
// (with transparency). Pixels are stored as 4 bytes R, G, B, A, rows packed
// without padding, so loops can walk the buffer directly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/file_limits.h"

namespace vorlane {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;

  // One integer holds a colour as r + 256*g + 65536*b + 16777216*a.
  static Color FromInt(std::uint32_t value);
  std::uint32_t ToInt() const;
  friend bool operator==(const Color&, const Color&) = default;
};

enum class DrawMode {
  Copy,   // the source replaces the target
  Blend,  // the source over the target, weighted by the source's alpha
  Xor,    // the target's red, green and blue bytes XOR-ed with the source's
};

enum class Scaling { Nearest, Bilinear };

// The three ways the program turns fractions into whole numbers.
enum class Rounding { Down, Up, Nearest /* halves away from zero */ };
int Round(double value, Rounding rule);

class Image {
 public:
  Image() = default;  // the null image, 0 x 0
  // A 24-bit image, opaque black.
  static Image Opaque(int width, int height);
  // A 32-bit image, every pixel (0, 0, 0, 0).
  static Image Transparent(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool has_alpha() const { return alpha_; }
  bool is_null() const { return width_ <= 0 || height_ <= 0; }

  std::uint8_t* data() { return pixels_.data(); }
  const std::uint8_t* data() const { return pixels_.data(); }
  std::uint8_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_ * 4; }
  const std::uint8_t* row(int y) const {
    return pixels_.data() + static_cast<size_t>(y) * width_ * 4;
  }

  // A pixel outside the image reads as (0, 0, 0, 0).
  Color Pixel(int x, int y) const;
  // Plotting outside the image does nothing. On a 24-bit image the stored
  // alpha stays 255 whatever the mode.
  void Plot(int x, int y, Color color, DrawMode mode = DrawMode::Copy);

  void Fill(Color color);
  void FillRect(int x, int y, int w, int h, Color color, DrawMode mode = DrawMode::Copy);

  // Draws `source` with its top-left corner at (x, y), clipped to this image.
  void Draw(const Image& source, int x, int y, DrawMode mode = DrawMode::Blend);
  // Alpha-blends `source` with every source alpha multiplied by opacity/255.
  void DrawWithOpacity(const Image& source, int x, int y, int opacity);
  // Draws `source` stretched to w x h at (x, y).
  void DrawScaled(const Image& source, int x, int y, int w, int h, DrawMode mode = DrawMode::Blend,
                  Scaling scaling = Scaling::Nearest);

  // A copy resized to w x h, keeping the bit depth.
  Image Scaled(int w, int h, Scaling scaling) const;
  // A copy of the rectangle (x, y, w, h) with this image's bit depth; parts
  // outside read as (0, 0, 0, 0), or opaque black on a 24-bit image.
  Image Copy(int x, int y, int w, int h) const;

  friend bool operator==(const Image&, const Image&) = default;

 private:
  Image(int width, int height, bool alpha);
  // Draw and DrawWithOpacity: `source` clipped to this image, every source
  // alpha scaled by opacity/255.
  void DrawClipped(const Image& source, int x, int y, DrawMode mode, unsigned opacity);
  int width_ = 0;
  int height_ = 0;
  bool alpha_ = false;
  std::vector<std::uint8_t> pixels_;
};

// A 64-bit fingerprint of the size, depth and pixels: equal images have
// equal fingerprints, and different ones almost never do.
std::uint64_t Fingerprint(const Image& image);

// Run-time images (frames, thumbnails, display images) are shared between
// records, cards and snapshots, so they are never changed in place: code
// that changes pixels works on its own copy and shares the result anew.
// A null pointer means "none".
using ImageRef = std::shared_ptr<const Image>;
inline ImageRef ShareImage(Image image = {}) {
  return std::make_shared<const Image>(std::move(image));
}

// Decodes a PNG, JPEG or BMP file. Files with an alpha channel give 32-bit
// images, others 24-bit. Returns a null image when the file cannot be read
// or decoded; `error` is set only in the first case (a missing file, one
// that is not a regular file, is over kMaxPictureFileBytes or lies where
// `from` does not allow).
Image LoadImageFile(const std::string& path, std::string* error = nullptr,
                    ReadFrom from = ReadFrom::Anywhere);
// The size a PNG, JPEG or BMP file declares in its header, read without
// decoding the pixels, so that callers can refuse a picture before it takes
// memory. Nothing when the file is missing, in another format, or its header
// gives no size above 0; `error` is set when the file could not be opened
// as a regular file.
struct ImageSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};
std::optional<ImageSize> ReadImageSize(const std::string& path, std::string* error = nullptr,
                                       ReadFrom from = ReadFrom::Anywhere);

// Reads a PNG, JPEG or BMP picture of at most `max_side` pixels on each
// side. A null image when it cannot be used, with `error` (when given) a
// sentence naming the file and the reason.
Image LoadPicture(const std::string& path, int max_side, std::string* error);
// Decodes an image from bytes in memory. Null, as for a file that does not
// decode, when the bytes declare a picture larger than 16384 pixels on a
// side or than 2^28 pixels, or more pixels than so few bytes of a complete
// file could hold (a truncated file, filler runs).
Image DecodeImage(const std::string& bytes);
// Encodes a PNG file (written atomically). False on failure.
bool SavePng(const Image& image, const std::string& path, std::string* error = nullptr);
// Encodes PNG bytes in memory; empty on failure.
std::string EncodePng(const Image& image);

// The built-in 800 x 800 checkerboard of 16 x 16 squares drawn behind
// images to show transparency: light grey (192, 192, 192) at the top left,
// alternating with white.
const Image& Checkerboard();
// Fills the rectangle (x, y, w, h) of `target` with the checkerboard,
// repeated as far as it reaches, its top-left square at (x, y); what lies
// outside `target` is left out.
void DrawCheckerboard(Image& target, int x, int y, int w, int h);

}  // namespace vorlane

#include "gui/image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "gui/canvas_tool.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using ImageFileTest = test::InTempDir;

constexpr Color kClear{0, 0, 0, 0};

// A w x h image whose pixels all differ, alpha included (some alpha 0 pixels
// keep a colour), so mixed-up coordinates show.
Image Pattern(int w, int h, bool alpha) {
  Image image = alpha ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.Plot(x, y,
                 Color{std::uint8_t(x * 40 + 1), std::uint8_t(y * 40 + 2), std::uint8_t(x * y + 3),
                       std::uint8_t((x + y) * 50 % 256)});
  return image;
}

// The w x h part of `source` whose corner is at (x, y), built pixel by pixel.
Image Window(const Image& source, int x, int y, int w, int h) {
  Image part = source.has_alpha() ? Image::Transparent(w, h) : Image::Opaque(w, h);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) part.Plot(px, py, source.Pixel(x + px, y + py));
  return part;
}

Color ColorOf(const std::string& text) {
  int r, g, b, a;
  std::sscanf(text.c_str(), "%d,%d,%d,%d", &r, &g, &b, &a);
  return Color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)};
}

// The cases of golden/pixels.txt, each on a 1 x 1 target.
TEST(ImageTest, OnePixelOperationsExactly) {
  std::istringstream rows(ReadAll(std::string(VORLANE_GOLDEN_DIR) + "/pixels.txt"));
  std::string row, target_kind, under, op, over, expected;
  int cases = 0;
  while (std::getline(rows, row)) {
    if (row.starts_with("#") ||
        !(std::istringstream(row) >> target_kind >> under >> op >> over >> expected))
      continue;
    Image target = target_kind == "clear" ? Image::Transparent(1, 1) : Image::Opaque(1, 1);
    target.Fill(ColorOf(under));
    const DrawMode mode = op.ends_with("copy")  ? DrawMode::Copy
                          : op.ends_with("xor") ? DrawMode::Xor
                                                : DrawMode::Blend;
    if (op.starts_with("plot")) {
      target.Plot(0, 0, ColorOf(over), mode);
    } else if (op.starts_with("fill")) {
      target.FillRect(0, 0, 1, 1, ColorOf(over), mode);
    } else {
      Image source = op.starts_with("clear") ? Image::Transparent(1, 1) : Image::Opaque(1, 1);
      source.Fill(ColorOf(over));
      target.DrawWithOpacity(source, 0, 0, std::stoi(op.substr(op.find('@') + 1)));
    }
    EXPECT_EQ(target.Pixel(0, 0), ColorOf(expected)) << row;
    ++cases;
  }
  EXPECT_EQ(cases, 10);
  EXPECT_EQ(Image::Opaque(3, 2).Pixel(3, 0), kClear);
  EXPECT_TRUE(Image::Transparent(-3, 5).is_null());
  EXPECT_EQ(Color::FromInt(0xFF804020u), (Color{0x20, 0x40, 0x80, 0xFF}));
}

// Drawing, filling and copying clip at every edge, even at the ends of int.
TEST(ImageTest, EveryOperationClips) {
  const Image source = Pattern(3, 3, true);
  Image target = Image::Transparent(3, 3);
  target.Draw(source, -1, -2, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, 1, 2, 3, 3));
  const Image untouched = target;
  for (int pos : {INT_MIN, -5, 3, INT_MAX}) {
    target.Draw(source, pos, 0, DrawMode::Copy);
    target.DrawScaled(source, 0, pos, 5, 5, DrawMode::Copy);
    target.FillRect(pos, pos, INT_MAX, 1, Color{1, 1, 1, 255});
  }
  target.FillRect(INT_MIN, 0, INT_MAX, 3, Color{1, 1, 1, 255});  // ends at x = -1
  target.DrawScaled(source, 0, 0, 3, -1);
  EXPECT_EQ(target, untouched);
  Image self = Pattern(3, 1, true);
  const Image before = self;
  self.Draw(self, 1, 0, DrawMode::Copy);  // overlapping rows onto itself
  EXPECT_EQ(self.Pixel(2, 0), before.Pixel(1, 0));
  for (bool alpha : {true, false}) {
    const Image image = Pattern(2, 2, alpha);
    EXPECT_EQ(image.Copy(-1, -1, 3, 3), Window(image, -1, -1, 3, 3));
    EXPECT_EQ(image.Copy(INT_MIN, INT_MAX, 1, 1), Window(image, 5, 5, 1, 1));
  }
}

TEST(ImageTest, Scaling) {
  // Nearest: halving takes each pair's second pixel; 3 -> 2 the outer ones.
  const Image big = Pattern(4, 3, false);
  const Image down = big.Scaled(2, 2, Scaling::Nearest);
  EXPECT_EQ(down.Pixel(0, 0), big.Pixel(1, 0));
  EXPECT_EQ(down.Pixel(1, 1), big.Pixel(3, 2));
  // Only the visible part of a huge, mostly off-image stretch is computed.
  const Image source = Pattern(2, 2, true);
  Image target = Image::Transparent(2, 1);
  target.DrawScaled(source, -999999999, 0, 2000000000, 1, DrawMode::Copy);
  EXPECT_EQ(target, Window(source, 0, 1, 2, 1));

  // Bilinear keeps the same size exactly, ramps from pixel centres, and a
  // transparent neighbour lowers alpha without darkening the colour.
  EXPECT_EQ(Pattern(5, 4, true).Scaled(5, 4, Scaling::Bilinear), Pattern(5, 4, true));
  Image ramp = Image::Opaque(2, 1);
  ramp.Plot(1, 0, Color{200, 0, 0, 255});
  const Image wide = ramp.Scaled(4, 1, Scaling::Bilinear);
  const int reds[] = {0, 50, 150, 200};
  for (int x : {0, 1, 2, 3}) EXPECT_EQ(wide.Pixel(x, 0).r, reds[x]) << x;
  Image edge = Image::Transparent(2, 1);
  edge.Plot(0, 0, Color{255, 0, 0, 255});
  EXPECT_EQ(edge.Scaled(4, 1, Scaling::Bilinear).Pixel(1, 0), (Color{255, 0, 0, 191}));
}

TEST(ImageTest, RoundRules) {
  const struct {
    double value;
    Rounding rule;
    int expected;
  } cases[] = {{-2.5, Rounding::Down, -3},          {-2.5, Rounding::Up, -2},
               {2.5, Rounding::Nearest, 3},         {-2.5, Rounding::Nearest, -3},
               {1e300, Rounding::Nearest, INT_MAX}, {std::nan(""), Rounding::Up, 0}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.value, c.rule), c.expected) << c.value;
}

TEST_F(ImageFileTest, PngRoundTripKeepsDepthAndBytes) {
  for (bool alpha : {false, true}) {
    const Image image = Pattern(7, 5, alpha);
    ASSERT_TRUE(SavePng(image, "a.png"));
    const Image loaded = LoadImageFile("a.png");
    EXPECT_EQ(loaded.has_alpha(), alpha);
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(ReadAll("a.png"), EncodePng(image));
  }
  EXPECT_EQ(EncodePng(Image()), "");
  EXPECT_FALSE(SavePng(Image(), "null.png"));
}

std::string Picture(const std::string& name) {
  return std::string(VORLANE_GOLDEN_DIR) + "/pictures/" + name;
}

// Files made by other programs, crafted or cut short (golden/pictures,
// listed in sizes.txt): the size each header declares, read from the header
// alone (a comment segment holding a frame marker is skipped by its length;
// BMP rows may run top-down), and whether the picture loads. Past 16384
// pixels a side, or too small for the size it declares (a cut JPEG would be
// filled in grey, a run-length BMP ending at once in the background
// colour), nothing is decoded.
TEST(ImageFilesTest, SizesFromTheHeaderAndWhatLoads) {
  std::istringstream rows(ReadAll(Picture("sizes.txt")));
  std::string row, file, width;
  int files = 0;
  std::getline(rows, row);  // what the file holds
  while (rows >> file >> width) {
    std::optional<ImageSize> size;
    if (width != "-") rows >> size.emplace().height, size->width = std::stoi(width);
    bool loads = false;
    rows >> loads;
    EXPECT_EQ(ReadImageSize(Picture(file)), size) << file;
    EXPECT_EQ(!LoadImageFile(Picture(file)).is_null(), loads) << file;
    EXPECT_EQ(!DecodeImage(ReadAll(Picture(file))).is_null(), loads) << file;
    ++files;
  }
  EXPECT_EQ(files, 23);
  const Image jpeg = LoadImageFile(Picture("a.jpg")), bmp = LoadImageFile(Picture("a.bmp"));
  EXPECT_FALSE(jpeg.has_alpha() || bmp.has_alpha());
  const Color c = jpeg.Pixel(4, 3);
  EXPECT_TRUE(std::abs(c.r - 200) <= 8 && std::abs(c.g - 40) <= 8 && std::abs(c.b - 90) <= 8);
  EXPECT_EQ(bmp.Pixel(8, 5), (Color{200, 40, 90, 255}));
}

TEST_F(ImageFileTest, RefusesPicturesWiderThanCanBeEdited) {
  ASSERT_TRUE(QImage(16385, 1, QImage::Format_RGB32).save("wide.bmp", "BMP"));
  ASSERT_TRUE(QImage(16384, 1, QImage::Format_RGB32).save("edge.bmp", "BMP"));
  EXPECT_TRUE(LoadImageFile("wide.bmp").is_null());
  EXPECT_EQ(LoadImageFile("edge.bmp").width(), 16384);
}

// Cells round towards minus infinity; no grid snaps nothing; a stroke
// enters each cell once until it leaves it.
TEST(CanvasTool, GridCellsAndStrokes) {
  for (const auto& [value, cell] : {std::pair{39, 1}, {40, 2}, {-1, -1}, {-20, -1}, {-21, -2}})
    EXPECT_EQ(GridCell(value, 20), cell) << value;
  EXPECT_EQ(SnapToGrid(-1, 20), -20);
  EXPECT_EQ(SnapToGrid(7, 0), 7);
  GridStroke stroke;
  EXPECT_TRUE(stroke.Enter(5, 5, 20));
  EXPECT_FALSE(stroke.Enter(19, 0, 20));
  EXPECT_TRUE(stroke.Enter(20, 0, 20));
  EXPECT_TRUE(stroke.Enter(19, 0, 20));  // back into the first cell
  stroke.Reset();
  EXPECT_TRUE(stroke.Enter(19, 0, 20));
}

}  // namespace
}  // namespace vorlane

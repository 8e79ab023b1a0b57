#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <optional>

#include "gui/image.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;

class ImageIoTest : public test::InTempDir {};

// Every byte differs from its neighbours, and alpha 0 pixels keep a colour.
Image Sample(bool alpha) {
  Image image = alpha ? Image::Transparent(7, 5) : Image::Opaque(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      image.Plot(x, y,
                 Color{std::uint8_t(x * 37), std::uint8_t(y * 51 + 1), std::uint8_t(x * y * 9 + 2),
                       std::uint8_t((x * 5 + y) * 11)});
  return image;
}

TEST_F(ImageIoTest, PngRoundTripKeepsDepthAndBytes) {
  for (bool alpha : {false, true}) {
    const Image image = Sample(alpha);
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

// Files made by other programs, crafted or cut short: the size each header
// declares, read from the header alone (a comment segment holding a frame
// marker is skipped by its length; BMP rows may run top-down), and whether
// the picture loads. Past 16384 pixels a side, or too small for the size it
// declares (a cut JPEG would be filled in grey, a run-length BMP ending at
// once in the background colour), nothing is decoded.
TEST(ImageFilesTest, SizesFromTheHeaderAndWhatLoads) {
  const struct {
    const char* file;
    std::optional<ImageSize> size;
    bool loads;
  } cases[] = {
      {"a.png", ImageSize{9, 6}, true},
      {"a.jpg", ImageSize{9, 6}, true},
      {"a.bmp", ImageSize{9, 6}, true},
      {"comment.jpg", ImageSize{9, 6}, true},
      {"top-down.bmp", ImageSize{9, 6}, false},  // its rows were written bottom-up
      {"os2-header-only.bmp", ImageSize{9, 6}, false},
      {"solid-16384.png", ImageSize{16384, 512}, true},
      {"header-only.png", ImageSize{100000, 6}, false},
      {"huge-header-only.bmp", ImageSize{100000, 100000}, false},
      {"cut-16000.jpg", ImageSize{16000, 16000}, false},
      {"rle-16000.bmp", ImageSize{16000, 16000}, false},
      {"cut.png", ImageSize{64, 64}, false},
      {"no-size.jpg", std::nullopt, false},
      {"zero-width.png", std::nullopt, false},
      {"negative-width.bmp", std::nullopt, false},
      {"lowest-height.bmp", std::nullopt, false},  // -2147483648 rows
      {"garbage.png", std::nullopt, false},
      {"empty.png", std::nullopt, false},
      {"signature-only.png", std::nullopt, false},
      {"bm.bmp", std::nullopt, false},
      {"soi.jpg", std::nullopt, false},
      {"missing.png", std::nullopt, false},
      {".", std::nullopt, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadImageSize(Picture(c.file)), c.size) << c.file;
    EXPECT_EQ(!LoadImageFile(Picture(c.file)).is_null(), c.loads) << c.file;
    EXPECT_EQ(!DecodeImage(ReadAll(Picture(c.file))).is_null(), c.loads) << c.file;
  }
  const Image jpeg = LoadImageFile(Picture("a.jpg")), bmp = LoadImageFile(Picture("a.bmp"));
  EXPECT_FALSE(jpeg.has_alpha() || bmp.has_alpha());
  const Color c = jpeg.Pixel(4, 3);
  EXPECT_TRUE(std::abs(c.r - 200) <= 8 && std::abs(c.g - 40) <= 8 && std::abs(c.b - 90) <= 8);
  EXPECT_EQ(bmp.Pixel(8, 5), (Color{200, 40, 90, 255}));
}

TEST_F(ImageIoTest, RefusesPicturesWiderThanCanBeEdited) {
  ASSERT_TRUE(QImage(16385, 1, QImage::Format_RGB32).save("wide.bmp", "BMP"));
  ASSERT_TRUE(QImage(16384, 1, QImage::Format_RGB32).save("edge.bmp", "BMP"));
  EXPECT_TRUE(LoadImageFile("wide.bmp").is_null());
  EXPECT_EQ(LoadImageFile("edge.bmp").width(), 16384);
}

}  // namespace
}  // namespace vorlane

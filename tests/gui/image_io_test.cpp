#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <optional>
#include <sstream>

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

TEST_F(ImageIoTest, RefusesPicturesWiderThanCanBeEdited) {
  ASSERT_TRUE(QImage(16385, 1, QImage::Format_RGB32).save("wide.bmp", "BMP"));
  ASSERT_TRUE(QImage(16384, 1, QImage::Format_RGB32).save("edge.bmp", "BMP"));
  EXPECT_TRUE(LoadImageFile("wide.bmp").is_null());
  EXPECT_EQ(LoadImageFile("edge.bmp").width(), 16384);
}

}  // namespace
}  // namespace vorlane

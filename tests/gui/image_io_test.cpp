#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "gui/image.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

class ImageIoTest : public test::InTempDir {};

// Every byte differs from its neighbours, and alpha 0 pixels keep a colour.
Image Sample(bool alpha) {
  Image image = alpha ? Image::Transparent(7, 5) : Image::Opaque(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      image.Plot(x, y, Color{std::uint8_t(x * 37), std::uint8_t(y * 51 + 1),
                             std::uint8_t(x * y * 9 + 2), std::uint8_t((x * 5 + y) * 11)});
  return image;
}

bool Near(Color c, int r, int g, int b) {
  return std::abs(c.r - r) <= 8 && std::abs(c.g - g) <= 8 && std::abs(c.b - b) <= 8 && c.a == 255;
}

TEST_F(ImageIoTest, PngRoundTripKeepsDepthAndBytes) {
  for (bool alpha : {false, true}) {
    const Image image = Sample(alpha);
    std::string error;
    ASSERT_TRUE(SavePng(image, "a.png", &error)) << error;
    const Image loaded = LoadImageFile("a.png");
    EXPECT_EQ(loaded.has_alpha(), alpha);
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(DecodeImage(EncodePng(image)), image);
    EXPECT_EQ(ReadAll("a.png"), EncodePng(image));
  }
  EXPECT_EQ(EncodePng(Image()), "");
  EXPECT_FALSE(SavePng(Image(), "null.png"));
  EXPECT_FALSE(std::filesystem::exists("null.png"));
}

TEST_F(ImageIoTest, LoadsJpegAndBmpFromQt) {
  QImage q(9, 6, QImage::Format_RGB32);
  q.fill(qRgb(200, 40, 90));
  ASSERT_TRUE(q.save("a.jpg", "JPEG", 95));
  ASSERT_TRUE(q.save("a.bmp", "BMP"));
  const Image jpeg = LoadImageFile("a.jpg"), bmp = LoadImageFile("a.bmp");
  ASSERT_EQ(jpeg.width(), 9);
  ASSERT_EQ(jpeg.height(), 6);
  EXPECT_FALSE(jpeg.has_alpha());
  EXPECT_TRUE(Near(jpeg.Pixel(4, 3), 200, 40, 90));
  ASSERT_EQ(bmp.width(), 9);
  EXPECT_FALSE(bmp.has_alpha());
  EXPECT_EQ(bmp.Pixel(8, 5), (Color{200, 40, 90, 255}));
}

TEST_F(ImageIoTest, BadInputGivesNullImage) {
  WriteAll("garbage.png", "this is not an image at all");
  WriteAll("empty.png", "");
  const std::string png = EncodePng(Sample(true).Scaled(64, 64, Scaling::Nearest));
  WriteAll("cut.png", png.substr(0, png.size() / 2));
  for (const char* file : {"garbage.png", "empty.png", "cut.png", "missing.png", "."})
    EXPECT_TRUE(LoadImageFile(file).is_null()) << file;
  for (const std::string& bytes :
       {png.substr(0, 30), std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, '\xff'),
        std::string("BM"), std::string("\xFF\xD8\xFF", 3)})
    EXPECT_TRUE(DecodeImage(bytes).is_null()) << bytes.size();
}

TEST_F(ImageIoTest, RefusesOversizedImages) {
  // Small enough for Qt to decode, wider than we accept.
  ASSERT_TRUE(QImage(16385, 1, QImage::Format_RGB32).save("wide.bmp", "BMP"));
  ASSERT_TRUE(QImage(16384, 1, QImage::Format_RGB32).save("edge.bmp", "BMP"));
  EXPECT_TRUE(LoadImageFile("wide.bmp").is_null());
  EXPECT_EQ(LoadImageFile("edge.bmp").width(), 16384);

  // A header declaring 100000 x 100000 pixels with nothing behind it.
  std::string bmp = ReadAll("edge.bmp").substr(0, 54);
  for (int field : {18, 22}) {
    bmp[field] = char(0xA0), bmp[field + 1] = char(0x86), bmp[field + 2] = 0x01;
  }
  EXPECT_TRUE(DecodeImage(bmp).is_null());
}

// A few hundred bytes declaring a picture of hundreds of megabytes are
// refused before decoding: a cut JPEG would be filled in grey, and a
// run-length BMP ending at once in the background colour.
TEST_F(ImageIoTest, RefusesFilesTooSmallForTheirSize) {
  QImage q(9, 6, QImage::Format_RGB32);
  q.fill(qRgb(200, 40, 90));
  ASSERT_TRUE(q.save("a.jpg", "JPEG"));
  std::string jpeg = ReadAll("a.jpg");
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  jpeg.replace(frame + 5, 4, "\x3E\x80\x3E\x80");  // 16000 x 16000
  const size_t scan = jpeg.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  const std::string cut = jpeg.substr(0, scan + 40);
  WriteAll("cut.jpg", cut);
  ASSERT_EQ(ReadImageSize("cut.jpg"), (ImageSize{16000, 16000}));
  EXPECT_TRUE(DecodeImage(cut).is_null());
  EXPECT_TRUE(LoadImageFile("cut.jpg").is_null());

  std::string rle = "BM" + std::string(12, '\0') + std::string(40, '\0');
  const auto put32 = [&rle](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) rle[at + i] = static_cast<char>(value >> (8 * i));
  };
  put32(10, 14 + 40 + 8), put32(14, 40), put32(18, 16000), put32(22, 16000);
  rle[26] = 1, rle[28] = 8, put32(30, 1), put32(46, 2);  // 8 bits, RLE8, 2 colours
  rle += std::string("\0\0\xFF\0\xFF\xFF\xFF\0", 8) + std::string("\0\x01", 2);  // end at once
  EXPECT_TRUE(DecodeImage(rle).is_null());

  // A complete picture that compresses as far as any can still loads.
  QImage solid(16384, 512, QImage::Format_Mono);
  solid.fill(0);
  ASSERT_TRUE(solid.save("solid.png", "PNG"));
  EXPECT_EQ(LoadImageFile("solid.png").width(), 16384);
}

// Sizes come from the header alone, so a file holding nothing else still
// tells its size; a file without a usable one tells none.
TEST_F(ImageIoTest, SizeIsReadFromTheHeaderAlone) {
  using namespace std::string_literals;
  QImage q(9, 6, QImage::Format_RGB32);
  q.fill(qRgb(200, 40, 90));
  ASSERT_TRUE(q.save("a.jpg", "JPEG") && q.save("a.bmp", "BMP"));
  ASSERT_TRUE(SavePng(Image::Opaque(9, 6), "a.png"));
  const std::string png = ReadAll("a.png"), jpeg = ReadAll("a.jpg"), bmp = ReadAll("a.bmp");
  const auto put = [](std::string bytes, size_t at, const std::string& value) {
    return bytes.replace(at, value.size(), value);
  };
  // A comment segment holding a frame marker is skipped by its length.
  WriteAll("comment.jpg", jpeg.substr(0, 2) + "\xFF\xFE\0\x07\xFF\xC0\0\x11\x08"s + jpeg.substr(2));
  WriteAll("huge.png", put(png.substr(0, 33), 16, "\0\x01\x86\xA0"s));
  WriteAll("topdown.bmp", put(bmp, 22, "\xFA\xFF\xFF\xFF"s));  // height -6
  WriteAll("os2.bmp", put(put("BM"s + std::string(24, '\0'), 14, "\x0C"s), 18, "\x09\0\x06\0"s));
  const std::pair<const char*, ImageSize> sizes[] = {
      {"a.png", {9, 6}},  {"a.jpg", {9, 6}},         {"comment.jpg", {9, 6}},
      {"a.bmp", {9, 6}},  {"huge.png", {100000, 6}}, {"topdown.bmp", {9, 6}},
      {"os2.bmp", {9, 6}}};
  for (const auto& [file, size] : sizes) EXPECT_EQ(ReadImageSize(file), size) << file;

  WriteAll("nosize.jpg", jpeg.substr(0, jpeg.find("\xFF\xC0")));
  WriteAll("zero.png", put(png, 16, "\0\0\0\0"s));
  WriteAll("negative.bmp", put(bmp, 18, "\0\0\0\x80"s));
  WriteAll("lowest.bmp", put(bmp, 22, "\0\0\0\x80"s));  // -2147483648 rows
  WriteAll("garbage.png", "not a picture");
  for (const char* file :
       {"nosize.jpg", "zero.png", "negative.bmp", "lowest.bmp", "garbage.png", "missing.png", "."})
    EXPECT_EQ(ReadImageSize(file), std::nullopt) << file;
}

TEST_F(ImageIoTest, SaveIntoMissingFolderFailsCleanly) {
  std::string error;
  EXPECT_FALSE(SavePng(Sample(false), "nowhere/a.png", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists("nowhere"));
  EXPECT_TRUE(std::filesystem::is_empty("."));
}

}  // namespace
}  // namespace vorlane

// Image files through QtGui's codecs; everything else works on our buffer.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

#include "gui/file_util.h"
#include "gui/handles.h"
#include "gui/image.h"

namespace vorlane {
namespace {

// Anything larger is refused before decoding, so a tiny file declaring a
// huge size cannot exhaust memory.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;
// No complete PNG, JPEG or BMP file comes near this many pixels per byte
// (deflate shrinks at most 1032 to 1, and a 1-bit row holds 8 pixels a
// byte); a truncated or run-length file that claims more would be decoded
// into a picture of filler, taking memory out of all proportion to its size.
constexpr std::int64_t kMaxPixelsPerFileByte = 16384;

// Only these formats are accepted; picking the codec from the leading bytes
// keeps Qt's other, less hardened readers out of reach.
const char* FormatOf(const std::string& bytes) {
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8) == 0) return "png";
  if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xFF\xD8\xFF", 3) == 0) return "jpeg";
  if (bytes.size() >= 2 && std::memcmp(bytes.data(), "BM", 2) == 0) return "bmp";
  return nullptr;
}

bool SizeAllowed(int w, int h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide &&
         static_cast<std::int64_t>(w) * h <= kMaxPixels;
}

std::uint32_t BigEndian(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

std::uint32_t LittleEndian(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

std::optional<ImageSize> Positive(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) return std::nullopt;
  return ImageSize{static_cast<int>(width), static_cast<int>(height)};
}

// The first chunk of a PNG is IHDR, which holds the size.
std::optional<ImageSize> PngSize(const unsigned char* head, size_t length) {
  if (length < 24 || std::memcmp(head + 8, "\0\0\0\x0dIHDR", 8) != 0) return std::nullopt;
  return Positive(BigEndian(head + 16, 4), BigEndian(head + 20, 4));
}

// Old OS/2 headers (12 bytes) hold 16-bit sizes, all later ones 32-bit; a
// negative height stores the rows top-down.
std::optional<ImageSize> BmpSize(const unsigned char* head, size_t length) {
  if (length < 26) return std::nullopt;
  const std::uint32_t header = LittleEndian(head + 14, 4);
  if (header == 12) {
    const auto height = static_cast<std::int16_t>(LittleEndian(head + 20, 2));
    return Positive(static_cast<std::int16_t>(LittleEndian(head + 18, 2)),
                    height < 0 ? -height : height);
  }
  if (header < 16) return std::nullopt;
  const auto height = static_cast<std::int32_t>(LittleEndian(head + 22, 4));
  return Positive(static_cast<std::int32_t>(LittleEndian(head + 18, 4)),
                  height < 0 ? -static_cast<std::int64_t>(height) : height);
}

// Walks the markers up to the first start-of-frame, which holds the size,
// skipping every other segment by its length as the decoder does.
std::optional<ImageSize> JpegSize(std::FILE* file) {
  if (std::fseek(file, 2, SEEK_SET) != 0) return std::nullopt;
  for (;;) {
    int c = std::getc(file);
    while (c != EOF && c != 0xFF) c = std::getc(file);  // stray bytes between segments
    while (c == 0xFF) c = std::getc(file);              // fill bytes
    if (c == EOF) return std::nullopt;
    const int marker = c;
    if (marker == 0 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    // No size before the image data or the end means there is none to read.
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA) return std::nullopt;
    unsigned char segment[7];
    if (std::fread(segment, 1, 2, file) != 2) return std::nullopt;
    const std::uint32_t length = BigEndian(segment, 2);
    if (length < 2) return std::nullopt;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 7 || std::fread(segment + 2, 1, 5, file) != 5) return std::nullopt;
      return Positive(BigEndian(segment + 5, 2), BigEndian(segment + 3, 2));
    }
    if (std::fseek(file, static_cast<long>(length) - 2, SEEK_CUR) != 0) return std::nullopt;
  }
}

Image FromQImage(QImage q) {
  const bool alpha = q.hasAlphaChannel();
  // RGBX8888 lays out opaque pixels as R, G, B, 255, exactly our 24-bit rows.
  // Converted in place where the depth allows, so a large picture is held
  // twice at most (decoded and ours), never three times.
  q.convertTo(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  if (q.isNull()) return Image();
  Image image =
      alpha ? Image::Transparent(q.width(), q.height()) : Image::Opaque(q.width(), q.height());
  const size_t bytes = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) std::memcpy(image.row(y), q.constScanLine(y), bytes);
  return image;
}

}  // namespace

Image DecodeImage(const std::string& bytes) {
  const char* format = FormatOf(bytes);
  if (!format || bytes.size() > static_cast<size_t>(INT32_MAX)) return Image();
  // Qt's own cap (256 MB by default) would refuse images we accept.
  static std::once_flag raise_limit;
  std::call_once(raise_limit, [] {
    const int needed = static_cast<int>(kMaxPixels * 4 / (1024 * 1024));
    if (QImageReader::allocationLimit() < needed) QImageReader::setAllocationLimit(needed);
  });

  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) return Image();
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);
  const QSize declared = reader.size();
  if (!declared.isValid() || !SizeAllowed(declared.width(), declared.height())) return Image();
  if (std::int64_t{declared.width()} * declared.height() >
      static_cast<std::int64_t>(bytes.size()) * kMaxPixelsPerFileByte)
    return Image();
  QImage decoded;
  if (!reader.read(&decoded) || decoded.isNull()) return Image();
  if (!SizeAllowed(decoded.width(), decoded.height())) return Image();
  return FromQImage(std::move(decoded));
}

std::optional<ImageSize> ReadImageSize(const std::string& path, std::string* error, ReadFrom from) {
  const UniqueFile file = OpenRegularFile(path, error, from);
  if (!file) return std::nullopt;
  unsigned char head[32];
  const size_t length = std::fread(head, 1, sizeof head, file.get());
  const char* format = FormatOf(std::string(reinterpret_cast<const char*>(head), length));
  if (!format) return std::nullopt;
  if (std::strcmp(format, "png") == 0) return PngSize(head, length);
  if (std::strcmp(format, "bmp") == 0) return BmpSize(head, length);
  return JpegSize(file.get());
}

Image LoadImageFile(const std::string& path, std::string* error, ReadFrom from) {
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxPictureFileBytes, error, from)) return Image();
  return DecodeImage(bytes);
}

std::string EncodePng(const Image& image) {
  if (image.is_null()) return std::string();
  // Wraps our rows without copying; a 24-bit image is written without alpha.
  const QImage q(image.data(), image.width(), image.height(),
                 static_cast<qsizetype>(image.width()) * 4,
                 image.has_alpha() ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  QByteArray out;
  QBuffer buffer(&out);
  if (!buffer.open(QIODevice::WriteOnly)) return std::string();
  QImageWriter writer(&buffer, "png");
  if (!writer.write(q)) return std::string();
  return std::string(out.constData(), static_cast<size_t>(out.size()));
}

bool SavePng(const Image& image, const std::string& path, std::string* error) {
  const std::string bytes = EncodePng(image);
  if (bytes.empty()) {
    if (error) *error = "Could not encode the image \"" + path + "\" as PNG.";
    return false;
  }
  return WriteFileAtomic(path, bytes, error);
}

Image LoadPicture(const std::string& path, int max_side, std::string* error) {
  const std::string what = "The image \"" + path + "\" could not be loaded";
  std::string why;
  // The header is read first, so a huge picture is refused before it takes
  // any memory.
  const std::optional<ImageSize> size = ReadImageSize(path, &why);
  Image picture;
  if (size && size->width <= max_side && size->height <= max_side)
    picture = LoadImageFile(path, &why);
  if (!picture.is_null() || !error) return picture;
  if (!why.empty())
    *error = what + ". " + why;
  else if (size && (size->width > max_side || size->height > max_side))
    *error = what + ": it is larger than " + std::to_string(max_side) + " pixels on a side.";
  else
    *error = what + ": it is not a PNG, JPEG or BMP picture.";
  return Image();
}

}  // namespace vorlane

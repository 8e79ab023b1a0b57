// Image files through QtGui's codecs; everything else works on our buffer.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstdint>
#include <cstring>
#include <mutex>

#include "gui/file_util.h"
#include "gui/image.h"

namespace vorlane {
namespace {

// Anything larger is refused before decoding, so a tiny file declaring a
// huge size cannot exhaust memory.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

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

Image FromQImage(const QImage& decoded) {
  const bool alpha = decoded.hasAlphaChannel();
  // RGBX8888 lays out opaque pixels as R, G, B, 255, exactly our 24-bit rows.
  const QImage q =
      decoded.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  if (q.isNull()) return Image();
  Image image = alpha ? Image::Transparent(q.width(), q.height())
                      : Image::Opaque(q.width(), q.height());
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
  QImage decoded;
  if (!reader.read(&decoded) || decoded.isNull()) return Image();
  if (!SizeAllowed(decoded.width(), decoded.height())) return Image();
  return FromQImage(decoded);
}

Image LoadImageFile(const std::string& path, std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxPictureFileBytes, error)) return Image();
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

}  // namespace vorlane

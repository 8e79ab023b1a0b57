// Random byte strings for round trips through the XML files, and what a
// round trip must give back for each.
#pragma once

#include <QList>
#include <QString>

#include <random>
#include <string>

namespace vorlane::test {

// Mostly short strings mixing plain text, the characters XML escapes, line
// breaks, tabs, control bytes, stray and truncated UTF-8, U+FFFE, U+FFFF and
// characters from every plane.
inline std::string RandomBytes(std::mt19937& random) {
  static const char* const kPieces[] = {
      "a", "Z", " ", "&", "<", ">", "\"", "'", "\t", "\n", "\r", "\r\n", "\x01", "\x0b",
      "\x1f", "\x7f", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD",
      "\xEF\xBF\xBE", "\xEF\xBF\xBF", "\xED\x9F\xBF", "\xEE\x80\x80", "\xF4\x8F\xBF\xBF",
      "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80", "\xE2\x82", "\x80", "\xFF", "]]>", "&#1;"};
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> piece(0, static_cast<int>(std::size(kPieces)));
  std::uniform_int_distribution<int> byte(0, 255);
  std::string out;
  for (int n = length(random); n > 0; --n) {
    const int i = piece(random);
    if (i == static_cast<int>(std::size(kPieces)))
      out += static_cast<char>(byte(random));  // any byte at all
    else
      out += kPieces[i];
  }
  return out;
}

// The text read back after writing `bytes`: every byte that is not part of
// well-formed UTF-8 becomes U+FFFD, characters XML cannot carry at all (the
// control characters other than tab, LF and CR, U+FFFE and U+FFFF) are
// dropped, and everything else comes back exactly.
inline std::string XmlKept(const std::string& bytes) {
  const QList<uint> decoded =
      QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUcs4();
  QList<uint> kept;
  for (uint c : decoded)
    if (c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF))
      kept.push_back(c);
  const QByteArray utf8 =
      QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.data()), kept.size()).toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

}  // namespace vorlane::test

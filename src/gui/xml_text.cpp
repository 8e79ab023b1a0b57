#include "gui/xml_text.h"

#include <algorithm>
#include <array>
#include <charconv>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vorlane {
namespace {

// What to do with each byte: copy, drop, an escape, or (bytes from 0x80)
// check the UTF-8 sequence it starts.
enum : unsigned char { kCopy = 0, kDrop, kUtf8, kAmp, kLt, kGt, kQuot, kApos, kTab, kLf, kCr };

// A parser turns a raw CR or CR LF into LF, and in attribute values also tabs
// and LF into blanks; written as character references they come back as
// they were. Other control characters cannot be carried by XML at all.
constexpr std::array<unsigned char, 256> MakeTable(bool attribute) {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = kDrop;
  for (int c = 0x80; c < 0x100; ++c) table[c] = kUtf8;
  table['\t'] = attribute ? kTab : kCopy;
  table['\n'] = attribute ? kLf : kCopy;
  table['\r'] = kCr;
  table['&'] = kAmp;
  table['<'] = kLt;
  table['>'] = kGt;
  if (attribute) {
    table['"'] = kQuot;
    table['\''] = kApos;
  }
  return table;
}

constexpr auto kAttributeTable = MakeTable(true);
constexpr auto kTextTable = MakeTable(false);

struct Escape {
  char text[8];
  size_t size;
};
constexpr Escape kEscapeText[] = {{"", 0},     {"", 0},      {"", 0},       {"&amp;", 5},
                                  {"&lt;", 4}, {"&gt;", 4},  {"&quot;", 6}, {"&apos;", 6},
                                  {"&#9;", 4}, {"&#10;", 5}, {"&#13;", 5}};

// The length of the well-formed UTF-8 sequence at `p` (2 to 4 bytes), or 0
// when the bytes there are not one: no overlong forms, surrogates or code
// points past U+10FFFF.
size_t Utf8Length(const unsigned char* p, const unsigned char* end) {
  const auto in = [](unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
  };
  const unsigned char lead = p[0];
  size_t n;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (in(lead, 0xC2, 0xDF)) n = 2;
  else if (in(lead, 0xE0, 0xEF)) n = 3;
  else if (in(lead, 0xF0, 0xF4)) n = 4;
  else return 0;
  if (lead == 0xE0) low = 0xA0;
  else if (lead == 0xED) high = 0x9F;
  else if (lead == 0xF0) low = 0x90;
  else if (lead == 0xF4) high = 0x8F;
  if (static_cast<size_t>(end - p) < n || !in(p[1], low, high)) return 0;
  for (size_t i = 2; i < n; ++i)
    if (!in(p[i], 0x80, 0xBF)) return 0;
  return n;
}

// Copies the characters from 0x80 on at `*p`, up to the next ASCII byte. A
// byte that is not part of well-formed UTF-8 becomes U+FFFD, as a text
// decoder shows it; U+FFFE and U+FFFF, which XML cannot carry, are dropped.
char* WriteNonAscii(char* out, const char*& p, const char* end) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  const auto* u_end = reinterpret_cast<const unsigned char*>(end);
  while (u != u_end && *u >= 0x80) {
    const size_t n = Utf8Length(u, u_end);
    if (n == 0) {
      std::memcpy(out, "\xEF\xBF\xBD", 3);
      out += 3;
      ++u;
      continue;
    }
    const bool nonchar = n == 3 && u[0] == 0xEF && u[1] == 0xBF && (u[2] & 0xFE) == 0xBE;
    if (!nonchar) {
      std::memcpy(out, u, n);
      out += n;
    }
    u += n;
  }
  p = reinterpret_cast<const char*>(u);
  return out;
}

#ifdef __SSE2__
// One bit for each of 16 bytes that is not copied as it is: & < >, quotes
// and tab, LF and CR in an attribute, CR and other control characters, and
// every byte from 0x80.
int SpecialBytes(__m128i v, bool attribute) {
  const __m128i quot = _mm_set1_epi8(attribute ? '"' : '<');
  const __m128i apos = _mm_set1_epi8(attribute ? '\'' : '<');
  __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('&')),
                                 _mm_cmpeq_epi8(v, _mm_set1_epi8('<')));
  special = _mm_or_si128(special, _mm_cmpeq_epi8(v, _mm_set1_epi8('>')));
  special = _mm_or_si128(special, _mm_or_si128(_mm_cmpeq_epi8(v, quot), _mm_cmpeq_epi8(v, apos)));
  // Unsigned "below 0x20", by comparing with the sign bits flipped.
  const __m128i bias = _mm_set1_epi8(-128);
  __m128i control = _mm_cmplt_epi8(_mm_xor_si128(v, bias), _mm_set1_epi8(0x20 - 128));
  if (!attribute) {
    const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')),
                                         _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    control = _mm_andnot_si128(allowed, control);
  }
  // The sign bit of each byte marks those from 0x80.
  return _mm_movemask_epi8(_mm_or_si128(special, control)) | _mm_movemask_epi8(v);
}
#endif

// Writes `s` escaped at `out`, which has room for the worst case (six bytes
// for every byte, plus 16); returns the new end. Saving large scripts is
// dominated by this loop, so plain bytes go 16 at a time.
char* WriteEscaped(char* out, std::string_view s, bool attribute) {
  const auto& table = attribute ? kAttributeTable : kTextTable;
  const char* p = s.data();
  const char* end = p + s.size();
  // Handles the byte at `p` that is not copied as it is.
  const auto special = [&](unsigned char action) {
    if (action == kUtf8) {
      out = WriteNonAscii(out, p, end);
      return;
    }
    const Escape& escape = kEscapeText[action];
    std::memcpy(out, escape.text, sizeof escape.text);
    out += escape.size;  // dropped bytes have an empty escape
    ++p;
  };
#ifdef __SSE2__
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
    const int mask = SpecialBytes(v, attribute);
    if (mask == 0) {
      p += 16;
      out += 16;
      continue;
    }
    const int plain = __builtin_ctz(static_cast<unsigned>(mask));
    p += plain;
    out += plain;
    special(table[static_cast<unsigned char>(*p)]);
  }
#endif
  while (p != end) {
    const unsigned char action = table[static_cast<unsigned char>(*p)];
    if (action == kCopy)
      *out++ = *p++;
    else
      special(action);
  }
  return out;
}

void AppendEscaped(std::string& out, std::string_view s, bool attribute) {
  const size_t used = out.size();
  out.resize(used + s.size() * 6 + 16);
  char* end = WriteEscaped(out.data() + used, s, attribute);
  out.resize(static_cast<size_t>(end - out.data()));
}

}  // namespace

void AppendEscapedAttribute(std::string& out, std::string_view value) {
  AppendEscaped(out, value, true);
}

void AppendEscapedText(std::string& out, std::string_view text) { AppendEscaped(out, text, false); }

void XmlWriter::Grow(size_t n) { out_.resize(std::max(out_.size() * 2, used_ + n + 4096)); }

void XmlWriter::RawEscaped(std::string_view s, bool attribute) {
  char* end = WriteEscaped(out_.data() + used_, s, attribute);
  used_ = static_cast<size_t>(end - out_.data());
}

void XmlWriter::Attribute(std::string_view name, std::string_view value) {
  Reserve(name.size() + 4 + EscapedRoom(value));
  Raw(' ');
  Raw(name);
  Raw("=\"");
  RawEscaped(value, true);
  Raw('"');
}

void XmlWriter::Attribute(std::string_view name, int value) {
  Reserve(name.size() + 16);
  Raw(' ');
  Raw(name);
  Raw("=\"");
  char* digits = out_.data() + used_;
  used_ += static_cast<size_t>(std::to_chars(digits, digits + 11, value).ptr - digits);
  Raw('"');
}

void XmlWriter::Text(std::string_view text) {
  Reserve(EscapedRoom(text));
  RawEscaped(text, false);
}

void XmlWriter::TextElement(std::string_view name, std::string_view text) {
  Start(name);
  if (text.empty()) {
    EndEmpty();
    return;
  }
  EndStart();
  Text(text);
  End(name);
}

}  // namespace vorlane

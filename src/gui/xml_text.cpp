#include "gui/xml_text.h"

#include <algorithm>
#include <array>
#include <charconv>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vorlane {
namespace {

// What to do with each byte: 0 = copy, 1 = drop, or an escape index.
enum : unsigned char { kCopy = 0, kDrop = 1, kAmp, kLt, kGt, kQuot, kApos };

constexpr std::array<unsigned char, 256> MakeTable(bool attribute) {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = kDrop;
  table['\t'] = table['\n'] = table['\r'] = kCopy;
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
constexpr Escape kEscapeText[] = {{"", 0},       {"", 0},         {"&amp;", 5}, {"&lt;", 4},
                                  {"&gt;", 4},   {"&quot;", 6},   {"&apos;", 6}};

#ifdef __SSE2__
// One bit for each of 16 bytes that needs escaping: & < >, a quote when
// `attribute`, or a control character other than tab, LF and CR.
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
  const __m128i allowed =
      _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')),
                                _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
                   _mm_cmpeq_epi8(v, _mm_set1_epi8('\r')));
  control = _mm_andnot_si128(allowed, control);
  return _mm_movemask_epi8(_mm_or_si128(special, control));
}
#endif

// Writes `s` escaped at `out`, which has room for the worst case (six bytes
// for every byte, plus 16); returns the new end. Saving large scripts is
// dominated by this loop, so plain bytes go 16 at a time.
char* WriteEscaped(char* out, std::string_view s, bool attribute) {
  const auto& table = attribute ? kAttributeTable : kTextTable;
  const char* p = s.data();
  const char* end = p + s.size();
  const auto special = [&](unsigned char action) {
    const Escape& escape = kEscapeText[action];
    std::memcpy(out, escape.text, sizeof escape.text);
    out += escape.size;  // dropped bytes have an empty escape
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
    special(table[static_cast<unsigned char>(*p++)]);
  }
#endif
  for (; p != end; ++p) {
    const unsigned char action = table[static_cast<unsigned char>(*p)];
    if (action == kCopy)
      *out++ = *p;
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

#include "gui/xml_text.h"

#include <array>
#include <charconv>

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

constexpr std::string_view kEscapes[] = {"", "", "&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};

// Copies runs of plain bytes in one append each; only special bytes are
// looked at one by one.
void AppendEscaped(std::string& out, std::string_view s,
                   const std::array<unsigned char, 256>& table) {
  const char* run = s.data();
  const char* end = s.data() + s.size();
  for (const char* p = run; p != end; ++p) {
    const unsigned char action = table[static_cast<unsigned char>(*p)];
    if (action == kCopy) continue;
    out.append(run, p);
    out += kEscapes[action];
    run = p + 1;
  }
  out.append(run, end);
}

}  // namespace

void AppendEscapedAttribute(std::string& out, std::string_view value) {
  AppendEscaped(out, value, kAttributeTable);
}

void AppendEscapedText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, kTextTable);
}

void XmlWriter::Attribute(std::string_view name, std::string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  AppendEscapedAttribute(out_, value);
  out_ += '"';
}

void XmlWriter::Attribute(std::string_view name, int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  out_.append(digits, result.ptr);
  out_ += '"';
}

void XmlWriter::Text(std::string_view text) { AppendEscapedText(out_, text); }

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

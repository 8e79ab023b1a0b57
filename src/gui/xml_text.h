// Builds XML text straight into one string: elements, attributes and text
// written in the order given, with no white space between elements.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace vorlane {

class XmlWriter {
 public:
  // Appends to `out`; the text is complete once the writer is destroyed or
  // Finish() is called.
  explicit XmlWriter(std::string& out) : out_(out), used_(out.size()) {}
  ~XmlWriter() { Finish(); }
  XmlWriter(const XmlWriter&) = delete;
  XmlWriter& operator=(const XmlWriter&) = delete;

  void Declaration() { Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"); }
  // "<name"; attributes follow, then EndEmpty() or EndStart().
  void Start(std::string_view name) {
    Reserve(name.size() + 1);
    Raw('<');
    Raw(name);
  }
  void Attribute(std::string_view name, std::string_view value);
  void Attribute(std::string_view name, int value);
  void EndEmpty() { Put("/>"); }
  void EndStart() { Put(">"); }
  void Text(std::string_view text);
  void End(std::string_view name) {
    Reserve(name.size() + 3);
    Raw("</");
    Raw(name);
    Raw('>');
  }
  // An element with only text: "<name/>" when the text is empty.
  void TextElement(std::string_view name, std::string_view text);
  void Finish() { out_.resize(used_); }

 private:
  // Text is written into spare room at the end of `out_`, which is grown
  // ahead of each write; this avoids the checks of a string append per piece.
  void Reserve(size_t n) {
    if (used_ + n > out_.size()) [[unlikely]]
      Grow(n);
  }
  void Grow(size_t n);
  void Raw(char c) { out_[used_++] = c; }
  void Raw(std::string_view s) {
    std::memcpy(out_.data() + used_, s.data(), s.size());
    used_ += s.size();
  }
  void Put(std::string_view s) {
    Reserve(s.size());
    Raw(s);
  }
  // Room an escaped text may take: six bytes for every byte, plus 16.
  static size_t EscapedRoom(std::string_view s) { return s.size() * 6 + 16; }
  void RawEscaped(std::string_view s, bool attribute);

  std::string& out_;
  size_t used_;
};

// Escapes for attribute values (& < > " ', and tab, LF and CR as character
// references, so they are read back as they were) and element text (& < >,
// CR as a reference). Whatever the bytes, the result parses: control
// characters XML cannot carry, U+FFFE and U+FFFF are dropped, and a byte that
// is not part of well-formed UTF-8 becomes U+FFFD.
void AppendEscapedAttribute(std::string& out, std::string_view value);
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace vorlane

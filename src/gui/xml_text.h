// Builds XML text straight into one string: elements, attributes and text
// written in the order given, with no white space between elements.
#pragma once

#include <string>
#include <string_view>

namespace vorlane {

class XmlWriter {
 public:
  explicit XmlWriter(std::string& out) : out_(out) {}

  void Declaration() { out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"; }
  // "<name"; attributes follow, then EndEmpty() or EndStart().
  void Start(std::string_view name) {
    out_ += '<';
    out_ += name;
  }
  void Attribute(std::string_view name, std::string_view value);
  void Attribute(std::string_view name, int value);
  void EndEmpty() { out_ += "/>"; }
  void EndStart() { out_ += '>'; }
  void Text(std::string_view text);
  void End(std::string_view name) {
    out_ += "</";
    out_ += name;
    out_ += '>';
  }
  // An element with only text: "<name/>" when the text is empty.
  void TextElement(std::string_view name, std::string_view text);

 private:
  std::string& out_;
};

// Escapes for attribute values (& < > " ') and element text (& < >). Control
// characters that XML cannot carry are dropped, so the file always parses.
void AppendEscapedAttribute(std::string& out, std::string_view value);
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace vorlane

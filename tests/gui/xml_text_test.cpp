#include "gui/xml_text.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Whatever the bytes, the escaped text reads back as written or parses:
// markup and line ends become references, characters XML cannot carry go,
// and bytes that are not well-formed UTF-8 (a stray byte, an overlong form)
// become U+FFFD, one for each byte.
TEST(XmlText, EscapesMarkupAndReplacesWhatXmlCannotCarry) {
  const std::string fffd = "\xEF\xBF\xBD";
  std::string attribute, text;
  AppendEscapedAttribute(attribute, "a&b<c>d\"e'f\tg\x01h\ni\r");
  AppendEscapedText(text, "x\"y'z>\r\n\x0b\t\xEF\xBF\xBE\xFF\xE0\x80\x80\xE0\xA0\x80.");
  EXPECT_EQ(attribute, "a&amp;b&lt;c&gt;d&quot;e&apos;f&#9;gh&#10;i&#13;");
  EXPECT_EQ(text, "x\"y'z&gt;&#13;\n\t" + fffd + fffd + fffd + fffd + "\xE0\xA0\x80.");
}

}  // namespace
}  // namespace vorlane

// How JavaScript text splits into tokens.
#include "project/js_tokens.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlane {
namespace {

// The tokens but blanks, each as its kind's letter and its text.
std::string Shown(std::string_view code) {
  std::string shown;
  for (const JsToken& t : JsTokens(code)) {
    if (t.kind == JsTokenKind::Blank) continue;
    static constexpr char kLetters[] = "bLcsTrnwhp";
    shown += std::string(shown.empty() ? "" : " ") + kLetters[static_cast<int>(t.kind)] + ":" +
             std::string(t.Text(code)) + (t.closed ? "" : "!");
  }
  return shown;
}

TEST(JsTokensTest, SplitsTheWayABrowserReads) {
  const struct {
    const char* code;
    const char* tokens;
  } kCases[] = {
      {R"('it\'s' "a\"b")", R"(s:'it\'s' s:"a\"b")"},
      {"'open\nx", "s:'open! L:\n w:x"},
      {"`a ${`b${c}`} d`", "T:`a ${ T:`b${ w:c T:}` T:} d`"},
      {"`${ {a: 1} }`", "T:`${ p:{ w:a p:: n:1 p:} T:}`"},
      {"`x", "T:`x!"},
      {"a // b\n/* c\n */ d /* e", "w:a c:// b L:\n c:/* c\n */ w:d c:/* e!"},
      {"<!-- a\n --> b\nc --> d", "c:<!-- a L:\n c:--> b L:\n w:c p:-- p:> w:d"},
      {"a / b / c", "w:a p:/ w:b p:/ w:c"},
      {"x = /[/]a/g.test(s) / 2", "w:x p:= r:/[/]a/g p:. w:test p:( w:s p:) p:/ n:2"},
      {"f() / 2; a[0] / 2; {} / 2", "w:f p:( p:) p:/ n:2 p:; w:a p:[ n:0 p:] p:/ n:2 p:; p:{ p:} p:/ n:2"},
      {"return /a/; typeof /a/; await /a/; x /= 2", "w:return r:/a/ p:; w:typeof r:/a/ p:; w:await r:/a/ p:; w:x p:/= n:2"},
      {"`${a}` / 2", "T:`${ w:a T:}` p:/ n:2"},
      {"1_000 10n 0xFF 1e-5 .5 1.5E+3 0b1_0", "n:1_000 n:10n n:0xFF n:1e-5 n:.5 n:1.5E+3 n:0b1_0"},
      {"this.#p = $a + _b + \xc3\xa9t\xc3\xa9", "w:this p:. h:#p p:= w:$a p:+ w:_b p:+ w:\xc3\xa9t\xc3\xa9"},
      {"a?.b ?? c?.5:1 ?\?= d >>>= e", "w:a p:?. w:b p:?? w:c p:? n:.5 p:: n:1 p:?\?= w:d p:>>>= w:e"},
      {"#!run\nx", "c:#!run L:\n w:x"},
  };
  for (const auto& c : kCases) EXPECT_EQ(Shown(c.code), c.tokens) << c.code;
}

TEST(JsTokensTest, LinesCountEveryKindOfBreak) {
  const std::string code = "a\rb\r\nc\xe2\x80\xa8" "d\xe2\x80\xa9`\n`e/*\r*/f";
  std::string lines;
  for (const JsToken& t : JsTokens(code))
    if (t.kind == JsTokenKind::Word) lines += std::string(t.Text(code)) + std::to_string(t.line);
  EXPECT_EQ(lines, "a1b2c3d4e6f7");
}

}  // namespace
}  // namespace vorlane

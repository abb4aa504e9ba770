// Drawing strings <-> UTF-16: code pages, \U+ escapes, caret escapes, and the Windows-1255 rule for bytes
// the code page leaves undefined.
#include <gtest/gtest.h>

#include "drawing/code_page.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_string.h"

namespace zil::drawing {
namespace {

DxfStrings For(const char* codePage) { return DxfStrings(CodePage::ForName(codePage, "test.dxf")); }

TEST(DxfStrings, DecodesCodePagesAndEscapes) {
  struct Case {
    const char* codePage;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"ANSI_1255", "\xF9\xEC\xE5\xED", u"שלום"},
      // DOS Hebrew letters on bytes Windows-1255 leaves undefined keep their byte values.
      {"ANSI_1255", "\x81\x8A\x8C\x8D\x8E\x8F\x90\x9A", u"\u0081\u008A\u008C\u008D\u008E\u008F\u0090\u009A"},
      {"ANSI_1255", "a \\U+05D0 \\U+05d1 \\u+05D2 \\U+05D", u"a א ב \\u+05D2 \\U+05D"},
      {"ANSI_1255", "tab^Ihere ^ caret ^J ^x", u"tab\there ^caret \n ^x"},
      {"ANSI_1252", "caf\xE9 \x81", u"café \u0081"},
      {"ANSI_1251", "\xCF\xF0\xE8", u"При"},
      {"DOS862", "\x80\x81\x9A", u"אבת"},
      {"dos862", "\x82", u"ג"},
      {"ANSI_932", "\x93\xFA", u"日"},
  };
  for (const Case& c : cases) EXPECT_EQ(For(c.codePage).Decode(c.bytes), c.text) << c.codePage << " " << c.bytes;
  EXPECT_EQ(DxfStrings(CodePage::Utf8()).Decode("שלום \\U+1F600 😀"), u"שלום \u1F600 😀");
}

TEST(DxfStrings, EncodesWhatTheCodePageLacksAsEscapesThatReadBack) {
  struct Case {
    const char* codePage;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {"ANSI_1255", u"שלום \u0081", "\xF9\xEC\xE5\xED \x81"},
      {"ANSI_1255", u"Ω ?", "\\U+03A9 ?"},
      {"ANSI_1255", u"a\tb^c", "a^Ib^ c"},
      // A backslash that would start an escape is itself escaped.
      {"ANSI_1255", u"\\U+0041 \\P", "\\U+005CU+0041 \\P"},
      {"ANSI_1252", u"é א", "\xE9 \\U+05D0"},
      {"DOS862", u"אב é", "\x80\x81 \\U+00E9"},  // code page 862 has Hebrew where 437 has é
  };
  for (const Case& c : cases) {
    const DxfStrings strings = For(c.codePage);
    EXPECT_EQ(strings.Encode(c.text), c.bytes) << c.codePage;
    EXPECT_EQ(strings.Decode(strings.Encode(c.text)), c.text) << c.codePage;
  }
  const DxfStrings utf8(CodePage::Utf8());
  EXPECT_EQ(utf8.Encode(u"א😀"), "א😀");
  EXPECT_EQ(utf8.Encode(std::u16string(1, u'\xD800')), "\\U+D800");  // an unpaired surrogate survives
  EXPECT_EQ(utf8.Decode("\\U+D800"), std::u16string(1, u'\xD800'));
}

TEST(DxfStrings, EveryPrintableByteSurvivesDecodeAndEncode) {
  for (const char* codePage : {"ANSI_1250", "ANSI_1252", "ANSI_1255", "ANSI_1256", "DOS437", "DOS862", "DOS866"}) {
    const DxfStrings strings = For(codePage);
    for (int b = 0x20; b < 0x100; ++b) {
      if (b == '^' || b == '\\') continue;
      const std::string byte(1, static_cast<char>(b));
      EXPECT_EQ(strings.Encode(strings.Decode(byte)), byte) << codePage << " byte " << b;
    }
  }
}

TEST(DxfStrings, UnknownCodePageIsRefusedWithTheSupportedNames) {
  try {
    CodePage::ForName("ANSI_9999", "plan.dxf");
    FAIL() << "accepted";
  } catch (const DxfError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("plan.dxf"), std::string::npos) << message;
    EXPECT_NE(message.find("\"ANSI_9999\" is not supported"), std::string::npos) << message;
    EXPECT_NE(message.find("ANSI_1255"), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace zil::drawing

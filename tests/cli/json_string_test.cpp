#include "json_string.h"

#include <gtest/gtest.h>

namespace zil::cli {
namespace {

TEST(JsonString, EveryUtf16UnitSurvivesARoundTrip) {
  const std::u16string cases[] = {
      u"",
      u"plain ascii",
      u"\u05E9\u05DC\u05D5\u05DD \"quoted\" back\\slash",
      {0x0081, 0x009A, 0x20AC, 0x0000, 0x001F, 0x007F},  // C1 and C0 controls, NUL, DEL
      {u'a', 0xD800, u'b', 0xDFFF},                      // unpaired surrogates
      {0xD83D, 0xDE00},                                  // a paired surrogate (an emoji)
  };
  for (const std::u16string& text : cases) EXPECT_EQ(DecodeJsonString(EncodeJsonString(text)), text);
}

TEST(JsonString, EncodingEscapesControlsAndLoneSurrogatesOnly) {
  EXPECT_EQ(EncodeJsonString(u"\u05D0\n\u0081"), "\"\xD7\x90\\n\\u0081\"");
  EXPECT_EQ(EncodeJsonString(std::u16string{0xDC00}), "\"\\udc00\"");
  EXPECT_EQ(EncodeJsonString(std::u16string{0xD83D, 0xDE00}), "\"\xF0\x9F\x98\x80\"");
}

TEST(JsonString, DecodingAcceptsEveryEscapeAndRejectsWhatIsNotAString) {
  EXPECT_EQ(DecodeJsonString(R"(  "\"\\\/\b\f\n\r\t\u05d0\uD800"  )"),
            (std::u16string{u'"', u'\\', u'/', u'\b', u'\f', u'\n', u'\r', u'\t', 0x05D0, 0xD800}));
  for (const char* bad : {"", "abc", "\"open", "\"a\" x", "\"\\x\"", "\"\\u12\"", "\"\xC3\x28\"", "\"\xED\xA0\x80\"",
                          "\"tab\there\"", "42"}) {
    EXPECT_THROW(DecodeJsonString(bad), JsonStringError) << bad;
  }
}

}  // namespace
}  // namespace zil::cli

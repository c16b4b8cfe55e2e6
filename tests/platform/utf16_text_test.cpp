#include "platform/utf16_text.h"

#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Utf16TextTest, ConvertsBothWays) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"Player 7", u"Player 7"},
      {"Zoë", u"Zo\u00EB"},
      {"Дима", u"\u0414\u0438\u043C\u0430"},
      {"\xE2\x82\xAC", u"\u20AC"},            // three bytes
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},  // a surrogate pair
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.utf16, Utf8ToUtf16(c.utf8)) << c.utf8;
    EXPECT_EQ(c.utf8, Utf16ToUtf8(c.utf16)) << c.utf8;
  }
}

TEST(Utf16TextTest, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case from_utf8[] = {
      {"\xFF", u"\uFFFD"},
      {"a\xC3", u"a\uFFFD"},                              // cut short at the end
      {"\xC3(", u"\uFFFD("},                              // a follow byte missing
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const Case& c : from_utf8)
    EXPECT_EQ(c.utf16, Utf8ToUtf16(c.utf8));
  EXPECT_EQ(
      "\xEF\xBF\xBD"
      "a",
      Utf16ToUtf8(u"\xD83D"
                  u"a"));                               // a lone high surrogate
  EXPECT_EQ("a\xEF\xBF\xBD", Utf16ToUtf8(u"a\xDE00"));  // a lone low surrogate
}

}  // namespace
}  // namespace qz

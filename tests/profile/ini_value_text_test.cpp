#include "platform/ini_value_text.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

// Random texts made mostly of the characters the format treats specially.
TEST(IniValueText, EveryEncodedTextDecodesToItselfOnOneLine) {
  const std::string alphabet = std::string(" \t\"\\\n\r=;#[]x0aF\xC3\xAB\xFF\x7f\x01", 20) + '\0';
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (std::size_t n = length(random); n > 0; --n)
      text += alphabet[pick(random)];
    const std::string encoded = EncodeIniValue(text);
    ASSERT_EQ(std::string::npos, encoded.find_first_of(std::string("\n\r\0", 3))) << encoded;
    ASSERT_EQ(text, DecodeIniValue(encoded)) << encoded;
    // Blanks a hand editor puts around the value change nothing.
    ASSERT_EQ(text, DecodeIniValue(" \t" + encoded + "\t ")) << encoded;
  }
}

}  // namespace
}  // namespace qz

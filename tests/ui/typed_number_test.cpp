#include "ui/typed_number.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(TypedNumber, ReadsLikeAtoiAndSaturates) {
  struct Case {
    std::string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"42", 42},
      {"007", 7},
      {"  \t42", 42},
      {"-7", -7},
      {"+5", 5},
      {"3.5", 3},
      {"12-3", 12},
      {"-", 0},
      {".5", 0},
      {"--5", 0},
      {"- 5", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN},
      {"999999999999999999999999", INT_MAX},
      {"-000000000000000000000012", -12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.value, ReadAnswer(c.text)) << '"' << c.text << '"';
    EXPECT_EQ(c.value, ReadTypedNumber(c.text, LeadingBlanks::kSpaceAndTab))
        << '"' << c.text << '"';
  }
}

// The answer box takes any white space of the C locale before the number, the date boxes
// only spaces and tabs.
TEST(TypedNumber, LeadingBlanksFollowTheRule) {
  for (const char* text : {"\n12", "\r12", "\v12", "\f12", " \n12"}) {
    EXPECT_EQ(12, ReadAnswer(text)) << text;
    EXPECT_EQ(0, ReadTypedNumber(text, LeadingBlanks::kSpaceAndTab)) << text;
  }
  EXPECT_EQ(12, ReadTypedNumber(" \t 12", LeadingBlanks::kSpaceAndTab));
}

}  // namespace
}  // namespace qz

#include "game/answer_reading.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(AnswerReadingTest, ReadsLikeAtoiAndSaturates) {
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
  for (const Case& c : cases)
    EXPECT_EQ(c.value, ReadAnswer(c.text)) << '"' << c.text << '"';
}

}  // namespace
}  // namespace qz

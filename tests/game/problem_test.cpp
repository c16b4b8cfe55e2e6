#include "engine/problem.h"

#include <array>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

constexpr int kBeltLimits[] = {5, 10, 20, 50, 100};

ProblemSwitches Only(int op, bool no_neg) {
  ProblemSwitches s;
  s.m_bDoAdd = op == kOpAdd;
  s.m_bDoSub = op == kOpSub;
  s.m_bDoMul = op == kOpMul;
  s.m_bDoDiv = op == kOpDiv;
  s.m_bNoNeg = no_neg;
  return s;
}

std::string TextOf(const Problem& p) {
  return std::to_string(p.m_nA) + " " + p.m_strSign + " " + std::to_string(p.m_nB) + " =";
}

// Seed 1 draws 41, 18467, 6334, 26500, 19169, ...: 41 mod 6 = 5 picks subtraction among four;
// first operand 5 + 18467 mod 5 = 7.
TEST(ProblemTest, DrawsInTheGameOrder) {
  Rng rng;
  rng.Seed(1);
  const Problem p = MakeProblem(rng, 10, ProblemSwitches{});
  // Second operand 6334 mod 11 = 9; signs: 26500 even keeps 7, 19169 odd negates 9.
  EXPECT_EQ(kOpSub, p.m_nOp);
  EXPECT_EQ("7 - -9 =", p.m_strText);
  EXPECT_EQ(16, p.m_nResult);
  EXPECT_EQ(15724, rng.Next()) << "five numbers drawn";
}

TEST(ProblemTest, NoNegDrawsNoSigns) {
  Rng rng;
  rng.Seed(1);
  ProblemSwitches no_neg;
  no_neg.m_bNoNeg = true;
  const Problem p = MakeProblem(rng, 10, no_neg);
  // Second operand 6334 mod (7 + 1) = 6, and no sign draws follow.
  EXPECT_EQ("7 - 6 =", p.m_strText);
  EXPECT_EQ(1, p.m_nResult);
  EXPECT_EQ(26500, rng.Next()) << "three numbers drawn";
}

TEST(ProblemTest, AllOperationsOffPosesAdditions) {
  Rng rng;
  rng.Seed(7);
  ProblemSwitches none{false, false, false, false, true};
  for (int i = 0; i < 200; ++i) {
    const Problem p = MakeProblem(rng, 10, none);
    ASSERT_EQ(kOpAdd, p.m_nOp);
    ASSERT_EQ(p.m_nA + p.m_nB, p.m_nResult);
  }
}

TEST(ProblemTest, LimitBelowTwoActsAsTwo) {
  for (int limit : {1, 0, -5}) {
    Rng rng;
    rng.Seed(3);
    for (int i = 0; i < 100; ++i) {
      const Problem p = MakeProblem(rng, limit, Only(kOpDiv, false));
      ASSERT_EQ("1 / 1 =", p.m_strText) << "limit " << limit;
      ASSERT_EQ(1, p.m_nResult);
    }
    const Problem sum = MakeProblem(rng, limit, Only(kOpAdd, true));
    EXPECT_GE(sum.m_nA, 0);
    EXPECT_LE(sum.m_nA, 1);
  }
}

// Every belt, with and without negatives, over many seeds: the ranges each operation may use.
TEST(ProblemTest, OperandsStayInTheirRanges) {
  for (int limit : kBeltLimits) {
    const int h = limit / 2;
    for (bool no_neg : {false, true}) {
      bool seen_negative = false;
      bool seen_zero_operand = false;
      bool seen_subtrahend_above_first = false;
      for (int op = kOpAdd; op <= kOpDiv; ++op) {
        for (std::uint32_t seed = 0; seed < 300; ++seed) {
          Rng rng;
          rng.Seed(seed * 2654435761u);
          const Problem p = MakeProblem(rng, limit, Only(op, no_neg));
          SCOPED_TRACE(p.m_strText + " limit " + std::to_string(limit));
          ASSERT_EQ(op, p.m_nOp);
          ASSERT_EQ(TextOf(p), p.m_strText);
          const int a = std::abs(p.m_nA);
          const int b = std::abs(p.m_nB);
          if (no_neg) {
            ASSERT_GE(p.m_nA, 0);
            ASSERT_GE(p.m_nB, 0);
            ASSERT_GE(p.m_nResult, 0);
          }
          seen_negative |= p.m_nA < 0 || p.m_nB < 0;
          switch (op) {
            case kOpAdd:
              ASSERT_LT(a, limit);
              ASSERT_LT(b, limit);
              ASSERT_EQ(p.m_nA + p.m_nB, p.m_nResult);
              seen_zero_operand |= a == 0 || b == 0;
              break;
            case kOpSub:
              ASSERT_GE(a, h);
              ASSERT_LT(a, limit);
              ASSERT_LE(b, no_neg ? a : limit);
              ASSERT_EQ(p.m_nA - p.m_nB, p.m_nResult);
              seen_subtrahend_above_first |= b > a;
              break;
            case kOpMul:
              ASSERT_LT(a, limit);
              ASSERT_LT(b, limit);
              ASSERT_EQ(p.m_nA * p.m_nB, p.m_nResult);
              seen_zero_operand |= a == 0 || b == 0;
              break;
            default:
              // Even, quotient not below the divisor, both from 1 to limit - 1, never negative.
              ASSERT_GE(p.m_nB, 1);
              ASSERT_LE(p.m_nB, p.m_nResult);
              ASSERT_LT(p.m_nResult, limit);
              ASSERT_EQ(p.m_nA, p.m_nResult * p.m_nB);
              ASSERT_GT(p.m_nA, 0);
              break;
          }
        }
      }
      EXPECT_EQ(!no_neg, seen_negative) << "limit " << limit;
      EXPECT_TRUE(seen_zero_operand) << "limit " << limit;
      EXPECT_EQ(!no_neg, seen_subtrahend_above_first) << "limit " << limit;
    }
  }
}

std::array<int, 4> CountOperations(const ProblemSwitches& switches, int problems) {
  std::array<int, 4> count{};
  Rng rng;
  rng.Seed(2024);
  for (int i = 0; i < problems; ++i)
    ++count[MakeProblem(rng, 10, switches).m_nOp];
  return count;
}

TEST(ProblemTest, FourOperationsComeTwoTwoOneOne) {
  const auto count = CountOperations(ProblemSwitches{}, 6000);
  EXPECT_NEAR(2000, count[kOpAdd], 150);
  EXPECT_NEAR(2000, count[kOpSub], 150);
  EXPECT_NEAR(1000, count[kOpMul], 150);
  EXPECT_NEAR(1000, count[kOpDiv], 150);
}

TEST(ProblemTest, TwoOrThreeOperationsComeEvenly) {
  const auto two = CountOperations(ProblemSwitches{true, false, true, false, false}, 6000);
  EXPECT_NEAR(3000, two[kOpAdd], 200);
  EXPECT_NEAR(3000, two[kOpMul], 200);
  EXPECT_EQ(0, two[kOpSub] + two[kOpDiv]);
  const auto three = CountOperations(ProblemSwitches{false, true, true, true, false}, 6000);
  EXPECT_NEAR(2000, three[kOpSub], 150);
  EXPECT_NEAR(2000, three[kOpMul], 150);
  EXPECT_NEAR(2000, three[kOpDiv], 150);
}

TEST(ProblemTest, ChooseOperationTakesTheNthEnabledOne) {
  // With subtraction and division on, n = draw mod 6 picks E[n mod 2].
  const ProblemSwitches sub_div{false, true, false, true, false};
  for (std::uint32_t seed = 0; seed < 50; ++seed) {
    Rng a;
    a.Seed(seed);
    Rng b = a;
    const int n = b.Next() % 6;
    EXPECT_EQ(n % 2 == 0 ? kOpSub : kOpDiv, ChooseOperation(a, sub_div));
  }
}

}  // namespace
}  // namespace qz

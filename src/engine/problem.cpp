#include "engine/problem.h"

#include <cstdint>
#include <utility>

namespace qz {
namespace {

constexpr const char* kSigns[] = {"+", "-", "x", "/"};

// x mod m for a draw (0 to 32767) and a positive m that may exceed the int range by one.
int DrawBelow(Rng& rng, std::int64_t m) {
  return static_cast<int>(rng.Next() % m);
}

}  // namespace

const char* OperationSign(int op) {
  if (op < kOpAdd || op > kOpDiv)
    return kSigns[kOpAdd];
  return kSigns[op];
}

int ChooseOperation(Rng& rng, const ProblemSwitches& switches) {
  bool enabled[] = {switches.m_bDoAdd, switches.m_bDoSub, switches.m_bDoMul, switches.m_bDoDiv};
  // A profile edited by hand may switch all four off: pose additions rather than loop forever.
  if (!enabled[kOpAdd] && !enabled[kOpSub] && !enabled[kOpMul] && !enabled[kOpDiv]) {
    enabled[kOpAdd] = true;
  }
  // Walking the cycle and counting down picks the (n mod |enabled|)-th enabled operation, so
  // with all four on, addition and subtraction come twice as often as the other two.
  int n = rng.Next() % 6;
  int op = kOpAdd;
  for (int i = 0; n >= 0; i = (i + 1) % 4) {
    if (enabled[i]) {
      op = i;
      --n;
    }
  }
  return op;
}

void FlipSigns(Rng& rng, bool no_neg, int& a, int& b) {
  if (no_neg)
    return;
  const int r1 = rng.Next();
  const int r2 = rng.Next();
  if (r1 % 2 != 0)
    a = -a;
  if (r2 % 2 != 0)
    b = -b;
}

Problem MakeProblem(Rng& rng, int limit, const ProblemSwitches& switches) {
  // Division draws modulo limit - 1 and the others modulo limit: below 2 there is no problem.
  const int l = limit < 2 ? 2 : limit;
  Problem p;
  p.m_nOp = ChooseOperation(rng, switches);
  switch (p.m_nOp) {
    case kOpAdd:
      p.m_nA = DrawBelow(rng, l);
      p.m_nB = DrawBelow(rng, l);
      FlipSigns(rng, switches.m_bNoNeg, p.m_nA, p.m_nB);
      p.m_nResult = p.m_nA + p.m_nB;
      break;
    case kOpSub: {
      const int h = l / 2;
      p.m_nA = h + DrawBelow(rng, l - h);
      // The subtrahend may reach the limit itself when negatives are allowed.
      p.m_nB = switches.m_bNoNeg ? DrawBelow(rng, std::int64_t{p.m_nA} + 1)
                                 : DrawBelow(rng, std::int64_t{l} + 1);
      FlipSigns(rng, switches.m_bNoNeg, p.m_nA, p.m_nB);
      p.m_nResult = p.m_nA - p.m_nB;
      break;
    }
    case kOpMul:
      p.m_nA = DrawBelow(rng, l);
      p.m_nB = DrawBelow(rng, l);
      FlipSigns(rng, switches.m_bNoNeg, p.m_nA, p.m_nB);
      p.m_nResult = p.m_nA * p.m_nB;  // operands below 32768: the product fits
      break;
    default: {
      // Built from quotient and divisor so that every division comes out even.
      int quotient = DrawBelow(rng, l - 1) + 1;
      int divisor = DrawBelow(rng, l - 1) + 1;
      if (quotient < divisor)
        std::swap(quotient, divisor);
      p.m_nResult = quotient;
      p.m_nA = quotient * divisor;
      p.m_nB = divisor;
      break;
    }
  }
  p.m_strSign = OperationSign(p.m_nOp);
  p.m_strText = std::to_string(p.m_nA) + " " + p.m_strSign + " " + std::to_string(p.m_nB) + " =";
  return p;
}

ProblemSwitches OperationSwitches(const TrainingSettings& settings) {
  ProblemSwitches switches;
  switches.m_bDoAdd = settings.m_nDoAdd != 0;
  switches.m_bDoSub = settings.m_nDoSub != 0;
  switches.m_bDoMul = settings.m_nDoMul != 0;
  switches.m_bDoDiv = settings.m_nDoDiv != 0;
  switches.m_bNoNeg = settings.m_nNoNeg != 0;
  return switches;
}

}  // namespace qz

#pragma once

#include <string>

#include "platform/rng.h"
#include "profile/training_settings.h"

namespace qz {

// Operations in the order the operation choice walks through them.
enum Operation : int { kOpAdd = 0, kOpSub = 1, kOpMul = 2, kOpDiv = 3 };

// The belt's switches for the generator ("DoAdd" ... "NoNeg" of the settings).
struct ProblemSwitches {
  bool m_bDoAdd = true;
  bool m_bDoSub = true;
  bool m_bDoMul = true;
  bool m_bDoDiv = true;
  bool m_bNoNeg = false;  // no negative operands and no negative differences
};

// One posed problem, as the engine poses and judges it.
struct Problem {
  int m_nOp = kOpAdd;     // an Operation
  std::string m_strSign;  // "+", "-", "x" or "/"
  int m_nA = 0;           // first operand as shown
  int m_nB = 0;           // second operand as shown
  int m_nResult = 0;      // the correct answer
  std::string m_strText;  // "7 x 8 ="
};

// The sign text of an operation ("+", "-", "x", "/"); "+" for anything else.
const char* OperationSign(int op);

// Draws one number and picks among the enabled operations; with none enabled, addition.
int ChooseOperation(Rng& rng, const ProblemSwitches& switches);

// Unless `no_neg`, draws two numbers and negates `a` on an odd first, `b` on an odd second.
void FlipSigns(Rng& rng, bool no_neg, int& a, int& b);

// Makes the next problem for the operand limit `limit`. The draws happen in a fixed order
// (operation, first operand, second operand, then the signs), so a seed fixes the series.
// The belts give limits of 5 and more; a limit below 2 is treated as 2.
Problem MakeProblem(Rng& rng, int limit, const ProblemSwitches& switches);

// The switches the settings set for the generator.
ProblemSwitches OperationSwitches(const TrainingSettings& settings);

}  // namespace qz

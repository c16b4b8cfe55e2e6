#include "support/sample_log.h"

#include <algorithm>
#include <climits>

#include "records/session_log.h"
#include "records/summary.h"

namespace qz::test {
namespace {

constexpr const char* kSigns[] = {"+", "-", "x", "/"};
constexpr const char* kBelts[] = {"White Belt", "Yellow Belt", "Orange Belt", "Green Belt",
                                  "Blue Belt",  "Purple Belt", "Red Belt",    "Black Belt"};

// A small generator of its own, so the log does not depend on any other code's draws.
class Draws {
 public:
  explicit Draws(std::uint32_t seed) : m_nState(seed) {}
  int Below(int n) {
    m_nState = m_nState * 1664525u + 1013904223u;
    return static_cast<int>((m_nState >> 8) % static_cast<std::uint32_t>(n));
  }
  bool Chance(double p) { return Below(10000) < static_cast<int>(p * 10000); }

 private:
  std::uint32_t m_nState;
};

struct Problem {
  int m_nA = 0;
  int m_nOp = 0;
  int m_nB = 0;
  int m_nResult = 0;
};

Problem MakeProblem(Draws& draws, int ops, int limit) {
  Problem p;
  p.m_nOp = draws.Below(ops);
  switch (p.m_nOp) {
    case 0:
      p.m_nA = draws.Below(limit);
      p.m_nB = draws.Below(limit);
      p.m_nResult = p.m_nA + p.m_nB;
      break;
    case 1:
      p.m_nA = limit / 2 + draws.Below(limit - limit / 2);
      p.m_nB = draws.Below(p.m_nA + 1);
      p.m_nResult = p.m_nA - p.m_nB;
      break;
    case 2:
      p.m_nA = draws.Below(limit);
      p.m_nB = draws.Below(limit);
      p.m_nResult = p.m_nA * p.m_nB;
      break;
    default: {
      int q = draws.Below(limit - 1) + 1;
      int d = draws.Below(limit - 1) + 1;
      if (q < d)
        std::swap(q, d);
      p.m_nA = q * d;
      p.m_nB = d;
      p.m_nResult = q;
      break;
    }
  }
  return p;
}

bool Hard(const Problem& p) {
  return p.m_nOp == 2 && ((p.m_nA == 7 && p.m_nB == 8) || (p.m_nA == 6 && p.m_nB == 7));
}

std::string Session(Draws& draws, const std::string& name, int session, int sessions,
                    std::int64_t start, int matches) {
  // Progress: 0 at the first session, 1 at the last.
  const double progress = sessions > 1 ? static_cast<double>(session) / (sessions - 1) : 1;
  const int level = 4;  // Green: all four operations, operands below 10, 20 problems a match
  constexpr int kLimit = 10;
  constexpr int kMatchLength = 20;
  std::string text = FormatSessionHeader(name, AgePhrase(9, session % 12), start);
  std::int64_t now = start + 10;
  SummaryValues summary;
  summary.m_nGameLevel = level;
  summary.m_tRunStart = start;
  summary.m_nMinSecs = INT_MAX;
  summary.m_strCadetName = name;
  summary.m_strBelt = kBelts[level - 1];
  for (int match = 0; match < matches; ++match) {
    int score = 0;
    int last_secs = 0;
    int right = 0;
    int wrong = 0;
    for (int done = 0; done < kMatchLength;) {
      const Problem p = MakeProblem(draws, 4, kLimit);
      int elapsed = 0;
      for (;;) {
        ProblemLine line;
        line.m_nA = p.m_nA;
        line.m_strSign = kSigns[p.m_nOp];
        line.m_nB = p.m_nB;
        line.m_nResult = p.m_nResult;
        const int secs = std::min(10, 1 + draws.Below(static_cast<int>(9 - 5 * progress)));
        elapsed = std::min(10, elapsed + secs);
        const double miss = (Hard(p) ? 0.6 : 0.3) * (1 - 0.7 * progress);
        const bool timed_out = elapsed >= 10 || draws.Chance(0.08 * (1 - 0.6 * progress));
        const bool is_wrong = !timed_out && draws.Chance(miss);
        ++summary.m_nAnswers;
        if (is_wrong) {
          line.m_nProblem = done;
          line.m_nAnswer = p.m_nResult + 1 + draws.Below(3);
          ++wrong;
        } else {
          ++done;
          line.m_nProblem = done;
          line.m_bTimedOut = timed_out;
          line.m_nAnswer = timed_out ? 0 : p.m_nResult;
          if (timed_out) {
            elapsed = 10;
            ++wrong;
          } else {
            ++right;
            score += 10 * level + (10 - elapsed) * 5;
          }
          last_secs = elapsed;
          ++summary.m_nDone;
          summary.m_nSumSecs += elapsed;
          summary.m_nMaxSecs = std::max(summary.m_nMaxSecs, elapsed);
          summary.m_nMinSecs = std::min(summary.m_nMinSecs, elapsed);
        }
        now += elapsed + 3;
        line.m_tNow = now;
        line.m_nLastSecs = last_secs;
        line.m_nScore = score;
        text += FormatProblemLine(line);
        if (!is_wrong)
          break;
      }
    }
    summary.m_nRunRight += right;
    summary.m_nRunWrong += wrong;
    summary.m_nHiScore += score;
    summary.m_strStyle = score > 1000 ? "Iron Hammer" : "Wacky Lizard";
    now += 20;
  }
  summary.m_nAvgSecs = summary.m_nDone > 0 ? summary.m_nSumSecs / summary.m_nDone : 0;
  summary.m_tRunEnd = now + 5;
  summary.m_nTimeframeSecs = summary.m_tRunEnd - start;
  summary.m_strRank = summary.m_nHiScore > 2000 ? "Warrior" : "Aprentice";
  text += FormatSummary(summary);
  return text;
}

}  // namespace

std::string WriteSampleLog(const SampleLogPlan& plan) {
  Draws draws(plan.m_nSeed);
  std::string text;
  for (int s = 0; s < plan.m_nSessionsPerCadet; ++s) {
    for (std::size_t c = 0; c < plan.m_vCadets.size(); ++c) {
      // A day apart unless planned otherwise, the cadets an hour apart.
      const std::int64_t start =
          plan.m_tFirstStart + plan.m_nSecondsApart * s + 3600 * static_cast<std::int64_t>(c);
      text += Session(draws, plan.m_vCadets[c], s, plan.m_nSessionsPerCadet, start,
                      plan.m_nMatchesPerSession);
    }
  }
  return text;
}

}  // namespace qz::test

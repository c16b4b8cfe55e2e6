#include "report/report_model.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

LogAnswer Answer(int a, LogOperation op, int b, int result, LogOutcome outcome, int secs = 4) {
  LogAnswer answer;
  answer.m_nA = a;
  answer.m_eOperation = op;
  answer.m_nB = b;
  answer.m_nResult = result;
  answer.m_nAnswer = outcome == LogOutcome::kWrong ? result + 1 : result;
  answer.m_eOutcome = outcome;
  answer.m_nSeconds = secs;
  return answer;
}

LogSession Session(const std::string& name, int day, std::vector<LogAnswer> answers) {
  LogSession session;
  session.m_bHeader = true;
  session.m_strCadet = name;
  session.m_dtStart = LogDateTime{2007, 5, day, 16, 0, 0};
  session.m_vAnswers = std::move(answers);
  return session;
}

constexpr auto kAdd = LogOperation::kAdd;
constexpr auto kMul = LogOperation::kMultiply;
constexpr auto kRight = LogOutcome::kRight;
constexpr auto kWrong = LogOutcome::kWrong;
constexpr auto kTimeOut = LogOutcome::kTimedOut;

TEST(ReportModelTest, SumsUpSessionsOperationsAndTimes) {
  ReportModel model;
  // A wrong answer repeats the previous problem's time: it must not count as a time.
  EXPECT_EQ(1, model.AddSession(Session(
                   "Ace", 2,
                   {Answer(3, kAdd, 4, 7, kRight, 2), Answer(6, kMul, 7, 42, kWrong, 2),
                    Answer(6, kMul, 7, 42, kRight, 6), Answer(-7, kMul, 8, -56, kTimeOut, 10)})));
  model.Finish();
  ASSERT_EQ(1u, model.Cadets().size());
  const CadetReport& ace = model.Cadets()[0];
  ASSERT_EQ(1u, ace.m_vSessions.size());
  const SessionPoint& s = ace.m_vSessions[0];
  EXPECT_EQ(4, s.m_tally.m_nJudged);
  EXPECT_DOUBLE_EQ(0.5, *s.m_tally.Accuracy());
  EXPECT_DOUBLE_EQ(6.0, *s.AverageSecs());  // (2 + 6 + 10) / 3
  const AnswerTally& mul = ace.m_aOperations[static_cast<int>(kMul)];
  EXPECT_EQ(3, mul.m_nJudged);
  EXPECT_EQ(1, mul.m_nWrong);
  EXPECT_EQ(1, mul.m_nTimedOut);
  EXPECT_EQ(0, ace.m_aOperations[static_cast<int>(LogOperation::kDivide)].m_nJudged);
  // The times table goes by the size of the factors: -7 x 8 is the 7 x 8 cell.
  EXPECT_EQ(2, ace.m_aTimesTable[6][7].m_nJudged);
  EXPECT_EQ(1, ace.m_aTimesTable[7][8].m_nTimedOut);
  EXPECT_EQ(0, ace.m_aTimesTable[8][7].m_nJudged);
}

TEST(ReportModelTest, MostMissedFactsComeWorstFirst) {
  ReportModel model;
  model.AddSession(Session("Ace", 1,
                           {Answer(7, kMul, 8, 56, kWrong), Answer(7, kMul, 8, 56, kTimeOut),
                            Answer(6, kMul, 7, 42, kWrong), Answer(6, kMul, 7, 42, kRight),
                            Answer(3, kAdd, 4, 7, kWrong), Answer(3, kAdd, 4, 7, kWrong),
                            Answer(3, kAdd, 4, 7, kRight), Answer(2, kAdd, 2, 4, kRight)}));
  model.Finish();
  const auto facts = model.Cadets()[0].MostMissedFacts(10);
  ASSERT_EQ(3u, facts.size());  // 2 + 2 is never missed
  // Two misses each: 7 x 8 was never right, 3 + 4 once of three.
  EXPECT_EQ((FactKey{7, kMul, 8}), facts[0].m_key);
  EXPECT_EQ((FactKey{3, kAdd, 4}), facts[1].m_key);
  EXPECT_EQ((FactKey{6, kMul, 7}), facts[2].m_key);
  EXPECT_EQ(56, facts[0].m_nResult);
  EXPECT_EQ(1u, model.Cadets()[0].MostMissedFacts(1).size());
}

TEST(ReportModelTest, SortsSessionsByTimeAndSkipsSessionsReadTwice) {
  ReportModel model;
  LogSession late = Session("Ace", 9, {Answer(1, kAdd, 1, 2, kRight)});
  late.m_oSummary = LogSummary{};
  late.m_oSummary->m_strBelt = "Green Belt";
  late.m_oSummary->m_nLevel = 4;
  LogSession early = Session("Ace", 3, {Answer(1, kAdd, 1, 2, kWrong)});
  early.m_oSummary = LogSummary{};
  early.m_oSummary->m_strBelt = "Blue Belt";
  early.m_oSummary->m_nLevel = 5;
  EXPECT_EQ(1, model.AddSession(late));
  EXPECT_EQ(2, model.AddSession(early));
  EXPECT_EQ(0, model.AddSession(late));  // the same log given twice
  EXPECT_EQ(3, model.AddSession(Session("Zoe", 3, {Answer(1, kAdd, 1, 2, kRight)})));
  model.Finish();
  ASSERT_EQ(2u, model.Cadets().size());
  const CadetReport& ace = model.Cadets()[0];
  EXPECT_EQ("Ace", ace.m_strName);
  ASSERT_EQ(2u, ace.m_vSessions.size());
  EXPECT_EQ(3, ace.m_vSessions[0].m_dtStart.m_nDay);
  EXPECT_EQ(2, ace.m_total.m_nJudged);
  // The belt reached is the latest session's, not the last one read.
  EXPECT_EQ("Green Belt", ace.m_oLatestSummary->m_strBelt);
  EXPECT_EQ(5, ace.m_nBestLevel);
}

// The header is written when the game starts, before the child is named in the setup panel;
// the summary has the name the child played under, in capitals. In either order of reading,
// the session goes to the child, whose name stays as typed in the later headers.
TEST(ReportModelTest, ASessionIsFiledUnderTheNameItsSummaryGives) {
  const auto with_summary = [](const std::string& header_name, int day,
                               const std::string& summary_name) {
    LogSession session = Session(header_name, day, {Answer(1, kAdd, 1, 2, kRight)});
    session.m_oSummary.emplace();
    session.m_oSummary->m_strName = summary_name;
    return session;
  };
  const LogSession named_later = with_summary("Player", 1, "ZO\u00cb");
  const LogSession named_before = with_summary("Zo\u00eb", 2, "ZO\u00cb");
  const LogSession other_child = with_summary("Player", 3, "PLAYER");
  const struct {
    const char* m_szWhat;
    std::vector<LogSession> m_vSessions;
  } cases[] = {
      {"named in the first session", {named_later, named_before, other_child}},
      {"the renamed session read last", {other_child, named_before, named_later}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.m_szWhat);
    ReportModel model;
    for (const LogSession& session : c.m_vSessions)
      model.AddSession(session);
    model.Finish();
    ASSERT_EQ(2u, model.Cadets().size());
    EXPECT_EQ("Player", model.Cadets()[0].m_strName);
    EXPECT_EQ(1u, model.Cadets()[0].m_vSessions.size());
    const CadetReport& zoe = model.Cadets()[1];
    EXPECT_EQ("Zo\u00eb", zoe.m_strName);
    ASSERT_EQ(2u, zoe.m_vSessions.size());
    EXPECT_EQ("Player", zoe.m_vSessions[0].m_strStartName);
    EXPECT_EQ("", zoe.m_vSessions[1].m_strStartName);
    EXPECT_EQ(2, zoe.m_total.m_nRight);
  }
  // Known by its summary alone, the child keeps the summary's capitals.
  ReportModel model;
  model.AddSession(named_later);
  model.Finish();
  ASSERT_EQ(1u, model.Cadets().size());
  EXPECT_EQ("ZO\u00cb", model.Cadets()[0].m_strName);
}

TEST(ReportModelTest, SessionsWithoutHeaderGoToAnUnnamedCadet) {
  ReportModel model;
  LogSession headless;
  headless.m_vAnswers = {Answer(1, kAdd, 1, 2, kRight)};
  headless.m_vAnswers[0].m_dtWhen = LogDateTime{2007, 5, 1, 9, 0, 0};
  EXPECT_EQ(1, model.AddSession(headless));
  EXPECT_EQ(2, model.AddSession(headless));  // no time of its own: never taken for a copy
  model.Finish();
  ASSERT_EQ(1u, model.Cadets().size());
  EXPECT_EQ("", model.Cadets()[0].m_strName);
  EXPECT_EQ(1, model.Cadets()[0].m_vSessions[0].m_dtStart.m_nDay);
}

TEST(ReportModelTest, ASessionReadInPartsCountsAsOne) {
  const std::vector<LogAnswer> answers = {
      Answer(3, kAdd, 4, 7, kRight, 2), Answer(6, kMul, 7, 42, kWrong, 2),
      Answer(6, kMul, 7, 42, kTimeOut, 10), Answer(2, kMul, 3, 6, kRight, 5)};
  ReportModel whole;
  ASSERT_EQ(1, whole.AddSession(Session("Ace", 2, answers)));
  ReportModel parted;
  LogSession first = Session("Ace", 2, {answers[0], answers[1]});
  LogSession second = Session("Ace", 2, {answers[2], answers[3]});
  second.m_nPart = 1;
  second.m_oSummary.emplace();
  second.m_oSummary->m_nLevel = 4;
  ASSERT_EQ(1, parted.AddSession(first));
  parted.AddSessionPart(1, second);
  whole.Finish();
  parted.Finish();

  ASSERT_EQ(1u, parted.Cadets().size());
  const CadetReport& w = whole.Cadets()[0];
  const CadetReport& p = parted.Cadets()[0];
  ASSERT_EQ(1u, p.m_vSessions.size());
  EXPECT_EQ(w.m_vSessions[0].m_tally.m_nJudged, p.m_vSessions[0].m_tally.m_nJudged);
  EXPECT_EQ(w.m_vSessions[0].m_nFinishedSecs, p.m_vSessions[0].m_nFinishedSecs);
  EXPECT_EQ(w.m_total.m_nWrong, p.m_total.m_nWrong);
  EXPECT_EQ(w.m_total.m_nTimedOut, p.m_total.m_nTimedOut);
  EXPECT_EQ(w.m_aTimesTable[6][7].m_nJudged, p.m_aTimesTable[6][7].m_nJudged);
  EXPECT_EQ(4, p.m_nBestLevel);
}

}  // namespace
}  // namespace qz

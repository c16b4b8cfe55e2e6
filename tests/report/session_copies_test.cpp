#include "report/session_copies.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

LogSession Copy(int answers, bool summary, bool header = true) {
  LogSession session;
  session.m_bHeader = header;
  session.m_strCadet = header ? "Ace" : "";
  session.m_dtStart = LogDateTime{2007, 5, 14, 16, 2, 11};
  session.m_vAnswers.resize(static_cast<std::size_t>(answers));
  if (summary)
    session.m_oSummary = LogSummary{};
  return session;
}

TEST(SessionCopiesTest, TheFullestCopyCountsWhateverTheOrderOfTheLogs) {
  const LogSession cut = Copy(3, false);
  const LogSession whole = Copy(5, true);
  for (const bool cut_first : {true, false}) {
    SCOPED_TRACE(cut_first);
    SessionCopies copies;
    const std::size_t cut_log = cut_first ? 0 : 1;
    const std::size_t whole_log = 1 - cut_log;
    copies.Note(cut_first ? cut : whole, 0, 7);
    copies.Note(cut_first ? whole : cut, 1, 2);
    EXPECT_FALSE(copies.IsChosen(cut, cut_log, cut_first ? 7 : 2));
    EXPECT_TRUE(copies.IsChosen(whole, whole_log, cut_first ? 2 : 7));
  }
}

TEST(SessionCopiesTest, TiesGoToTheSummaryThenToTheFirstCopy) {
  SessionCopies copies;
  copies.Note(Copy(5, false), 0, 0);
  copies.Note(Copy(5, true), 1, 0);
  copies.Note(Copy(5, true), 2, 0);
  EXPECT_FALSE(copies.IsChosen(Copy(5, false), 0, 0));
  EXPECT_TRUE(copies.IsChosen(Copy(5, true), 1, 0));
  EXPECT_FALSE(copies.IsChosen(Copy(5, true), 2, 0));
}

TEST(SessionCopiesTest, SessionsWithoutHeaderAlwaysCount) {
  SessionCopies copies;
  copies.Note(Copy(2, false, false), 0, 0);
  copies.Note(Copy(9, false, false), 1, 0);
  EXPECT_TRUE(copies.IsChosen(Copy(2, false, false), 0, 0));
  EXPECT_TRUE(copies.IsChosen(Copy(9, false, false), 1, 0));
}

}  // namespace
}  // namespace qz

#include "report/html_report.h"

#include <gtest/gtest.h>

#include "support/occurrences.h"

#include "report/markup.h"

namespace qz {
namespace {

using test::Occurrences;

TEST(MarkupTest, EscapesMarkupAndRepairsBrokenText) {
  const struct {
    std::string m_strIn;
    std::string m_strOut;
  } cases[] = {
      {"Ace", "Ace"},
      {"<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
      {"Tom & \"Jerry\"", "Tom &amp; &quot;Jerry&quot;"},
      {"Zo\u00eb \u4e2d \U0001F600", "Zo\u00eb \u4e2d \U0001F600"},
      {"bad \xff byte", "bad \uFFFD byte"},
      {"cut \xc3", "cut \uFFFD"},
      {"overlong \xc0\xaf", "overlong \uFFFD\uFFFD"},
      {"surrogate \xed\xa0\x80", "surrogate \uFFFD\uFFFD\uFFFD"},
      {std::string("nul\0bell\a cr\r", 13), "nulbell cr"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.m_strOut, EscapeMarkup(c.m_strIn)) << c.m_strIn;
}

LogSession SessionOf(const std::string& name, int day) {
  LogSession session;
  session.m_bHeader = true;
  session.m_strCadet = name;
  session.m_dtStart = LogDateTime{2007, 5, day, 16, 0, 0};
  for (int i = 0; i < 6; ++i) {
    LogAnswer a;
    a.m_nA = i;
    a.m_eOperation = i % 2 ? LogOperation::kMultiply : LogOperation::kAdd;
    a.m_nB = 7;
    a.m_nResult = i % 2 ? i * 7 : i + 7;
    a.m_eOutcome = i == 3   ? LogOutcome::kWrong
                   : i == 5 ? LogOutcome::kTimedOut
                            : LogOutcome::kRight;
    a.m_nSeconds = 3;
    session.m_vAnswers.push_back(a);
  }
  session.m_oSummary = LogSummary{};
  session.m_oSummary->m_strBelt = "Green Belt";
  session.m_oSummary->m_strRank = "<i>Warrior</i>";
  session.m_oSummary->m_strStyle = "Iron \"Hammer\"";
  session.m_oSummary->m_dtEnd = LogDateTime{2007, 5, day, 16, 25, 0};
  return session;
}

TEST(HtmlReportTest, ThePageIsSelfContainedAndEscapesEverythingFromTheLog) {
  ReportModel model;
  SourceReport& source = model.Sources().emplace_back();
  source.m_strPath = "<qz>.log";
  source.m_bOpened = true;
  source.m_nDefects = 1;
  source.m_vDefects.push_back({12, "not a line of the log", "<img src=x onerror=alert(1)>"});
  model.AddSession(SessionOf("<script>alert(1)</script>", 1));
  model.AddSession(SessionOf("<script>alert(1)</script>", 2));
  model.Finish();
  const std::string page = RenderHtmlReport(model);

  EXPECT_EQ(0, Occurrences(page, "<script"));
  EXPECT_EQ(0, Occurrences(page, "<img"));
  EXPECT_EQ(0, Occurrences(page, "<i>Warrior"));
  EXPECT_EQ(0, Occurrences(page, "<qz>"));
  EXPECT_GT(Occurrences(page, "&lt;script&gt;alert(1)&lt;/script&gt;"), 0);
  EXPECT_GT(Occurrences(page, "Iron &quot;Hammer&quot;"), 0);
  // Nothing is fetched: no sources, no external links; only the SVG namespace names a URL.
  EXPECT_EQ(0, Occurrences(page, "src=\""));
  EXPECT_EQ(0, Occurrences(page, "href=\"http"));
  EXPECT_EQ(Occurrences(page, "<svg"), Occurrences(page, "http://www.w3.org/2000/svg"));
  EXPECT_EQ(1, Occurrences(page, "Content-Security-Policy"));
  // Accuracy, time, operations and the times table, each with a title and a text alternative.
  EXPECT_EQ(4, Occurrences(page, "<svg"));
  EXPECT_EQ(4, Occurrences(page, "<desc>"));
  EXPECT_EQ(100, Occurrences(page, "class=\"cell\""));
  // The unreadable line is reported with its number.
  EXPECT_GT(Occurrences(page, "<td>12</td>"), 0);
  EXPECT_GT(Occurrences(page, "Green Belt"), 0);
}

TEST(HtmlReportTest, AnEmptyLogGivesAPageThatSaysSo) {
  ReportModel model;
  SourceReport& missing = model.Sources().emplace_back();
  missing.m_strPath = "qz.log";
  model.Finish();
  const std::string page = RenderHtmlReport(model);
  EXPECT_GT(Occurrences(page, "qz.log could not be opened"), 0);
  EXPECT_GT(Occurrences(page, "no answers yet"), 0);
  EXPECT_EQ(0, Occurrences(page, "<svg"));
}

TEST(HtmlReportTest, ManySessionsArePooledIntoFewerChartPoints) {
  ReportModel model;
  for (int day = 1; day <= 28; ++day) {
    for (int month = 1; month <= 12; ++month) {
      LogSession s = SessionOf("Ace", day);
      s.m_dtStart.m_nMonth = month;
      model.AddSession(s);
    }
  }
  model.Finish();
  const std::string page = RenderHtmlReport(model);
  // 336 sessions in points of 3: 112 markers per line chart, and the note says so.
  EXPECT_EQ(2, Occurrences(page, "Each point pools 3 sessions in a row."));
  // The pooling note does not push out what the times are.
  EXPECT_EQ(1, Occurrences(page, "shows more than 10 s. A wrong answer has no time of its own"));
  EXPECT_EQ(0, Occurrences(page, "class=\"point\""));  // too many points for markers
  EXPECT_GT(Occurrences(page, "the latest 100 of 336"), 0);
}

// Several sessions on one day: the date axis names the day once and tells the sessions apart
// by their time; the words agree with the counts; the belt is not given as the one every
// session was played at, since the log records it only as set when the game was left.
TEST(HtmlReportTest, SessionsOfOneDayAreToldApartOnTheDateAxis) {
  ReportModel model;
  for (int hour : {9, 13, 18}) {
    LogSession s = SessionOf("Ace", 14);
    s.m_dtStart.m_nHour = hour;
    model.AddSession(s);
  }
  model.AddSession(SessionOf("Zo\u00eb", 15));
  model.Finish();
  const std::string page = RenderHtmlReport(model);
  EXPECT_EQ(2, Occurrences(page, ">2007-05-14</text>")) << "once per chart";
  EXPECT_EQ(2, Occurrences(page, ">13:00</text>"));
  EXPECT_EQ(2, Occurrences(page, ">18:00</text>"));
  EXPECT_EQ(1, Occurrences(page, "<b>3</b><span>sessions</span>"));
  EXPECT_EQ(1, Occurrences(page, "<b>1</b><span>session</span>"));
  EXPECT_EQ(0, Occurrences(page, "<b>1</b><span>sessions</span>"));
  EXPECT_EQ(2, Occurrences(page, "belt and level as set when the game was left"));
}

// The belt line tells when the game was left from the summary's own time; a summary whose
// time line was lost can only be placed by the session's start. A session filed under the
// name its summary gives says which name it started with.
TEST(HtmlReportTest, TheBeltLineTellsWhenTheGameWasLeft) {
  const struct {
    bool m_bEndLogged;
    const char* m_szSaid;
  } cases[] = {
      {true, "belt and level as set when the game was left on 2007-05-14 16:25"},
      {false, "belt and level as set in the session that started at 2007-05-14 16:00"},
  };
  for (const auto& c : cases) {
    ReportModel model;
    LogSession session = SessionOf("Player", 14);
    session.m_oSummary->m_strName = "ACE";
    if (!c.m_bEndLogged)
      session.m_oSummary->m_dtEnd = LogDateTime{};
    model.AddSession(session);
    model.Finish();
    const std::string page = RenderHtmlReport(model);
    EXPECT_EQ(1, Occurrences(page, c.m_szSaid)) << c.m_szSaid;
    EXPECT_EQ(1, Occurrences(page, "2007-05-14 16:00 (named Player at start)"));
    EXPECT_EQ(1, Occurrences(page, "<h2 id=\"cadet-1-name\">ACE</h2>"));
  }
}

}  // namespace
}  // namespace qz

#include "report/html_report.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/string_printf.h"
#include "report/markup.h"
#include "report/svg_chart.h"

namespace qz {
namespace {

constexpr std::size_t kMaxChartPoints = 120;  // more sessions are pooled into groups
constexpr std::size_t kMissedFactsShown = 12;
constexpr std::size_t kSessionRowsShown = 100;
constexpr char kAccuracyColor[] = "#0072b2";
constexpr char kTimeColor[] = "#009e73";
constexpr char kTimeOutColor[] = "#d55e00";

constexpr std::string_view kOperationTitles[kLogOperationCount] = {"Addition", "Subtraction",
                                                                   "Multiplication", "Division"};
// Shown in problems: the typographic signs read better than the log's "x" and "/".
constexpr std::string_view kOperationSymbols[kLogOperationCount] = {"+", "\u2212", "\u00d7",
                                                                    "\u00f7"};

struct BeltColor {
  std::string_view m_strWord;
  const char* m_szFill;
};
constexpr BeltColor kBeltColors[] = {
    {"White", "#f4f4f4"}, {"Yellow", "#f2c618"}, {"Orange", "#f08a24"}, {"Green", "#2e9e44"},
    {"Blue", "#1f6fd1"},  {"Purple", "#7b3fb5"}, {"Red", "#d12f2f"},    {"Black", "#111111"}};

constexpr char kStyle[] = R"css(
:root{color-scheme:light;--ink:#1d2430;--muted:#5a6473;--line:#dde2ea;--card:#fff;--bg:#f3f5f9}
*{box-sizing:border-box}
body{margin:0;background:var(--bg);color:var(--ink);font:16px/1.5 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif}
header.page{background:#1d2430;color:#fff;padding:24px 32px}
header.page h1{margin:0;font-size:28px}
header.page p{margin:4px 0 0;color:#c9d1dd}
main{max-width:1240px;margin:0 auto;padding:16px 24px 48px}
nav ul{list-style:none;padding:0;margin:8px 0;display:flex;flex-wrap:wrap;gap:8px}
nav a{display:inline-block;padding:4px 12px;border-radius:16px;background:#fff;border:1px solid var(--line);color:var(--ink);text-decoration:none}
nav a:focus,nav a:hover{border-color:#0072b2;outline:2px solid #0072b2}
section.cadet{background:var(--card);border:1px solid var(--line);border-radius:12px;padding:20px 24px;margin:24px 0;box-shadow:0 1px 3px rgba(0,0,0,.05)}
section.cadet>h2{margin:0 0 8px;font-size:26px}
.badges{display:flex;flex-wrap:wrap;gap:10px;align-items:center;margin-bottom:12px;color:var(--muted)}
.belt{display:inline-flex;align-items:center;gap:8px;padding:4px 12px;border-radius:16px;border:1px solid var(--line);background:#fafbfc;color:var(--ink);font-weight:600}
.belt i{display:inline-block;width:28px;height:10px;border-radius:3px;border:1px solid #888}
.stats{display:grid;grid-template-columns:repeat(auto-fit,minmax(130px,1fr));gap:12px;margin:12px 0 20px}
.stat{background:#f7f9fc;border:1px solid var(--line);border-radius:10px;padding:10px 14px}
.stat b{display:block;font-size:24px}
.stat span{color:var(--muted);font-size:14px}
.charts{display:grid;grid-template-columns:repeat(auto-fit,minmax(min(460px,100%),1fr));gap:16px;align-items:start}
figure{margin:0;background:#fff;border:1px solid var(--line);border-radius:10px;padding:12px}
.charts>.column{display:flex;flex-direction:column;gap:16px;min-width:0}
figcaption{font-weight:600;margin-bottom:4px}
figure p.note{margin:4px 0 0;color:var(--muted);font-size:14px}
svg.chart{width:100%;height:auto;display:block;font-family:inherit}
svg.grid{max-width:480px}
table{border-collapse:collapse;width:100%;font-size:15px}
th,td{text-align:right;padding:4px 10px;border-bottom:1px solid var(--line)}
th:first-child,td:first-child{text-align:left}
thead th{background:#f7f9fc}
.facts{display:grid;grid-template-columns:repeat(auto-fit,minmax(min(460px,100%),1fr));gap:16px;margin-top:16px}
details{margin-top:16px}
summary{cursor:pointer;font-weight:600}
.notice{background:#fff7e6;border:1px solid #f0c36d;border-radius:10px;padding:12px 16px;margin:16px 0}
.notice code{background:#fff;border:1px solid var(--line);padding:0 4px;border-radius:4px;white-space:pre-wrap;word-break:break-all}
.empty{color:var(--muted)}
@media (max-width:600px){header.page{padding:16px}main{padding:8px 8px 32px}section.cadet{padding:14px 12px}th,td{padding:4px 6px}figure,details{overflow-x:auto}}
)css";

std::string Percent(double share) {
  return StringPrintf("%.0f%%", std::round(share * 100));
}

std::string Seconds(double seconds) {
  return StringPrintf("%.1f s", seconds);
}

std::string ShortDate(const LogDateTime& when) {
  if (!when.IsSet())
    return "?";
  return StringPrintf("%04d-%02d-%02d", when.m_nYear, when.m_nMonth, when.m_nDay);
}

std::string ClockTime(const LogDateTime& when) {
  if (!when.IsSet())
    return "?";
  return StringPrintf("%02d:%02d", when.m_nHour, when.m_nMinute);
}

std::string DateTime(const LogDateTime& when) {
  if (!when.IsSet())
    return "unknown time";
  return StringPrintf("%04d-%02d-%02d %02d:%02d", when.m_nYear, when.m_nMonth, when.m_nDay,
                      when.m_nHour, when.m_nMinute);
}

std::string CadetName(const CadetReport& cadet) {
  return cadet.m_strName.empty() ? std::string("Unknown cadet (log without header)")
                                 : cadet.m_strName;
}

std::string FactText(const FactKey& key) {
  return StringPrintf("%d %s %d", key.m_nA,
                      std::string(kOperationSymbols[static_cast<int>(key.m_eOperation)]).c_str(),
                      key.m_nB);
}

const char* BeltFill(std::string_view belt) {
  for (const BeltColor& color : kBeltColors) {
    if (belt.substr(0, color.m_strWord.size()) == color.m_strWord)
      return color.m_szFill;
  }
  return nullptr;
}

// Consecutive sessions pooled into at most kMaxChartPoints points, so that a long history
// stays readable.
struct ChartPoint {
  LogDateTime m_dtFirst;
  LogDateTime m_dtLast;
  int m_nFirstNumber = 0;
  int m_nSessions = 0;
  AnswerTally m_tally;
  int m_nFinished = 0;
  std::int64_t m_nFinishedSecs = 0;
};

std::vector<ChartPoint> PoolSessions(const std::vector<SessionPoint>& sessions,
                                     std::size_t& per_point) {
  per_point = std::max<std::size_t>(1, (sessions.size() + kMaxChartPoints - 1) / kMaxChartPoints);
  std::vector<ChartPoint> points;
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    const SessionPoint& s = sessions[i];
    if (i % per_point == 0) {
      points.emplace_back();
      points.back().m_dtFirst = s.m_dtStart;
      points.back().m_nFirstNumber = s.m_nNumber;
    }
    ChartPoint& p = points.back();
    p.m_dtLast = s.m_dtStart;
    ++p.m_nSessions;
    p.m_tally.m_nJudged += s.m_tally.m_nJudged;
    p.m_tally.m_nRight += s.m_tally.m_nRight;
    p.m_tally.m_nWrong += s.m_tally.m_nWrong;
    p.m_tally.m_nTimedOut += s.m_tally.m_nTimedOut;
    p.m_nFinished += s.m_nFinished;
    p.m_nFinishedSecs += s.m_nFinishedSecs;
  }
  return points;
}

std::string PointLabel(const ChartPoint& p) {
  if (p.m_nSessions == 1)
    return "Session of " + DateTime(p.m_dtFirst);
  return StringPrintf("%d sessions, ", p.m_nSessions) + ShortDate(p.m_dtFirst) + " to " +
         ShortDate(p.m_dtLast);
}

void AppendStat(std::string& out, const std::string& value, const std::string& label) {
  out += "<div class=\"stat\"><b>";
  AppendEscaped(out, value);
  out += "</b><span>";
  AppendEscaped(out, label);
  out += "</span></div>";
}

void AppendFigure(std::string& out, const std::string& caption, const std::string& svg,
                  const std::string& note = std::string()) {
  out += "<figure><figcaption>";
  AppendEscaped(out, caption);
  out += "</figcaption>";
  out += svg;
  if (!note.empty()) {
    out += "<p class=\"note\">";
    AppendEscaped(out, note);
    out += "</p>";
  }
  out += "</figure>";
}

void AppendBadges(std::string& out, const CadetReport& cadet) {
  out += "<div class=\"badges\">";
  if (!cadet.m_oLatestSummary) {
    out += "<span>No belt or rank recorded yet (the game writes them when the player leaves).";
    out += "</span></div>";
    return;
  }
  const LogSummary& s = *cadet.m_oLatestSummary;
  out += "<span class=\"belt\">";
  if (const char* fill = BeltFill(s.m_strBelt)) {
    out += StringPrintf("<i style=\"background:%s\" aria-hidden=\"true\"></i>", fill);
  }
  AppendEscaped(out, s.m_strBelt.empty() ? std::string("Belt not recorded") : s.m_strBelt);
  out += "</span><span class=\"belt\">Rank: ";
  AppendEscaped(out, s.m_strRank.empty() ? std::string("not recorded") : s.m_strRank);
  out += "</span>";
  out += StringPrintf("<span>Level %d", s.m_nLevel);
  if (cadet.m_nBestLevel > s.m_nLevel)
    out += StringPrintf(" (highest set: %d)", cadet.m_nBestLevel);
  out += "</span>";
  if (!s.m_strStyle.empty()) {
    out += "<span>Fighting style: ";
    AppendEscaped(out, s.m_strStyle);
    out += "</span>";
  }
  // The log records the belt and level only as they were set when the game was left, not the
  // ones each match was played at: the page says so rather than label past sessions with them.
  // The summary's own time is when the game was left; without it, only the start is known.
  if (s.m_dtEnd.IsSet()) {
    out += "<span>belt and level as set when the game was left on " +
           EscapeMarkup(DateTime(s.m_dtEnd)) + "</span></div>";
  } else {
    out += "<span>belt and level as set in the session that started at " +
           EscapeMarkup(DateTime(cadet.m_dtLatestSummary)) + "</span></div>";
  }
}

void AppendStats(std::string& out, const CadetReport& cadet) {
  const AnswerTally& t = cadet.m_total;
  out += "<div class=\"stats\">";
  AppendStat(out, std::to_string(cadet.m_vSessions.size()),
             cadet.m_vSessions.size() == 1 ? "session" : "sessions");
  AppendStat(out, std::to_string(t.m_nJudged), "answers judged");
  AppendStat(out, t.Accuracy() ? Percent(*t.Accuracy()) : "-",
             StringPrintf("right (%d of %d)", t.m_nRight, t.m_nJudged));
  AppendStat(out, std::to_string(t.m_nWrong), "wrong answers");
  AppendStat(out, std::to_string(t.m_nTimedOut),
             t.TimeOutRate() ? "time-outs (" + Percent(*t.TimeOutRate()) + ")" : "time-outs");
  AppendStat(out, cadet.AverageSecs() ? Seconds(*cadet.AverageSecs()) : "-",
             "average time per problem");
  if (cadet.m_nBestHighScore > 0) {
    AppendStat(out, std::to_string(cadet.m_nBestHighScore), "best score of a session");
  }
  out += "</div>";
}

// The accuracy chart goes to `left`, the response-time chart to `right`.
void AppendSessionCharts(std::string& left, std::string& right, const CadetReport& cadet) {
  std::size_t per_point = 1;
  const std::vector<ChartPoint> points = PoolSessions(cadet.m_vSessions, per_point);
  LineChart accuracy;
  LineChart timing;
  accuracy.m_strTitle = "Right answers per session, in percent";
  accuracy.m_strColor = kAccuracyColor;
  accuracy.m_strUnit = "%";
  accuracy.m_dYMax = 100;
  timing.m_strTitle = "Average response time per session, in seconds";
  timing.m_strColor = kTimeColor;
  timing.m_strUnit = " s";
  std::string previous_date;
  for (const ChartPoint& p : points) {
    // A day's first point carries the date, its later ones their time of day.
    const std::string date = ShortDate(p.m_dtFirst);
    const std::string when = date == previous_date ? ClockTime(p.m_dtFirst) : date;
    previous_date = date;
    accuracy.m_vXLabels.push_back(when);
    timing.m_vXLabels.push_back(when);
    const auto share = p.m_tally.Accuracy();
    accuracy.m_vValues.push_back(share ? std::optional<double>(*share * 100) : std::nullopt);
    accuracy.m_vPointTitles.push_back(
        PointLabel(p) + StringPrintf(": %d of %d right", p.m_tally.m_nRight, p.m_tally.m_nJudged) +
        (share ? " (" + Percent(*share) + ")" : std::string()));
    const std::optional<double> secs =
        p.m_nFinished > 0
            ? std::optional<double>(static_cast<double>(p.m_nFinishedSecs) / p.m_nFinished)
            : std::nullopt;
    timing.m_vValues.push_back(secs);
    timing.m_vPointTitles.push_back(
        PointLabel(p) + (secs ? ": " + Seconds(*secs) + " on average" : ": no finished problem"));
  }
  // The text alternative states the trend in words: first and last point and the range.
  const auto describe = [&](const LineChart& chart, const char* what, auto format) {
    std::optional<double> first;
    std::optional<double> last;
    double low = 0;
    double high = 0;
    for (const auto& v : chart.m_vValues) {
      if (!v)
        continue;
      if (!first)
        low = high = *v;
      if (!first)
        first = v;
      last = v;
      low = std::min(low, *v);
      high = std::max(high, *v);
    }
    if (!first)
      return std::string("No session with answers yet.");
    return StringPrintf("%zu points. %s was ", chart.m_vValues.size(), what) + format(*first) +
           " at first and " + format(*last) + " at the latest; lowest " + format(low) +
           ", highest " + format(high) + ".";
  };
  accuracy.m_strDescription = describe(accuracy, "The share of right answers",
                                       [](double v) { return StringPrintf("%.0f%%", v); });
  timing.m_strDescription =
      describe(timing, "The average time", [](double v) { return Seconds(v); });
  const std::string note =
      per_point > 1 ? StringPrintf("Each point pools %zu sessions in a row.", per_point) : "";
  AppendFigure(left, "Accuracy over time", RenderLineChart(accuracy), note);
  // What the log's times are, said where the page shows them: a parent seeing 14 s on a
  // 10-second clock, or wrong answers without a time, would otherwise doubt the figures.
  const std::string timing_note =
      "Seconds between a problem's start and its right answer or time-out, as the log records "
      "them. They include any time the quit question stood open, so a time-out that spanned it "
      "shows more than 10 s. A wrong answer has no time of its own (its log line repeats the "
      "previous problem's time) and is left out of the times.";
  AppendFigure(right, "Response time over time", RenderLineChart(timing),
               note.empty() ? timing_note : timing_note + " " + note);
}

void AppendOperationChart(std::string& out, const CadetReport& cadet) {
  BarChart chart;
  chart.m_strTitle = "Right answers and time-outs by operation, in percent";
  chart.m_strUnit = "%";
  chart.m_dYMax = 100;
  chart.m_vSeriesNames = {"right", "time-outs"};
  chart.m_vSeriesColors = {kAccuracyColor, kTimeOutColor};
  std::string description;
  for (int op = 0; op < kLogOperationCount; ++op) {
    const AnswerTally& t = cadet.m_aOperations[op];
    chart.m_vGroupLabels.push_back(std::string(kOperationTitles[op]) + " " +
                                   std::string(kOperationSymbols[op]));
    if (t.m_nJudged == 0) {
      chart.m_vValues.push_back({std::nullopt, std::nullopt});
      description += std::string(kOperationTitles[op]) + ": not practised. ";
      continue;
    }
    chart.m_vValues.push_back(
        {std::round(*t.Accuracy() * 100), std::round(*t.TimeOutRate() * 100)});
    description += std::string(kOperationTitles[op]) + StringPrintf(": %d answers, ", t.m_nJudged) +
                   Percent(*t.Accuracy()) + " right, " + Percent(*t.TimeOutRate()) + " time-outs. ";
  }
  chart.m_strDescription = description;
  AppendFigure(out, "By operation", RenderBarChart(chart));
}

void AppendMissedFacts(std::string& out, const CadetReport& cadet) {
  const std::vector<FactTally> facts = cadet.MostMissedFacts(kMissedFactsShown);
  out += "<figure><figcaption>Facts missed most</figcaption>";
  if (facts.empty()) {
    out += "<p class=\"empty\">No fact was missed. Well done!</p></figure>";
    return;
  }
  out +=
      "<table><thead><tr><th scope=\"col\">Problem</th><th scope=\"col\">Answer</th>"
      "<th scope=\"col\">Asked</th><th scope=\"col\">Wrong</th><th scope=\"col\">Time-outs"
      "</th><th scope=\"col\">Right</th></tr></thead><tbody>";
  for (const FactTally& fact : facts) {
    out += "<tr><th scope=\"row\">";
    AppendEscaped(out, FactText(fact.m_key));
    out += StringPrintf("</th><td>%d</td><td>%d</td><td>%d</td><td>%d</td><td>", fact.m_nResult,
                        fact.m_tally.m_nJudged, fact.m_tally.m_nWrong, fact.m_tally.m_nTimedOut);
    out += Percent(*fact.m_tally.Accuracy()) + "</td></tr>";
  }
  out += "</tbody></table></figure>";
}

void AppendTimesTable(std::string& out, const CadetReport& cadet) {
  constexpr int kSize = CadetReport::kTimesTableSize;
  HeatGrid grid;
  grid.m_strTitle = "Times table: right answers for each pair of factors";
  grid.m_strRowAxis = "first factor";
  grid.m_strColumnAxis = "second factor";
  int asked = 0;
  std::string weakest;
  double weakest_share = 2;
  for (int i = 0; i < kSize; ++i) {
    grid.m_vRowLabels.push_back(std::to_string(i));
    grid.m_vColumnLabels.push_back(std::to_string(i));
  }
  for (int a = 0; a < kSize; ++a) {
    for (int b = 0; b < kSize; ++b) {
      const AnswerTally& t = cadet.m_aTimesTable[a][b];
      const std::string fact = StringPrintf("%d \u00d7 %d", a, b);
      if (t.m_nJudged == 0) {
        grid.m_vValues.push_back(std::nullopt);
        grid.m_vCellTitles.push_back(fact + ": not asked");
        continue;
      }
      ++asked;
      const double share = *t.Accuracy();
      grid.m_vValues.push_back(share);
      grid.m_vCellTitles.push_back(
          fact + StringPrintf(": %d of %d right", t.m_nRight, t.m_nJudged) + " (" + Percent(share) +
          StringPrintf("), %d time-outs", t.m_nTimedOut));
      if (share < weakest_share) {
        weakest_share = share;
        weakest = fact;
      }
    }
  }
  if (asked == 0)
    return;
  grid.m_strDescription = StringPrintf("%d of the 100 facts were asked. ", asked) +
                          "The weakest is " + weakest + " with " + Percent(weakest_share) +
                          " right. Each cell shows the percentage of right answers.";
  grid.m_strMoreClass = "grid";
  AppendFigure(out, "Times table (0 to 9, signs ignored)", RenderHeatGrid(grid));
}

void AppendSessionTable(std::string& out, const CadetReport& cadet) {
  const std::size_t total = cadet.m_vSessions.size();
  const std::size_t first = total > kSessionRowsShown ? total - kSessionRowsShown : 0;
  out += "<details><summary>Sessions in numbers";
  if (first > 0)
    out += StringPrintf(" (the latest %zu of %zu)", kSessionRowsShown, total);
  out +=
      "</summary><table><thead><tr><th scope=\"col\">Started</th><th scope=\"col\">Answers"
      "</th><th scope=\"col\">Right</th><th scope=\"col\">Wrong</th><th scope=\"col\">"
      "Time-outs</th><th scope=\"col\">Accuracy</th><th scope=\"col\">Average time</th>"
      "</tr></thead><tbody>";
  for (std::size_t i = first; i < total; ++i) {
    const SessionPoint& s = cadet.m_vSessions[i];
    out +=
        "<tr><td>" + EscapeMarkup(DateTime(s.m_dtStart)) +
        (s.m_strStartName.empty() ? std::string()
                                  : " (named " + EscapeMarkup(s.m_strStartName) + " at start)") +
        StringPrintf("</td><td>%d</td><td>%d</td><td>%d</td><td>%d</td><td>", s.m_tally.m_nJudged,
                     s.m_tally.m_nRight, s.m_tally.m_nWrong, s.m_tally.m_nTimedOut) +
        (s.m_tally.Accuracy() ? Percent(*s.m_tally.Accuracy()) : "-") + "</td><td>" +
        (s.AverageSecs() ? Seconds(*s.AverageSecs()) : "-") + "</td></tr>";
  }
  out += "</tbody></table></details>";
}

void AppendCadet(std::string& out, const CadetReport& cadet, std::size_t index) {
  out += StringPrintf(
      "<section class=\"cadet\" id=\"cadet-%zu\" aria-labelledby=\"cadet-%zu-name\">"
      "<h2 id=\"cadet-%zu-name\">",
      index, index, index);
  AppendEscaped(out, CadetName(cadet));
  out += "</h2>";
  AppendBadges(out, cadet);
  AppendStats(out, cadet);
  // Two columns that each stack their figures, so a short chart never stands beside a tall one
  // over an empty space: the charts over time side by side, then the operations and the
  // missed facts under accuracy, the times table under response time.
  std::string left;
  std::string right;
  AppendSessionCharts(left, right, cadet);
  AppendOperationChart(left, cadet);
  AppendMissedFacts(left, cadet);
  AppendTimesTable(right, cadet);
  out += "<div class=\"charts\"><div class=\"column\">" + left + "</div><div class=\"column\">" +
         right + "</div></div>";
  AppendSessionTable(out, cadet);
  out += "</section>";
}

void AppendSources(std::string& out, const ReportModel& model) {
  std::int64_t defects = 0;
  bool trouble = false;
  for (const SourceReport& source : model.Sources()) {
    defects += source.m_nDefects;
    trouble = trouble || !source.m_bOpened || source.m_bReadError;
  }
  if (defects == 0 && !trouble)
    return;
  out +=
      "<div class=\"notice\" role=\"note\"><strong>Some of the log could not be read.</strong> "
      "The report leaves those lines out; everything else is counted.";
  for (const SourceReport& source : model.Sources()) {
    if (!source.m_bOpened) {
      out += "<p>" + EscapeMarkup(source.m_strPath) + " could not be opened.</p>";
      continue;
    }
    if (source.m_bReadError) {
      out += "<p>Reading " + EscapeMarkup(source.m_strPath) + " failed before its end.</p>";
    }
    if (source.m_nDefects == 0)
      continue;
    out += "<details><summary>" + EscapeMarkup(source.m_strPath) +
           StringPrintf(
               ": %lld unreadable line%s of %lld</summary><table><thead><tr>"
               "<th scope=\"col\">Line</th><th scope=\"col\">Problem</th>"
               "<th scope=\"col\">Start of the line</th></tr></thead><tbody>",
               static_cast<long long>(source.m_nDefects), source.m_nDefects == 1 ? "" : "s",
               static_cast<long long>(source.m_nLines));
    for (const LogDefect& defect : source.m_vDefects) {
      out += StringPrintf("<tr><td>%lld</td><td>", static_cast<long long>(defect.m_nLine)) +
             EscapeMarkup(defect.m_strReason) + "</td><td><code>" + EscapeMarkup(defect.m_strText) +
             "</code></td></tr>";
    }
    out += "</tbody></table>";
    if (source.m_nDefects > static_cast<std::int64_t>(source.m_vDefects.size())) {
      out += StringPrintf("<p>The first %zu are listed.</p>", source.m_vDefects.size());
    }
    out += "</details>";
  }
  out += "</div>";
}

}  // namespace

std::string RenderHtmlReport(const ReportModel& model) {
  std::string out;
  out.reserve(64 * 1024);
  out +=
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
      "style-src 'unsafe-inline'; img-src data:\">"
      "<title>Quizendo progress report</title><style>";
  out += kStyle;
  out += "</style></head><body><header class=\"page\"><h1>Quizendo progress report</h1><p>";
  int sessions = 0;
  int duplicates = 0;
  std::int64_t lines = 0;
  std::string files;
  for (const SourceReport& source : model.Sources()) {
    sessions += source.m_nSessions;
    duplicates += source.m_nDuplicates;
    lines += source.m_nLines;
    if (!files.empty())
      files += ", ";
    files += source.m_strPath;
  }
  AppendEscaped(out, StringPrintf("%d session%s from ", sessions, sessions == 1 ? "" : "s") +
                         files + StringPrintf(" (%lld lines)", static_cast<long long>(lines)));
  if (duplicates > 0) {
    out += StringPrintf(". %d session%s found in more than one log %s counted once", duplicates,
                        duplicates == 1 ? "" : "s", duplicates == 1 ? "was" : "were");
  }
  out += "</p></header><main>";
  AppendSources(out, model);
  if (model.Cadets().empty()) {
    out += "<p class=\"empty\">The log holds no answers yet. Play a match and come back!</p>";
  } else {
    if (model.Cadets().size() > 1) {
      out += "<nav aria-label=\"Cadets\"><ul>";
      for (std::size_t i = 0; i < model.Cadets().size(); ++i) {
        out += StringPrintf("<li><a href=\"#cadet-%zu\">", i + 1);
        AppendEscaped(out, CadetName(model.Cadets()[i]));
        out += "</a></li>";
      }
      out += "</ul></nav>";
    }
    for (std::size_t i = 0; i < model.Cadets().size(); ++i) {
      AppendCadet(out, model.Cadets()[i], i + 1);
    }
  }
  out += "</main></body></html>\n";
  return out;
}

}  // namespace qz

#include "report/svg_chart.h"

#include <gtest/gtest.h>

#include "support/occurrences.h"

namespace qz {
namespace {

using test::Occurrences;

TEST(SvgChartTest, ALineChartBreaksAtMissingValuesAndMarksEachPoint) {
  LineChart chart;
  chart.m_strTitle = "Accuracy <per> session";
  chart.m_strDescription = "text alternative";
  chart.m_dYMax = 100;
  chart.m_vXLabels = {"a", "b", "c", "d"};
  chart.m_vPointTitles = {"one", "two", "three", "four"};
  chart.m_vValues = {50.0, 100.0, std::nullopt, 0.0};
  const std::string svg = RenderLineChart(chart);
  EXPECT_EQ(1, Occurrences(svg, "<title>Accuracy &lt;per&gt; session</title>"));
  EXPECT_EQ(1, Occurrences(svg, "<desc>text alternative</desc>"));
  EXPECT_EQ(1, Occurrences(svg, "role=\"img\""));
  // Two pieces of line: the first two points joined, the last one alone. The axis runs from
  // 0 at y = 236 to 100 at y = 40; the points from x = 56 to x = 584.
  EXPECT_EQ(1, Occurrences(svg, "d=\"M56 138 L232 40 M584 236\""));
  EXPECT_EQ(3, Occurrences(svg, "class=\"point\""));
  EXPECT_EQ(1, Occurrences(svg, "<title>four</title>"));
  EXPECT_EQ(1, Occurrences(svg, ">100</text>"));
  // The labels at the ends of the axis stay inside the chart: the first starts at its point,
  // the last ends at it.
  EXPECT_EQ(1, Occurrences(svg, "x=\"56\" y=\"254\" text-anchor=\"start\">a</text>"));
  EXPECT_EQ(1, Occurrences(svg, "x=\"584\" y=\"254\" text-anchor=\"end\">d</text>"));
}

TEST(SvgChartTest, AnEmptyLineChartSaysSo) {
  LineChart chart;
  chart.m_vValues = {std::nullopt};
  EXPECT_EQ(1, Occurrences(RenderLineChart(chart), "No data yet"));
}

TEST(SvgChartTest, TheAxisRoundsUpToAReadableTop) {
  LineChart chart;
  chart.m_strUnit = " s";
  chart.m_vValues = {3.2, 7.1};
  EXPECT_EQ(1, Occurrences(RenderLineChart(chart), ">10 s</text>"));
}

TEST(SvgChartTest, BarsCarryTheirValuesAndGroupsWithoutDataAreMarked) {
  BarChart chart;
  chart.m_dYMax = 100;
  chart.m_strUnit = "%";
  chart.m_vSeriesNames = {"right", "time-outs"};
  chart.m_vSeriesColors = {"#0072b2", "#d55e00"};
  chart.m_vGroupLabels = {"Addition", "Division"};
  chart.m_vValues = {{80.0, 5.0}, {std::nullopt, std::nullopt}};
  const std::string svg = RenderBarChart(chart);
  EXPECT_EQ(2, Occurrences(svg, "class=\"bar\""));
  EXPECT_EQ(1, Occurrences(svg, ">80%</text>"));
  EXPECT_EQ(1, Occurrences(svg, "<title>Addition, time-outs: 5%</title>"));
  EXPECT_EQ(1, Occurrences(svg, "not practised"));
}

TEST(SvgChartTest, TheGridColoursCellsByShareAndGreysTheUnasked) {
  HeatGrid grid;
  grid.m_vRowLabels = {"0", "1"};
  grid.m_vColumnLabels = {"0", "1"};
  grid.m_vValues = {0.0, 1.0, std::nullopt, 0.5};
  grid.m_vCellTitles = {"a", "b", "c", "d"};
  const std::string svg = RenderHeatGrid(grid);
  EXPECT_EQ(4, Occurrences(svg, "class=\"cell\""));
  EXPECT_EQ(1, Occurrences(svg, "fill=\"" + ShareColor(0) + "\" stroke"));
  EXPECT_EQ(1, Occurrences(svg, "fill=\"#e4e4e4\" stroke"));
  EXPECT_EQ(">100</text>", svg.substr(svg.find(">100</text>"), 11));
  EXPECT_EQ("#e66101", ShareColor(0));
  EXPECT_EQ("#f7f7f7", ShareColor(0.5));
  EXPECT_EQ("#2166ac", ShareColor(1));
  EXPECT_EQ(ShareColor(1), ShareColor(7));  // clamped
}

}  // namespace
}  // namespace qz

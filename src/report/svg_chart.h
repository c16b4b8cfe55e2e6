#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qz {

// Small inline SVG charts for the report page. Every chart is an <svg role="img"> with a
// <title> and a <desc> (its text alternative) and draws in the page's own fonts; all texts
// given here are plain text and are escaped.

// Values over a sequence of points (sessions), joined by a line; a missing value leaves a gap.
struct LineChart {
  std::string m_strTitle;
  std::string m_strDescription;
  std::string m_strColor = "#0072b2";
  std::string m_strUnit;                    // appended to axis labels: "%" or " s"
  double m_dYMax = 0;                       // top of the axis; 0 picks a round value above the data
  std::vector<std::string> m_vXLabels;      // one per point, shown thinned out to fit
  std::vector<std::string> m_vPointTitles;  // tooltip per point, may be empty
  std::vector<std::optional<double>> m_vValues;
};

// Groups of bars side by side, one bar per series in every group, with their values printed.
struct BarChart {
  std::string m_strTitle;
  std::string m_strDescription;
  std::string m_strUnit;
  double m_dYMax = 0;
  std::vector<std::string> m_vSeriesNames;
  std::vector<std::string> m_vSeriesColors;
  std::vector<std::string> m_vGroupLabels;
  std::vector<std::vector<std::optional<double>>> m_vValues;  // [group][series]
};

// A grid of cells coloured by a share from 0 (orange) to 1 (blue), with the percentage written
// in each cell; a missing value is a grey cell.
struct HeatGrid {
  std::string m_strTitle;
  std::string m_strDescription;
  std::string m_strRowAxis;
  std::string m_strColumnAxis;
  std::vector<std::string> m_vRowLabels;
  std::vector<std::string> m_vColumnLabels;
  std::vector<std::optional<double>> m_vValues;  // row by row
  std::vector<std::string> m_vCellTitles;        // tooltip per cell, row by row
  std::string m_strMoreClass;  // class names the page styles the grid by, after "chart"
};

std::string RenderLineChart(const LineChart& chart);
std::string RenderBarChart(const BarChart& chart);
std::string RenderHeatGrid(const HeatGrid& grid);

// The fill of a share on the grid's scale, "#rrggbb"; also used for the legend.
std::string ShareColor(double share);

}  // namespace qz

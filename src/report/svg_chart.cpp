#include "report/svg_chart.h"

#include <algorithm>
#include <cmath>

#include "platform/string_printf.h"
#include "report/markup.h"

namespace qz {
namespace {

constexpr double kWidth = 600;
constexpr double kHeight = 280;
constexpr double kLeft = 56;
constexpr double kRight = 16;
constexpr double kTop = 40;
constexpr double kBottom = 44;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;
constexpr int kYTicks = 4;
constexpr std::size_t kMaxXLabels = 6;
constexpr std::size_t kMaxMarkers = 60;  // beyond this the line alone reads better
constexpr char kAxisColor[] = "#555";
constexpr char kGridColor[] = "#ddd";

std::string Num(double value) {
  std::string text = StringPrintf("%.1f", value);
  if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
    text.resize(text.size() - 2);
  return text;
}

// The smallest of 1, 2, 2.5, 5 times a power of ten that is at least `value`.
double RoundUp(double value) {
  if (!(value > 0))
    return 1;
  const double power = std::pow(10.0, std::floor(std::log10(value)));
  for (const double step : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    if (step * power >= value)
      return step * power;
  }
  return 10 * power;
}

double AxisTop(double fixed, double data_max) {
  return fixed > 0 ? fixed : RoundUp(data_max);
}

// `more_class`: class names the page styles the picture by, after "chart"; empty for none.
void OpenSvg(std::string& out, double width, double height, const std::string& title,
             const std::string& description, const std::string& more_class = "") {
  const std::string css_class = more_class.empty() ? "chart" : "chart " + more_class;
  out += StringPrintf(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"%s\" role=\"img\" "
      "viewBox=\"0 0 %s %s\" width=\"%s\" height=\"%s\" aria-label=\"",
      css_class.c_str(), Num(width).c_str(), Num(height).c_str(), Num(width).c_str(),
      Num(height).c_str());
  AppendEscaped(out, title);
  out += "\"><title>";
  AppendEscaped(out, title);
  out += "</title><desc>";
  AppendEscaped(out, description);
  out += "</desc>";
}

void Text(std::string& out, double x, double y, const char* anchor, const std::string& text,
          const char* extra = "") {
  out += StringPrintf("<text x=\"%s\" y=\"%s\" text-anchor=\"%s\"%s>", Num(x).c_str(),
                      Num(y).c_str(), anchor, extra);
  AppendEscaped(out, text);
  out += "</text>";
}

// Horizontal grid lines with their labels, from 0 to `top`.
void YAxis(std::string& out, double top, const std::string& unit) {
  out += "<g class=\"axis\" font-size=\"12\">";
  for (int i = 0; i <= kYTicks; ++i) {
    const double value = top * i / kYTicks;
    const double y = kTop + kPlotHeight - kPlotHeight * i / kYTicks;
    out += StringPrintf("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke=\"%s\"/>",
                        Num(kLeft).c_str(), Num(y).c_str(), Num(kLeft + kPlotWidth).c_str(),
                        Num(y).c_str(), i == 0 ? kAxisColor : kGridColor);
    Text(out, kLeft - 6, y + 4, "end", Num(value) + unit, " fill=\"#333\"");
  }
  out += "</g>";
}

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

struct Rgb {
  double r, g, b;
};

Rgb ShareRgb(double share) {
  // Orange to light grey to blue: a scale that colour-blind readers can follow too.
  constexpr Rgb kLow{230, 97, 1};
  constexpr Rgb kMid{247, 247, 247};
  constexpr Rgb kHigh{33, 102, 172};
  const double s = Clamp01(share);
  const Rgb& from = s < 0.5 ? kLow : kMid;
  const Rgb& to = s < 0.5 ? kMid : kHigh;
  const double t = s < 0.5 ? s * 2 : (s - 0.5) * 2;
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t};
}

double Linear(double channel) {
  const double c = channel / 255;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The text colour with the better contrast on the cell's fill.
const char* TextFill(double share) {
  const Rgb c = ShareRgb(share);
  const double luminance = 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
  constexpr double kDarkText = 0.0168;  // #222
  const double on_white = 1.05 / (luminance + 0.05);
  const double on_dark = (luminance + 0.05) / (kDarkText + 0.05);
  return on_white > on_dark ? " fill=\"#fff\"" : " fill=\"#222\"";
}

}  // namespace

std::string ShareColor(double share) {
  const Rgb c = ShareRgb(share);
  return StringPrintf("#%02x%02x%02x", static_cast<unsigned>(std::lround(c.r)),
                      static_cast<unsigned>(std::lround(c.g)),
                      static_cast<unsigned>(std::lround(c.b)));
}

std::string RenderLineChart(const LineChart& chart) {
  double data_max = 0;
  for (const auto& v : chart.m_vValues) {
    if (v)
      data_max = std::max(data_max, *v);
  }
  const double top = AxisTop(chart.m_dYMax, data_max);
  const std::size_t n = chart.m_vValues.size();
  const auto x_of = [n](std::size_t i) {
    return n < 2 ? kLeft + kPlotWidth / 2 : kLeft + kPlotWidth * i / (n - 1);
  };
  const auto y_of = [top](double v) {
    return kTop + kPlotHeight - kPlotHeight * std::clamp(v / top, 0.0, 1.0);
  };

  std::string out;
  OpenSvg(out, kWidth, kHeight, chart.m_strTitle, chart.m_strDescription);
  YAxis(out, top, chart.m_strUnit);

  out += "<g class=\"axis\" font-size=\"12\" fill=\"#333\">";
  const std::size_t step = std::max<std::size_t>(1, (n + kMaxXLabels - 1) / kMaxXLabels);
  for (std::size_t i = 0; i < n && i < chart.m_vXLabels.size(); i += step) {
    // The labels at the two ends of the axis keep inside the chart: the first one starts at its
    // point, the last one ends at it.
    const char* anchor = n < 2 ? "middle" : i == 0 ? "start" : i == n - 1 ? "end" : "middle";
    Text(out, x_of(i), kTop + kPlotHeight + 18, anchor, chart.m_vXLabels[i]);
  }
  out += "</g>";

  // One path; a missing value lifts the pen.
  std::string path;
  bool pen_down = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!chart.m_vValues[i]) {
      pen_down = false;
      continue;
    }
    path += StringPrintf("%c%s %s ", pen_down ? 'L' : 'M', Num(x_of(i)).c_str(),
                         Num(y_of(*chart.m_vValues[i])).c_str());
    pen_down = true;
  }
  if (!path.empty()) {
    path.pop_back();
    out += StringPrintf(
        "<path class=\"series\" d=\"%s\" fill=\"none\" stroke=\"%s\" stroke-width=\"2.5\" "
        "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>",
        path.c_str(), EscapeMarkup(chart.m_strColor).c_str());
  }
  // Markers show single points (which a line cannot) and carry a tooltip each.
  if (n <= kMaxMarkers) {
    for (std::size_t i = 0; i < n; ++i) {
      if (!chart.m_vValues[i])
        continue;
      out += StringPrintf(
          "<circle class=\"point\" cx=\"%s\" cy=\"%s\" r=\"4\" fill=\"%s\" "
          "stroke=\"#fff\" stroke-width=\"1.5\">",
          Num(x_of(i)).c_str(), Num(y_of(*chart.m_vValues[i])).c_str(),
          EscapeMarkup(chart.m_strColor).c_str());
      if (i < chart.m_vPointTitles.size()) {
        out += "<title>";
        AppendEscaped(out, chart.m_vPointTitles[i]);
        out += "</title>";
      }
      out += "</circle>";
    }
  }
  if (path.empty()) {
    Text(out, kLeft + kPlotWidth / 2, kTop + kPlotHeight / 2, "middle", "No data yet",
         " font-size=\"14\" fill=\"#555\"");
  }
  out += "</svg>";
  return out;
}

std::string RenderBarChart(const BarChart& chart) {
  double data_max = 0;
  for (const auto& group : chart.m_vValues) {
    for (const auto& v : group) {
      if (v)
        data_max = std::max(data_max, *v);
    }
  }
  const double top = AxisTop(chart.m_dYMax, data_max);
  const std::size_t groups = chart.m_vGroupLabels.size();
  const std::size_t series = chart.m_vSeriesNames.size();
  const double group_width = groups == 0 ? kPlotWidth : kPlotWidth / groups;
  const double bar_width = series == 0 ? 0 : group_width * 0.7 / series;

  std::string out;
  OpenSvg(out, kWidth, kHeight, chart.m_strTitle, chart.m_strDescription);
  YAxis(out, top, chart.m_strUnit);

  // Legend along the top.
  out += "<g class=\"legend\" font-size=\"12\" fill=\"#333\">";
  double legend_x = kLeft;
  for (std::size_t s = 0; s < series; ++s) {
    const std::string color = s < chart.m_vSeriesColors.size() ? chart.m_vSeriesColors[s] : "#888";
    out += StringPrintf("<rect x=\"%s\" y=\"12\" width=\"12\" height=\"12\" fill=\"%s\"/>",
                        Num(legend_x).c_str(), EscapeMarkup(color).c_str());
    Text(out, legend_x + 16, 22, "start", chart.m_vSeriesNames[s]);
    legend_x += 30 + 7.0 * static_cast<double>(chart.m_vSeriesNames[s].size());
  }
  out += "</g>";

  out += "<g font-size=\"12\">";
  for (std::size_t g = 0; g < groups; ++g) {
    const double group_left = kLeft + group_width * g + group_width * 0.15;
    Text(out, kLeft + group_width * (g + 0.5), kTop + kPlotHeight + 18, "middle",
         chart.m_vGroupLabels[g], " fill=\"#333\" font-size=\"13\"");
    bool any = false;
    for (std::size_t s = 0; s < series; ++s) {
      const double* value =
          g < chart.m_vValues.size() && s < chart.m_vValues[g].size() && chart.m_vValues[g][s]
              ? &*chart.m_vValues[g][s]
              : nullptr;
      if (!value)
        continue;
      any = true;
      const double height = kPlotHeight * std::clamp(*value / top, 0.0, 1.0);
      const double x = group_left + bar_width * s;
      const double y = kTop + kPlotHeight - height;
      const std::string color =
          s < chart.m_vSeriesColors.size() ? chart.m_vSeriesColors[s] : "#888";
      const std::string label = Num(*value) + chart.m_strUnit;
      out += StringPrintf(
          "<rect class=\"bar\" x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"%s\">"
          "<title>",
          Num(x + 1).c_str(), Num(y).c_str(), Num(bar_width - 2).c_str(), Num(height).c_str(),
          EscapeMarkup(color).c_str());
      AppendEscaped(out, chart.m_vGroupLabels[g] + ", " + chart.m_vSeriesNames[s] + ": " + label);
      out += "</title></rect>";
      Text(out, x + bar_width / 2, y - 4, "middle", label, " fill=\"#222\"");
    }
    if (!any) {
      Text(out, kLeft + group_width * (g + 0.5), kTop + kPlotHeight - 8, "middle", "not practised",
           " fill=\"#555\"");
    }
  }
  out += "</g></svg>";
  return out;
}

std::string RenderHeatGrid(const HeatGrid& grid) {
  constexpr double kCell = 40;
  constexpr double kLabel = 44;  // room for the axis title and the labels
  const std::size_t rows = grid.m_vRowLabels.size();
  const std::size_t columns = grid.m_vColumnLabels.size();
  const double legend_top = kLabel + kCell * rows + 16;
  const double width = kLabel + kCell * columns + 8;
  const double height = legend_top + 44;

  std::string out;
  OpenSvg(out, width, height, grid.m_strTitle, grid.m_strDescription, grid.m_strMoreClass);
  out += "<g font-size=\"12\" fill=\"#333\">";
  Text(out, kLabel + kCell * columns / 2, 14, "middle", grid.m_strColumnAxis,
       " font-weight=\"bold\"");
  Text(out, 14, kLabel + kCell * rows / 2, "middle", grid.m_strRowAxis,
       StringPrintf(" font-weight=\"bold\" transform=\"rotate(-90 14 %s)\"",
                    Num(kLabel + kCell * rows / 2).c_str())
           .c_str());
  for (std::size_t c = 0; c < columns; ++c) {
    Text(out, kLabel + kCell * (c + 0.5), kLabel - 8, "middle", grid.m_vColumnLabels[c]);
  }
  for (std::size_t r = 0; r < rows; ++r) {
    Text(out, kLabel - 8, kLabel + kCell * (r + 0.5) + 4, "end", grid.m_vRowLabels[r]);
  }
  out += "</g><g font-size=\"12\">";
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::size_t i = r * columns + c;
      // A pointer, not a copy of the optional: g++ 12 misreads copied optionals as unset.
      const double* value =
          i < grid.m_vValues.size() && grid.m_vValues[i] ? &*grid.m_vValues[i] : nullptr;
      const double x = kLabel + kCell * c;
      const double y = kLabel + kCell * r;
      const std::string fill = value ? ShareColor(*value) : "#e4e4e4";
      out += StringPrintf(
          "<rect class=\"cell\" x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"%s\" "
          "stroke=\"#fff\" stroke-width=\"2\">",
          Num(x).c_str(), Num(y).c_str(), Num(kCell).c_str(), Num(kCell).c_str(), fill.c_str());
      if (i < grid.m_vCellTitles.size()) {
        out += "<title>";
        AppendEscaped(out, grid.m_vCellTitles[i]);
        out += "</title>";
      }
      out += "</rect>";
      if (value) {
        Text(out, x + kCell / 2, y + kCell / 2 + 4, "middle",
             StringPrintf("%.0f", std::round(*value * 100)), TextFill(*value));
      }
    }
  }
  out += "</g>";
  // Legend: the scale in five steps and the colour of facts not asked.
  out += "<g font-size=\"12\" fill=\"#333\">";
  Text(out, kLabel, legend_top + 12, "start", "Right answers:");
  double x = kLabel + 96;
  for (int step = 0; step <= 4; ++step) {
    const double share = step / 4.0;
    out += StringPrintf("<rect x=\"%s\" y=\"%s\" width=\"30\" height=\"16\" fill=\"%s\"/>",
                        Num(x).c_str(), Num(legend_top).c_str(), ShareColor(share).c_str());
    Text(out, x + 15, legend_top + 30, "middle", StringPrintf("%d%%", step * 25));
    x += 32;
  }
  out += StringPrintf("<rect x=\"%s\" y=\"%s\" width=\"16\" height=\"16\" fill=\"#e4e4e4\"/>",
                      Num(x + 14).c_str(), Num(legend_top).c_str());
  Text(out, x + 36, legend_top + 12, "start", "not asked");
  out += "</g></svg>";
  return out;
}

}  // namespace qz

#include "zorvan_check/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "zorvan_replay/svg_chart.h"

namespace zd::check {
namespace {

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

std::string Value(double v) {
  char text[32];
  if (v == std::floor(v)) {
    std::snprintf(text, sizeof text, "%.0f", v);
  } else {
    std::snprintf(text, sizeof text, "%.1f", v);
  }
  return text;
}

// A round step for an axis from 0 to `top` with about five lines.
double AxisStep(double top) {
  if (top <= 0) return 1;
  const double raw = top / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (raw <= m * magnitude) return m * magnitude;
  }
  return 10 * magnitude;
}

std::string Text(double x, double y, const std::string& text, const char* anchor = "middle",
                 int size = 11, const char* extra = "") {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" font-size=\"" + std::to_string(size) +
         "\" text-anchor=\"" + anchor + "\"" + extra + ">" + HtmlEscape(text) + "</text>";
}

// The opening of a chart: its size, its title as a tooltip and as a heading.
std::string SvgStart(const std::string& title, int width, int height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
         " " + std::to_string(height) + "\" font-family=\"sans-serif\" role=\"img\"><title>" +
         HtmlEscape(title) + "</title>" +
         Text(width / 2.0, 18, title, "middle", 14, " font-weight=\"bold\"");
}

}  // namespace

// One escaping for every page of the tools: the replay report's.
std::string HtmlEscape(std::string_view text) { return replay::svg::Escape(text); }

std::string StackedBarsSvg(const std::string& title, const std::vector<Series>& series,
                           const std::vector<BarGroup>& bars, int width, int height,
                           int labelEvery) {
  const double left = 56, right = 12, top = 30, bottom = series.size() > 1 ? 58 : 36;
  const double plotW = width - left - right, plotH = height - top - bottom;
  double maxTotal = 0;
  for (const BarGroup& b : bars) {
    double t = 0;
    for (double v : b.values) t += v;
    maxTotal = std::max(maxTotal, t);
  }
  const double step = AxisStep(maxTotal);
  const double axisTop = std::max(step, std::ceil(maxTotal / step) * step);
  std::string svg = SvgStart(title, width, height);
  for (double v = 0; v <= axisTop + step / 2; v += step) {
    const double y = top + plotH - v / axisTop * plotH;
    svg += "<line x1=\"" + Num(left) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(left + plotW) +
           "\" y2=\"" + Num(y) + "\" stroke=\"#ddd\"/>";
    svg += Text(left - 6, y + 4, Value(v), "end", 10);
  }
  const double slot = bars.empty() ? plotW : plotW / static_cast<double>(bars.size());
  const double barW = std::max(1.0, slot * 0.8);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const double x = left + slot * static_cast<double>(i) + (slot - barW) / 2;
    double y = top + plotH;
    double total = 0;
    for (std::size_t s = 0; s < bars[i].values.size() && s < series.size(); ++s) {
      const double h = bars[i].values[s] / axisTop * plotH;
      total += bars[i].values[s];
      if (h <= 0) continue;
      y -= h;
      svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(barW) +
             "\" height=\"" + Num(h) + "\" fill=\"" + series[s].colour + "\"><title>" +
             HtmlEscape(bars[i].label + " " + series[s].name + ": " + Value(bars[i].values[s])) +
             "</title></rect>";
    }
    if (bars.size() <= 16 && total > 0)
      svg += Text(x + barW / 2, y - 3, Value(total), "middle", 10);
    if (!bars[i].label.empty() &&
        (labelEvery <= 1 || i % static_cast<std::size_t>(labelEvery) == 0)) {
      svg += Text(x + barW / 2, top + plotH + 14, bars[i].label, "middle", 10);
    }
  }
  svg += "<line x1=\"" + Num(left) + "\" y1=\"" + Num(top + plotH) + "\" x2=\"" +
         Num(left + plotW) + "\" y2=\"" + Num(top + plotH) + "\" stroke=\"#333\"/>";
  if (series.size() > 1) {
    double x = left;
    const double y = height - 14;
    for (const Series& s : series) {
      svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y - 9) +
             "\" width=\"10\" height=\"10\" fill=\"" + s.colour + "\"/>";
      svg += Text(x + 14, y, s.name, "start", 11);
      x += 22 + 7.0 * static_cast<double>(s.name.size());
    }
  }
  svg += "</svg>";
  return svg;
}

std::string HorizontalBarsSvg(const std::string& title, const std::vector<std::string>& labels,
                              const std::vector<double>& values,
                              const std::vector<std::string>& colours, int width) {
  const double rowH = 24, top = 30, left = 170, right = 70;
  const int height = static_cast<int>(top + rowH * static_cast<double>(labels.size()) + 10);
  const double plotW = width - left - right;
  double maxValue = 0;
  for (double v : values) maxValue = std::max(maxValue, v);
  std::string svg = SvgStart(title, width, height);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const double y = top + rowH * static_cast<double>(i);
    const double v = i < values.size() ? values[i] : 0;
    const double w = maxValue > 0 ? v / maxValue * plotW : 0;
    svg += Text(left - 8, y + 16, labels[i], "end", 12);
    svg += "<rect x=\"" + Num(left) + "\" y=\"" + Num(y + 4) + "\" width=\"" +
           Num(std::max(w, 1.0)) + "\" height=\"" + Num(rowH - 8) + "\" fill=\"" +
           (i < colours.size() ? colours[i] : std::string("#4e79a7")) + "\"/>";
    svg += Text(left + w + 6, y + 16, Value(v), "start", 12);
  }
  svg += "</svg>";
  return svg;
}

}  // namespace zd::check

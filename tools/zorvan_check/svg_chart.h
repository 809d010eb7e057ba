// Small charts drawn as inline SVG, so that a page needs no script, font or network to
// show them: vertical stacked bars and horizontal bars with their labels and values.
#pragma once

#include <string>
#include <vector>

namespace zd::check {

struct Series {
  std::string name;
  std::string colour;  // any SVG colour ("#1f77b4")
};

struct BarGroup {
  std::string label;           // under the bar (empty: none)
  std::vector<double> values;  // one per series, stacked from the bottom
};

// Vertical stacked bars; a legend when there is more than one series. `labelEvery`
// writes every n-th label only (long time axes).
std::string StackedBarsSvg(const std::string& title, const std::vector<Series>& series,
                           const std::vector<BarGroup>& bars, int width, int height,
                           int labelEvery = 1);

// Horizontal bars, one per row, each with its label on the left and its value on the right.
std::string HorizontalBarsSvg(const std::string& title, const std::vector<std::string>& labels,
                              const std::vector<double>& values,
                              const std::vector<std::string>& colours, int width);

// Text made safe inside HTML and SVG.
std::string HtmlEscape(std::string_view text);

}  // namespace zd::check

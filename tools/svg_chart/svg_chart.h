// Charts as inline SVG, drawn from numbers alone: stacked bars, lines, bars against a
// limit, horizontal bars and stacks, and a board of labelled cells. Every text is
// escaped; the pictures need no script and no network. The tools' pages escape their own
// texts with the same `Escape`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zd::svg {

// Text for HTML or SVG, in element content and in double-quoted attributes (the only
// kind the pages write): & < > " escaped, bytes that are not UTF-8 shown as U+FFFD,
// control characters other than tab and line ends left out.
std::string Escape(std::string_view text);

struct Series {
  std::string name;
  std::string colour;  // "#4e79a7"
  std::vector<double> values;
};

// A chart over categories along x (the clock hours, the bands).
struct Frame {
  int width = 960, height = 260;
  std::string title;                   // read by screen readers
  std::vector<std::string> labels;     // one per category
  std::vector<std::string> subLabels;  // optional second line (the day); empty texts skip
  std::string yTitle;
  int labelEvery = 0;   // x labels at every n-th category only, or fewer where room is short
  bool totals = false;  // write each category's total above its stacked bar
};

// Bars of the series stacked per category, with a legend.
std::string StackedBars(const Frame& frame, const std::vector<Series>& series);
// A line per series through the categories, with a legend.
std::string Lines(const Frame& frame, const std::vector<Series>& series);
// One bar per category; bars at or over `limit` in `overColour`, the limit drawn as a
// dashed line labelled `limitLabel`.
std::string BarsWithLimit(const Frame& frame, const std::vector<double>& values, double limit,
                          const std::string& colour, const std::string& overColour,
                          const std::string& limitLabel);
// A horizontal bar per category (`frame.labels` down the left), its series side by side
// along it, with the numbers written in and the total after it.
std::string HorizontalStacks(const Frame& frame, const std::vector<Series>& series);
// A horizontal bar per category (`frame.labels` down the left) in the category's own
// colour, its value written after it.
std::string HorizontalBars(const Frame& frame, const std::vector<double>& values,
                           const std::vector<std::string>& colours);

// A board of cells placed in units of `unit` pixels.
struct Cell {
  int x = 0, y = 0, width = 0, height = 0;  // in units
  std::string label;
  std::string fill, ink;  // colours
  std::string tip;        // shown on hover
  bool ellipse = true;
};
std::string Board(int width, int height, double unit, const std::string& title,
                  const std::vector<Cell>& cells, double fontSize);

}  // namespace zd::svg

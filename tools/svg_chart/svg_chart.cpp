#include "svg_chart/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace zd::svg {
namespace {

constexpr int kLeft = 58, kRight = 14, kTop = 30, kBottom = 40;
constexpr double kMinLabelGap = 24.0;  // pixels between two x labels

// A coordinate or value with one decimal, rounded here so that every C library writes
// the same digits.
std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", std::round(v * 10) / 10);
  std::string s = text;
  if (s.size() > 2 && s.substr(s.size() - 2) == ".0") s.resize(s.size() - 2);
  return s;
}

// An axis value in few characters: 950, 12k, 5.4M.
std::string Compact(double v) {
  const double a = std::fabs(v);
  char text[32];
  if (a >= 1e6) {
    std::snprintf(text, sizeof text, "%gM", std::round(v / 1e5) / 10);
  } else if (a >= 1e4) {
    std::snprintf(text, sizeof text, "%gk", std::round(v / 1e2) / 10);
  } else {
    std::snprintf(text, sizeof text, "%g", v);
  }
  return text;
}

// The top of the axis and its step for values up to `max`: 1, 2 or 5 times a power of ten.
std::pair<double, double> Scale(double max) {
  if (!(max > 0)) return {1, 1};
  const double raw = max / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double norm = raw / magnitude;
  const double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
  const double top = std::max(step, std::ceil(max / step - 1e-9) * step);
  return {top, std::max(step, 1.0)};
}

std::string Open(const Frame& f, int height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" viewBox=\"0 0 " +
         std::to_string(f.width) + " " + std::to_string(height) + "\" width=\"" +
         std::to_string(f.width) + "\" height=\"" + std::to_string(height) +
         "\" role=\"img\" aria-label=\"" + Escape(f.title) +
         "\" font-family=\"Verdana, Arial, sans-serif\" font-size=\"11\">";
}

std::string Legend(const std::vector<Series>& series, int x) {
  std::string out;
  for (const Series& s : series) {
    out += "<rect x=\"" + std::to_string(x) + "\" y=\"9\" width=\"12\" height=\"12\" fill=\"" +
           Escape(s.colour) + "\"/><text x=\"" + std::to_string(x + 16) + "\" y=\"19\">" +
           Escape(s.name) + "</text>";
    x += 30 + static_cast<int>(s.name.size()) * 7;
  }
  return out;
}

// The y axis with its grid, and the x labels under the categories.
struct Plot {
  const Frame& f;
  double top, step;
  double x0 = kLeft, y0, width, height;
  double slot;

  Plot(const Frame& frame, double max) : f(frame) {
    std::tie(top, step) = Scale(max);
    width = f.width - kLeft - kRight;
    height = f.height - kTop - kBottom;
    y0 = kTop + height;
    slot = width / static_cast<double>(std::max<std::size_t>(1, f.labels.size()));
  }
  double Y(double v) const { return y0 - v / top * height; }
  double Center(std::size_t i) const { return x0 + slot * (static_cast<double>(i) + 0.5); }

  std::string Axes() const {
    std::string out;
    for (double v = 0; v <= top + step / 2; v += step) {
      out += "<line x1=\"" + Num(x0) + "\" x2=\"" + Num(x0 + width) + "\" y1=\"" + Num(Y(v)) +
             "\" y2=\"" + Num(Y(v)) + "\" stroke=\"#dde\"/>";
      out += "<text x=\"" + Num(x0 - 6) + "\" y=\"" + Num(Y(v) + 4) + "\" text-anchor=\"end\">" +
             Compact(v) + "</text>";
    }
    if (!f.yTitle.empty()) {
      out += "<text x=\"12\" y=\"" + Num(kTop + height / 2) + "\" transform=\"rotate(-90 12 " +
             Num(kTop + height / 2) + ")\" text-anchor=\"middle\" fill=\"#555\">" +
             Escape(f.yTitle) + "</text>";
    }
    out += "<line x1=\"" + Num(x0) + "\" x2=\"" + Num(x0 + width) + "\" y1=\"" + Num(y0) +
           "\" y2=\"" + Num(y0) + "\" stroke=\"#555\"/>";
    const std::size_t every =
        std::max({std::size_t{1}, static_cast<std::size_t>(std::ceil(kMinLabelGap / slot)),
                  static_cast<std::size_t>(std::max(0, f.labelEvery))});
    for (std::size_t i = 0; i < f.labels.size(); ++i) {
      if (i % every == 0) {
        out += "<text x=\"" + Num(Center(i)) + "\" y=\"" + Num(y0 + 14) +
               "\" text-anchor=\"middle\">" + Escape(f.labels[i]) + "</text>";
      }
      if (i < f.subLabels.size() && !f.subLabels[i].empty()) {
        out += "<text x=\"" + Num(Center(i) - slot / 2) + "\" y=\"" + Num(y0 + 30) +
               "\" fill=\"#555\">" + Escape(f.subLabels[i]) + "</text>";
        out += "<line x1=\"" + Num(Center(i) - slot / 2) + "\" x2=\"" + Num(Center(i) - slot / 2) +
               "\" y1=\"" + Num(kTop) + "\" y2=\"" + Num(y0 + 20) +
               "\" stroke=\"#bbc\" stroke-dasharray=\"2 3\"/>";
      }
    }
    return out;
  }
};

// The characters of a UTF-8 text, for the room it takes.
std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Label(const Frame& f, std::size_t i) {
  std::string s = i < f.labels.size() ? f.labels[i] : std::string();
  if (i < f.subLabels.size() && !f.subLabels[i].empty()) s = f.subLabels[i] + " " + s;
  return s;
}

// One horizontal bar per category made of segments side by side, the category's label
// down the left (as wide as the longest label needs) and its total after the bar. With a
// legend (`legend` not null) each segment is a series and carries its number inside.
struct Segment {
  const std::string* name;
  const std::string* colour;
  double value;
};

std::string HorizontalRows(const Frame& f, const std::vector<std::vector<Segment>>& rows,
                           const std::vector<Series>* legend) {
  constexpr int kRow = 26;
  const int top = legend ? 30 : 6;
  const int height = top + kRow * static_cast<int>(rows.size()) + 8;
  std::size_t longest = 0;
  for (const std::string& l : f.labels) longest = std::max(longest, Characters(l));
  const int labelWidth = std::max(70, 7 * static_cast<int>(longest) + 16);
  double max = 0;
  for (const auto& row : rows) {
    double sum = 0;
    for (const Segment& s : row) sum += s.value;
    max = std::max(max, sum);
  }
  const int totalWidth = std::max(40, 7 * static_cast<int>(Num(max).size()) + 12);
  const double width = f.width - labelWidth - kRight - totalWidth;
  std::string out = Open(f, height) + (legend ? Legend(*legend, labelWidth) : std::string());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double y = top + kRow * static_cast<double>(i);
    out += "<text x=\"" + std::to_string(labelWidth - 8) + "\" y=\"" + Num(y + 16) +
           "\" text-anchor=\"end\">" + Escape(f.labels[i]) + "</text>";
    double x = labelWidth, sum = 0;
    for (const Segment& s : rows[i]) {
      const double v = s.value;
      if (v <= 0) continue;
      const double w = max > 0 ? v / max * width : 0;
      out += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y + 3) + "\" width=\"" + Num(w) +
             "\" height=\"" + std::to_string(kRow - 6) + "\" fill=\"" + Escape(*s.colour) +
             "\"><title>" + Escape(f.labels[i]) + (s.name->empty() ? "" : " ") + Escape(*s.name) +
             ": " + Num(v) + "</title></rect>";
      if (legend && w >= 28) {
        out += "<text x=\"" + Num(x + w / 2) + "\" y=\"" + Num(y + 17) +
               "\" text-anchor=\"middle\" fill=\"#fff\">" + Num(v) + "</text>";
      }
      x += w;
      sum += v;
    }
    out += "<text x=\"" + Num(x + 6) + "\" y=\"" + Num(y + 17) + "\" fill=\"#333\">" + Num(sum) +
           "</text>";
  }
  return out + "</svg>";
}

}  // namespace

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        default:
          if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // A well-formed UTF-8 sequence passes whole; anything else is one replacement.
    const int length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    bool ok = length > 0 && i + static_cast<std::size_t>(length) <= text.size() && c != 0xC0 &&
              c != 0xC1 && c < 0xF5;
    for (int k = 1; ok && k < length; ++k) {
      ok = (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) == 0x80;
    }
    if (ok) {
      out.append(text.substr(i, static_cast<std::size_t>(length)));
      i += static_cast<std::size_t>(length);
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

std::string StackedBars(const Frame& f, const std::vector<Series>& series) {
  double max = 0;
  for (std::size_t i = 0; i < f.labels.size(); ++i) {
    double sum = 0;
    for (const Series& s : series) sum += i < s.values.size() ? s.values[i] : 0;
    max = std::max(max, sum);
  }
  // Written totals need room above the tallest bar.
  const Plot p(f, f.totals ? max * 1.1 : max);
  std::string out = Open(f, f.height) + p.Axes() + Legend(series, kLeft);
  const double bar = std::max(1.0, p.slot * 0.8);
  for (std::size_t i = 0; i < f.labels.size(); ++i) {
    double base = 0;
    for (const Series& s : series) {
      const double v = i < s.values.size() ? s.values[i] : 0;
      if (v <= 0) continue;
      out += "<rect x=\"" + Num(p.Center(i) - bar / 2) + "\" y=\"" + Num(p.Y(base + v)) +
             "\" width=\"" + Num(bar) + "\" height=\"" + Num(p.Y(base) - p.Y(base + v)) +
             "\" fill=\"" + Escape(s.colour) + "\"><title>" + Escape(Label(f, i)) + " " +
             Escape(s.name) + ": " + Num(v) + "</title></rect>";
      base += v;
    }
    if (f.totals && base > 0) {
      out += "<text x=\"" + Num(p.Center(i)) + "\" y=\"" + Num(p.Y(base) - 3) +
             "\" text-anchor=\"middle\">" + Num(base) + "</text>";
    }
  }
  return out + "</svg>";
}

std::string Lines(const Frame& f, const std::vector<Series>& series) {
  double max = 0;
  for (const Series& s : series) {
    for (double v : s.values) max = std::max(max, v);
  }
  const Plot p(f, max);
  std::string out = Open(f, f.height) + p.Axes() + Legend(series, kLeft);
  for (const Series& s : series) {
    std::string points;
    for (std::size_t i = 0; i < s.values.size() && i < f.labels.size(); ++i) {
      points += (points.empty() ? "" : " ") + Num(p.Center(i)) + "," + Num(p.Y(s.values[i]));
    }
    out += "<polyline fill=\"none\" stroke=\"" + Escape(s.colour) +
           "\" stroke-width=\"2.5\" points=\"" + points + "\"/>";
    for (std::size_t i = 0; i < s.values.size() && i < f.labels.size(); ++i) {
      out += "<circle cx=\"" + Num(p.Center(i)) + "\" cy=\"" + Num(p.Y(s.values[i])) +
             "\" r=\"2.5\" fill=\"" + Escape(s.colour) + "\"><title>" + Escape(Label(f, i)) + " " +
             Escape(s.name) + ": " + Num(s.values[i]) + "</title></circle>";
    }
  }
  return out + "</svg>";
}

std::string BarsWithLimit(const Frame& f, const std::vector<double>& values, double limit,
                          const std::string& colour, const std::string& overColour,
                          const std::string& limitLabel) {
  double max = limit + 1;
  for (double v : values) max = std::max(max, v);
  const Plot p(f, max);
  std::string out = Open(f, f.height) + p.Axes();
  const double bar = std::max(1.0, p.slot * 0.8);
  for (std::size_t i = 0; i < values.size() && i < f.labels.size(); ++i) {
    if (values[i] <= 0) continue;
    const bool over = values[i] >= limit;
    out += "<rect x=\"" + Num(p.Center(i) - bar / 2) + "\" y=\"" + Num(p.Y(values[i])) +
           "\" width=\"" + Num(bar) + "\" height=\"" + Num(p.y0 - p.Y(values[i])) + "\" fill=\"" +
           Escape(over ? overColour : colour) + "\"><title>" + Escape(Label(f, i)) + ": " +
           Num(values[i]) + "</title></rect>";
    if (over) {
      out += "<text x=\"" + Num(p.Center(i)) + "\" y=\"" + Num(p.Y(values[i]) - 3) +
             "\" text-anchor=\"middle\" font-weight=\"bold\" fill=\"" + Escape(overColour) + "\">" +
             Num(values[i]) + "</text>";
    }
  }
  out += "<line x1=\"" + Num(p.x0) + "\" x2=\"" + Num(p.x0 + p.width) + "\" y1=\"" +
         Num(p.Y(limit)) + "\" y2=\"" + Num(p.Y(limit)) + "\" stroke=\"" + Escape(overColour) +
         "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>";
  // The limit's key above the plot, where no bar can cover it.
  out += "<line x1=\"" + std::to_string(kLeft) + "\" x2=\"" + std::to_string(kLeft + 24) +
         "\" y1=\"15\" y2=\"15\" stroke=\"" + Escape(overColour) +
         "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/><text x=\"" +
         std::to_string(kLeft + 30) + "\" y=\"19\" fill=\"" + Escape(overColour) + "\">" +
         Escape(limitLabel) + "</text>";
  return out + "</svg>";
}

std::string HorizontalStacks(const Frame& f, const std::vector<Series>& series) {
  std::vector<std::vector<Segment>> rows(f.labels.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (const Series& s : series)
      rows[i].push_back({&s.name, &s.colour, i < s.values.size() ? s.values[i] : 0});
  }
  return HorizontalRows(f, rows, &series);
}

std::string HorizontalBars(const Frame& f, const std::vector<double>& values,
                           const std::vector<std::string>& colours) {
  static const std::string kNoName, kDefaultColour = "#4e79a7";
  std::vector<std::vector<Segment>> rows(f.labels.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].push_back({&kNoName, i < colours.size() ? &colours[i] : &kDefaultColour,
                       i < values.size() ? values[i] : 0});
  }
  return HorizontalRows(f, rows, nullptr);
}

std::string Board(int width, int height, double unit, const std::string& title,
                  const std::vector<Cell>& cells, double fontSize) {
  const std::string w = Num(width * unit), h = Num(height * unit);
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"board\" viewBox=\"0 0 " + w +
                    " " + h + "\" width=\"" + w + "\" height=\"" + h +
                    "\" role=\"img\" aria-label=\"" + Escape(title) +
                    "\" font-family=\"Verdana, Arial, sans-serif\" font-size=\"" + Num(fontSize) +
                    "\"><rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#fffac6\"/>";
  for (const Cell& c : cells) {
    const double cx = (c.x + c.width / 2.0) * unit, cy = (c.y + c.height / 2.0) * unit;
    out += "<g><title>" + Escape(c.tip) + "</title>";
    if (c.ellipse) {
      out += "<ellipse cx=\"" + Num(cx) + "\" cy=\"" + Num(cy) + "\" rx=\"" +
             Num(c.width * unit / 2 - 0.5) + "\" ry=\"" + Num(c.height * unit / 2 - 0.5) + "\"";
    } else {
      out += "<rect x=\"" + Num(c.x * unit) + "\" y=\"" + Num(c.y * unit) + "\" width=\"" +
             Num(c.width * unit) + "\" height=\"" + Num(c.height * unit) + "\"";
    }
    out += " fill=\"" + Escape(c.fill) + "\" stroke=\"#555\" stroke-width=\"0.6\"/>";
    out += "<text x=\"" + Num(cx) + "\" y=\"" + Num(cy + fontSize * 0.36) +
           "\" text-anchor=\"middle\" fill=\"" + Escape(c.ink) + "\">" + Escape(c.label) +
           "</text></g>";
  }
  return out + "</svg>";
}

}  // namespace zd::svg

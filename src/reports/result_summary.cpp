#include "reports/result_summary.h"

#include <algorithm>
#include <cstdio>

namespace zd {
namespace {

// A band without a row of the summary (a band text in another case) scores all the same.
int RowIndex(std::string_view band) {
  const int i = BandIndexOf(band);
  return i >= 0 ? i : kBandCount;
}

std::string Padded(std::string_view band) {
  std::string s(band);
  if (s.size() < 20) s.insert(0, 20 - s.size(), '0');
  return s;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int n = std::snprintf(nullptr, 0, format, args...);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  std::snprintf(out.data(), out.size() + 1, format, args...);
  return out;
}

bool AddUnique(std::vector<std::string>& list, const std::string& key) {
  if (std::find(list.begin(), list.end(), key) != list.end()) return false;
  list.push_back(key);
  return true;
}

}  // namespace

const char kCreditLine[] = "ZORVAN-DIGI contest module";

std::string_view CabrilloModeCode(std::string_view mode) {
  const ModeRule* m = FindMode(mode);
  return m && !m->cabrilloCode.empty() ? m->cabrilloCode : kNoCabrilloCode;
}

void SortBandsForSummary(std::vector<std::string>& bands) {
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
    for (std::size_t j = i + 1; j < bands.size(); ++j) {
      if (Padded(bands[i]) < Padded(bands[j])) std::swap(bands[i], bands[j]);
    }
  }
}

ScoreFigures ScoreLog(const std::vector<QsoRecord>& log, const std::vector<std::string>& bands,
                      std::string_view ownPrefix, std::string_view ownContinent, bool exportPass) {
  ScoreFigures f;
  if (log.empty()) {
    for (const std::string& band : bands) {
      BandFigures b;
      b.band = band;
      b.bandIndex = RowIndex(band);
      if (b.bandIndex < kBandCount) f.bandRebuilt[static_cast<std::size_t>(b.bandIndex)] = true;
      f.bands.push_back(b);
    }
    return f;
  }
  const QsoRecord& last = log.back();
  const double reference = last.qsoTime.date;

  // One pass groups the log by band text, so scoring stays linear in the log.
  std::vector<std::vector<const QsoRecord*>> byBand(bands.size());
  for (const QsoRecord& r : log) {
    for (std::size_t i = 0; i < bands.size(); ++i) {
      if (bands[i] == r.band) {
        byBand[i].push_back(&r);
        break;
      }
    }
  }

  for (std::size_t bi = 0; bi < bands.size(); ++bi) {
    BandFigures b;
    b.band = bands[bi];
    b.bandIndex = RowIndex(b.band);
    const bool hasRow = b.bandIndex < kBandCount;
    if (hasRow) f.bandRebuilt[static_cast<std::size_t>(b.bandIndex)] = true;
    std::array<std::vector<std::string>, kModeSlots> prefixes, regions;
    std::array<long long, kClassPoints.size()> inClass{};
    for (const QsoRecord* r : byBand[bi]) {
      if (r->call.empty()) continue;
      b.dupes += r->dupe;
      if (r->notCounted) continue;
      ++b.qsos;
      // BPSK125 (and any other accepted spelling) keeps a mode slot of its own.
      const ModeRule* m = FindMode(r->mode);
      const int mode = m ? m->slot : kModes[kBpsk125].slot;
      if (m && m->column == kModes[kRtty].column) ++b.rtty;
      if (m && m->column == kModes[kBpsk63].column) ++b.bpsk63;
      // A station without a DXCC prefix (the host's country file does not know its call)
      // belongs to no entity: it is never the own country and never a DXCC multiplier,
      // and it scores by its continent like any other station (5 points, doubled on the
      // low bands, when the host passed no continent either).
      const bool entity = !r->prefix.empty();
      const PointClass c = entity && r->prefix == ownPrefix ? kOwnPrefix
                           : !r->continent.empty() && r->continent == ownContinent
                               ? kOwnContinent
                               : kOtherContinent;
      ++inClass[c];
      const int points = QsoPoints(c, b.bandIndex);
      if (r->band == last.band) {
        f.lastQsoPoints = points;
        if (!exportPass) {
          if (const auto age = WholeMinutesBetween(r->qsoTime.date, reference)) {
            if (*age < 60) {
              ++f.hourQsos;
              f.hourPoints += points;
            }
            if (*age < 10) {
              ++f.tenMinQsos;
              f.tenMinPoints += points;
            }
          }
        }
      }
      const std::size_t slot = static_cast<std::size_t>(b.bandIndex * kModeSlots + mode);
      if (!r->region.empty() && AddUnique(regions[static_cast<std::size_t>(mode)], r->region)) {
        if (hasRow) f.workedRegions[slot].push_back(r->region);
        ++b.regions;
      }
      if (entity && AddUnique(prefixes[static_cast<std::size_t>(mode)], r->prefix)) {
        if (hasRow) f.workedEntities[slot].push_back(r->prefix);
        ++b.dxcc;
      }
    }
    for (const PointClass c : {kOwnPrefix, kOwnContinent, kOtherContinent}) {
      b.points += inClass[c] * QsoPoints(c, b.bandIndex);
    }
    f.qsos += b.qsos;
    f.points += b.points;
    f.dxcc += b.dxcc;
    f.regions += b.regions;
    f.rtty += b.rtty;
    f.bpsk63 += b.bpsk63;
    f.dupes += b.dupes;
    f.bands.push_back(std::move(b));
  }
  f.score = f.points * (f.dxcc + f.regions);
  return f;
}

std::string FormatTextSummary(const ScoreFigures& f, const SummaryHeader& h) {
  std::string out = "\t\tZORVAN DIGITAL " + h.startDayMonth + "-" + h.endDate +
                    "\r\n\t\t\tContestant: " + h.ownCall +
                    " \r\n\tQSOs\tPoints\tDXCC\tObl\tRTTY\tBPSK63\r\n";
  for (const BandFigures& b : f.bands) {
    if (b.bandIndex >= kBandCount) continue;
    out += b.band;
    for (long long v : {b.qsos, b.points, b.dxcc, b.regions, b.rtty, b.bpsk63}) {
      out += "\t " + std::to_string(v);
    }
    out += "\r\n";
  }
  out += Format(
      "Total\t %lld\t %lld\t %lld\t %lld\t %lld\t %lld\r\nDupe\t %lld\r\nBad QSO\t %d\r\n\r\n"
      "Last QSO: %lld points\r\n\r\nScore: %lld*(%lld+%lld) = %lld\r\n",
      f.qsos, f.points, f.dxcc, f.regions, f.rtty, f.bpsk63, f.dupes, h.badQsoCount,
      f.lastQsoPoints, f.points, f.dxcc, f.regions, f.score);
  out += Format(
      "\r\n\t\t\tRate\r\nHourly (10min) QSO rate: %5lld (%lld) QSOs/hour\r\n"
      "Hourly (10min) pts rate: %5lld (%lld) points/hour\r\n\r\n",
      f.hourQsos, 6 * f.tenMinQsos, f.hourPoints, 6 * f.tenMinPoints);
  out += "\r\n";
  out += kCreditLine;
  return out;
}

std::string FormatHtmlSummary(const ScoreFigures& f, const SummaryHeader& h) {
  static constexpr char kRow[] =
      "<tr><th><center>%s</center></th><td><center>%lld</center></td><td><center>%lld</center>"
      "</td><td><center>%lld</center></td><td><center>%lld</center></td><td><center>%lld"
      "</center></td><td><center>%lld</center></td></tr>";
  static constexpr char kSingle[] =
      "<tr><th><center>%s</center></th><td><center>%lld</center></td><td colspan=6> </td></tr>";
  static constexpr char kRate[] =
      "<tr><th>%s</th><td colspan=7><center>%5lld /%lld</center></td></tr>";
  std::string out =
      "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
      "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
      "background-color: #fffac6; color: black; }</style></head><body>";
  const std::string title = "   ZORVAN DIGITAL " + h.startDayMonth + "-" + h.endDate;
  out += "<center><b>" + title + "</b></center><center>Contestant:  <b>" + h.ownCall +
         "</center></b><table>";
  out +=
      "<tr><th>Band</th><th>QSOs</th><th>Points</th><th>DXCC</th><th>Obl</th><th>RTTY</th>"
      "<th>BPSK63</th></tr>";
  for (const BandFigures& b : f.bands) {
    if (b.bandIndex >= kBandCount) continue;
    out += Format(kRow, b.band.c_str(), b.qsos, b.points, b.dxcc, b.regions, b.rtty, b.bpsk63);
  }
  out += Format(kRow, "Total", f.qsos, f.points, f.dxcc, f.regions, f.rtty, f.bpsk63);
  out += Format(kSingle, "Dupe", f.dupes);
  out += Format(kSingle, "Bad QSO", static_cast<long long>(h.badQsoCount));
  out +=
      Format("<tr><th>%s</th><td colspan=7><center>%lld * (%lld + %lld) = %lld</center></td></tr>",
             "Score:", f.points, f.dxcc, f.regions, f.score);
  out += Format("<tr><th>%s</th><td colspan=7><center>%5lld</center></td></tr>",
                "Last QSO points:", f.lastQsoPoints);
  out += "<th colspan=8><center>Rate</center></th></tr>";
  out += Format(kRate, "Hourly (10min/1 hour) QSO rate:", f.hourQsos, 6 * f.tenMinQsos);
  out += Format(kRate, "Hourly (10min/1 hour) pts rate:", f.hourPoints, 6 * f.tenMinPoints);
  out += "</table><h6 align=right>";
  out += kCreditLine;
  out += "</h6></body></html>";
  return out;
}

}  // namespace zd

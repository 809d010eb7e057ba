#include "zorvan_check/matcher.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "callsign/region.h"
#include "zorvan_check/near_call.h"

namespace zd::check {
namespace {

constexpr int kOffsetRounds = 3;
constexpr int kMinOffsetSamples = 3;

struct QsoRef {
  int32_t log = -1;
  int32_t qso = -1;
  bool operator==(const QsoRef&) const = default;
};

// A QSO of log A with a station that sent a log B, keyed for finding B's lines with A.
struct PartnerEntry {
  int32_t other;
  uint32_t band, mode;
  int64_t seconds;
  int32_t qso;
  auto Key() const { return std::tie(other, band, mode); }
};

class Matcher {
 public:
  Matcher(const ContestLogs& contest, const CheckSettings& settings)
      : c_(contest), s_(settings), n_(contest.logs.size()) {
    rtty_ = c_.pool.Find("RTTY");
    byPartner_.resize(n_);
    partner_.resize(n_);
    offset_.assign(n_, 0);
    samples_.assign(n_, 0);
    for (std::size_t a = 0; a < n_; ++a) {
      const StationLog& log = c_.logs[a];
      partner_[a].assign(log.qsos.size(), QsoRef{});
      for (std::size_t i = 0; i < log.qsos.size(); ++i) {
        const Qso& q = log.qsos[i];
        const int32_t b = c_.LogOf(q.call);
        if (b < 0 || static_cast<std::size_t>(b) == a) continue;
        byPartner_[a].push_back({b, q.band, q.mode, q.seconds, static_cast<int32_t>(i)});
      }
      std::sort(byPartner_[a].begin(), byPartner_[a].end(), [](const auto& x, const auto& y) {
        return std::tie(x.other, x.band, x.mode, x.seconds) <
               std::tie(y.other, y.band, y.mode, y.seconds);
      });
    }
  }

  CrossCheckResult Run() {
    EstimateOffsets();
    MatchExact();
    MatchNear();
    return Classify();
  }

 private:
  const Qso& QsoAt(QsoRef r) const {
    return c_.logs[static_cast<std::size_t>(r.log)].qsos[static_cast<std::size_t>(r.qso)];
  }
  int64_t Adjusted(QsoRef r) const {
    return QsoAt(r).seconds - offset_[static_cast<std::size_t>(r.log)];
  }
  // Lines the module does not count pair last: a dupe or a refused line.
  int Weak(QsoRef r) const {
    const ModuleVerdict v = QsoAt(r).verdict;
    return (v == ModuleVerdict::kDupe || v == ModuleVerdict::kRefused) ? 1 : 0;
  }

  // Calls f(pairs) for every group of one station pair on one band and mode, with the
  // lines that pair within `window` (nearest first, counted lines before dupes).
  template <class F>
  void ForEachGroup(int64_t window, F&& f) {
    struct Candidate {
      int weak;
      int64_t distance;
      QsoRef x, y;
    };
    std::vector<Candidate> candidates;
    std::vector<QsoRef> usedX, usedY;
    for (std::size_t a = 0; a < n_; ++a) {
      const auto& mine = byPartner_[a];
      for (std::size_t g = 0; g < mine.size();) {
        std::size_t gEnd = g + 1;
        while (gEnd < mine.size() && mine[gEnd].Key() == mine[g].Key()) ++gEnd;
        const auto b = static_cast<std::size_t>(mine[g].other);
        if (b > a) {
          const auto& theirs = byPartner_[b];
          const PartnerEntry probe{static_cast<int32_t>(a), mine[g].band, mine[g].mode, 0, 0};
          auto [lo, hi] =
              std::equal_range(theirs.begin(), theirs.end(), probe,
                               [](const auto& x, const auto& y) { return x.Key() < y.Key(); });
          candidates.clear();
          for (std::size_t i = g; i < gEnd; ++i) {
            const QsoRef x{static_cast<int32_t>(a), mine[i].qso};
            for (auto it = lo; it != hi; ++it) {
              const QsoRef y{static_cast<int32_t>(b), it->qso};
              const int64_t d = std::llabs(Adjusted(x) - Adjusted(y));
              if (d <= window) candidates.push_back({Weak(x) + Weak(y), d, x, y});
            }
          }
          if (!candidates.empty()) {
            std::sort(candidates.begin(), candidates.end(), [](const auto& p, const auto& q) {
              return std::tie(p.weak, p.distance, p.x.qso, p.y.qso) <
                     std::tie(q.weak, q.distance, q.x.qso, q.y.qso);
            });
            usedX.clear();
            usedY.clear();
            for (const Candidate& cand : candidates) {
              if (std::find(usedX.begin(), usedX.end(), cand.x) != usedX.end() ||
                  std::find(usedY.begin(), usedY.end(), cand.y) != usedY.end()) {
                continue;
              }
              usedX.push_back(cand.x);
              usedY.push_back(cand.y);
              f(cand.x, cand.y);
            }
          }
        }
        g = gEnd;
      }
    }
  }

  void EstimateOffsets() {
    std::vector<std::vector<int64_t>> samples(n_);
    for (int round = 0; round < kOffsetRounds; ++round) {
      for (auto& v : samples) v.clear();
      ForEachGroup(s_.searchSeconds, [&](QsoRef x, QsoRef y) {
        const int64_t d = QsoAt(x).seconds - QsoAt(y).seconds;
        samples[static_cast<std::size_t>(x.log)].push_back(
            d + offset_[static_cast<std::size_t>(y.log)]);
        samples[static_cast<std::size_t>(y.log)].push_back(
            -d + offset_[static_cast<std::size_t>(x.log)]);
      });
      std::vector<int64_t> next(n_, 0);
      for (std::size_t a = 0; a < n_; ++a) {
        auto& v = samples[a];
        samples_[a] = static_cast<int32_t>(v.size());
        if (v.size() < kMinOffsetSamples) continue;
        auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
        std::nth_element(v.begin(), mid, v.end());
        next[a] = *mid;
      }
      offset_ = std::move(next);
    }
  }

  void Pair(QsoRef x, QsoRef y) {
    partner_[static_cast<std::size_t>(x.log)][static_cast<std::size_t>(x.qso)] = y;
    partner_[static_cast<std::size_t>(y.log)][static_cast<std::size_t>(y.qso)] = x;
  }
  bool Paired(QsoRef r) const {
    return partner_[static_cast<std::size_t>(r.log)][static_cast<std::size_t>(r.qso)].log >= 0;
  }

  void MatchExact() {
    ForEachGroup(s_.windowSeconds, [&](QsoRef x, QsoRef y) { Pair(x, y); });
  }

  void MatchNear() {
    struct Open {
      uint32_t band, mode;
      int64_t seconds;
      QsoRef ref;
    };
    std::vector<Open> open;
    for (std::size_t a = 0; a < n_; ++a) {
      const StationLog& log = c_.logs[a];
      for (std::size_t i = 0; i < log.qsos.size(); ++i) {
        const QsoRef r{static_cast<int32_t>(a), static_cast<int32_t>(i)};
        const Qso& q = log.qsos[i];
        if (Paired(r) || q.call == log.ownCall) continue;
        open.push_back({q.band, q.mode, Adjusted(r), r});
      }
    }
    std::sort(open.begin(), open.end(), [](const Open& x, const Open& y) {
      return std::tie(x.band, x.mode, x.seconds) < std::tie(y.band, y.mode, y.seconds);
    });
    struct Candidate {
      int rank, weak;
      int64_t distance;
      QsoRef x, y;
    };
    std::vector<Candidate> candidates;
    for (std::size_t k = 0; k < open.size(); ++k) {
      const Open& o = open[k];
      const StationLog& logA = c_.logs[static_cast<std::size_t>(o.ref.log)];
      const Qso& q = QsoAt(o.ref);
      const std::string& worked = c_.pool[q.call];
      const std::string& ownA = c_.pool[logA.ownCall];
      const bool rtty = q.mode == rtty_;
      // Each pair is looked at once, from its earlier line in the sorted list.
      for (std::size_t m = k + 1; m < open.size(); ++m) {
        const Open& p = open[m];
        if (p.band != o.band || p.mode != o.mode || p.seconds - o.seconds > s_.windowSeconds) break;
        if (p.ref.log == o.ref.log) continue;
        const StationLog& logB = c_.logs[static_cast<std::size_t>(p.ref.log)];
        const Qso& r = QsoAt(p.ref);
        const bool qExact = q.call == logB.ownCall;
        const bool rExact = r.call == logA.ownCall;
        if (qExact && rExact) continue;  // the exact pass left them apart on purpose
        const bool qNear = qExact || IsNearCall(worked, c_.pool[logB.ownCall], rtty);
        const bool rNear = rExact || IsNearCall(c_.pool[r.call], ownA, rtty);
        if (!qNear || !rNear) continue;
        const int rank = (qExact ? 0 : 1) + (rExact ? 0 : 1);
        candidates.push_back(
            {rank, Weak(o.ref) + Weak(p.ref), p.seconds - o.seconds, o.ref, p.ref});
      }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
      return std::tie(x.rank, x.weak, x.distance, x.x.log, x.x.qso, x.y.log, x.y.qso) <
             std::tie(y.rank, y.weak, y.distance, y.x.log, y.x.qso, y.y.log, y.y.qso);
    });
    for (const Candidate& cand : candidates) {
      if (Paired(cand.x) || Paired(cand.y)) continue;
      Pair(cand.x, cand.y);
    }
  }

  CrossCheckResult Classify() {
    std::unordered_map<uint32_t, int32_t> occurrences;
    for (const StationLog& log : c_.logs) {
      for (const Qso& q : log.qsos) ++occurrences[q.call];
    }
    CrossCheckResult result;
    result.offsetSeconds = offset_;
    result.offsetSamples = samples_;
    result.outcomes.resize(n_);
    for (std::size_t a = 0; a < n_; ++a) {
      const StationLog& log = c_.logs[a];
      auto& out = result.outcomes[a];
      out.resize(log.qsos.size());
      for (std::size_t i = 0; i < log.qsos.size(); ++i) {
        const Qso& q = log.qsos[i];
        Outcome& o = out[i];
        const QsoRef other = partner_[a][i];
        o.otherLog = other.log;
        o.otherQso = other.qso;
        if (q.verdict == ModuleVerdict::kRefused) {
          o.finding = Finding::kRefused;
        } else if (q.verdict == ModuleVerdict::kDupe) {
          o.finding = Finding::kDupe;
        } else if (q.call == log.ownCall) {
          o.finding = Finding::kOwnCall;
        } else if (other.log >= 0) {
          const StationLog& logB = c_.logs[static_cast<std::size_t>(other.log)];
          if (logB.ownCall != q.call) {
            o.finding = Finding::kBustedCall;
            o.meantLog = other.log;
          } else {
            const Qso& r = QsoAt(other);
            const bool region = IsRussianPrefix(logB.prefix);
            const std::string sent = ExchangeAsRead(c_.pool[r.exchSent], region);
            o.finding = (!sent.empty() && sent != ExchangeAsRead(c_.pool[q.exchRcvd], region))
                            ? Finding::kBustedExchange
                            : Finding::kConfirmed;
          }
        } else if (c_.LogOf(q.call) >= 0) {
          o.finding = Finding::kNotInLog;
        } else {
          o.finding = occurrences[q.call] == 1 ? Finding::kUnique : Finding::kNotCheckable;
        }
      }
    }
    return result;
  }

  const ContestLogs& c_;
  const CheckSettings& s_;
  const std::size_t n_;
  uint32_t rtty_ = StringPool::kNone;
  std::vector<std::vector<PartnerEntry>> byPartner_;
  std::vector<std::vector<QsoRef>> partner_;
  std::vector<int64_t> offset_;
  std::vector<int32_t> samples_;
};

}  // namespace

std::string ExchangeAsRead(std::string_view text, bool region) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string out(text);
  for (char& ch : out) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  if (!region && !out.empty() &&
      std::all_of(out.begin(), out.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
    const auto first = out.find_first_not_of('0');
    out = first == std::string::npos ? "0" : out.substr(first);
  }
  return out;
}

CrossCheckResult CrossCheck(const ContestLogs& contest, const CheckSettings& settings) {
  return Matcher(contest, settings).Run();
}

}  // namespace zd::check

// A QSO as the host passes it, for the tests that drive the exports: by default DL1ABC
// (DL, Europe) worked on 20 m RTTY at the band's working frequency, 599 both ways, "001"
// sent and "002" received, at 12:00 UTC on 16 March 2024. A test changes what it needs.
#pragma once

#include <string>
#include <utility>

#include "engine/contest_rules.h"
#include "host_boundary/host_calls.h"
#include "support/qso_setters.h"

namespace zd::test {

struct HostQso : host::Qso, QsoSetters<HostQso> {
  explicit HostQso(std::string own) {
    ownCall = std::move(own);
    Call("DL1ABC", "DL", "EU").On("20m", "RTTY").Exchanges("001", "002");
    time = host::ValidTime(host::HostDate(2024, 3, 16, 12, 0));
  }
  // The band's working frequency goes with it (none for a band outside the contest).
  HostQso& On(std::string b, std::string m) {
    const int index = BandIndexOf(b);
    freqHz = index >= 0 ? kBands[static_cast<std::size_t>(index)].workingHz : 0;
    band = std::move(b);
    mode = std::move(m);
    return *this;
  }
  HostQso& At(double date) {
    time = host::ValidTime(date);
    return *this;
  }
};

// A contest reset as the host passes it: the own station in Europe, a contest from DATE
// 45000 to 45001.
inline host::Reset HostReset(std::string ownCall, std::string ownPrefix) {
  host::Reset r;
  r.ownCall = std::move(ownCall);
  r.start = host::ValidTime(45000.0);
  r.end = host::ValidTime(45001.0);
  r.ownPrefix = std::move(ownPrefix);
  r.ownContinent = "EU";
  return r;
}

}  // namespace zd::test

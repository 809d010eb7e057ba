// The setters every QSO builder of the tests shares (support/contest_calls.h for the
// exports' work, support/host_qso.h for the host's calls).
#pragma once

#include <string>
#include <utility>

namespace zd::test {

// Each setter returns the builder, so that a test writes Qso{}.Call(...).Rcvd(...).
template <typename Self>
struct QsoSetters {
  Self& Call(std::string c, std::string p, std::string cont) {
    Self& q = static_cast<Self&>(*this);
    q.call = std::move(c);
    q.prefix = std::move(p);
    q.continent = std::move(cont);
    return q;
  }
  Self& Exchanges(std::string sent, std::string rcvd) {
    Self& q = static_cast<Self&>(*this);
    q.exchSent = std::move(sent);
    q.exchRcvd = std::move(rcvd);
    return q;
  }
  Self& Rcvd(std::string exch) {
    Self& q = static_cast<Self&>(*this);
    q.exchRcvd = std::move(exch);
    return q;
  }
};

}  // namespace zd::test

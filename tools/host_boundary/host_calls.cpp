#include "host_boundary/host_calls.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "platform/ole_date.h"

namespace zd::host {
namespace {

HostDateTime* Mutable(const HostDateTime* t) { return const_cast<HostDateTime*>(t); }

// AddData0 and RemoveData0 take the same 33 arguments.
int CallQso(decltype(&::AddData0) fn, const RawQso& q, const Unread& u) {
  HostDateTime* other = Mutable(u.time);
  const char* t = u.text;
  return fn(q.ownCall, q.call, Mutable(q.time), other, other, other, u.word, q.freqHz, q.mode,
            q.rstSent, q.rstRcvd, q.exchSent, q.exchRcvd, t, t, t, t, t, t, t, t, t, q.prefix,
            u.integer, u.integer, u.integer, u.real, u.real, t, q.continent, t, q.band, t);
}

}  // namespace

double HostDate(int year, int month, int day, int hour, int minute, int second) {
  const auto date = DateFromCivil(year, month, day, hour, minute, second);
  if (!date) throw std::invalid_argument("no such calendar time");
  return *date;
}

std::optional<double> ParseHostDate(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = -1;
  const auto whole = [&] { return used == static_cast<int>(text.size()); };
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%n", &y, &mo, &d, &h, &mi, &used) != 5 ||
      !whole()) {
    used = -1;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) !=
            6 ||
        !whole()) {
      return std::nullopt;
    }
  }
  return DateFromCivil(y, mo, d, h, mi, s);
}

double NowHostDate() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since).count();
  return 25569.0 + static_cast<double>(seconds) / 86400.0;  // 1 January 1970 is day 25569
}

RawQso RawOf(const Qso& q) {
  return RawQso{.ownCall = q.ownCall.c_str(),
                .call = q.call.c_str(),
                .time = &q.time,
                .freqHz = q.freqHz,
                .mode = q.mode.c_str(),
                .rstSent = q.rstSent.c_str(),
                .rstRcvd = q.rstRcvd.c_str(),
                .exchSent = q.exchSent.c_str(),
                .exchRcvd = q.exchRcvd.c_str(),
                .prefix = q.prefix.c_str(),
                .continent = q.continent.c_str(),
                .band = q.band.c_str()};
}

int AddData(const Exports& e, const RawQso& q, const Unread& u) {
  return CallQso(e.AddData0, q, u);
}

int RemoveData(const Exports& e, const RawQso& q, const Unread& u) {
  return CallQso(e.RemoveData0, q, u);
}

int ResetStats(const Exports& e, const RawReset& r, const Unread& u) {
  const char* t = u.text;
  return e.ResetStats0(r.pathPrefix, r.newContest, r.ownCall, Mutable(r.start), Mutable(r.end), t,
                       t, t, t, t, t, t, t, t, r.ownPrefix, u.integer, u.integer, u.integer, u.real,
                       u.real, t, r.ownContinent, t);
}

int CheckCallRaw(const Exports& e, const RawCheck& c, const Unread& u) {
  const char* t = u.text;
  return e.CheckCall0(c.call, u.word, u.word, c.mode, t, t, t, t, t, t, t, t, t, c.prefix,
                      u.integer, u.integer, u.integer, u.real, u.real, t, c.continent, t, t,
                      c.region, c.band, c.secondBand, c.exchangeOut, c.messageOut);
}

int AddQso(const Exports& e, const Qso& q) { return AddData(e, RawOf(q)); }

int RemoveQso(const Exports& e, const Qso& q) { return RemoveData(e, RawOf(q)); }

int ResetContest(const Exports& e, const Reset& r) {
  return ResetStats(e, RawReset{.pathPrefix = r.pathPrefix.c_str(),
                                .newContest = r.newContest,
                                .ownCall = r.ownCall.c_str(),
                                .start = &r.start,
                                .end = &r.end,
                                .ownPrefix = r.ownPrefix.c_str(),
                                .ownContinent = r.ownContinent.c_str()});
}

CheckReply CheckCall(const Exports& e, const Check& c) {
  char exchange[100] = {}, message[100] = {};
  CheckReply reply;
  reply.code =
      CheckCallRaw(e, RawCheck{.call = c.call.c_str(),
                               .mode = c.mode.c_str(),
                               .prefix = c.prefix.c_str(),
                               .continent = c.continent.c_str(),
                               .region = c.region.c_str(),
                               .band = c.band.c_str(),
                               .secondBand = c.secondBand ? c.secondBand->c_str() : nullptr,
                               .exchangeOut = exchange,
                               .messageOut = message});
  exchange[sizeof exchange - 1] = message[sizeof message - 1] = '\0';
  reply.exchange = exchange;
  reply.message = message;
  return reply;
}

int ValidExchange(const Exports& e, const std::string& exch, const std::string& call,
                  const std::string& prefix) {
  return e.IsValidExchg0(exch.c_str(), call.c_str(), prefix.c_str(), "", 0, 0, 0);
}

std::string Result(const Exports& e, int* status) {
  int ignored = 0;
  const char* text = e.GetResult0(status ? status : &ignored);
  return text ? text : "";
}

}  // namespace zd::host

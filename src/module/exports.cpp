// The exports: each converts the host's arguments and calls the contest state. Nothing
// thrown ever reaches the host; a null text counts as the empty text, a null date as an
// invalid one, and a null out-buffer is not written.
#include <cstring>
#include <string_view>

#include "module/module.h"
#include "module/stats_exports.h"

namespace {

using zd::OleDateTime;

std::string_view Text(const char* p) { return p ? std::string_view(p) : std::string_view(); }

OleDateTime Date(const ZdHostDateTime* p) {
  if (!p) return OleDateTime{0.0, zd::kDateInvalid};
  return OleDateTime{p->date, p->status};
}

// Copies a text into one of the host's 100-byte buffers, cut to 99 characters.
void CopyOut(char* out, std::string_view text) {
  if (!out) return;
  const std::size_t n = std::min<std::size_t>(text.size(), 99);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

const char kSetName[] = "ZORVAN-DIGI (C)";
const char kEmpty[] = "";

zd::QsoArgs QsoArguments(const char* ownCall, const char* call, const ZdHostDateTime* time,
                         unsigned freqHz, const char* mode, const char* rstSent,
                         const char* rstRcvd, const char* exchSent, const char* exchRcvd,
                         const char* prefix, const char* continent, const char* band) {
  return zd::QsoArgs{.ownCall = Text(ownCall),
                     .call = Text(call),
                     .time = Date(time),
                     .freqHz = freqHz,
                     .mode = Text(mode),
                     .rstSent = Text(rstSent),
                     .rstRcvd = Text(rstRcvd),
                     .exchSent = Text(exchSent),
                     .exchRcvd = Text(exchRcvd),
                     .prefix = Text(prefix),
                     .continent = Text(continent),
                     .band = Text(band)};
}

}  // namespace

extern "C" {

unsigned long ZD_CDECL setVersion(const char*) {
  try {
    zd::TheModule().work().SetVersion();
  } catch (...) {
  }
  return 0;
}

int ZD_CDECL GetNumberOfSets(void) { return 1; }

const char* ZD_CDECL GetSetName(int n) { return n == 0 ? kSetName : kEmpty; }

void ZD_CDECL SetupSet0(void) {
  try {
    zd::TheModule().ui().ShowSetupMessage();
  } catch (...) {
  }
}

const char* ZD_CDECL RunCommand0(int, const char* command) {
  try {
    const std::string_view c = Text(command);
    auto& ui = zd::TheModule().ui();
    if (c == "SHOWINFO") {
      ui.StartWindowThread();
    } else if (c == "HIDEINFO") {
      ui.StopWindowThread();
    }
  } catch (...) {
  }
  return kEmpty;
}

int ZD_CDECL CheckCall0(const char* call, unsigned, unsigned, const char* mode, const char*,
                        const char*, const char*, const char*, const char*, const char*,
                        const char*, const char*, const char*, const char* prefix, int, int, int,
                        double, double, const char*, const char* continent, const char*,
                        const char*, const char* region, const char* band, const char* band2,
                        char* exchangeOut, char* messageOut) {
  try {
    zd::CheckArgs a{.call = Text(call),
                    .mode = Text(mode),
                    .prefix = Text(prefix),
                    .continent = Text(continent),
                    .region = Text(region),
                    .band = Text(band)};
    if (band2) a.secondBand = std::string_view(band2);
    const zd::CheckResult r = zd::TheModule().work().CheckCall(a);
    if (r.message) CopyOut(messageOut, *r.message);
    if (r.exchange) CopyOut(exchangeOut, *r.exchange);
    return r.code;
  } catch (...) {
    return 1;
  }
}

int ZD_CDECL IsValidExchg0(const char* exch, const char* call, const char* prefix, const char*, int,
                           int, int) {
  try {
    return zd::TheModule().work().IsValidExchange(Text(exch), Text(call), Text(prefix));
  } catch (...) {
    return 0;
  }
}

int ZD_CDECL GetExchgCount0(const char*, const char*, const char*) { return 1; }

int ZD_CDECL AddData0(const char* ownCall, const char* call, ZdHostDateTime* time, ZdHostDateTime*,
                      ZdHostDateTime*, ZdHostDateTime*, unsigned, unsigned freqHz, const char* mode,
                      const char* rstSent, const char* rstRcvd, const char* exchSent,
                      const char* exchRcvd, const char*, const char*, const char*, const char*,
                      const char*, const char*, const char*, const char*, const char*,
                      const char* prefix, int, int, int, double, double, const char*,
                      const char* continent, const char*, const char* band, const char*) {
  try {
    return zd::TheModule().work().AddData(QsoArguments(ownCall, call, time, freqHz, mode, rstSent,
                                                       rstRcvd, exchSent, exchRcvd, prefix,
                                                       continent, band));
  } catch (...) {
    return 0;
  }
}

int ZD_CDECL RemoveData0(const char* ownCall, const char* call, ZdHostDateTime* time,
                         ZdHostDateTime*, ZdHostDateTime*, ZdHostDateTime*, unsigned,
                         unsigned freqHz, const char* mode, const char* rstSent,
                         const char* rstRcvd, const char* exchSent, const char* exchRcvd,
                         const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char* prefix,
                         int, int, int, double, double, const char*, const char* continent,
                         const char*, const char* band, const char*) {
  try {
    return zd::TheModule().work().RemoveData(QsoArguments(ownCall, call, time, freqHz, mode,
                                                          rstSent, rstRcvd, exchSent, exchRcvd,
                                                          prefix, continent, band));
  } catch (...) {
    return 0;
  }
}

int ZD_CDECL ResetStats0(const char* pathPrefix, int newContest, const char* ownCall,
                         ZdHostDateTime* start, ZdHostDateTime* end, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char* ownPrefix, int, int, int, double,
                         double, const char*, const char* ownContinent, const char*) {
  try {
    zd::TheModule().work().ResetStats(zd::ResetArgs{.pathPrefix = Text(pathPrefix),
                                                    .newContest = newContest,
                                                    .ownCall = Text(ownCall),
                                                    .start = Date(start),
                                                    .end = Date(end),
                                                    .ownPrefix = Text(ownPrefix),
                                                    .ownContinent = Text(ownContinent)});
  } catch (...) {
  }
  return 1;
}

const char* ZD_CDECL GetResult0(int* status) {
  if (status) *status = -1;
  try {
    return zd::TheModule().work().GetResult();
  } catch (...) {
    return kEmpty;
  }
}

}  // extern "C"

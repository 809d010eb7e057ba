// The log readers (ADIF, Cabrillo, ADX) and the country file: any text either parses or is refused
// with a LogError naming the file and a line inside it; a parsed QSO always carries what the module
// needs (a call, a band or a frequency, a mode, a time on a real day).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "country_file.h"
#include "replay_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zd::replay;
  FuzzedDataProvider in(data, size);
  const int which = in.ConsumeIntegralInRange<int>(0, 3);
  const std::string text = in.ConsumeRemainingBytesAsString();
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  try {
    if (which == 2) {
      const CountryFile cty = CountryFile::Parse(text, "fuzz.dat");
      (void)cty.Resolve("UA3ABC");
      (void)cty.Resolve("DL/UA3ABC/P");
      (void)cty.Resolve("");
      return 0;
    }
    const ReplayLog log = which == 0   ? ParseAdif(text, "fuzz.adi")
                          : which == 1 ? ParseCabrillo(text, "fuzz.cbr")
                                       : ParseAdx(text, "fuzz.adx");
    for (const LogQso& q : log.qsos) {
      if (q.call.empty() || q.mode.empty() || (q.band.empty() && q.freqHz == 0)) std::abort();
      if (q.time.month < 1 || q.time.month > 12 || q.time.day < 1 || q.time.day > 31) std::abort();
      if (q.line < 1 || q.line > lines) std::abort();
    }
  } catch (const LogError& e) {
    if (e.line() < 0 || e.line() > lines + 1 || e.file().empty()) std::abort();
  }
  return 0;
}

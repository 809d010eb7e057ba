// IsValidExchg0: answers 0 or 1, and for a foreign prefix exactly "one to four digits".
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "engine/contest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zd::Contest contest;
  FuzzedDataProvider in(data, size);
  static const char* kPrefixes[] = {"UA", "UA2", "UA9", "UA2/f", "CE9/KC4", "DL", "", "ua"};
  const std::string prefix = in.ConsumeBool() ? kPrefixes[in.ConsumeIntegralInRange<int>(0, 7)]
                                              : in.ConsumeRandomLengthString(8);
  const std::string exch = in.ConsumeRandomLengthString(8);
  const std::string call = in.ConsumeRemainingBytesAsString();
  const int r = contest.IsValidExchange(exch, call, prefix);
  if (r != 0 && r != 1) std::abort();
  if (prefix != "UA" && prefix != "UA2" && prefix != "UA9") {
    bool digits = !exch.empty() && exch.size() <= 4 && exch != "599";
    for (char c : exch) digits = digits && c >= '0' && c <= '9';
    if (r != (digits ? 1 : 0)) std::abort();
  } else if (r == 1 && exch.size() != 2) {
    std::abort();
  }
  return 0;
}

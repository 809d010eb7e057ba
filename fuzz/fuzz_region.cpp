// RegionFromCall with a random special-call list: the result is always a region code,
// "SPEC", "STO", or what a matching special-call line ends with.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "callsign/region.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::string> specials;
  const int lines = in.ConsumeIntegralInRange<int>(0, 8);
  for (int i = 0; i < lines; ++i) specials.push_back(in.ConsumeRandomLengthString(40));
  const std::string call = in.ConsumeRemainingBytesAsString();
  const std::string r = zd::RegionFromCall(call, specials);
  bool fromList = false;
  for (const std::string& line : specials) {
    const std::string tail = line.size() < 2 ? line : line.substr(line.size() - 2);
    if (tail == r) fromList = true;
  }
  if (!fromList && r != "SPEC" && r != "STO" && !zd::IsRegionCode(r)) std::abort();
  // Without a special list, a call that implies a region gives a valid exchange.
  if (specials.empty() && r != "SPEC" && r != "STO" && !zd::IsRegionCode(r)) std::abort();
  return 0;
}

// The portable INI store: any file text parses; a value written is read back (trimmed,
// cut to 99 characters); every other key keeps its value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "platform/portable/ini_store.h"

namespace {

bool Plain(const std::string& s) {
  for (char c : s) {
    if (c == '\r' || c == '\n' || c == '=' || c == '[' || c == ']' || c == ';' || c == '"' ||
        c == '\'' || c == '\0' || c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A') {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string key = in.ConsumeRandomLengthString(12);
  const std::string other = in.ConsumeRandomLengthString(12);
  const std::string value = in.ConsumeRandomLengthString(160);
  const std::string text = in.ConsumeRemainingBytesAsString();
  using zd::IniStore;
  const std::string before = IniStore::ReadFrom(text, "Settings", other, "?");
  const std::string written = IniStore::WriteTo(text, "Settings", key, value);
  if (!key.empty() && Plain(key) && Plain(value)) {
    // Writing the same value again changes nothing.
    if (IniStore::WriteTo(written, "Settings", key, value) != written) std::abort();
    if (IniStore::ReadFrom(written, "Settings", key, "?") != value.substr(0, 99)) std::abort();
    if (!other.empty() && Plain(other) && other != key) {
      bool sameNoCase = other.size() == key.size();
      for (size_t i = 0; sameNoCase && i < key.size(); ++i) {
        sameNoCase = std::tolower(static_cast<unsigned char>(other[i])) ==
                     std::tolower(static_cast<unsigned char>(key[i]));
      }
      if (!sameNoCase && IniStore::ReadFrom(written, "Settings", other, "?") != before)
        std::abort();
    }
  }
  return 0;
}

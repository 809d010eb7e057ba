#include "platform/settings.h"

#include <climits>
#include <string>

namespace zd {

std::string ReadSetting(SettingsStore& store, std::string_view key, std::string_view fallback) {
  return store.Read(key, fallback);
}

int ParseDecimalInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) {
      value = static_cast<long long>(INT_MAX) + 1;
    }
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int ReadSettingInt(SettingsStore& store, std::string_view key) {
  return ParseDecimalInt(store.Read(key, {}));
}

void WriteSetting(SettingsStore& store, std::string_view key, std::string_view value) {
  store.Write(key, value);
}

void WriteSettingInt(SettingsStore& store, std::string_view key, long long value) {
  store.Write(key, std::to_string(value));
}

}  // namespace zd

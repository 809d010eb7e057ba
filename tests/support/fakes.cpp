#include "support/fakes.h"

namespace zd::test {

std::string MemorySettings::Read(std::string_view key, std::string_view fallback) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = values_.find(key);
  return it == values_.end() ? std::string(fallback) : it->second.substr(0, kSettingValueMax);
}

void MemorySettings::Write(std::string_view key, std::string_view value) {
  std::lock_guard<std::mutex> lock(mutex_);
  values_[std::string(key)] = std::string(value);
  writes_.emplace_back(std::string(key), std::string(value));
}

std::optional<std::string> MemorySettings::Get(std::string_view key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettings::Set(std::string_view key, std::string_view value) {
  std::lock_guard<std::mutex> lock(mutex_);
  values_[std::string(key)] = std::string(value);
}

void MemorySettings::Set(
    std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  for (const auto& [key, value] : values) Set(key, value);
}

void MemorySettings::Erase(std::string_view key) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (const auto it = values_.find(key); it != values_.end()) values_.erase(it);
}

std::vector<std::string> MemorySettings::Writes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> lines;
  for (const auto& [key, value] : writes_) lines.push_back(key + "=" + value);
  return lines;
}

std::vector<std::string> MemorySettings::TakeWrites() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> lines;
  for (const auto& [key, value] : writes_) lines.push_back(key + "=" + value);
  writes_.clear();
  return lines;
}

std::vector<std::string> MemorySettings::WrittenKeys() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> keys;
  for (const auto& [key, value] : writes_) keys.push_back(key);
  return keys;
}

bool RecordingUi::EditCabrilloHeader(CabrilloHeaderFields& fields) {
  dialogsShown.push_back(fields);
  return operatorAction ? operatorAction(fields) : true;
}

void RecordingUi::ShowOutputMessage(const std::string& text) { outputMessages.push_back(text); }

void RecordingUi::StartWindowThread() {
  ++threadStarts;
  if (startOpensControlWindow) controlWindow = true;
}

}  // namespace zd::test

#include "platform/portable/ini_store.h"

#include <optional>
#include <vector>

#include "platform/files.h"

namespace zd {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

struct Entry {
  std::string name;                  // key name, or the whole line for lines without "="
  std::optional<std::string> value;  // empty for lines without "="
};

struct Section {
  std::string name;  // empty for the lines before the first section header
  std::vector<Entry> entries;
};

std::vector<Section> Parse(std::string_view text) {
  std::vector<Section> sections(1);
  for (const std::string& raw : SplitTextLines(text)) {
    std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != std::string_view::npos) {
        sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
      sections.back().entries.push_back({std::string(line), std::nullopt});
    } else {
      sections.back().entries.push_back(
          {std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
    }
  }
  return sections;
}

std::string Serialize(const std::vector<Section>& sections) {
  std::string out;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const Section& s = sections[i];
    if (i > 0) {
      if (!out.empty()) out += "\r\n";
      out += "[" + s.name + "]\r\n";
    }
    for (const Entry& e : s.entries) {
      out += e.name;
      if (e.value) out += "=" + *e.value;
      out += "\r\n";
    }
  }
  return out;
}

Section* FindSection(std::vector<Section>& sections, std::string_view name) {
  for (std::size_t i = 1; i < sections.size(); ++i) {
    if (EqualNoCase(sections[i].name, name)) return &sections[i];
  }
  return nullptr;
}

Entry* FindEntry(Section& section, std::string_view key) {
  for (Entry& e : section.entries) {
    if (e.value && EqualNoCase(e.name, key)) return &e;
  }
  return nullptr;
}

std::string Fit(std::string_view value) {
  // Surrounding quotes are removed; a value longer than the buffer is cut.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kSettingValueMax));
}

}  // namespace

IniStore::IniStore(std::string path, std::string section)
    : path_(std::move(path)), section_(std::move(section)) {}

std::string IniStore::ReadFrom(std::string_view fileText, std::string_view section,
                               std::string_view key, std::string_view fallback) {
  auto sections = Parse(fileText);
  if (Section* s = FindSection(sections, Trim(section))) {
    if (Entry* e = FindEntry(*s, Trim(key))) return Fit(*e->value);
  }
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return std::string(fallback.substr(0, kSettingValueMax));
}

std::string IniStore::WriteTo(std::string_view fileText, std::string_view section,
                              std::string_view key, std::string_view value) {
  auto sections = Parse(fileText);
  const std::string_view k = Trim(key);
  const std::string v(Trim(value));
  Section* s = FindSection(sections, Trim(section));
  if (!s) {
    sections.push_back({std::string(Trim(section)), {}});
    s = &sections.back();
  }
  if (Entry* e = FindEntry(*s, k)) {
    e->value = v;
  } else {
    s->entries.push_back({std::string(k), v});
  }
  return Serialize(sections);
}

std::string IniStore::Read(std::string_view key, std::string_view fallback) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto text = ReadWholeFile(path_);
  return ReadFrom(text ? *text : std::string_view{}, section_, key, fallback);
}

void IniStore::Write(std::string_view key, std::string_view value) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto text = ReadWholeFile(path_);
  ReplaceFileContents(path_, WriteTo(text ? *text : std::string_view{}, section_, key, value));
}

}  // namespace zd

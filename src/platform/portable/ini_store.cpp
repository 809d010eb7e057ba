#include "platform/portable/ini_store.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/files.h"

namespace zd {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Blanks as the private-profile functions see them: space, tab to CR, and Ctrl-Z (the
// end-of-file mark some editors leave behind).
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names and values are C strings on the platform: a NUL byte ends them.
std::string CutAtNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

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

struct Profile {
  bool utf8Mark = false;  // kept when the file is written back
  std::vector<Section> sections;
};

Profile Parse(std::string_view text) {
  Profile p;
  if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    p.utf8Mark = true;
    text.remove_prefix(kUtf8Mark.size());
  }
  p.sections.emplace_back();
  bool afterLine = false, afterNameless = false;  // the section's previous line
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    const std::string_view line = Trim(text.substr(start, pos - start));
    while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != 0 && close != std::string_view::npos) {
        p.sections.push_back({CutAtNul(Trim(line.substr(1, close - 1))), {}});
        afterLine = false;
        continue;
      }
    }
    Entry e;
    const auto eq = line.find('=');
    std::string_view name = line;
    if (eq != std::string_view::npos) {
      name = Trim(line.substr(0, eq));
      e.value = CutAtNul(Trim(line.substr(eq + 1)));
    }
    e.name = CutAtNul(name);
    // A line with no name right after another such line is dropped.
    if (!name.empty() || !afterLine || !afterNameless) {
      afterLine = true;
      afterNameless = e.name.empty();
      p.sections.back().entries.push_back(std::move(e));
    }
  }
  return p;
}

std::string Serialize(const Profile& p) {
  std::string out;
  if (p.utf8Mark) out += kUtf8Mark;
  for (const Section& s : p.sections) {
    if (!s.name.empty()) out += "[" + s.name + "]\r\n";
    for (const Entry& e : s.entries) {
      out += e.name;
      if (e.value) out += "=" + *e.value;
      out += "\r\n";
    }
  }
  return out;
}

// The first section of that name; later sections of the same name are never read. The
// nameless part before the first header is the section of the empty name.
Section* FindSection(Profile& p, std::string_view name) {
  for (Section& s : p.sections) {
    if (EqualNoCase(s.name, name)) return &s;
  }
  return nullptr;
}

// The first line of that name, with or without a value.
Entry* FindEntry(Section& section, std::string_view key) {
  for (Entry& e : section.entries) {
    if (EqualNoCase(e.name, key)) return &e;
  }
  return nullptr;
}

// What a 100-byte buffer receives: a value enclosed in a pair of equal quotes loses
// them; a longer value is cut. A quoted value that only just does not fit loses its
// last character with the closing quote, as on the platform.
std::string Fit(std::string_view value) {
  bool quoted = false;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::string out(value.substr(0, kSettingValueMax));
  if (quoted && value.size() <= kSettingValueMax + 1) out.pop_back();
  return out;
}

// Trailing spaces of a default are dropped, but never its first character.
std::string_view TrimDefault(std::string_view fallback) {
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
  return fallback;
}

enum class FileState { kReadable, kReadOnly, kAbsent, kUnusable };

// The file's bytes; a missing file in an existing folder counts as empty, anything else
// that cannot be read (a missing folder, a folder of that name) as unusable.
FileState Load(const std::string& path, std::string& text) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() || fs::is_directory(parent, ec) ? FileState::kAbsent
                                                          : FileState::kUnusable;
  }
  auto data = ReadWholeFile(path);
  if (!data) return FileState::kUnusable;
  text = std::move(*data);
  // The file is replaced, not written in place: its own write permission has to be
  // honoured here (an operator may freeze the settings by making the file read-only).
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none ? FileState::kReadOnly
                                                                            : FileState::kReadable;
}

}  // namespace

IniStore::IniStore(std::string path, std::string section)
    : path_(std::move(path)), section_(std::move(section)) {}

std::string IniStore::ReadFrom(std::string_view fileText, std::string_view section,
                               std::string_view key, std::string_view fallback) {
  fallback = TrimDefault(fallback);
  auto profile = Parse(fileText);
  if (Section* s = FindSection(profile, Trim(section))) {
    if (Entry* e = FindEntry(*s, Trim(key))) {
      if (e->value) return Fit(*e->value);
    }
  }
  return Fit(fallback);
}

std::string IniStore::WriteTo(std::string_view fileText, std::string_view section,
                              std::string_view key, std::string_view value) {
  // A new section or key takes the name as given less its leading blanks, as on the
  // platform; the trailing ones go when the file is next read.
  auto profile = Parse(fileText);
  Section* s = FindSection(profile, Trim(section));
  if (!s) {
    profile.sections.push_back({std::string(TrimLeft(section)), {}});
    s = &profile.sections.back();
  }
  // Leading blanks of the value are dropped; trailing ones reach the file (and are
  // dropped again when it is read).
  value = TrimLeft(value);
  Entry* e = FindEntry(*s, Trim(key));
  if (!e) {
    s->entries.push_back({std::string(TrimLeft(key)), std::nullopt});
    e = &s->entries.back();
  }
  if (e->value && *e->value == value) return std::string(fileText);
  e->value = std::string(value);
  return Serialize(profile);
}

std::string IniStore::Read(std::string_view key, std::string_view fallback) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string text;
  if (Load(path_, text) == FileState::kUnusable) {
    return std::string(TrimDefault(fallback).substr(0, kSettingValueMax));
  }
  return ReadFrom(text, section_, key, fallback);
}

void IniStore::Write(std::string_view key, std::string_view value) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string text;
  const FileState state = Load(path_, text);
  if (state == FileState::kUnusable || state == FileState::kReadOnly) return;
  const std::string updated = WriteTo(text, section_, key, value);
  if (updated != text) ReplaceFileContents(path_, updated);
}

}  // namespace zd

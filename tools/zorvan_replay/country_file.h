// The country file of the host logger (CTY format): which DXCC entity, spelled by its
// primary prefix, and which continent a call sign belongs to. The host resolves every
// worked call this way before it hands a QSO to the contest module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zd::replay {

struct Country {
  std::string prefix;     // as the host spells it: "DL", "UA9", "IT9"
  std::string continent;  // "EU", "AS", ...
  std::string name;       // "Fed. Rep. of Germany"
};

class CountryFile {
 public:
  // Parses the text of a country file; `file` only names it in errors (LogError).
  static CountryFile Parse(std::string_view text, const std::string& file);
  static CountryFile Load(const std::string& path);  // UTF-8 path

  // The entity of a call sign: an exact-call entry first, then the longest matching
  // prefix. A compound call is resolved by its prefix part ("DL/UA3ABC" is DL), a
  // portable suffix is ignored ("UA3ABC/P"), a call-area digit replaces the call's own
  // ("UA3ABC/9" is resolved as UA9ABC); maritime and aeronautical mobiles have none.
  std::optional<Country> Resolve(std::string_view call) const;

  std::size_t EntityCount() const { return entities_.size(); }

 private:
  struct Hit {
    uint32_t entity = 0;
    std::string continent;  // empty: the entity's own
  };
  std::optional<Country> Make(const Hit& hit) const;
  std::optional<Country> LongestPrefix(std::string_view call) const;

  std::vector<Country> entities_;
  std::unordered_map<std::string, Hit> prefixes_;
  std::unordered_map<std::string, Hit> exactCalls_;
  std::size_t longestPrefix_ = 0;
};

// The prefix the host gives an entity of the country file: the primary prefix without a
// leading '*', except for the Russian entities, which the host spells "UA" (European
// Russia), "UA9" (Asiatic Russia) and "UA2" (Kaliningrad) whatever the file calls them.
std::string HostPrefix(std::string_view entityName, std::string_view primaryPrefix);

}  // namespace zd::replay

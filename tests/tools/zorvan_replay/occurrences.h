// How often a text stands in another, for the tests that look into the report's page.
#pragma once

#include <cstddef>
#include <string>

namespace zd::replay::test {

inline std::size_t Occurrences(const std::string& text, const std::string& needle) {
  std::size_t n = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos;
       at = text.find(needle, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace zd::replay::test

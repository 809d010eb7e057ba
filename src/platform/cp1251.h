// Texts that the module shows or writes in Russian are kept in code page 1251, the
// code page of the host. The sources stay UTF-8; this converts a UTF-8 literal at
// compile time, so the binary holds the CP1251 bytes and no conversion runs at run time.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zd {

template <std::size_t N>
struct Cp1251Text {
  std::array<char, N> bytes{};
  std::size_t size = 0;
  constexpr const char* c_str() const { return bytes.data(); }
  constexpr std::string_view view() const { return {bytes.data(), size}; }
};

// Converts ASCII and the Cyrillic letters (including Ё and ё); anything else stops the
// build, so a stray character cannot slip into a message unnoticed.
template <std::size_t N>
consteval Cp1251Text<N> ToCp1251(const char (&utf8)[N]) {
  Cp1251Text<N> out{};
  std::size_t o = 0;
  for (std::size_t i = 0; i + 1 < N;) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.bytes[o++] = static_cast<char>(c);
      i += 1;
      continue;
    }
    if ((c & 0xE0) != 0xC0 || i + 2 >= N) throw "unsupported UTF-8 sequence";
    const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    unsigned b = 0;
    if (cp >= 0x410 && cp <= 0x44F) {
      b = cp - 0x410 + 0xC0;
    } else if (cp == 0x401) {
      b = 0xA8;
    } else if (cp == 0x451) {
      b = 0xB8;
    } else {
      throw "character outside code page 1251 letters";
    }
    out.bytes[o++] = static_cast<char>(b);
    i += 2;
  }
  out.bytes[o] = '\0';
  out.size = o;
  return out;
}

}  // namespace zd

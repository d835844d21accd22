#pragma once
// Code page 936 as Windows defines it: GBK with 0x80 as the euro sign and the
// user-defined areas in the private use area.
#include <array>
#include <cstdint>

namespace vantorel {

struct Cp936Table {
  // Indexed by lead << 8 | trail; 0 where the pair is not a character.
  std::array<char16_t, 65536> doubleByte{};
  // Indexed by UTF-16 unit: the byte (below 0x100) or the pair; 0 where none.
  std::array<std::uint16_t, 65536> fromUnit{};
};

// Built once, on first use.
const Cp936Table& Cp936();

}  // namespace vantorel

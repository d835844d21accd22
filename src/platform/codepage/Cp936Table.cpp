#include "platform/codepage/Cp936Table.h"

#include <iconv.h>

#include <memory>

namespace vantorel {
namespace {

struct IconvCloser {
  void operator()(iconv_t* cd) const {
    iconv_close(*cd);
    delete cd;
  }
};

bool IsTrailByte(unsigned trail) { return trail >= 0x40 && trail <= 0xFE && trail != 0x7F; }

char16_t DecodePair(iconv_t cd, unsigned lead, unsigned trail) {
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  unsigned char out[4] = {};
  char* inPtr = in;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t inLeft = 2, outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 2) return 0;
  return static_cast<char16_t>(out[0] | (out[1] << 8));
}

// The three user-defined areas, mapped in order onto U+E000 and up.
void AddUserDefinedAreas(Cp936Table& table) {
  struct Area { unsigned firstLead, lastLead, firstTrail, lastTrail; };
  constexpr Area kAreas[] = {{0xAA, 0xAF, 0xA1, 0xFE}, {0xF8, 0xFE, 0xA1, 0xFE}, {0xA1, 0xA7, 0x40, 0xA0}};
  char16_t unit = 0xE000;
  for (const Area& area : kAreas)
    for (unsigned lead = area.firstLead; lead <= area.lastLead; ++lead)
      for (unsigned trail = area.firstTrail; trail <= area.lastTrail; ++trail) {
        if (trail == 0x7F) continue;
        char16_t& slot = table.doubleByte[lead << 8 | trail];
        if (slot == 0) slot = unit;
        ++unit;
      }
}

std::unique_ptr<Cp936Table> BuildTable() {
  auto table = std::make_unique<Cp936Table>();
  std::unique_ptr<iconv_t, IconvCloser> cd(new iconv_t(iconv_open("UTF-16LE", "CP936")));
  if (*cd != reinterpret_cast<iconv_t>(-1)) {
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
        if (IsTrailByte(trail)) table->doubleByte[lead << 8 | trail] = DecodePair(*cd, lead, trail);
  }
  AddUserDefinedAreas(*table);
  for (unsigned code = 0x8140; code <= 0xFEFE; ++code) {
    const char16_t unit = table->doubleByte[code];
    if (unit != 0 && table->fromUnit[unit] == 0) table->fromUnit[unit] = static_cast<std::uint16_t>(code);
  }
  for (unsigned byte = 1; byte < 0x80; ++byte) table->fromUnit[byte] = static_cast<std::uint16_t>(byte);
  table->fromUnit[0x20AC] = 0x80;
  return table;
}

}  // namespace

const Cp936Table& Cp936() {
  static const std::unique_ptr<Cp936Table> table = BuildTable();
  return *table;
}

}  // namespace vantorel

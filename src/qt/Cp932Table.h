#pragma once
// The generated two-byte table of the code page 932 codec (tools/gen_cp932_table.py).

namespace pemrin::qt::cp932 {

// Lead bytes 0x81-0x9F and 0xE0-0xFC (60), trail bytes 0x40-0x7E and 0x80-0xFC (188).
inline constexpr int kTrailCount = 188;
inline constexpr int kDoubleByteCount = 60 * kTrailCount;

// Index of a lead/trail pair in the tables below; both bytes must be of their class.
constexpr int DoubleByteIndex(unsigned char lead, unsigned char trail) {
  int l = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
  int t = trail <= 0x7E ? trail - 0x40 : trail - 0x80 + 63;
  return l * kTrailCount + t;
}

// The UTF-16 unit each pair decodes to (a private-use placeholder for undecodable pairs).
extern const char16_t kDoubleByteUnit[kDoubleByteCount];
// 0 for the pair a character encodes to; n > 0 for a duplicate, shown as the character followed
// by variation selector n (U+FE00 + n - 1).
extern const unsigned char kDoubleByteVariant[kDoubleByteCount];

}  // namespace pemrin::qt::cp932

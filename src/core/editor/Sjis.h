#pragma once
// Shift_JIS (code page 932) byte classes.

#include <cstddef>

namespace pemrin {

// First byte of a double-byte character.
constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Second byte of a double-byte character. CR, LF, '<', '>' and space are never trail bytes.
constexpr bool IsSjisTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes of the character that starts at text[i]: 2 for a lead byte followed by a trail byte,
// 1 otherwise (a lead byte without a valid trail byte is a character of its own, so that a
// broken file never swallows the line break or bracket after it).
inline std::size_t SjisCharLength(const char* text, std::size_t length, std::size_t i) {
  return (i + 1 < length && IsSjisLeadByte(static_cast<unsigned char>(text[i])) &&
          IsSjisTrailByte(static_cast<unsigned char>(text[i + 1])))
             ? 2
             : 1;
}

}  // namespace pemrin

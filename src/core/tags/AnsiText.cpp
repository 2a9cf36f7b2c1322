#include "tags/AnsiText.h"

#include "editor/Sjis.h"

namespace pemrin {

namespace {

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

Bytes AnsiUpper(const Bytes& text) {
  Bytes result = text;
  const std::size_t n = result.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(result[i]))) {
      ++i;  // the trail byte is part of the character, not a letter
    } else {
      result[i] = UpperAscii(result[i]);
    }
  }
  return result;
}

bool AnsiSameText(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size()) return false;
  const std::size_t n = a.size();
  for (std::size_t i = 0; i < n; ++i) {
    // Folding maps letters to letters only, so both texts split into characters alike as long
    // as they agree: a lead byte in a is the same lead byte in b.
    if (IsSjisLeadByte(static_cast<unsigned char>(a[i]))) {
      if (a[i] != b[i]) return false;
      ++i;
      if (i < n && a[i] != b[i]) return false;
    } else if (UpperAscii(a[i]) != UpperAscii(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace pemrin

#include "editor/SjisText.h"

#include <algorithm>

#include "editor/Sjis.h"

namespace pemrin {

Bytes NormalizeLineBreaks(const Bytes& text) {
  Bytes out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// One character folded for a case-blind comparison: ASCII a-z to A-Z, full-width ａ-ｚ
// (0x8281-0x829A) to Ａ-Ｚ (0x8260-0x8279). Returns the character as one number.
unsigned FoldChar(const unsigned char* p, std::size_t len, bool matchCase) {
  if (len == 1) {
    unsigned c = p[0];
    if (!matchCase && c >= 'a' && c <= 'z') c -= 'a' - 'A';
    return c;
  }
  unsigned c = (static_cast<unsigned>(p[0]) << 8) | p[1];
  if (!matchCase && c >= 0x8281 && c <= 0x829A) c -= 0x21;
  return c;
}

bool IsWordByte(unsigned char b) {
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '_';
}

// Whether text[i] is the second byte of a double-byte character: the lead bytes right before
// it pair up from the left, so an odd run of them means text[i] is taken by the last one.
bool IsTrailAt(const unsigned char* t, std::size_t i) {
  if (!IsSjisTrailByte(t[i])) return false;
  std::size_t run = 0;
  while (run < i && IsSjisLeadByte(t[i - 1 - run])) ++run;
  return run % 2 == 1;
}

// Whether the single-byte character at text[i] is a word character.
bool IsWordCharAt(const unsigned char* t, std::size_t i) {
  return IsWordByte(t[i]) && !IsTrailAt(t, i);
}

}  // namespace

int FindSjisText(const Bytes& text, const Bytes& needle, int start, int length,
                 FindOptions options) {
  if (needle.empty() || start < 0) return -1;
  const std::size_t size = text.size();
  const std::size_t from = std::min<std::size_t>(start, size);
  const std::size_t to = std::min<std::size_t>(size, from + std::max(0, length));
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
  const char* tc = text.data();
  const char* nc = needle.data();
  bool prevIsWord = from > 0 && IsWordCharAt(t, from - 1);
  const bool firstIsWord = IsWordByte(n[0]);
  const bool lastIsWord = IsWordCharAt(n, needle.size() - 1);
  for (std::size_t i = from; i < to; i += SjisCharLength(tc, size, i)) {
    std::size_t ti = i, ni = 0;
    bool match = true;
    while (ni < needle.size()) {
      if (ti >= to) {
        match = false;
        break;
      }
      std::size_t tl = SjisCharLength(tc, size, ti);
      std::size_t nl = SjisCharLength(nc, needle.size(), ni);
      if (tl != nl || ti + tl > to ||
          FoldChar(t + ti, tl, options.matchCase) != FoldChar(n + ni, nl, options.matchCase)) {
        match = false;
        break;
      }
      ti += tl;
      ni += nl;
    }
    if (match && options.wholeWord) {
      bool nextIsWord = ti < size && IsWordByte(t[ti]);
      if ((firstIsWord && prevIsWord) || (lastIsWord && nextIsWord)) match = false;
    }
    if (match) return static_cast<int>(i);
    std::size_t cl = SjisCharLength(tc, size, i);
    prevIsWord = cl == 1 && IsWordByte(t[i]);
  }
  return -1;
}

}  // namespace pemrin

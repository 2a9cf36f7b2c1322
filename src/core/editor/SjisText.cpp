#include "editor/SjisText.h"

#include <algorithm>
#include <cstring>

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

// Tells whether characters start at increasing positions, from a position known to start one.
// A run of lead-range bytes before a position pairs up from its first byte, and a character
// always starts after a byte that is no lead byte; so only the run back to the last position
// known is read, and each byte is read a bounded number of times over a whole search.
class CharStarts {
 public:
  CharStarts(const unsigned char* text, std::size_t known) : t_(text), known_(known) {}

  // i must not lie before the last position asked about.
  bool At(std::size_t i) {
    if (i == known_) return true;
    if (!IsSjisTrailByte(t_[i])) {
      known_ = i;
      return true;
    }
    std::size_t k = i;
    while (k > known_ && IsSjisLeadByte(t_[k - 1])) --k;
    const bool starts = (i - k) % 2 == 0;
    known_ = starts ? i : i - 1;
    return starts;
  }

 private:
  const unsigned char* t_;
  std::size_t known_;
};

// The next position in [from, to) holding one of two bytes, or `to`.
class ByteScan {
 public:
  ByteScan(const unsigned char* text, std::size_t to, unsigned char a, unsigned char b)
      : t_(text), to_(to), a_(a), b_(b) {}

  std::size_t Next(std::size_t from) {
    if (!scanned_ || nextA_ < from) nextA_ = Find(a_, from);
    if (a_ != b_ && (!scanned_ || nextB_ < from)) nextB_ = Find(b_, from);
    scanned_ = true;
    return a_ == b_ ? nextA_ : std::min(nextA_, nextB_);
  }

 private:
  std::size_t Find(unsigned char byte, std::size_t from) const {
    if (from >= to_) return to_;
    const void* hit = std::memchr(t_ + from, byte, to_ - from);
    return hit ? static_cast<const unsigned char*>(hit) - t_ : to_;
  }

  const unsigned char* t_;
  std::size_t to_;
  unsigned char a_, b_;
  std::size_t nextA_ = 0, nextB_ = 0;
  bool scanned_ = false;
};

}  // namespace

// Candidates are found by their first byte (in both cases where case does not matter), then
// kept only when a character starts there and the whole needle matches character by character.
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
  const bool firstIsWord = IsWordByte(n[0]);
  const bool lastIsWord = IsWordCharAt(n, needle.size() - 1);

  unsigned char first = n[0], other = n[0];
  if (!options.matchCase && ((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) {
    first = static_cast<unsigned char>(first & ~0x20);  // upper case
    other = static_cast<unsigned char>(first | 0x20);   // lower case
  }
  ByteScan scan(t, to, first, other);
  CharStarts starts(t, from);
  for (std::size_t i = scan.Next(from); i < to; i = scan.Next(i + 1)) {
    if (!starts.At(i)) continue;
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
      const bool prevIsWord = i > 0 && IsWordCharAt(t, i - 1);
      const bool nextIsWord = ti < size && IsWordByte(t[ti]);
      if ((firstIsWord && prevIsWord) || (lastIsWord && nextIsWord)) match = false;
    }
    if (match) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace pemrin

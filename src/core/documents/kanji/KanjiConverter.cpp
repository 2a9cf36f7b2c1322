// The kanji-code converter. Every path is a single forward byte loop with no allocation; the
// guess reads the whole text once as Shift_JIS and once as EUC-JP.

#include "documents/kanji/KanjiConverter.h"

#include <cstdint>
#include <cstring>

#include "documents/kanji/KanjiCharCosts.h"

namespace pemrin {

namespace {

using kanji_detail::kHalfWidthKanaCost;
using kanji_detail::kJisCharCost;

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;
constexpr unsigned char kShiftIn = 0x0F;
constexpr unsigned char kGetaLead = 0x81;  // 〓, for characters Shift_JIS cannot hold
constexpr unsigned char kGetaTrail = 0xAC;

// ---- Byte classes -------------------------------------------------------------------------

inline bool InRange(unsigned b, unsigned lo, unsigned hi) {
  return b - lo <= hi - lo;
}
inline bool IsEucByte(unsigned b) {
  return InRange(b, 0xA1, 0xFE);
}
inline bool IsHalfWidthKana(unsigned b) {
  return InRange(b, 0xA1, 0xDF);
}
inline bool IsJisByte(unsigned b) {
  return InRange(b, 0x21, 0x7E);
}
inline bool IsSjisLead(unsigned b) {
  return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
}
inline bool IsSjisTrail(unsigned b) {
  return InRange(b, 0x40, 0xFC) && b != 0x7F;
}

// Index of the first byte at or after i that is 0x80 or above, or n.
inline size_t SkipAscii(const unsigned char* s, size_t i, size_t n) {
  while (i + 8 <= n) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    if (word & 0x8080808080808080ull) break;
    i += 8;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

// JIS X 0208 bytes (0x21-0x7E each) to Shift_JIS, by the arithmetic of the two codes.
inline void JisToSjis(unsigned j1, unsigned j2, unsigned char* out) {
  out[0] = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
  out[1] = static_cast<unsigned char>(j2 + ((j1 & 1) ? (j2 < 0x60 ? 0x1F : 0x20) : 0x7E));
}

// ---- The guess ------------------------------------------------------------------------------

// Costs in quarter bits. A byte that begins no valid character costs about as much as ten
// ordinary characters, so validity decides unless both readings are about equally broken.
constexpr int64_t kErrorCost = 40 * 4;
constexpr int64_t kTruncatedCost = kErrorCost / 2;  // a last character cut short
// Half-width katakana are rare in Japanese text but come in runs: the first of a run costs
// much more than the ones that follow it.
constexpr int64_t kHalfWidthStartCost = 8 * 4;
constexpr int64_t kHalfWidthRunCost = 1 * 4;
constexpr int64_t kEucHalfWidthExtra = 8 * 4;  // 0x8E katakana are rarer still in EUC-JP
constexpr int64_t kJisX0212Cost = 24 * 4;
constexpr int64_t kSjisUserDefinedCost = 30 * 4;   // lead bytes 0xF0-0xF9
constexpr int64_t kSjisIbmExtensionCost = 24 * 4;  // lead bytes 0xFA-0xFC

// previous: the half-width katakana just before b, or 0 when b begins a run.
inline int64_t HalfWidthCost(unsigned b, unsigned previous) {
  if (previous == 0) return kHalfWidthStartCost + kHalfWidthKanaCost[63 * 63 + (b - 0xA1)];
  return kHalfWidthRunCost + kHalfWidthKanaCost[(previous - 0xA1) * 63 + (b - 0xA1)];
}

inline int64_t SjisPairCost(unsigned lead, unsigned trail) {
  if (lead >= 0xF0) return lead >= 0xFA ? kSjisIbmExtensionCost : kSjisUserDefinedCost;
  unsigned row = 2 * (lead - (lead <= 0x9F ? 0x81 : 0xC1));  // 0-based
  unsigned cell;
  if (trail >= 0x9F) {
    ++row;
    cell = trail - 0x9F;
  } else {
    cell = trail - (trail >= 0x80 ? 0x41 : 0x40);
  }
  return kJisCharCost[row * 94 + cell];
}

// The cost of reading the text as Shift_JIS.
int64_t SjisReadingCost(const unsigned char* s, size_t n) {
  int64_t cost = 0;
  unsigned previous = 0;  // the half-width katakana just read, else 0
  size_t i = 0;
  while (i < n) {
    unsigned b = s[i];
    if (b < 0x80) {
      i = SkipAscii(s, i, n);
      previous = 0;
      continue;
    }
    if (IsHalfWidthKana(b)) {
      cost += HalfWidthCost(b, previous);
      previous = b;
      ++i;
      continue;
    }
    previous = 0;
    if (IsSjisLead(b)) {
      if (i + 1 >= n) {
        cost += kTruncatedCost;
        break;
      }
      if (IsSjisTrail(s[i + 1])) {
        cost += SjisPairCost(b, s[i + 1]);
        i += 2;
        continue;
      }
    }
    cost += kErrorCost;
    ++i;
  }
  return cost;
}

// The cost of reading the text as EUC-JP.
int64_t EucReadingCost(const unsigned char* s, size_t n) {
  int64_t cost = 0;
  unsigned previous = 0;
  size_t i = 0;
  while (i < n) {
    unsigned b = s[i];
    if (b < 0x80) {
      i = SkipAscii(s, i, n);
      previous = 0;
      continue;
    }
    unsigned kana = 0;
    if (IsEucByte(b)) {
      if (i + 1 >= n) {
        cost += kTruncatedCost;
        break;
      }
      if (IsEucByte(s[i + 1])) {
        cost += kJisCharCost[(b - 0xA1) * 94 + (s[i + 1] - 0xA1)];
        i += 2;
        previous = 0;
        continue;
      }
    } else if (b == 0x8E) {
      if (i + 1 >= n) {
        cost += kTruncatedCost;
        break;
      }
      if (IsHalfWidthKana(s[i + 1])) {
        kana = s[i + 1];
        cost += HalfWidthCost(kana, previous) + kEucHalfWidthExtra;
        i += 2;
        previous = kana;
        continue;
      }
    } else if (b == 0x8F) {
      if (i + 2 >= n) {
        cost += kTruncatedCost;
        break;
      }
      if (IsEucByte(s[i + 1]) && IsEucByte(s[i + 2])) {
        cost += kJisX0212Cost;
        i += 3;
        previous = 0;
        continue;
      }
    }
    cost += kErrorCost;
    previous = 0;
    ++i;
  }
  return cost;
}

// True when the text designates a Japanese set by escape sequence: ESC $ @ or ESC $ B (JIS X
// 0208), ESC $ ( D (JIS X 0212) or ESC ( I (half-width katakana). ESC ( B and ESC ( J alone do
// not count: terminal output holds them in text that is no JIS at all.
bool HasJisDesignation(const unsigned char* s, size_t n) {
  const unsigned char* end = s + n;
  const unsigned char* p = s;
  while ((p = static_cast<const unsigned char*>(std::memchr(p, kEsc, end - p))) != nullptr) {
    size_t left = end - p;
    if (left >= 3 && p[1] == '$' && (p[2] == '@' || p[2] == 'B')) return true;
    if (left >= 4 && p[1] == '$' && p[2] == '(' && p[3] == 'D') return true;
    if (left >= 3 && p[1] == '(' && p[2] == 'I') return true;
    ++p;
  }
  return false;
}

// ---- Conversion -----------------------------------------------------------------------------

// Each converter writes at most two bytes for every byte it reads (a geta for one bad byte is
// the worst case). With kChecked false the caller has made sure that dst holds 2 * n bytes;
// with kChecked true every write is checked and conversion stops before a character that does
// not fit.

template <bool kChecked>
size_t EucToSjis(const unsigned char* s, size_t n, unsigned char* d, size_t capacity) {
  size_t i = 0;
  size_t o = 0;
  auto room = [&](size_t k) { return !kChecked || capacity - o >= k; };
  while (i < n) {
    unsigned b = s[i];
    if (b < 0x80) {
      if constexpr (!kChecked) {
        // Whole words of ASCII at once: o <= 2 * i and i + 8 <= n keep o + 8 within 2 * n.
        while (i + 8 <= n) {
          uint64_t word;
          std::memcpy(&word, s + i, 8);
          if (word & 0x8080808080808080ull) break;
          std::memcpy(d + o, &word, 8);
          i += 8;
          o += 8;
        }
        if (i >= n || s[i] >= 0x80) continue;
        b = s[i];
      }
      if (!room(1)) break;
      d[o++] = static_cast<unsigned char>(b);
      ++i;
      continue;
    }
    if (IsEucByte(b) && i + 1 < n && IsEucByte(s[i + 1])) {
      if (!room(2)) break;
      JisToSjis(b - 0x80, s[i + 1] - 0x80u, d + o);
      o += 2;
      i += 2;
      continue;
    }
    if (b == 0x8E && i + 1 < n && IsHalfWidthKana(s[i + 1])) {
      if (!room(1)) break;
      d[o++] = s[i + 1];
      i += 2;
      continue;
    }
    // A JIS X 0212 character (three bytes) or a byte that begins nothing valid: one geta.
    size_t used = (b == 0x8F && i + 2 < n && IsEucByte(s[i + 1]) && IsEucByte(s[i + 2])) ? 3 : 1;
    if (!room(2)) break;
    d[o++] = kGetaLead;
    d[o++] = kGetaTrail;
    i += used;
  }
  return o;
}

template <bool kChecked>
size_t JisToSjisText(const unsigned char* s, size_t n, unsigned char* d, size_t capacity) {
  enum class Set { Ascii, Kana, Kanji, NoSjis };
  Set set = Set::Ascii;  // the set designated to G0
  bool shifted = false;  // SO: half-width katakana until SI
  size_t i = 0;
  size_t o = 0;
  auto room = [&](size_t k) { return !kChecked || capacity - o >= k; };
  while (i < n) {
    unsigned b = s[i];
    if (b == kEsc) {
      size_t left = n - i;
      size_t used = 0;
      if (left >= 3 && s[i + 1] == '(') {
        if (s[i + 2] == 'B' || s[i + 2] == 'J') {
          set = Set::Ascii;
          used = 3;
        } else if (s[i + 2] == 'I') {
          set = Set::Kana;
          used = 3;
        }
      } else if (left >= 3 && s[i + 1] == '$') {
        if (s[i + 2] == '@' || s[i + 2] == 'B') {
          set = Set::Kanji;
          used = 3;
        } else if (left >= 4 && s[i + 2] == '(' && s[i + 3] == 'D') {
          set = Set::NoSjis;
          used = 4;
        }
      } else if (left >= 3 && s[i + 1] == '&' && s[i + 2] == '@') {
        used = 3;  // announces the 1990 revision of JIS X 0208, which the next ESC $ B selects
      }
      if (used != 0) {
        i += used;
        continue;
      }
      // An escape the converter does not know passes through as it stands.
    } else if (b == kShiftOut || b == kShiftIn) {
      shifted = b == kShiftOut;
      ++i;
      continue;
    }
    if (!IsJisByte(b) || (set == Set::Ascii && !shifted)) {
      // Controls, space, DEL and bytes of 0x80 and above in every set; everything in ASCII.
      if (!room(1)) break;
      d[o++] = static_cast<unsigned char>(b);
      ++i;
      continue;
    }
    if (shifted || set == Set::Kana) {
      if (!room(2)) break;
      if (b <= 0x5F) {
        d[o++] = static_cast<unsigned char>(b + 0x80);
      } else {
        d[o++] = kGetaLead;
        d[o++] = kGetaTrail;
      }
      ++i;
      continue;
    }
    if (!room(2)) break;
    if (i + 1 < n && IsJisByte(s[i + 1])) {
      if (set == Set::Kanji) {
        JisToSjis(b, s[i + 1], d + o);
      } else {
        d[o] = kGetaLead;
        d[o + 1] = kGetaTrail;
      }
      o += 2;
      i += 2;
    } else {  // half a pair
      d[o++] = kGetaLead;
      d[o++] = kGetaTrail;
      ++i;
    }
  }
  return o;
}

template <bool kChecked>
size_t Convert(KanjiCode code, const unsigned char* s, size_t n, unsigned char* d,
               size_t capacity) {
  return code == KanjiCode::Euc ? EucToSjis<kChecked>(s, n, d, capacity)
                                : JisToSjisText<kChecked>(s, n, d, capacity);
}

}  // namespace

const char* KanjiCodeWord(KanjiCode code) {
  switch (code) {
    case KanjiCode::Jis:
      return "JIS";
    case KanjiCode::Euc:
      return "EUC";
    case KanjiCode::Sjis:
      break;
  }
  return "SJIS";
}

int DetectKanjiCode(const unsigned char* text, size_t length) {
  if (length < 3) return 0;
  for (size_t i = 0; i < length - 2; ++i) {
    if (text[i] != kEsc) continue;
    if (text[i + 1] == 0x24) {
      if (text[i + 2] == 0x40 || text[i + 2] == 0x42) return 1;
      if (i + 3 < length && text[i + 2] == 0x28 && text[i + 3] == 0x44) return 1;
    } else if (i + 5 < length && text[i + 1] == 0x26 && text[i + 2] == 0x40 &&
               text[i + 3] == 0x1B && text[i + 4] == 0x24 && text[i + 5] == 0x40) {
      return 1;
    }
  }
  for (size_t j = 0; j < length - 2; ++j) {
    if (IsEucByte(text[j]) && IsEucByte(text[j + 1]) && IsEucByte(text[j + 2])) return 2;
  }
  return 0;
}

KanjiCode GuessKanjiCode(const unsigned char* text, size_t length) {
  if (HasJisDesignation(text, length)) return KanjiCode::Jis;
  // Pure ASCII (the common case for markup) needs no scoring.
  if (SkipAscii(text, 0, length) == length) return KanjiCode::Sjis;
  return SjisReadingCost(text, length) <= EucReadingCost(text, length) ? KanjiCode::Sjis
                                                                       : KanjiCode::Euc;
}

int StatusKanjiCode(const unsigned char* text, size_t length) {
  if (DetectKanjiCode(text, length) == 1) return 1;
  return static_cast<int>(GuessKanjiCode(text, length));
}

ConversionResult ConvertToSjis(const unsigned char* src, size_t srcLength, unsigned char* dst,
                               size_t dstCapacity) {
  KanjiCode code = GuessKanjiCode(src, srcLength);
  size_t written;
  if (code == KanjiCode::Sjis) {
    written = srcLength < dstCapacity ? srcLength : dstCapacity;
    if (written != 0) std::memcpy(dst, src, written);
  } else if (dstCapacity / 2 >= srcLength) {
    written = Convert<false>(code, src, srcLength, dst, dstCapacity);
  } else {
    written = Convert<true>(code, src, srcLength, dst, dstCapacity);
  }
  return {written, code};
}

std::string ConvertToSjis(const std::string& src, KanjiCode* codeOut) {
  std::string out(2 * src.size(), '\0');
  ConversionResult result =
      ConvertToSjis(reinterpret_cast<const unsigned char*>(src.data()), src.size(),
                    reinterpret_cast<unsigned char*>(out.data()), out.size());
  out.resize(result.length);
  if (codeOut != nullptr) *codeOut = result.code;
  return out;
}

}  // namespace pemrin

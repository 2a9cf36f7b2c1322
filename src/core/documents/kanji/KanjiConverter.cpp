// The kanji-code converter. Every path is a forward byte loop with no allocation.

#include "documents/kanji/KanjiConverter.h"

#include <array>
#include <bit>
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

constexpr bool InRange(unsigned b, unsigned lo, unsigned hi) {
  return b - lo <= hi - lo;
}
constexpr bool IsEucByte(unsigned b) {
  return InRange(b, 0xA1, 0xFE);
}
constexpr bool IsHalfWidthKana(unsigned b) {
  return InRange(b, 0xA1, 0xDF);
}
constexpr bool IsJisByte(unsigned b) {
  return InRange(b, 0x21, 0x7E);
}
constexpr bool IsSjisLead(unsigned b) {
  return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
}
constexpr bool IsSjisTrail(unsigned b) {
  return InRange(b, 0x40, 0xFC) && b != 0x7F;
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The number of ASCII bytes that open a word read from memory, given its high bits (not 0).
inline size_t LeadingAscii(uint64_t high) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<size_t>(std::countr_zero(high)) / 8;
  } else {
    return static_cast<size_t>(std::countl_zero(high)) / 8;
  }
}

// Index of the first byte at or after i that is 0x80 or above, or n.
inline size_t SkipAscii(const unsigned char* s, size_t i, size_t n) {
  while (i + 8 <= n) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    if (uint64_t high = word & kHighBits) return i + LeadingAscii(high);
    i += 8;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

// Copies the ASCII run at s[i] to d[o] and advances both past it. Whole words are stored, so
// up to 7 bytes past the run may be written too: the caller's d must hold 2 * n bytes with
// o <= 2 * i, which leaves o + 8 <= 2 * n whenever i + 8 <= n.
inline void CopyAscii(const unsigned char* s, size_t& i, size_t n, unsigned char* d, size_t& o) {
  while (i + 8 <= n) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    std::memcpy(d + o, &word, 8);
    if (uint64_t high = word & kHighBits) {
      size_t k = LeadingAscii(high);
      i += k;
      o += k;
      return;
    }
    i += 8;
    o += 8;
  }
  while (i < n && s[i] < 0x80) d[o++] = s[i++];
}

// Shift_JIS of JIS X 0208 by the arithmetic of the two codes, as tables: the lead byte
// depends on the row alone, the trail byte on the cell and whether the row is odd. Indexed
// by the EUC-JP bytes (JIS bytes | 0x80); the parity of a row is that of its byte.
struct SjisTables {
  unsigned char lead[256] = {};
  unsigned char trail[2][256] = {};
};
constexpr SjisTables MakeSjisTables() {
  SjisTables t;
  for (unsigned j = 0x21; j <= 0x7E; ++j) {
    t.lead[j | 0x80] = static_cast<unsigned char>(((j + 1) >> 1) + (j <= 0x5E ? 0x70 : 0xB0));
    t.trail[1][j | 0x80] = static_cast<unsigned char>(j + (j < 0x60 ? 0x1F : 0x20));
    t.trail[0][j | 0x80] = static_cast<unsigned char>(j + 0x7E);
  }
  return t;
}
constexpr SjisTables kSjis = MakeSjisTables();

// Writes the Shift_JIS form of the EUC-JP pair (a, b), both in 0xA1-0xFE.
inline void EucPairToSjis(unsigned a, unsigned b, unsigned char* out) {
  out[0] = kSjis.lead[a];
  out[1] = kSjis.trail[a & 1][b];
}

// ---- The guess ------------------------------------------------------------------------------
//
// The text is read twice, as Shift_JIS and as EUC-JP, and each reading sums the cost of the
// characters it finds; the cheaper reading wins. Costs never decrease along a reading, so once
// one reading is complete the other can stop as soon as its partial cost passes it: the
// decision is that of the two whole readings, at a fraction of the work. A short pilot on the
// start of the text picks the reading to complete first.

// Costs in quarter bits. A byte that begins no valid character costs about as much as ten
// ordinary characters, so validity decides unless both readings are about equally broken.
constexpr int64_t kErrorCost = 40 * 4;
constexpr int64_t kTruncatedCost = kErrorCost / 2;  // a last character cut short
// Half-width katakana are rare in Japanese text but come in runs: the first of a run costs
// much more than the ones that follow it.
constexpr int64_t kHalfWidthStartCost = 6 * 4;
constexpr int64_t kHalfWidthRunCost = 0;
constexpr int64_t kEucHalfWidthExtra = 2 * 4;  // 0x8E katakana are rarer still in EUC-JP
constexpr int64_t kJisX0212Cost = 24 * 4;
constexpr int64_t kSjisUserDefinedCost = 30 * 4;   // lead bytes 0xF0-0xF9
constexpr int64_t kSjisIbmExtensionCost = 24 * 4;  // lead bytes 0xFA-0xFC

// Where the costs after a half-width katakana lie in kHalfWidthKanaCost, by that katakana
// (0xA1-0xDF), and the run cost it brings; any other byte before a katakana begins a run.
struct KanaContext {
  unsigned short row[256] = {};
  unsigned char extra[256] = {};
};
constexpr KanaContext MakeKanaContext() {
  KanaContext t;
  for (unsigned b = 0; b < 256; ++b) {
    bool kana = b >= 0xA1 && b <= 0xDF;
    t.row[b] = static_cast<unsigned short>((kana ? b - 0xA1 : 63) * 63);
    t.extra[b] = static_cast<unsigned char>(kana ? kHalfWidthRunCost : kHalfWidthStartCost);
  }
  return t;
}
constexpr KanaContext kKanaContext = MakeKanaContext();

// previous: the half-width katakana just before b, or 0 when b begins a run.
inline int64_t HalfWidthCost(unsigned b, unsigned previous) {
  return kKanaContext.extra[previous] + kHalfWidthKanaCost[kKanaContext.row[previous] + (b - 0xA1)];
}

// Where a Shift_JIS pair's cost lies in the pair cost table: (row - 1) * 94 for the lead byte
// (rows in pairs), plus 94 for the odd row and the cell for the trail byte. The lead bytes
// 0xF0-0xFC (rows 95-120, outside JIS X 0208) have rows of their own after the 94.
struct SjisCostIndex {
  unsigned short lead[256] = {};
  unsigned short trail[256] = {};
};
constexpr SjisCostIndex MakeSjisCostIndex() {
  SjisCostIndex t;
  for (unsigned b = 0x81; b <= 0xFC; ++b) {
    if (b <= 0x9F || b >= 0xE0)
      t.lead[b] = static_cast<unsigned short>(2 * (b - (b <= 0x9F ? 0x81 : 0xC1)) * 94);
  }
  for (unsigned c = 0x40; c <= 0xFC; ++c) {
    if (c == 0x7F) continue;
    t.trail[c] =
        static_cast<unsigned short>(c >= 0x9F ? 94 + (c - 0x9F) : c - (c >= 0x80 ? 0x41 : 0x40));
  }
  return t;
}
constexpr SjisCostIndex kSjisCost = MakeSjisCostIndex();
constexpr size_t kSjisRows = 2 * (0xFC - 0xC1 + 1);  // 120

// kJisCharCost with the rows of the user-defined and IBM extension lead bytes added.
const unsigned char* SjisPairCosts() {
  static const auto* table = [] {
    static unsigned char costs[kSjisRows * 94];
    std::memcpy(costs, kJisCharCost, 94 * 94);
    for (size_t k = 94 * 94; k < kSjisRows * 94; ++k) {
      size_t lead = 0xC1 + k / 94 / 2;
      costs[k] = lead >= 0xFA ? kSjisIbmExtensionCost : kSjisUserDefinedCost;
    }
    return costs;
  }();
  return table;
}

// A reading in progress, so that it can run in slices.
struct Reading {
  size_t i = 0;           // next byte to read
  unsigned previous = 0;  // the half-width katakana just read, else 0
  int64_t cost = 0;
};

// Byte classes of the Shift_JIS reading.
enum SjisClass : unsigned char { kAsciiByte, kKanaByte, kLeadByte, kBadByte };
constexpr std::array<unsigned char, 256> MakeSjisClasses() {
  std::array<unsigned char, 256> t{};
  for (unsigned b = 0; b < 256; ++b) {
    t[b] = b < 0x80             ? kAsciiByte
           : IsHalfWidthKana(b) ? kKanaByte
           : IsSjisLead(b)      ? kLeadByte
                                : kBadByte;
  }
  return t;
}
constexpr std::array<unsigned char, 256> kSjisClass = MakeSjisClasses();

// Reads the text as Shift_JIS from r.i up to end (finishing the character that straddles it).
void ReadSjis(const unsigned char* s, size_t n, size_t end, Reading& r) {
  const unsigned char* pairCosts = SjisPairCosts();
  size_t i = r.i;
  unsigned previous = r.previous;
  int64_t cost = r.cost;
  while (i < end) {
    unsigned b = s[i];
    unsigned cls = kSjisClass[b];
    // The pair of a Shift_JIS text first: it is by far the commonest character there.
    if (cls == kLeadByte && i + 1 < n && IsSjisTrail(s[i + 1])) [[likely]] {
      cost += pairCosts[kSjisCost.lead[b] + kSjisCost.trail[s[i + 1]]];
      previous = 0;
      i += 2;
      continue;
    }
    switch (cls) {
      case kAsciiByte:
        i = SkipAscii(s, i, end);
        previous = 0;
        break;
      case kKanaByte:
        cost += HalfWidthCost(b, previous);
        previous = b;
        ++i;
        break;
      case kLeadByte:  // without a trail byte
        previous = 0;
        if (i + 1 >= n) {
          cost += kTruncatedCost;
          i = n;
        } else {
          cost += kErrorCost;
          ++i;
        }
        break;
      default:
        previous = 0;
        cost += kErrorCost;
        ++i;
    }
  }
  r = {i, previous, cost};
}

// Reads the text as EUC-JP from r.i up to end. With kConvert, also writes the Shift_JIS of
// every character to d at o, as EucToSjis does (d must hold 2 * n bytes).
template <bool kConvert>
void ReadEuc(const unsigned char* s, size_t n, size_t end, Reading& r, unsigned char* d,
             size_t& o) {
  size_t i = r.i;
  unsigned previous = r.previous;
  int64_t cost = r.cost;
  size_t out = o;
  while (i < end) {
    unsigned b = s[i];
    if (b < 0x80) {
      if constexpr (kConvert) {
        CopyAscii(s, i, n, d, out);  // may run past end to the end of the ASCII run
      } else {
        i = SkipAscii(s, i, end);
      }
      previous = 0;
      continue;
    }
    if (IsEucByte(b)) {
      if (i + 1 < n && IsEucByte(s[i + 1])) {
        unsigned c = s[i + 1];
        cost += kJisCharCost[(b - 0xA1) * 94 + (c - 0xA1)];
        if constexpr (kConvert) {
          EucPairToSjis(b, c, d + out);
          out += 2;
        }
        i += 2;
        previous = 0;
        continue;
      }
    } else if (b == 0x8E) {
      if (i + 1 < n && IsHalfWidthKana(s[i + 1])) {
        unsigned kana = s[i + 1];
        cost += HalfWidthCost(kana, previous) + kEucHalfWidthExtra;
        if constexpr (kConvert) d[out++] = static_cast<unsigned char>(kana);
        i += 2;
        previous = kana;
        continue;
      }
    } else if (b == 0x8F) {
      if (i + 2 < n && IsEucByte(s[i + 1]) && IsEucByte(s[i + 2])) {
        cost += kJisX0212Cost;
        if constexpr (kConvert) {
          d[out++] = kGetaLead;
          d[out++] = kGetaTrail;
        }
        i += 3;
        previous = 0;
        continue;
      }
    }
    // A byte that begins nothing valid: a truncated last character costs less than a bad one.
    bool truncated = (IsEucByte(b) || b == 0x8E || b == 0x8F) && i + (b == 0x8F ? 2 : 1) >= n;
    cost += truncated ? kTruncatedCost : kErrorCost;
    if constexpr (kConvert) {
      d[out++] = kGetaLead;
      d[out++] = kGetaTrail;
    }
    previous = 0;
    ++i;
  }
  r = {i, previous, cost};
  o = out;
}

constexpr size_t kPilotBytes = 4096;
constexpr size_t kSliceBytes = 16384;

struct Decision {
  KanjiCode code;
  bool converted;  // d holds the EUC-JP text converted, length bytes
  size_t length;
};

// Shift_JIS or EUC-JP, by the whole text. With d (which must then hold 2 * n bytes) an EUC-JP
// text may come back already converted into it; d may be written to in any case.
Decision DecideSjisOrEuc(const unsigned char* s, size_t n, unsigned char* d) {
  size_t unused = 0;
  Reading pilotSjis, pilotEuc;
  size_t pilotEnd = n < kPilotBytes ? n : kPilotBytes;
  ReadSjis(s, n, pilotEnd, pilotSjis);
  ReadEuc<false>(s, n, pilotEnd, pilotEuc, nullptr, unused);

  if (pilotEuc.cost < pilotSjis.cost) {
    // Likely EUC-JP: read (and convert) it whole, then Shift_JIS until it costs more.
    Reading euc;
    size_t length = 0;
    if (d != nullptr) {
      ReadEuc<true>(s, n, n, euc, d, length);
    } else {
      ReadEuc<false>(s, n, n, euc, nullptr, unused);
    }
    Reading sjis;
    while (sjis.i < n && sjis.cost <= euc.cost) {
      ReadSjis(s, n, n - sjis.i > kSliceBytes ? sjis.i + kSliceBytes : n, sjis);
    }
    if (sjis.cost <= euc.cost) return {KanjiCode::Sjis, false, 0};
    return {KanjiCode::Euc, d != nullptr, length};
  }
  // Likely Shift_JIS: read it whole, then EUC-JP until it costs as much.
  Reading sjis;
  ReadSjis(s, n, n, sjis);
  Reading euc;
  while (euc.i < n && euc.cost < sjis.cost) {
    ReadEuc<false>(s, n, n - euc.i > kSliceBytes ? euc.i + kSliceBytes : n, euc, nullptr, unused);
  }
  if (euc.cost < sjis.cost) return {KanjiCode::Euc, false, 0};
  return {KanjiCode::Sjis, false, 0};
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
        CopyAscii(s, i, n, d, o);
        continue;
      }
      if (!room(1)) break;
      d[o++] = static_cast<unsigned char>(b);
      ++i;
      continue;
    }
    if (IsEucByte(b) && i + 1 < n && IsEucByte(s[i + 1])) {
      if (!room(2)) break;
      EucPairToSjis(b, s[i + 1], d + o);
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
        EucPairToSjis(b | 0x80, s[i + 1] | 0x80u, d + o);
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
  // Pure ASCII (the common case for markup) needs no reading.
  if (SkipAscii(text, 0, length) == length) return KanjiCode::Sjis;
  return DecideSjisOrEuc(text, length, nullptr).code;
}

int StatusKanjiCode(const unsigned char* text, size_t length) {
  if (DetectKanjiCode(text, length) == 1) return 1;
  return static_cast<int>(GuessKanjiCode(text, length));
}

ConversionResult ConvertToSjis(const unsigned char* src, size_t srcLength, unsigned char* dst,
                               size_t dstCapacity) {
  const bool roomy = dstCapacity / 2 >= srcLength;  // every converter's output fits
  KanjiCode code = KanjiCode::Sjis;
  if (HasJisDesignation(src, srcLength)) {
    code = KanjiCode::Jis;
  } else if (SkipAscii(src, 0, srcLength) != srcLength) {
    Decision decision = DecideSjisOrEuc(src, srcLength, roomy ? dst : nullptr);
    if (decision.converted) return {decision.length, KanjiCode::Euc};
    code = decision.code;
  }
  size_t written;
  if (code == KanjiCode::Sjis) {
    written = srcLength < dstCapacity ? srcLength : dstCapacity;
    if (written != 0) std::memcpy(dst, src, written);
  } else if (roomy) {
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

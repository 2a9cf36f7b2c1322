#include "qt/Cp932Codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "editor/Sjis.h"
#include "qt/Cp932Table.h"

namespace pemrin::qt {

namespace {

constexpr char16_t kSingleBytePlaceholder = 0xF700;
constexpr char16_t kFirstVariationSelector = 0xFE00;

// Whether a byte standing alone decodes to its placeholder rather than to a character.
constexpr bool IsPlaceholderByte(unsigned b) {
  return b == 0x00 || b == 0x80 || b == 0xA0 || b >= 0xFD || IsSjisLeadByte(b);
}

// The encoder's tables, built once from the decoder's.
struct EncodeTables {
  // Per UTF-16 unit: 0 no code; 0x001-0x0FF a byte; 0x100-0x1FF the byte of a placeholder
  // (0x100 is NUL); from 0x8140 a lead and trail byte.
  std::array<std::uint16_t, 0x10000> code{};
  // Duplicates: (character << 4 | variant - 1) and the code, sorted.
  std::vector<std::pair<std::uint32_t, std::uint16_t>> variants;

  EncodeTables() {
    for (unsigned b = 1; b < 0x80; ++b) code[b] = static_cast<std::uint16_t>(b);
    for (unsigned b = 0xA1; b <= 0xDF; ++b) code[0xFF61 + b - 0xA1] = static_cast<std::uint16_t>(b);
    for (unsigned b = 0; b < 0x100; ++b)
      if (IsPlaceholderByte(b))
        code[kSingleBytePlaceholder + b] = static_cast<std::uint16_t>(0x100 + b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsSjisLeadByte(lead)) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsSjisTrailByte(trail)) continue;
        int i = cp932::DoubleByteIndex(lead, trail);
        auto pair = static_cast<std::uint16_t>(lead << 8 | trail);
        char16_t unit = cp932::kDoubleByteUnit[i];
        int variant = cp932::kDoubleByteVariant[i];
        if (variant == 0)
          code[unit] = pair;
        else
          variants.push_back({static_cast<std::uint32_t>(unit) << 4 | (variant - 1), pair});
      }
    }
    std::sort(variants.begin(), variants.end());
  }

  // The code of a character followed by a variation selector, or 0.
  std::uint16_t Variant(char16_t unit, char16_t selector) const {
    std::uint32_t key =
        static_cast<std::uint32_t>(unit) << 4 | (selector - kFirstVariationSelector);
    auto it =
        std::lower_bound(variants.begin(), variants.end(), std::make_pair(key, std::uint16_t{0}));
    return it != variants.end() && it->first == key ? it->second : 0;
  }
};

const EncodeTables& Tables() {
  static const EncodeTables tables;
  return tables;
}

bool IsVariationSelector(char16_t u) {
  return u >= 0xFE00 && u <= 0xFE0F;
}

void AppendReference(char32_t c, Bytes& out) {
  out += "&#";
  out += std::to_string(static_cast<unsigned long>(c));
  out += ';';
}

// Characters an input method (or another program) gives for what code page 932 holds under
// another code point: the JIS X 0208 reading of these codes against Microsoft's.
char32_t ToCp932Form(char32_t c) {
  switch (c) {
    case 0x301C:
      return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE (0x8160)
    case 0x2212:
      return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (0x817C)
    case 0x2016:
      return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO (0x8161)
    case 0x2014:
      return 0x2015;  // EM DASH -> HORIZONTAL BAR (0x815C)
    case 0x00A2:
      return 0xFFE0;  // CENT SIGN (0x8191)
    case 0x00A3:
      return 0xFFE1;  // POUND SIGN (0x8192)
    case 0x00AC:
      return 0xFFE2;  // NOT SIGN (0x81CA)
    case 0x00A6:
      return 0xFFE4;  // BROKEN BAR (0xFA55)
    default:
      return c;
  }
}

}  // namespace

QString DecodeCp932(std::string_view bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  QString out(static_cast<qsizetype>(n), Qt::Uninitialized);
  char16_t* o = reinterpret_cast<char16_t*>(out.data());
  char16_t* const begin = o;
  for (std::size_t i = 0; i < n;) {
    unsigned c = b[i];
    if (c < 0x80 && c != 0) {
      *o++ = static_cast<char16_t>(c);
      ++i;
    } else if (i + 1 < n && IsSjisLeadByte(c) && IsSjisTrailByte(b[i + 1])) {
      int index = cp932::DoubleByteIndex(c, b[i + 1]);
      *o++ = cp932::kDoubleByteUnit[index];
      if (int variant = cp932::kDoubleByteVariant[index])
        *o++ = static_cast<char16_t>(kFirstVariationSelector + variant - 1);
      i += 2;
    } else if (c >= 0xA1 && c <= 0xDF) {
      *o++ = static_cast<char16_t>(0xFF61 + c - 0xA1);
      ++i;
    } else {
      *o++ = static_cast<char16_t>(kSingleBytePlaceholder + c);
      ++i;
    }
  }
  out.truncate(o - begin);
  return out;
}

void AppendCp932(QStringView text, Bytes& out) {
  const EncodeTables& tables = Tables();
  const char16_t* t = text.utf16();
  const qsizetype n = text.size();
  // Written through a pointer into room for two bytes a unit; a reference makes more room.
  std::size_t at = out.size();
  out.resize(at + 2 * static_cast<std::size_t>(n));
  char* o = out.data() + at;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = t[i];
    if (u < 0x80 && u != 0) {
      *o++ = static_cast<char>(u);
      continue;
    }
    if (u == 0x2029) {
      *o++ = '\r';
      *o++ = '\n';
      continue;
    }
    std::uint16_t code = tables.code[u];
    if (code != 0 && i + 1 < n && IsVariationSelector(t[i + 1])) {
      if (std::uint16_t variant = tables.Variant(u, t[i + 1])) {
        code = variant;
        ++i;
      }
    }
    if (code == 0) {
      char32_t c = u;
      if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(t[i + 1])) {
        c = QChar::surrogateToUcs4(u, t[i + 1]);
        ++i;
      }
      Bytes reference;
      AppendReference(c, reference);
      at = o - out.data();
      out.resize(out.size() + reference.size());
      o = out.data() + at;
      for (char r : reference) *o++ = r;
    } else if (code < 0x100) {
      *o++ = static_cast<char>(code);
    } else if (code < 0x200) {
      *o++ = static_cast<char>(code - 0x100);
    } else {
      *o++ = static_cast<char>(code >> 8);
      *o++ = static_cast<char>(code & 0xFF);
    }
  }
  out.resize(o - out.data());
}

Bytes EncodeCp932(QStringView text) {
  Bytes out;
  out.reserve(static_cast<std::size_t>(text.size()) * 2);
  AppendCp932(text, out);
  return out;
}

bool IsCp932Representable(char32_t c) {
  return c < 0x10000 && Tables().code[c] != 0;
}

QString ToCp932Storable(QStringView text) {
  const EncodeTables& tables = Tables();
  QString out;
  out.reserve(text.size());
  const char16_t* t = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    char32_t c = t[i];
    if (QChar::isHighSurrogate(t[i]) && i + 1 < n && QChar::isLowSurrogate(t[i + 1])) {
      c = QChar::surrogateToUcs4(t[i], t[i + 1]);
      ++i;
    }
    c = ToCp932Form(c);
    if (!IsCp932Representable(c)) {
      out += QStringLiteral("&#") + QString::number(static_cast<qulonglong>(c)) + QLatin1Char(';');
      continue;
    }
    out += QChar(static_cast<char16_t>(c));
    // A duplicate code's character keeps its variation selector.
    if (i + 1 < n && IsVariationSelector(t[i + 1]) &&
        tables.Variant(static_cast<char16_t>(c), t[i + 1]) != 0)
      out += QChar(t[++i]);
  }
  return out;
}

}  // namespace pemrin::qt

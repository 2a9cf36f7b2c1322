// The editor's code page 932 codec: every byte sequence comes back byte for byte, and text that
// code page 932 cannot hold is stored as decimal references.

#include <gtest/gtest.h>

#include <QString>
#include <set>
#include <string>

#include "editor/Sjis.h"
#include "qt/Cp932Codec.h"

namespace pemrin::qt {
namespace {

Bytes RoundTrip(const Bytes& bytes) {
  return EncodeCp932(DecodeCp932(bytes));
}

// Characters the editor must never hold: QTextDocument takes them for structure.
bool HasStructuralCharacter(const QString& text) {
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u == 0 || u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC)
      return true;
  }
  return false;
}

TEST(Cp932Codec, EverySingleByteComesBack) {
  for (int b = 0; b < 256; ++b) {
    const Bytes alone(1, static_cast<char>(b));
    EXPECT_EQ(RoundTrip(alone), alone) << "byte " << b;
    const Bytes inLine = "<" + alone + "> ";
    EXPECT_EQ(RoundTrip(inLine), inLine) << "byte " << b;
    EXPECT_FALSE(HasStructuralCharacter(DecodeCp932(alone))) << "byte " << b;
  }
}

TEST(Cp932Codec, EveryTwoByteSequenceComesBack) {
  Bytes all;
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const Bytes pair{static_cast<char>(a), static_cast<char>(b)};
      ASSERT_EQ(RoundTrip(pair), pair) << std::hex << a << " " << b;
      ASSERT_EQ(RoundTrip(" " + pair + " "), " " + pair + " ") << std::hex << a << " " << b;
      all += pair;
    }
  }
  const QString decoded = DecodeCp932(all);
  EXPECT_EQ(EncodeCp932(decoded), all);
  EXPECT_FALSE(HasStructuralCharacter(decoded));
}

// The decoder's characters are those of editor/Sjis.h, so both editors agree on positions:
// each character is one UTF-16 unit, a duplicate code one unit and a variation selector.
TEST(Cp932Codec, CharacterBoundariesAreThoseOfSjis) {
  Bytes all;
  for (int a = 0x20; a < 256; ++a)
    for (int b = 0x20; b < 256; b += 7) all += {static_cast<char>(a), static_cast<char>(b)};
  all += "\x81";  // a lead byte at the very end
  const QString decoded = DecodeCp932(all);
  std::size_t i = 0;
  qsizetype u = 0;
  while (i < all.size()) {
    const std::size_t length = SjisCharLength(all.data(), all.size(), i);
    ASSERT_LT(u, decoded.size());
    int width = Cp932Width(decoded[u].unicode());
    ++u;
    while (u < decoded.size() && Cp932Width(decoded[u].unicode()) == 0) ++u;
    ASSERT_EQ(static_cast<std::size_t>(width), length) << "at byte " << i;
    i += length;
  }
  EXPECT_EQ(u, decoded.size());
}

TEST(Cp932Codec, UndecodableBytesBecomeDistinctPlaceholders) {
  const Bytes odd[] = {"\x80", "\xA0", "\xFD",     "\xFE",    "\xFF", std::string(1, '\0'),
                       "\x81", "\xFC", "\x85\x40", "\xEF\x40"};
  std::set<char16_t> seen;
  for (const Bytes& bytes : odd) {
    const QString text = DecodeCp932(bytes);
    ASSERT_EQ(text.size(), 1) << bytes;
    const char16_t u = text[0].unicode();
    EXPECT_GE(u, 0xE000);  // private use
    EXPECT_LE(u, 0xF8FF);
    EXPECT_TRUE(seen.insert(u).second);
  }
  // A lead byte without its trail byte stays one character and keeps the line break.
  EXPECT_EQ(DecodeCp932("\x81\r\n").size(), 3);
  EXPECT_EQ(DecodeCp932("\x81\r\n").mid(1), QStringLiteral("\r\n"));
}

TEST(Cp932Codec, DuplicateCodesComeBackAsTheyWent) {
  struct Duplicate {
    Bytes nec, ibm;
  };
  const Duplicate duplicates[] = {
      {"\xED\x40", "\xFA\x5C"},  // 纊: NEC-selected IBM extension and IBM extension
      {"\x87\x90", "\x81\xE0"},  // ≒: NEC row 13 and JIS X 0208
      {"\xEE\xF9", "\x81\xCA"},  // ￢
      {"\xFA\x54", "\x81\xCA"},
  };
  for (const Duplicate& d : duplicates) {
    const QString a = DecodeCp932(d.nec), b = DecodeCp932(d.ibm);
    EXPECT_EQ(a.at(0), b.at(0)) << d.nec;  // the same character on screen
    EXPECT_NE(a, b);
    EXPECT_EQ(EncodeCp932(a), d.nec);
    EXPECT_EQ(EncodeCp932(b), d.ibm);
  }
}

TEST(Cp932Codec, AsciiLookalikesStayApart) {
  EXPECT_EQ(DecodeCp932("\\~"), QStringLiteral("\\~"));
  EXPECT_EQ(EncodeCp932(u"\u00A5"), "&#165;");   // YEN SIGN is not the backslash
  EXPECT_EQ(EncodeCp932(u"\u203E"), "&#8254;");  // OVERLINE is not the tilde
  EXPECT_EQ(EncodeCp932(u"\u2029"), "\r\n");
}

TEST(Cp932Codec, StorableTextUsesReferencesForWhatHasNoCode) {
  struct Case {
    const char16_t* typed;
    Bytes stored;
  };
  const Case cases[] = {
      {u"a\U0001F600b", "a&#128512;b"},  // an emoji
      {u"\uD55C", "&#54620;"},           // a Korean syllable
      {u"\u301C", "\x81\x60"},           // WAVE DASH as typed on Linux -> ～
      {u"\u2212", "\x81\x7C"},           // MINUS SIGN -> －
      {u"\u2016", "\x81\x61"},           // DOUBLE VERTICAL LINE -> ∥
      {u"\u2014", "\x81\x5C"},           // EM DASH -> ―
      {u"\u00A2\u00A3\u00AC", "\x81\x91\x81\x92\x81\xCA"},
      {u"\u00A5", "&#165;"},
      {u"\u65E5\u672C", "\x93\xFA\x96\x7B"},  // 日本
      {u"\uFE00", "&#65024;"},                // a variation selector alone
      {u"\u2028", "&#8232;"},
  };
  for (const Case& c : cases) {
    const QString typed = QString::fromUtf16(c.typed);
    EXPECT_EQ(EncodeCp932(ToCp932Storable(typed)), c.stored) << typed.toStdString();
  }
  // A duplicate code's character keeps its variation selector.
  const QString nec = DecodeCp932("\xED\x40");
  EXPECT_EQ(ToCp932Storable(nec), nec);
  EXPECT_TRUE(IsCp932Representable(U'\uFF5E'));
  EXPECT_FALSE(IsCp932Representable(U'\U0001F600'));
}

}  // namespace
}  // namespace pemrin::qt

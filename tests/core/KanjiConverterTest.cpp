// The kanji-code converter: the status bar's quick rule, the converter's own guess, conversion
// of Shift_JIS, JIS and EUC-JP to Shift_JIS, and the buffer bound. Bytes are written out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/kanji/KanjiConverter.h"

namespace pemrin {
namespace {

const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

std::string Hex(const std::string& s) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

struct DetectCase {
  const char* what;
  std::string text;
  int code;
};

TEST(DetectKanjiCode, FollowsTheQuickRule) {
  const std::vector<DetectCase> cases = {
      {"empty", "", 0},
      {"shorter than 3 bytes", std::string("\xA1\xA1", 2), 0},
      {"pure ASCII", "<HTML>", 0},
      {"ESC $ B as the last three bytes", "abc\x1B$B", 1},
      {"ESC $ @", "\x1B$@0!", 1},
      {"ESC $ ( D", "\x1B$(D", 1},
      {"ESC $ ( without D as the last bytes falls to the EUC pass", "a\x1B$(", 0},
      {"ESC & @ ESC $ @", "\x1B&@\x1B$@", 1},
      {"ESC $ A is no JIS", "\x1B$A!!", 0},
      {"ESC ( B alone is no JIS", "a\x1B(Bb", 0},
      {"ASCII ending in three bytes A1", "abc\xA1\xA1\xA1", 2},
      {"ASCII ending in two bytes A1", "abc\xA1\xA1", 0},
      {"FE is still in the EUC range, FF is not", "\xFE\xFE\xFE \xFF\xFE\xFE", 2},
      {"JIS escape after an EUC-like run", "\xA4\xA2\xA4\xA4 \x1B$B", 1},
      {"three half-width katakana of Shift_JIS", "\xB1\xB2\xB3", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectKanjiCode(U(c.text), c.text.size()), c.code) << c.what;
  }
}

struct GuessCase {
  const char* what;
  std::string text;
  KanjiCode code;
};

TEST(GuessKanjiCode, ReadsTheWholeText) {
  const std::vector<GuessCase> cases = {
      {"empty", "", KanjiCode::Sjis},
      {"pure ASCII", "<P>hello</P>\r\n", KanjiCode::Sjis},
      {"terminal reset ESC ( B in ASCII", "\x1B(B\x1B[m", KanjiCode::Sjis},
      {"ESC $ B", "\x1B$B$\"\x1B(B", KanjiCode::Jis},
      {"ESC ( I half-width katakana", "\x1B(I1\x1B(B", KanjiCode::Jis},
      {"Shift_JIS hiragana", "\x82\xA0\x82\xA2\x82\xA4", KanjiCode::Sjis},
      // 熙 (EA A4) looks like EUC-JP until the hiragana after it.
      {"Shift_JIS starting with a kanji of lead EA", "\xEA\xA4\x82\xCD", KanjiCode::Sjis},
      // ｶﾀｶﾅで書く: four EUC-like bytes first.
      {"Shift_JIS starting with half-width katakana", "\xB6\xC0\xB6\xC5\x82\xC5\x8F\x91\x82\xAD",
       KanjiCode::Sjis},
      {"Shift_JIS ﾃﾞｰﾀ alone", "\xC3\xDE\xB0\xC0", KanjiCode::Sjis},
      {"Shift_JIS ﾌｧｲﾙ alone", "\xCC\xA7\xB2\xD9", KanjiCode::Sjis},
      {"Shift_JIS ﾎｰﾑﾍﾟｰｼﾞ alone", "\xCE\xB0\xD1\xCD\xDF\xB0\xBC\xDE", KanjiCode::Sjis},
      {"Shift_JIS NEC row 13 ①", "\x87\x40", KanjiCode::Sjis},
      {"EUC-JP one kanji 漢", "\xB4\xC1", KanjiCode::Euc},
      {"EUC-JP two kanji 保存", "\xCA\xDD\xC2\xB8", KanjiCode::Euc},
      {"EUC-JP two kanji on a line", "\xCA\xDD\xC2\xB8\n", KanjiCode::Euc},
      {"EUC-JP sentence", "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8",
       KanjiCode::Euc},
      // これはﾃｽﾄです with 0x8E half-width katakana.
      {"EUC-JP with 0x8E katakana",
       "\xA4\xB3\xA4\xEC\xA4\xCF\x8E\xC3\x8E\xBD\x8E\xC4\xA4\xC7\xA4\xB9", KanjiCode::Euc},
      {"EUC-JP with a JIS X 0212 kanji", "\xA4\xA2\x8F\xB0\xA1\xA4\xA2", KanjiCode::Euc},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GuessKanjiCode(U(c.text), c.text.size()), c.code) << c.what;
  }
}

std::string Repeat(const std::string& s, int times) {
  std::string out;
  for (int k = 0; k < times; ++k) out += s;
  return out;
}

// Texts whose first several kilobytes read best in the other code.
TEST(GuessKanjiCode, DecidesByTheWholeTextNotItsStart) {
  // 漢字 in EUC-JP (also valid Shift_JIS), then Shift_JIS hiragana that EUC-JP cannot read.
  std::string sjis = Repeat("\xB4\xC1\xBB\xFA", 2500) + Repeat("\x82\xA0\x82\xA2", 3000);
  EXPECT_EQ(GuessKanjiCode(U(sjis), sjis.size()), KanjiCode::Sjis);
  EXPECT_EQ(ConvertToSjis(sjis, nullptr), sjis);
  // Shift_JIS hiragana, then far more EUC-JP hiragana.
  std::string euc = Repeat("\x82\xA0", 2500) + Repeat("\xA4\xA2\xA4\xA4", 50000);
  EXPECT_EQ(GuessKanjiCode(U(euc), euc.size()), KanjiCode::Euc);
  KanjiCode code = KanjiCode::Sjis;
  std::string out = ConvertToSjis(euc, &code);
  EXPECT_EQ(code, KanjiCode::Euc);
  EXPECT_EQ(out.substr(out.size() - 4), "\x82\xA0\x82\xA2");
}

TEST(StatusKanjiCode, NamesTheCodeTheTextWasConvertedFrom) {
  // The quick rule calls three half-width katakana EUC; the converter reads Shift_JIS.
  std::string dataSjis = "\xC3\xDE\xB0\xC0";
  EXPECT_EQ(DetectKanjiCode(U(dataSjis), dataSjis.size()), 2);
  EXPECT_EQ(StatusKanjiCode(U(dataSjis), dataSjis.size()), 0);
  // A JIS escape decides for JIS in both, even amid EUC-like bytes.
  std::string mixed = "\xA4\xA2\xA4\xA2\x1B$B$\"\x1B(B";
  EXPECT_EQ(StatusKanjiCode(U(mixed), mixed.size()), 1);
  std::string euc = "\xB4\xC1\xBB\xFA";
  EXPECT_EQ(StatusKanjiCode(U(euc), euc.size()), 2);
  EXPECT_STREQ(KanjiCodeWord(KanjiCode::Sjis), "SJIS");
  EXPECT_STREQ(KanjiCodeWord(KanjiCode::Jis), "JIS");
  EXPECT_STREQ(KanjiCodeWord(KanjiCode::Euc), "EUC");
}

struct ConvertCase {
  const char* what;
  std::string in;
  std::string out;
  KanjiCode code;
};

TEST(ConvertToSjis, ConvertsEachCode) {
  const std::string geta = "\x81\xAC";
  const std::vector<ConvertCase> cases = {
      // Shift_JIS: byte for byte, whatever the bytes.
      {"NEC row 13, NEC-selected IBM and IBM rows", "\x87\x40\xED\x40\xEE\xFC\xFA\x40\xFC\x4B",
       "\x87\x40\xED\x40\xEE\xFC\xFA\x40\xFC\x4B", KanjiCode::Sjis},
      {"half-width katakana and a truncated last character", "\x82\xA0\xB1\xB2\x82",
       "\x82\xA0\xB1\xB2\x82", KanjiCode::Sjis},
      {"invalid bytes and NUL", std::string("\x82\xA0\x80\x00\xA0\xFD\xFF", 7),
       std::string("\x82\xA0\x80\x00\xA0\xFD\xFF", 7), KanjiCode::Sjis},
      // JIS.
      {"ESC $ B 亜 ESC ( B", "a\x1B$B0!\x1B(Bb",
       "a\x88\x9F"
       "b",
       KanjiCode::Jis},
      {"ESC $ @ 漢", "\x1B$@4A\x1B(J", "\x8A\xBF", KanjiCode::Jis},
      {"ESC & @ ESC $ B あ", "\x1B&@\x1B$B$\"\x1B(B", "\x82\xA0", KanjiCode::Jis},
      {"ESC $ ( D has no Shift_JIS form", "\x1B$(D0!0\"\x1B(Bx", geta + geta + "x", KanjiCode::Jis},
      {"ESC ( I stays half-width", "\x1B(I1_\x1B(B1",
       "\xB1\xDF"
       "1",
       KanjiCode::Jis},
      {"SO/SI katakana", "\x1B$B$\"\x1B(B\x0E\x31\x0F\x31", "\x82\xA0\xB1\x31", KanjiCode::Jis},
      {"ends without switching back", "\x1B$B4A;z", "\x8A\xBF\x8E\x9A", KanjiCode::Jis},
      {"half a pair at the end", "\x1B$B4A4", "\x8A\xBF" + geta, KanjiCode::Jis},
      {"line break inside kanji mode", "\x1B$B4A\r\n;z", "\x8A\xBF\r\n\x8E\x9A", KanjiCode::Jis},
      {"unknown escape passes", "\x1B$B4A\x1B(B\x1B[m", "\x8A\xBF\x1B[m", KanjiCode::Jis},
      {"8-bit bytes pass", "\x1B$B4A\x1B(B\xB1\x82\xA0", "\x8A\xBF\xB1\x82\xA0", KanjiCode::Jis},
      {"NUL in kanji mode", std::string("\x1B$B4A\x00;z", 8),
       std::string("\x8A\xBF\x00\x8E\x9A", 5), KanjiCode::Jis},
      // EUC-JP.
      {"first and last cells of JIS X 0208", "\xA1\xA1\xA1\xDF\xA1\xE0\xF4\xA6\xFE\xFE",
       "\x81\x40\x81\x7E\x81\x80\xEA\xA4\xEF\xFC", KanjiCode::Euc},
      {"ASCII runs longer than a word between kanji",
       "<title>\xB4\xC1\xBB\xFA</title> <p class=\"x\">\xA4\xA2</p>",
       "<title>\x8A\xBF\x8E\x9A</title> <p class=\"x\">\x82\xA0</p>", KanjiCode::Euc},
      {"0x8E half-width katakana", "\xA4\xB3\xA4\xEC\x8E\xC3\x8E\xBD\x8E\xC4",
       "\x82\xB1\x82\xEA\xC3\xBD\xC4", KanjiCode::Euc},
      {"JIS X 0212 becomes geta", "\xA4\xA2\x8F\xB0\xA1\xA4\xA2", "\x82\xA0" + geta + "\x82\xA0",
       KanjiCode::Euc},
      {"truncated last character", "\xB4\xC1\xBB\xFA\xA4\xA2\xA4",
       "\x8A\xBF\x8E\x9A\x82\xA0" + geta, KanjiCode::Euc},
      {"a bad byte becomes geta and the next byte is read again",
       "\xB4\xC1\xBB\xFA\xA4\xA2\x80"
       "a\xA4",
       "\x8A\xBF\x8E\x9A\x82\xA0" + geta + "a" + geta, KanjiCode::Euc},
      {"NUL passes", std::string("\xB4\xC1\x00\xBB\xFA", 5), std::string("\x8A\xBF\x00\x8E\x9A", 5),
       KanjiCode::Euc},
  };
  for (const auto& c : cases) {
    KanjiCode code = KanjiCode::Sjis;
    std::string out = ConvertToSjis(c.in, &code);
    EXPECT_EQ(Hex(out), Hex(c.out)) << c.what;
    EXPECT_EQ(code, c.code) << c.what;
  }
}

// Every capacity from none to more than enough: nothing is written past it, and what is
// written begins the full output.
TEST(ConvertToSjis, NeverWritesPastTheCapacity) {
  const std::vector<std::string> inputs = {
      "\x82\xA0\x82\xA2\x82\xA4",
      "\x1B$B4A\x1B$(D0!\x1B(I1\x1B(B\x0E\x31\x0F!\x1B$B4",
      "\xB4\xC1\x80\x80\x8F\xB0\xA1\x8E\xB1\xA4\xA2\xA4\xA2 plain ASCII text \xA4",
  };
  for (const auto& in : inputs) {
    const std::string full = ConvertToSjis(in, nullptr);
    ASSERT_LE(full.size(), 2 * in.size());
    for (size_t capacity = 0; capacity <= 4 * in.size(); ++capacity) {
      std::vector<unsigned char> buffer(capacity + 16, 0xEE);
      ConversionResult r = ConvertToSjis(U(in), in.size(), buffer.data(), capacity);
      ASSERT_LE(r.length, capacity);
      for (size_t k = capacity; k < buffer.size(); ++k) {
        ASSERT_EQ(buffer[k], 0xEE) << "capacity " << capacity;
      }
      std::string written(buffer.begin(), buffer.begin() + r.length);
      ASSERT_EQ(full.compare(0, written.size(), written), 0) << "capacity " << capacity;
      if (capacity >= full.size()) {
        ASSERT_EQ(written, full);
      }
    }
  }
}

}  // namespace
}  // namespace pemrin

#pragma once
// The kanji-code converter: recognises Shift_JIS, JIS (ISO-2022-JP) and EUC-JP text by itself
// and returns it in Shift_JIS. Loading a document runs every text through it.

#include <cstddef>
#include <string>

namespace pemrin {

enum class KanjiCode { Sjis = 0, Jis = 1, Euc = 2 };

// The status bar's word for a code: "SJIS", "JIS" or "EUC".
const char* KanjiCodeWord(KanjiCode code);

// The quick rule of the status bar: 1 when one of the JIS escape sequences ESC $ @, ESC $ B or
// ESC $ ( D stands anywhere in the text, else 2 when three bytes in a row lie in 0xA1-0xFE,
// else 0. Texts shorter than 3 bytes give 0.
int DetectKanjiCode(const unsigned char* text, size_t length);

// The converter's own decision. JIS when the text designates JIS X 0208, JIS X 0212 or
// half-width katakana by an escape sequence; otherwise whichever of Shift_JIS and EUC-JP reads
// the whole text as the likelier Japanese (invalid byte sequences weigh heavily), Shift_JIS on a
// tie, so pure ASCII is Shift_JIS.
KanjiCode GuessKanjiCode(const unsigned char* text, size_t length);

// The code to record for the status bar: 1 when DetectKanjiCode finds JIS, else the converter's
// guess, so that it always names the code the text was converted from.
int StatusKanjiCode(const unsigned char* text, size_t length);

struct ConversionResult {
  size_t length;   // bytes written to the destination
  KanjiCode code;  // the code the text was converted from
};

// Converts srcLength bytes to Shift_JIS in dst and returns the bytes written; never writes more
// than dstCapacity bytes. The output never exceeds 2 * srcLength bytes, so the program's buffer
// of 4 * L bytes always holds the whole text; a smaller dst receives only the beginning of the
// output. No terminating NUL is written, and NUL bytes pass through. Bytes of dst past the
// returned length (but within dstCapacity) may have been written to.
//
// Shift_JIS comes back byte for byte, invalid bytes included. From EUC-JP and JIS, characters
// with no Shift_JIS form (JIS X 0212) become the geta mark 〓 (0x81 0xAC); so does each byte that
// begins no valid character (a truncated last character, a lone lead byte, a half pair in the
// two-byte mode of JIS), after which conversion goes on with the next byte. Bytes of 0x80 and
// above in a JIS text pass through unchanged (8-bit half-width katakana among them), as do
// escape sequences the converter does not know.
ConversionResult ConvertToSjis(const unsigned char* src, size_t srcLength, unsigned char* dst,
                               size_t dstCapacity);

// The same for a whole string; codeOut, when given, receives the code converted from.
std::string ConvertToSjis(const std::string& src, KanjiCode* codeOut = nullptr);

}  // namespace pemrin

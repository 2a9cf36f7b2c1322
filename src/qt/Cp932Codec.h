#pragma once
// Code page 932 (Shift_JIS) for the editor, lossless: any byte sequence decodes to text that
// encodes back to the same bytes.
//
// Decoding, byte by byte from the left, with the character boundaries of editor/Sjis.h:
// - 0x01-0x7F: ASCII (0x5C stays the backslash and 0x7E the tilde).
// - 0xA1-0xDF: half-width katakana U+FF61-U+FF9F.
// - a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E, 0x80-0xFC): one
//   character. A duplicate code (NEC row 13 and NEC-selected IBM extensions, which code page 932
//   encodes to other bytes) decodes to the character followed by a variation selector U+FE00-,
//   which the encoder recognises; a pair with no character decodes to a private-use placeholder
//   from U+EC00 on.
// - every other byte (0x00, 0x80, 0xA0, 0xFD-0xFF, a lead byte without its trail byte): the
//   private-use placeholder U+F700 + byte.
// Placeholders show as the font's missing-glyph box, so what is on screen is what is saved.
// CR and LF decode to themselves; the editor turns them into paragraph breaks.

#include <QString>
#include <QStringView>
#include <string_view>

#include "app/Types.h"

namespace pemrin::qt {

// The text of any bytes.
QString DecodeCp932(std::string_view bytes);

// The bytes of text: the inverse of DecodeCp932. U+2029 (a paragraph break of QTextDocument)
// becomes CR LF; a character with no code becomes its decimal reference "&#N;".
Bytes EncodeCp932(QStringView text);
void AppendCp932(QStringView text, Bytes& out);

// Bytes that one UTF-16 unit of decoded text stands for: 1 or 2, 0 for a variation selector
// (its bytes are counted with the character before it), 2 for U+2029 (CR LF).
constexpr int Cp932Width(char16_t u) {
  if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) || (u >= 0xF700 && u <= 0xF7FF)) return 1;
  if (u >= 0xFE00 && u <= 0xFE0F) return 0;
  return 2;
}

// The placeholder of a lead byte standing alone (it pairs with a trail byte put after it).
constexpr bool IsLoneLeadPlaceholder(char16_t u) {
  return (u >= 0xF781 && u <= 0xF79F) || (u >= 0xF7E0 && u <= 0xF7FC);
}

// Whether a character (a code point) has a code of its own in code page 932.
bool IsCp932Representable(char32_t c);

// Typed, pasted or dropped text as the editor stores it: the characters an input method gives
// for what code page 932 holds under another code point (U+301C WAVE DASH for U+FF5E, U+2212
// MINUS SIGN for U+FF0D, ...) are mapped to it, and every character that still has no code
// becomes "&#N;" with its decimal code point, so that nothing is silently lost on saving.
QString ToCp932Storable(QStringView text);

}  // namespace pemrin::qt

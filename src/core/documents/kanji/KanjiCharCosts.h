#pragma once
// Character cost tables of the kanji-code guess (generated into KanjiCharCosts.cpp).

namespace pemrin::kanji_detail {

// Cost of each JIS X 0208 character, -log2 of its probability in Japanese text in quarter
// bits, indexed (row - 1) * 94 + (cell - 1). Codes no character set assigns cost the most.
extern const unsigned char kJisCharCost[94 * 94];

// Cost of each half-width katakana 0xA1-0xDF among the characters of a half-width run.
extern const unsigned char kHalfWidthKanaCost[63];

}  // namespace pemrin::kanji_detail

#pragma once
// Character cost tables of the kanji-code guess (generated into KanjiCharCosts.cpp).

namespace pemrin::kanji_detail {

// Cost of each JIS X 0208 character, -log2 of its probability in Japanese text in quarter
// bits, indexed (row - 1) * 94 + (cell - 1). Codes no character set assigns cost the most.
extern const unsigned char kJisCharCost[94 * 94];

// Cost of a half-width katakana 0xA1-0xDF after the one before it, indexed
// previous * 63 + (kana - 0xA1), where previous is the earlier kana - 0xA1, or 63 when the kana
// begins a run of half-width katakana.
extern const unsigned char kHalfWidthKanaCost[64 * 63];

}  // namespace pemrin::kanji_detail

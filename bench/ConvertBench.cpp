// Conversion speed of the kanji-code converter, guess included, on 12 MB of Japanese markup in
// each code. The text is drawn from the character frequencies that the guess itself uses,
// between ASCII tags and line breaks, so its mix of kana, kanji and ASCII is a real one.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Bench.h"
#include "documents/kanji/KanjiCharCosts.h"
#include "documents/kanji/KanjiConverter.h"

namespace pemrin::bench {
namespace {

constexpr size_t kTextBytes = 12 * 1024 * 1024;

// One piece of the text: an ASCII string, or a run of JIS X 0208 characters as (row, cell).
struct Piece {
  std::string ascii;
  std::vector<std::pair<int, int>> kanji;
};

// The same text as a sequence of pieces, about kTextBytes long in every code.
const std::vector<Piece>& SampleText() {
  static const std::vector<Piece> pieces = [] {
    std::vector<double> weights(94 * 94);
    for (size_t k = 0; k < weights.size(); ++k) {
      int cost = kanji_detail::kJisCharCost[k];
      int row = static_cast<int>(k / 94) + 1;
      // Only the characters of JIS X 0208 proper, which every converter knows.
      bool plain = row <= 8 || (row >= 16 && row <= 84);
      weights[k] = cost >= 120 || !plain ? 0.0 : std::exp2(-cost / 4.0);
    }
    std::mt19937 random(1337);
    std::discrete_distribution<int> character(weights.begin(), weights.end());
    std::uniform_int_distribution<int> runLength(4, 40);
    std::uniform_int_distribution<int> percent(0, 99);
    const char* tags[] = {"<P>",      "</P>\r\n",
                          "<BR>\r\n", "<B>",
                          "</B>",     "<A HREF=\"index.html\">",
                          "</A>",     " HTML ",
                          " 2024 ",   "<FONT COLOR=\"#FF0000\">",
                          "</FONT>"};
    std::vector<Piece> out;
    size_t bytes = 0;
    while (bytes < kTextBytes) {
      Piece piece;
      if (percent(random) < 30) {
        piece.ascii = tags[percent(random) % (sizeof tags / sizeof tags[0])];
        bytes += piece.ascii.size();
      } else {
        int n = runLength(random);
        for (int k = 0; k < n; ++k) {
          int code = character(random);
          piece.kanji.emplace_back(code / 94 + 1, code % 94 + 1);
        }
        bytes += 2 * n;
      }
      out.push_back(std::move(piece));
    }
    return out;
  }();
  return pieces;
}

std::string Encode(KanjiCode code) {
  std::string out;
  out.reserve(kTextBytes + kTextBytes / 8);
  for (const Piece& piece : SampleText()) {
    out += piece.ascii;
    if (piece.kanji.empty()) continue;
    if (code == KanjiCode::Jis) out += "\x1B$B";
    for (auto [row, cell] : piece.kanji) {
      int j1 = row + 0x20;
      int j2 = cell + 0x20;
      if (code == KanjiCode::Jis) {
        out += static_cast<char>(j1);
        out += static_cast<char>(j2);
      } else if (code == KanjiCode::Euc) {
        out += static_cast<char>(j1 | 0x80);
        out += static_cast<char>(j2 | 0x80);
      } else {
        out += static_cast<char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
        out += static_cast<char>(j2 + ((j1 & 1) ? (j2 < 0x60 ? 0x1F : 0x20) : 0x7E));
      }
    }
    if (code == KanjiCode::Jis) out += "\x1B(B";
  }
  return out;
}

// MB/s (10^6 bytes of input per second) of the best of five conversions into a 4 x L buffer.
double ConvertSpeed(KanjiCode code) {
  const std::string text = Encode(code);
  std::vector<unsigned char> buffer(4 * text.size());
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    double start = NowMs();
    ConversionResult result = ConvertToSjis(reinterpret_cast<const unsigned char*>(text.data()),
                                            text.size(), buffer.data(), buffer.size());
    double elapsed = NowMs() - start;
    if (result.code != code) return 0.0;  // a wrong guess measures nothing
    best = std::min(best, elapsed);
  }
  return text.size() / 1e6 / (best / 1000.0);
}

}  // namespace

PEMRIN_BENCH_FIGURE("convert_euc_mb_s", "MB/s") {
  return ConvertSpeed(KanjiCode::Euc);
}
PEMRIN_BENCH_FIGURE("convert_jis_mb_s", "MB/s") {
  return ConvertSpeed(KanjiCode::Jis);
}
PEMRIN_BENCH_FIGURE("convert_sjis_mb_s", "MB/s") {
  return ConvertSpeed(KanjiCode::Sjis);
}

}  // namespace pemrin::bench

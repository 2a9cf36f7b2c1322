// Find Next and Replace All on the Qt editor, shown at 1000 x 700 in the real main window and
// driven through the main window's logic, every replacement with its change handling.
//
// replace_all_10k_ms: Replace All of 10,000 occurrences in 1 MB.
// replace_all_scaling: the same in 1 MB over 256 KB with a quarter of the occurrences (linear
//   growth gives 4).
// find_next_1mb_us: one Find Next from the top of 1 MB to its one occurrence at the end.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

#include "Bench.h"
#include "BenchProgram.h"

namespace pemrin::bench {
namespace {

// About `bytes` of HTML with Japanese text in lines of about 100 bytes; `occurrences` of the
// needle spread evenly over them.
Bytes Document(int bytes, int occurrences, const Bytes& needle) {
  // "<P>日本語のテキストとtext</P>" in Shift_JIS, then ASCII to fill the line.
  const Bytes japanese = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xc6";
  const int lines = std::max(occurrences, bytes / 100);
  Bytes text;
  text.reserve(static_cast<std::size_t>(bytes) + 256);
  int placed = 0;
  for (int line = 0; line < lines; ++line) {
    Bytes row = "<P>" + japanese + "text <FONT color=\"#FF0000\">";
    if (placed < occurrences && static_cast<long long>(line) * occurrences / lines >= placed) {
      row += needle;
      ++placed;
    }
    while (row.size() < 96) row += " abcdefgh";
    row += "</P>\r\n";
    text += row;
  }
  return text;
}

double ReplaceAllMs(int bytes, int occurrences) {
  BenchProgram program;
  program.Editor().SetText(Document(bytes, occurrences, "needle"));
  program.Editor().SetSelStart(0);
  program.Settle();
  TForm1& form = program.Form();
  form.ReplaceDialog1.SetFindText("needle");
  form.ReplaceDialog1.SetReplaceText("pin");
  const double start = NowMs();
  form.Run([&] { form.ReplaceDialog1Replace(ReplaceButton::ReplaceAll); });
  const double elapsed = NowMs() - start;
  if (program.window->lastMessage != std::to_string(occurrences) + "個の個所を置換しました。") {
    return -1;  // not what was asked for: no figure
  }
  return elapsed;
}

}  // namespace

PEMRIN_BENCH_FIGURE("replace_all_10k_ms", "ms") {
  std::vector<double> times;
  for (int i = 0; i < 3; ++i) times.push_back(ReplaceAllMs(1000000, 10000));
  std::sort(times.begin(), times.end());
  return times[1];
}

PEMRIN_BENCH_FIGURE("replace_all_scaling", "x") {
  std::vector<double> ratios;
  for (int i = 0; i < 3; ++i) {
    const double small = ReplaceAllMs(256000, 2500);
    const double large = ReplaceAllMs(1000000, 10000);
    ratios.push_back(small > 0 && large > 0 ? large / small : -1);
  }
  std::sort(ratios.begin(), ratios.end());
  return ratios[1];
}

PEMRIN_BENCH_FIGURE("find_next_1mb_us", "us") {
  BenchProgram program;
  Bytes text = Document(1000000, 0, "");
  text += "needle";
  program.Editor().SetText(text);
  program.Settle();
  TForm1& form = program.Form();
  form.FindDialog1.SetFindText("needle");
  std::vector<double> times;
  for (int i = 0; i < 21; ++i) {
    program.Editor().SetSelStart(0);
    const double start = NowMs();
    const bool found = form.FindNextMatch(form.FindDialog1);
    times.push_back(NowMs() - start);
    if (!found || program.Editor().SelLength() != 6) return -1;
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2] * 1000.0;
}

}  // namespace pemrin::bench

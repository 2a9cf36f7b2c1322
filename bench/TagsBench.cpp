// The tag assistance on the Qt editor in the shown main window.
//
// color_all_1mb_ms   ColorAllTags over 1 MB with about 52,000 tags, with the layout once the
//                    editor is shown again
// color_all_scaling  the same at 1 MB over 256 KB (linear growth gives 4)
// key_tab_1mb_us, key_gt_1mb_us, key_enter_1mb_us
//                    the key handlers' own cost at the end of 1 MB: a new Tab completion, a '>'
//                    closing a tag, an Enter repeating the line's tabs
// key_size_ratio     the largest of the three at 1 MB over the same at 1 KB

#include <algorithm>
#include <functional>

#include "Bench.h"
#include "BenchProgram.h"

namespace pemrin::bench {
namespace {

double ColorAllMs(std::size_t bytes) {
  BenchProgram program;
  program.Editor().SetText(HtmlDocument(bytes, 3));
  program.Settle();
  TForm1& form = program.Form();
  const double start = NowMs();
  form.Run([&] { form.ColorAllTags(); });
  program.Settle();
  return NowMs() - start;
}

// Microseconds of one key handler call at the end of a document of `bytes`, averaged; `prepare`
// types what the key works on (not timed), `press` calls the handlers.
double KeyMicroseconds(std::size_t bytes, const Bytes& prepared,
                       const std::function<void(TForm1&)>& press) {
  BenchProgram program;
  program.Editor().SetText(HtmlDocument(bytes, 3) + "\t");
  program.Editor().SetSelStart(-1);
  program.Editor().ScrollCaret();
  program.Settle();
  TForm1& form = program.Form();
  constexpr int kRounds = 50;
  double total = 0;
  for (int round = 0; round < kRounds; ++round) {
    program.Editor().SetSelStart(-1);
    program.Editor().ReplaceSelectionAsUser("\r\n\t" + prepared);
    const double start = NowMs();
    press(form);
    total += NowMs() - start;
    program.Settle();
    // Leave no completion running for the next round.
    int shift = VK_SHIFT;
    form.RichEdit1KeyDown(shift, {true, false, false});
  }
  return total * 1000.0 / kRounds;
}

void PressTab(TForm1& form) {
  int key = VK_TAB;
  form.RichEdit1KeyDown(key, {});
  char character = 9;
  form.RichEdit1KeyPress(character);
}

void PressGreaterThan(TForm1& form) {
  int key = 0xBE;
  form.RichEdit1KeyDown(key, {true, false, false});
  char character = '>';
  form.RichEdit1KeyPress(character);
}

void PressEnter(TForm1& form) {
  int key = VK_RETURN;
  form.RichEdit1KeyDown(key, {});
  char character = 13;
  form.RichEdit1KeyPress(character);
}

double KeyTab(std::size_t bytes) {
  return KeyMicroseconds(bytes, "<fo", PressTab);
}
double KeyGreaterThan(std::size_t bytes) {
  return KeyMicroseconds(bytes, "<font color=red", PressGreaterThan);
}
double KeyEnter(std::size_t bytes) {
  return KeyMicroseconds(bytes, "text\ttext", PressEnter);
}

constexpr std::size_t kOneMb = 1 << 20;

}  // namespace

PEMRIN_BENCH_FIGURE("color_all_1mb_ms", "ms") {
  return ColorAllMs(kOneMb);
}

PEMRIN_BENCH_FIGURE("color_all_scaling", "x") {
  const double small = ColorAllMs(kOneMb / 4);
  const double large = ColorAllMs(kOneMb);
  return large / small;
}

PEMRIN_BENCH_FIGURE("key_tab_1mb_us", "us") {
  return KeyTab(kOneMb);
}
PEMRIN_BENCH_FIGURE("key_gt_1mb_us", "us") {
  return KeyGreaterThan(kOneMb);
}
PEMRIN_BENCH_FIGURE("key_enter_1mb_us", "us") {
  return KeyEnter(kOneMb);
}

PEMRIN_BENCH_FIGURE("key_size_ratio", "x") {
  const double large[] = {KeyTab(kOneMb), KeyGreaterThan(kOneMb), KeyEnter(kOneMb)};
  const double small[] = {KeyTab(1024), KeyGreaterThan(1024), KeyEnter(1024)};
  const std::size_t worst = std::max_element(large, large + 3) - large;
  return large[worst] / small[worst];
}

}  // namespace pemrin::bench

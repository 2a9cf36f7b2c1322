// Large documents in the real main window, shown at 1000 x 700 on the offscreen platform.
//
// load_10mb_ms              opening a 10 MB Shift_JIS HTML file (about 520,000 tags) the way a
//                           dropped file is opened: read, converted, every tag coloured, status
//                           bar, caption; until the window has laid out and painted it
// peak_rss_10mb_mb          peak RSS of the process that did that (a child process of its own,
//                           so that other figures do not count)
// key_1mb_single_line_ms    one typed character (a key press through the editor's own key
//                           handling) at the end of a 1 MB document on one line, with the layout
//                           and painting that follow, averaged

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "Bench.h"
#include "BenchProgram.h"

namespace pemrin::bench {
namespace {

constexpr const char* kChildVariable = "PEMRIN_SIZE_BENCH_CHILD";

// The child's work: opens a 10 MB file in the main window; prints "milliseconds peak-MB".
void ChildOpen10Mb() {
  static int argc = 1;
  static char name[] = "pemrin-bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  BenchProgram program;
  const std::string path = program.Path("big.html").toStdString();
  {
    std::ofstream file(path, std::ios::binary);
    file << HtmlDocument(10 << 20, 3);
  }
  TForm1& form = program.Form();
  const double start = NowMs();
  form.Run([&] { form.DropFiles({path}); });
  BenchProgram::Settle();
  const double ms = NowMs() - start;
  const bool opened = form.FilePath == path && program.Editor().TextLength() >= (10 << 20);
  std::printf("%.3f %.3f\n", opened ? ms : -1.0, PeakRssMb());
  std::fflush(stdout);
}

// A child started with kChildVariable set does its work before main() and ends.
const bool kIsChild = [] {
  if (!std::getenv(kChildVariable)) return false;
  ChildOpen10Mb();
  std::_Exit(0);
  return true;
}();

// The child's two figures, measured once for both.
std::pair<double, double> Open10MbInChild() {
  static std::optional<std::pair<double, double>> figures;
  if (figures) return *figures;
  char self[4096] = {};
  double ms = -1, mb = -1;
  if (readlink("/proc/self/exe", self, sizeof self - 1) > 0) {
    setenv(kChildVariable, "1", 1);
    FILE* child = popen(("exec '" + std::string(self) + "'").c_str(), "r");
    unsetenv(kChildVariable);
    if (child) {
      if (std::fscanf(child, "%lf %lf", &ms, &mb) != 2) ms = mb = -1;
      pclose(child);
    }
  }
  figures = {ms, mb};
  return *figures;
}

PEMRIN_BENCH_FIGURE("load_10mb_ms", "ms") {
  return Open10MbInChild().first;
}

PEMRIN_BENCH_FIGURE("peak_rss_10mb_mb", "MB") {
  return Open10MbInChild().second;
}

PEMRIN_BENCH_FIGURE("key_1mb_single_line_ms", "ms") {
  BenchProgram program;
  // Minified HTML: 1 MB of tags and text with no line break.
  Bytes line;
  while (line.size() < (1 << 20)) line += "<div class=\"a\"><b>\x93\xfa\x96\x7b</b>text</div>";
  qt::QtRichEdit& editor = program.Editor();
  editor.SetText(line);
  editor.SetSelStart(-1);
  editor.ScrollCaret();
  BenchProgram::Settle();
  const int keys = 50;
  const double start = NowMs();
  for (int i = 0; i < keys; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&editor, &press);
    QApplication::sendEvent(&editor, &release);
    BenchProgram::Settle();
  }
  const double ms = (NowMs() - start) / keys;
  if (editor.TextLength() != static_cast<int>(line.size()) + keys) return -1;  // keys lost
  return ms;
}

}  // namespace
}  // namespace pemrin::bench

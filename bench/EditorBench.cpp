// Figures of the editing control: QtRichEdit shown in a 1000 x 700 window on the offscreen
// platform, so that layout and painting are counted where the user would wait for them.
//
// setsel_1mb_us / setsel_1kb_us  one EM_SETSEL and a colour change near the end of a document,
//                                with the events that follow (layout, painting), averaged
// text_1mb_ms                    Text() of a 1 MB document
// peak_rss_1mb_mb                peak RSS of a process that shows a 1 MB document (measured in
//                                a child process of its own, so other figures do not count)
// editor_*                       what later work builds on: colouring 50,000 tags in a hidden
//                                editor, 10,000 replacements, typing at the end of a 1 MB line,
//                                loading 10 MB, FindText near the end of 1 MB

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Bench.h"
#include "qt/QtRichEdit.h"

namespace pemrin::bench {
namespace {

using qt::QtRichEdit;

// An HTML document of about `bytes` bytes: paragraphs of Japanese text, each in <p> and </p>,
// with no more than `maxTags` tags. Returns the document and where each tag starts and ends.
struct Document {
  Bytes text;
  std::vector<std::pair<int, int>> tags;
};

Document MakeDocument(std::size_t bytes, std::size_t maxTags) {
  // 日本語の文章です。これはテストの行 (30 bytes)
  const Bytes japanese =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42\x82\xB1"
      "\x82\xEA\x82\xCD\x83\x65\x83\x58\x83\x67";
  Document doc;
  doc.text.reserve(bytes + 64);
  while (doc.text.size() < bytes) {
    if (doc.tags.size() + 2 <= maxTags) {
      const int open = static_cast<int>(doc.text.size());
      doc.text += "<p>";
      doc.tags.push_back({open, open + 3});
      doc.text += japanese;
      const int close = static_cast<int>(doc.text.size());
      doc.text += "</p>\r\n";
      doc.tags.push_back({close, close + 4});
    } else {
      doc.text += japanese + " plain text without tags\r\n";
    }
  }
  return doc;
}

std::unique_ptr<QtRichEdit> ShownEditor() {
  auto editor = std::make_unique<QtRichEdit>();
  editor->resize(1000, 700);
  editor->show();
  QApplication::processEvents();
  return editor;
}

// Microseconds per SetSel + colour change on tags near the end of the document, scrolled into
// view, with the events that follow each change.
double SetSelMicroseconds(std::size_t bytes) {
  const Document doc = MakeDocument(bytes, 1000000);
  auto editor = ShownEditor();
  editor->SetText(doc.text);
  editor->SetSelStart(-1);
  editor->ScrollCaret();
  QApplication::processEvents();
  const std::size_t count = std::min<std::size_t>(20, doc.tags.size());
  const std::size_t first = doc.tags.size() - count;
  const int rounds = 400;
  const double start = NowMs();
  for (int i = 0; i < rounds; ++i) {
    const auto [from, to] = doc.tags[first + i % count];
    editor->SetSel(from, to);
    editor->SetSelColor(i % 2 ? RgbToTColor(128, 0, 0) : RgbToTColor(0, 0, 128));
    QApplication::processEvents();
  }
  return (NowMs() - start) * 1000.0 / rounds;
}

PEMRIN_BENCH_FIGURE("setsel_1mb_us", "us") {
  return SetSelMicroseconds(1 << 20);
}
PEMRIN_BENCH_FIGURE("setsel_1kb_us", "us") {
  return SetSelMicroseconds(1 << 10);
}

PEMRIN_BENCH_FIGURE("text_1mb_ms", "ms") {
  const Document doc = MakeDocument(1 << 20, 1000000);
  auto editor = ShownEditor();
  editor->SetText(doc.text);
  const int rounds = 10;
  std::size_t check = 0;
  const double start = NowMs();
  for (int i = 0; i < rounds; ++i) check += editor->Text().size();
  const double ms = (NowMs() - start) / rounds;
  if (check != doc.text.size() * rounds) std::fprintf(stderr, "text_1mb_ms: wrong text\n");
  return ms;
}

// --- Measured in a child process --------------------------------------------------------------

constexpr const char* kChildVariable = "PEMRIN_EDITOR_BENCH_CHILD";

// The child's work: shows a document of the given size and prints "milliseconds peak-MB".
void ChildLoad(std::size_t bytes) {
  static int argc = 1;
  static char name[] = "pemrin-bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const Document doc = MakeDocument(bytes, bytes / 20);
  auto editor = ShownEditor();
  const double start = NowMs();
  editor->SetText(doc.text);
  QApplication::processEvents();
  const double ms = NowMs() - start;
  std::printf("%.3f %.3f\n", ms, PeakRssMb());
  std::fflush(stdout);
}

// A child started with kChildVariable set does its work before main() and ends.
const bool kIsChild = [] {
  const char* size = std::getenv(kChildVariable);
  if (!size) return false;
  ChildLoad(std::strtoull(size, nullptr, 10));
  std::_Exit(0);
  return true;
}();

// Runs this program as a child that loads `bytes`; returns its milliseconds and peak RSS.
std::pair<double, double> LoadInChild(std::size_t bytes) {
  char self[4096] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return {-1, -1};
  setenv(kChildVariable, std::to_string(bytes).c_str(), 1);
  FILE* child = popen(("exec '" + std::string(self) + "'").c_str(), "r");
  unsetenv(kChildVariable);
  double ms = -1, mb = -1;
  if (child) {
    if (std::fscanf(child, "%lf %lf", &ms, &mb) != 2) ms = mb = -1;
    pclose(child);
  }
  return {ms, mb};
}

PEMRIN_BENCH_FIGURE("peak_rss_1mb_mb", "MB") {
  return LoadInChild(1 << 20).second;
}

PEMRIN_BENCH_FIGURE("editor_load_10mb_ms", "ms") {
  return LoadInChild(10 << 20).first;
}
PEMRIN_BENCH_FIGURE("editor_load_10mb_rss_mb", "MB") {
  return LoadInChild(10 << 20).second;
}

// --- What later work builds on ----------------------------------------------------------------

// Colours 50,000 tags of 1 MB in a hidden editor, then shows it again and lets it lay out.
PEMRIN_BENCH_FIGURE("editor_color50k_ms", "ms") {
  const Document doc = MakeDocument(1 << 20, 50000);
  auto editor = ShownEditor();
  editor->SetText(doc.text);
  QApplication::processEvents();
  const double start = NowMs();
  editor->SetVisible(false);
  editor->SelectAll();
  editor->SetSelColor(RgbToTColor(0, 0, 0));
  for (const auto& [from, to] : doc.tags) {
    editor->SetSel(from, to);
    editor->SetSelColor(RgbToTColor(128, 0, 128));
  }
  editor->SetSelStart(0);
  editor->SetVisible(true);
  QApplication::processEvents();
  return NowMs() - start;
}

// 10,000 replacements (SetSel and SetSelTextBuf) through 1 MB, front to back.
PEMRIN_BENCH_FIGURE("editor_replace10k_ms", "ms") {
  const Document doc = MakeDocument(1 << 20, 1000000);
  auto editor = ShownEditor();
  editor->SetText(doc.text);
  QApplication::processEvents();
  const std::size_t step = doc.tags.size() / 10000;
  int shift = 0;
  const double start = NowMs();
  for (std::size_t i = 0; i < 10000; ++i) {
    const auto [from, to] = doc.tags[i * step];
    editor->SetSel(from + shift, to + shift);
    const Bytes replacement = to - from == 3 ? "<P >" : "</P >";
    editor->SetSelTextBuf(replacement);
    shift += static_cast<int>(replacement.size()) - (to - from);
  }
  QApplication::processEvents();
  return NowMs() - start;
}

// One character typed at the end of a 1 MB document that is a single line.
PEMRIN_BENCH_FIGURE("editor_type_1mb_line_ms", "ms") {
  const Document doc = MakeDocument(1 << 20, 1000000);
  Bytes line;
  for (char c : doc.text)
    if (c != '\r' && c != '\n') line += c;
  auto editor = ShownEditor();
  editor->SetText(line);
  editor->SetSelStart(-1);
  editor->ScrollCaret();
  QApplication::processEvents();
  const int rounds = 5;
  const double start = NowMs();
  for (int i = 0; i < rounds; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor.get(), &release);
    QApplication::processEvents();
  }
  return (NowMs() - start) / rounds;
}

// FindText of a word near the end of 1 MB, case-blind, from 4 KB before it (find next) and from
// the start of the document.
double FindMicroseconds(int fromEnd) {
  Document doc = MakeDocument(1 << 20, 1000000);
  const int at = static_cast<int>(doc.text.size()) - 100;
  doc.text.insert(at, "needle");
  auto editor = ShownEditor();
  editor->SetText(doc.text);
  const int rounds = 20;
  const int from = fromEnd < 0 ? 0 : static_cast<int>(doc.text.size()) - fromEnd;
  const double start = NowMs();
  int found = 0;
  for (int i = 0; i < rounds; ++i)
    found = editor->FindText("NEEDLE", from, editor->TextLength() - from, {});
  const double us = (NowMs() - start) * 1000.0 / rounds;
  if (found != at) std::fprintf(stderr, "FindText: found %d, not %d\n", found, at);
  return us;
}

PEMRIN_BENCH_FIGURE("editor_find_1mb_us", "us") {
  return FindMicroseconds(4096);
}
PEMRIN_BENCH_FIGURE("editor_find_whole_1mb_us", "us") {
  return FindMicroseconds(-1);
}

}  // namespace
}  // namespace pemrin::bench

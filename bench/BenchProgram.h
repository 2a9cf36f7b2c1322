#pragma once
// The real main window for the benchmarks: started from a program folder of its own, shown at
// 1000 x 700 on the offscreen platform, with message boxes and beeps kept off the screen so
// that nothing waits for a click.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "QtMainWindow.h"
#include "QtRichEdit.h"

namespace pemrin::bench {

class QuietWindow : public qt::QtMainWindow {
 public:
  using QtMainWindow::QtMainWindow;
  void ShowMessage(const std::string& text) override { lastMessage = text; }
  void Beep() override {}
  std::string lastMessage;
};

class BenchProgram {
 public:
  BenchProgram() {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& name : bin.entryList({"*.dic", "*.tlt", "*.url"}, QDir::Files)) {
      QFile::copy(bin.filePath(name), dir.filePath(name));
    }
    QFile ini(dir.filePath("pemrin.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[SET]\r\nSPW=0\r\n");
    ini.close();
    window = std::make_unique<QuietWindow>(QStringList(), dir.filePath("pemrin"));
    window->Start();
    window->resize(1000, 700);
    Settle();
  }
  ~BenchProgram() { window->hide(); }

  // Lets the window lay out and paint what changed.
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  QString Path(const QString& name) const { return dir.filePath(name); }
  TForm1& Form() { return window->Form(); }
  qt::QtRichEdit& Editor() { return *window->Editor(); }

  QTemporaryDir dir;
  std::unique_ptr<QuietWindow> window;
};

// About `bytes` of Shift_JIS HTML in lines of about 120 bytes, each with `tagPairsPerLine`
// pairs of tags around Japanese text (three pairs give about 52,000 tags per megabyte).
inline Bytes HtmlDocument(std::size_t bytes, int tagPairsPerLine) {
  // 日本語のテキスト
  const Bytes japanese = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67";
  Bytes line;
  for (int i = 0; i < tagPairsPerLine; ++i) line += "<B>" + japanese + "</B>";
  while (line.size() < 118) line += " text";
  line += "\r\n";
  Bytes text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  return text;
}

}  // namespace pemrin::bench

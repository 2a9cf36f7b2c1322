#pragma once
// The real main window, started offscreen from a program folder of its own (a copy of the
// dictionaries and templates the build put beside the program), and a way to answer the modal
// boxes it shows.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "QtMainWindow.h"

namespace pemrin::qt::testing {

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

// Runs `answer` on the next modal window that opens (a message box or dialog), from the event
// loop, so that a handler blocked in exec() can go on.
inline void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    }
  });
  timer->start();
}

class MainWindowFixture {
 public:
  explicit MainWindowFixture(QStringList arguments = {}, QByteArray ini = "[SET]\r\nSPW=0\r\n") {
    const QDir bin(PEMRIN_BIN_DIR);
    for (const QString& name : bin.entryList({"*.dic", "*.tlt", "*.url"}, QDir::Files)) {
      QFile::copy(bin.filePath(name), Path(name));
    }
    if (!ini.isEmpty()) WriteFile(Path("pemrin.ini"), ini);
    window = std::make_unique<QtMainWindow>(arguments, Path("pemrin"));
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  void Start() {
    window->Start();
    QApplication::processEvents();
  }

  QTemporaryDir dir;
  std::unique_ptr<QtMainWindow> window;
};

}  // namespace pemrin::qt::testing

// The program entry: the application object, the main window, the message loop.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "Application.h"
#include "ErrorBox.h"
#include "QtMainWindow.h"
#include "app/Types.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  try {
    pemrin::qt::SetUpApplication(app);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    pemrin::qt::QtMainWindow window(arguments);
    window.Start();
    // The start-up benchmark's probe: say when the window is on screen.
    if (qEnvironmentVariableIsSet("PEMRIN_REPORT_SHOWN")) {
      QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
      });
    }
    app.exec();
  } catch (const pemrin::PemrinError& error) {
    pemrin::qt::ShowErrorBox(nullptr, QString::fromUtf8(error.what()));
  }
  return 0;
}

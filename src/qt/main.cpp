// The program entry: the application object, the main window, the message loop.

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}

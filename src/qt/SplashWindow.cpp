#include "SplashWindow.h"

#include <QLabel>
#include <QScreen>

#include "Logo.h"

namespace pemrin::qt {

SplashWindow::SplashWindow(QWidget* owner)
    : QFrame(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("Form6");
  setFixedSize(304, 104);
  // Panel1: fills the window and frames the picture with its bevel.
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setGeometry(2, 2, 300, 100);
  image->setPixmap(LogoPixmap());
}

void SplashWindow::ShowCentred() {
  QScreen* screen = this->screen();
  if (screen) {
    QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
}

}  // namespace pemrin::qt

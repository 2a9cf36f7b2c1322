#pragma once
// The splash window: the logo, borderless in the middle of the screen, during start-up.

#include <QFrame>

namespace pemrin::qt {

class SplashWindow : public QFrame {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* owner);
  void ShowCentred();
};

}  // namespace pemrin::qt

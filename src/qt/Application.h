#pragma once
// The application object's set-up: title, icon, Japanese translations of Qt's own texts, and
// the fonts that stand in for the program's default Japanese fonts.

class QApplication;

namespace pemrin::qt {

void SetUpApplication(QApplication& app);

}  // namespace pemrin::qt

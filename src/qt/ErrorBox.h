#pragma once
// The application's standard error box.

#include <QString>

class QWidget;

namespace pemrin::qt {

// The message as the standard error box shows it: "." appended when the last character sorts
// after ".".
QString ErrorBoxText(const QString& message);

// Title "Pemrin v1.37", an error icon and OK.
void ShowErrorBox(QWidget* parent, const QString& message);

}  // namespace pemrin::qt

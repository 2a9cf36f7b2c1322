#include "ErrorBox.h"

#include <QMessageBox>

#include "app/Types.h"

namespace pemrin::qt {

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QChar('.')) return message + QChar('.');
  return message;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kAppTitle), ErrorBoxText(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace pemrin::qt

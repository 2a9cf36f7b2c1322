// The main window's font settings item and version item, and the dialogs they show.

#include "qt/AboutBox.h"
#include "qt/QtMainWindow.h"
#include "qt/SettingsDialog.h"

namespace pemrin::qt {

void QtMainWindow::ConnectSettingsAndHelp() {
  pemrin::TForm1& form = *form_;
  Connect("Font1", [&form] { form.Font1Click(); });
  Connect("A2", [&form] { form.A2Click(); });
}

// A new dialog for every opening, destroyed when it closes.
void QtMainWindow::ShowSettingsDialog() {
  SettingsDialog dialog(*form_, this);
  dialog.exec();
}

void QtMainWindow::ShowAboutBox() {
  AboutBox box(QString::fromStdString(form_->ExeDir), this);
  box.exec();
}

}  // namespace pemrin::qt

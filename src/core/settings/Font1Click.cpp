// The File menu's font and colour settings item.

#include "app/TForm1.h"

namespace pemrin {

// The dialog's close (TForm2::FormClose) enables the main window again.
void TForm1::Font1Click() {
  platform_.SetMainWindowEnabled(false);
  platform_.ShowSettingsDialog();
}

}  // namespace pemrin

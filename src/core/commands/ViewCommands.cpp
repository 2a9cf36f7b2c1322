// Word wrap, printer set-up and printing.

#include "app/TForm1.h"

namespace pemrin {

// The check mark and the editor's wrap mode always change together. Rewrapping may report a
// change of the text; it is no edit, so the caption, Save and the modified state come out as
// they went in.
void TForm1::WordWrap1Click() {
  SaveUiState();
  const bool wrap = !ItemChecked(MenuItem::WordWrap1);
  SetItemChecked(MenuItem::WordWrap1, wrap);
  richEdit_.SetWordWrap(wrap);
  RestoreUiState();
}

void TForm1::N7Click() {
  platform_.PrinterSetup();
}

// The whole document, whatever is selected, with the document's path (empty after New) as the
// job's title.
void TForm1::Print1Click() {
  platform_.Print(FileTitle);
}

}  // namespace pemrin

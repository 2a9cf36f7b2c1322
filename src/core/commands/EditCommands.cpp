// The Edit menu's commands and its enabling, shared by the editor's popup menu.

#include "app/TForm1.h"

namespace pemrin {

// Runs each time the Edit menu opens and before each of its shortcuts. The popup menu's items
// are never touched, so they are offered whatever the selection and the clipboard hold.
void TForm1::Edit1Click() {
  SetItemEnabled(MenuItem::Paste1, richEdit_.ClipboardHasText());
  const bool selected = richEdit_.SelLength() != 0;
  SetItemEnabled(MenuItem::Copy1, selected);
  SetItemEnabled(MenuItem::Cut1, selected);
  SetItemEnabled(MenuItem::Delete1, selected);
}

// Takes back the last edit the control recorded: typing, cutting, pasting. The program's own
// replacements (Delete, Replace, completion) are not recorded.
void TForm1::Undo1Click() {
  richEdit_.Undo();
}

void TForm1::Cut1Click() {
  richEdit_.CutToClipboard();
  richEdit_.SetFocus();
}

void TForm1::Copy1Click() {
  richEdit_.CopyToClipboard();
  richEdit_.SetFocus();
}

void TForm1::Paste1Click() {
  richEdit_.PasteFromClipboard();
  richEdit_.SetFocus();
}

// Removes the selection without the clipboard.
void TForm1::Delete1Click() {
  richEdit_.SetSelTextBuf(Bytes());
}

void TForm1::SelectAll1Click() {
  richEdit_.SelectAll();
}

}  // namespace pemrin

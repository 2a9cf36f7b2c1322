// Find and Find Next: the search step that both dialogs use, and the find dialog's handlers.

#include <algorithm>

#include "app/TForm1.h"
#include "editor/Sjis.h"

namespace pemrin {

Bytes CutDialogText(const Bytes& text) {
  if (text.size() <= static_cast<std::size_t>(kDialogTextLimit)) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + SjisCharLength(text.data(), text.size(), end);
    if (next > static_cast<std::size_t>(kDialogTextLimit)) break;
    end = next;
  }
  return text.substr(0, end);
}

// The search runs forward from the end of the selection to the end of the text and does not
// wrap; an occurrence that is already selected is stepped over. While Replace All runs, a miss
// is silent and leaves the caret at the end with nothing selected, which ends its loop.
bool TForm1::FindNextMatch(const FindDialogState& dialog) {
  const int start = richEdit_.SelStart() + richEdit_.SelLength();
  const int length = richEdit_.TextLength() - start;
  const int found = richEdit_.FindText(dialog.findText, start, length, dialog.Options());
  if (found != -1 || ReplacingAll) {
    richEdit_.SetFocus();
    richEdit_.SetSelStart(found);
    richEdit_.SetSelLength(static_cast<int>(dialog.findText.size()));
    richEdit_.ScrollCaret();
    return found != -1;
  }
  platform_.Beep();
  platform_.ShowMessage("見つかりませんでした");
  return false;
}

// Both dialogs open at a third of the screen's width and height, also after the user has moved
// them away.
void TForm1::Find2Click() {
  const ScreenSize screen = platform_.Screen();
  platform_.ShowFindDialog(screen.width / 3, screen.height / 3);
}

// F3 and the dialog's Find Next button: with the dialog on screen, search with what it holds
// now; otherwise only bring the dialog up.
void TForm1::FindDialog1Find() {
  if (FindDialogShown) {
    FindNextMatch(FindDialog1);
  } else {
    Find2Click();
  }
}

void TForm1::FindDialog1Show() {
  FindDialogShown = true;
}

void TForm1::FindDialog1Close() {
  FindDialogShown = false;
}

}  // namespace pemrin

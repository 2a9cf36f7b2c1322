// Replace and Replace All through the replace dialog.

#include <string>

#include "app/TForm1.h"

namespace pemrin {

namespace {

// Whether the selection is itself an occurrence of the dialog's find text.
bool SelectionIsOccurrence(const EditorControl& editor, const FindDialogState& dialog) {
  const int length = editor.SelLength();
  if (length == 0 || length != static_cast<int>(dialog.findText.size())) return false;
  const int start = editor.SelStart();
  return editor.FindText(dialog.findText, start, length, dialog.Options()) == start;
}

}  // namespace

void TForm1::Replace1Click() {
  const ScreenSize screen = platform_.Screen();
  platform_.ShowReplaceDialog(screen.width / 3, screen.height / 3);
}

void TForm1::ReplaceDialog1Find() {
  FindNextMatch(ReplaceDialog1);
}

// Replace puts the replace text in place of whatever is selected, then searches on. Replace All
// searches first, then replaces and searches until a search finds nothing; each search starts
// behind the text just inserted, so a replace text holding the find text cannot loop.
void TForm1::ReplaceDialog1Replace(ReplaceButton button) {
  if (button == ReplaceButton::Replace) {
    if (richEdit_.SelLength() > 0) richEdit_.SetSelTextBuf(ReplaceDialog1.replaceText);
    FindNextMatch(ReplaceDialog1);
    return;
  }

  const bool found = FindNextMatch(ReplaceDialog1);
  int count = 0;
  // With nothing found the selection is still the user's: it is replaced only when it is an
  // occurrence itself (one selected by Find Next), never text that merely happened to be
  // selected, since a replacement cannot be undone.
  if (found || SelectionIsOccurrence(richEdit_, ReplaceDialog1)) {
    // The loop is one pass over the document: the control may batch its many changes and
    // show the outcome once. The flag and the bracket end whatever happens inside.
    struct Pass {
      EditorControl& editor;
      bool& replacingAll;
      ~Pass() {
        replacingAll = false;
        editor.SetVisible(true);
      }
    } pass{richEdit_, ReplacingAll};
    richEdit_.SetVisible(false);
    ReplacingAll = true;
    while (richEdit_.SelLength() > 0) {
      richEdit_.SetSelTextBuf(ReplaceDialog1.replaceText);
      FindNextMatch(ReplaceDialog1);
      ++count;
    }
  }
  platform_.ShowMessage(std::to_string(count) + "個の個所を置換しました。");
}

}  // namespace pemrin

// Colouring every tag of the document: the text colour everywhere, then the interior of each
// tag in the tag colour.

#include "app/TForm1.h"

namespace pemrin {

void TForm1::ColorAllTags() {
  // Hidden, the editor batches the many selections and colour changes into one update.
  richEdit_.SetVisible(false);
  const int saved = richEdit_.SelStart();
  richEdit_.SelectAll();
  richEdit_.SetSelColor(richEdit_.FontColor());
  richEdit_.SetSelStart(richEdit_.TextLength());
  richEdit_.ScrollCaret();

  const Bytes text = richEdit_.Text();
  std::size_t scan = 0;
  while (true) {
    const std::size_t open = text.find('<', scan);
    if (open == Bytes::npos) break;
    const std::size_t close = text.find('>', open + 1);
    if (close != Bytes::npos) {
      richEdit_.SetSel(static_cast<int>(open) + 1, static_cast<int>(close));
      richEdit_.SetSelColor(TagColor);
      scan = close + 1;
    } else {
      // An unclosed '<': the reversed range selects the '<' itself.
      richEdit_.SetSel(static_cast<int>(open) + 1, static_cast<int>(open));
      richEdit_.SetSelColor(TagColor);
      scan = open + 1;
    }
  }
  richEdit_.SetSelStart(saved);
  richEdit_.ScrollCaret();
  richEdit_.SetVisible(true);
}

void TForm1::N1Click() {
  SaveUiState();
  ColorAllTags();
  richEdit_.SetFocus();
  RestoreUiState();
}

}  // namespace pemrin

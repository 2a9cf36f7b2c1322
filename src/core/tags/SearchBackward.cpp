// The backward search on the caret's line that both the completion and the closing of a tag
// start from.

#include <algorithm>

#include "app/TForm1.h"

namespace pemrin {

// Only the caret's line is read: the cost of a key must not grow with the document.
TForm1::BackwardMatch TForm1::SearchBackward(char delimiter) const {
  BackwardMatch match;
  match.caret = richEdit_.SelStart();
  const int line = richEdit_.LineFromChar(match.caret);
  const int lineStart = richEdit_.LineIndex(line);
  const int column = match.caret - lineStart;
  const Bytes text = richEdit_.Line(line);
  // '<', '>' and space are below every Shift_JIS trail byte, so a byte match is a character.
  for (int i = std::min(column, static_cast<int>(text.size())) - 1; i >= 0; --i) {
    if (text[i] == delimiter) {
      match.found = true;
      match.start = lineStart + i + 1;
      match.length = column - i - 1;
      break;
    }
  }
  return match;
}

}  // namespace pemrin

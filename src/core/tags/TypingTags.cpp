// Typing-time tag handling: '>' closes the tag the caret is in (its name upper-cased, the tag
// coloured), Enter starts a new line that repeats the line's tabs.

#include <algorithm>

#include "app/TForm1.h"
#include "tags/AnsiText.h"

namespace pemrin {

// Runs before the control inserts the '>'; the '>' then takes the text colour.
void TForm1::CloseTag() {
  const BackwardMatch open = SearchBackward('<');
  const BackwardMatch close = SearchBackward('>');
  if (!open.found || (close.found && close.start > open.start)) {
    // No tag open before the caret on its line: '>' is just a character.
    richEdit_.SetSelStart(open.caret);
    return;
  }
  const int start = open.start;
  const int end = open.start + open.length;
  richEdit_.SetSel(start, end);
  const Bytes interior = richEdit_.SelText();
  const int nameEnd = start + static_cast<int>(std::min(interior.find(' '), interior.size()));
  const Bytes name = AnsiUpper(interior.substr(0, nameEnd - start));

  richEdit_.SetSel(start, nameEnd);
  richEdit_.SetSelColor(ListedTagColor(name, TagColor));
  richEdit_.SetSelTextBuf(name);  // same length: the positions after it stay valid
  richEdit_.SetSel(nameEnd, end);
  richEdit_.SetSelColor(TagColor);

  richEdit_.SetSelStart(end);
  richEdit_.SetSelColor(richEdit_.FontColor());
}

// Replaces the selection with CR LF and one tab for every tab of the caret's whole line.
void TForm1::BreakLine(char& key) {
  const Bytes line = richEdit_.Line(richEdit_.LineFromChar(richEdit_.SelStart()));
  Bytes text = "\r\n";
  text.append(std::count(line.begin(), line.end(), '\t'), '\t');
  richEdit_.SetSelTextBuf(text);
  key = 0;
}

}  // namespace pemrin

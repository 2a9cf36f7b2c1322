// The editor's key handlers: every key reaches RichEdit1KeyDown first, every character then
// RichEdit1KeyPress, which may take it (Key = 0) before the control inserts it.

#include "app/TForm1.h"

namespace pemrin {

// Every key but the three that drive a completion ends it, Shift alone included.
void TForm1::RichEdit1KeyDown(int& key, ShiftState) {
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) CancelCompletion();
}

void TForm1::RichEdit1KeyPress(char& key) {
  if ((key == '\t' || key == '\x1b' || key == '\r') && CandidateMode && !CandidateShown()) {
    // The candidate was moved or unselected by the mouse since the last key: the cycle is
    // over, with the text left as the user now has it, and the key works as without one.
    EndCycle();
  }
  switch (key) {
    case '\t':
      TabKey(key);
      break;
    case '\x1b':
      EscKey(key);
      break;
    case '\r':
      if (CandidateMode) {
        AcceptCandidate(key);
      } else {
        BreakLine(key);
      }
      break;
    case '>':
      CloseTag();
      break;
    default:
      break;
  }
}

}  // namespace pemrin

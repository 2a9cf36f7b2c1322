// The editor's key handlers: every key reaches RichEdit1KeyDown first, every character then
// RichEdit1KeyPress, which may take it (Key = 0) before the control inserts it.

#include "app/TForm1.h"

namespace pemrin {

void TForm1::RichEdit1KeyDown(int&, ShiftState) {}

void TForm1::RichEdit1KeyPress(char&) {}

}  // namespace pemrin

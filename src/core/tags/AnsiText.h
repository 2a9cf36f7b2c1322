#pragma once
// Letter case of Shift_JIS (code page 932) byte text, as the ANSI functions of that code page
// treat it: only the single-byte ASCII letters have a case. The second byte of a double-byte
// character may look like an ASCII letter (ア is 0x83 0x41) but is never one.

#include "app/Types.h"

namespace pemrin {

// The text with every single-byte a-z turned into A-Z; double-byte characters come out intact.
Bytes AnsiUpper(const Bytes& text);

// Whether a and b are equal when single-byte ASCII letters are compared without case.
bool AnsiSameText(const Bytes& a, const Bytes& b);

}  // namespace pemrin

#pragma once
// The conversion of a typed number, as the settings dialog's size box needs it.

#include <string>

namespace pemrin {

// The whole number written in `text`: blanks (spaces and tabs) around it are ignored, an
// optional '+' or '-' comes first, then decimal digits, or hexadecimal digits after "$", "0x"
// or "0X". The value must lie in the range of int. Anything else throws PemrinError
// "'<text>' は整数ではありません" with the text as given.
int StrToInt(const std::string& text);

}  // namespace pemrin

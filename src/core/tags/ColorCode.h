#pragma once
// HTML colour codes of colours.

#include "app/Types.h"

namespace pemrin {

// "#RRGGBB" with upper-case hexadecimal digits.
Bytes HexColorCode(TColor color);

}  // namespace pemrin

// Insertion of a colour chosen in the colour dialog as an HTML colour code.

#include "tags/ColorCode.h"

#include <cstdio>

#include "app/TForm1.h"

namespace pemrin {

Bytes HexColorCode(TColor color) {
  // Printed as one number the digits read BBGGRR; HTML wants them the other way round.
  char d[8];
  std::snprintf(d, sizeof d, "%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return Bytes{'#', d[4], d[5], d[2], d[3], d[0], d[1]};
}

// An ordinary edit: the code replaces the selection and takes no colour of its own.
void TForm1::Color1Click() {
  const std::optional<TColor> chosen = platform_.ChooseColor();
  if (!chosen) return;
  richEdit_.SetSelTextBuf(HexColorCode(*chosen));
}

}  // namespace pemrin

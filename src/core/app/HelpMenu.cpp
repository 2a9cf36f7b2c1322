// The Help menu's version item.

#include "app/TForm1.h"

namespace pemrin {

void TForm1::A2Click() {
  platform_.ShowAboutBox();
}

}  // namespace pemrin

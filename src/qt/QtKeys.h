#pragma once
// Qt keys as the key handlers receive them: Windows virtual key codes and the shift state.

#include <Qt>

#include "app/TForm1.h"

namespace pemrin::qt {

// The virtual key code of a Qt key (Qt::Key_A -> 'A', Qt::Key_Tab and Qt::Key_Backtab -> 9,
// Qt::Key_Return and Qt::Key_Enter -> 13, ...); 0 for a key with no code.
int VirtualKeyFromQt(int qtKey);

ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace pemrin::qt

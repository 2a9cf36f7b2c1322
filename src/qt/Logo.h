#pragma once
// The program's artwork, drawn in code: the 300 x 100 logo and the program icon.

#include <QIcon>
#include <QPixmap>

namespace pemrin::qt {

QPixmap LogoPixmap();
QIcon ProgramIcon();

}  // namespace pemrin::qt

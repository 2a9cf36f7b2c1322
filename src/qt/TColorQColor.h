#pragma once
// The program's colours (0x00BBGGRR, red in the lowest byte) as Qt colours and back.

#include <QColor>

#include "app/Types.h"

namespace pemrin::qt {

inline QColor QColorFromTColor(pemrin::TColor color) {
  return QColor(pemrin::TColorRed(color), pemrin::TColorGreen(color), pemrin::TColorBlue(color));
}

inline pemrin::TColor TColorFromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return pemrin::RgbToTColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace pemrin::qt

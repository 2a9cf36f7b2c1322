#include "Logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pemrin::qt {

QPixmap LogoPixmap() {
  QPixmap pixmap(300, 100);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 100);
  sky.setColorAt(0, QColor(12, 32, 72));
  sky.setColorAt(1, QColor(30, 88, 150));
  painter.fillRect(pixmap.rect(), sky);

  // A tag bracket pair behind the name, in the default tag colour.
  QPen bracketPen(QColor(0, 255, 0, 110), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(bracketPen);
  painter.drawPolyline(QPolygon({QPoint(34, 20), QPoint(12, 50), QPoint(34, 80)}));
  painter.drawPolyline(QPolygon({QPoint(266, 20), QPoint(288, 50), QPoint(266, 80)}));

  QFont name("DejaVu Sans", 34, QFont::Bold);
  painter.setFont(name);
  painter.setPen(QColor(255, 255, 255));
  painter.drawText(QRect(0, 8, 300, 62), Qt::AlignCenter, "Pemrin");

  QFont version("DejaVu Sans", 12, QFont::Bold);
  painter.setFont(version);
  painter.setPen(QColor(0, 255, 0));
  painter.drawText(QRect(0, 64, 300, 26), Qt::AlignCenter, "v1.37");
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.setBrush(QColor(20, 60, 120));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    QPen pen(QColor(0, 255, 0), s * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawPolyline(QPolygonF(
        {QPointF(s * 0.36, s * 0.25), QPointF(s * 0.16, s * 0.5), QPointF(s * 0.36, s * 0.75)}));
    painter.drawPolyline(QPolygonF(
        {QPointF(s * 0.64, s * 0.25), QPointF(s * 0.84, s * 0.5), QPointF(s * 0.64, s * 0.75)}));
    painter.setPen(QPen(QColor(255, 255, 255), s * 0.08, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(s * 0.56, s * 0.22), QPointF(s * 0.44, s * 0.78));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace pemrin::qt

#include "ui/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace qm {

QPixmap QuillmarkPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);

  // A dark blue tile with a film strip along its foot and a quill across it.
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(0x1C, 0x3F, 0x8C));
  tile.setColorAt(1, QColor(0x00, 0x1E, 0x5A));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

  p.setBrush(QColor(0xFF, 0xF9, 0xF0));
  p.drawRect(QRectF(8, 46, 48, 10));
  p.setBrush(QColor(0x00, 0x1E, 0x5A));
  for (int x = 11; x < 56; x += 8) p.drawRect(QRectF(x, 48.5, 4, 5));

  QPainterPath feather;
  feather.moveTo(16, 44);
  feather.cubicTo(20, 26, 34, 10, 52, 8);
  feather.cubicTo(48, 22, 36, 34, 16, 44);
  p.setBrush(QColor(0x8F, 0xD3, 0xFF));
  p.drawPath(feather);
  p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14, 46), QPointF(44, 16));
  return pixmap;
}

QIcon QuillmarkIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(QuillmarkPixmap(size));
  return icon;
}

}  // namespace qm

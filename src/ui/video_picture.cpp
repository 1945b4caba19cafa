#include "ui/video_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace qm {
namespace {

// The subtitle's height against the picture's, as players draw it.
constexpr double kLineHeightShare = 0.075;
constexpr int kSmallestFont = 11;

}  // namespace

VideoPicture::VideoPicture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 90);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VideoPicture::ShowFrame(const QImage& picture, int64_t ms) {
  m_picture = picture;
  m_frameMs = ms;
  update();
}

void VideoPicture::Clear() {
  m_picture = QImage();
  m_frameMs = -1;
  update();
}

void VideoPicture::SetSubtitle(const QString& lines) {
  if (lines == m_subtitle) return;
  m_subtitle = lines;
  update();
}

QRect VideoPicture::PictureRect() const {
  if (m_picture.isNull()) return rect();
  QSize size = m_picture.size();
  size.scale(this->size(), Qt::KeepAspectRatio);
  return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void VideoPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const QRect area = PictureRect();
  if (!m_picture.isNull()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, m_picture);
  }
  PaintSubtitle(painter, area);
  if (!m_picture.isNull()) emit FramePainted(m_frameMs);
}

void VideoPicture::PaintSubtitle(QPainter& painter, const QRect& area) const {
  if (m_subtitle.isEmpty()) return;
  QFont font = this->font();
  font.setBold(true);
  font.setPixelSize(std::max(kSmallestFont, static_cast<int>(area.height() * kLineHeightShare)));
  const QFontMetrics metrics(font);
  const QStringList lines = m_subtitle.split('\n');
  QPainterPath text;
  int baseline = area.bottom() - metrics.descent() - area.height() / 20 -
                 static_cast<int>(lines.size() - 1) * metrics.lineSpacing();
  for (const QString& line : lines) {
    text.addText(area.center().x() - metrics.horizontalAdvance(line) / 2.0, baseline, font, line);
    baseline += metrics.lineSpacing();
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.strokePath(text, QPen(QColor(16, 16, 16), std::max(2.0, font.pixelSize() / 6.0), Qt::SolidLine,
                                Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(text, Qt::white);
}

}  // namespace qm

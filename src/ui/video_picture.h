#pragma once
// The film's picture with the subtitle on it: each frame scaled into the widget keeping its
// shape, and the subtitle shown at that frame's time drawn over the bottom of the picture,
// white on a dark outline, one line per "|".

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace qm {

class VideoPicture final : public QWidget {
  Q_OBJECT

 public:
  explicit VideoPicture(QWidget* parent = nullptr);

  void ShowFrame(const QImage& picture, int64_t ms);
  void Clear();
  // Lines separated by "\n"; empty for none.
  void SetSubtitle(const QString& lines);
  const QString& Subtitle() const { return m_subtitle; }
  int64_t FrameMs() const { return m_frameMs; }  // -1 before the first frame
  bool HasFrame() const { return !m_picture.isNull(); }
  // Where the picture stands inside the widget.
  QRect PictureRect() const;

 signals:
  // A frame has been painted on screen (the benchmark waits for this).
  void FramePainted(qint64 ms);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintSubtitle(QPainter& painter, const QRect& area) const;

  QImage m_picture;
  int64_t m_frameMs = -1;
  QString m_subtitle;
};

}  // namespace qm

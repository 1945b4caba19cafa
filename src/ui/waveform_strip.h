#pragma once
// The strip under the picture: the sound's waveform around the current position, with the
// subtitles drawn as bars at their times. A click seeks there; dragging a bar's left or right
// edge moves that subtitle's show or hide time, handed on once, when the mouse is let go.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "document/video_timing.h"

namespace qm {

struct SharedWaveform;

class WaveformStrip final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int64_t kSpanMs = 10000;  // shown across the strip's width
  static constexpr double kGrip = 4;         // pixels either side of a bar's edge

  // Reads the subtitles that overlap a stretch of the film.
  using SpanSource = std::function<std::vector<SubtitleSpan>(int64_t fromMs, int64_t toMs)>;
  WaveformStrip(SpanSource spans, QWidget* parent = nullptr);

  void SetWaveform(std::shared_ptr<SharedWaveform> waveform);
  const std::shared_ptr<SharedWaveform>& Waveform() const { return m_waveform; }
  void SetPosition(int64_t ms);
  void SetCurrentSubtitle(int32_t index);
  // Shown when there is no waveform to draw ("computing", "no sound").
  void SetNote(const QString& note);
  StripScale Scale() const;
  int64_t Position() const { return m_positionMs; }

 signals:
  void SeekRequested(qint64 ms);
  void EdgeMoved(int index, int which, qint64 ms);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PaintWave(QPainter& painter, const StripScale& scale);
  void PaintBars(QPainter& painter, const StripScale& scale, const std::vector<SubtitleSpan>& spans);
  std::vector<SubtitleSpan> VisibleSpans(const StripScale& scale) const;

  SpanSource m_spans;
  std::shared_ptr<SharedWaveform> m_waveform;
  int64_t m_positionMs = 0;
  int32_t m_current = 0;
  QString m_note;
  std::optional<BarEdge> m_drag;  // the edge held, with where it is now
  int64_t m_dragFromMs = 0;
};

}  // namespace qm

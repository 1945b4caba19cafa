#include "ui/waveform_strip.h"

#include <QMouseEvent>
#include <QPainter>
#include <mutex>

#include "document/subtitles_tool.h"
#include "ui/video_engine.h"

namespace qm {
namespace {

const QColor kBackground(24, 28, 36);
const QColor kWave(96, 200, 120);
const QColor kUnheard(52, 56, 64);
const QColor kBar(80, 140, 255, 70);
const QColor kCurrentBar(255, 200, 60, 90);
const QColor kEdge(150, 190, 255);
const QColor kCursor(255, 70, 70);

}  // namespace

WaveformStrip::WaveformStrip(SpanSource spans, QWidget* parent) : QWidget(parent), m_spans(std::move(spans)) {
  setMinimumHeight(64);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMouseTracking(true);
}

void WaveformStrip::SetWaveform(std::shared_ptr<SharedWaveform> waveform) {
  m_waveform = std::move(waveform);
  update();
}

void WaveformStrip::SetPosition(int64_t ms) {
  if (ms == m_positionMs) return;
  m_positionMs = ms;
  update();
}

void WaveformStrip::SetCurrentSubtitle(int32_t index) {
  if (index == m_current) return;
  m_current = index;
  update();
}

void WaveformStrip::SetNote(const QString& note) {
  if (note == m_note) return;
  m_note = note;
  update();
}

StripScale WaveformStrip::Scale() const { return CenteredStrip(m_positionMs, kSpanMs, width()); }

std::vector<SubtitleSpan> WaveformStrip::VisibleSpans(const StripScale& scale) const {
  return m_spans ? m_spans(scale.FirstMs, scale.LastMs(width())) : std::vector<SubtitleSpan>{};
}

void WaveformStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  const StripScale scale = Scale();
  PaintWave(painter, scale);
  PaintBars(painter, scale, VisibleSpans(scale));
  painter.setPen(kCursor);
  painter.drawLine(width() / 2, 0, width() / 2, height());
  if (!m_note.isEmpty()) {
    painter.setPen(Qt::lightGray);
    painter.drawText(rect().adjusted(6, 2, -6, -2), Qt::AlignLeft | Qt::AlignTop, m_note);
  }
}

void WaveformStrip::PaintWave(QPainter& painter, const StripScale& scale) {
  if (!m_waveform) return;
  std::lock_guard lock(m_waveform->Lock);
  const WaveformSummary& summary = m_waveform->Summary;
  const int64_t heardUpTo = summary.BucketCount() * WaveformSummary::kBucketMs;
  const int middle = height() / 2;
  for (int x = 0; x < width(); ++x) {
    const int64_t from = scale.MsAt(x), to = std::max(scale.MsAt(x + 1), from + 1);
    if (from < 0) continue;
    if (!m_waveform->Done && from >= heardUpTo) {
      painter.setPen(kUnheard);
      painter.drawLine(x, middle - 1, x, middle + 1);
      continue;
    }
    const int half = summary.PeakBetween(from, to) * (middle - 2) / 255;
    painter.setPen(kWave);
    painter.drawLine(x, middle - half, x, middle + half);
  }
}

void WaveformStrip::PaintBars(QPainter& painter, const StripScale& scale,
                              const std::vector<SubtitleSpan>& spans) {
  for (SubtitleSpan span : spans) {
    if (m_drag && m_drag->Index == span.Index)
      (m_drag->Which == kShowTime ? span.ShowMs : span.HideMs) = m_drag->Ms;
    const int left = static_cast<int>(scale.XOf(span.ShowMs)),
              right = static_cast<int>(scale.XOf(span.HideMs));
    const QRect bar(QPoint(left, 0), QPoint(right, height() - 1));
    painter.fillRect(bar, span.Index == m_current ? kCurrentBar : kBar);
    painter.setPen(kEdge);
    painter.drawLine(left, 0, left, height());
    painter.drawLine(right, 0, right, height());
    painter.drawText(bar.adjusted(3, 0, 0, -2), Qt::AlignLeft | Qt::AlignBottom, QString::number(span.Index));
  }
}

void WaveformStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const StripScale scale = Scale();
  const double x = event->position().x();
  m_drag = EdgeNear(VisibleSpans(scale), scale, x, kGrip);
  if (m_drag) {
    m_dragFromMs = m_drag->Ms;
    return;
  }
  emit SeekRequested(std::max<int64_t>(0, scale.MsAt(x)));
}

void WaveformStrip::mouseMoveEvent(QMouseEvent* event) {
  const StripScale scale = Scale();
  const double x = event->position().x();
  if (m_drag) {
    m_drag->Ms = std::max<int64_t>(0, scale.MsAt(x));
    update();
    return;
  }
  setCursor(EdgeNear(VisibleSpans(scale), scale, x, kGrip) ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void WaveformStrip::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_drag) return;
  const BarEdge moved = *std::exchange(m_drag, std::nullopt);
  update();
  if (moved.Ms != m_dragFromMs) emit EdgeMoved(moved.Index, moved.Which, moved.Ms);
}

}  // namespace qm

// The statistics page: the check after every load with its gauge, and the quality report
// that the check fills (after a load only when CheckBoxAutoStatistika is checked).

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextBlock>

#include "document/quality_report.h"
#include "platform/numbers.h"
#include "ui/event_hook.h"
#include "ui/number_filters.h"
#include "ui/quillmark_unit.h"

namespace qm {
namespace {

int32_t MillisecondsIn(const QLineEdit* field, int32_t fallback) {
  const std::optional<double> seconds = TryParseDecimal(ToUtf8(field->text()));
  if (!seconds || !(*seconds >= 0) || *seconds > 86400) return fallback;
  return static_cast<int32_t>(RoundHalfEven(*seconds * 1000));
}

int32_t NumberIn(const QLineEdit* field, int32_t fallback) {
  const std::optional<int32_t> value = TryStrToInt(ToUtf8(field->text()));
  return value && *value >= 0 ? *value : fallback;
}

FindingTemplates TemplatesOf(const DynamicTexts& t) {
  return {t.StatistikaDlouhe,   t.StatistikaKratke, t.StatistikaRadku,    t.StatistikaSkryti,
          t.StatistikaPrekryti, t.StatistikaPoradi, t.StatistikaRychlost, t.StatistikaDelkaRadku};
}

}  // namespace

// The statistics page's own state: which subtitle each line of the report names.
struct TForm1::StatisticsPage {
  explicit StatisticsPage(TForm1& form) : f(form) {}
  TForm1& f;
  std::vector<int32_t> ReportRows;

  QualityLimits ReportLimits() const;
  int32_t ReportRow(int line) const;  // the subtitle of a report line, 0 for none
  void FillQualityReport();
};

void TForm1::DeletePage(StatisticsPage* page) { delete page; }

void TForm1::ConnectStatisticsPage() {
  m_statisticsPage.reset(new StatisticsPage(*this));
  for (QLineEdit* field : {EditStatistikaMaxDelka, EditStatistikaMinDelka}) {
    FilterTypedKeys(*field, TypedKeys::Decimal);
    const QString fallback = field->text();
    connect(field, &QLineEdit::textChanged, field, [field, fallback](const QString& text) {
      if (const auto repair = RepairDecimalText(text, fallback)) ApplyRepair(*field, *repair);
    });
  }
  new EventHook(EditStatistikaMaxRadku, [](QEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    const QString text = static_cast<QKeyEvent&>(event).text();
    return text.size() == 1 && text[0].isPrint() && !(text[0] >= u'0' && text[0] <= u'9');
  });
  connect(EditStatistikaMaxRadku, &QLineEdit::textChanged, EditStatistikaMaxRadku,
          [this](const QString& text) {
            if (text.isEmpty()) ApplyRepair(*EditStatistikaMaxRadku, {"2", true});
          });
  new EventHook(MemoStatistika->viewport(), [this](QEvent& event) {
    if (event.type() != QEvent::MouseButtonDblClick) return false;
    const QPoint at = static_cast<QMouseEvent&>(event).position().toPoint();
    Guarded([this, at] { MemoStatistikaDblClick(MemoStatistika->cursorForPosition(at).blockNumber()); });
    return true;
  });
}

void TForm1::ButtonStatistikaClick(bool afterLoad) {
  {
    BusyWindow busy(*this);
    GaugeStatistika->setRange(0, m_document.SubtitleCount);
    GaugeStatistika->setValue(0);
    GaugeStatistika->show();
    // One step per subtitle, but the bar is only told when it moves visibly: setting a
    // progress bar costs far more than a step of this loop.
    const int32_t stride = std::max(1, m_document.SubtitleCount / 200);
    for (int32_t i = 1; i <= m_document.SubtitleCount; ++i)
      if (i % stride == 0 || i == m_document.SubtitleCount) GaugeStatistika->setValue(i);
    GaugeStatistika->hide();
  }
  if (!afterLoad || CheckBoxAutoStatistika->isChecked()) {
    m_statisticsPage->FillQualityReport();
  } else {
    // A report of the previous file would name subtitles this one does not have.
    Panel1->setText("0");
    Panel2->setText("0");
    MemoStatistika->clear();
    m_statisticsPage->ReportRows.clear();
  }
}

QualityLimits TForm1::StatisticsPage::ReportLimits() const {
  QualityLimits limits;
  limits.MaxDurationMs = MillisecondsIn(f.EditStatistikaMaxDelka, limits.MaxDurationMs);
  limits.MinDurationMs = MillisecondsIn(f.EditStatistikaMinDelka, limits.MinDurationMs);
  limits.MaxLines = NumberIn(f.EditStatistikaMaxRadku, limits.MaxLines);
  limits.MaxLineLength = NumberIn(f.EditMaxCharsOnLine, limits.MaxLineLength);
  return limits;
}

void TForm1::StatisticsPage::FillQualityReport() {
  const QualityReport report = CheckQuality(f.m_document, ReportLimits());
  f.Panel1->setText(QString::number(report.SubtitleCount));
  f.Panel2->setText(QString::number(report.BlankCount));
  const FindingTemplates templates = TemplatesOf(f.m_texts);
  QStringList lines;
  ReportRows.clear();
  for (const Finding& finding : report.Findings) {
    lines << FromUtf8(FindingLine(finding, templates));
    ReportRows.push_back(finding.Number);
  }
  if (lines.isEmpty() && report.SubtitleCount > 0) lines << FromUtf8(f.m_texts.StatistikaBezNalezu);
  f.MemoStatistika->setPlainText(lines.join('\n'));
}

int32_t TForm1::StatisticsPage::ReportRow(int line) const {
  if (line < 0 || line >= static_cast<int>(ReportRows.size())) return 0;
  const int32_t row = ReportRows[static_cast<size_t>(line)];
  return row <= f.m_document.SubtitleCount ? row : 0;  // the table may have shrunk since
}

void TForm1::MemoStatistikaDblClick(int line) {
  const int32_t row = m_statisticsPage->ReportRow(line);
  if (row == 0) return;
  SetCurrentRow(row);
  TitulkyDblClick();
}

}  // namespace qm

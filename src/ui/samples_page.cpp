// The format samples page: the source file or a sample of each format.

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>

#include "formats/subtitle_source.h"
#include "ui/quillmark_unit.h"

namespace qm {
namespace {

void SetRadioUnchecked(QRadioButton& radio) {
  // An auto-exclusive radio button refuses to be unchecked directly.
  radio.setAutoExclusive(false);
  radio.setChecked(false);
  radio.setAutoExclusive(true);
}

// A file's text as opening decodes it, whatever its encoding.
QString PlainText(const std::string& path, const std::optional<TextEncoding>& encoding = std::nullopt) {
  return FromUtf8(ReadSubtitleFileText(path, encoding));
}

// Calls back on every mouse move over a widget.
class MouseMoveWatcher final : public QObject {
 public:
  MouseMoveWatcher(QWidget* watched, std::function<void()> moved)
      : QObject(watched), m_moved(std::move(moved)) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) m_moved();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> m_moved;
};

}  // namespace

void TForm1::ConnectSamplesPage() {
  connect(ComboBoxFormat, &QComboBox::currentIndexChanged, this,
          [this] { Guarded([this] { ComboBoxFormatChange(); }); });
  connect(RadioButtonFormat, &QRadioButton::clicked, this,
          [this] { Guarded([this] { ComboBoxFormatChange(); }); });
  connect(RadioButtonZdroj, &QRadioButton::clicked, this,
          [this] { Guarded([this] { RadioButtonZdrojClick(); }); });
  new MouseMoveWatcher(RichEditUkazkyFormatu->viewport(), [this] { RichEditUkazkyFormatuMouseMove(); });
}

void TForm1::ComboBoxFormatChange() {
  const int format = ComboBoxFormat->currentIndex();
  RichEditUkazkyFormatu->clear();
  RadioButtonFormat->setChecked(true);
  const QString sample = m_programFolder + "Data/" + QString::number(format + 1) + ".sub";
  RichEditUkazkyFormatu->setPlainText(PlainText(ToPath(sample)));
}

void TForm1::RadioButtonZdrojClick() {
  if (m_document.CurrentFileName.empty()) return;
  RichEditUkazkyFormatu->clear();
  RichEditUkazkyFormatu->setPlainText(PlainText(m_document.CurrentFileName, m_document.Encoding));
}

void TForm1::RichEditUkazkyFormatuMouseMove() {
  QString name;
  if (RadioButtonZdroj->isChecked())
    name = EditZdrojFormat->text();
  else if (RadioButtonFormat->isChecked())
    name = ComboBoxFormat->currentText();
  SetHint(*RichEditUkazkyFormatu, FromUtf8(m_texts.HintPrikladFormatu) + " " + name);
}

void TForm1::ResetSamplesPage() {
  RadioButtonZdroj->setEnabled(true);
  SetRadioUnchecked(*RadioButtonZdroj);
  SetRadioUnchecked(*RadioButtonFormat);
  RichEditUkazkyFormatu->clear();
}

}  // namespace qm

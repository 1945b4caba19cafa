// The format samples page: the source file or a sample of each format.

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>

#include "platform/file_io.h"
#include "ui/quillmark_unit.h"

namespace qm {
namespace {

void SetRadioUnchecked(QRadioButton& radio) {
  // An auto-exclusive radio button refuses to be unchecked directly.
  radio.setAutoExclusive(false);
  radio.setChecked(false);
  radio.setAutoExclusive(true);
}

// The three 16-bit formats are stored without a byte-order mark; their files begin with a
// digit followed by a zero byte.
QString PlainText(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[0] != 0 && bytes[1] == 0)
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), qsizetype(bytes.size() / 2));
  return FromCp1250(bytes);
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
  RichEditUkazkyFormatu->setPlainText(PlainText(ReadWholeFile(ToPath(sample))));
}

void TForm1::RadioButtonZdrojClick() {
  if (m_document.CurrentFileName.empty()) return;
  RichEditUkazkyFormatu->clear();
  RichEditUkazkyFormatu->setPlainText(PlainText(ReadWholeFile(m_document.CurrentFileName)));
}

void TForm1::RichEditUkazkyFormatuMouseMove() {
  QString name;
  if (RadioButtonZdroj->isChecked())
    name = EditZdrojFormat->text();
  else if (RadioButtonFormat->isChecked())
    name = ComboBoxFormat->currentText();
  SetHint(*RichEditUkazkyFormatu, FromCp1250(m_texts.HintPrikladFormatu) + " " + name);
}

void TForm1::ResetSamplesPage() {
  RadioButtonZdroj->setEnabled(true);
  SetRadioUnchecked(*RadioButtonZdroj);
  SetRadioUnchecked(*RadioButtonFormat);
  RichEditUkazkyFormatu->clear();
}

}  // namespace qm

// The format samples page: the sample of the chosen format, the loaded file's own text, the
// hint over the view, and the reset after every load.

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

namespace {

QStringList Samples() {
  QStringList names;
  for (int n = 1; n <= 13; ++n) names << QString::number(n) + ".sub";
  return names;
}

void HoverOverView(TForm1& form) {
  QWidget* view = form.RichEditUkazkyFormatu->viewport();
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), view->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view, &move);
}

}  // namespace

class SamplesPageTest : public QObject {
  Q_OBJECT

 private slots:
  void choosingAFormatShowsItsSample();
  void sourceFileIsShownUnchangedAndNamedInTheHint();
  void missingSampleAndUnrecognisedSourceShowNothing();
};

void SamplesPageTest::choosingAFormatShowsItsSample() {
  Editor editor({}, true, kLaterRunSettings, Samples());
  TForm1& form = editor.Form();
  QVERIFY(form.RadioButtonFormat->isChecked());
  QVERIFY(!form.RadioButtonZdroj->isEnabled());
  QCOMPARE(form.RichEditUkazkyFormatu->toPlainText(), QString());

  form.ComboBoxFormat->setCurrentIndex(1);  // SubRip: Data/2.sub
  QVERIFY(form.RichEditUkazkyFormatu->toPlainText().startsWith("1\n00:00:01,000 --> 00:00:04,000\nV"));
  QVERIFY(form.RichEditUkazkyFormatu->toPlainText().contains(QString::fromUtf8("žluťoučký")));
  form.ComboBoxFormat->setCurrentIndex(9);  // a 16-bit layout reads as text too
  QVERIFY(form.RichEditUkazkyFormatu->toPlainText().startsWith("00:00:01:00\t00:00:04:00\tV"));
  HoverOverView(form);
  QCOMPARE(form.RichEditUkazkyFormatu->toolTip(),
           QString::fromUtf8("Ukázka formátu DVD Studio Pro Subtitle"));
}

void SamplesPageTest::sourceFileIsShownUnchangedAndNamedInTheHint() {
  Editor editor({}, true, kLaterRunSettings, Samples());
  TForm1& form = editor.Form();
  form.ComboBoxFormat->setCurrentIndex(3);
  const std::string film = "1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>P\xF8\xEDli\x9A</i>\r\n\r\n";
  form.OpenFile(editor.Write("film.srt", film), OpenFailureReport::OwnMessage);
  // Every load resets the page: nothing shown until the user picks.
  QVERIFY(form.RadioButtonZdroj->isEnabled());
  QVERIFY(!form.RadioButtonZdroj->isChecked());
  QVERIFY(!form.RadioButtonFormat->isChecked());
  QCOMPARE(form.RichEditUkazkyFormatu->toPlainText(), QString());
  QCOMPARE(form.EditZdrojFormat->text(), QString("SubRip"));

  QTest::mouseClick(form.RadioButtonZdroj, Qt::LeftButton);
  QCOMPARE(form.RichEditUkazkyFormatu->toPlainText(),
           QString::fromUtf8("1\n00:00:01,000 --> 00:00:02,000\n<i>Příliš</i>\n\n"));
  HoverOverView(form);
  QCOMPARE(form.RichEditUkazkyFormatu->toolTip(), QString::fromUtf8("Ukázka formátu SubRip"));

  QTest::mouseClick(form.RadioButtonFormat, Qt::LeftButton);
  QVERIFY(form.RichEditUkazkyFormatu->toPlainText().startsWith("00:00:01.00,00:00:04.00"));
  QVERIFY(!form.RadioButtonZdroj->isChecked());
}

void SamplesPageTest::missingSampleAndUnrecognisedSourceShowNothing() {
  Editor editor;  // no samples copied
  TForm1& form = editor.Form();
  form.ComboBoxFormat->setCurrentIndex(2);
  QCOMPARE(form.RichEditUkazkyFormatu->toPlainText(), QString());
  const AskedDialog* error = editor.Dialogs.Last(AskedDialog::Kind::Message);
  QVERIFY(error);
  QCOMPARE(error->Text, QString("File not found"));

  form.OpenFile(editor.Write("noise.txt", "not subtitles\r\n"), OpenFailureReport::OwnMessage);
  QCOMPARE(form.EditZdrojFormat->text(), QString("???"));
  QTest::mouseClick(form.RadioButtonZdroj, Qt::LeftButton);
  QCOMPARE(form.RichEditUkazkyFormatu->toPlainText(), QString());
}

QTEST_MAIN(SamplesPageTest)
#include "samples_page_test.moc"

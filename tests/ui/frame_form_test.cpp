// The frame-rate window as the user meets it: keys typed into the focused rate box, Enter,
// and the rate that the window hands back.

#include "ui/frame_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class FrameFormTest : public QObject {
  Q_OBJECT

 private slots:
  void keysTypedIntoTheRateBoxAreFiltered();
  void enterConfirmsWithoutAddingToTheList();
  void zeroKeepsTheWindowOpen();
  void escapeAnswersNoRate();
};

namespace {

struct ShownForm {
  FakeDialogs dialogs;
  TFormFrame form{dialogs, nullptr};
  QComboBox* box = form.ComboBoxFrameRate;

  ShownForm() {
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qWarning("frame-rate window not exposed");
    form.activateWindow();
    box->setFocus();
  }
  void Retype(const QString& keys) {
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, keys);  // where a user's keys arrive
  }
};

}  // namespace

void FrameFormTest::keysTypedIntoTheRateBoxAreFiltered() {
  ShownForm shown;
  shown.Retype("29.9x7");
  QCOMPARE(shown.box->currentText(), QString("29,97"));
  shown.Retype("2");
  QTest::keyClicks(shown.box, ".5.-");  // no completion from the list gets in the way
  QCOMPARE(shown.box->currentText(), QString("2,5"));
  QTest::sendKeyEvent(QTest::Click, shown.box, Qt::Key_unknown, QString(QChar(0x00BD)), Qt::NoModifier);
  QCOMPARE(shown.box->currentText(), QString("2,5"));
  QTest::keyClick(shown.box, Qt::Key_Backspace);  // Backspace passes
  QCOMPARE(shown.box->currentText(), QString("2,"));

  shown.box->lineEdit()->selectAll();
  QTest::keyClick(shown.box, Qt::Key_Delete);
  QCOMPARE(shown.box->currentText(), QString("0"));
  QVERIFY(shown.box->lineEdit()->hasSelectedText());
  shown.Retype("5,");
  QTest::keyClick(shown.box, Qt::Key_Home);
  QTest::keyClick(shown.box, Qt::Key_Delete);
  QCOMPARE(shown.box->currentText(), QString("0,"));
  QCOMPARE(shown.box->lineEdit()->cursorPosition(), 2);
  shown.Retype("1234567890123");  // at most 12 characters
  QCOMPARE(shown.box->currentText(), QString("123456789012"));
}

void FrameFormTest::enterConfirmsWithoutAddingToTheList() {
  ShownForm shown;
  shown.Retype("27.5");
  QTest::keyClick(shown.box, Qt::Key_Return);
  QVERIFY(!shown.form.isVisible());
  QCOMPARE(shown.form.result(), int(QDialog::Accepted));
  QCOMPARE(shown.form.ChosenRate(), 27.5);
  QCOMPARE(shown.box->count(), 5);
  QCOMPARE(shown.box->itemText(4), QString("30"));
  // The box keeps the last value for the next showing.
  shown.form.show();
  QCOMPARE(shown.box->currentText(), QString("27,5"));
}

void FrameFormTest::zeroKeepsTheWindowOpen() {
  ShownForm shown;
  shown.Retype("0");
  QTest::mouseClick(shown.form.ButtonFrameRateApply, Qt::LeftButton);
  QVERIFY(shown.form.isVisible());
  QCOMPARE(shown.dialogs.Count(Kind::Message), 1);
  QTest::mouseClick(shown.form.ButtonFPSFromAvi, Qt::LeftButton);  // has no action
  QVERIFY(shown.form.isVisible());
  shown.Retype("25");
  QTest::keyClick(shown.box, Qt::Key_Enter);
  QVERIFY(!shown.form.isVisible());
  QCOMPARE(shown.form.ChosenRate(), 25.0);
  QCOMPARE(shown.dialogs.Count(Kind::Message), 1);
}

void FrameFormTest::escapeAnswersNoRate() {
  // Through the real dialogs layer, as the program shows the window.
  QtDialogs dialogs;
  TFormFrame form(dialogs, nullptr);
  form.ComboBoxFrameRate->setEditText("25");
  QTimer::singleShot(0, &form, [&form] {
    QTRY_VERIFY(form.isVisible());
    QTest::keyClick(form.ComboBoxFrameRate, Qt::Key_Escape);
  });
  QCOMPARE(dialogs.FrameRate(form), std::optional<double>());
  QVERIFY(!form.isVisible());
}

QTEST_MAIN(FrameFormTest)
#include "frame_form_test.moc"

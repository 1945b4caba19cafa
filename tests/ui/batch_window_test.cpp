// The batch page, the batch window and the folder picker, driven as a user does: list
// buttons, drops, the window's fields and "Začít", with scripted questions.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "batch/konverze_form.h"
#include "batch/select_dir_form.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class BatchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowStartsWithItsDefaults();
  void listButtonsAddRemoveAndClear();
  void convertButtonEnablesStartOnlyForAList();
  void dropAddsFilesAndTheSubtitleFilesOfAFolder();
  void escapeAndTheExtensionBox();
  void defaultsReplaceAFileInItsOwnFolder();
  void extensionCases_data();
  void extensionCases();
  void overwriteQuestionAnsweredBothWays();
  void sameNameFromTwoFoldersGivesOneFile();
  void frameRateIsUsedOnlyBetweenTimingKinds();
  void unreadableRateAndUnwritableFormatAreRefused();
  void unrecognisedFileIsCountedAndTheRunGoesOn();
  void reportKeepsItsLastLineInView();
  void overfullFileIsConvertedWithAWarningLine();
  void filesOwnRateIsNamedAndZeroedTimesCounted();
  void missingFileEndsTheRunWithoutSummary();
  void missingOrEmptyFolderIsRefused();
  void openDocumentSurvivesARun();
  void folderPickerFillsTheDestination();
  void folderPickerTakesATypedFolderMakesNewOnesAndCancels();
};

namespace {

std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

QString T(const std::string& cp1250) { return FromUtf8(cp1250); }

// A check box takes a click on its box or its text, not on the empty rest of its row.
void ClickCheckBox(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// The batch window of an editor, with the files listed and the destination set.
class Batch {
 public:
  explicit Batch(Editor& editor) : m_editor(editor), Form(editor.Form().FormKonverze()) { Form.show(); }
  ~Batch() { Form.hide(); }

  void List(const QStringList& files) {
    m_editor.Form().ListBoxBatch->clear();
    m_editor.Form().ListBoxBatch->addItems(files);
    Form.ButtonKonverzeZacit->setEnabled(true);
  }
  void Start(const QString& folder) {
    Form.EditKonverzeDir->setText(folder);
    QTest::mouseClick(Form.ButtonKonverzeZacit, Qt::LeftButton);
  }
  QStringList Report() const { return Items(*Form.ListBoxPrubehKonverze); }
  // The lines a converted file gives, in the language of the editor.
  QStringList Converted(const QString& path, const QString& format) const {
    const DynamicTexts& t = m_editor.Form().Texts();
    return {T(t.MessageBatchOpening) + " " + path, "      " + T(t.MessageBatchFormat) + "  " + format,
            "      " + T(t.MessageBatchFileConverted)};
  }
  QStringList Summary(const QString& converted, int errors) const {
    const DynamicTexts& t = m_editor.Form().Texts();
    return {T(t.MessageBatchConverted) + " " + converted,
            T(t.MessageBatchErrors) + " " + QString::number(errors)};
  }

 private:
  Editor& m_editor;

 public:
  TFormKonverze& Form;
};

const std::string kSubRipLf = "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n";
const std::string kSubRipCrLf = "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n";
const std::string kMicroDvd = "{25}{50}One\r\n";

}  // namespace

void BatchWindowTest::windowStartsWithItsDefaults() {
  Editor editor;
  TFormKonverze& form = editor.Form().FormKonverze();
  QCOMPARE(form.objectName(), QString("TFormKonverze"));
  QCOMPARE(form.windowTitle(), QString("Dávková konverze..."));
  const std::pair<const char*, QString> texts[] = {
      {"GroupBoxNastaveniKonverze", "Nastavení"},
      {"GroupBoxStavKonverze", "Stav"},
      {"GroupBoxPrubehKonverze", "Zprávy o průběhu konverze"},
      {"LabelOutputFormat", "Výstupní formát:"},
      {"LabelDestination", "Cílový adresář:"},
      {"LabelFrameRate", "FrameRate:"},
      {"LabelExtension", "Přípona:"},
      {"CheckBoxPrepsatSoubory", "Přepsat existující soubory"},
      {"CheckBoxPuvodniPripona", "Zachovat původní přípony"},
      {"ButtonKonverzeZacit", "Začít"},
  };
  for (const auto& [name, text] : texts) {
    QWidget* widget = form.findChild<QWidget*>(name);
    QVERIFY2(widget, name);
    QString shown;
    if (auto* box = qobject_cast<QGroupBox*>(widget)) shown = box->title();
    if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown = button->text();
    QCOMPARE(shown, text);
  }
  QCOMPARE(form.ComboBoxKonverzeOutput->count(), 13);
  QCOMPARE(form.ComboBoxKonverzeOutput->currentIndex(), 0);
  QCOMPARE(form.ComboBoxKonverzeOutput->itemText(12), QString("RadLight"));
  QVERIFY(!form.ComboBoxKonverzeOutput->isEditable());
  QVERIFY(form.ComboBoxKonverzeFrames->isEditable());
  QCOMPARE(form.ComboBoxKonverzeFrames->currentText(), QString("23,976"));
  QCOMPARE(form.ComboBoxKonverzeFrames->itemText(3), QString("29,97"));
  QCOMPARE(form.ComboBoxKonverzeFrames->lineEdit()->maxLength(), 12);
  QCOMPARE(form.EditKonverzeDir->text(), QString());
  QVERIFY(form.CheckBoxPrepsatSoubory->isChecked());
  QVERIFY(form.CheckBoxPuvodniPripona->isChecked());
  QCOMPARE(form.EditPripona->text(), QString("sub"));
  QVERIFY(!form.EditPripona->isEnabled());
  QVERIFY(!form.ButtonKonverzeZacit->isEnabled());
  QVERIFY(form.ButtonKonverzeZacit->isDefault());

  // The field is what the settings file reads and writes.
  editor.Form().SetBatchDestinationFolder("/srv/titles");
  QCOMPARE(form.EditKonverzeDir->text(), QString("/srv/titles"));
  form.EditKonverzeDir->setText("/srv/other");
  QCOMPARE(editor.Form().BatchDestinationFolder(), QString("/srv/other"));
}

void BatchWindowTest::listButtonsAddRemoveAndClear() {
  Editor editor;
  TForm1& form = editor.Form();
  const QString folder = editor.Folder() + "films";
  editor.Dialogs.OpenNamesAnswers = {{folder + "/a.srt", folder + "/b.sub"}, {folder + "/a.srt"}, {}};
  QTest::mouseClick(form.ButtonBatchPridat, Qt::LeftButton);
  QTest::mouseClick(form.ButtonBatchPridat, Qt::LeftButton);
  QCOMPARE(Items(*form.ListBoxBatch), QStringList({folder + "/a.srt", folder + "/b.sub", folder + "/a.srt"}));
  // The second showing starts in the folder of the first selection; a cancel adds nothing.
  QCOMPARE(editor.Dialogs.OpenNamesRequests.at(1).Folder, folder + "/");
  QCOMPARE(form.OpenDialogBatch.Folder, folder + "/");
  QTest::mouseClick(form.ButtonBatchPridat, Qt::LeftButton);
  QCOMPARE(form.ListBoxBatch->count(), 3);
  QVERIFY(editor.Dialogs.OpenNamesRequests.at(0).Filter.contains("*.srt"));

  // Each click toggles one item; the remove button takes all that stay selected.
  form.show();
  QListWidget& list = *form.ListBoxBatch;
  auto click = [&list](int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
  };
  click(0);
  click(1);
  click(2);
  click(1);
  QCOMPARE(list.selectedItems().size(), 2);
  QTest::mouseClick(form.ButtonBatchOdebrat, Qt::LeftButton);
  QCOMPARE(Items(list), QStringList({folder + "/b.sub"}));
  QTest::mouseClick(form.ButtonBatchSmazat, Qt::LeftButton);
  QCOMPARE(list.count(), 0);
  QVERIFY(editor.Dialogs.Last(Kind::Message) == nullptr);
}

void BatchWindowTest::convertButtonEnablesStartOnlyForAList() {
  Editor editor;
  TForm1& form = editor.Form();
  TFormKonverze& batch = form.FormKonverze();
  QTest::mouseClick(form.ButtonBatchKonvertovat, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Last(Kind::Modal)->Text, QString("TFormKonverze"));
  QVERIFY(!batch.ButtonKonverzeZacit->isEnabled());
  form.ListBoxBatch->addItem("/x.srt");
  bool startEnabledWhileShown = false;
  editor.Dialogs.ModalActions.push_back(
      [&](QDialog&) { startEnabledWhileShown = batch.ButtonKonverzeZacit->isEnabled(); });
  QTest::mouseClick(form.ButtonBatchKonvertovat, Qt::LeftButton);
  QVERIFY(startEnabledWhileShown);
  form.ListBoxBatch->clear();
  QTest::mouseClick(form.ButtonBatchKonvertovat, Qt::LeftButton);
  QVERIFY(!batch.ButtonKonverzeZacit->isEnabled());
}

void BatchWindowTest::dropAddsFilesAndTheSubtitleFilesOfAFolder() {
  Editor editor;
  const QString dir = editor.Folder();
  WriteBytes(dir + "single.doc", "x");
  for (const char* name : {"in/b.srt", "in/A.SUB", "in/c.txt", "in/notes.doc", "in/deeper/d.srt"})
    WriteBytes(dir + name, kSubRipCrLf);
  QListWidget& list = *editor.Form().ListBoxBatch;
  list.addItem("first");
  QVERIFY(DropFiles(list.viewport(), {dir + "single.doc", dir + "in", dir + "gone.srt"}));
  QTRY_COMPARE(list.count(), 5);
  QCOMPARE(Items(list),
           QStringList({"first", dir + "single.doc", dir + "in/A.SUB", dir + "in/b.srt", dir + "in/c.txt"}));
}

void BatchWindowTest::escapeAndTheExtensionBox() {
  Editor editor;
  TFormKonverze& form = editor.Form().FormKonverze();
  form.show();
  ClickCheckBox(form.CheckBoxPuvodniPripona);
  QVERIFY(form.EditPripona->isEnabled());
  ClickCheckBox(form.CheckBoxPuvodniPripona);
  QVERIFY(!form.EditPripona->isEnabled());
  // Escape closes the window from any of its controls, the editable combo box too.
  QTest::keyClick(form.ComboBoxKonverzeFrames->lineEdit(), Qt::Key_Escape);
  QVERIFY(!form.isVisible());
  form.show();
  QTest::keyClicks(form.ComboBoxKonverzeFrames->lineEdit(), "2.");
  QCOMPARE(form.ComboBoxKonverzeFrames->currentText(), QString("23,9762"));
  QTest::keyClick(form.EditKonverzeDir, Qt::Key_Escape);
  QVERIFY(!form.isVisible());
}

void BatchWindowTest::defaultsReplaceAFileInItsOwnFolder() {
  Editor editor;
  // A folder name outside ASCII shows in the report as it is.
  const QString folder = editor.Folder() + "Dávka/";
  WriteBytes(folder + "film.srt", kSubRipLf);
  Batch batch(editor);
  batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(1);
  batch.List({folder + "film.srt"});
  batch.Start(folder);
  QCOMPARE(ReadBytes(folder + "film.srt"), kSubRipCrLf);
  QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"film.srt"}));
  QCOMPARE(batch.Report(), batch.Converted(folder + "film.srt", "SubRip") + batch.Summary("1/1", 0));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
  QCOMPARE(batch.Form.GaugeStavKonverze->maximum(), 1);
  QCOMPARE(batch.Form.GaugeStavKonverze->value(), 1);
  QVERIFY(batch.Form.isEnabled());
  QVERIFY(batch.Form.KeyPreview());
}

void BatchWindowTest::extensionCases_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("extension");
  QTest::addColumn<QString>("output");
  QTest::newRow("replaced") << "film.srt"
                            << "sub"
                            << "film.sub";
  QTest::newRow("leading dot gives two") << "film.srt"
                                         << ".srt"
                                         << "film..srt";
  QTest::newRow("empty ends in a dot") << "film.srt"
                                       << ""
                                       << "film.";
  QTest::newRow("appended when none") << "film"
                                      << "sub"
                                      << "film.sub";
}

void BatchWindowTest::extensionCases() {
  QFETCH(QString, input);
  QFETCH(QString, extension);
  QFETCH(QString, output);
  Editor editor;
  const QString in = editor.Folder() + "in/", out = editor.Folder() + "out/";
  WriteBytes(in + input, kMicroDvd);
  QDir().mkpath(out);
  Batch batch(editor);
  ClickCheckBox(batch.Form.CheckBoxPuvodniPripona);
  batch.Form.EditPripona->setText(extension);
  batch.List({in + input});
  batch.Start(editor.Folder() + "out");  // without the trailing "/"
  QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({output}));
  QCOMPARE(ReadBytes(out + output), kMicroDvd);
  // The report names the file as listed, before its extension changed.
  QCOMPARE(batch.Report().first(), T(editor.Form().Texts().MessageBatchOpening) + " " + in + input);
}

void BatchWindowTest::overwriteQuestionAnsweredBothWays() {
  Editor editor;
  const QString in = editor.Folder() + "in/", out = editor.Folder() + "out/";
  WriteBytes(in + "film.srt", kSubRipCrLf);
  Batch batch(editor);
  batch.Form.CheckBoxPrepsatSoubory->setChecked(false);
  batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(4);  // AQT, keeping the name
  batch.Form.ComboBoxKonverzeFrames->setEditText("25");
  batch.List({in + "film.srt"});

  // No file there yet: written without a question.
  QDir().mkpath(out);
  batch.Start(out);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
  const std::string aqt = ReadBytes(out + "film.srt");
  QCOMPARE(aqt, std::string("-->> 0000025\r\nOne\r\n-->> 0000050\r\n"));

  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    WriteBytes(out + "film.srt", "old");
    editor.Dialogs.MessageAnswers = {answer};
    batch.Start(out);
    const AskedDialog* asked = editor.Dialogs.Last(Kind::Message);
    QVERIFY(asked);
    QCOMPARE(asked->Text, T(editor.Form().Texts().QuestionBatchOverwrite) + " " + out + "film.srt ?");
    QCOMPARE(asked->Icon, MessageIcon::Warning);
    QCOMPARE(asked->Buttons, MessageButtons::YesNo);
    QVERIFY(!asked->ParentEnabled);  // the window takes no input during the run
    QCOMPARE(ReadBytes(out + "film.srt"), answer == MessageAnswer::Yes ? aqt : std::string("old"));
    // Declining still reports the file as converted.
    QCOMPARE(batch.Report(), batch.Converted(in + "film.srt", "SubRip") + batch.Summary("1/1", 0));
  }
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 2);
}

void BatchWindowTest::sameNameFromTwoFoldersGivesOneFile() {
  Editor editor;
  const QString dir = editor.Folder();
  WriteBytes(dir + "a/film.sub", "{1}{2}From a\r\n");
  WriteBytes(dir + "b/film.sub", "{3}{4}From b\r\n");
  QDir().mkpath(dir + "out");
  Batch batch(editor);
  batch.List({dir + "a/film.sub", dir + "b/film.sub"});
  batch.Start(dir + "out/");
  QCOMPARE(QDir(dir + "out").entryList(QDir::Files), QStringList({"film.sub"}));
  QCOMPARE(ReadBytes(dir + "out/film.sub"), std::string("{3}{4}From b\r\n"));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);

  QFile::remove(dir + "out/film.sub");
  batch.Form.CheckBoxPrepsatSoubory->setChecked(false);
  editor.Dialogs.MessageAnswers = {MessageAnswer::No};
  batch.Start(dir + "out/");
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(ReadBytes(dir + "out/film.sub"), std::string("{1}{2}From a\r\n"));
}

void BatchWindowTest::frameRateIsUsedOnlyBetweenTimingKinds() {
  struct Case {
    std::string input;
    int layout;
    std::string at25, at30;
  };
  const Case cases[] = {
      {kMicroDvd, 1, "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n",
       "1\r\n00:00:00,833 --> 00:00:01,667\r\nOne\r\n\r\n"},
      {kSubRipCrLf, 0, "{25}{50}One\r\n", "{30}{60}One\r\n"},
      {kMicroDvd, 4, "", ""},    // frames to frames: the same either way
      {kSubRipCrLf, 7, "", ""},  // clock to clock
  };
  Editor editor;
  const QString in = editor.Folder() + "in/", out = editor.Folder() + "out/";
  QDir().mkpath(out);
  Batch batch(editor);
  for (const Case& c : cases) {
    WriteBytes(in + "film.x", c.input);
    batch.List({in + "film.x"});
    batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(c.layout);
    std::string written[2];
    for (int i = 0; i < 2; ++i) {
      batch.Form.ComboBoxKonverzeFrames->setEditText(i == 0 ? "25" : "30");
      batch.Start(out);
      written[i] = ReadBytes(out + "film.x");
    }
    if (c.at25.empty()) {
      QCOMPARE(written[0], written[1]);
    } else {
      QCOMPARE(written[0], c.at25);
      QCOMPARE(written[1], c.at30);
    }
  }
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void BatchWindowTest::unreadableRateAndUnwritableFormatAreRefused() {
  Editor editor;
  const QString dir = editor.Folder();
  WriteBytes(dir + "in/film.sub", kMicroDvd);
  QDir().mkpath(dir + "out");
  Batch batch(editor);
  batch.List({dir + "in/film.sub"});
  batch.Form.ComboBoxKonverzeFrames->setEditText("25,0,1");
  batch.Start(dir + "out");
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'25,0,1' is not a valid floating point value"));
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Icon, MessageIcon::Error);
  QCOMPARE(batch.Report(), QStringList());

  batch.Form.ComboBoxKonverzeFrames->setEditText("25");
  for (int layout : {11, 12}) {
    batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(layout);
    batch.Start(dir + "out");
    QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, T(editor.Form().Texts().ErrorFormatNotWritable) + " " +
                                                           batch.Form.ComboBoxKonverzeOutput->currentText());
  }
  QCOMPARE(QDir(dir + "out").entryList(QDir::Files), QStringList());
  QVERIFY(batch.Form.isEnabled());
}

void BatchWindowTest::unrecognisedFileIsCountedAndTheRunGoesOn() {
  Editor editor;
  const QString dir = editor.Folder();
  WriteBytes(dir + "in/a.sub", kMicroDvd);
  WriteBytes(dir + "in/b.txt", "not a subtitle\r\n");
  WriteBytes(dir + "in/c.srt", kSubRipCrLf);
  QDir().mkpath(dir + "out");
  Batch batch(editor);
  batch.List({dir + "in/a.sub", dir + "in/b.txt", dir + "in/c.srt"});
  batch.Start(dir + "out");
  const DynamicTexts& t = editor.Form().Texts();
  const QStringList unknown = {T(t.MessageBatchOpening) + " " + dir + "in/b.txt",
                               "      " + T(t.MessageBatchUnknownFormat),
                               "      " + T(t.MessageBatchFileNotConverted)};
  QCOMPARE(batch.Report(), batch.Converted(dir + "in/a.sub", "MicroDVD") + unknown +
                               batch.Converted(dir + "in/c.srt", "SubRip") + batch.Summary("2/3", 1));
  QCOMPARE(QDir(dir + "out").entryList(QDir::Files), QStringList({"a.sub", "c.srt"}));
  QCOMPARE(batch.Form.GaugeStavKonverze->value(), 3);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void BatchWindowTest::reportKeepsItsLastLineInView() {
  Editor editor;
  const QString file = editor.Folder() + "a.sub";
  WriteBytes(file, kMicroDvd);
  Batch batch(editor);
  batch.List(QStringList(40, file));
  batch.Start(editor.Folder());
  QListWidget& report = *batch.Form.ListBoxPrubehKonverze;
  QCOMPARE(report.count(), 40 * 3 + 2);
  const QRect last = report.visualItemRect(report.item(report.count() - 1));
  QVERIFY(report.viewport()->rect().contains(last));
}

void BatchWindowTest::overfullFileIsConvertedWithAWarningLine() {
  Editor editor;
  const QString file = editor.Folder() + "big.sub";
  WriteBytes(file, MicroDvdFile(20001));
  QDir().mkpath(editor.Folder() + "out");
  Batch batch(editor);
  batch.List({file});
  batch.Start(editor.Folder() + "out");
  const QStringList report = batch.Report();
  QCOMPARE(report.size(), 6);
  QCOMPARE(report.at(1), "      " + T(editor.Form().Texts().WarningTooManySubtitles));
  QCOMPARE(report.mid(4), batch.Summary("1/1", 0));
}

// The window converts at its own rate and names the rate a file gives; times before zero are
// counted in a line of their own.
void BatchWindowTest::filesOwnRateIsNamedAndZeroedTimesCounted() {
  Editor editor;
  const QString rated = editor.Folder() + "rated.sub", negative = editor.Folder() + "negative.srt";
  WriteBytes(rated, "{1}{1}29.970\r\n{25}{50}One\r\n");
  WriteBytes(negative, "1\r\n-00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n");
  QDir().mkpath(editor.Folder() + "out");
  Batch batch(editor);
  batch.List({rated, negative});
  batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(1);
  batch.Form.ComboBoxKonverzeFrames->setEditText("25");
  batch.Start(editor.Folder() + "out");
  const QStringList report = batch.Report();
  QCOMPARE(report.size(), 10);
  QCOMPARE(report.at(1), QString::fromUtf8("      soubor udává vlastní snímkovou frekvenci: 29,97"));
  QCOMPARE(report.at(5), QString::fromUtf8("      Časy před 0:00:00 načtené jako 0:00:00: 1"));
  QCOMPARE(ReadBytes(editor.Folder() + "out/rated.sub"),
           std::string("1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"));
  QCOMPARE(report.mid(8), batch.Summary("2/2", 0));
}

void BatchWindowTest::missingFileEndsTheRunWithoutSummary() {
  Editor editor;
  const QString dir = editor.Folder();
  WriteBytes(dir + "in/a.sub", kMicroDvd);
  WriteBytes(dir + "in/b.sub", kMicroDvd);
  WriteBytes(dir + "in/c.sub", kMicroDvd);
  QDir().mkpath(dir + "out");
  Batch batch(editor);
  batch.List({dir + "in/a.sub", dir + "in/b.sub", dir + "in/c.sub"});
  QFile::remove(dir + "in/b.sub");  // deleted after it was listed
  batch.Start(dir + "out");
  const AskedDialog* error = editor.Dialogs.Last(Kind::Message);
  QVERIFY(error);
  QCOMPARE(error->Text, QString("File not found"));
  QCOMPARE(error->Icon, MessageIcon::Error);
  QCOMPARE(QDir(dir + "out").entryList(QDir::Files), QStringList({"a.sub"}));
  QCOMPARE(batch.Report(), batch.Converted(dir + "in/a.sub", "MicroDVD"));
  QCOMPARE(batch.Form.GaugeStavKonverze->value(), 1);
  QVERIFY(batch.Form.isEnabled());
  QVERIFY(batch.Form.KeyPreview());
}

void BatchWindowTest::missingOrEmptyFolderIsRefused() {
  Editor editor;
  WriteBytes(editor.Folder() + "a.sub", kMicroDvd);
  Batch batch(editor);
  batch.List({editor.Folder() + "a.sub"});
  batch.Form.ListBoxPrubehKonverze->addItem("last run");
  for (const QString& folder : {QString(), editor.Folder() + "nowhere", editor.Folder() + "a.sub"}) {
    batch.Start(folder);
    QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, T(editor.Form().Texts().ErrorBatchDirectory));
    QCOMPARE(batch.Report(), QStringList({"last run"}));
  }
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 3);
}

void BatchWindowTest::openDocumentSurvivesARun() {
  Editor editor;
  const QString open = editor.Write("open.srt", SubRipFile(3));
  editor.Dialogs.OpenAnswers.push_back(open);
  QTest::mouseClick(editor.Form().ButtonNacist, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  const QStringList row2 = editor.Row(2);

  WriteBytes(editor.Folder() + "in/one.sub", kMicroDvd);
  QDir().mkpath(editor.Folder() + "out");
  Batch batch(editor);
  batch.Form.ComboBoxKonverzeOutput->setCurrentIndex(1);
  batch.List({editor.Folder() + "in/one.sub"});
  batch.Start(editor.Folder() + "out");
  QCOMPARE(batch.Report().size(), 5);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QCOMPARE(QString::fromStdString(editor.Doc().CurrentFileName), open);
  QCOMPARE(editor.Row(2), row2);
  QCOMPARE(editor.GridRows(), 4);
  QCOMPARE(editor.Form().PanelTitulkyMax->text(), QString("3"));
}

void BatchWindowTest::folderPickerFillsTheDestination() {
  Editor editor;
  const QString dir = QDir::cleanPath(editor.Folder());
  QDir().mkpath(dir + "/films/old");
  QDir().mkpath(dir + "/films/new");
  TFormKonverze& batch = editor.Form().FormKonverze();
  TFormSelectDir& picker = editor.Form().FormSelectDir();
  batch.EditKonverzeDir->setText(dir + "/films");

  // The picker opens at the field's folder; "OK" on a subfolder copies it into the field.
  QString openedAt;
  editor.Dialogs.ModalActions.push_back([&](QDialog& shown) {
    QCOMPARE(&shown, static_cast<QDialog*>(&picker));
    openedAt = picker.Directory();
    QTreeWidgetItem* current = picker.DirectoryListBox->currentItem();
    QVERIFY(current);
    picker.DirectoryListBox->expandItem(current);
    QCOMPARE(current->childCount(), 2);
    QCOMPARE(current->child(0)->text(0), QString("new"));
    picker.DirectoryListBox->setCurrentItem(current->child(1));
    QTest::mouseClick(picker.Button1, Qt::LeftButton);
  });
  QTest::mouseClick(batch.ButtonKonverzeDir, Qt::LeftButton);
  QCOMPARE(openedAt, dir + "/films");
  QCOMPARE(batch.EditKonverzeDir->text(), dir + "/films/old");

  // Closed without "OK": the field keeps its text; an empty field leaves the picker as it was.
  editor.Dialogs.ModalActions.push_back([&](QDialog&) { picker.SetDirectory(dir); });
  QTest::mouseClick(batch.ButtonKonverzeDir, Qt::LeftButton);
  QCOMPARE(batch.EditKonverzeDir->text(), dir + "/films/old");
  batch.EditKonverzeDir->clear();
  editor.Dialogs.ModalActions.push_back([&](QDialog&) { openedAt = picker.Directory(); });
  QTest::mouseClick(batch.ButtonKonverzeDir, Qt::LeftButton);
  QCOMPARE(openedAt, dir);

  // Picking the first root shows the whole file system from "/".
  picker.DriveComboBox->setCurrentIndex(0);
  picker.DriveComboBoxChange();
  QCOMPARE(picker.Directory(), QString("/"));
  QCOMPARE(editor.Dialogs.Count(Kind::Modal), 3);
  QCOMPARE(picker.Button1->text(), QString("OK"));
  QVERIFY(picker.Button1->isDefault());
  QVERIFY(TFormSelectDir::Roots().contains(QDir::cleanPath(QDir::homePath())));
}

void BatchWindowTest::folderPickerTakesATypedFolderMakesNewOnesAndCancels() {
  Editor editor;
  const QString dir = QDir::cleanPath(editor.Folder());
  QDir().mkpath(dir + "/films/old");
  TFormKonverze& batch = editor.Form().FormKonverze();
  TFormSelectDir& picker = editor.Form().FormSelectDir();
  batch.EditKonverzeDir->setText("/before");

  // The path field follows the tree, and a typed folder takes the tree there.
  picker.SetDirectory(dir + "/films");
  QCOMPARE(picker.EditCesta->text(), dir + "/films");
  Retype(picker.EditCesta, dir + "/films/old/../old");
  picker.EditCestaEditingFinished();
  QCOMPARE(picker.Directory(), dir + "/films/old");

  // A pasted path that is no folder is refused with a message; the field keeps its text.
  picker.EditCesta->setText(dir + "/films/none");
  QTest::mouseClick(picker.Button1, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, FromUtf8(editor.Form().Texts().ErrorBatchDirectory));
  QCOMPARE(batch.EditKonverzeDir->text(), QString("/before"));
  picker.EditCesta->setText(dir + "/films");
  QTest::mouseClick(picker.Button1, Qt::LeftButton);
  QCOMPARE(batch.EditKonverzeDir->text(), dir + "/films");
  QCOMPARE(picker.result(), int(QDialog::Accepted));

  // "Cancel" leaves the destination as it was.
  picker.EditCesta->setText(dir);
  QTest::mouseClick(picker.ButtonZrusit, Qt::LeftButton);
  QCOMPARE(picker.result(), int(QDialog::Rejected));
  QCOMPARE(batch.EditKonverzeDir->text(), dir + "/films");

  // "New folder" makes one inside the chosen folder and shows it; cancelled, nothing is made.
  picker.SetDirectory(dir + "/films");
  editor.Dialogs.TextAnswers = {QString("titulky 2")};
  QTest::mouseClick(picker.ButtonNovaSlozka, Qt::LeftButton);
  QVERIFY(QFileInfo(dir + "/films/titulky 2").isDir());
  QCOMPARE(picker.Directory(), dir + "/films/titulky 2");
  QCOMPARE(picker.EditCesta->text(), dir + "/films/titulky 2");
  QCOMPARE(editor.Dialogs.Last(Kind::TextInput)->Text, FromUtf8(editor.Form().Texts().QuestionNovaSlozka));
  const int messages = editor.Dialogs.Count(Kind::Message);
  for (const QString& refused : {QString("titulky 2"), QString("a/b")}) {  // there already; not one folder
    picker.SetDirectory(dir + "/films");
    editor.Dialogs.TextAnswers = {refused};
    QTest::mouseClick(picker.ButtonNovaSlozka, Qt::LeftButton);
    QVERIFY(
        editor.Dialogs.Last(Kind::Message)->Text.startsWith(FromUtf8(editor.Form().Texts().ErrorNovaSlozka)));
  }
  QCOMPARE(editor.Dialogs.Count(Kind::Message), messages + 2);
  QVERIFY(!QFileInfo::exists(dir + "/films/a"));
  editor.Dialogs.TextAnswers = {QString()};
  QTest::mouseClick(picker.ButtonNovaSlozka, Qt::LeftButton);
  QCOMPARE(QDir(dir + "/films").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}

QTEST_MAIN(BatchWindowTest)
#include "batch_window_test.moc"

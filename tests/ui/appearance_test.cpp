// How the windows look: readable under a dark palette, and no text cut off in either shipped
// language.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextDocument>

#include "batch/konverze_form.h"
#include "batch/select_dir_form.h"
#include "ui/find_form.h"
#include "ui/frame_form.h"
#include "ui/info_form.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

namespace {

// The palette of a dark desktop: light text on dark backgrounds.
QPalette DarkPalette() {
  QPalette dark;
  const QColor window(0x35, 0x35, 0x35), base(0x2A, 0x2A, 0x2A), text(0xEE, 0xEE, 0xEE);
  for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase, QPalette::ToolTipBase})
    dark.setColor(role, window);
  dark.setColor(QPalette::Base, base);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText,
                          QPalette::BrightText})
    dark.setColor(role, text);
  dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
  dark.setColor(QPalette::HighlightedText, Qt::black);
  dark.setColor(QPalette::Link, QColor(0x6C, 0xB4, 0xFF));
  return dark;
}

double Luminance(const QColor& colour) {
  const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QList<QWidget*> EveryWidget(TForm1& form) {
  QList<QWidget*> windows{&form,
                          &form.FormInfo(),
                          &form.FormFind(),
                          &form.FormKonverze(),
                          &form.FormSelectDir(),
                          &form.FormFrame()};
  QList<QWidget*> widgets;
  for (QWidget* window : windows) widgets << window << window->findChildren<QWidget*>();
  return widgets;
}

// Both shipped languages, Czech chosen.
const std::string kTwoLanguages =
    "[LANGUAGES]\r\nCount=2\r\n1=\xC8"
    "esk\xFD\r\n2=English\r\n[SETTINGS]\r\nLanguage=1\r\nExec=1\r\n";

QString Plain(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

// The room a text needs beyond its own width: a button's bevel, a group box's frame.
int Padding(const QWidget& widget) {
  if (qobject_cast<const QPushButton*>(&widget)) return 8;
  if (qobject_cast<const QGroupBox*>(&widget)) return 16;
  return 0;
}

// What of a control's own text does not fit into it, as "name: text"; empty when all fits.
QString ClippedText(QWidget& widget) {
  QString text;
  int room = 0;
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (label->wordWrap() || Qt::mightBeRichText(label->text()) || !label->pixmap().isNull()) return {};
    text = label->text();
    room = label->contentsRect().width() - 2 * label->margin() - 2 * label->indent() * (label->indent() > 0);
  } else if (qobject_cast<QCheckBox*>(&widget) || qobject_cast<QRadioButton*>(&widget)) {
    if (static_cast<QAbstractButton&>(widget).text().isEmpty()) return {};
    return widget.sizeHint().width() > widget.width()
               ? QString("%1: \"%2\" needs %3, has %4")
                     .arg(widget.objectName(), static_cast<QAbstractButton&>(widget).text())
                     .arg(widget.sizeHint().width())
                     .arg(widget.width())
               : QString();
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    text = button->text();
    room = button->width() - Padding(widget);
  } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
    text = group->title();
    room = group->width() - Padding(widget);
  } else if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
    text = line->text();
    const int frame = line->hasFrame() ? line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    room = line->width() - 2 * frame - 4;  // the frame and the text margins
  }
  text = Plain(text);
  while (text.endsWith(' ')) text.chop(1);  // blanks at the end show nothing
  if (text.isEmpty()) return {};
  const int needed = widget.fontMetrics().horizontalAdvance(text);
  return needed > room
             ? QString("%1: \"%2\" needs %3, has %4").arg(widget.objectName(), text).arg(needed).arg(room)
             : QString();
}

QStringList ClippedTexts(QWidget& window) {
  QStringList clipped;
  for (QWidget* widget : QList<QWidget*>{&window} + window.findChildren<QWidget*>())
    if (const QString found = ClippedText(*widget); !found.isEmpty()) clipped << found;
  return clipped;
}

// Every window as it stands on screen, laid out for its texts.
QStringList ClippedTexts(TForm1& form) {
  QStringList clipped = ClippedTexts(static_cast<QWidget&>(form));
  for (QWidget* window :
       {static_cast<QWidget*>(&form.FormInfo()), static_cast<QWidget*>(&form.FormFind()),
        static_cast<QWidget*>(&form.FormKonverze()), static_cast<QWidget*>(&form.FormSelectDir()),
        static_cast<QWidget*>(&form.FormFrame())}) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) clipped << window->objectName() + " not shown";
    QCoreApplication::processEvents();
    clipped << ClippedTexts(*window);
    window->hide();
  }
  return clipped;
}

}  // namespace

class AppearanceTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedColoursStayReadableUnderADarkPalette();
  void noTextIsCutOffInEitherLanguage();
};

void AppearanceTest::fixedColoursStayReadableUnderADarkPalette() {
  const QPalette before = QApplication::palette();
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setPalette(DarkPalette());
  {
    Editor editor;
    const QPalette app = QApplication::palette();
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::Base, QPalette::Text},
        {QPalette::Window, QPalette::WindowText},
        {QPalette::Button, QPalette::ButtonText},
        {QPalette::Highlight, QPalette::HighlightedText},
    };
    int checked = 0;
    for (QWidget* widget : EveryWidget(editor.Form())) {
      const QPalette own = widget->palette();
      for (const auto& [background, text] : pairs) {
        // Only colours the windows chose themselves; the desktop answers for its own.
        if (own.color(background) == app.color(background) && own.color(text) == app.color(text)) continue;
        ++checked;
        const double contrast = Contrast(own.color(background), own.color(text));
        QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2 on %3, contrast %4")
                                                 .arg(widget->objectName(), own.color(text).name(),
                                                      own.color(background).name())
                                                 .arg(contrast, 0, 'f', 1)));
      }
    }
    QVERIFY(checked >= 8);  // the grid, the three text views, the gauge, the author label, ...
  }
  QApplication::setPalette(before);
}

void AppearanceTest::noTextIsCutOffInEitherLanguage() {
  Editor editor({}, true, kTwoLanguages, {QString("lng_English.ini")});
  TForm1& form = Shown(editor);
  QStringList clipped;
  for (const int language : {0, 1}) {
    form.ComboBoxLanguage->setCurrentIndex(language);
    clipped << ClippedTexts(form);
  }
  // Fields at their longest values.
  const struct {
    QWidget* field;
    QStringList values;
  } longest[] = {
      {form.EditDiference, {"23:59:59,999", "-999999"}},
      {form.EditZdrojFormat,
       [&] {
         QStringList names;
         for (const std::string& name : form.FormatNames()) names << FromUtf8(name);
         return names;
       }()},
      {form.PanelTitulkyMax, {"20000"}},
      {form.Panel1, {"20000"}},
      {form.Panel2, {"20000"}},
      {form.PanelLinesMax, {"750"}},
  };
  for (const auto& [field, values] : longest)
    for (const QString& value : values) {
      if (auto* line = qobject_cast<QLineEdit*>(field)) line->setText(value);
      if (auto* label = qobject_cast<QLabel*>(field)) label->setText(value);
      clipped << ClippedText(*field);
    }
  clipped.removeAll(QString());
  QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
}

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"

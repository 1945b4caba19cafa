// How the windows look: readable under a dark palette, and no text cut off in either shipped
// language.

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

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

}  // namespace

class AppearanceTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedColoursStayReadableUnderADarkPalette();
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

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"

// Each tool button of the time and text tools pages on a 20000-subtitle document, timed from
// the click to the repainted grid (median of RUNS clicks, each on a freshly loaded document).
//   QT_QPA_PLATFORM=offscreen gui_tools [RUNS]

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "silent_dialogs.h"
#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

namespace {

// 20000 subtitles that give every tool work: accents, long lines, trailing blanks, overlaps
// and a blank subtitle now and then.
QByteArray BigSubRip() {
  QByteArray file;
  char line[256];
  for (int i = 1; i <= 20000; ++i) {
    const int s = i * 3, e = s + 4;
    std::snprintf(line, sizeof line, "%d\r\n%02d:%02d:%02d,%03d --> %02d:%02d:%02d,500\r\n", i, s / 3600,
                  s / 60 % 60, s % 60, i * 37 % 1000, e / 3600, e / 60 % 60, e % 60);
    file += line;
    if (i % 50 == 0)
      file += " \r\n\r\n";
    else
      file += "Subtitle number " + QByteArray::number(i) +
              " with \xE8"
              "e\x9Atina and a rather long first line of text \r\nand a second line \r\n\r\n";
  }
  return file;
}

struct Tool {
  const char* name;
  std::function<QAbstractButton*(qm::TForm1&)> prepare;  // sets the tool's fields, returns its button
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QTemporaryDir folder;
  QDir(folder.path()).mkpath("Data");
  const QString path = folder.path() + "/big.srt";
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return 1;
  out.write(BigSubRip());
  out.close();
  QFile settings(folder.path() + "/Data/settings.ini");  // a later run: no About window
  if (!settings.open(QIODevice::WriteOnly)) return 1;
  settings.write("[SETTINGS]\r\nExec=5\r\n");
  settings.close();

  SilentDialogs dialogs;
  qm::StartupOptions options;
  options.ProgramFolder = folder.path() + "/";
  options.ScreenSize = QSize(1024, 768);
  qm::TForm1 form(dialogs, options);
  form.show();

  using F = qm::TForm1;
  const std::vector<Tool> tools = {
      {"shift 1,5 s (ButtonPosuvCasu)",
       [](F& f) {
         f.EditPosuv->setText("1,5");
         return f.ButtonPosuvCasu;
       }},
      {"speed 0,95904 (ButtonZmenaRychlosti)",
       [](F& f) {
         f.EditTimeScale->setText("0,95904");
         return f.ButtonZmenaRychlosti;
       }},
      {"hide from show (ButtonSchovDleZobraz)", [](F& f) { return f.ButtonSchovDleZobraz; }},
      {"show from hide (ButtonZobrazDleSchov)", [](F& f) { return f.ButtonZobrazDleSchov; }},
      {"changes a->b, trim, overlaps (ButtonProvest)",
       [](F& f) {
         f.EditString1->setText("a");
         f.EditString2->setText("b");
         return f.ButtonProvest;
       }},
      {"delete 400 blank (ButtonDeleteEmpty)", [](F& f) { return f.ButtonDeleteEmpty; }},
      {"accents (ButtonKonvertToCestina)", [](F& f) { return f.ButtonKonvertToCestina; }},
      {"wrap at 20 (ButtonZalomeniRadek)",
       [](F& f) {
         f.EditMaxCharsOnLine->setText("20");
         return f.ButtonZalomeniRadek;
       }},
  };

  std::printf("20000 subtitles, clock view, median of %d clicks, click to repainted grid:\n", runs);
  for (const Tool& tool : tools) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
      form.OpenFile(path, qm::OpenFailureReport::OwnMessage);
      QAbstractButton* button = tool.prepare(form);
      QApplication::processEvents();
      QElapsedTimer timer;
      timer.start();
      button->click();
      form.Titulky->viewport()->repaint();
      times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    // What the last click left in grid row 1, so that a tool doing nothing shows.
    const QModelIndex show = form.Titulky->model()->index(0, 1), text = form.Titulky->model()->index(0, 3);
    std::printf("  %-46s %7.1f ms (min %.1f, max %.1f)  %d subtitles, row 1: %s %s\n", tool.name,
                times[times.size() / 2], times.front(), times.back(), form.Document().SubtitleCount,
                qPrintable(show.data().toString()), qPrintable(text.data().toString().left(40)));
  }
  return 0;
}

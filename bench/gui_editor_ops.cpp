// The editor's operations on a document of 19900 subtitles, each timed from the user's action to
// the grid repainted: insert and remove at row 1, a click on a row (one-click editing loads
// it into the editor), and undo of a whole-document change. Target: each under 50 ms.
//   QT_QPA_PLATFORM=offscreen gui_editor_ops [RUNS]

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "document/subtitles_tool.h"
#include "silent_dialogs.h"
#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"

namespace {

// Room below the table's 20000 for the inserts of every run.
constexpr int32_t kSubtitles = qm::MaxSubtitles - 100;

void Fill(qm::SubtitleDocument& doc) {
  doc.FrameRate = 23.976;
  doc.StoredMode = qm::kModeBoth;
  doc.TimeMode = qm::kModeClock;
  doc.SubtitleCount = kSubtitles;
  for (int32_t i = 1; i <= kSubtitles; ++i) {
    qm::TSubtitle& r = doc.SubtitleTable[i];
    r.StartFrame = i * 72;
    r.EndFrame = r.StartFrame + 60;
    qm::FramesToClock(doc, i, true, true, doc.FrameRate);
    r.Text = "Subtitle number " + std::to_string(i) + " with some text|and a second line";
  }
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("  %-34s median %6.2f ms   max %6.2f ms\n", what, ms[ms.size() / 2], ms.back());
}

// Runs `setup` untimed, then times `action` and a synchronous repaint of the grid.
std::vector<double> Time(qm::TForm1& form, int runs, const std::function<void()>& setup,
                         const std::function<void()>& action) {
  std::vector<double> ms;
  for (int run = 0; run < runs; ++run) {
    setup();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    action();
    form.Titulky->viewport()->repaint();
    ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  QTemporaryDir folder;
  SilentDialogs dialogs;
  qm::StartupOptions options;
  options.ProgramFolder = folder.path() + "/";
  options.ScreenSize = QSize(1024, 768);
  qm::TForm1 form(dialogs, options);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  Fill(form.Document());
  form.FillGrid();
  form.CheckBoxEditByOneClick->setChecked(true);

  std::printf("%d subtitles, %d runs each, action to repainted grid:\n", int{kSubtitles}, runs);
  const auto atRowOne = [&] { form.SetCurrentRow(1); };
  Report("insert at row 1 (ButtonVlozit)", Time(form, runs, atRowOne, [&] { form.ButtonVlozit->click(); }));
  if (form.Document().SubtitleCount != kSubtitles + runs) return 1;  // every insert must have happened
  Report("remove at row 1 (ButtonOdebrat)", Time(
                                                form, runs,
                                                [&] {
                                                  atRowOne();
                                                  form.TitulkyClick();
                                                },
                                                [&] { form.ButtonOdebrat->click(); }));
  int row = 100;
  Report("click on a row (one-click editing)",
         Time(
             form, runs, [&] { row += 1; },
             [&] {
               const QPoint at = form.Titulky->visualRect(form.GridModel().index(row % 20 + 2, 3)).center();
               QTest::mouseClick(form.Titulky->viewport(), Qt::LeftButton, {}, at);
             }));
  Report("undo of a whole-document change", Time(
                                                form, runs,
                                                [&] {
                                                  form.BeginWholeDocumentChange();
                                                  qm::SubtitleDocument& doc = form.Document();
                                                  for (int32_t i = 1; i <= doc.SubtitleCount; ++i)
                                                    doc.SubtitleTable[i].Text += "!";
                                                  form.FillGrid();
                                                },
                                                [&] { form.UndoClick(); }));
  return 0;
}

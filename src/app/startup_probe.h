#pragma once
// Switches for timing the editor from outside, read from the environment:
//   QUILLMARK_QUIT_AFTER_FIRST_PAINT=1  quit as soon as the grid has been painted (with the
//                                       command-line file in it, when one was named);
//   QUILLMARK_BENCH_REOPEN=N            before quitting, open that file N more times and print
//                                       the time from each command to the painted grid;
//   QUILLMARK_PROBE_REPORT=1            before quitting, print where the program found its
//                                       files and what it loaded (the install check reads it).

#include <QObject>
#include <QString>

namespace qm {

class TForm1;

class StartupProbe final : public QObject {
 public:
  // Nothing is installed unless a switch is set.
  static void InstallIfRequested(TForm1& form, const QString& commandLineFile);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  StartupProbe(TForm1& form, QString file, int reopenCount);
  void Finish();
  void PrintReport() const;

  TForm1& m_form;
  QString m_file;
  int m_reopenCount;
  bool m_ready;
  bool m_finishing = false;
};

}  // namespace qm

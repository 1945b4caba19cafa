#include "app/startup_probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "config/language.h"
#include "ui/quillmark_unit.h"

namespace qm {

void StartupProbe::InstallIfRequested(TForm1& form, const QString& commandLineFile) {
  if (qEnvironmentVariableIntValue("QUILLMARK_QUIT_AFTER_FIRST_PAINT") != 1) return;
  new StartupProbe(form, commandLineFile, qEnvironmentVariableIntValue("QUILLMARK_BENCH_REOPEN"));
}

StartupProbe::StartupProbe(TForm1& form, QString file, int reopenCount)
    : QObject(&form),
      m_form(form),
      m_file(std::move(file)),
      m_reopenCount(reopenCount),
      m_ready(m_file.isEmpty()) {
  form.Titulky->viewport()->installEventFilter(this);
  connect(&form, &TForm1::FileOpened, this, [this] {
    m_ready = true;
    m_form.Titulky->viewport()->update();
  });
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && m_ready && !m_finishing && watched == m_form.Titulky->viewport()) {
    m_finishing = true;
    QTimer::singleShot(0, this, [this] { Finish(); });  // after this paint has been drawn
  }
  return false;
}

void StartupProbe::Finish() {
  std::vector<double> milliseconds;
  for (int i = 0; i < m_reopenCount && !m_file.isEmpty(); ++i) {
    QElapsedTimer timer;
    timer.start();
    m_form.OpenFile(m_file, OpenFailureReport::OwnMessage);
    m_form.Titulky->viewport()->repaint();
    milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  if (!milliseconds.empty()) {
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("reopen_ms runs=%zu min=%.2f median=%.2f max=%.2f\n", milliseconds.size(),
                milliseconds.front(), milliseconds[milliseconds.size() / 2], milliseconds.back());
    std::fflush(stdout);
  }
  if (qEnvironmentVariableIntValue("QUILLMARK_PROBE_REPORT") == 1) PrintReport();
  QApplication::quit();
}

void StartupProbe::PrintReport() const {
  const bool languageFound = m_form.Texts().ErrorCantOpenFile != kLanguageError;
  std::printf("program_folder=%s\nlanguage_file=%s\nsubtitles=%d\nfile=%s\n",
              m_form.ProgramFolder().toLocal8Bit().constData(), languageFound ? "found" : "missing",
              static_cast<int>(m_form.Document().SubtitleCount), m_form.Document().CurrentFileName.c_str());
  std::fflush(stdout);
}

}  // namespace qm

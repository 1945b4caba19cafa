// The recent files: a drop-down arrow beside the open button, and the same menu as the
// button's context menu. The list itself lives in the user's state folder (config/recent_files).

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "config/recent_files.h"
#include "platform/file_io.h"
#include "ui/quillmark_unit.h"

namespace qm {
namespace {

constexpr int kMenuTextWidth = 420;  // pixels; longer paths give way in the middle

}  // namespace

struct TForm1::RecentFilesMenu {
  RecentFilesMenu(TForm1& form, const QString& file) : f(form), List(ToPath(file)) {}
  TForm1& f;
  RecentFiles List;

  void Fill();
};

void TForm1::DeletePage(RecentFilesMenu* menu) { delete menu; }

void TForm1::ConnectRecentFiles() {
  m_recentFilesMenu.reset(new RecentFilesMenu(*this, m_options.RecentFilesFile));
  MenuNedavneSoubory = new QMenu(this);
  MenuNedavneSoubory->setObjectName("MenuNedavneSoubory");
  MenuNedavneSoubory->setToolTipsVisible(true);
  connect(MenuNedavneSoubory, &QMenu::aboutToShow, this, [this] { m_recentFilesMenu->Fill(); });
  ButtonNedavneSoubory->setMenu(MenuNedavneSoubory);
  ButtonNedavneSoubory->setPopupMode(QToolButton::InstantPopup);
  ButtonNacist->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ButtonNacist, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { MenuNedavneSoubory->popup(ButtonNacist->mapToGlobal(at)); });
}

void TForm1::RecentFilesMenu::Fill() {
  QMenu& menu = *f.MenuNedavneSoubory;
  menu.clear();
  const std::vector<std::string>& files = List.Files();
  if (files.empty()) menu.addAction(FromUtf8(f.m_texts.MenuNedavneSouboryPrazdne))->setEnabled(false);
  for (size_t i = 0; i < files.size(); ++i) {
    const QString path = FromPath(files[i]);
    // "&1 ... &9, 1&0": the number's last digit is the access key.
    const QString number = i < 9 ? QString("&%1").arg(i + 1) : QString("1&0");
    QString shown = menu.fontMetrics().elidedText(path, Qt::ElideMiddle, kMenuTextWidth);
    QAction* action = menu.addAction(number + "  " + shown.replace('&', "&&"));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, &f,
            [this, path] { f.Guarded([this, path] { f.OpenRecentFile(path); }); });
  }
}

void TForm1::OpenRecentFile(const QString& fileName) {
  if (!FileExists(ToPath(fileName))) {
    ShowText(m_texts.ErrorCantOpenFile, MessageIcon::Error);
    m_recentFilesMenu->List.Remove(ToPath(fileName));
    return;
  }
  if (!QueryUnsavedChanges()) return;
  OpenFile(fileName, OpenFailureReport::CantOpenFile);
}

void TForm1::RememberRecentFile(const QString& fileName) {
  m_recentFilesMenu->List.Add(ToPath(QFileInfo(fileName).absoluteFilePath()));
}

QStringList TForm1::RecentFileNames() const {
  QStringList names;
  for (const std::string& path : m_recentFilesMenu->List.Files()) names << FromPath(path);
  return names;
}

}  // namespace qm

#pragma once
// The secondary windows open in the middle of the screen, whatever the main window does.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qm {

inline void CentreOnScreen(QWidget& window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->geometry().center());
    window.move(frame.topLeft());
  }
}

}  // namespace qm

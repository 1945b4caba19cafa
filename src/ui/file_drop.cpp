#include "ui/file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace qm {

bool HandleFileDrop(QEvent* event, QObject* context, const FilesDroppedHandler& dropped) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!drag->mimeData()->hasUrls()) return false;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasUrls()) return false;
      QStringList paths;
      for (const QUrl& url : drop->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      QMetaObject::invokeMethod(
          context, [dropped, paths] { dropped(paths); }, Qt::QueuedConnection);
      return true;
    }
    default:
      return false;
  }
}

FileDropTarget::FileDropTarget(QWidget& target, FilesDroppedHandler dropped)
    : QObject(&target), m_dropped(std::move(dropped)) {
  target.setAcceptDrops(true);
  target.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  return HandleFileDrop(event, this, m_dropped) || QObject::eventFilter(watched, event);
}

}  // namespace qm

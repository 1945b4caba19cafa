#pragma once
// Files dragged from the desktop onto a view: the drag is accepted when it carries file
// names, and on the drop the local paths reach a handler once the drag has ended, so that
// the drop is released before a long load starts.

#include <QObject>
#include <QStringList>
#include <functional>

class QEvent;
class QWidget;

namespace qm {

using FilesDroppedHandler = std::function<void(const QStringList& paths)>;

// One step of an event filter: true when `event` was a file drag or drop and was taken.
// The handler runs queued on `context`.
bool HandleFileDrop(QEvent* event, QObject* context, const FilesDroppedHandler& dropped);

// Watches a widget (an item view's viewport) for dropped files.
class FileDropTarget final : public QObject {
 public:
  FileDropTarget(QWidget& target, FilesDroppedHandler dropped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FilesDroppedHandler m_dropped;
};

}  // namespace qm

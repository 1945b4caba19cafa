#pragma once
// One event filter per watched object, as a function: the page files hook the events of
// their controls without a class per control.

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace qm {

class EventHook final : public QObject {
 public:
  using Handler = std::function<bool(QEvent&)>;  // true: the event is used up
  EventHook(QObject* watched, Handler handler) : QObject(watched), m_handler(std::move(handler)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return m_handler(*event); }

 private:
  Handler m_handler;
};

}  // namespace qm

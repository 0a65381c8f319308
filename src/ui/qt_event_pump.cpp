// Dispatching Qt's pending events in time slices, and sleeping in its event loop until woken.
#include "ui/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

namespace yc::ui {

QtEventPump::QtEventPump(std::chrono::nanoseconds slice)
    : slice_(slice),
      lastDispatch_(Clock::now()),
      dispatcher_(QAbstractEventDispatcher::instance(QThread::currentThread())) {
    host::installEventPump(this);
}

QtEventPump::~QtEventPump() {
    if (host::installedEventPump() == this) {
        host::installEventPump(nullptr);
    }
}

void QtEventPump::pump() {
    if (!everyCall_) {
        const Clock::time_point now = Clock::now();
        if (now - lastDispatch_ < slice_) {
            return;
        }
        lastDispatch_ = now;
    }
    QCoreApplication::processEvents();
}

void QtEventPump::waitAndDispatch() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    lastDispatch_ = Clock::now();
}

void QtEventPump::wake() {
    if (dispatcher_ != nullptr) {
        dispatcher_->wakeUp();
    }
}

}  // namespace yc::ui

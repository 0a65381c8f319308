// The event pump over Qt's event loop. Dispatching costs about a microsecond even with nothing
// waiting, and hot loops pump once per byte, so by default it dispatches only when a time slice
// has passed since the last dispatch.
#pragma once

#include <chrono>

#include "host/event_pump.h"

class QAbstractEventDispatcher;

namespace yc::ui {

class QtEventPump final : public host::EventPump {
  public:
    /// Installs itself as the process's pump for its lifetime. Create it on the window thread.
    explicit QtEventPump(std::chrono::nanoseconds slice = std::chrono::milliseconds(1));
    ~QtEventPump() override;
    QtEventPump(const QtEventPump&) = delete;
    QtEventPump& operator=(const QtEventPump&) = delete;

    /// Tests switch slicing off so that every call dispatches.
    void setDispatchOnEveryCall(bool everyCall) { everyCall_ = everyCall; }

    void pump() override;
    void waitAndDispatch() override;
    void wake() override;

  private:
    using Clock = std::chrono::steady_clock;
    std::chrono::nanoseconds slice_;
    Clock::time_point lastDispatch_;
    bool everyCall_ = false;
    QAbstractEventDispatcher* dispatcher_;
};

}  // namespace yc::ui

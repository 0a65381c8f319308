// An event pump that counts the engine's calls to process pending events and passes them on to
// the pump installed before it.
#pragma once

#include "host/event_pump.h"

namespace yc::test {

class CountingEventPump final : public host::EventPump {
  public:
    /// Installs itself in front of the current pump for its lifetime.
    CountingEventPump() : next_(host::installedEventPump()) { host::installEventPump(this); }
    ~CountingEventPump() override { host::installEventPump(next_); }
    CountingEventPump(const CountingEventPump&) = delete;
    CountingEventPump& operator=(const CountingEventPump&) = delete;

    void pump() override {
        ++calls;
        if (next_ != nullptr) {
            next_->pump();
        }
    }
    void waitAndDispatch() override {
        if (next_ != nullptr) {
            next_->waitAndDispatch();
        }
    }
    void wake() override {
        if (next_ != nullptr) {
            next_->wake();
        }
    }

    int calls = 0;

  private:
    host::EventPump* next_;
};

}  // namespace yc::test

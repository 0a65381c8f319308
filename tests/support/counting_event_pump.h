// An event pump that counts the engine's calls to process pending events and passes them on to
// the pump installed before it.
#pragma once

#include "ui/event_pump.h"

namespace yc::test {

class CountingEventPump final : public ui::EventPump {
  public:
    /// Installs itself in front of the current pump for its lifetime.
    CountingEventPump() : next_(ui::installedEventPump()) { ui::installEventPump(this); }
    ~CountingEventPump() override { ui::installEventPump(next_); }
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
    ui::EventPump* next_;
};

}  // namespace yc::test

// *Process pending events*: the one call through which long engine routines let the window
// system dispatch waiting input (a stop click, a timer tick) before they go on.
#pragma once

#include <functional>

namespace yc::ui {

class EventPump {
  public:
    virtual ~EventPump() = default;
    /// Dispatches every waiting window event, then returns. Handlers may re-enter from here.
    virtual void pump() = 0;
    /// Blocks until window input arrives or wake() is called, then dispatches what is waiting.
    virtual void waitAndDispatch() = 0;
    /// Ends a waitAndDispatch() in progress (or the next one). Safe to call from any thread.
    virtual void wake() = 0;
};

namespace detail {
inline EventPump* installedPump = nullptr;
}

/// Installs the pump that processPendingEvents() calls; nullptr (the default) makes it a no-op,
/// which is what headless programs and most tests want. The caller keeps ownership.
inline void installEventPump(EventPump* pump) {
    detail::installedPump = pump;
}
inline EventPump* installedEventPump() {
    return detail::installedPump;
}

/// Called from hot loops (once per byte of an answer page), so it costs a load and a branch when
/// nothing is installed; installed pumps keep their own cost down by time-slicing.
inline void processPendingEvents() {
    if (EventPump* pump = detail::installedPump) {
        pump->pump();
    }
}

}  // namespace yc::ui

namespace yc::ui {

/// Runs `work` on a new thread and returns when it has finished. Meanwhile the calling thread
/// dispatches window events as they arrive, sleeping (not spinning) between them; with no pump
/// installed it simply joins the thread.
void runOnWorkerWhileDispatching(const std::function<void()>& work);

}  // namespace yc::ui

// *Process pending events*: the one call through which long engine routines let the window
// system dispatch waiting input (a stop click, a timer tick) before they go on.
#pragma once

#include <atomic>
#include <functional>

namespace yc::host {

class EventPump {
  public:
    virtual ~EventPump() = default;
    /// Dispatches every waiting window event, then returns. Handlers may re-enter from here.
    virtual void pump() = 0;
    /// Blocks until window input arrives or wake() is called, then dispatches what is waiting.
    virtual void waitAndDispatch() = 0;
    /// Ends a waitAndDispatch() in progress (or the next one). Safe to call from any thread.
    virtual void wake() = 0;
    /// False for a pump with nothing to dispatch during a wait (a program without windows):
    /// work is then run on the calling thread, which saves two thread switches per call.
    virtual bool dispatchesWhileWaiting() const { return true; }
    /// For a pump with nothing to dispatch during a wait: the flag an outside event (a signal)
    /// sets to end the work in flight, which runs on the calling thread; none when none does.
    virtual const std::atomic<bool>* abortFlag() const { return nullptr; }
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

}  // namespace yc::host

namespace yc::host {

/// Runs `work` on a worker thread and returns when it has finished. Meanwhile the calling thread
/// dispatches window events as they arrive, sleeping (not spinning) between them, and calls
/// `afterDispatch` (when given) after each round, so that what the handlers did can reach the
/// work. With no pump installed, or one that has nothing to dispatch, `work` runs on the calling
/// thread.
void runOnWorkerWhileDispatching(const std::function<void()>& work,
                                 const std::function<void()>& afterDispatch = {});

}  // namespace yc::host

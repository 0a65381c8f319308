// The command line's event pump: the only "event" is Ctrl-C, which asks the run to stop and ends
// the transfer in flight, exactly as a stop click does in the window. Transfers run on the
// calling thread, which the signal's flag stops; a wait sleeps on a pipe that the signal wakes.
#pragma once

#include "host/event_pump.h"

namespace yc::cli {

class InterruptPump final : public host::EventPump {
  public:
    /// Installs the SIGINT handler and itself as the pump; `stopRequested` is the run's flag.
    explicit InterruptPump(bool& stopRequested);
    ~InterruptPump() override;
    InterruptPump(const InterruptPump&) = delete;
    InterruptPump& operator=(const InterruptPump&) = delete;

    void pump() override;
    void waitAndDispatch() override;
    void wake() override;
    bool dispatchesWhileWaiting() const override { return false; }
    const std::atomic<bool>* abortFlag() const override;

    /// True once Ctrl-C was pressed.
    static bool interrupted();

  private:
    bool& stopRequested_;
};

}  // namespace yc::cli

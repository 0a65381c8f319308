// Catching Ctrl-C and turning it into the run's stop request.
#include "cli/interrupt_pump.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace yc::cli {
namespace {

std::atomic<bool> interruptedFlag{false};
int wakePipe[2] = {-1, -1};

void writeWakeByte() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
}

extern "C" void onInterrupt(int) {
    interruptedFlag.store(true);
    writeWakeByte();
    // A second Ctrl-C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

InterruptPump::InterruptPump(bool& stopRequested) : stopRequested_(stopRequested) {
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
    }
    std::signal(SIGINT, onInterrupt);
    host::installEventPump(this);
}

InterruptPump::~InterruptPump() {
    host::installEventPump(nullptr);
    std::signal(SIGINT, SIG_DFL);
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

bool InterruptPump::interrupted() {
    return interruptedFlag.load();
}

void InterruptPump::pump() {
    if (interruptedFlag.load(std::memory_order_relaxed)) {
        stopRequested_ = true;
    }
}

void InterruptPump::waitAndDispatch() {
    pollfd waiting{wakePipe[0], POLLIN, 0};
    // Without a pipe, fall back to short sleeps rather than blocking for ever.
    if (::poll(&waiting, 1, wakePipe[0] < 0 ? 10 : -1) > 0) {
        char drain[64];
        while (::read(wakePipe[0], drain, sizeof drain) > 0) {
        }
    }
    pump();
}

const std::atomic<bool>* InterruptPump::abortFlag() const {
    return &interruptedFlag;
}

void InterruptPump::wake() {
    writeWakeByte();
}

}  // namespace yc::cli

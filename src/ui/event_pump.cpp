#include "ui/event_pump.h"

#include <atomic>
#include <thread>

namespace yc::ui {

void runOnWorkerWhileDispatching(const std::function<void()>& work) {
    EventPump* pump = installedEventPump();
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished.store(true, std::memory_order_release);
        if (pump != nullptr) {
            pump->wake();
        }
    });
    if (pump != nullptr) {
        while (!finished.load(std::memory_order_acquire)) {
            pump->waitAndDispatch();
        }
    }
    worker.join();
}

}  // namespace yc::ui

// The event pump hook and the worker that runs a transfer while the calling thread dispatches.
#include "host/event_pump.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace yc::host {
namespace {

// A thread that runs the tasks handed to it, one at a time. Starting a thread costs about as much
// as a whole exchange with a server on the same machine, so finished workers are kept for the
// next call instead of being joined.
class Worker {
  public:
    Worker() : thread_([this] { loop(); }) {}
    ~Worker() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wakeup_.notify_one();
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void run(std::function<void()> task) {
        {
            std::lock_guard lock(mutex_);
            task_ = std::move(task);
        }
        wakeup_.notify_one();
    }

  private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wakeup_.wait(lock, [this] { return quit_ || task_; });
            if (!task_) {
                return;
            }
            std::function<void()> task = std::move(task_);
            task_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wakeup_;
    std::function<void()> task_;
    bool quit_ = false;
    std::thread thread_;  // last: starts once the members above exist
};

class WorkerPool {
  public:
    std::unique_ptr<Worker> take() {
        std::lock_guard lock(mutex_);
        if (idle_.empty()) {
            return std::make_unique<Worker>();
        }
        std::unique_ptr<Worker> worker = std::move(idle_.back());
        idle_.pop_back();
        return worker;
    }
    void give(std::unique_ptr<Worker> worker) {
        std::lock_guard lock(mutex_);
        idle_.push_back(std::move(worker));
    }

  private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Worker>> idle_;
};

WorkerPool& workerPool() {
    static WorkerPool pool;
    return pool;
}

}  // namespace

void runOnWorkerWhileDispatching(const std::function<void()>& work,
                                 const std::function<void()>& afterDispatch) {
    EventPump* pump = installedEventPump();
    if (pump == nullptr || !pump->dispatchesWhileWaiting()) {
        work();
        return;
    }
    std::mutex mutex;
    bool finished = false;
    std::unique_ptr<Worker> worker = workerPool().take();
    worker->run([&, pump] {
        work();
        {
            std::lock_guard lock(mutex);
            finished = true;
        }
        pump->wake();
    });
    // Nested handlers may start their own transfers from here; each takes its own worker.
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (finished) {
                break;
            }
        }
        pump->waitAndDispatch();
        if (afterDispatch) {
            afterDispatch();
        }
    }
    workerPool().give(std::move(worker));
}

}  // namespace yc::host

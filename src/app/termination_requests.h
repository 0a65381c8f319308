// Turns SIGTERM, SIGINT and SIGHUP into a request handled on the window thread, so that logging
// out, shutting down or Ctrl-C in a terminal ends the program the way its close button does.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace yc::app {

class TerminationRequests final : public QObject {
  public:
    /// Installs the signal handlers; `onRequest` runs on the window thread for each signal. A
    /// second signal of the same kind ends the process at once, as if no handler were installed.
    explicit TerminationRequests(std::function<void()> onRequest);
    ~TerminationRequests() override;
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

  private:
    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace yc::app

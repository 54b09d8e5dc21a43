#pragma once
// The POSIX requests to end (SIGTERM, SIGINT, SIGHUP) turned into a call on the
// user-interface thread, so that the program can end the way Exit does instead of dying
// where it stands. The signal handler only writes a byte to a socket pair; the event
// loop reads it and runs the handler.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

class EndSignals {
public:
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // Installs the signal handlers on the first call; later calls replace the handler.
    void setHandler(std::function<void()> handler);

private:
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform

#include "platform/qt/EndSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
// Written by the signal handler, read by the event loop; one pair per process.
int signalSocket[2] = {-1, -1};

void onEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[1], &byte, 1);
}

} // namespace

EndSignals::EndSignals() = default;

EndSignals::~EndSignals()
{
    // Nobody would read the socket any more: the signals end the process again.
    if (notifier_)
        for (const int signal : Signals)
            std::signal(signal, SIG_DFL);
}

void EndSignals::setHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
    if (notifier_ || (signalSocket[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0))
        return;
    notifier_ = std::make_unique<QSocketNotifier>(signalSocket[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalSocket[0], &byte, 1);
        if (handler_)
            handler_();
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace platform

#include "platform/wayland/KWinCursorReports.h"

#include <QDBusConnection>
#include <chrono>

namespace platform::wayland {

namespace {
// KWin's calls time out after 25 s; the held one is answered well before.
constexpr int kKeepAliveMs = 15000;
} // namespace

KWinCursorReports::KWinCursorReports()
{
    keepAlive_.setParent(this);
    keepAlive_.setSingleShot(true);
    keepAlive_.setInterval(kKeepAliveMs);
    connect(&keepAlive_, &QTimer::timeout, this, [this] { askAgain(); });
}

std::uint64_t KWinCursorReports::reportCount() const
{
    std::lock_guard lock(mutex_);
    return count_;
}

bool KWinCursorReports::askAgain()
{
    return answer(true);
}

void KWinCursorReports::stopScript()
{
    answer(false);
}

bool KWinCursorReports::answer(bool again)
{
    std::optional<QDBusMessage> call;
    {
        std::lock_guard lock(mutex_);
        call.swap(waitingCall_);
    }
    if (!call)
        return false;
    return QDBusConnection::sessionBus().send(call->createReply(again));
}

std::optional<QPoint> KWinCursorReports::waitForReportAfter(std::uint64_t seen, int timeoutMs)
{
    std::unique_lock lock(mutex_);
    if (!reported_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return count_ > seen; }))
        return std::nullopt;
    return position_;
}

bool KWinCursorReports::report(int x, int y)
{
    setDelayedReply(true);
    {
        std::lock_guard lock(mutex_);
        waitingCall_ = message();
        position_ = QPoint(x, y);
        ++count_;
    }
    reported_.notify_all();
    keepAlive_.start();
    return true;
}

} // namespace platform::wayland

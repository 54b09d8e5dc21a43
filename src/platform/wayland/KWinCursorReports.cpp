#include "platform/wayland/KWinCursorReports.h"

#include <QDBusConnection>

namespace platform::wayland {

namespace {
// KWin's calls time out after 25 s; the held one is answered well before.
constexpr int KeepAliveMs = 15000;
} // namespace

KWinCursorReports::KWinCursorReports()
{
    keepAlive_.setSingleShot(true);
    keepAlive_.setInterval(KeepAliveMs);
    connect(&keepAlive_, &QTimer::timeout, this, [this] { askAgain(); });
}

bool KWinCursorReports::answer(bool again)
{
    if (!waitingCall_)
        return false;
    const QDBusMessage reply = waitingCall_->createReply(again);
    waitingCall_.reset();
    keepAlive_.stop();
    return QDBusConnection::sessionBus().send(reply);
}

bool KWinCursorReports::report(int x, int y)
{
    setDelayedReply(true);
    waitingCall_ = message();
    position_ = QPoint(x, y);
    ++count_;
    keepAlive_.start();
    emit reported();
    return true;
}

} // namespace platform::wayland

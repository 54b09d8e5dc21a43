#pragma once
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <cstdint>
#include <optional>

namespace platform::wayland {

// The session-bus object a small KWin script reports the pointer position to. The
// script calls report() and waits for the answer before it reports again, so the
// program asks for a fresh position by answering the call it holds: one message
// each way.
class KWinCursorReports : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quillora.Quillora.CursorReports")
public:
    static constexpr const char* Interface = "org.quillora.Quillora.CursorReports";

    KWinCursorReports();

    // How many reports have come so far; a later one is fresher.
    std::uint64_t reportCount() const { return count_; }
    QPoint lastPosition() const { return position_; }
    // Lets the waiting script report again; false when no script is waiting.
    bool askAgain() { return answer(true); }
    // Ends the waiting script, if there is one.
    void stopScript() { answer(false); }

public Q_SLOTS:
    // Called by the script; the answer (report again or stop) is held back.
    Q_SCRIPTABLE bool report(int x, int y);

Q_SIGNALS:
    void reported();

private:
    bool answer(bool again);

    std::uint64_t count_ = 0;
    QPoint position_;
    std::optional<QDBusMessage> waitingCall_;
    // Answers a held call before the script's own call times out, which would end it.
    QTimer keepAlive_;
};

} // namespace platform::wayland

#pragma once
// A window of this process in front on the desktop that "selects" text: the text goes
// on the primary selection from this window's process, as a user's selection in any
// application does, so the program's capture copies it for real.
#include "DesktopDriver.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <unistd.h>

class SelectionSource {
public:
    explicit SelectionSource(platform::Platform& desktop) : desktop_(desktop)
    {
        window_.setWindowTitle(QString("qlr soak selection source %1").arg(getpid()));
        window_.resize(480, 240);
        window_.show();
    }
    // Waits until the window is placed and the one in front; false when it never is.
    bool waitInFront()
    {
        placed_ = DesktopDriver::waitForWindow(window_.windowTitle());
        if (!placed_)
            return false;
        DesktopDriver::activate(placed_.id);
        return QTest::qWaitFor([&] { return desktop_.windows().foregroundWindow() == placed_.id; }, 10000);
    }
    // Selects text as a drag would: the press first, then the new selection. Waits
    // until the desktop hands the selection out for this window.
    bool select(const QString& text)
    {
        desktop_.windows().notePrimaryButtonDown();
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
        return QTest::qWaitFor([&] { return desktop_.windows().copyMessage(placed_.id) == text; }, 5000);
    }
    // Where the drag ended: the middle of the window, away from its edges.
    QPoint releasePoint() const { return placed_.client.center(); }

private:
    platform::Platform& desktop_;
    QLabel window_;
    DesktopDriver::Window placed_;
};

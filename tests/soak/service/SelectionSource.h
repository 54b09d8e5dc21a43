#pragma once
// A window of this process in front on the desktop that "selects" text: the text goes
// on the primary selection from this window's process, as a user's selection in any
// application does, so the program's capture copies it for real.

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
        window_.setText("The selection of the soak");
        window_.resize(480, 240);
        window_.show();
        window_.activateWindow();
    }

    // Waits until the window is the one in front and placed (while the window manager
    // still frames it, its rectangle cannot be read); false when it never is.
    bool waitInFront()
    {
        return QTest::qWaitFor(
            [&] {
                front_ = desktop_.windows().foregroundWindow();
                return front_ != 0 && desktop_.windows().windowProcessId(front_) == getpid() &&
                       desktop_.windows().windowRect(front_).has_value();
            },
            10000);
    }

    // Selects text as a drag would: the press first, then the new selection. Waits
    // until the desktop hands the selection out for this window.
    bool select(const QString& text)
    {
        desktop_.windows().notePrimaryButtonDown();
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
        return QTest::qWaitFor([&] { return desktop_.windows().copyMessage(front_) == text; }, 5000);
    }

    // Where the drag ended: the middle of the window as the desktop places it, away
    // from its edges.
    QPoint releasePoint() const { return desktop_.windows().windowRect(front_).value_or(QRect()).center(); }

private:
    platform::Platform& desktop_;
    QLabel window_;
    WindowHandle front_ = 0;
};

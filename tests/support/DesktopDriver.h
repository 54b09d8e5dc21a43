#pragma once
// Drives the real test desktop the way a person would: starts applications, moves
// the pointer, presses buttons and keys (XTest, through xdotool) and reads windows
// and the clipboard with the standard X tools. For X11 and end-to-end tests.

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class DesktopDriver {
public:
    ~DesktopDriver();

    // Runs a tool to completion; its standard output, or nothing when it failed.
    static QByteArray run(const QString& program, const QStringList& args, int timeoutMs = 10000,
                          const QByteArray& input = {});

    // Starts a program and keeps it until the driver ends; the window whose name
    // matches windowName is waited for and returned (0 when it never appeared).
    unsigned long start(const QString& program, const QStringList& args, const QString& windowName);
    // An xterm showing the text, with the given window title, at the top-left of the screen.
    unsigned long startXterm(const QString& title, const QString& text);

    static QRect windowGeometry(unsigned long window);
    static unsigned long activeWindow();
    static void activate(unsigned long window);

    static void moveTo(int x, int y);
    static void buttonDown(int button = 1);
    static void buttonUp(int button = 1);
    static void click(int x, int y, int button = 1);
    // Presses at from, moves there in small steps and releases at to.
    static void drag(QPoint from, QPoint to);
    static void doubleClick(int x, int y);
    static void typeText(const QString& text);

    // The CLIPBOARD selection's content for a MIME type (empty when none).
    static QByteArray clipboard(const QString& mime = "text/plain");
    static QStringList clipboardTargets();

private:
    std::vector<std::unique_ptr<QProcess>> programs_;
};

#pragma once
// Drives the real test desktop the way a person would: starts applications and waits
// until the window manager has placed their windows, moves the pointer, presses
// buttons and keys (XTest, through xdotool) and reads windows and selections with the
// standard X tools. Shared by the X11, end-to-end and soak tests.

#include <QByteArray>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class DesktopDriver {
public:
    // A top-level window and its client area in root coordinates.
    struct Window {
        unsigned long id = 0;
        QRect client;
        explicit operator bool() const { return id != 0; }
    };

    DesktopDriver() = default;
    DesktopDriver(const DesktopDriver&) = delete;
    DesktopDriver& operator=(const DesktopDriver&) = delete;
    // Ends every program it started (stopped ones are continued first).
    ~DesktopDriver();

    // Runs a tool to its end while this process keeps serving its windows and
    // selections (the tool may be asking this process); its standard output, or
    // nothing when it failed to start or to end in time.
    static QByteArray run(const QString& program, const QStringList& args, int timeoutMs = 10000);
    // Waits until a window whose name matches is mapped, placed by the window manager
    // and visible with a steady geometry (scripts/wait-window.sh); an empty
    // window when none is within the time.
    static Window waitForWindow(const QString& name, int timeoutSeconds = 20);

    // Starts a program kept until the driver ends.
    QProcess* start(const QString& program, const QStringList& args);
    // An xterm titled title showing the text (the shell waits below it), placed.
    Window startXterm(const QString& title, const QString& text, const QString& geometry = "100x20+0+0");
    // The copy-target test application, once it says it is ready.
    QProcess* startCopyTarget(const QStringList& args);
    // The stand-in desktop services on the session bus, once they say they are ready;
    // each call they receive comes as a line (see DesktopServicesStandIn.cpp).
    QProcess* startDesktopServices(const QStringList& args = {});
    // The program's next line on its standard output; empty when none came in time.
    static QString nextLine(QProcess* program, int timeoutMs = 10000);
    // Stops a started program (SIGSTOP) as a hung application; it is continued at the end.
    void freeze(QProcess* program);

    static unsigned long activeWindow();
    static void activate(unsigned long window);

    static void moveTo(QPoint at);
    static void buttonDown(int button = 1);
    static void buttonUp(int button = 1);
    // Clicks times in a row; presses are held longer than one tick of the program's watcher.
    static void click(QPoint at, int button = 1, int times = 1);
    // Clicks times in a row as a touchpad tap delivers them: release right after
    // press, gapMs between clicks.
    static void tap(QPoint at, int times = 1, int gapMs = 20);
    // Presses at from, moves there in small steps and releases at to.
    static void drag(QPoint from, QPoint to);
    static void typeText(const QString& text);

    // A selection's content for one target (empty when none) and all its data types
    // with their bytes, as another application reads them.
    static QByteArray selection(const QString& target = "UTF8_STRING", const QString& selection = "clipboard");
    static QMap<QString, QByteArray> selectionContents(const QString& selection = "clipboard");
    // The window that owns the selection ("CLIPBOARD", "PRIMARY"); 0 for none.
    static unsigned long selectionOwner(const QString& selection = "CLIPBOARD");

    // Starts a helper that says "ready" on its first line once it is; nullptr when it did not.
    QProcess* startReady(const QString& program, const QStringList& args);

private:
    std::vector<std::unique_ptr<QProcess>> programs_;
    QList<qint64> frozen_;
};

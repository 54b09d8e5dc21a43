#include "DesktopDriver.h"

#include "TestProcess.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

DesktopDriver::~DesktopDriver()
{
    for (auto& program : programs_) {
        program->kill();
        program->waitForFinished(3000);
    }
}

QByteArray DesktopDriver::run(const QString& program, const QStringList& args, int timeoutMs, const QByteArray& input)
{
    // Events keep running while the tool works: the program under test may be the
    // clipboard owner the tool is asking.
    return runServing(program, args, timeoutMs, input);
}

unsigned long DesktopDriver::start(const QString& program, const QStringList& args, const QString& windowName)
{
    auto process = std::make_unique<QProcess>();
    process->start(program, args);
    if (!process->waitForStarted())
        return 0;
    programs_.push_back(std::move(process));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000) {
        const QByteArray found = run("xdotool", {"search", "--onlyvisible", "--name", windowName}).trimmed();
        if (!found.isEmpty())
            return found.split('\n').first().toULong();
        QTest::qWait(100);
    }
    return 0;
}

unsigned long DesktopDriver::startXterm(const QString& title, const QString& text)
{
    // The text is printed by the shell and stays on screen while the shell waits.
    const QString script = QString("printf '%s\\n' \"$QLR_TEXT\"; exec sleep 600");
    qputenv("QLR_TEXT", text.toUtf8());
    const unsigned long window =
        // Synthetic clicks are held for a watcher tick, so double clicks are slower than
        // xterm expects by default.
        start("xterm", {"-title", title, "-geometry", "100x20+0+0", "-fa", "DejaVu Sans Mono", "-fs", "12",
                        "-xrm", "XTerm*multiClickTime: 600",
                        "-e", "sh", "-c", script},
              title);
    QTest::qWait(500);
    return window;
}

QRect DesktopDriver::windowGeometry(unsigned long window)
{
    // xwininfo gives the client area's absolute position; xdotool's can be off by the frame.
    const QString out = QString::fromUtf8(run("xwininfo", {"-id", QString::number(window)}));
    auto field = [&](const QString& name) {
        const QRegularExpression re(name + ":\\s*(-?\\d+)");
        return re.match(out).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

unsigned long DesktopDriver::activeWindow()
{
    return run("xdotool", {"getactivewindow"}).trimmed().toULong();
}

void DesktopDriver::activate(unsigned long window)
{
    run("xdotool", {"windowactivate", "--sync", QString::number(window)});
    QTest::qWait(200);
}

void DesktopDriver::moveTo(int x, int y)
{
    run("xdotool", {"mousemove", QString::number(x), QString::number(y)});
}

void DesktopDriver::buttonDown(int button)
{
    run("xdotool", {"mousedown", QString::number(button)});
}

void DesktopDriver::buttonUp(int button)
{
    run("xdotool", {"mouseup", QString::number(button)});
}

void DesktopDriver::click(int x, int y, int button)
{
    moveTo(x, y);
    QTest::qWait(60);
    buttonDown(button);
    QTest::qWait(120); // longer than one watcher tick, so the press is seen
    buttonUp(button);
    QTest::qWait(120);
}

void DesktopDriver::drag(QPoint from, QPoint to)
{
    moveTo(from.x(), from.y());
    QTest::qWait(80);
    buttonDown(1);
    QTest::qWait(120);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        moveTo(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps);
        QTest::qWait(25);
    }
    QTest::qWait(80);
    buttonUp(1);
    QTest::qWait(120);
}

void DesktopDriver::doubleClick(int x, int y)
{
    moveTo(x, y);
    QTest::qWait(60);
    for (int i = 0; i < 2; ++i) {
        buttonDown(1);
        QTest::qWait(110);
        buttonUp(1);
        QTest::qWait(110);
    }
}

void DesktopDriver::typeText(const QString& text)
{
    run("xdotool", {"type", "--delay", "20", text});
}

QByteArray DesktopDriver::clipboard(const QString& mime)
{
    return run("xclip", {"-o", "-selection", "clipboard", "-t", mime}, 10000);
}

QStringList DesktopDriver::clipboardTargets()
{
    const QString out = QString::fromUtf8(run("xclip", {"-o", "-selection", "clipboard", "-t", "TARGETS"}, 3000));
    return out.split('\n', Qt::SkipEmptyParts);
}

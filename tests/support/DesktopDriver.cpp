#include "DesktopDriver.h"

#include <QElapsedTimer>
#include <QTest>
#include <csignal>

#include <X11/Xlib.h>

DesktopDriver::~DesktopDriver()
{
    for (const qint64 pid : frozen_)
        ::kill(pid_t(pid), SIGCONT);
    for (auto& program : programs_) {
        program->terminate();
        if (!program->waitForFinished(3000))
            program->kill();
        program->waitForFinished(3000);
    }
}

QByteArray DesktopDriver::run(const QString& program, const QStringList& args, int timeoutMs)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(3000))
        return {};
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < timeoutMs)
        QTest::qWait(5);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return process.readAllStandardOutput();
}

DesktopDriver::Window DesktopDriver::waitForWindow(const QString& name, int timeoutSeconds)
{
    const QList<QByteArray> fields = run(QLR_SOURCE_DIR "/scripts/wait-window.sh",
                                         {name, QString::number(timeoutSeconds)}, (timeoutSeconds + 5) * 1000)
                                         .trimmed()
                                         .split(' ');
    if (fields.size() != 5)
        return {};
    return {fields[0].toULong(), QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt())};
}

QProcess* DesktopDriver::start(const QString& program, const QStringList& args)
{
    programs_.push_back(std::make_unique<QProcess>());
    QProcess* process = programs_.back().get();
    process->start(program, args);
    return process->waitForStarted(5000) ? process : nullptr;
}

DesktopDriver::Window DesktopDriver::startXterm(const QString& title, const QString& text, const QString& geometry)
{
    // The text is printed by the shell and stays on screen while the shell waits.
    qputenv("QLR_TEXT", text.toUtf8());
    // Synthetic clicks are held for a watcher tick, so double clicks are slower than
    // xterm expects by default.
    if (!start("xterm", {"-title", title, "-geometry", geometry, "-fa", "DejaVu Sans Mono", "-fs", "12", "-xrm",
                         "XTerm*multiClickTime: 600", "-e", "sh", "-c",
                         "printf '%s\\n' \"$QLR_TEXT\"; exec sleep 600"}))
        return {};
    return waitForWindow(title);
}

QProcess* DesktopDriver::startCopyTarget(const QStringList& args)
{
    return startReady(QLR_COPY_TARGET, args);
}

QProcess* DesktopDriver::startDesktopServices(const QStringList& args)
{
    return startReady(QLR_DESKTOP_SERVICES_STANDIN, args);
}

QProcess* DesktopDriver::startReady(const QString& program, const QStringList& args)
{
    QProcess* process = start(program, args);
    return process && nextLine(process, 10000) == "ready" ? process : nullptr;
}

QString DesktopDriver::nextLine(QProcess* program, int timeoutMs)
{
    if (!QTest::qWaitFor([&] { return program->canReadLine() || program->waitForReadyRead(10); }, timeoutMs))
        return QString();
    return QString::fromUtf8(program->readLine()).trimmed();
}

void DesktopDriver::freeze(QProcess* program)
{
    frozen_.append(program->processId());
    ::kill(pid_t(program->processId()), SIGSTOP);
}

unsigned long DesktopDriver::activeWindow()
{
    return run("xdotool", {"getactivewindow"}).trimmed().toULong();
}

void DesktopDriver::activate(unsigned long window)
{
    run("xdotool", {"windowactivate", "--sync", QString::number(window)});
    (void)QTest::qWaitFor([&] { return activeWindow() == window; }, 5000);
}

void DesktopDriver::moveTo(QPoint at)
{
    run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
}

void DesktopDriver::buttonDown(int button)
{
    run("xdotool", {"mousedown", QString::number(button)});
}

void DesktopDriver::buttonUp(int button)
{
    run("xdotool", {"mouseup", QString::number(button)});
}

void DesktopDriver::click(QPoint at, int button, int times)
{
    moveTo(at);
    QTest::qWait(60);
    for (int i = 0; i < times; ++i) {
        buttonDown(button);
        QTest::qWait(110);
        buttonUp(button);
        QTest::qWait(110);
    }
}

void DesktopDriver::tap(QPoint at, int times, int gapMs)
{
    moveTo(at);
    QTest::qWait(60);
    // One xdotool run, its commands chained, so that nothing comes between them.
    QStringList commands;
    for (int i = 0; i < times; ++i) {
        if (i > 0)
            commands << "sleep" << QString::number(gapMs / 1000.0);
        commands << "mousedown" << "1" << "mouseup" << "1";
    }
    run("xdotool", commands);
    QTest::qWait(110);
}

void DesktopDriver::drag(QPoint from, QPoint to)
{
    moveTo(from);
    QTest::qWait(80);
    buttonDown(1);
    QTest::qWait(120);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        moveTo(from + (to - from) * i / steps);
        QTest::qWait(25);
    }
    QTest::qWait(80);
    buttonUp(1);
    QTest::qWait(120);
}

void DesktopDriver::typeText(const QString& text)
{
    run("xdotool", {"type", "--delay", "20", text});
}

QByteArray DesktopDriver::selection(const QString& target, const QString& selection)
{
    return run("xclip", {"-o", "-selection", selection, "-t", target});
}

QMap<QString, QByteArray> DesktopDriver::selectionContents(const QString& selection)
{
    static const QStringList protocol{"TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS"};
    QMap<QString, QByteArray> contents;
    for (const QByteArray& line : DesktopDriver::selection("TARGETS", selection).split('\n')) {
        const QString target = QString::fromLatin1(line.trimmed());
        if (!target.isEmpty() && !protocol.contains(target))
            contents.insert(target, DesktopDriver::selection(target, selection));
    }
    return contents;
}

unsigned long DesktopDriver::selectionOwner(const QString& selection)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const unsigned long owner = XGetSelectionOwner(display, XInternAtom(display, selection.toLatin1().constData(), False));
    XCloseDisplay(display);
    return owner;
}

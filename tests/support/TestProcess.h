#pragma once
// Programs that X11 tests start: short tools run to their end while this process keeps
// serving its windows and selections, and helpers kept for the length of one test.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>

// Runs a program to its end (or the time-out) while this process's events keep running,
// so a tool that asks this process for a selection gets its answer. Its standard output;
// nothing when it did not start or did not finish in time.
inline QByteArray runServing(const QString& program, const QStringList& args, int timeoutMs = 5000,
                             const QByteArray& input = {})
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(3000))
        return {};
    if (!input.isNull())
        process.write(input);
    process.closeWriteChannel();
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

// A program started for one test and stopped at its end.
class ScopedProcess {
public:
    ScopedProcess() = default;
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
    ~ScopedProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

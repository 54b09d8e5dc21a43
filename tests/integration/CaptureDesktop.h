#pragma once
// Support for the clipboard and capture tests on the virtual desktop: starting the test
// applications, focusing windows, and reading the clipboard with xclip while this
// process keeps serving whatever selection it owns.

#include "TestProcess.h"
#include "platform/Platform.h"

#include <QMap>
#include <csignal>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace capturetest {

using ::runServing;

// Every data type on the clipboard with its bytes, as another application reads them.
inline QMap<QString, QByteArray> clipboardContents(const char* selection = "clipboard")
{
    static const QStringList protocol{"TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS"};
    QMap<QString, QByteArray> contents;
    const QByteArray targets = runServing("xclip", {"-o", "-selection", selection, "-t", "TARGETS"});
    for (const QByteArray& line : targets.split('\n')) {
        const QString target = QString::fromLatin1(line.trimmed());
        if (!target.isEmpty() && !protocol.contains(target))
            contents.insert(target, runServing("xclip", {"-o", "-selection", selection, "-t", target}));
    }
    return contents;
}

inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

class DesktopFixture : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop;
    std::vector<std::unique_ptr<ScopedProcess>> programs;
    QList<qint64> stopped; // continued at the end, so that they can be ended

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        desktop = platform::createPlatform();
    }
    void TearDown() override
    {
        for (const qint64 pid : stopped)
            ::kill(pid_t(pid), SIGCONT);
        programs.clear();
    }

    QProcess* start(const QString& program, const QStringList& args, const QByteArray& input = {})
    {
        programs.push_back(std::make_unique<ScopedProcess>());
        QProcess* process = &programs.back()->process;
        process->start(program, args);
        EXPECT_TRUE(process->waitForStarted(5000)) << program.toStdString();
        if (!input.isNull()) {
            process->write(input);
            process->closeWriteChannel();
        }
        return process;
    }

    // Starts the copy-target application and waits until it says it is ready.
    QProcess* startCopyTarget(const QStringList& args)
    {
        QProcess* process = start(QLR_COPY_TARGET, args);
        EXPECT_TRUE(waitUntil([&] { return process->canReadLine() || process->waitForReadyRead(10); }));
        EXPECT_EQ(process->readLine().trimmed(), "ready");
        return process;
    }

    // Focuses the window with this title and waits until the back end sees it in front.
    WindowHandle focusWindowTitled(const QString& title, qint64 pid)
    {
        const QByteArray id = runServing("xdotool", {"search", "--sync", "--onlyvisible", "--name", title}).trimmed();
        const QByteArray first = id.split('\n').value(0);
        EXPECT_FALSE(first.isEmpty()) << title.toStdString();
        runServing("xdotool", {"windowactivate", "--sync", QString::fromLatin1(first)});
        WindowHandle foreground = 0;
        EXPECT_TRUE(waitUntil([&] {
            foreground = desktop->windows().foregroundWindow();
            return desktop->windows().windowProcessId(foreground) == pid;
        }));
        return foreground;
    }

    // Puts text on the clipboard from a separate xclip process.
    void xclipOwns(const QByteArray& text)
    {
        start("xclip", {"-quiet", "-selection", "clipboard"}, text);
        ASSERT_TRUE(waitUntil([&] { return runServing("xclip", {"-o", "-selection", "clipboard"}) == text; }));
    }

    // An xclip that owns the clipboard and then never answers again (stopped).
    void hungClipboardOwner()
    {
        ASSERT_NO_FATAL_FAILURE(xclipOwns("frozen"));
        stopped.append(programs.back()->process.processId());
        ::kill(pid_t(stopped.last()), SIGSTOP);
    }
};

} // namespace capturetest

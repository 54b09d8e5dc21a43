#pragma once
// A scriptable desktop for tests: every facet keeps its state in public members
// that a test sets up and inspects. Nothing here touches the real system.

#include "platform/Platform.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeKeyboard.h"
#include "platform/fake/FakeApplicationWindows.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <climits>
#include <functional>
#include <optional>

namespace platform::fake {

class FakeScreen : public Screen {
public:
    QSize size{1024, 768};
    double dpiX = 96, dpiY = 96;
    bool swapped = false;
    bool compositing = true;
    // Monitors of a multi-monitor desktop; empty means one monitor of `size` at 0, 0.
    QList<QRect> monitors;

    QSize sizePx() override { return size; }
    double logicalDpiX() override { return dpiX; }
    double logicalDpiY() override { return dpiY; }
    bool mouseButtonsSwapped() override { return swapped; }
    bool compositingAvailable() override { return compositing; }
    QRect monitorGeometryAt(QPoint point) override
    {
        if (monitors.isEmpty())
            return QRect(QPoint(0, 0), size);
        QRect nearest = monitors.first();
        int nearestDistance = INT_MAX;
        for (const QRect& monitor : monitors) {
            if (monitor.contains(point))
                return monitor;
            const QPoint gap(std::max({monitor.left() - point.x(), 0, point.x() - monitor.right()}),
                             std::max({monitor.top() - point.y(), 0, point.y() - monitor.bottom()}));
            if (gap.manhattanLength() < nearestDistance) {
                nearestDistance = gap.manhattanLength();
                nearest = monitor;
            }
        }
        return nearest;
    }
};

// The pointer and the buttons as the test puts them.
class FakeInput : public Input {
public:
    QPoint cursor;
    Qt::MouseButtons held;
    bool shiftDown = false;
    // Whether deliverButtonEvents accepts a handler, and the handler it accepted.
    bool deliversEvents = false;
    ButtonHandler handler;
    // False plays a desktop that tells the pointer's place only when asked afresh.
    bool follows = true;

    bool deliverButtonEvents(ButtonHandler h) override
    {
        if (deliversEvents)
            handler = std::move(h);
        return deliversEvents;
    }
    // The button goes down or up at the cursor; the handler, if any, hears of it.
    void setButton(Qt::MouseButton button, bool down, std::uint32_t timeMs)
    {
        held.setFlag(button, down);
        if (handler)
            handler({button, down, cursor, timeMs});
    }

    Qt::MouseButtons buttons() override { return held; }
    QPoint cursorPos() override { return cursor; }
    bool followsPointer() override { return follows; }
    bool isShiftDown() override { return shiftDown; }
};

// An in-memory file system. Folders listed in readOnlyFolders refuse new files,
// replacements and deletions inside them; a path in unreadable cannot be read.
class FakeFiles : public Files {
public:
    QHash<QString, QString> environment;
    QString exePath = "/opt/quillora/qlr";
    QMap<QString, QByteArray> files;
    QSet<QString> folders{"/", "/opt", "/opt/quillora"};
    QSet<QString> readOnlyFolders;
    QSet<QString> unreadable;
    int replaceCount = 0;

    QString environmentVariable(const QString& name) override { return environment.value(name); }
    QString appDataFolder() override { return environment.value("AppData"); }
    QString executablePath() override { return exePath; }
    bool fileExists(const QString& path) override { return files.contains(path); }
    bool folderExists(const QString& path) override { return folders.contains(path); }
    bool createFolder(const QString& path) override;
    bool deleteFile(const QString& path) override;
    std::optional<QByteArray> readFile(const QString& path) override;
    bool replaceFile(const QString& path, const QByteArray& bytes) override;

private:
    static QString parentOf(const QString& path);
    bool writable(const QString& folder) const;
};

class FakeStore : public SettingsStore {
public:
    // Keyed by "application/section/key".
    QMap<QString, QString> rows;
    bool failWrites = false;

    static QString rowKey(const QString& application, const QString& section, const QString& key)
    {
        return application + "/" + section + "/" + key;
    }
    QString value(const QString& application, const QString& section, const QString& key,
                  const QString& defaultValue) override
    {
        return rows.value(rowKey(application, section, key), defaultValue);
    }
    bool setValue(const QString& application, const QString& section, const QString& key,
                  const QString& value) override
    {
        if (failWrites)
            return false;
        rows.insert(rowKey(application, section, key), value);
        return true;
    }
};

class FakeSession : public Session {
public:
    bool otherInstanceRunning = false;
    QStringList args;
    QStringList browsers{"firefox-esr", "chromium"};
    QStringList shells{"xfdesktop"};
    std::optional<int> terminatedWith;
    std::function<void()> endRequestHandler;
    int endRequestsToOthers = 0;
    std::function<bool(const QString&)> instanceRequestHandler;
    QStringList requestsToOthers;

    bool claimSingleInstance(const QString&) override { return !otherInstanceRunning; }
    bool endRunningInstance(const QString&) override
    {
        ++endRequestsToOthers;
        return std::exchange(otherInstanceRunning, false);
    }
    void setInstanceRequestHandler(std::function<bool(const QString&)> handler) override
    {
        instanceRequestHandler = std::move(handler);
    }
    bool sendToRunningInstance(const QString&, const QString& request) override
    {
        requestsToOthers.append(request);
        return otherInstanceRunning;
    }
    QStringList arguments() override { return args; }
    QStringList browserExecutables() override { return browsers; }
    QStringList desktopShellExecutables() override { return shells; }
    void terminateProcess(int exitCode) override { terminatedWith = exitCode; }
    void setEndRequestHandler(std::function<void()> handler) override { endRequestHandler = std::move(handler); }
};

// A process table set up by the test; paths of processes that deny access are
// left out of exePaths.
class FakeProcesses : public Processes {
public:
    QList<ProcessRecord> running;
    QMap<std::uint32_t, QString> exePaths;
    bool snapshotFails = false;
    int snapshots = 0;

    std::optional<QList<ProcessRecord>> snapshot() override
    {
        ++snapshots;
        if (snapshotFails)
            return std::nullopt;
        return running;
    }
    QString executablePath(std::uint32_t pid) override { return exePaths.value(pid); }
    // Children are started as they are, and signals only noted ("pid signal", with
    // " group" when sent to the whole group).
    QStringList sent;
    void startAsGroup(QProcess&) override {}
    void send(qint64 pid, Signal signal, bool wholeGroup) override
    {
        sent.append(QString("%1 %2%3").arg(pid).arg(int(signal)).arg(wholeGroup ? " group" : ""));
    }
};

// Opens nothing: answers each target with its scripted result (Opened when none)
// and records what was asked.
class FakeShell : public Shell {
public:
    QHash<QString, OpenResult> results;
    bool hasChooser = true;
    QStringList opened;
    QStringList offeredChooser;

    OpenResult open(const QString& target) override
    {
        opened.append(target);
        return results.value(target, OpenResult::Opened);
    }
    bool openWith(const QString& target) override
    {
        offeredChooser.append(target);
        return hasChooser;
    }

    bool notificationArea = true;
    bool notificationService = true;
    QStringList notifications; // "summary|body" of each notification asked for
    bool hasNotificationArea() override { return notificationArea; }
    bool notify(const QString& summary, const QString& body) override
    {
        notifications.append(summary + "|" + body);
        return notificationService;
    }
};

class FakePlatform : public Platform {
public:
    FakeScreen fakeScreen;
    FakeFiles fakeFiles;
    FakeStore fakeStore;
    FakeSession fakeSession;
    FakeClock fakeClock;
    FakeShell fakeShell;
    FakeInput fakeInput;
    FakeProcesses fakeProcesses;
    FakeClipboard fakeClipboard;
    FakeKeyboard fakeKeyboard;
    FakeApplicationWindows fakeWindows;

    Screen& screen() override { return fakeScreen; }
    Files& files() override { return fakeFiles; }
    SettingsStore& store() override { return fakeStore; }
    Session& session() override { return fakeSession; }
    Clock& clock() override { return fakeClock; }
    Shell& shell() override { return fakeShell; }
    Input& input() override { return fakeInput; }
    Processes& processes() override { return fakeProcesses; }
    Clipboard& clipboard() override { return fakeClipboard; }
    Keyboard& keyboard() override { return fakeKeyboard; }
    ApplicationWindows& applications() override { return fakeWindows; }
};

} // namespace platform::fake

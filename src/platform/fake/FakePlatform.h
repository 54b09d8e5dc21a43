#pragma once
// A scriptable desktop for tests: every facet keeps its state in public members
// that a test sets up and inspects. Nothing here touches the real system.

#include "platform/api.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <functional>
#include <optional>

namespace platform::fake {

class FakeScreen : public Screen {
public:
    QSize size{1024, 768};
    double dpiX = 96, dpiY = 96;
    bool swapped = false;

    QSize sizePx() override { return size; }
    double logicalDpiX() override { return dpiX; }
    double logicalDpiY() override { return dpiY; }
    bool mouseButtonsSwapped() override { return swapped; }
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
    int version = 600;
    QString cmdLine;
    QStringList browsers{"firefox-esr", "chromium"};
    std::optional<int> terminatedWith;

    bool claimSingleInstance(const QString&) override { return !otherInstanceRunning; }
    int osVersion() override { return version; }
    QString commandLine() override { return cmdLine; }
    QStringList browserExecutables() override { return browsers; }
    void terminateProcess(int exitCode) override { terminatedWith = exitCode; }
};

// Time stands still until a sleep advances it; processEvents runs the hook,
// which a test uses to act "while the program waits".
class FakeClock : public Clock {
public:
    double now = 12 * 3600.0;
    int sleptMs = 0;
    int processEventsCalls = 0;
    std::function<void()> onProcessEvents;

    double secondsSinceMidnight() override { return now; }
    void sleepMs(int ms) override
    {
        sleptMs += ms;
        now += ms / 1000.0;
    }
    void processEvents() override
    {
        ++processEventsCalls;
        if (onProcessEvents)
            onProcessEvents();
    }
};

class FakePlatform : public api {
public:
    FakeScreen fakeScreen;
    FakeFiles fakeFiles;
    FakeStore fakeStore;
    FakeSession fakeSession;
    FakeClock fakeClock;

    Screen& screen() override { return fakeScreen; }
    Files& files() override { return fakeFiles; }
    SettingsStore& store() override { return fakeStore; }
    Session& session() override { return fakeSession; }
    Clock& clock() override { return fakeClock; }
};

} // namespace platform::fake

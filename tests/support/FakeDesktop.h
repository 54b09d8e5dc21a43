#pragma once
// A fake desktop laid out like a real installation: the program in /opt/quillora, the
// per-user folder under /home/user/.config.
#include "config/SettingsFiles.h"
#include "platform/fake/FakePlatform.h"

struct FakeDesktop : platform::fake::FakePlatform {
    static inline const QString AppData = "/home/user/.config";
    static inline const QString UserFile = "/home/user/.config/qlr/qlr.ini";
    static inline const QString ProgramFile = "/opt/quillora/qlr.ini";

    FakeDesktop()
    {
        fakeFiles.environment.insert("AppData", AppData);
        fakeFiles.folders.unite({"/home", "/home/user", AppData});
    }
    // A settings file's bytes as the program writes them: UTF-16LE, CR LF line ends.
    static QByteArray settingsFile(const QStringList& lines)
    {
        return SettingsFiles::toUtf16Le(lines.join("\r\n") + "\r\n");
    }
};

#pragma once
// A fake desktop laid out like a real installation: the program in
// /opt/quillora, the per-user folder under /home/user/.config.
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
};

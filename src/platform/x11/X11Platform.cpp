#include "platform/x11/X11Platform.h"

#include "platform/linux/DesktopShell.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/ProcProcesses.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Input.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Screen.h"
#include "platform/x11/X11Selections.h"
#include "platform/x11/X11ApplicationWindows.h"

#include <QFileInfo>

namespace platform {
namespace {

// The store lives in the per-user folder; with none, beside the program.
QString storeRoot(Files& files)
{
    const QString appData = files.appDataFolder();
    return appData.isEmpty() ? QFileInfo(files.executablePath()).absolutePath() : appData;
}

class X11Platform : public Platform {
public:
    X11Platform() : screen_(connection_), store_(storeRoot(files_)), input_(connection_) {}

    Screen& screen() override { return screen_; }
    Files& files() override { return files_; }
    SettingsStore& store() override { return store_; }
    Session& session() override { return session_; }
    Clock& clock() override { return clock_; }
    Shell& shell() override { return shell_; }
    Input& input() override { return input_; }
    Processes& processes() override { return processes_; }
    Clipboard& clipboard() override { return clipboard_; }
    Keyboard& keyboard() override { return keyboard_; }
    ApplicationWindows& applications() override { return windows_; }

private:
    x11::X11Connection connection_;
    x11::X11Screen screen_;
    QtFiles files_;
    QtSettingsStore store_;
    os::LinuxSession session_;
    QtClock clock_;
    os::DesktopShell shell_;
    x11::X11Input input_;
    os::ProcProcesses processes_;
    // Selections get a connection of their own: their events must not end up in a
    // queue that the watcher's queries read while no socket activity announces them.
    x11::X11Connection selectionConnection_;
    x11::X11Selections selections_{selectionConnection_};
    x11::X11Clipboard clipboard_{selections_};
    x11::X11Keyboard keyboard_{connection_};
    x11::X11ApplicationWindows windows_{connection_, selections_};
};

} // namespace

std::unique_ptr<Platform> x11::createX11Platform()
{
    return std::make_unique<X11Platform>();
}

} // namespace platform

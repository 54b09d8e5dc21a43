#include "core/PerApplicationSwitch.h"

#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "platform/Platform.h"

namespace {
const QString StoreSection = QStringLiteral("Applications");

template <typename F, typename... Args>
void call(const F& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}
} // namespace

PerApplicationSwitch::PerApplicationSwitch(platform::Platform& platform)
    : platform_(platform), storeApplication_(fileBaseName(platform.files().executablePath()))
{
    // Nothing, the desktop shell and this program itself never get a switch of their own.
    excluded_ = {QString(), storeApplication_.toLower()};
    for (const QString& shell : platform.session().desktopShellExecutables())
        excluded_.append(shell.toLower());
}

PerApplicationSwitch::~PerApplicationSwitch() = default;

QString PerApplicationSwitch::enableCaption(bool enabled, const QString& app)
{
    return QString(enabled ? "Disable" : "Enable") + " in " + app;
}

bool PerApplicationSwitch::isExcluded(const QString& exeName) const
{
    return excluded_.contains(exeName);
}

bool PerApplicationSwitch::storedRow(const QString& exeName)
{
    const auto number = numbertext::parse(platform_.store().value(storeApplication_, StoreSection, exeName, "0"));
    return number && *number != 0;
}

void PerApplicationSwitch::setTranslationEnabled(bool enabled, bool save)
{
    enabled_ = enabled;
    call(tray_.updateTrayIcon);
    if (!current_.isEmpty() && save) {
        platform_.store().setValue(storeApplication_, StoreSection, current_, enabled ? "-1" : "0");
        call(tray_.setEnableCaption, enableCaption(enabled, current_));
        lastForeground_ = 0;
    }
}

bool PerApplicationSwitch::checkForegroundApplication()
{
    platform::ApplicationWindows& windows = platform_.applications();
    const WindowHandle foreground = windows.foregroundWindow();
    if (foreground == lastForeground_)
        return true;
    lastForeground_ = foreground;
    if (!processes_)
        processes_ = std::make_unique<ProcessTable>(platform_.processes(), [&windows](WindowHandle w) {
            return static_cast<std::uint32_t>(windows.windowProcessId(w));
        });
    QString name = processes_->executableOfWindow(foreground).toLower();
    // Where the desktop tells no process, the application's id stands for it.
    if (name.isEmpty())
        name = windows.applicationId(foreground).toLower();
    if (isExcluded(name) || windows.isDesktopOrPanel(foreground)) {
        watchActive_ = false;
        return false;
    }
    watchActive_ = true;
    current_ = name;
    const bool row = storedRow(name);
    if (row != enabled_)
        setTranslationEnabled(row, false);
    call(tray_.hideMenu);
    call(tray_.refreshEnableItem);
    if (!current_.isEmpty())
        call(tray_.setEnableCaption, enableCaption(enabled_, current_));
    return true;
}

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

PerApplicationSwitch::PerApplicationSwitch(AppState& state, platform::Platform& platform,
                                           std::function<WindowHandle()> foregroundWindow,
                                           std::function<std::uint32_t(WindowHandle)> windowProcessId)
    : state_(state)
    , platform_(platform)
    , foregroundWindow_(std::move(foregroundWindow))
    , windowProcessId_(std::move(windowProcessId))
    , storeApplication_(fileBaseName(platform.files().executablePath()))
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
    state_.translationEnabled = enabled;
    call(tray_.updateTrayIcon);
    if (!state_.currentApplication.isEmpty() && save) {
        platform_.store().setValue(storeApplication_, StoreSection, state_.currentApplication, enabled ? "-1" : "0");
        call(tray_.setEnableCaption, enableCaption(enabled, state_.currentApplication));
        state_.lastForegroundWindow = 0;
    }
}

bool PerApplicationSwitch::checkForegroundApplication()
{
    if (foregroundWindow_() == state_.lastForegroundWindow)
        return true;
    state_.lastForegroundWindow = foregroundWindow_();
    if (!processes_)
        processes_ = std::make_unique<ProcessTable>(platform_.processes(), windowProcessId_);
    QString name = processes_->executableOfWindow(state_.lastForegroundWindow).toLower();
    // Where the desktop tells no process, the application's id stands for it.
    if (name.isEmpty())
        name = platform_.windows().applicationId(state_.lastForegroundWindow).toLower();
    if (isExcluded(name) || platform_.windows().isDesktopOrPanel(state_.lastForegroundWindow)) {
        watchActive = false;
        return false;
    }
    watchActive = true;
    state_.currentApplication = name;
    const bool row = storedRow(name);
    if (row != state_.translationEnabled)
        setTranslationEnabled(row, false);
    call(tray_.hideMenu);
    call(tray_.setEnableItemEnabled, !state_.currentApplication.isEmpty() && state_.pageAvailable());
    if (!state_.currentApplication.isEmpty())
        call(tray_.setEnableCaption, enableCaption(state_.translationEnabled, state_.currentApplication));
    return true;
}

#include "core/PerApplicationSwitch.h"

#include "config/mdlINI.h"
#include "core/NumberText.h"
#include "platform/api.h"

namespace {
const QString StoreSection = QStringLiteral("Applications");

template <typename F, typename... Args>
void call(const F& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}
} // namespace

PerApplicationSwitch::PerApplicationSwitch(AppState& state, platform::api& api,
                                           std::function<WindowHandle()> foregroundWindow,
                                           std::function<std::uint32_t(WindowHandle)> windowProcessId)
    : state_(state)
    , api_(api)
    , foregroundWindow_(std::move(foregroundWindow))
    , windowProcessId_(std::move(windowProcessId))
    , storeApplication_(mdlINI::GetBaseName(api.files().executablePath()))
{
    // Nothing, the desktop shell and this program itself never get a switch of their own.
    excluded_ = {QString(), storeApplication_.toLower()};
    for (const QString& shell : api.session().desktopShellExecutables())
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
    const auto number = numbertext::parse(api_.store().value(storeApplication_, StoreSection, exeName, "0"));
    return number && *number != 0;
}

void PerApplicationSwitch::SetTranslateEnabled(bool enabled, bool save)
{
    state_.TranslateEnabled = enabled;
    call(tray_.updateTrayIcon);
    if (!state_.CurrentApp.isEmpty() && save) {
        api_.store().setValue(storeApplication_, StoreSection, state_.CurrentApp, enabled ? "-1" : "0");
        call(tray_.setEnableCaption, enableCaption(enabled, state_.CurrentApp));
        state_.LastForeground = 0;
    }
}

bool PerApplicationSwitch::CheckForegroundApp()
{
    if (foregroundWindow_() == state_.LastForeground)
        return true;
    state_.LastForeground = foregroundWindow_();
    if (!processes_)
        processes_ = std::make_unique<clsProccess>(api_.processes(), windowProcessId_);
    const QString name = processes_->GetExeByHwnd(state_.LastForeground).toLower();
    if (isExcluded(name)) {
        WatchActive = false;
        return false;
    }
    WatchActive = true;
    state_.CurrentApp = name;
    const bool row = storedRow(name);
    if (row != state_.TranslateEnabled)
        SetTranslateEnabled(row, false);
    call(tray_.hideMenu);
    call(tray_.setEnableItemEnabled, !state_.CurrentApp.isEmpty() && state_.PageReady);
    if (!state_.CurrentApp.isEmpty())
        call(tray_.setEnableCaption, enableCaption(state_.TranslateEnabled, state_.CurrentApp));
    return true;
}

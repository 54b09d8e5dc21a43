#include "core/Application.h"

#include "core/NumberText.h"
#include "core/frmMain.h"
#include "platform/api.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>

namespace {
const QString StoreSection = QStringLiteral("Applications");
const QStringList SeededBrowsers{"iexplore.exe", "opera.exe", "firefox.exe", "safari.exe", "chrome.exe"};
} // namespace

Application::Application(platform::api& api) : api_(api), ini_(api.files(), state_.settings) {}

Application::~Application() = default;

QString Application::programVersion()
{
    return QString("%1.%2.%3").arg(QLR_VERSION_MAJOR).arg(QLR_VERSION_MINOR).arg(QLR_VERSION_PATCH);
}

bool Application::Main()
{
    if (!api_.session().claimSingleInstance(mdlINI::GetBaseName(api_.files().executablePath())))
        return false;
    GetWindowsVersion();
    ini_.LoadSettings();
    ApplySettings();
    return true;
}

void Application::GetWindowsVersion()
{
    state_.OSVersion = api_.session().osVersion();
}

bool Application::MouseButtonsSwapped()
{
    return api_.screen().mouseButtonsSwapped();
}

QStringList Application::browserRows()
{
    QStringList rows = SeededBrowsers;
    for (const QString& name : api_.session().browserExecutables())
        if (!rows.contains(name))
            rows.append(name);
    return rows;
}

void Application::seedBrowserRows()
{
    // A browser the user switched off comes back on at every apply, unless its row
    // holds -1 (switched on by the user).
    const QString application = mdlINI::GetBaseName(api_.files().executablePath());
    for (const QString& browser : browserRows()) {
        const auto stored = numbertext::settingValue(api_.store().value(application, StoreSection, browser, "0"));
        const auto asInteger = stored ? numbertext::toInt32(*stored) : std::nullopt;
        if (asInteger != -1)
            api_.store().setValue(application, StoreSection, browser, "1");
    }
}

void Application::ApplySettings()
{
    AppState& s = state_;
    ini_.SetDefaultSetting("ControlMode", "2");
    ini_.SetDefaultSetting("Shadow", "1");
    ini_.SetDefaultSetting("Border", "0");

    s.TranslationCache.clear();
    seedBrowserRows();

    s.clrBack = ParseColor(s.settings.value("Color"));
    s.clrText = ParseColor(s.settings.value("TextColor"));
    s.clrGray = ParseColor(s.settings.value("Gray"));

    s.TwipsX = std::max(1, static_cast<int>(numbertext::roundHalfEven(1440.0 / api_.screen().logicalDpiX())));
    s.TwipsY = std::max(1, static_cast<int>(numbertext::roundHalfEven(1440.0 / api_.screen().logicalDpiY())));

    if (MouseButtonsSwapped()) {
        s.btnPrimary = 2;
        s.btnSecondary = 1;
    } else {
        s.btnPrimary = 1;
        s.btnSecondary = 2;
    }

    s.AppVersion = programVersion();
    s.LatestVersion = s.AppVersion;

    loadForms();

    // Dressing the popup and the icon window from the colours and the border flag
    // belongs here, once those windows exist.

    // Loading the service page anew belongs here, once the browser exists.

    armTimers();
}

void Application::loadForms()
{
    if (!frmMain_) {
        frmMain_ = std::make_unique<frmMain>(state_.TwipsX, state_.TwipsY);
        connect(frmMain_.get(), &frmMain::exitRequested, this, &Application::mnuExit_Click);
        // The desktop session ending closes the program like the menu's Exit.
        if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            connect(gui, &QGuiApplication::commitDataRequest, this, &Application::mnuExit_Click);
    }
}

int Application::secondsSettingAsInterval(const QString& key)
{
    const auto seconds = state_.settings.number(key);
    if (!seconds || *seconds <= 0)
        return 0;
    return static_cast<int>(std::min(numbertext::roundHalfEven(*seconds * 1000), double(Timer::MaxInterval)));
}

void Application::armTimers()
{
    frmMain& f = *frmMain_;
    f.tmr1.setInterval(50);
    f.tmr1.setEnabled(true);
    f.tmrReconnect.setInterval(secondsSettingAsInterval("CheckConnectionInterval"));
    f.tmrReconnect.setEnabled(true);
    f.tmrTimeOut.setInterval(secondsSettingAsInterval("servertimeout"));
    f.tmrOut.setInterval(50);
    f.tmrOut.setEnabled(false);
    f.tmrProgress.setEnabled(false);
    f.tmrProgress.setInterval(200);
    f.tmrLoad.setInterval(500);
    f.tmrLoad.setEnabled(true);
}

void Application::mnuExit_Click()
{
    if (!api_.session().commandLine().contains("/t")) {
        api_.session().terminateProcess(0);
        return;
    }
    // Removing the tray icon belongs here, once the icon exists.
    QCoreApplication::quit();
}

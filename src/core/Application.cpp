#include "core/Application.h"

#include "config/Dialogs.h"
#include "core/NumberText.h"
#include "core/frmMain.h"
#include "core/TrayIcon.h"
#include "platform/api.h"
#include "popup/Popup.h"
#include "popup/DrawnTrace.h"
#include "core/TraceFile.h"
#include "core/TranslationPipeline.h"
#include "popup/LinkLabel.h"
#include "popup/frmTrans.h"
#include "service/Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>

namespace {
const QString StoreSection = QStringLiteral("Applications");
const QStringList SeededBrowsers{"iexplore.exe", "opera.exe", "firefox.exe", "safari.exe", "chrome.exe"};
} // namespace

Application::Application(platform::api& api, std::unique_ptr<ServicePage> page)
    : api_(api), ini_(api.files(), state_.settings), page_(std::move(page))
{
    dialogs_ = std::make_unique<Dialogs>(state_, ini_, api_, [this] { ApplySettings(); }, page_.get());
}

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
    tray_->UpdateTrayIcon(true, false);
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

    popup_->dress();

    connection_->ConnectService();

    armTimers();
}

void Application::loadForms()
{
    if (frmMain_)
        return;
    frmMain_ = std::make_unique<frmMain>(state_.TwipsX, state_.TwipsY);
    connect(frmMain_.get(), &frmMain::exitRequested, this, &Application::mnuExit_Click);
    // The desktop session ending closes the program like the menu's Exit.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &Application::mnuExit_Click);
    popup_ = std::make_unique<Popup>(state_, api_, *frmMain_);
    trace_ = TraceFile::fromEnvironment();
    state_.Trace = trace_.get();
    if (trace_)
        new DrawnTrace(state_, *popup_->trans().lblText, *trace_); // owned by the text control
    frmMain_->setBrowserView(page_->view());
    tray_ = std::make_unique<TrayIcon>(state_, api_.clock(), *frmMain_);
    connection_ = std::make_unique<Connection>(state_, *page_, *frmMain_, *tray_);
    pipeline_ = std::make_unique<TranslationPipeline>(state_, api_, *frmMain_, *popup_, *page_, *tray_);
    connectForms();
}

void Application::connectForms()
{
    frmMain& f = *frmMain_;
    Popup& popup = *popup_;
    TrayIcon& tray = *tray_;
    Connection& connection = *connection_;
    TranslationPipeline& pipeline = *pipeline_;
    const auto shellOpen = [this](const QString& target) { dialogs_->ShellOpen(target); };

    // The tray icon and its menu.
    connect(&f, &frmMain::translateToggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    connect(&tray, &TrayIcon::translateToggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    connect(&f, &frmMain::reconnectRequested, &connection, &Connection::ConnectService);
    connect(&f, &frmMain::aboutRequested, dialogs_.get(), &Dialogs::ShowAboutDialog);
    connect(&f, &frmMain::settingsRequested, dialogs_.get(), &Dialogs::ShowSettingsDialog);
    connect(&f, &frmMain::topmostRequested, this, [&] { popup.effects().SetWindowTopmost(&f, true, true, 0, 0); });
    connect(&tray, &TrayIcon::hidePopupRequested, &popup, &Popup::HidePopup);
    connect(&tray, &TrayIcon::openUrlRequested, this, shellOpen);
    page_->setExternalLinkHandler(shellOpen);

    // The page connection: update offer, language question, waiting dots.
    connect(&connection, &Connection::newVersionLabel, this, [&popup](const QString& caption) {
        popup.trans().lblNew->setCaption(caption);
        popup.trans().lblNew->show();
    });
    connect(&connection, &Connection::languageDialogRequested, dialogs_.get(), &Dialogs::ShowLanguageDialog);
    connection.popupText = [&popup] { return popup.lblTextValue(); };
    connection.setPopupText = [&popup](const QString& text) { popup.setLblText(text); };

    // The popup's links.
    connect(&popup, &Popup::shellOpenRequested, this, shellOpen);
    connect(&popup, &Popup::showMainRequested, &f, &frmMain::ShowMe);
    connect(&popup, &Popup::downloadPageRequested, &tray, &TrayIcon::OpenDownloadPage);
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
    if (tray_)
        tray_->UpdateTrayIcon(false, false);
    QCoreApplication::quit();
}

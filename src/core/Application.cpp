#include "core/Application.h"

#include "config/Dialogs.h"
#include "common/NumberText.h"
#include "core/MainWindow.h"
#include "core/TrayIcon.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "popup/DrawnTrace.h"
#include "common/TraceFile.h"
#include "core/TranslationPipeline.h"
#include "common/LinkLabel.h"
#include "popup/TranslationPopup.h"
#include "service/Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>

namespace {
const QString StoreSection = QStringLiteral("Applications");
const QStringList SeededBrowsers{"iexplore.exe", "opera.exe", "firefox.exe", "safari.exe", "chrome.exe"};
} // namespace

Application::Application(platform::Platform& platform, std::unique_ptr<ServicePage> page)
    : platform_(platform), ini_(platform.files(), state_.settings), page_(std::move(page))
{
    dialogs_ = std::make_unique<Dialogs>(state_, ini_, platform_, [this] { applySettings(); }, page_.get());
}

Application::~Application() = default;

QString Application::programVersion()
{
    return QString("%1.%2.%3").arg(QLR_VERSION_MAJOR).arg(QLR_VERSION_MINOR).arg(QLR_VERSION_PATCH);
}

bool Application::start()
{
    if (!platform_.session().claimSingleInstance(SettingsFiles::fileBaseName(platform_.files().executablePath())))
        return false;
    readOsVersion();
    ini_.load();
    applySettings();
    tray_->refresh(true, false);
    return true;
}

void Application::readOsVersion()
{
    state_.osVersion = platform_.session().osVersion();
}

bool Application::mouseButtonsSwapped()
{
    return platform_.screen().mouseButtonsSwapped();
}

QStringList Application::browserRows()
{
    QStringList rows = SeededBrowsers;
    for (const QString& name : platform_.session().browserExecutables())
        if (!rows.contains(name))
            rows.append(name);
    return rows;
}

void Application::seedBrowserRows()
{
    // A browser the user switched off comes back on at every apply, unless its row
    // holds -1 (switched on by the user).
    const QString application = SettingsFiles::fileBaseName(platform_.files().executablePath());
    for (const QString& browser : browserRows()) {
        const auto stored = numbertext::settingValue(platform_.store().value(application, StoreSection, browser, "0"));
        const auto asInteger = stored ? numbertext::toInt32(*stored) : std::nullopt;
        if (asInteger != -1)
            platform_.store().setValue(application, StoreSection, browser, "1");
    }
}

void Application::applySettings()
{
    AppState& s = state_;
    ini_.setDefault("ControlMode", "2");
    ini_.setDefault("Shadow", "1");
    ini_.setDefault("Border", "0");

    s.translationCache.clear();
    seedBrowserRows();

    s.backColour = parseColour(s.settings.value("Color"));
    s.textColour = parseColour(s.settings.value("TextColor"));
    s.grayColour = parseColour(s.settings.value("Gray"));

    s.twipsPerPixelX = std::max(1, static_cast<int>(numbertext::roundHalfEven(1440.0 / platform_.screen().logicalDpiX())));
    s.twipsPerPixelY = std::max(1, static_cast<int>(numbertext::roundHalfEven(1440.0 / platform_.screen().logicalDpiY())));

    if (mouseButtonsSwapped()) {
        s.primaryButton = 2;
        s.secondaryButton = 1;
    } else {
        s.primaryButton = 1;
        s.secondaryButton = 2;
    }

    s.programVersion = programVersion();
    s.publishedVersion = s.programVersion;

    loadForms();

    popup_->dress();

    connection_->connectService();

    armTimers();
}

void Application::loadForms()
{
    if (mainWindow_)
        return;
    mainWindow_ = std::make_unique<MainWindow>(state_.twipsPerPixelX, state_.twipsPerPixelY);
    connect(mainWindow_.get(), &MainWindow::exitRequested, this, &Application::exitFromMenu);
    // The desktop session ending closes the program like the menu's Exit.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &Application::exitFromMenu);
    popup_ = std::make_unique<Popup>(state_, platform_, *mainWindow_);
    trace_ = TraceFile::fromEnvironment();
    state_.trace = trace_.get();
    if (trace_)
        new DrawnTrace(state_, *popup_->translationWindow().textView, *trace_); // owned by the text control
    mainWindow_->setBrowserView(page_->view());
    tray_ = std::make_unique<TrayIcon>(state_, platform_.clock(), *mainWindow_);
    connection_ = std::make_unique<Connection>(state_, *page_, *mainWindow_, *tray_);
    pipeline_ = std::make_unique<TranslationPipeline>(state_, platform_, *mainWindow_, *popup_, *page_, *tray_);
    connectForms();
}

void Application::connectForms()
{
    MainWindow& f = *mainWindow_;
    Popup& popup = *popup_;
    TrayIcon& tray = *tray_;
    Connection& connection = *connection_;
    TranslationPipeline& pipeline = *pipeline_;
    const auto shellOpen = [this](const QString& target) { dialogs_->shellOpen(target); };

    // The tray icon and its menu.
    connect(&f, &MainWindow::translateToggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    connect(&tray, &TrayIcon::translateToggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    connect(&f, &MainWindow::reconnectRequested, &connection, &Connection::connectService);
    connect(&f, &MainWindow::aboutRequested, dialogs_.get(), &Dialogs::showAbout);
    connect(&f, &MainWindow::settingsRequested, dialogs_.get(), &Dialogs::showSettings);
    connect(&f, &MainWindow::topmostRequested, this, [&] { popup.effects().setTopmost(&f, true, true, 0, 0); });
    connect(&tray, &TrayIcon::hidePopupRequested, &popup, &Popup::hidePopup);
    connect(&tray, &TrayIcon::openUrlRequested, this, shellOpen);
    page_->setExternalLinkHandler(shellOpen);

    // The page connection: update offer, language question, waiting dots.
    connect(&connection, &Connection::newVersionLabel, this, [&popup](const QString& caption) {
        popup.translationWindow().updateLink->setCaption(caption);
        popup.translationWindow().updateLink->show();
    });
    connect(&connection, &Connection::languageDialogRequested, dialogs_.get(), &Dialogs::showLanguage);
    connection.popupText = [&popup] { return popup.shownText(); };
    connection.setPopupText = [&popup](const QString& text) { popup.setShownText(text); };

    // The popup's links.
    connect(&popup, &Popup::shellOpenRequested, this, shellOpen);
    connect(&popup, &Popup::showMainRequested, &f, &MainWindow::showWithPage);
    connect(&popup, &Popup::downloadPageRequested, &tray, &TrayIcon::openDownloadPage);
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
    MainWindow& f = *mainWindow_;
    f.selectionWatch.setInterval(50);
    f.selectionWatch.setEnabled(true);
    f.reconnect.setInterval(secondsSettingAsInterval("CheckConnectionInterval"));
    f.reconnect.setEnabled(true);
    f.translationTimeout.setInterval(secondsSettingAsInterval("servertimeout"));
    f.iconLeave.setInterval(50);
    f.iconLeave.setEnabled(false);
    f.progressDots.setEnabled(false);
    f.progressDots.setInterval(200);
    f.pageLoad.setInterval(500);
    f.pageLoad.setEnabled(true);
}

void Application::exitFromMenu()
{
    if (!platform_.session().commandLine().contains("/t")) {
        platform_.session().terminateProcess(0);
        return;
    }
    if (tray_)
        tray_->refresh(false, false);
    QCoreApplication::quit();
}

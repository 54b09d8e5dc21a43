#include "core/Application.h"

#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "common/TraceFile.h"
#include "common/WebAddress.h"
#include "config/Dialogs.h"
#include "core/MainWindow.h"
#include "core/TranslationPipeline.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "platform/Platform.h"
#include "popup/DrawnTrace.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/Connection.h"
#include "service/PageServerConfig.h"
#include "service/TranslationServer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextEdit>
#include <algorithm>

namespace {
const QString StoreSection = QStringLiteral("Applications");
const QStringList SeededBrowsers{"iexplore.exe", "opera.exe", "firefox.exe", "safari.exe", "chrome.exe"};
} // namespace

Application::Application(platform::Platform& platform, std::unique_ptr<ServicePage> page)
    : platform_(platform), settingsFiles_(platform.files(), state_.settings), page_(std::move(page))
{
    const auto offeredLanguages = [this] {
        QList<LanguageOption> languages;
        for (const ServicePage::Option& option : page_->options(page::selto).value_or(QList<ServicePage::Option>()))
            languages.append({option.value, option.text});
        return languages;
    };
    dialogs_ = std::make_unique<Dialogs>(state_, settingsFiles_, platform_, [this] { applySettings(); },
                                         offeredLanguages);
}

Application::~Application() = default;

QString Application::programVersion()
{
    return QString("%1.%2.%3").arg(QLR_VERSION_MAJOR).arg(QLR_VERSION_MINOR).arg(QLR_VERSION_PATCH);
}

bool Application::start()
{
    if (!platform_.session().claimSingleInstance(fileBaseName(platform_.files().executablePath())))
        return false;
    state_.osVersion = platform_.session().osVersion();
    settingsFiles_.load();
    applySettings();
    tray_->refresh(true, false);
    if (!platform_.shell().hasNotificationArea())
        tellRunningWithoutTray();
    return true;
}

void Application::tellRunningWithoutTray()
{
    // Without it the program would be invisible and could not be ended; its icon
    // still appears when a notification area starts later.
    const QString program = fileBaseName(platform_.files().executablePath());
    const QString summary = QStringLiteral("Quillora is running without a tray icon");
    const QString body = QStringLiteral("This desktop has no notification area; the icon appears as soon as one "
                                        "starts. Selections are translated meanwhile. To quit Quillora, run: %1 --quit")
                             .arg(program);
    if (platform_.shell().notify(summary, body))
        return;
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quillora"), summary + ".\n\n" + body);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

bool Application::quitRunningInstance(platform::Platform& platform)
{
    if (platform.session().endRunningInstance(fileBaseName(platform.files().executablePath())))
        return true;
    qWarning("qlr: no running Quillora to quit");
    return false;
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
    const QString application = fileBaseName(platform_.files().executablePath());
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
    settingsFiles_.setDefault("ControlMode", "2");
    settingsFiles_.setDefault("Shadow", "1");
    settingsFiles_.setDefault("Border", "0");

    s.translationCache.clear();
    seedBrowserRows();

    s.backColour = parseColour(s.settings.value("Color"));
    s.textColour = parseColour(s.settings.value("TextColor"));
    s.grayColour = parseColour(s.settings.value("Gray"));

    const auto twipsPerPixel = [](double dpi) {
        return std::max(1, static_cast<int>(numbertext::roundHalfEven(1440.0 / dpi)));
    };
    s.twipsPerPixelX = twipsPerPixel(platform_.screen().logicalDpiX());
    s.twipsPerPixelY = twipsPerPixel(platform_.screen().logicalDpiY());

    const bool swapped = platform_.screen().mouseButtonsSwapped();
    s.primaryButton = swapped ? 2 : 1;
    s.secondaryButton = swapped ? 1 : 2;

    s.programVersion = programVersion();
    s.publishedVersion = s.programVersion;

    createParts();
    popup_->dress();
    connection_->connectService();
    armTimers();
}

void Application::createParts()
{
    if (mainWindow_)
        return;
    mainWindow_ = std::make_unique<MainWindow>(state_.twipsPerPixelX, state_.twipsPerPixelY);
    trayMenu_ = std::make_unique<TrayMenu>();
    popup_ = std::make_unique<Popup>(state_, platform_, timers_);
    trace_ = TraceFile::fromEnvironment();
    state_.trace = trace_.get();
    if (trace_)
        new DrawnTrace(state_, *popup_->translationWindow().textView, *trace_); // owned by the text control
    mainWindow_->setPageView(page_->view());
    tray_ = std::make_unique<TrayIcon>(state_, platform_.clock(), *trayMenu_);
    connection_ = std::make_unique<Connection>(state_, *page_, timers_);
    server_ = std::make_unique<TranslationServer>();
    pipeline_ = std::make_unique<TranslationPipeline>(state_, platform_, timers_, mainWindow_->winId(), *popup_,
                                                      *page_, *tray_, *trayMenu_);
    connectParts();
}

void Application::connectParts()
{
    MainWindow& window = *mainWindow_;
    TrayMenu& menu = *trayMenu_;
    Popup& popup = *popup_;
    TrayIcon& tray = *tray_;
    Connection& connection = *connection_;
    TranslationPipeline& pipeline = *pipeline_;
    Dialogs& dialogs = *dialogs_;
    const auto shellOpen = [this](const QString& target) { dialogs_->shellOpen(target); };

    // Ending: the menu's Exit, and the desktop session or the system asking the
    // process to end (which ends the program like the menu's Exit).
    connect(&menu, &TrayMenu::exitRequested, this, &Application::exitFromMenu);
    connect(&window, &MainWindow::exitRequested, this, &Application::exitFromMenu);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &Application::exitFromMenu);
    platform_.session().setEndRequestHandler([this] { exitFromMenu(); });

    // The tray icon and its menu.
    connect(&menu, &TrayMenu::toggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    connect(&tray, &TrayIcon::translateToggleRequested, &pipeline, &TranslationPipeline::toggleTranslation);
    // The page is shown: a resting one is loaded again first.
    const auto openMain = [&connection, &window] {
        connection.wake();
        window.showWithPage();
    };
    connect(&menu, &TrayMenu::openRequested, this, openMain);
    connect(&tray, &TrayIcon::mainWindowRequested, this, openMain);
    // Asked by the user, a server that could not start is tried again.
    connect(&menu, &TrayMenu::reconnectRequested, server_.get(), &TranslationServer::forgetFailure);
    connect(&menu, &TrayMenu::reconnectRequested, &connection, &Connection::connectService);
    connect(&menu, &TrayMenu::aboutRequested, &dialogs, &Dialogs::showAbout);
    connect(&menu, &TrayMenu::settingsRequested, &dialogs, &Dialogs::showSettings);
    connect(&window, &MainWindow::topmostRequested, this, [&] { popup.effects().setTopmost(&window, true, true, 0, 0); });
    connect(&tray, &TrayIcon::hidePopupRequested, &popup, &Popup::hidePopup);
    connect(&tray, &TrayIcon::openUrlRequested, this, shellOpen);
    page_->setExternalLinkHandler([shellOpen](const QString& address) {
        if (isWebAddress(address))
            shellOpen(address);
    });
    // The page tells of its changes: a load or a translation awaited is looked at
    // then, not only on the next tick of its timer.
    page_->setChangeHandler([this, &connection, &pipeline] {
        connection.notePageActivity();
        if (timers_.pageLoad.isRunning())
            connection.onPageLoadTick();
        if (timers_.resultPoll.isRunning())
            pipeline.polling().onResultPollTick();
    });

    // The page connection: menu and tray follow it; an update is offered; the
    // language is asked for.
    connect(&connection, &Connection::connectionChanged, this, &Application::showConnection);
    page_->setLossHandler([&connection] { connection.onPageLost(); });
    // A translation awaited from a page that died ends as one that took too long.
    connect(&connection, &Connection::pageLost, this, [this, &pipeline] {
        if (timers_.resultPoll.isEnabled() || state_.requestAwaitsPage)
            pipeline.polling().onTranslationTimeout();
    });
    // A selection made while the page rested goes out once it is back.
    pipeline.request().setPageWaker([&connection] { connection.wake(); });
    connect(&connection, &Connection::connectionChanged, this, [&pipeline] { pipeline.request().sendAwaitedRequest(); });
    connect(&connection, &Connection::newerVersionPublished, this, [&popup, &tray](const QString& version) {
        popup.showUpdateOffer(version);
        tray.showUpdateBalloon(version);
    });
    connect(&connection, &Connection::languageDialogRequested, &dialogs, &Dialogs::showLanguage);

    // The popup's links.
    connect(&popup, &Popup::shellOpenRequested, this, shellOpen);
    connect(&popup, &Popup::showMainRequested, this, openMain);
    connect(&popup, &Popup::downloadPageRequested, &tray, &TrayIcon::openDownloadPage);
    connectServer();
}

void Application::connectServer()
{
    TranslationServer& server = *server_;
    Connection& connection = *connection_;
    TrayIcon& tray = *tray_;
    // Every connection attempt makes sure the page's server is there (a page of
    // someone else's brings none).
    connect(&connection, &Connection::connecting, this, [this, &server] {
        if (const auto config = PageServerConfig::read(state_.settings.value("serviceurl"), platform_.files()))
            server.ensureRunning({config->launcher, config->port});
        else
            server.stop();
    });
    // The page asked it before it answered: it asks again now.
    connect(&server, &TranslationServer::started, this, [this, &connection, &tray] {
        tray.showProblem({});
        if (!state_.connected)
            connection.connectService();
    });
    connect(&server, &TranslationServer::failed, this, [&tray](const QString& reason) {
        qWarning("qlr: %s", qUtf8Printable(reason));
        tray.showProblem(reason);
    });
    // A page whose server died cannot translate: it counts as lost, and the
    // reconnection starts the server again.
    connect(&server, &TranslationServer::ended, &connection, &Connection::onPageLost);
    // Resting, it lets its pipelines go; they start again while the page loads.
    connect(&connection, &Connection::rested, &server, &TranslationServer::releasePipelines);
    connect(&connection, &Connection::waking, &server, &TranslationServer::warmUpPipelines);
}

void Application::showConnection()
{
    trayMenu_->showConnection(state_.connected);
    trayMenu_->toggleItem->setEnabled(!state_.currentApplication.isEmpty() && state_.pageAvailable());
    tray_->refresh(true, true);
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
    ProgramTimers& t = timers_;
    t.selectionWatch.setInterval(50);
    t.selectionWatch.setEnabled(!pipeline_->watcherUsesEvents());
    t.reconnect.setInterval(secondsSettingAsInterval("CheckConnectionInterval"));
    t.reconnect.setEnabled(true);
    t.translationTimeout.setInterval(secondsSettingAsInterval("servertimeout"));
    t.iconLeave.setInterval(50);
    t.iconLeave.setEnabled(false);
    t.progressDots.setEnabled(false);
    t.progressDots.setInterval(200);
    t.pageLoad.setInterval(500);
    t.pageLoad.setEnabled(true);
}

void Application::exitFromMenu()
{
    // Where the owner serves the clipboard, what the program put there would go with it.
    platform_.clipboard().handOverBeforeExit();
    if (server_)
        server_->stop();
    if (!platform_.session().commandLine().contains("/t")) {
        platform_.session().terminateProcess(0);
        return;
    }
    if (tray_)
        tray_->refresh(false, false);
    QCoreApplication::quit();
}

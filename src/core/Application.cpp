#include "core/Application.h"

#include "common/FileBaseName.h"
#include "common/NumberText.h"
#include "common/TraceFile.h"
#include "common/WebAddress.h"
#include "common/WindowEffects.h"
#include "config/Dialogs.h"
#include "core/MainWindow.h"
#include "core/TranslationPipeline.h"
#include "core/TrayIcon.h"
#include "core/TrayMenu.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "service/Connection.h"
#include "service/PageServerConfig.h"
#include "service/TranslationServer.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {
const QString StoreSection = QStringLiteral("Applications");
const QStringList SeededBrowsers{"iexplore.exe", "opera.exe", "firefox.exe", "safari.exe", "chrome.exe"};
} // namespace

Application::Application(platform::Platform& platform, std::unique_ptr<ServicePage> page)
    : platform_(platform), settingsFiles_(platform.files(), settings_), page_(std::move(page))
{
    dialogs_ = std::make_unique<Dialogs>(settings_, settingsFiles_, platform_, [this] { applySettings(); });
    DialogEnvironment& env = dialogs_->environment();
    env.offeredLanguages = [this] {
        QList<LanguageOption> languages;
        if (connection_)
            for (const ServicePage::Option& option : connection_->offeredLanguages())
                languages.append({option.value, option.text});
        return languages;
    };
    env.connected = [this] { return connection_ && connection_->isConnected(); };
    env.versions = [this] {
        if (!connection_)
            return VersionFacts{programVersion(), programVersion(), false, {}};
        return VersionFacts{programVersion(), connection_->publishedVersion(), connection_->isBeta(),
                            connection_->downloadUrl()};
    };
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
    // Another start of the program asks for the selection to be translated (a key
    // the desktop runs "qlr --translate" for). Taken even when there is nothing to
    // translate: the user sees no popup, as after selecting nothing.
    platform_.session().setInstanceRequestHandler([this](const QString& request) {
        if (request != TranslateRequest || !pipeline_)
            return false;
        pipeline_->translatePrimarySelection();
        return true;
    });
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

bool Application::translateInRunningInstance(platform::Platform& platform)
{
    if (platform.session().sendToRunningInstance(fileBaseName(platform.files().executablePath()), TranslateRequest))
        return true;
    qWarning("qlr: no running Quillora to translate the selection");
    return false;
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
    settingsFiles_.setDefault("ControlMode", "2");
    settingsFiles_.setDefault("Shadow", "1");
    settingsFiles_.setDefault("Border", "0");
    seedBrowserRows();
    applied_ = AppSettings::read(settings_, platform_.screen().mouseButtonsSwapped());

    createParts();
    pipeline_->configure(applied_);
    popup_->configure(applied_, pipeline_->watcher().trigger());
    connection_->configure(applied_.serviceUrl, applied_.language, applied_.reconnectMs);
    connection_->connectService();
}

void Application::createParts()
{
    if (mainWindow_)
        return;
    mainWindow_ = std::make_unique<MainWindow>();
    trayMenu_ = std::make_unique<TrayMenu>();
    popup_ = std::make_unique<Popup>(platform_);
    connection_ = std::make_unique<Connection>(*page_, platform_.clock(), programVersion());
    tray_ = std::make_unique<TrayIcon>(platform_.clock(), *trayMenu_, [this] {
        return TrayIcon::Facts{connection_->isConnected(), pipeline_ && pipeline_->appSwitch().translationEnabled(),
                               connection_->isAvailable(), connection_->downloadUrl()};
    });
    server_ = std::make_unique<TranslationServer>(platform_.clock(), platform_.processes());
    pipeline_ = std::make_unique<TranslationPipeline>(platform_, *popup_, *page_, *connection_, *tray_, *trayMenu_);
    trace_ = TraceFile::fromEnvironment();
    if (trace_) {
        popup_->setTrace(*trace_);
        pipeline_->request().setTrace(trace_.get());
    }
    mainWindow_->setPageView(page_->view());
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
    TranslationRequest& request = pipeline.request();
    Dialogs& dialogs = *dialogs_;
    const auto shellOpen = [this](const QString& target) { dialogs_->shellOpen(target); };

    // Ending: the menu's Exit, and the desktop session or the system asking the
    // process to end (which ends the program like the menu's Exit). A session manager's
    // request to save data is no end: it comes also when the session goes on. When the
    // session does end, the toolkit leaves its event loop.
    connect(&menu, &TrayMenu::exitRequested, this, &Application::exitFromMenu);
    connect(&window, &MainWindow::exitRequested, this, &Application::exitFromMenu);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &Application::exitFromMenu);
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
    connect(&window, &MainWindow::topmostRequested, this, [&window] { effects::setTopmost(&window, true, true, 0, 0); });
    connect(&tray, &TrayIcon::hidePopupRequested, &popup, &Popup::hidePopup);
    connect(&tray, &TrayIcon::openUrlRequested, this, shellOpen);
    page_->setExternalLinkHandler([shellOpen](const QString& address) {
        if (isWebAddress(address))
            shellOpen(address);
    });
    // The page tells of its changes: a load or a translation awaited is looked at
    // then, not only on the next tick of its timer.
    page_->setChangeHandler([&connection, &request] {
        connection.notePageActivity();
        request.onPageChanged();
    });

    // The page connection: menu and tray follow it; an update is offered; the
    // language is asked for; what waited for the page goes out, or ends with it.
    connect(&connection, &Connection::connectionChanged, this, &Application::showConnection);
    page_->setLossHandler([&connection] { connection.onPageLost(); });
    connect(&connection, &Connection::pageLost, &request, &TranslationRequest::onPageLost);
    connect(&connection, &Connection::connectionChanged, &request, &TranslationRequest::onPageBack);
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
        if (const auto config = PageServerConfig::read(applied_.serviceUrl, platform_.files()))
            server.ensureRunning({config->launcher, config->port});
        else
            server.stop();
    });
    // The page asked it before it answered: it asks again now.
    connect(&server, &TranslationServer::started, this, [this, &connection, &tray] {
        tray.showProblem({});
        if (!connection.isConnected())
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
    trayMenu_->showConnection(connection_->isConnected());
    trayMenu_->toggleItem->setEnabled(!pipeline_->appSwitch().currentApplication().isEmpty() &&
                                      connection_->isAvailable());
    tray_->refresh(true, true);
}

void Application::exitFromMenu()
{
    // Quitting below ends the event loop, which asks for the end once more.
    if (ending_)
        return;
    // Where the owner serves the clipboard, what the program put there would go with it.
    platform_.clipboard().handOverBeforeExit();
    if (server_)
        server_->stop();
    if (!platform_.session().arguments().contains(QStringLiteral("/t"))) {
        platform_.session().terminateProcess(0);
        return;
    }
    if (tray_)
        tray_->refresh(false, false);
    ending_ = true;
    QCoreApplication::quit();
}

#pragma once
// The whole program in the test process on the real X11 desktop, with a copy of the
// shipped service page and a translation server of the test suite's own (on a free
// port), and an xterm to select in with real pointer input through XTest.
#include "ApyServer.h"
#include "DesktopDriver.h"
#include "PageCopy.h"
#include "common/FileBaseName.h"
#include "config/SettingsFiles.h"
#include "core/Application.h"
#include "core/TranslationPipeline.h"
#include "platform/Platform.h"
#include "platform/qt/DevicePixels.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/Connection.h"
#include "service/WebServicePage.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The real page, with a count of the translations asked of it.
class CountingPage : public WebServicePage {
public:
    int requests = 0;
    void click(const QString& id) override
    {
        requests += id == page::btn;
        WebServicePage::click(id);
    }
};

// Long enough that the popup gets its footer row with the links.
const QString Sentence = "The house is big and the garden is green.";
const QString SentenceEs = "La casa es grande y el jardín es verde.";

class ProgramOnDesktop : public testing::Test {
protected:
    static inline std::unique_ptr<ApyServer> server;
    static inline std::unique_ptr<PageCopy> pageCopy;
    static inline QString pageAddress;
    QTemporaryDir home; // the program's AppData and XDG_RUNTIME_DIR
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<Application> app;
    CountingPage* page = nullptr;
    DesktopDriver driver;

    static void SetUpTestSuite()
    {
        server = std::make_unique<ApyServer>(ApyServer::freePort());
        pageCopy = std::make_unique<PageCopy>();
        if (server->start(120000))
            pageAddress = pageCopy->install(server->port(), Application::programVersion());
    }
    static void TearDownTestSuite()
    {
        server.reset();
        pageCopy.reset();
    }

    void SetUp() override
    {
        ASSERT_FALSE(pageAddress.isEmpty()) << "apertium-apy did not start (scripts/install-deps.sh installs it)";
        qputenv("AppData", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    void TearDown() override { stopProgram(); }

    static inline const QStringList ShippedLook{"ControlMode=3", "SmoothGlide=0", "servertimeout=30", "Transparency=0",
                                                "Border=1"};
    // Starts the program with these settings besides the page, "enes" and the shipped
    // look, and waits until the page is ready. The page is the copy on the suite's server
    // unless another is given.
    void startProgram(const QStringList& settings = ShippedLook, const QString& pageCopyAddress = {})
    {
        // The per-user settings file, named after the running executable as the program names it.
        const QString base = fileBaseName(QCoreApplication::applicationFilePath());
        QFile file(home.filePath(base + "/" + base + ".ini"));
        ASSERT_TRUE(QDir(home.path()).mkpath(base) && file.open(QIODevice::WriteOnly));
        const QString address = pageCopyAddress.isEmpty() ? pageAddress : pageCopyAddress;
        const QStringList lines = QStringList{"serviceurl=" + address, "language=enes", "transwidth=450", "FontSize=10",
                                              "googlelabel=Powered by Apertium", "Shadow=1", "hideiconinterval=30"} +
                                  settings;
        file.write(SettingsFiles::toUtf16Le(lines.join("\r\n") + "\r\n"));
        file.close();
        platform = platform::createPlatform();
        auto counting = std::make_unique<CountingPage>();
        page = counting.get();
        app = std::make_unique<Application>(*platform, std::move(counting));
        ASSERT_TRUE(app->start());
        ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 90000)) << "the page never became ready";
    }
    void stopProgram()
    {
        app.reset();
        platform.reset();
    }

    Popup& popup() { return *app->popup(); }
    bool connected() { return app->connection()->isConnected(); }
    PerApplicationSwitch& appSwitch() { return app->pipeline()->appSwitch(); }
    TranslationRequest& request() { return app->pipeline()->request(); }
    // The trigger changed as the settings dialog would, but with the cache kept.
    void setMode(TriggerMode trigger)
    {
        AppSettings settings = app->appliedSettings();
        settings.trigger = trigger;
        app->pipeline()->watcher().configure(settings.trigger, settings.primaryButton, settings.secondaryButton);
        popup().configure(settings, app->pipeline()->watcher().trigger());
    }
    void enableTranslationIn(const QString& exe)
    {
        platform->store().setValue(fileBaseName(platform->files().executablePath()), "Applications", exe, "-1");
    }
    // Waits until the watcher has taken the application in front with translation on.
    bool waitForForeground(const QString& exe, bool enabled = true)
    {
        return QTest::qWaitFor(
            [&] { return appSwitch().currentApplication() == exe && appSwitch().translationEnabled() == enabled; }, 10000);
    }
    bool waitForPopupText(const QString& text)
    {
        return QTest::qWaitFor(
            [&] { return popup().translationWindow().isVisible() && popup().shownText() == text; }, 30000);
    }
    // A click on one of the program's own windows: Qt places them in device-independent
    // pixels, the desktop driver clicks in the display server's.
    static void clickOnProgram(QPoint independent) { DesktopDriver::click(platform::qt::toDevice(independent)); }
    // A click in the application, away from the popup, dismisses it.
    void dismiss(QPoint elsewhere)
    {
        DesktopDriver::click(elsewhere);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !popup().translationWindow().isVisible() && !popup().icon().isVisible(); }, 5000));
        QTest::qWait(800); // long enough that the application takes the next click as a new one
    }

    // "qlr --translate" as a desktop key runs it, under the test's own name so that it
    // asks the instance running in the test: its exit code and standard error.
    std::pair<int, QString> runTranslateCommand()
    {
        const QString command = home.filePath("bin/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        EXPECT_TRUE(QFile::exists(command) || (QDir(home.path()).mkpath("bin") && QFile::copy(QLR_PROGRAM, command)));
        QProcess run;
        run.start(command, {"--translate"});
        // The instance answers from this event loop: wait without blocking it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.state() == QProcess::NotRunning; }, 20000));
        return {run.exitCode(), QString::fromUtf8(run.readAllStandardError())};
    }

    // An xterm with the sentence on its fourth row, and where its characters lie.
    struct Terminal {
        DesktopDriver::Window window;
        int cellW = 0, cellH = 0;
        QPoint at(int column, int row) const
        {
            return window.client.topLeft() + QPoint(2 + column * cellW + cellW / 2, 2 + row * cellH + cellH / 2);
        }
    };
    // geometry: as xterm takes it (columns x rows + left + top in device pixels).
    Terminal openTerminal(const QString& geometry = "100x20+0+0")
    {
        static int terminals = 0;
        const QString title = QString("qlr-e2e-terminal-%1-%2").arg(QCoreApplication::applicationPid()).arg(++terminals);
        Terminal t{driver.startXterm(title, "\n\n\n  " + Sentence, geometry)};
        EXPECT_TRUE(t.window) << "the terminal never appeared";
        DesktopDriver::activate(t.window.id);
        const QStringList size = geometry.section('+', 0, 0).split('x');
        t.cellW = (t.window.client.width() - 4) / size.value(0).toInt();
        t.cellH = (t.window.client.height() - 4) / size.value(1).toInt();
        return t;
    }
    // The same, in front, with translation switched on in it.
    Terminal openTranslatedTerminal()
    {
        enableTranslationIn("xterm");
        Terminal t = openTerminal();
        EXPECT_TRUE(waitForForeground("xterm")) << appSwitch().currentApplication().toStdString();
        return t;
    }
    // How far a point lies outside a window's rectangle (0 inside), along both axes.
    static int distance(const QRect& window, QPoint point)
    {
        return std::max({window.left() - point.x(), 0, point.x() - window.right()}) +
               std::max({window.top() - point.y(), 0, point.y() - window.bottom()});
    }
    // Drags across the sentence; the terminal itself must have seen the selection.
    void selectSentence(const Terminal& t)
    {
        QByteArray primary;
        for (int attempt = 0; attempt < 2 && primary != Sentence.toUtf8(); ++attempt) {
            if (attempt > 0)
                QTest::qWait(800); // a loaded machine may miss a synthetic drag once
            DesktopDriver::drag(t.at(2, 3) - QPoint(t.cellW / 2 - 1, 0), t.at(2 + Sentence.size(), 3));
            primary = DesktopDriver::selection("UTF8_STRING", "primary");
        }
        EXPECT_EQ(QString::fromUtf8(primary), Sentence);
    }
};

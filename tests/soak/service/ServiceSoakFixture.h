#pragma once
// The whole program in this process on the virtual desktop: the real X11 back end, the
// real browser engine with a copy of the shipped service page, the real popup and timers.
// The page's translation server is given per test (a private one, or none at all).

#include "../SoakScale.h"
#include "BrowserFootprint.h"
#include "EventLoopProbe.h"
#include "config/SettingsFiles.h"
#include "common/AppState.h"
#include "core/Application.h"
#include "core/MainWindow.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "service/WebServicePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>

class ServiceSoakFixture : public testing::Test {
protected:
    // What a real leak adds over a soak, well above what allocator noise does.
    static constexpr double MemoryGrowthLimitMb = 40;
    // The event loop may stall while the engine starts a process; never for this long.
    static constexpr qint64 LongestStallMs = 2000;

    QTemporaryDir home;
    QTemporaryDir pageFolder;
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<Application> app;
    WebServicePage* page = nullptr;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_TRUE(home.isValid() && pageFolder.isValid());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("AppData", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        platform = platform::createPlatform();
    }

    void TearDown() override
    {
        app.reset();
        platform.reset();
    }

    // Copies the shipped page with its translation server on port; the page's address.
    QString installPage(int port)
    {
        const QDir source(QLR_SOURCE_DIR "/service/page");
        for (const QString& name : source.entryList(QDir::Files))
            if (name != "config.js")
                QFile::copy(source.filePath(name), pageFolder.filePath(name));
        QFile config(pageFolder.filePath("config.js"));
        EXPECT_TRUE(config.open(QIODevice::WriteOnly));
        // The program's own version: no update offer interrupts the run.
        config.write(QString("window.QUILLORA_PAGE = { apyPort: %1, version: \"%2\", download: \"\", "
                             "requestTimeoutMs: 4000 };\n")
                         .arg(port)
                         .arg(Application::programVersion())
                         .toUtf8());
        return QUrl::fromLocalFile(pageFolder.filePath("index.html")).toString();
    }

    // Writes the per-user settings file: the page address and the given settings.
    void writeSettings(const QString& serviceUrl, const QString& settings)
    {
        // The settings files are named after the running executable, this test.
        const QString base = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
        QDir(home.path()).mkpath(base);
        QFile ini(home.filePath(base + "/" + base + ".ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(SettingsFiles::toUtf16Le("serviceurl=" + serviceUrl +
                                    "\r\nlanguage=enes\r\nControlMode=3\r\nSmoothGlide=0\r\nTransparency=0\r\n"
                                    "hideiconinterval=30\r\ntranswidth=450\r\nFontSize=10\r\n"
                                    "PopupIfNotConnected=1\r\nBorder=1\r\nShadow=1\r\n"
                                    "googlelabel=Powered by Apertium\r\n" +
                                    settings));
    }

    void startProgram()
    {
        auto webPage = std::make_unique<WebServicePage>();
        page = webPage.get();
        app = std::make_unique<Application>(*platform, std::move(webPage));
        ASSERT_TRUE(app->start());
    }

    AppState& state() { return app->state(); }
    MainWindow& form() { return *app->mainForm(); }
    Popup& popup() { return *app->popup(); }
    QWebEnginePage* browserPage() { return static_cast<QWebEngineView*>(page->view())->page(); }

    BrowserFootprint footprint() { return measureBrowserFootprint(platform->processes()); }

    // Lets the program run for a while.
    static void runFor(int ms) { QTest::qWait(ms); }

    // One line for the log, shown with the test's output.
    static void report(const QString& line)
    {
        std::printf("[soak] %s\n", line.toUtf8().constData());
        std::fflush(stdout);
    }

    void expectNoGrowth(const BrowserFootprint& warm, const BrowserFootprint& end)
    {
        report("memory after warm-up " + warm.describe());
        report("memory at the end    " + end.describe());
        report(QString("growth %1 MB, helpers %2 -> %3").arg(end.totalMb() - warm.totalMb(), 0, 'f', 1)
                   .arg(warm.helpers).arg(end.helpers));
        EXPECT_GT(warm.helpers, 0) << "the browser engine's helper processes were not found";
        EXPECT_LT(end.totalMb() - warm.totalMb(), MemoryGrowthLimitMb)
            << "after warm-up " << warm.describe().toStdString() << ", at the end " << end.describe().toStdString();
        EXPECT_LE(end.helpers, warm.helpers) << "the browser engine keeps more helper processes than after warm-up";
    }

    void expectResponsive(const EventLoopProbe& probe)
    {
        report(QString("longest event loop stall %1 ms").arg(probe.longestGapMs()));
        EXPECT_LT(probe.longestGapMs(), LongestStallMs) << "the event loop stood still";
    }
};

#pragma once
// The whole program in this process on the virtual desktop: the real X11 back end, the
// real browser engine with a copy of the shipped service page, the real popup and timers.
// The page's translation server is given per test (a private one, or none at all).
#include "../SoakScale.h"
#include "BrowserFootprint.h"
#include "EventLoopProbe.h"
#include "PageCopy.h"
#include "common/AppState.h"
#include "common/FileBaseName.h"
#include "common/ProgramTimers.h"
#include "config/SettingsFiles.h"
#include "core/Application.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "service/WebServicePage.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

class ServiceSoakFixture : public testing::Test {
protected:
    // What a real leak adds over a soak, well above what allocator noise does.
    static constexpr double MemoryGrowthLimitMb = 40;
    // The event loop may stall while the engine starts a process; never for this long.
    static constexpr qint64 LongestStallMs = 2000;

    QTemporaryDir home;
    PageCopy pageCopy;
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<Application> app;
    WebServicePage* page = nullptr;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        qputenv("AppData", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        platform = platform::createPlatform();
    }
    void TearDown() override
    {
        app.reset();
        platform.reset();
    }
    // The page copy for the server on port, publishing this program's own version so
    // that no update offer interrupts the run.
    QString installPage(int port) { return pageCopy.install(port, Application::programVersion(), ""); }
    // Writes the per-user settings file (named after this test executable).
    void writeSettings(const QString& serviceUrl, const QString& settings)
    {
        const QString base = fileBaseName(QCoreApplication::applicationFilePath());
        QDir(home.path()).mkpath(base);
        QFile ini(home.filePath(base + "/" + base + ".ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(SettingsFiles::toUtf16Le("serviceurl=" + serviceUrl +
                                           "\r\nlanguage=enes\r\nControlMode=3\r\nSmoothGlide=0\r\n"
                                           "Transparency=0\r\nhideiconinterval=30\r\nPopupIfNotConnected=1\r\n" +
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
    ProgramTimers& timers() { return app->timers(); }
    Popup& popup() { return *app->popup(); }
    QWebEnginePage* browserPage() { return static_cast<QWebEngineView*>(page->view())->page(); }
    BrowserFootprint footprint() { return BrowserFootprint::measure(platform->processes()); }

    static void report(const QString& line)
    {
        std::printf("[soak] %s\n", line.toUtf8().constData());
        std::fflush(stdout);
    }
    void expectNoGrowth(const BrowserFootprint& warm, const BrowserFootprint& end)
    {
        report("memory after warm-up " + warm.describe());
        report("memory at the end    " + end.describe());
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

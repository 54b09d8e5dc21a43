// The real program on the test desktop: one instance per user, a killed one does not
// keep the next out, and one asked to end ends like Exit.
#include "DesktopDriver.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment programEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("AppData", home.path());
    env.insert("XDG_RUNTIME_DIR", home.path());
    return env;
}

TEST(Startup, SecondInstanceEndsAtOnceAndTheFirstKeepsRunning)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
    QTemporaryDir home;
    QProcess first;
    first.setProcessEnvironment(programEnvironment(home));
    first.start(QLR_BINARY, {});
    ASSERT_TRUE(first.waitForStarted());
    EXPECT_FALSE(first.waitForFinished(2000)) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(programEnvironment(home));
    QElapsedTimer clock;
    clock.start();
    second.start(QLR_BINARY, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty()) << "ends silently";

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();

    // The lock of a killed instance does not keep the next start out; asked to end
    // (SIGTERM), the program ends as Exit ends it.
    second.start(QLR_BINARY, {});
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_FALSE(second.waitForFinished(2000));
    second.terminate();
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
}

TEST(Startup, AWaylandSessionWithoutXWaylandIsToldAndOneWithoutACompositorFallsBackToX11)
{
    QTemporaryDir home;
    QProcessEnvironment env = programEnvironment(home);
    env.insert("WAYLAND_DISPLAY", home.filePath("no-compositor"));
    env.remove("DISPLAY");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QLR_BINARY, {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.readAllStandardError().contains("no XWayland"));

    env.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
    program.setProcessEnvironment(env);
    program.start(QLR_BINARY, {});
    EXPECT_FALSE(program.waitForFinished(3000)) << "runs on X11 alone";
    EXPECT_TRUE(program.readAllStandardError().contains("only XWayland applications are watched"));
    program.kill();
    program.waitForFinished();
}

// The desktop's notification-area host is stopped for the test; started again at its
// end (detached: it outlives the test like the one the desktop started).
class WithoutATray : public testing::Test {
protected:
    DesktopDriver driver;
    QTemporaryDir home;
    QProcess program;

    void SetUp() override
    {
        DesktopDriver::run("pkill", {"-x", "trayer"});
        ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::selectionOwner("_NET_SYSTEM_TRAY_S0") == 0; }, 5000));
    }
    void TearDown() override
    {
        program.kill();
        program.waitForFinished();
        if (DesktopDriver::selectionOwner("_NET_SYSTEM_TRAY_S0") == 0)
            startTrayHost();
    }
    static void startTrayHost()
    {
        // Its output goes nowhere: an inherited pipe would keep the test's runner waiting.
        QProcess tray;
        tray.setProgram("trayer");
        tray.setArguments({"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24", "--expand",
                           "true"});
        tray.setStandardOutputFile(QProcess::nullDevice());
        tray.setStandardErrorFile(QProcess::nullDevice());
        tray.startDetached();
        EXPECT_TRUE(QTest::qWaitFor([] { return DesktopDriver::selectionOwner("_NET_SYSTEM_TRAY_S0") != 0; }, 5000));
    }
    // The program's windows embedded by the tray host (its tray icon's among them).
    static int embeddedInTray()
    {
        const QString tree = QString::fromUtf8(DesktopDriver::run("xwininfo", {"-root", "-tree"}));
        return tree.count(QRegularExpression("\\(\"qlr\" \"qlr\"\\)"));
    }
    int quit()
    {
        QProcess quitting;
        quitting.setProcessEnvironment(programEnvironment(home));
        quitting.start(QLR_BINARY, {"--quit"});
        return quitting.waitForFinished(10000) ? quitting.exitCode() : -1;
    }
};

TEST_F(WithoutATray, TheProgramSaysSoOnceShowsItsIconWhenATrayStartsAndQuitEndsIt)
{
    QProcess* services = driver.startDesktopServices({"--no-portal"});
    ASSERT_NE(services, nullptr) << "the desktop tests run with a session bus";
    program.setProcessEnvironment(programEnvironment(home));
    program.start(QLR_BINARY, {});
    const QString notice = DesktopDriver::nextLine(services, 20000);
    EXPECT_TRUE(notice.startsWith("notify Quillora is running without a tray icon|")) << notice.toStdString();

    const int before = embeddedInTray();
    startTrayHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return embeddedInTray() > before; }, 10000)) << "the icon appears in the new tray";

    EXPECT_EQ(quit(), 0);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(quit(), 1) << "none runs any more";
}

TEST_F(WithoutATray, WithoutANotificationServiceAMessageBoxSaysIt)
{
    program.setProcessEnvironment(programEnvironment(home));
    program.start(QLR_BINARY, {});
    const DesktopDriver::Window box = DesktopDriver::waitForWindow("^Quillora$", 30);
    ASSERT_TRUE(box) << program.readAllStandardError().toStdString();
    EXPECT_EQ(quit(), 0);
}

} // namespace

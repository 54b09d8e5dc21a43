// The real program and the real X11 back end on the test desktop.
#include "core/Application.h"
#include "platform/Platform.h"
#include "service/fake/FakeServicePage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
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

    // The lock of a killed instance does not keep the next start out.
    second.start(QLR_BINARY, {});
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_FALSE(second.waitForFinished(2000));
    second.kill();
    second.waitForFinished();
}

QString exitMarker;
void markNormalExit()
{
    QFile file(exitMarker);
    file.open(QIODevice::WriteOnly);
}

TEST(StartupDeathTest, ExitWithoutTheSwitchEndsTheProcessAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir home;
    exitMarker = home.filePath("normal-exit");
    qputenv("AppData", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    EXPECT_EXIT(
        {
            std::atexit(markNormalExit);
            const auto platform = platform::createPlatform();
            Application app(*platform, std::make_unique<FakeServicePage>());
            if (app.start())
                app.exitFromMenu();
            std::exit(3); // only reached when Exit did not end the process
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(QFile::exists(exitMarker)) << "nothing runs after Exit, not even exit handlers";
}

} // namespace

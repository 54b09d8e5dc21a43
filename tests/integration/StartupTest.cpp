// The real program on the test desktop: one instance per user, a killed one does not
// keep the next out, and one asked to end ends like Exit.
#include <QElapsedTimer>
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

} // namespace

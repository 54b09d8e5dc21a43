// The program's own translation server, against stand-in launchers (small shell
// scripts) and loopback listeners of the test's own: when it starts and when not,
// what it says when it cannot, and that it ends with all it started. And where the
// page's server and port are found.
#include "service/PageServerConfig.h"
#include "service/TranslationServer.h"

#include "FakeDesktop.h"
#include "ServerStandIn.h"
#include "platform/linux/ProcProcesses.h"
#include "platform/qt/QtClock.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class TranslationServerTest : public testing::Test {
protected:
    QTemporaryDir folder;
    int launchers = 0;
    platform::QtClock clock;
    platform::os::ProcProcesses processes;
    TranslationServer server{clock, processes, 3000, 5000};
    QSignalSpy started{&server, &TranslationServer::started};
    QSignalSpy failed{&server, &TranslationServer::failed};
    QSignalSpy ended{&server, &TranslationServer::ended};

    // A port nothing listens on.
    static int freePort()
    {
        QTcpServer probe;
        return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
    }
    // Each launcher a file of its own: a running script is never written over.
    TranslationServer::Launch launcher(const QString& script, int port = freePort())
    {
        const QString path = folder.filePath(QString("launcher-%1").arg(++launchers));
        EXPECT_TRUE(standin::write(path, script));
        return {path, port};
    }
    QStringList lines(const QString& name) { return standin::notes(folder.filePath(name)); }
    // Signals may come before the wait starts: the spy's count is what is waited for.
    static bool reaches(const QSignalSpy& spy, qsizetype count)
    {
        return QTest::qWaitFor([&] { return spy.size() >= count; }, 5000);
    }
    static bool alive(qint64 pid) { return pid > 0 && ::kill(pid_t(pid), 0) == 0; }
    // A loopback listener that answers every connection with these bytes and closes it.
    static void answerWith(QTcpServer& listener, const QByteArray& answer)
    {
        QObject::connect(&listener, &QTcpServer::newConnection, &listener, [&listener, answer] {
            QTcpSocket* socket = listener.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, answer] {
                socket->readAll();
                socket->write(answer);
                socket->disconnectFromHost();
            });
        });
    }
};

TEST_F(TranslationServerTest, StartsOnceWhenThePortIsFreeIsStartedAgainAfterItDiedAndEndsWithItsPipelines)
{
    const TranslationServer::Launch launch = launcher(standin::Staying);
    server.ensureRunning(launch);
    ASSERT_TRUE(reaches(started, 1)) << "the stand-in never said ready";
    server.ensureRunning(launch);
    server.ensureRunning(launch);
    EXPECT_EQ(lines("starts"), QStringList{QString::number(launch.port)}) << "a running server is not started twice";

    server.releasePipelines();
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines("signals") == QStringList{"released"}; }, 5000));
    server.warmUpPipelines();
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines("signals") == QStringList({"released", "warmed"}); }, 5000));
    const qint64 pid = server.processId();
    const qint64 child = lines("child").value(0).toLongLong();
    ASSERT_TRUE(alive(pid) && alive(child));

    // Killed from outside, as a crash would end it: it is told, and the next
    // connection attempt starts it again.
    ::kill(-pid_t(pid), SIGKILL);
    ASSERT_TRUE(reaches(ended, 1));
    EXPECT_EQ(server.processId(), 0);
    server.ensureRunning(launch);
    ASSERT_TRUE(reaches(started, 2));
    EXPECT_EQ(lines("starts").size(), 2);
    EXPECT_TRUE(failed.isEmpty());

    // A page of another server (another launch) ends this one with its child; an end
    // asked for is no death.
    const qint64 secondChild = lines("child").value(0).toLongLong();
    ASSERT_TRUE(alive(secondChild));
    server.ensureRunning(launcher(standin::Staying));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !alive(secondChild); }, 5000)) << "its pipeline outlived it";
    ASSERT_TRUE(reaches(started, 3));
    EXPECT_EQ(ended.size(), 1);
}

TEST_F(TranslationServerTest, APortThatAnswersIsUsedAsItIsAndOneTakenByAnotherProgramIsSaid)
{
    // Another translation server: listed pairs answer, nothing is started.
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    answerWith(other, "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n{\"responseData\": []}");
    server.ensureRunning(launcher(standin::Staying, other.serverPort()));
    QTest::qWait(300);
    EXPECT_TRUE(lines("starts").isEmpty());
    EXPECT_TRUE(started.isEmpty() && failed.isEmpty());

    // Another program: it is said, and nothing is started.
    QTcpServer stranger;
    ASSERT_TRUE(stranger.listen(QHostAddress::LocalHost, 0));
    answerWith(stranger, "SSH-2.0-OpenSSH_9.2\r\n");
    server.ensureRunning(launcher(standin::Staying, stranger.serverPort()));
    ASSERT_TRUE(reaches(failed, 1));
    EXPECT_EQ(failed.at(0).at(0).toString(),
              QString("translation server: port %1 is taken by another program").arg(stranger.serverPort()));
    // A listener that never answers holds the port just the same.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    TranslationServer quick{clock, processes, 300, 5000};
    QSignalSpy quickFailed(&quick, &TranslationServer::failed);
    quick.ensureRunning(launcher(standin::Staying, silent.serverPort()));
    EXPECT_TRUE(reaches(quickFailed, 1));
    EXPECT_TRUE(lines("starts").isEmpty());
}

TEST_F(TranslationServerTest, AServerThatCannotStartSaysWhyOnceAndIsNotStartedAgainUntilAsked)
{
    const TranslationServer::Launch broken =
        launcher(standin::failing("translation server: no Apertium language pairs are installed in /none"));
    server.ensureRunning(broken);
    ASSERT_TRUE(reaches(failed, 1));
    EXPECT_EQ(failed.at(0).at(0).toString(), "translation server: no Apertium language pairs are installed in /none");
    for (int attempt = 0; attempt < 3; ++attempt)
        server.ensureRunning(broken);
    QTest::qWait(300);
    EXPECT_EQ(lines("starts").size(), 1) << "no endless restarts";
    EXPECT_EQ(failed.size(), 1);
    server.forgetFailure();
    server.ensureRunning(broken);
    ASSERT_TRUE(reaches(failed, 2));
    EXPECT_EQ(lines("starts").size(), 2);

    // Silent endings and launchers that cannot run say so too.
    server.ensureRunning(launcher("#!/bin/sh\nexit 3\n"));
    ASSERT_TRUE(reaches(failed, 3));
    EXPECT_TRUE(failed.last().at(0).toString().endsWith("ended before it answered (exit code 3)"))
        << failed.last().at(0).toString().toStdString();
    server.ensureRunning({folder.filePath("missing"), freePort()});
    ASSERT_TRUE(reaches(failed, 4));
    EXPECT_TRUE(failed.last().at(0).toString().startsWith("translation server: cannot run "));

    // One that never says ready is ended after its time, with what it started.
    TranslationServer impatient{clock, processes, 3000, 500};
    QSignalSpy impatientFailed(&impatient, &TranslationServer::failed);
    impatient.ensureRunning(launcher("#!/bin/sh\nsleep 600 &\necho $! > \"$(dirname \"$0\")/child\"\nwait\n"));
    ASSERT_TRUE(reaches(impatientFailed, 1));
    EXPECT_EQ(impatientFailed.at(0).at(0).toString(), "translation server: no answer within 0.5 s");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !alive(lines("child").value(0).toLongLong()); }, 5000));
    EXPECT_TRUE(started.isEmpty() && ended.isEmpty());
}

TEST(PageServerConfig, OnlyAPageOfOursBringsAServerOnThePortItsConfigurationNames)
{
    FakeDesktop desktop;
    auto& files = desktop.fakeFiles.files;
    const QString launcher = "/opt/My Pages é/server/translation-server.py";
    files.insert(launcher, "#!/usr/bin/python3\n");
    const QString page = "file:///opt/My Pages é/page/index.html";
    const auto read = [&](const QString& address) { return PageServerConfig::read(address, desktop.files()); };
    const auto config = [&](const QByteArray& script) {
        files.insert("/opt/My Pages é/page/config.js", script);
        return read(page);
    };

    EXPECT_EQ(config("window.QUILLORA_PAGE = {\n    apyPort: 2801,\n    version: \"1.0.0\"\n};\n"),
              (PageServerConfig{launcher, 2801}));
    EXPECT_EQ(config("window.QUILLORA_PAGE = {\n  apyPort: 2802 // the port\n};"), (PageServerConfig{launcher, 2802}));
    EXPECT_EQ(config("window.QUILLORA_PAGE = { apyPort: 2804, version: \"1\" };"), (PageServerConfig{launcher, 2804}));
    EXPECT_EQ(config("// apyPort: 9 in a comment is no setting\nwindow.QUILLORA_PAGE = { version: \"1\" };\n"),
              (PageServerConfig{launcher, PageServerConfig::DefaultPort}));
    EXPECT_EQ(config("window.QUILLORA_PAGE = {\n apyPort: 0,\n};"), (PageServerConfig{launcher, PageServerConfig::DefaultPort}));
    EXPECT_EQ(config("window.QUILLORA_PAGE = {\n apyPort: 70000,\n};"), std::nullopt) << "no port at all";

    // The address as the user wrote it or as a browser would, blanks and all.
    config("window.QUILLORA_PAGE = {\n apyPort: 2803,\n};");
    EXPECT_EQ(read("  file:///opt/My%20Pages%20%C3%A9/page/index.html "), (PageServerConfig{launcher, 2803}));
    files.remove("/opt/My Pages é/page/config.js");
    EXPECT_EQ(read(page), (PageServerConfig{launcher, PageServerConfig::DefaultPort})) << "as the page falls back";
    // Pages of someone else's.
    EXPECT_EQ(read("http://127.0.0.1:2803/index.html"), std::nullopt);
    EXPECT_EQ(read("https://example.org/page/index.html"), std::nullopt);
    EXPECT_EQ(read("file:///home/me/page/index.html"), std::nullopt) << "no launcher beside it";
    EXPECT_EQ(read("file:///index.html"), std::nullopt);
}

} // namespace

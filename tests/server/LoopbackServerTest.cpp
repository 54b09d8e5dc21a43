// The program's launcher of the real translation server: it answers on this machine's
// loopback addresses and listens nowhere else, its pipelines go on request and come
// back on request, and a server that cannot start says why in one line.
#include "ApyServer.h"
#include "DesktopDriver.h"
#include "ListeningSockets.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString translate(int port, const QString& host = "127.0.0.1")
{
    return QString::fromUtf8(DesktopDriver::run("curl", {"--silent", "--max-time", "20", "--data-urlencode",
                                                         "langpair=eng|spa", "--data-urlencode", "q=The house is big.",
                                                         QString("http://%1:%2/translate").arg(host).arg(port)},
                                                30000));
}

bool machineHasIpv6Loopback()
{
    QFile interfaces("/proc/net/if_inet6");
    return interfaces.open(QIODevice::ReadOnly) && interfaces.readAll().contains("00000000000000000000000000000001");
}

// The launcher run to its end: its exit code and what it wrote on standard error.
struct Ending {
    int exitCode = -1;
    QStringList errorLines;
};
Ending runToEnd(const QStringList& arguments, const QString& program = ApyServer::launcher())
{
    QProcess launcher;
    launcher.start(program, arguments);
    Ending ending;
    if (launcher.waitForFinished(60000)) {
        ending.exitCode = launcher.exitCode();
        ending.errorLines = QString::fromUtf8(launcher.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    }
    return ending;
}

TEST(LoopbackServer, AnswersOnLoopbackListensNowhereElseAndLetsItsPipelinesGoOnRequest)
{
    ApyServer server(ApyServer::freePort());
    ASSERT_TRUE(server.start()) << "the launcher did not answer (scripts/install-deps.sh installs apertium-apy)";
    EXPECT_TRUE(translate(server.port()).contains("La casa es grande")) << translate(server.port()).toStdString();
    if (machineHasIpv6Loopback()) {
        EXPECT_TRUE(translate(server.port(), "[::1]").contains("La casa es grande"));
    }

    const QList<pid_t> tree = listening::processTree(pid_t(server.processId()));
    EXPECT_GT(tree.size(), 1) << "the translation started a pipeline";
    const QList<ListeningSocket> sockets = listening::socketsOf(tree);
    ASSERT_FALSE(sockets.isEmpty()) << "its listening sockets were not found";
    for (const ListeningSocket& socket : sockets) {
        EXPECT_TRUE(socket.address.isLoopback())
            << "process " << socket.pid << " listens on " << socket.address.toString().toStdString() << ":" << socket.port;
        EXPECT_EQ(socket.port, server.port());
    }
    // The same reading finds a wildcard listener where there is one.
    QTcpServer everywhere;
    ASSERT_TRUE(everywhere.listen(QHostAddress::AnyIPv4, 0));
    const QList<ListeningSocket> own = listening::socketsOf({::getpid()});
    EXPECT_TRUE(std::any_of(own.begin(), own.end(), [&](const ListeningSocket& socket) {
        return socket.port == everywhere.serverPort() && socket.address == QHostAddress(QHostAddress::AnyIPv4);
    }));

    // Let go, the pipelines end and leave nothing behind; asked, the server starts
    // those it let go before any translation wants them, and translates with them.
    const auto processes = [&] { return listening::processTree(pid_t(server.processId())).size(); };
    const qsizetype inUse = processes();
    ::kill(pid_t(server.processId()), SIGUSR1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processes() == 1; }, 10000)) << processes() << " processes left";
    ::kill(pid_t(server.processId()), SIGUSR2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processes() == inUse; }, 10000)) << processes() << " processes";
    EXPECT_TRUE(translate(server.port()).contains("La casa es grande"));
    EXPECT_EQ(processes(), inUse) << "the pipeline started ahead served the translation";
}

TEST(LoopbackServer, APortTakenOrNothingToServeEndsWithOneLineSayingWhy)
{
    // Held by another program, on loopback or, like a system-wide server, on every interface.
    for (const QHostAddress& address : {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::AnyIPv4)}) {
        QTcpServer other;
        ASSERT_TRUE(other.listen(address, 0));
        const Ending ending = runToEnd({"--port", QString::number(other.serverPort())});
        EXPECT_EQ(ending.exitCode, 4);
        EXPECT_EQ(ending.errorLines,
                  QStringList{QString("translation server: port %1 is taken by another program").arg(other.serverPort())});
    }

    QTemporaryDir noPairs;
    const Ending empty = runToEnd({"--port", QString::number(ApyServer::freePort()), "--modes", noPairs.path()});
    EXPECT_EQ(empty.exitCode, 5);
    EXPECT_EQ(empty.errorLines, QStringList{"translation server: no Apertium language pairs are installed in " + noPairs.path()});

    // Without the system's Python modules (-S) APy cannot be loaded, as when it is not installed.
    const Ending noApy = runToEnd({"-S", ApyServer::launcher(), "--port", QString::number(ApyServer::freePort())},
                                  "/usr/bin/python3");
    EXPECT_EQ(noApy.exitCode, 3);
    ASSERT_EQ(noApy.errorLines.size(), 1);
    EXPECT_TRUE(noApy.errorLines.at(0).startsWith("translation server: Apertium APy cannot be loaded"));
}

} // namespace

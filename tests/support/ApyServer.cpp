#include "ApyServer.h"

#include "DesktopDriver.h"

#include <QTcpServer>
#include <QTest>

#include <csignal>
#include <unistd.h>

QString ApyServer::launcher()
{
    return QLR_SOURCE_DIR "/service/server/translation-server.py";
}

int ApyServer::freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool ApyServer::answering() const
{
    const QString url = QString("http://127.0.0.1:%1/listPairs").arg(port_);
    return DesktopDriver::run("curl", {"--silent", "--max-time", "2", url}, 3000).contains("responseData");
}

bool ApyServer::start(int timeoutMs)
{
    if (running())
        return false;
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    // A process group of its own, so that a kill reaches the pipelines it forks too.
    process_.setChildProcessModifier([] { ::setsid(); });
    process_.start(launcher(), {"--port", QString::number(port_), "--modes", modesFolder_});
    if (!process_.waitForStarted(5000))
        return false;
    return QTest::qWaitFor([&] { return !running() || answering(); }, timeoutMs) && running();
}

void ApyServer::kill()
{
    if (!running())
        return;
    ::kill(-pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(5000);
}

void ApyServer::setStopped(bool stopped)
{
    if (running())
        ::kill(-pid_t(process_.processId()), stopped ? SIGSTOP : SIGCONT);
}

#include "service/TranslationServer.h"

#include <QHostAddress>

namespace {
// Enough of an answer to tell a translation server's list of pairs.
constexpr qsizetype ProbeAnswerLimit = 64 * 1024;

QString takenText(int port)
{
    return QStringLiteral("translation server: port %1 is taken by another program").arg(port);
}
} // namespace

using Signal = platform::Processes::Signal;

TranslationServer::TranslationServer(platform::Clock& clock, platform::Processes& processes, int probeMs, int startMs)
    : processes_(processes), startMs_(startMs), probeTimer_(clock), startTimer_(clock)
{
    probeTimer_.setInterval(probeMs);
    probeTimer_.setSingleShot(true);
    connect(&probeTimer_, &Timer::timeout, this, &TranslationServer::onProbeOver);
    startTimer_.setInterval(startMs);
    startTimer_.setSingleShot(true);
    connect(&startTimer_, &Timer::timeout, this, [this] {
        processes_.send(processId(), Signal::Kill, true);
        fail(QStringLiteral("translation server: no answer within %1 s").arg(startMs_ / 1000.0));
    });
}

TranslationServer::~TranslationServer()
{
    stop();
    // Told to end, they are gone within moments; the program itself ends now.
    for (QProcess* ending : findChildren<QProcess*>(Qt::FindDirectChildrenOnly))
        ending->waitForFinished(2000);
}

void TranslationServer::ensureRunning(const Launch& launch)
{
    if (!(launch == launch_)) {
        stop();
        launch_ = launch;
        phase_ = Phase::Idle;
    }
    // A server of someone else's may have gone meanwhile: then ours takes over.
    if (phase_ == Phase::Idle || phase_ == Phase::UsingOther)
        probe();
}

void TranslationServer::forgetFailure()
{
    if (phase_ == Phase::Failed)
        phase_ = Phase::Idle;
}

void TranslationServer::probe()
{
    phase_ = Phase::Probing;
    probeAnswer_.clear();
    probe_ = std::make_unique<QTcpSocket>();
    QTcpSocket* socket = probe_.get();
    connect(socket, &QTcpSocket::connected, this,
            [socket] { socket->write("GET /listPairs HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"); });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        probeAnswer_ += socket->readAll();
        if (probeAnswer_.size() > ProbeAnswerLimit)
            onProbeOver();
    });
    connect(socket, &QTcpSocket::disconnected, this, &TranslationServer::onProbeOver);
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::ConnectionRefusedError) {
            onProbeOver();
            return;
        }
        // Nobody listens there: the port is free for ours.
        dropProbe();
        start();
    });
    probeTimer_.restart();
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), quint16(launch_.port));
}

void TranslationServer::onProbeOver()
{
    if (phase_ != Phase::Probing || !probe_)
        return;
    dropProbe();
    const bool listsPairs = probeAnswer_.startsWith("HTTP/1.") && probeAnswer_.left(16).contains(" 200") &&
                            probeAnswer_.contains("\"responseData\"");
    if (listsPairs)
        phase_ = Phase::UsingOther;
    else
        fail(takenText(launch_.port));
}

void TranslationServer::dropProbe()
{
    probeTimer_.setEnabled(false);
    if (!probe_)
        return;
    // It may be in one of its own signals: it goes once back in the event loop.
    probe_->disconnect(this);
    probe_->abort();
    probe_.release()->deleteLater();
}

void TranslationServer::start()
{
    phase_ = Phase::Starting;
    lastErrorLine_.clear();
    process_ = std::make_unique<QProcess>();
    process_->setProgram(launch_.launcher);
    process_->setArguments({QStringLiteral("--port"), QString::number(launch_.port)});
    process_->setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that one signal reaches its pipelines too.
    processes_.startAsGroup(*process_);
    connect(process_.get(), &QProcess::readyReadStandardOutput, this, &TranslationServer::onOutput);
    connect(process_.get(), &QProcess::readyReadStandardError, this, [this] {
        // Only its last line is kept: the one that says why it ended.
        for (const QByteArray& line : process_->readAllStandardError().split('\n'))
            if (!line.trimmed().isEmpty())
                lastErrorLine_ = line.trimmed().left(300);
    });
    connect(process_.get(), &QProcess::finished, this, &TranslationServer::onFinished);
    connect(process_.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(QStringLiteral("translation server: cannot run %1: %2").arg(launch_.launcher, process_->errorString()));
    });
    startTimer_.restart();
    process_->start();
}

void TranslationServer::onOutput()
{
    const QByteArray output = process_->readAllStandardOutput();
    if (phase_ == Phase::Starting && output.contains("ready")) {
        startTimer_.setEnabled(false);
        phase_ = Phase::Running;
        emit started();
    }
}

void TranslationServer::onFinished(int exitCode, QProcess::ExitStatus status)
{
    const Phase was = phase_;
    process_->disconnect(this);
    process_.release()->deleteLater();
    if (was == Phase::Starting) {
        fail(!lastErrorLine_.isEmpty()
                 ? QString::fromUtf8(lastErrorLine_)
                 : QStringLiteral("translation server: %1 ended before it answered (%2 %3)")
                       .arg(launch_.launcher, status == QProcess::CrashExit ? "signal" : "exit code")
                       .arg(exitCode));
    } else if (was == Phase::Running) {
        phase_ = Phase::Idle;
        emit ended();
    }
}

void TranslationServer::fail(const QString& reason)
{
    startTimer_.setEnabled(false);
    phase_ = Phase::Failed;
    emit failed(reason);
}

void TranslationServer::stop()
{
    dropProbe();
    startTimer_.setEnabled(false);
    if (process_) {
        processes_.send(processId(), Signal::End, true);
        // The object goes once the process has ended; nothing waits for that here.
        QProcess* ending = process_.release();
        ending->disconnect(this);
        ending->setParent(this);
        connect(ending, &QProcess::finished, ending, &QObject::deleteLater);
    }
    if (phase_ != Phase::Failed)
        phase_ = Phase::Idle;
}

void TranslationServer::releasePipelines()
{
    signalLauncher(Signal::User1);
}

void TranslationServer::warmUpPipelines()
{
    signalLauncher(Signal::User2);
}

void TranslationServer::signalLauncher(Signal signal) const
{
    if (phase_ == Phase::Running)
        processes_.send(processId(), signal, false);
}

qint64 TranslationServer::processId() const
{
    return process_ && process_->state() != QProcess::NotRunning ? process_->processId() : 0;
}

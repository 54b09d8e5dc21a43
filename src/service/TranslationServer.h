#pragma once
// The program's own translation server for the service page's port. It is started
// when nothing answers there, as a process group of its own, and ended with the
// program. One that ends after it answered is started again by the next connection
// attempt; one that cannot start (the port taken by another program, nothing
// installed) says why once and is not tried again until the user asks. A server
// someone else runs on the port is used as it is. Nothing here ever waits: the
// port's answer, the start and the end all arrive as events.

#include "common/Timer.h"
#include "platform/Processes.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTcpSocket>
#include <memory>


class TranslationServer : public QObject {
    Q_OBJECT
public:
    // The launcher prints "ready" once it answers on the port given as "--port N",
    // lets its pipelines go on SIGUSR1 and starts those again on SIGUSR2.
    struct Launch {
        QString launcher;
        int port = 0;
        bool operator==(const Launch&) const = default;
    };
    // probeMs: how long the port may take to answer; startMs: how long ours may take
    // to become ready.
    TranslationServer(platform::Clock& clock, platform::Processes& processes, int probeMs = 3000,
                      int startMs = 60000);
    ~TranslationServer() override;

    // A connection attempt: starts ours for this launch unless something answers on
    // its port or it already failed. Ours for another launch ends first.
    void ensureRunning(const Launch& launch);
    // The next attempt tries again after a failure.
    void forgetFailure();
    // Ends ours, pipelines and all, without waiting.
    void stop();
    // Ours lets its translation pipelines go; each starts again with its next use.
    void releasePipelines();
    // Ours starts the pipelines it let go, ahead of the translation that wants them.
    void warmUpPipelines();
    // Ours while it runs, else 0.
    qint64 processId() const;

signals:
    // Ours answers.
    void started();
    // Ours could not start, or the port is another program's: one line saying why.
    void failed(const QString& reason);
    // Ours ended after it had answered, without being asked to.
    void ended();

private:
    enum class Phase { Idle, Probing, UsingOther, Starting, Running, Failed };

    void probe();
    void onProbeOver();
    void dropProbe();
    void start();
    void onOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void fail(const QString& reason);
    void signalLauncher(platform::Processes::Signal signal) const;

    platform::Processes& processes_;
    const int startMs_;
    Launch launch_;
    Phase phase_ = Phase::Idle;
    std::unique_ptr<QTcpSocket> probe_;
    QByteArray probeAnswer_;
    Timer probeTimer_;
    std::unique_ptr<QProcess> process_;
    Timer startTimer_;
    QByteArray lastErrorLine_;
};

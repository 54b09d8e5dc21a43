#pragma once
// A translation server of the test's own (the program's launcher of APy with the
// installed language pairs) on a port nobody else uses, so that a test can kill and
// restart it.

#include <QProcess>
#include <QString>

class ApyServer {
public:
    // modesFolder holds the language pairs' mode files the server offers.
    explicit ApyServer(int port, const QString& modesFolder = "/usr/share/apertium/modes")
        : port_(port), modesFolder_(modesFolder)
    {
    }
    ~ApyServer() { kill(); }
    ApyServer(const ApyServer&) = delete;
    ApyServer& operator=(const ApyServer&) = delete;

    // The shipped launcher in the source tree.
    static QString launcher();
    // A TCP port on 127.0.0.1 that nothing listens on right now.
    static int freePort();

    int port() const { return port_; }
    // Starts the server with the language pairs of its modes folder and waits until it lists
    // them; false when it ends or stays silent within timeoutMs.
    bool start(int timeoutMs = 60000);
    // Ends the server and its translation pipelines at once, as a crash would.
    void kill();
    // Stops the server and its pipelines where they stand (a server that hangs), or lets
    // them go on.
    void setStopped(bool stopped);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }
    // True when the server answers its list of pairs.
    bool answering() const;

private:
    int port_;
    QString modesFolder_;
    QProcess process_;
};

#pragma once
#include "platform/Session.h"
#include "platform/linux/InstanceChannel.h"
#include "platform/qt/EndSignals.h"

#include <memory>

class QLockFile;

// Back-end pieces that need no display server, only Linux and the freedesktop
// conventions. (The namespace is not "linux": the compiler defines that word.)
namespace platform::os {

// The running process on a Linux desktop: the single-instance lock in the runtime
// folder, its arguments, the signals that ask it to end.
class LinuxSession : public Session {
public:
    LinuxSession();
    ~LinuxSession() override;

    bool claimSingleInstance(const QString& name) override;
    bool endRunningInstance(const QString& name) override;
    void setInstanceRequestHandler(std::function<bool(const QString& request)> handler) override
    {
        channel_.setHandler(std::move(handler));
    }
    bool sendToRunningInstance(const QString& name, const QString& request) override;
    QStringList arguments() override;
    QStringList browserExecutables() override;
    QStringList desktopShellExecutables() override;
    void terminateProcess(int exitCode) override;
    void setEndRequestHandler(std::function<void()> handler) override { endSignals_.setHandler(std::move(handler)); }

private:
    static QString lockPath(const QString& name);
    static QString channelPath(const QString& name);
    // How long the instance asked to end may take to hand over its clipboard and go.
    static constexpr int EndWaitMs = 5000;

    std::unique_ptr<QLockFile> instanceLock_;
    EndSignals endSignals_;
    InstanceChannel channel_;
};

} // namespace platform::os

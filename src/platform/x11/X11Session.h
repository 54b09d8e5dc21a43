#pragma once
#include "platform/Session.h"
#include "platform/qt/EndSignals.h"

#include <memory>

class QLockFile;

namespace platform::x11 {

class X11Session : public Session {
public:
    X11Session();
    ~X11Session() override;

    bool claimSingleInstance(const QString& name) override;
    bool endRunningInstance(const QString& name) override;
    int osVersion() override;
    QStringList arguments() override;
    QStringList browserExecutables() override;
    QStringList desktopShellExecutables() override;
    void terminateProcess(int exitCode) override;
    void setEndRequestHandler(std::function<void()> handler) override { endSignals_.setHandler(std::move(handler)); }

private:
    static QString lockPath(const QString& name);
    // How long the instance asked to end may take to hand over its clipboard and go.
    static constexpr int EndWaitMs = 5000;

    std::unique_ptr<QLockFile> instanceLock_;
    EndSignals endSignals_;
};

} // namespace platform::x11

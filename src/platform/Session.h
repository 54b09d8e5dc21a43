#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

// The running process and its place among the user's processes.
class Session {
public:
    virtual ~Session() = default;

    // Claims the single-instance lock for this user and executable. False when
    // another instance holds it. The claim lasts until the process ends.
    virtual bool claimSingleInstance(const QString& name) = 0;
    // Asks the instance that holds the lock to end as its Exit would, and waits a
    // few seconds for it. False when none runs or it did not end.
    virtual bool endRunningInstance(const QString& name) = 0;
    // From the single-instance claim on, handler runs on the user-interface thread for
    // each request another start of the program sends with sendToRunningInstance; it
    // says whether it took the request.
    virtual void setInstanceRequestHandler(std::function<bool(const QString& request)> handler) = 0;
    // Sends the request to the instance that holds the lock and waits a moment for its
    // answer. False when none runs or it did not take the request.
    virtual bool sendToRunningInstance(const QString& name, const QString& request) = 0;
    // The arguments the program was started with, without the program's own path.
    virtual QStringList arguments() = 0;
    // File names of the desktop's common web-browser executables, as this platform
    // reports running programs.
    virtual QStringList browserExecutables() = 0;
    // File names of the executables that draw the desktop and its panels, where a
    // click is no selection in an application.
    virtual QStringList desktopShellExecutables() = 0;
    // Ends the process at once with the exit code; nothing else runs.
    virtual void terminateProcess(int exitCode) = 0;
    // The handler runs on the user-interface thread when the system asks the process to
    // end (on POSIX systems SIGTERM, SIGINT and SIGHUP), instead of the process dying.
    virtual void setEndRequestHandler(std::function<void()> handler) = 0;
};

} // namespace platform

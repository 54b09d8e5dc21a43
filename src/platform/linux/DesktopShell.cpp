#include "platform/linux/DesktopShell.h"

#include "platform/freedesktop/DesktopNotifications.h"
#include "platform/freedesktop/DesktopPortal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>
#include <optional>

namespace platform::os {
namespace {

// How long the opener may take to report a failure. An opener still running after
// that has handed the target to a program (the generic opener waits for it).
constexpr int OpenerVerdictMs = 1200;
constexpr int QueryTimeoutMs = 3000;

// Exit codes of xdg-open.
constexpr int XdgSyntaxError = 1;
constexpr int XdgFileMissing = 2;
constexpr int XdgToolMissing = 3;

// An address has a scheme of two or more letters ("https:", "mailto:"); anything
// else, including file: addresses, is a local path.
bool isAddress(const QUrl& url)
{
    return url.isValid() && url.scheme().size() >= 2 && !url.isLocalFile();
}

// The desktop's default program for a MIME type (a .desktop file name); empty when
// there is none or the table cannot be asked.
QString defaultProgramFor(const QString& mimeType)
{
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
        return QString();
    QProcess query;
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start("xdg-mime", {"query", "default", mimeType});
    if (!query.waitForFinished(QueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return QString();
    }
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

// Nothing when the local path can be handed to the opener; otherwise the failure.
std::optional<OpenResult> checkLocal(const QFileInfo& info)
{
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? OpenResult::FileNotFound : OpenResult::PathNotFound;
    const QString mimeType = info.isDir() ? QStringLiteral("inode/directory")
                                          : QMimeDatabase().mimeTypeForFile(info).name();
    if (!QStandardPaths::findExecutable("xdg-mime").isEmpty() && defaultProgramFor(mimeType).isEmpty())
        return OpenResult::NoProgram;
    return std::nullopt;
}

OpenResult fromOpenerExit(int exitCode)
{
    switch (exitCode) {
    case 0:
        return OpenResult::Opened;
    case XdgFileMissing:
        return OpenResult::FileNotFound;
    case XdgToolMissing:
        return OpenResult::NoProgram;
    case XdgSyntaxError:
    default:
        return OpenResult::Failed;
    }
}

// Runs the opener on one argument and waits a short while for its verdict, letting
// the program's timers run meanwhile. An opener that is still busy is left to
// finish on its own.
OpenResult runOpener(const QString& argument)
{
    if (QStandardPaths::findExecutable("xdg-open").isEmpty())
        return OpenResult::NoProgram;
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    opener->start("xdg-open", {argument});
    if (!opener->waitForStarted(QueryTimeoutMs)) {
        delete opener;
        return OpenResult::NoProgram;
    }
    QDeadlineTimer verdict(OpenerVerdictMs);
    while (!opener->waitForFinished(20) && !verdict.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (opener->state() != QProcess::NotRunning) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return OpenResult::Opened;
    }
    const OpenResult result = opener->exitStatus() == QProcess::NormalExit ? fromOpenerExit(opener->exitCode())
                                                                          : OpenResult::Failed;
    delete opener;
    return result;
}

} // namespace

OpenResult DesktopShell::open(const QString& target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return OpenResult::FileNotFound;
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (isAddress(url))
        return runOpener(url.toString(QUrl::FullyEncoded));
    // Always an absolute path, so that a name starting with "-" is never an option.
    const QFileInfo info(url.isLocalFile() ? url.toLocalFile() : trimmed);
    if (const auto failure = checkLocal(info))
        return *failure;
    return runOpener(info.absoluteFilePath());
}

bool DesktopShell::openWith(const QString& target)
{
    return freedesktop::askWhichProgramOpens(target, 0);
}

bool DesktopShell::hasNotificationArea()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool DesktopShell::notify(const QString& summary, const QString& body)
{
    return freedesktop::showNotification(QCoreApplication::applicationName(), summary, body).has_value();
}

} // namespace platform::os

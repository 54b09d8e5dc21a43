#include "platform/x11/X11Shell.h"

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

namespace platform::x11 {
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

// 0 when the local path can be handed to the opener; otherwise the failure.
int checkLocal(const QFileInfo& info)
{
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? Shell::FileNotFound : Shell::PathNotFound;
    const QString mimeType = info.isDir() ? QStringLiteral("inode/directory")
                                          : QMimeDatabase().mimeTypeForFile(info).name();
    if (!QStandardPaths::findExecutable("xdg-mime").isEmpty() && defaultProgramFor(mimeType).isEmpty())
        return Shell::NoAssociation;
    return 0;
}

int fromOpenerExit(int exitCode)
{
    switch (exitCode) {
    case 0:
        return Shell::Opened;
    case XdgFileMissing:
        return Shell::FileNotFound;
    case XdgToolMissing:
        return Shell::NoAssociation;
    case XdgSyntaxError:
    default:
        return Shell::OpenFailed;
    }
}

// Runs the opener on one argument and waits a short while for its verdict, letting
// the program's timers run meanwhile. An opener that is still busy is left to
// finish on its own.
int runOpener(const QString& argument)
{
    if (QStandardPaths::findExecutable("xdg-open").isEmpty())
        return Shell::NoAssociation;
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    opener->start("xdg-open", {argument});
    if (!opener->waitForStarted(QueryTimeoutMs)) {
        delete opener;
        return Shell::NoAssociation;
    }
    QDeadlineTimer verdict(OpenerVerdictMs);
    while (!opener->waitForFinished(20) && !verdict.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (opener->state() != QProcess::NotRunning) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return Shell::Opened;
    }
    const int result = opener->exitStatus() == QProcess::NormalExit ? fromOpenerExit(opener->exitCode())
                                                                   : Shell::OpenFailed;
    delete opener;
    return result;
}

} // namespace

int X11Shell::open(const QString& target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return FileNotFound;
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (isAddress(url))
        return runOpener(url.toString(QUrl::FullyEncoded));
    // Always an absolute path, so that a name starting with "-" is never an option.
    const QFileInfo info(url.isLocalFile() ? url.toLocalFile() : trimmed);
    if (const int failure = checkLocal(info))
        return failure;
    return runOpener(info.absoluteFilePath());
}

bool X11Shell::openWith(const QString& target)
{
    return freedesktop::askWhichProgramOpens(target, 0);
}

bool X11Shell::hasNotificationArea()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool X11Shell::notify(const QString& summary, const QString& body)
{
    return freedesktop::showNotification(QCoreApplication::applicationName(), summary, body).has_value();
}

} // namespace platform::x11

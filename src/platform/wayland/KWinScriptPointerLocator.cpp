#include "platform/wayland/KWinScriptPointerLocator.h"

#include "platform/wayland/KWinCursorReports.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryFile>
#include <QTimer>

namespace platform::wayland {

namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingPath = QStringLiteral("/Scripting");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString ReportsPath = QStringLiteral("/org/quillora/Quillora/CursorReports");
// One name for the program's script, so that a script left behind by a run that ended
// abruptly is unloaded before the next one loads.
const QString PluginName = QStringLiteral("quillora-pointer");

// Reports the pointer position, then again each time the answer asks for it.
constexpr char ScriptTemplate[] = R"(function report() {
    callDBus("%1", "%2", "%3", "report", workspace.cursorPos.x, workspace.cursorPos.y, function (again) {
        if (again)
            report();
    });
}
report();
)";

QDBusMessage callKWin(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(KWinService, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, std::max(timeoutMs, 1));
}

} // namespace

KWinScriptPointerLocator::KWinScriptPointerLocator() : reports_(std::make_unique<KWinCursorReports>())
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    registered_ = bus.registerObject(ReportsPath, reports_.get(), QDBusConnection::ExportScriptableSlots);
}

KWinScriptPointerLocator::~KWinScriptPointerLocator()
{
    if (registered_) {
        reports_->stopScript();
        unloadScript();
        QDBusConnection::sessionBus().unregisterObject(ReportsPath);
    }
}

bool KWinScriptPointerLocator::isAvailable()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(KWinService).value();
}

std::optional<QPoint> KWinScriptPointerLocator::locate(int timeoutMs)
{
    if (!registered_)
        return std::nullopt;
    if (locating_)
        return reports_->reportCount() > 0 ? std::optional(reports_->lastPosition()) : std::nullopt;
    locating_ = true;
    const std::optional<QPoint> position = locateAfresh(timeoutMs);
    locating_ = false;
    return position;
}

std::optional<QPoint> KWinScriptPointerLocator::locateAfresh(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const std::uint64_t seen = reports_->reportCount();
    // A running script reports on being answered; a new one reports as it starts.
    if (!scriptRunning_ || !reports_->askAgain()) {
        unloadScript();
        scriptRunning_ = startScript(int(deadline.remainingTime()));
        if (!scriptRunning_)
            return std::nullopt;
    }
    std::optional<QPoint> position;
    if (reports_->reportCount() == seen) {
        QEventLoop loop;
        QObject::connect(reports_.get(), &KWinCursorReports::reported, &loop, &QEventLoop::quit);
        QTimer::singleShot(std::max<qint64>(deadline.remainingTime(), 0), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (reports_->reportCount() > seen)
        position = reports_->lastPosition();
    // No answer: KWin may have restarted or dropped the script; the next locate starts anew.
    if (!position)
        scriptRunning_ = false;
    return position;
}

bool KWinScriptPointerLocator::startScript(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    if (!script_) {
        auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/quillora-pointer-XXXXXX.js"));
        const QByteArray text = QString::fromLatin1(ScriptTemplate)
                                    .arg(QDBusConnection::sessionBus().baseService(), ReportsPath,
                                         QString::fromLatin1(KWinCursorReports::Interface))
                                    .toUtf8();
        if (!file->open() || file->write(text) != text.size() || !file->flush())
            return false;
        script_ = std::move(file);
    }
    const QDBusMessage loaded = callKWin(ScriptingPath, ScriptingInterface, QStringLiteral("loadScript"),
                                         {script_->fileName(), PluginName}, int(deadline.remainingTime()));
    if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty())
        return false;
    const int id = loaded.arguments().constFirst().toInt();
    if (id < 0)
        return false;
    // KWin 5.27 puts each loaded script at /<id>.
    const QDBusMessage ran = callKWin(QStringLiteral("/%1").arg(id), QStringLiteral("org.kde.kwin.Script"),
                                      QStringLiteral("run"), {}, int(deadline.remainingTime()));
    return ran.type() == QDBusMessage::ReplyMessage;
}

void KWinScriptPointerLocator::unloadScript()
{
    callKWin(ScriptingPath, ScriptingInterface, QStringLiteral("unloadScript"), {PluginName}, 500);
}

} // namespace platform::wayland

#include "platform/gnome/ExtensionOffer.h"

#include "platform/Platform.h"
#include "platform/freedesktop/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

namespace platform::gnome {
namespace {

constexpr const char* Notifications = "org.freedesktop.Notifications";
constexpr int ShellLimitMs = 2000;

} // namespace

void ExtensionOffer::startWhenRunning(Platform& platform, QObject* parent)
{
    auto* offer = new ExtensionOffer(platform, parent);
    QTimer::singleShot(0, offer, [offer] { offer->run(); });
}

ExtensionOffer::ExtensionOffer(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

QString ExtensionOffer::storeApplication() const
{
    return QFileInfo(platform_.files().executablePath()).completeBaseName();
}

bool ExtensionOffer::shellKnowsExtension()
{
    QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.Shell.Extensions", "/org/gnome/Shell/Extensions",
                                                       "org.gnome.Shell.Extensions", "GetExtensionInfo");
    call << QString::fromLatin1(Uuid);
    const QDBusReply<QVariantMap> info = QDBusConnection::sessionBus().call(call, QDBus::Block, ShellLimitMs);
    return info.isValid() && !info.value().isEmpty();
}

bool ExtensionOffer::isInstalled()
{
    const QString folder = QStringLiteral("gnome-shell/extensions/") + Uuid;
    return shellKnowsExtension() ||
           !QStandardPaths::locate(QStandardPaths::GenericDataLocation, folder, QStandardPaths::LocateDirectory)
                .isEmpty();
}

void ExtensionOffer::run()
{
    const bool installed = isInstalled();
    if (installed)
        std::fprintf(stderr,
                     "Quillora: GNOME Shell does not run Quillora's extension, so only XWayland applications are "
                     "watched. Enable it with: gnome-extensions enable %s (an extension installed during this "
                     "session is found only after the next login), then start Quillora again.\n",
                     Uuid);
    else
        std::fputs("Quillora: Quillora's GNOME Shell extension is not installed (its package installs it), so only "
                   "XWayland applications are watched.\n",
                   stderr);
    SettingsStore& store = platform_.store();
    if (!installed || !store.value(storeApplication(), StoreSection, StoreKey, {}).isEmpty()) {
        deleteLater();
        return;
    }
    QDBusConnection::sessionBus().connect(Notifications, "/org/freedesktop/Notifications", Notifications,
                                          "ActionInvoked", this, SLOT(onActionInvoked(uint, QString)));
    const auto id = freedesktop::showNotification(
        QCoreApplication::applicationName(), tr("Translate in every application"),
        tr("Quillora's GNOME Shell extension lets it see the text you select in GNOME's own applications. "
           "It only reads: it never changes a selection or types."),
        {QStringLiteral("enable"), tr("Enable")});
    if (!id) {
        deleteLater();
        return;
    }
    notification_ = *id;
    store.setValue(storeApplication(), StoreSection, StoreKey, QStringLiteral("offered"));
}

void ExtensionOffer::onActionInvoked(uint id, const QString& action)
{
    if (id != notification_ || action != QLatin1String("enable"))
        return;
    enable();
    deleteLater();
}

bool ExtensionOffer::enableInShell()
{
    QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.Shell.Extensions", "/org/gnome/Shell/Extensions",
                                                       "org.gnome.Shell.Extensions", "EnableExtension");
    call << QString::fromLatin1(Uuid);
    const QDBusReply<bool> done = QDBusConnection::sessionBus().call(call, QDBus::Block, ShellLimitMs);
    return done.isValid() && done.value();
}

bool ExtensionOffer::enableInSettings()
{
    // The Shell enables what this key lists once it has found the extension's folder.
    const auto gsettings = [](const QStringList& arguments) -> std::optional<QString> {
        QProcess tool;
        tool.start(QStringLiteral("gsettings"), arguments);
        if (!tool.waitForFinished(EnableLimitMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(tool.readAllStandardOutput());
    };
    const QStringList key{QStringLiteral("org.gnome.shell"), QStringLiteral("enabled-extensions")};
    const auto listed = gsettings(QStringList{QStringLiteral("get")} + key);
    if (!listed)
        return false;
    QStringList uuids;
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    for (const auto& match : quoted.globalMatch(*listed))
        uuids << QStringLiteral("'%1'").arg(match.captured(1));
    uuids << QStringLiteral("'%1'").arg(QString::fromLatin1(Uuid));
    return gsettings(QStringList{QStringLiteral("set")} + key + QStringList{"[" + uuids.join(", ") + "]"})
        .has_value();
}

void ExtensionOffer::enable()
{
    const bool known = shellKnowsExtension();
    if (!(known ? enableInShell() : enableInSettings())) {
        std::fprintf(stderr, "Quillora: GNOME Shell could not enable %s.\n", Uuid);
        return;
    }
    platform_.store().setValue(storeApplication(), StoreSection, StoreKey, QStringLiteral("enabled"));
    freedesktop::showNotification(QCoreApplication::applicationName(), tr("Extension enabled"),
                                  known ? tr("Quillora uses it from its next start.")
                                        : tr("GNOME Shell finds it after your next login."));
}

} // namespace platform::gnome

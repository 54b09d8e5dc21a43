// The desktop's session-bus services as tests need them: a notification server and
// the portal's program chooser. Each call is printed as one line on the standard
// output ("notify SUMMARY|BODY", "open-file PATH ask", "open-uri URI ask"); "ready"
// once both names are owned. Arguments: --no-portal or --no-notifications leave one out.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QFileInfo>
#include <QObject>
#include <QVariantMap>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        say("notify " + summary + "|" + body);
        return ++count_;
    }

private:
    uint count_ = 0;
};

class OpenUri : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.OpenURI")
public slots:
    QDBusObjectPath OpenFile(const QString&, const QDBusUnixFileDescriptor& fd, const QVariantMap& options)
    {
        const QString path = QFileInfo(QString("/proc/self/fd/%1").arg(fd.fileDescriptor())).symLinkTarget();
        say("open-file " + path + (options.value("ask").toBool() ? " ask" : ""));
        return QDBusObjectPath("/org/freedesktop/portal/desktop/request/1");
    }
    QDBusObjectPath OpenURI(const QString&, const QString& uri, const QVariantMap& options)
    {
        say("open-uri " + uri + (options.value("ask").toBool() ? " ask" : ""));
        return QDBusObjectPath("/org/freedesktop/portal/desktop/request/1");
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Notifications notifications;
    OpenUri openUri;
    bool ok = bus.isConnected();
    if (!app.arguments().contains("--no-notifications"))
        ok = ok && bus.registerObject("/org/freedesktop/Notifications", &notifications, QDBusConnection::ExportAllSlots) &&
             bus.registerService("org.freedesktop.Notifications");
    if (!app.arguments().contains("--no-portal"))
        ok = ok && bus.registerObject("/org/freedesktop/portal/desktop", &openUri, QDBusConnection::ExportAllSlots) &&
             bus.registerService("org.freedesktop.portal.Desktop");
    if (!ok) {
        say("no session bus or the names are taken");
        return 1;
    }
    say("ready");
    return app.exec();
}

#include "DesktopServicesStandIn.moc"

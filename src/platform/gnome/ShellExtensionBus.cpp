#include "platform/gnome/ShellExtensionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>

namespace platform::gnome {
namespace {

QDBusMessage methodCall(const char* method)
{
    return QDBusMessage::createMethodCall(ShellExtensionBus::Service, ShellExtensionBus::Path,
                                          ShellExtensionBus::Interface, QString::fromLatin1(method));
}

// The reply's arguments when it has the expected number of them; empty otherwise.
QList<QVariant> replyArguments(const QDBusMessage& reply, int count)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != count)
        return {};
    return reply.arguments();
}

} // namespace

bool ShellExtensionBus::isPresent(const QDBusConnection& bus)
{
    return bus.isConnected() && bus.interface()->isServiceRegistered(Service).value();
}

ShellExtensionBus::ShellExtensionBus(const QDBusConnection& bus) : bus_(bus)
{
    bus_.connect(Service, Path, Interface, "PrimaryChanged", this, SIGNAL(primaryChanged(bool)));
    bus_.connect(Service, Path, Interface, "FocusChanged", this, SIGNAL(focusChanged()));
    bus_.connect(Service, Path, Interface, "ButtonEvent", this,
                 SLOT(onButtonEvent(int, int, uint, bool)));
    presence_ = new QDBusServiceWatcher(Service, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(presence_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                const bool present = !newOwner.isEmpty();
                if (present && watchingButtons_)
                    askToWatchButtons(true);
                emit presenceChanged(present);
                // Another Shell may have another window in front.
                emit focusChanged();
            });
}

std::optional<ShellExtensionBus::Pointer> ShellExtensionBus::pointer()
{
    const auto args = replyArguments(bus_.call(methodCall("GetPointer"), QDBus::Block, CallLimitMs), 3);
    if (args.isEmpty())
        return std::nullopt;
    return Pointer{{args[0].toInt(), args[1].toInt()}, args[2].toUInt()};
}

std::optional<QString> ShellExtensionBus::primaryText()
{
    const auto args = replyArguments(bus_.call(methodCall("GetPrimaryText"), QDBus::Block, TextLimitMs), 1);
    if (args.isEmpty())
        return std::nullopt;
    return args[0].toString();
}

std::optional<ShellExtensionBus::FocusedWindow> ShellExtensionBus::focusedWindow()
{
    const auto args = replyArguments(bus_.call(methodCall("GetFocusedWindow"), QDBus::Block, CallLimitMs), 4);
    if (args.isEmpty())
        return std::nullopt;
    return FocusedWindow{args[0].toULongLong(), args[1].toUInt(), args[2].toString(), args[3].toBool()};
}

void ShellExtensionBus::watchButtons(bool on)
{
    if (on == watchingButtons_)
        return;
    watchingButtons_ = on;
    askToWatchButtons(on);
}

void ShellExtensionBus::askToWatchButtons(bool on)
{
    QDBusMessage call = methodCall("WatchButtons");
    call << on;
    // The reply says nothing: the watch lasts while this connection does.
    bus_.call(call, QDBus::Block, CallLimitMs);
}

void ShellExtensionBus::onButtonEvent(int x, int y, uint button, bool pressed)
{
    emit buttonEvent(ButtonEdge{{x, y}, button, pressed});
}

} // namespace platform::gnome

#include "agenda/notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace agenda {

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
constexpr int ServerDecidesTimeout = -1;
} // namespace

void DBusNotifier::notify(const QString &title, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    call << QStringLiteral("Tickora") << uint(0) << QStringLiteral("tickora") << title << body << QStringList()
         << QVariantMap{{QStringLiteral("category"), QStringLiteral("x-tickora.reminder")}} << ServerDecidesTimeout;
    bus.send(call);
}

} // namespace agenda

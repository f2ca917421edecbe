#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStringList>
#include <QVariantList>

// A session bus of the test's own (dbus-daemon), so that nothing reaches
// the desktop's notification service and nothing depends on it.
class PrivateSessionBus
{
public:
    // Starts the daemon and points DBUS_SESSION_BUS_ADDRESS at it; must run
    // before the process first uses the session bus.
    bool start()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000))
            return false;
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
        return !m_address.isEmpty();
    }
    ~PrivateSessionBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// org.freedesktop.Notifications on its own connection to the bus: keeps
// the arguments of every Notify call.
class NotificationServer : public QDBusVirtualObject
{
public:
    QList<QVariantList> calls;

    bool start(const QString &address)
    {
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address, QStringLiteral("notification-server")));
        return m_bus->isConnected()
            && m_bus->registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this)
            && m_bus->registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~NotificationServer() override
    {
        if (m_bus)
            QDBusConnection::disconnectFromBus(m_bus->name());
    }
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() != u"Notify")
            return false;
        calls << message.arguments();
        connection.send(message.createReply(QVariantList{uint(calls.size())}));
        return true;
    }

private:
    std::unique_ptr<QDBusConnection> m_bus;
};

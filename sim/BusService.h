#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>

// A simulated D-Bus service: its whole object tree under "/" is answered by handleMessage(), and
// it owns the well-known name of the daemon it plays. It never calls a client, so clients may
// block on their calls.
class BusService : public QDBusVirtualObject {
public:
    using QDBusVirtualObject::QDBusVirtualObject;

    // Registers the object tree and takes the name; false with errorString() when not.
    bool start(const QDBusConnection& bus, const QString& name);
    QString errorString() const { return m_error; }

    QString introspect(const QString& path) const override;

protected:
    void reply(const QDBusMessage& message, const QList<QVariant>& arguments = {});
    void fail(const QDBusMessage& message, const QString& name, const QString& text);

    QDBusConnection m_bus{QString()};

private:
    QString m_error;
};

// The simulator program's life: serves on the bus at the address, says "ready" on standard output
// and runs until killed. Returns 1, with the reason on standard error, when it cannot serve.
int ServeUntilKilled(BusService& service, const QString& address, const QString& name,
                     const QString& program);

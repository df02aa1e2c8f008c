#include "BusService.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QTextStream>

bool BusService::start(const QDBusConnection& bus, const QString& name) {
    m_bus = bus;
    if (!m_bus.isConnected()) {
        m_error = QStringLiteral("no bus: ") + m_bus.lastError().message();
        return false;
    }
    if (!m_bus.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath)) {
        m_error = QStringLiteral("the object tree could not be registered");
        return false;
    }
    if (!m_bus.registerService(name)) {
        m_error = QStringLiteral("the name ") + name + QStringLiteral(" is taken: ") +
                  m_bus.lastError().message();
        return false;
    }
    return true;
}

QString BusService::introspect(const QString&) const {
    return QString();
}

void BusService::reply(const QDBusMessage& message, const QList<QVariant>& arguments) {
    m_bus.send(message.createReply(arguments));
}

void BusService::fail(const QDBusMessage& message, const QString& name, const QString& text) {
    m_bus.send(message.createErrorReply(name, text));
}

int ServeUntilKilled(BusService& service, const QString& address, const QString& name,
                     const QString& program) {
    if (!service.start(QDBusConnection::connectToBus(address, program), name)) {
        QTextStream(stderr) << program << ": " << service.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << "ready\n" << Qt::flush;
    return QCoreApplication::exec();
}

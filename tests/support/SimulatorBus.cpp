#include "support/SimulatorBus.h"

#include "ui/EventWait.h"

#include <QDBusConnection>
#include <QDeadlineTimer>

namespace {

PrivateBus* bus = nullptr;
QString busProblem;
const QString ControlConnection = QStringLiteral("control");

class BusEnvironment : public ::testing::Environment {
public:
    explicit BusEnvironment(BusRole role) : m_role(role) {}

    void SetUp() override {
        if (!PrivateBus::daemonAvailable())
            return;
        bus = new PrivateBus;
        if (!bus->start()) {
            busProblem = bus->errorString();
            delete bus;
            bus = nullptr;
            return;
        }
        if (m_role == BusRole::System)
            bus->exportAsSystemBus();
        else
            bus->exportAsSessionBus();
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(ControlConnection);
        delete bus;
        bus = nullptr;
    }

private:
    BusRole m_role;
};

} // namespace

::testing::Environment* UsePrivateBus(BusRole role) {
    return ::testing::AddGlobalTestEnvironment(new BusEnvironment(role));
}

PrivateBus* SimulatorBus() {
    return bus;
}

QString BusProblem() {
    return busProblem;
}

bool StartSimulator(QProcess& process, const QString& program, const QStringList& options) {
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, QStringList{QStringLiteral("--bus"), bus->address()} + options);
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains("ready\n") && !deadline.hasExpired()) {
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        output += process.readAllStandardOutput();
    }
    return output.contains("ready\n");
}

QDBusMessage CallSimulator(const QString& service, const QString& interface, const QString& method,
                           const QVariantList& arguments) {
    QDBusConnection connection = QDBusConnection::connectToBus(bus->address(), ControlConnection);
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/tavelin/simulator"), interface, method);
    call.setArguments(arguments);
    return connection.call(call, QDBus::Block, 5000);
}

bool WaitFor(const std::function<bool()>& done, int limitMs) {
    return RunEventsUntil(done, limitMs, [] { return false; }) ==
           PlatformServices::WaitResult::Done;
}

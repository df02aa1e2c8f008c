#include "BleSimFixture.h"

#include "core/BleGatt.h"
#include "ui/EventWait.h"

#include <QDBusConnection>
#include <QDeadlineTimer>

namespace {

PrivateBus* bus = nullptr;
QString busProblem;

class BusEnvironment : public ::testing::Environment {
public:
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
        bus->exportAsSystemBus();
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("control"));
        delete bus;
        bus = nullptr;
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new BusEnvironment);

} // namespace

PrivateBus* SimulatorBus() {
    return bus;
}

bool WaitFor(const std::function<bool()>& done, int limitMs) {
    return RunEventsUntil(done, limitMs, [] { return false; }) ==
           PlatformServices::WaitResult::Done;
}

void BleSimTest::SetUp() {
    if (!PrivateBus::daemonAvailable())
        GTEST_SKIP() << "dbus-daemon is missing: no private bus for the simulated instrument";
    ASSERT_TRUE(SimulatorBus()) << busProblem.toStdString();
    client = std::make_unique<QtBleClient>();
    log = std::make_unique<BleEventLog>(*client);
    ASSERT_TRUE(client->ClientConfig(QStringLiteral("LogLevel=3")).ok());
}

void BleSimTest::TearDown() {
    log.reset();
    client.reset();
    if (!m_sim)
        return;
    m_sim->kill();
    m_sim->waitForFinished(5000);
}

bool BleSimTest::startSimulator(const QStringList& options) {
    m_sim = std::make_unique<QProcess>();
    m_sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim->start(QStringLiteral(TRANSFER_BLE_SIM),
                 QStringList{QStringLiteral("--bus"), SimulatorBus()->address()} + options);
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains("ready\n") && !deadline.hasExpired()) {
        if (!m_sim->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        output += m_sim->readAllStandardOutput();
    }
    return output.contains("ready\n");
}

QDBusMessage BleSimTest::control(const QString& method, const QVariantList& arguments) {
    QDBusConnection connection =
        QDBusConnection::connectToBus(SimulatorBus()->address(), QStringLiteral("control"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.bluez"), QStringLiteral("/org/tavelin/simulator"),
        QStringLiteral("org.tavelin.BleSimulator"), method);
    call.setArguments(arguments);
    return connection.call(call, QDBus::Block, 5000);
}

QStringList BleSimTest::received() {
    return control(QStringLiteral("Received")).arguments().value(0).toStringList();
}

bool BleSimTest::waitEvent(const QString& prefix, int limitMs) {
    return WaitFor([&] { return log->has(prefix); }, limitMs);
}

void BleSimTest::connectAndDiscover() {
    const QString server = QStringLiteral("C464E3123456");
    ASSERT_TRUE(client->ClientScanStart(QString()).ok());
    ASSERT_TRUE(waitEvent("Advertisement|" + server));
    client->ClientScanStop();
    ASSERT_TRUE(client->ClientConnect(server).ok());
    ASSERT_TRUE(waitEvent("Connected|"));
    ASSERT_EQ(log->matching("Connected|"), QStringList{"Connected|0|OK"});
    ASSERT_TRUE(client
                    ->ClientDiscover(BleGatt::DataService + u',' + BleGatt::CommandService,
                                     QString(), true, QString())
                    .ok());
    ASSERT_TRUE(WaitFor([&] { return log->matching("Discovered|1|").size() == 5; }));
}

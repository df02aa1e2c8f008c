#include "BleSimFixture.h"

#include "core/BleGatt.h"

namespace {

// QtBluetooth's first look at the system bus must find the private one.
[[maybe_unused]] ::testing::Environment* const environment = UsePrivateBus(BusRole::System);

} // namespace

void BleSimTest::SetUp() {
    if (!PrivateBus::daemonAvailable())
        GTEST_SKIP() << "dbus-daemon is missing: no private bus for the simulated instrument";
    ASSERT_TRUE(SimulatorBus()) << BusProblem().toStdString();
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
    return StartSimulator(*m_sim, QStringLiteral(TRANSFER_BLE_SIM), options);
}

QDBusMessage BleSimTest::control(const QString& method, const QVariantList& arguments) {
    return CallSimulator(QStringLiteral("org.bluez"), QStringLiteral("org.tavelin.BleSimulator"),
                         method, arguments);
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

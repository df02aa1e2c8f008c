#pragma once

#include "BleEventLog.h"
#include "link/ble/QtBleClient.h"
#include "sim/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The private bus of this test program: started once before the first test, so QtBluetooth's
// first look at the system bus finds it. Nothing when dbus-daemon is missing.
PrivateBus* SimulatorBus();

// Lets events run until done() holds or limitMs passes; false on time-out.
bool WaitFor(const std::function<bool()>& done, int limitMs = 10000);

// The simulated LE instrument in a process of its own on the private bus and the real client
// talking to it; tests skip where dbus-daemon is missing.
class BleSimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts transfer-ble-sim with the options given (beyond --bus).
    bool startSimulator(const QStringList& options = {});
    // Calls a method of the simulator's control object and returns the reply.
    QDBusMessage control(const QString& method, const QVariantList& arguments = {});
    QStringList received();

    bool waitEvent(const QString& prefix, int limitMs = 10000);
    // Scans, connects and discovers both services, as the connect window does.
    void connectAndDiscover();

    std::unique_ptr<QProcess> m_sim;
    std::unique_ptr<QtBleClient> client;
    std::unique_ptr<BleEventLog> log;
};

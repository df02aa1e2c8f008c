#pragma once

#include "BleEventLog.h"
#include "link/ble/QtBleClient.h"
#include "support/SimulatorBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

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

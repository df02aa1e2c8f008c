#pragma once

#include "support/SimulatorBus.h"

#include <memory>

// The simulated remote-desktop portal in a process of its own on this test program's private
// session bus, which the program's own session bus is pointed at before any test; the session
// is a Wayland one. Tests skip where dbus-daemon is missing.
class PortalSimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts transfer-portal-sim with the options given (beyond --bus).
    bool startPortal(const QStringList& options = {});
    // The portal goes away as when its process dies.
    void killPortal();
    QDBusMessage control(const QString& method, const QVariantList& arguments = {});
    // Every call the portal took, in order.
    QStringList calls();
    // Only the keysym calls, "Keysym 0x.. pressed" and "... released".
    QStringList keysyms();

private:
    std::unique_ptr<QProcess> m_portal;
};

// "Keysym 0x.. pressed" and "Keysym 0x.. released" for each character of the text, Latin-1
// characters having their own number, the line feed being Return.
QStringList KeysymCalls(const QString& text);

#pragma once

#include <QProcess>
#include <QString>

// A D-Bus daemon of our own, standing in for the system bus so a simulated BlueZ can own
// "org.bluez" on it. The daemon ends with this object.
class PrivateBus {
public:
    PrivateBus() = default;
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // False with errorString() set when dbus-daemon is missing or does not come up in time.
    bool start();
    QString address() const { return m_address; }
    QString errorString() const { return m_error; }

    // Points the process's system bus and QtBluetooth's BlueZ backend at this bus. Call before
    // the first Bluetooth or system-bus use of the process.
    void exportAsSystemBus() const;

    static bool daemonAvailable();

private:
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};

#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A D-Bus daemon of our own, standing in for the system bus (a simulated BlueZ owns "org.bluez"
// on it) or the session bus (a simulated desktop portal). It starts no service of the machine on
// request, so a name is owned only by what a test started. The daemon ends with this object.
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
    // Points the process's session bus at this bus. Call before its first session-bus use.
    void exportAsSessionBus() const;

    static bool daemonAvailable();

private:
    QProcess m_daemon;
    QTemporaryDir m_config;
    QString m_address;
    QString m_error;
};

#pragma once

#include "BleInstrument.h"
#include "sim/BusService.h"

#include <QMap>
#include <QString>
#include <QVariantMap>

class QTimer;

// A BlueZ daemon with one adapter and one LE instrument, as far as QtBluetooth's D-Bus backend
// uses it: the object manager at "/", org.bluez.Adapter1, org.bluez.Device1 and the instrument's
// GATT services, characteristics and notification descriptors, with their properties, as
// "org.bluez".
//
// The object "/org/tavelin/simulator" (interface org.tavelin.BleSimulator) steers it: Drop,
// Restore, SetRefuseReads(b), SetResolveServices(b), SetOnlineInterval(i), SendOnline,
// SetMemories(s), Received.
class FakeBluez : public BusService {
    Q_OBJECT
public:
    struct Options {
        QString Name = QStringLiteral("QX Delta-Pro");
        QString Address = QStringLiteral("C4:64:E3:12:34:56");
        qint16 Rssi = -58;
        QList<BleMemory> Memories;
        int OnlineEveryMs = 0;
        bool ResolveServices = true;
        bool RefuseReads = false;
    };

    explicit FakeBluez(const Options& options, QObject* parent = nullptr);

    BleInstrument& instrument() { return m_instrument; }

    // The link drops as when the instrument goes out of range; connecting fails until restore().
    void drop();
    void restore();
    void setRefuseReads(bool refuse) { m_options.RefuseReads = refuse; }
    void setResolveServices(bool resolve) { m_options.ResolveServices = resolve; }
    void setOnlineInterval(int intervalMs);
    // Notifies one online value when the measurement notifications are on; returns its line.
    QString sendOnline();

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    using Interfaces = QMap<QString, QVariantMap>;

    void addGatt();
    QString addObject(const QString& path, const QString& interface, const QVariantMap& properties);
    void setProperty(const QString& path, const QString& interface, const QString& name,
                     const QVariant& value);
    bool handleProperties(const QDBusMessage& message);
    bool handleAdapter(const QDBusMessage& message);
    bool handleDevice(const QDBusMessage& message);
    bool handleCharacteristic(const QDBusMessage& message);
    bool handleDescriptor(const QDBusMessage& message);
    bool handleSimulator(const QDBusMessage& message);
    void advertise();
    void setConnected(bool connected);
    QString roleOf(const QString& charPath) const;
    QString readValue(const QString& charPath);
    void writeValue(const QString& charPath, const QByteArray& value);

    Options m_options;
    BleInstrument m_instrument;
    QMap<QString, Interfaces> m_objects;
    QMap<QString, QString> m_charUuids; // characteristic path -> UUID
    QString m_adapterPath;
    QString m_devicePath;
    bool m_deviceListed = false;
    bool m_dropped = false;
    QTimer* m_onlineTimer;
};

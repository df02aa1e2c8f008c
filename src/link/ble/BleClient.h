#pragma once

#include <QObject>
#include <QString>

// What a client operation says at once: 0 when the call was taken, else why not. Answers that
// come later arrive as events.
struct BleCallResult {
    int Number = 0;
    QString Description;
    bool ok() const { return Number == 0; }
};

// The Bluetooth LE client component: scanning, connecting, GATT discovery, reads, writes and
// notifications, named as the instrument procedures use them.
//
// Servers are named by the 12 hex digits of their address ("C464E3123456"); services and
// characteristics by ids that the Discovered event gives and that stay the same for the same
// service and characteristic when the link returns. Values are the instrument's 8-bit text.
//
// Events are raised from the event loop, never from inside the call that caused them, so their
// handlers may wait for further events.
class BleClient : public QObject {
    Q_OBJECT
public:
    // Numbers of call results and of the Error event.
    enum Failure {
        NoAdapter = 1,    // no Bluetooth adapter, or it is switched off
        NotConnected = 2, // the operation needs a link
        UnknownId = 3,    // no such server, service or characteristic
        BadArgument = 4,  // a setting or server id that cannot be read
        ReadFailed = 5,   // the instrument refused a read
        WriteFailed = 6,  // the instrument refused a write
        SubscribeFailed = 7,
        ConnectFailed = 8, // Connected carries this status when the link did not come up
        ConnectTimedOut = 9,
    };
    // GattType of the Discovered event.
    enum GattType { GattService = 0, GattCharacteristic = 1, GattDescriptor = 2 };

    using QObject::QObject;

    // "LogLevel=3" (0 link changes only .. 3 every step), "AutoDiscoverCharacteristics = true",
    // "AutoDiscoverDescriptors = true", "ConnectTimeout=ms", "DiscoverTimeout=ms".
    virtual BleCallResult ClientConfig(const QString& setting) = 0;
    // Active scanning asks advertisers for their scan response (names).
    virtual void ClientScanOption(bool activeScan) = 0;
    virtual BleCallResult ClientScanStart(const QString& filter) = 0;
    virtual BleCallResult ClientScanStop() = 0;
    virtual BleCallResult ClientConnect(const QString& serverId) = 0;
    virtual BleCallResult ClientDisconnect() = 0;
    // Comma-separated UUID lists; an empty list means all.
    virtual BleCallResult ClientDiscover(const QString& serviceUuids,
                                         const QString& characteristicUuids, bool descriptors,
                                         const QString& descriptorUuids) = 0;
    virtual BleCallResult ClientRead(const QString& serviceId, const QString& characteristicId) = 0;
    virtual BleCallResult ClientWrite(const QString& serviceId, const QString& characteristicId,
                                      const QString& value) = 0;
    virtual BleCallResult ClientWriteNoResponse(const QString& serviceId,
                                                const QString& characteristicId,
                                                const QString& value) = 0;
    virtual BleCallResult ClientSubscribe(const QString& serviceId,
                                          const QString& characteristicId) = 0;
    virtual BleCallResult ClientUnsubscribe(const QString& serviceId,
                                            const QString& characteristicId) = 0;

signals:
    void Advertisement(const QString& ServerId, const QString& Name, int RSSI);
    void StartScan(const QString& ServiceUuids);
    // StatusCode 0 and Description "OK" when the link is up; a Failure number otherwise.
    void Connected(int StatusCode, const QString& Description);
    // Description "OK" when asked for by ClientDisconnect; "Link lost" when the link dropped, after
    // which the client connects again on its own and logs "Link Connected" once it is back.
    void Disconnected(int StatusCode, const QString& Description);
    void Log(int LogLevel, const QString& Message, int LogType);
    void Discovered(int GattType, const QString& ServiceId, const QString& CharacteristicId,
                    const QString& DescriptorId, const QString& Uuid, const QString& Description);
    void Error(int ErrorCode, const QString& Description);
    void WriteResponse(const QString& ServiceId, const QString& CharacteristicId,
                       const QString& DescriptorId, const QString& Uuid,
                       const QString& Description);
    void Subscribed(const QString& ServiceId, const QString& CharacteristicId, const QString& Uuid,
                    const QString& Description);
    void Unsubscribed(const QString& ServiceId, const QString& CharacteristicId,
                      const QString& Uuid, const QString& Description);
    // A read's answer or a notification.
    void Value(const QString& ServiceId, const QString& CharacteristicId,
               const QString& DescriptorId, const QString& Uuid, const QString& Description,
               const QString& value);
};

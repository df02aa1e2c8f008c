#pragma once

#include "link/ble/BleClient.h"

#include <QMap>
#include <QStringList>
#include <functional>

// A client contract fake in the test's own process: every call is recorded as
// "Operation|argument|...", answered by script (which may raise events later, from the event
// loop, as the real client does), and refused where refuse names the operation.
class ScriptedBleClient : public BleClient {
public:
    QStringList calls;
    QMap<QString, BleCallResult> refuse; // by operation name, e.g. "Subscribe"
    std::function<void(const QStringList& call)> script;

    // Raises an event from the event loop.
    void later(std::function<void()> event);

    BleCallResult ClientConfig(const QString& setting) override;
    void ClientScanOption(bool activeScan) override;
    BleCallResult ClientScanStart(const QString& filter) override;
    BleCallResult ClientScanStop() override;
    BleCallResult ClientConnect(const QString& serverId) override;
    BleCallResult ClientDisconnect() override;
    BleCallResult ClientDiscover(const QString& serviceUuids, const QString& characteristicUuids,
                                 bool descriptors, const QString& descriptorUuids) override;
    BleCallResult ClientRead(const QString& serviceId, const QString& characteristicId) override;
    BleCallResult ClientWrite(const QString& serviceId, const QString& characteristicId,
                              const QString& value) override;
    BleCallResult ClientWriteNoResponse(const QString& serviceId, const QString& characteristicId,
                                        const QString& value) override;
    BleCallResult ClientSubscribe(const QString& serviceId,
                                  const QString& characteristicId) override;
    BleCallResult ClientUnsubscribe(const QString& serviceId,
                                    const QString& characteristicId) override;

private:
    BleCallResult call(const QStringList& parts);
};

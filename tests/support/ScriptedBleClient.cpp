#include "support/ScriptedBleClient.h"

void ScriptedBleClient::later(std::function<void()> event) {
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
}

BleCallResult ScriptedBleClient::call(const QStringList& parts) {
    calls.append(parts.join(u'|'));
    if (refuse.contains(parts.first()))
        return refuse.value(parts.first());
    if (script)
        script(parts);
    return {};
}

BleCallResult ScriptedBleClient::ClientConfig(const QString& setting) {
    return call({"Config", setting});
}

void ScriptedBleClient::ClientScanOption(bool activeScan) {
    call({"ScanOption", activeScan ? "true" : "false"});
}

BleCallResult ScriptedBleClient::ClientScanStart(const QString& filter) {
    return call({"ScanStart", filter});
}

BleCallResult ScriptedBleClient::ClientScanStop() {
    return call({"ScanStop"});
}

BleCallResult ScriptedBleClient::ClientConnect(const QString& serverId) {
    return call({"Connect", serverId});
}

BleCallResult ScriptedBleClient::ClientDisconnect() {
    return call({"Disconnect"});
}

BleCallResult ScriptedBleClient::ClientDiscover(const QString& serviceUuids,
                                                const QString& characteristicUuids,
                                                bool descriptors, const QString& descriptorUuids) {
    return call({"Discover", serviceUuids, characteristicUuids, descriptors ? "true" : "false",
                 descriptorUuids});
}

BleCallResult ScriptedBleClient::ClientRead(const QString& serviceId,
                                            const QString& characteristicId) {
    return call({"Read", serviceId, characteristicId});
}

BleCallResult ScriptedBleClient::ClientWrite(const QString& serviceId,
                                             const QString& characteristicId,
                                             const QString& value) {
    return call({"Write", serviceId, characteristicId, value});
}

BleCallResult ScriptedBleClient::ClientWriteNoResponse(const QString& serviceId,
                                                       const QString& characteristicId,
                                                       const QString& value) {
    return call({"WriteNoResponse", serviceId, characteristicId, value});
}

BleCallResult ScriptedBleClient::ClientSubscribe(const QString& serviceId,
                                                 const QString& characteristicId) {
    return call({"Subscribe", serviceId, characteristicId});
}

BleCallResult ScriptedBleClient::ClientUnsubscribe(const QString& serviceId,
                                                   const QString& characteristicId) {
    return call({"Unsubscribe", serviceId, characteristicId});
}

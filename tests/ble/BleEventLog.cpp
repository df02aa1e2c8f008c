#include "BleEventLog.h"

BleEventLog::BleEventLog(BleClient& client) {
    auto add = [this](const QStringList& parts) { m_events.append(parts.join(u'|')); };
    QObject::connect(&client, &BleClient::Advertisement, [add](auto id, auto name, int rssi) {
        add({"Advertisement", id, name, QString::number(rssi)});
    });
    QObject::connect(&client, &BleClient::StartScan, [add](auto) { add({"StartScan"}); });
    QObject::connect(&client, &BleClient::Connected, [add](int status, auto description) {
        add({"Connected", QString::number(status), description});
    });
    QObject::connect(&client, &BleClient::Disconnected, [add](int status, auto description) {
        add({"Disconnected", QString::number(status), description});
    });
    QObject::connect(&client, &BleClient::Log, [add](int, auto message, int) {
        add({"Log", message});
    });
    QObject::connect(&client, &BleClient::Discovered,
                     [add](int type, auto sid, auto cid, auto did, auto uuid, auto) {
                         add({"Discovered", QString::number(type), sid, cid, did, uuid});
                     });
    QObject::connect(&client, &BleClient::Error, [add](int code, auto description) {
        add({"Error", QString::number(code), description});
    });
    QObject::connect(&client, &BleClient::WriteResponse,
                     [add](auto sid, auto cid, auto, auto, auto) {
                         add({"WriteResponse", sid, cid});
                     });
    QObject::connect(&client, &BleClient::Subscribed, [add](auto sid, auto cid, auto, auto) {
        add({"Subscribed", sid, cid});
    });
    QObject::connect(&client, &BleClient::Unsubscribed, [add](auto sid, auto cid, auto, auto) {
        add({"Unsubscribed", sid, cid});
    });
    QObject::connect(&client, &BleClient::Value,
                     [add](auto sid, auto cid, auto, auto, auto, auto value) {
                         add({"Value", sid, cid, value});
                     });
}

QStringList BleEventLog::matching(const QString& prefix) const {
    QStringList found;
    for (const QString& event : m_events)
        if (event.startsWith(prefix))
            found.append(event);
    return found;
}

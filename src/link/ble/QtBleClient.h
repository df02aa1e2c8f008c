#pragma once

#include "link/ble/BleClient.h"

#include <QBluetoothDeviceInfo>
#include <QList>
#include <QLowEnergyService>
#include <QMap>
#include <functional>

class QBluetoothDeviceDiscoveryAgent;
class QLowEnergyController;
class QTimer;

// The client over QtBluetooth: the discovery agent for LE devices, one central controller and a
// service object per wanted service. Service details are discovered without reading values, as
// reads of this instrument's characteristics have effects (a memory block read is gone).
//
// Every phase has a time limit of its own: connecting (the link is up only once the services are
// resolved, which may never happen) and service details (Qt 6.4 can leave a service discovering
// forever). A link that drops without ClientDisconnect is tried again every second until it is
// back or ClientDisconnect is called.
class QtBleClient : public BleClient {
    Q_OBJECT
public:
    static constexpr int DefaultConnectTimeoutMs = 10000;
    static constexpr int DefaultDiscoverTimeoutMs = 3000;
    static constexpr int ReconnectEveryMs = 1000;

    explicit QtBleClient(QObject* parent = nullptr);
    ~QtBleClient() override;

    BleCallResult ClientConfig(const QString& setting) override;
    void ClientScanOption(bool activeScan) override { m_activeScan = activeScan; }
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
    enum class LinkState { Idle, Connecting, Connected, Lost, Restoring, Closing };

    struct ServiceEntry {
        QString Id;
        QLowEnergyService* Service = nullptr;
        bool Known = false; // details discovered
    };
    struct Target {
        QLowEnergyService* Service = nullptr;
        QString ServiceId;
        QLowEnergyCharacteristic Characteristic;
        BleCallResult Failure;
    };

    void post(std::function<void()> event);
    void log(int level, const QString& message);
    void onDeviceSeen(const QBluetoothDeviceInfo& info);
    void makeController();
    void dropController();
    void onConnected();
    void onDisconnected();
    void onControllerError();
    void onConnectTimeout();
    void onServicesListed();
    void onServiceState(ServiceEntry* entry);
    void settleIfAllKnown();
    void onDetailsTimeout();
    void reportService(const ServiceEntry& entry);
    void clearServices();
    void loseLink();
    void tryReconnect();
    Target target(const QString& serviceId, const QString& characteristicId);
    BleCallResult write(const QString& serviceId, const QString& characteristicId,
                        const QString& value, QLowEnergyService::WriteMode mode);
    BleCallResult setNotifications(const QString& serviceId, const QString& characteristicId,
                                   bool on);
    void connectService(ServiceEntry* entry);
    QString characteristicId(const QString& serviceId, const QLowEnergyCharacteristic& c) const;

    QBluetoothDeviceDiscoveryAgent* m_agent = nullptr;
    QLowEnergyController* m_controller = nullptr;
    QTimer* m_connectTimer;
    QTimer* m_detailsTimer;
    QTimer* m_reconnectTimer;
    QMap<QString, QBluetoothDeviceInfo> m_seen; // by server id
    QString m_serverId;
    LinkState m_state = LinkState::Idle;
    QList<QBluetoothUuid> m_wantedServices;
    bool m_discoverWanted = false;
    QList<ServiceEntry*> m_services;
    int m_logLevel = 0;
    bool m_reportCharacteristics = true;
    bool m_reportDescriptors = true;
    bool m_activeScan = false;
    int m_connectTimeoutMs = DefaultConnectTimeoutMs;
    int m_discoverTimeoutMs = DefaultDiscoverTimeoutMs;
};

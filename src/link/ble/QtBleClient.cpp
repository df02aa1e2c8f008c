#include "link/ble/QtBleClient.h"

#include "core/InstrumentText.h"

#include <QBluetoothAddress>
#include <QBluetoothDeviceDiscoveryAgent>
#include <QLowEnergyController>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace {

// Link changes always reach the log; the program watches them.
constexpr int LinkLevel = 0;
constexpr int StepLevel = 3;

QString uuidText(const QBluetoothUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

QString serverIdOf(const QBluetoothAddress& address) {
    return address.toString().remove(u':').toUpper();
}

std::optional<QBluetoothAddress> addressOf(const QString& serverId) {
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    if (!hex.match(serverId).hasMatch())
        return std::nullopt;
    QString text;
    for (int i = 0; i < 12; i += 2)
        text += (i ? QStringLiteral(":") : QString()) + serverId.mid(i, 2);
    return QBluetoothAddress(text);
}

std::optional<bool> readBool(const QString& text) {
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
        text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

BleCallResult failure(int number, const QString& description) {
    return {number, description};
}

} // namespace

QtBleClient::QtBleClient(QObject* parent)
    : BleClient(parent), m_connectTimer(new QTimer(this)), m_detailsTimer(new QTimer(this)),
      m_reconnectTimer(new QTimer(this)) {
    m_connectTimer->setSingleShot(true);
    m_detailsTimer->setSingleShot(true);
    m_reconnectTimer->setSingleShot(true);
    connect(m_connectTimer, &QTimer::timeout, this, &QtBleClient::onConnectTimeout);
    connect(m_detailsTimer, &QTimer::timeout, this, &QtBleClient::onDetailsTimeout);
    connect(m_reconnectTimer, &QTimer::timeout, this, &QtBleClient::tryReconnect);
}

QtBleClient::~QtBleClient() {
    ClientScanStop();
    clearServices();
    if (m_controller) {
        m_controller->disconnect(this);
        m_controller->disconnectFromDevice();
    }
}

void QtBleClient::post(std::function<void()> event) {
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
}

void QtBleClient::log(int level, const QString& message) {
    if (level <= m_logLevel)
        post([this, level, message] { emit Log(level, message, 0); });
}

BleCallResult QtBleClient::ClientConfig(const QString& setting) {
    const qsizetype equals = setting.indexOf(u'=');
    const QString name = setting.left(equals).trimmed();
    const QString value = setting.mid(equals + 1).trimmed();
    bool ok = false;
    if (equals < 0)
        return failure(BadArgument, QStringLiteral("no \"=\" in \"%1\"").arg(setting));
    if (name == QLatin1String("LogLevel")) {
        const int level = value.toInt(&ok);
        if (ok)
            m_logLevel = level;
    } else if (name == QLatin1String("AutoDiscoverCharacteristics") ||
               name == QLatin1String("AutoDiscoverDescriptors")) {
        const std::optional<bool> on = readBool(value);
        ok = on.has_value();
        if (ok)
            (name.endsWith(QLatin1String("Characteristics")) ? m_reportCharacteristics
                                                             : m_reportDescriptors) = *on;
    } else if (name == QLatin1String("ConnectTimeout") ||
               name == QLatin1String("DiscoverTimeout")) {
        const int ms = value.toInt(&ok);
        ok = ok && ms > 0;
        if (ok)
            (name == QLatin1String("ConnectTimeout") ? m_connectTimeoutMs : m_discoverTimeoutMs) =
                ms;
    } else {
        return failure(BadArgument, QStringLiteral("unknown setting \"%1\"").arg(name));
    }
    if (!ok)
        return failure(BadArgument, QStringLiteral("\"%1\" does not fit %2").arg(value, name));
    return {};
}

BleCallResult QtBleClient::ClientScanStart(const QString&) {
    if (!m_agent) {
        m_agent = new QBluetoothDeviceDiscoveryAgent(this);
        m_agent->setLowEnergyDiscoveryTimeout(0);
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this,
                &QtBleClient::onDeviceSeen);
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::deviceUpdated, this,
                [this](const QBluetoothDeviceInfo& info, QBluetoothDeviceInfo::Fields) {
                    onDeviceSeen(info);
                });
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::errorOccurred, this, [this] {
            log(StepLevel, QStringLiteral("Scan error: ") + m_agent->errorString());
        });
    }
    m_agent->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    if (m_agent->error() != QBluetoothDeviceDiscoveryAgent::NoError || !m_agent->isActive())
        return failure(NoAdapter, m_agent->errorString());
    log(StepLevel, QStringLiteral("Scan started"));
    post([this] { emit StartScan(QString()); });
    return {};
}

BleCallResult QtBleClient::ClientScanStop() {
    if (m_agent && m_agent->isActive())
        m_agent->stop();
    return {};
}

void QtBleClient::onDeviceSeen(const QBluetoothDeviceInfo& info) {
    if (!(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration))
        return;
    const QString id = serverIdOf(info.address());
    m_seen[id] = info;
    const QString name = info.name();
    const int rssi = info.rssi();
    post([this, id, name, rssi] { emit Advertisement(id, name, rssi); });
}

void QtBleClient::makeController() {
    dropController();
    QBluetoothDeviceInfo info = m_seen.value(m_serverId);
    if (!info.isValid()) {
        info = QBluetoothDeviceInfo(*addressOf(m_serverId), QString(), 0);
        info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    }
    m_controller = QLowEnergyController::createCentral(info, this);
    connect(m_controller, &QLowEnergyController::connected, this, &QtBleClient::onConnected);
    connect(m_controller, &QLowEnergyController::disconnected, this, &QtBleClient::onDisconnected);
    connect(m_controller, &QLowEnergyController::errorOccurred, this,
            &QtBleClient::onControllerError);
    connect(m_controller, &QLowEnergyController::discoveryFinished, this,
            &QtBleClient::onServicesListed);
}

void QtBleClient::dropController() {
    clearServices();
    if (!m_controller)
        return;
    m_controller->disconnect(this);
    if (m_controller->state() != QLowEnergyController::UnconnectedState)
        m_controller->disconnectFromDevice();
    m_controller->deleteLater();
    m_controller = nullptr;
}

BleCallResult QtBleClient::ClientConnect(const QString& serverId) {
    if (!addressOf(serverId))
        return failure(BadArgument, QStringLiteral("\"%1\" is no server id").arg(serverId));
    m_reconnectTimer->stop();
    m_serverId = serverId.toUpper();
    m_state = LinkState::Connecting;
    makeController();
    log(StepLevel, QStringLiteral("Connecting to ") + m_serverId);
    m_connectTimer->start(m_connectTimeoutMs);
    m_controller->connectToDevice();
    return {};
}

BleCallResult QtBleClient::ClientDisconnect() {
    m_reconnectTimer->stop();
    m_connectTimer->stop();
    m_detailsTimer->stop();
    const LinkState was = m_state;
    m_state = LinkState::Idle;
    if (!m_controller || was == LinkState::Idle)
        return {};
    if (was == LinkState::Connected || was == LinkState::Restoring) {
        // The controller's own signal tells when the link is closed.
        m_state = LinkState::Closing;
        clearServices();
        m_controller->disconnectFromDevice();
        return {};
    }
    dropController();
    log(LinkLevel, QStringLiteral("Link Disconnected ") + m_serverId);
    post([this] { emit Disconnected(0, QStringLiteral("OK")); });
    return {};
}

void QtBleClient::onConnectTimeout() {
    if (m_state != LinkState::Connecting)
        return;
    m_state = LinkState::Idle;
    dropController();
    log(StepLevel, QStringLiteral("Connect timed out"));
    post([this] {
        emit Connected(ConnectTimedOut, QStringLiteral("The instrument did not answer in time"));
    });
}

void QtBleClient::onConnected() {
    if (m_state == LinkState::Connecting) {
        m_connectTimer->stop();
        m_state = LinkState::Connected;
        log(LinkLevel, QStringLiteral("Link Connected ") + m_serverId);
        post([this] { emit Connected(0, QStringLiteral("OK")); });
    } else if (m_state == LinkState::Lost) {
        // Back again: the services come anew before the link counts as restored.
        m_state = LinkState::Restoring;
        m_controller->discoverServices();
        m_detailsTimer->start(m_discoverTimeoutMs);
    }
}

void QtBleClient::onDisconnected() {
    if (m_state == LinkState::Closing) {
        m_state = LinkState::Idle;
        dropController();
        log(LinkLevel, QStringLiteral("Link Disconnected ") + m_serverId);
        post([this] { emit Disconnected(0, QStringLiteral("OK")); });
    } else if (m_state == LinkState::Connected) {
        loseLink();
    } else if (m_state == LinkState::Restoring) {
        m_state = LinkState::Lost;
        m_reconnectTimer->start(ReconnectEveryMs);
    }
}

void QtBleClient::loseLink() {
    m_state = LinkState::Lost;
    m_detailsTimer->stop();
    clearServices();
    post([this] { emit Disconnected(0, QStringLiteral("Link lost")); });
    log(LinkLevel, QStringLiteral("Link Disconnected: out of range or switched off"));
    m_reconnectTimer->start(ReconnectEveryMs);
}

void QtBleClient::tryReconnect() {
    if (m_state != LinkState::Lost)
        return;
    log(StepLevel, QStringLiteral("Trying the link again"));
    makeController();
    m_controller->connectToDevice();
}

void QtBleClient::onControllerError() {
    const QString text = m_controller->errorString();
    switch (m_state) {
    case LinkState::Connecting:
        m_connectTimer->stop();
        m_state = LinkState::Idle;
        dropController();
        post([this, text] { emit Connected(ConnectFailed, text); });
        break;
    case LinkState::Lost:
    case LinkState::Restoring:
        log(StepLevel, QStringLiteral("Link not back yet: ") + text);
        m_state = LinkState::Lost;
        m_reconnectTimer->start(ReconnectEveryMs);
        break;
    default:
        log(StepLevel, QStringLiteral("Link error: ") + text);
        break;
    }
}

BleCallResult QtBleClient::ClientDiscover(const QString& serviceUuids, const QString&, bool,
                                          const QString&) {
    if (m_state != LinkState::Connected)
        return failure(NotConnected, QStringLiteral("not connected"));
    m_wantedServices.clear();
    for (const QString& text : serviceUuids.split(u',', Qt::SkipEmptyParts))
        m_wantedServices.append(QBluetoothUuid(text.trimmed()));
    m_discoverWanted = true;
    clearServices();
    m_detailsTimer->start(m_discoverTimeoutMs);
    if (m_controller->state() == QLowEnergyController::DiscoveredState)
        post([this] { onServicesListed(); });
    else
        m_controller->discoverServices();
    return {};
}

void QtBleClient::onServicesListed() {
    if (!m_controller)
        return;
    if (!m_discoverWanted) {
        settleIfAllKnown();
        return;
    }
    const QList<QBluetoothUuid> offered = m_controller->services();
    const QList<QBluetoothUuid> wanted = m_wantedServices.isEmpty() ? offered : m_wantedServices;
    for (const QBluetoothUuid& uuid : wanted) {
        if (!offered.contains(uuid)) {
            log(StepLevel, QStringLiteral("Service not offered: ") + uuidText(uuid));
            continue;
        }
        auto* entry =
            new ServiceEntry{uuidText(uuid), m_controller->createServiceObject(uuid, this)};
        if (!entry->Service) {
            delete entry;
            continue;
        }
        m_services.append(entry);
        connectService(entry);
        entry->Service->discoverDetails(QLowEnergyService::SkipValueDiscovery);
    }
    settleIfAllKnown();
}

void QtBleClient::connectService(ServiceEntry* entry) {
    QLowEnergyService* service = entry->Service;
    const QString sid = entry->Id;
    connect(service, &QLowEnergyService::stateChanged, this,
            [this, entry] { onServiceState(entry); });
    connect(service, &QLowEnergyService::characteristicRead, this,
            [this, sid](const QLowEnergyCharacteristic& c, const QByteArray& value) {
                const QString cid = characteristicId(sid, c);
                const QString uuid = uuidText(c.uuid());
                const QString text = DecodeInstrumentText(value);
                post([=, this] {
                    emit Value(sid, cid, QString(), uuid, QStringLiteral("Read"), text);
                });
            });
    connect(service, &QLowEnergyService::characteristicChanged, this,
            [this, sid](const QLowEnergyCharacteristic& c, const QByteArray& value) {
                const QString cid = characteristicId(sid, c);
                const QString uuid = uuidText(c.uuid());
                const QString text = DecodeInstrumentText(value);
                post([=, this] {
                    emit Value(sid, cid, QString(), uuid, QStringLiteral("Notification"), text);
                });
            });
    connect(service, &QLowEnergyService::characteristicWritten, this,
            [this, sid](const QLowEnergyCharacteristic& c, const QByteArray&) {
                const QString cid = characteristicId(sid, c);
                const QString uuid = uuidText(c.uuid());
                post([=, this] {
                    emit WriteResponse(sid, cid, QString(), uuid, QStringLiteral("Written"));
                });
            });
    connect(service, &QLowEnergyService::descriptorWritten, this,
            [this, sid, service](const QLowEnergyDescriptor& d, const QByteArray& value) {
                for (const QLowEnergyCharacteristic& c : service->characteristics()) {
                    if (c.clientCharacteristicConfiguration() != d)
                        continue;
                    const QString cid = characteristicId(sid, c);
                    const QString uuid = uuidText(c.uuid());
                    if (value == QLowEnergyCharacteristic::CCCDDisable)
                        post([=, this] {
                            emit Unsubscribed(sid, cid, uuid, QStringLiteral("Unsubscribed"));
                        });
                    else
                        post([=, this] {
                            emit Subscribed(sid, cid, uuid, QStringLiteral("Subscribed"));
                        });
                }
            });
    connect(service, &QLowEnergyService::errorOccurred, this,
            [this, sid](QLowEnergyService::ServiceError error) {
                int number = 0;
                QString what;
                switch (error) {
                case QLowEnergyService::CharacteristicReadError:
                    number = ReadFailed;
                    what = QStringLiteral("The instrument refused a read");
                    break;
                case QLowEnergyService::CharacteristicWriteError:
                    number = WriteFailed;
                    what = QStringLiteral("The instrument refused a write");
                    break;
                case QLowEnergyService::DescriptorWriteError:
                    number = SubscribeFailed;
                    what = QStringLiteral("The instrument refused notifications");
                    break;
                default:
                    log(StepLevel, QStringLiteral("Service %1: error %2").arg(sid).arg(int(error)));
                    return;
                }
                post([=, this] { emit Error(number, what + QStringLiteral(" (") + sid + u')'); });
            });
}

QString QtBleClient::characteristicId(const QString& serviceId,
                                      const QLowEnergyCharacteristic& c) const {
    return serviceId + u'/' + uuidText(c.uuid());
}

void QtBleClient::onServiceState(ServiceEntry* entry) {
    if (entry->Known || entry->Service->state() != QLowEnergyService::RemoteServiceDiscovered)
        return;
    entry->Known = true;
    if (m_state == LinkState::Connected)
        reportService(*entry);
    settleIfAllKnown();
}

void QtBleClient::settleIfAllKnown() {
    if (std::any_of(m_services.cbegin(), m_services.cend(),
                    [](const ServiceEntry* e) { return !e->Known; }))
        return;
    m_detailsTimer->stop();
    if (m_state == LinkState::Restoring) {
        m_state = LinkState::Connected;
        log(LinkLevel, QStringLiteral("Link Connected again ") + m_serverId);
    }
}

void QtBleClient::reportService(const ServiceEntry& entry) {
    const QString sid = entry.Id;
    post([this, sid] {
        emit Discovered(GattService, sid, QString(), QString(), sid, QStringLiteral("Service"));
    });
    if (!m_reportCharacteristics)
        return;
    for (const QLowEnergyCharacteristic& c : entry.Service->characteristics()) {
        const QString cid = characteristicId(sid, c);
        const QString uuid = uuidText(c.uuid());
        post([=, this] {
            emit Discovered(GattCharacteristic, sid, cid, QString(), uuid,
                            QStringLiteral("Characteristic"));
        });
        if (!m_reportDescriptors)
            continue;
        for (const QLowEnergyDescriptor& d : c.descriptors()) {
            const QString duuid = uuidText(d.uuid());
            const QString did = cid + u'/' + duuid;
            post([=, this] {
                emit Discovered(GattDescriptor, sid, cid, did, duuid, QStringLiteral("Descriptor"));
            });
        }
    }
}

void QtBleClient::onDetailsTimeout() {
    for (const ServiceEntry* entry : std::as_const(m_services))
        if (!entry->Known)
            log(StepLevel, QStringLiteral("Service details not received in time: ") + entry->Id);
    if (m_state == LinkState::Restoring) {
        // Try the whole link again rather than live with a service that never settles.
        m_state = LinkState::Lost;
        makeController();
        m_reconnectTimer->start(ReconnectEveryMs);
    }
}

void QtBleClient::clearServices() {
    for (ServiceEntry* entry : std::as_const(m_services)) {
        entry->Service->disconnect(this);
        entry->Service->deleteLater();
        delete entry;
    }
    m_services.clear();
}

QtBleClient::Target QtBleClient::target(const QString& serviceId, const QString& characteristicId) {
    Target t;
    if (m_state != LinkState::Connected) {
        t.Failure = failure(NotConnected, QStringLiteral("not connected"));
        return t;
    }
    for (const ServiceEntry* entry : std::as_const(m_services)) {
        if (entry->Id != serviceId || !entry->Known)
            continue;
        for (const QLowEnergyCharacteristic& c : entry->Service->characteristics()) {
            if (this->characteristicId(serviceId, c) != characteristicId)
                continue;
            t.Service = entry->Service;
            t.ServiceId = serviceId;
            t.Characteristic = c;
            return t;
        }
    }
    t.Failure = failure(
        UnknownId,
        QStringLiteral("no characteristic %1 in service %2").arg(characteristicId, serviceId));
    return t;
}

BleCallResult QtBleClient::ClientRead(const QString& serviceId, const QString& characteristicId) {
    const Target t = target(serviceId, characteristicId);
    if (t.Service)
        t.Service->readCharacteristic(t.Characteristic);
    return t.Failure;
}

BleCallResult QtBleClient::write(const QString& serviceId, const QString& characteristicId,
                                 const QString& value, QLowEnergyService::WriteMode mode) {
    const Target t = target(serviceId, characteristicId);
    if (t.Service)
        t.Service->writeCharacteristic(t.Characteristic, EncodeInstrumentText(value), mode);
    return t.Failure;
}

BleCallResult QtBleClient::ClientWrite(const QString& serviceId, const QString& characteristicId,
                                       const QString& value) {
    return write(serviceId, characteristicId, value, QLowEnergyService::WriteWithResponse);
}

BleCallResult QtBleClient::ClientWriteNoResponse(const QString& serviceId,
                                                 const QString& characteristicId,
                                                 const QString& value) {
    return write(serviceId, characteristicId, value, QLowEnergyService::WriteWithoutResponse);
}

BleCallResult QtBleClient::setNotifications(const QString& serviceId,
                                            const QString& characteristicId, bool on) {
    const Target t = target(serviceId, characteristicId);
    if (!t.Service)
        return t.Failure;
    const QLowEnergyDescriptor cccd = t.Characteristic.clientCharacteristicConfiguration();
    if (!cccd.isValid())
        return failure(UnknownId,
                       QStringLiteral("%1 sends no notifications").arg(characteristicId));
    const bool indicate = !(t.Characteristic.properties() & QLowEnergyCharacteristic::Notify);
    t.Service->writeDescriptor(cccd, !on        ? QLowEnergyCharacteristic::CCCDDisable
                                     : indicate ? QLowEnergyCharacteristic::CCCDEnableIndication
                                                : QLowEnergyCharacteristic::CCCDEnableNotification);
    return {};
}

BleCallResult QtBleClient::ClientSubscribe(const QString& serviceId,
                                           const QString& characteristicId) {
    return setNotifications(serviceId, characteristicId, true);
}

BleCallResult QtBleClient::ClientUnsubscribe(const QString& serviceId,
                                             const QString& characteristicId) {
    return setNotifications(serviceId, characteristicId, false);
}

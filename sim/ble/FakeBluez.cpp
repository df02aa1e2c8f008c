#include "FakeBluez.h"

#include "core/BleGatt.h"
#include "core/InstrumentText.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTimer>

namespace {

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

const QString ObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString Adapter1 = QStringLiteral("org.bluez.Adapter1");
const QString Device1 = QStringLiteral("org.bluez.Device1");
const QString Service1 = QStringLiteral("org.bluez.GattService1");
const QString Char1 = QStringLiteral("org.bluez.GattCharacteristic1");
const QString Desc1 = QStringLiteral("org.bluez.GattDescriptor1");
const QString SimulatorPath = QStringLiteral("/org/tavelin/simulator");
const QString Simulator = QStringLiteral("org.tavelin.BleSimulator");
const QString Cccd = QStringLiteral("00002902-0000-1000-8000-00805f9b34fb");

// Real BlueZ answers a connect after the radio's round trips; clients must not rely on replies
// arriving before their own call returns.
constexpr int ConnectDelayMs = 30;
constexpr int ResolveDelayMs = 30;
constexpr int AdvertiseDelayMs = 50;

QString bluezUuid(const QString& uuid) {
    return uuid.toLower();
}

} // namespace

FakeBluez::FakeBluez(const Options& options, QObject* parent)
    : BusService(parent), m_options(options), m_onlineTimer(new QTimer(this)) {
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
    m_instrument.setMemories(options.Memories);
    connect(m_onlineTimer, &QTimer::timeout, this, [this] { sendOnline(); });
    setOnlineInterval(options.OnlineEveryMs);

    m_adapterPath = addObject(QStringLiteral("/org/bluez/hci0"), Adapter1,
                              {{QStringLiteral("Address"), QStringLiteral("00:1A:7D:DA:71:13")},
                               {QStringLiteral("AddressType"), QStringLiteral("public")},
                               {QStringLiteral("Name"), QStringLiteral("simulated")},
                               {QStringLiteral("Alias"), QStringLiteral("simulated")},
                               {QStringLiteral("Powered"), true},
                               {QStringLiteral("Discoverable"), false},
                               {QStringLiteral("Pairable"), true},
                               {QStringLiteral("Discovering"), false},
                               {QStringLiteral("UUIDs"), QStringList()}});
    m_devicePath =
        m_adapterPath + QStringLiteral("/dev_") + QString(m_options.Address).replace(u':', u'_');
}

QString FakeBluez::addObject(const QString& path, const QString& interface,
                             const QVariantMap& properties) {
    m_objects[path][interface] = properties;
    return path;
}

void FakeBluez::addGatt() {
    struct Char {
        QString Uuid;
        QStringList Flags;
    };
    struct Service {
        QString Uuid;
        QList<Char> Chars;
    };
    const QStringList readWrite{QStringLiteral("read"), QStringLiteral("write")};
    const QList<Service> services{
        {BleGatt::CommandService,
         {{BleGatt::CommandChar, readWrite},
          {BleGatt::TraceChar, {QStringLiteral("read"), QStringLiteral("notify")}}}},
        {BleGatt::DataService,
         {{BleGatt::StorageInfoChar, readWrite},
          {BleGatt::StorageDataChar, {QStringLiteral("read")}},
          {BleGatt::MeasureChar, {QStringLiteral("read"), QStringLiteral("notify")}}}}};
    int handle = 1;
    for (const Service& service : services) {
        const QString servicePath = addObject(
            m_devicePath + QStringLiteral("/service%1").arg(handle++, 4, 16, QChar(u'0')), Service1,
            {{QStringLiteral("UUID"), bluezUuid(service.Uuid)},
             {QStringLiteral("Primary"), true},
             {QStringLiteral("Device"), QVariant::fromValue(QDBusObjectPath(m_devicePath))},
             {QStringLiteral("Includes"), QVariant::fromValue(QList<QDBusObjectPath>())}});
        for (const Char& c : service.Chars) {
            const QString charPath = addObject(
                servicePath + QStringLiteral("/char%1").arg(handle++, 4, 16, QChar(u'0')), Char1,
                {{QStringLiteral("UUID"), bluezUuid(c.Uuid)},
                 {QStringLiteral("Service"), QVariant::fromValue(QDBusObjectPath(servicePath))},
                 {QStringLiteral("Flags"), c.Flags},
                 {QStringLiteral("Value"), QByteArray()},
                 {QStringLiteral("Notifying"), false}});
            m_charUuids[charPath] = c.Uuid;
            if (c.Flags.contains(QLatin1String("notify")))
                addObject(charPath + QStringLiteral("/desc%1").arg(handle++, 4, 16, QChar(u'0')),
                          Desc1,
                          {{QStringLiteral("UUID"), Cccd},
                           {QStringLiteral("Characteristic"),
                            QVariant::fromValue(QDBusObjectPath(charPath))},
                           {QStringLiteral("Value"), QByteArray()}});
        }
    }
}

void FakeBluez::setProperty(const QString& path, const QString& interface, const QString& name,
                            const QVariant& value) {
    QVariantMap& properties = m_objects[path][interface];
    if (properties.value(name) == value && properties.contains(name))
        return;
    properties[name] = value;
    QDBusMessage signal =
        QDBusMessage::createSignal(path, Properties, QStringLiteral("PropertiesChanged"));
    signal << interface << QVariantMap{{name, value}} << QStringList();
    m_bus.send(signal);
}

bool FakeBluez::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    const QString path = message.path();
    const QString interface = message.interface();
    if (path == SimulatorPath)
        return handleSimulator(message);
    if (interface == ObjectManager && message.member() == QLatin1String("GetManagedObjects") &&
        path == QLatin1String("/")) {
        ManagedObjects objects;
        for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it)
            objects.insert(QDBusObjectPath(it.key()), it.value());
        reply(message, {QVariant::fromValue(objects)});
        return true;
    }
    if (!m_objects.contains(path))
        return false;
    if (interface == Properties)
        return handleProperties(message);
    if (interface == Adapter1 && path == m_adapterPath)
        return handleAdapter(message);
    if (interface == Device1 && path == m_devicePath)
        return handleDevice(message);
    if (interface == Char1 && m_charUuids.contains(path))
        return handleCharacteristic(message);
    if (interface == Desc1)
        return handleDescriptor(message);
    return false;
}

bool FakeBluez::handleProperties(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    const QMap<QString, QVariantMap>& interfaces = m_objects[message.path()];
    const QString interface = args.value(0).toString();
    if (!interfaces.contains(interface)) {
        fail(message, QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"), interface);
        return true;
    }
    const QVariantMap& properties = interfaces[interface];
    if (message.member() == QLatin1String("GetAll")) {
        reply(message, {properties});
    } else if (message.member() == QLatin1String("Get")) {
        const QString name = args.value(1).toString();
        if (properties.contains(name))
            reply(message, {QVariant::fromValue(QDBusVariant(properties.value(name)))});
        else
            fail(message, QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
                 QStringLiteral("No such property '%1'").arg(name));
    } else if (message.member() == QLatin1String("Set")) {
        setProperty(message.path(), interface, args.value(1).toString(),
                    args.value(2).value<QDBusVariant>().variant());
        reply(message);
    } else {
        return false;
    }
    return true;
}

bool FakeBluez::handleAdapter(const QDBusMessage& message) {
    const QString member = message.member();
    if (member == QLatin1String("SetDiscoveryFilter")) {
        reply(message);
    } else if (member == QLatin1String("StartDiscovery")) {
        reply(message);
        setProperty(m_adapterPath, Adapter1, QStringLiteral("Discovering"), true);
        QTimer::singleShot(AdvertiseDelayMs, this, &FakeBluez::advertise);
    } else if (member == QLatin1String("StopDiscovery")) {
        reply(message);
        setProperty(m_adapterPath, Adapter1, QStringLiteral("Discovering"), false);
    } else if (member == QLatin1String("RemoveDevice")) {
        reply(message);
    } else {
        return false;
    }
    return true;
}

// Shows the instrument to a discovering adapter: a new device object the first time, a new
// signal strength after that, as an advertisement received again does.
void FakeBluez::advertise() {
    if (!m_objects[m_adapterPath][Adapter1].value(QStringLiteral("Discovering")).toBool())
        return;
    if (m_deviceListed) {
        const qint16 rssi =
            m_objects[m_devicePath][Device1].value(QStringLiteral("RSSI")).value<qint16>();
        setProperty(
            m_devicePath, Device1, QStringLiteral("RSSI"),
            QVariant::fromValue<qint16>(rssi == m_options.Rssi ? rssi - 1 : m_options.Rssi));
        return;
    }
    m_deviceListed = true;
    const QStringList uuids{bluezUuid(BleGatt::CommandService), bluezUuid(BleGatt::DataService)};
    addObject(m_devicePath, Device1,
              {{QStringLiteral("Address"), m_options.Address},
               {QStringLiteral("AddressType"), QStringLiteral("public")},
               {QStringLiteral("Name"), m_options.Name},
               {QStringLiteral("Alias"), m_options.Name},
               {QStringLiteral("Adapter"), QVariant::fromValue(QDBusObjectPath(m_adapterPath))},
               {QStringLiteral("RSSI"), QVariant::fromValue<qint16>(m_options.Rssi)},
               {QStringLiteral("UUIDs"), uuids},
               {QStringLiteral("Paired"), false},
               {QStringLiteral("Trusted"), false},
               {QStringLiteral("Blocked"), false},
               {QStringLiteral("LegacyPairing"), false},
               {QStringLiteral("Connected"), false},
               {QStringLiteral("ServicesResolved"), false}});
    addGatt();
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/"), ObjectManager,
                                                     QStringLiteral("InterfacesAdded"));
    signal << QVariant::fromValue(QDBusObjectPath(m_devicePath))
           << QVariant::fromValue(m_objects[m_devicePath]);
    m_bus.send(signal);
}

bool FakeBluez::handleDevice(const QDBusMessage& message) {
    const QString member = message.member();
    if (member == QLatin1String("Connect")) {
        message.setDelayedReply(true);
        QTimer::singleShot(ConnectDelayMs, this, [this, message] {
            if (m_dropped) {
                fail(message, QStringLiteral("org.bluez.Error.Failed"),
                     QStringLiteral("le-connection-abort-by-local"));
                return;
            }
            setProperty(m_devicePath, Device1, QStringLiteral("Connected"), true);
            reply(message);
            if (m_options.ResolveServices)
                QTimer::singleShot(ResolveDelayMs, this, [this] {
                    if (m_objects[m_devicePath][Device1]
                            .value(QStringLiteral("Connected"))
                            .toBool())
                        setProperty(m_devicePath, Device1, QStringLiteral("ServicesResolved"),
                                    true);
                });
        });
    } else if (member == QLatin1String("Disconnect")) {
        reply(message);
        setConnected(false);
    } else {
        return false;
    }
    return true;
}

void FakeBluez::setConnected(bool connected) {
    if (!connected) {
        for (auto it = m_charUuids.cbegin(); it != m_charUuids.cend(); ++it)
            setProperty(it.key(), Char1, QStringLiteral("Notifying"), false);
        setProperty(m_devicePath, Device1, QStringLiteral("ServicesResolved"), false);
    }
    setProperty(m_devicePath, Device1, QStringLiteral("Connected"), connected);
}

QString FakeBluez::roleOf(const QString& charPath) const {
    return m_charUuids.value(charPath);
}

bool FakeBluez::handleCharacteristic(const QDBusMessage& message) {
    const QString path = message.path();
    const QString member = message.member();
    const bool connected =
        m_objects[m_devicePath][Device1].value(QStringLiteral("Connected")).toBool();
    if (!connected) {
        fail(message, QStringLiteral("org.bluez.Error.NotConnected"),
             QStringLiteral("Not connected"));
        return true;
    }
    if (member == QLatin1String("ReadValue")) {
        if (m_options.RefuseReads) {
            fail(message, QStringLiteral("org.bluez.Error.NotPermitted"),
                 QStringLiteral("Read not permitted"));
            return true;
        }
        const QByteArray value = EncodeInstrumentText(readValue(path));
        m_objects[path][Char1][QStringLiteral("Value")] = value;
        reply(message, {value});
    } else if (member == QLatin1String("WriteValue")) {
        writeValue(path, message.arguments().value(0).toByteArray());
        reply(message);
    } else if (member == QLatin1String("StartNotify") || member == QLatin1String("StopNotify")) {
        reply(message);
        setProperty(path, Char1, QStringLiteral("Notifying"),
                    member == QLatin1String("StartNotify"));
    } else {
        return false;
    }
    return true;
}

bool FakeBluez::handleDescriptor(const QDBusMessage& message) {
    if (message.member() == QLatin1String("ReadValue"))
        reply(message, {m_objects[message.path()][Desc1].value(QStringLiteral("Value"))});
    else if (message.member() == QLatin1String("WriteValue"))
        fail(message, QStringLiteral("org.bluez.Error.NotPermitted"),
             QStringLiteral("Use StartNotify"));
    else
        return false;
    return true;
}

QString FakeBluez::readValue(const QString& charPath) {
    const QString uuid = roleOf(charPath);
    if (uuid == BleGatt::CommandChar)
        return m_instrument.readCommand();
    if (uuid == BleGatt::StorageInfoChar)
        return m_instrument.readStorageInfo();
    if (uuid == BleGatt::StorageDataChar)
        return m_instrument.readStorageData();
    return QString();
}

void FakeBluez::writeValue(const QString& charPath, const QByteArray& value) {
    const QString uuid = roleOf(charPath);
    const QString text = DecodeInstrumentText(value);
    if (uuid == BleGatt::CommandChar)
        m_instrument.writeCommand(text);
    else if (uuid == BleGatt::StorageInfoChar)
        m_instrument.writeStorageInfo(text);
}

void FakeBluez::setOnlineInterval(int intervalMs) {
    m_onlineTimer->stop();
    if (intervalMs > 0)
        m_onlineTimer->start(intervalMs);
}

QString FakeBluez::sendOnline() {
    for (auto it = m_charUuids.cbegin(); it != m_charUuids.cend(); ++it) {
        if (it.value() != BleGatt::MeasureChar ||
            !m_objects[it.key()][Char1].value(QStringLiteral("Notifying")).toBool())
            continue;
        const QString line = m_instrument.nextOnlineLine();
        // A notification carries the value even when it equals the last one.
        m_objects[it.key()][Char1].remove(QStringLiteral("Value"));
        setProperty(it.key(), Char1, QStringLiteral("Value"), EncodeInstrumentText(line));
        return line;
    }
    return QString();
}

void FakeBluez::drop() {
    m_dropped = true;
    setConnected(false);
}

void FakeBluez::restore() {
    m_dropped = false;
}

bool FakeBluez::handleSimulator(const QDBusMessage& message) {
    if (message.interface() != Simulator)
        return false;
    const QString member = message.member();
    const QVariant argument = message.arguments().value(0);
    if (member == QLatin1String("Drop")) {
        drop();
    } else if (member == QLatin1String("Restore")) {
        restore();
    } else if (member == QLatin1String("SetRefuseReads")) {
        setRefuseReads(argument.toBool());
    } else if (member == QLatin1String("SetResolveServices")) {
        setResolveServices(argument.toBool());
    } else if (member == QLatin1String("SetOnlineInterval")) {
        setOnlineInterval(argument.toInt());
    } else if (member == QLatin1String("SendOnline")) {
        reply(message, {sendOnline()});
        return true;
    } else if (member == QLatin1String("SetMemories")) {
        const std::optional<QList<BleMemory>> memories = ParseBleMemories(argument.toString());
        if (!memories) {
            fail(message, QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
                 QStringLiteral("memories are written name:count,name:count"));
            return true;
        }
        m_instrument.setMemories(*memories);
    } else if (member == QLatin1String("Received")) {
        reply(message, {m_instrument.received()});
        return true;
    } else if (member == QLatin1String("MemoryLines")) {
        reply(message, {m_instrument.memoryLines(argument.toInt())});
        return true;
    } else {
        return false;
    }
    reply(message);
    return true;
}

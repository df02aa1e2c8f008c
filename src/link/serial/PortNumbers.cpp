#include "link/serial/PortNumbers.h"

#include "link/serial/PortAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>
#include <algorithm>
#include <tuple>

namespace {

QString systemNameOf(const QString& device) {
    static const QString dev = QStringLiteral("/dev/");
    if (device.startsWith(dev))
        return device.mid(dev.size());
    return QFileInfo(device).fileName();
}

// Name split into its text and trailing number, so ttyUSB2 sorts before ttyUSB10.
struct NameKey {
    bool builtIn;
    QString stem;
    qint64 number;
    QString name;
    bool operator<(const NameKey& other) const {
        return std::tie(builtIn, stem, number, name) <
               std::tie(other.builtIn, other.stem, other.number, other.name);
    }
};

NameKey nameKey(const QString& name) {
    qsizetype digits = name.size();
    while (digits > 0 && name.at(digits - 1).isDigit())
        --digits;
    const QString tail = name.mid(digits, 9);
    return {!name.startsWith(QLatin1String("ttyS")), name.left(digits),
            tail.isEmpty() ? -1 : tail.toLongLong(), name};
}

} // namespace

QString PortsFolder(const QString& appDataPath) {
    return QDir(appDataPath).filePath(QStringLiteral("ports"));
}

std::optional<int> PortNumberFromName(const QString& portName) {
    const QString name = portName.trimmed();
    if (name.size() < 4 || !name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return std::nullopt;
    const QString digits = name.mid(3);
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }) ||
        digits.size() > 4)
        return std::nullopt;
    const int number = digits.toInt();
    if (number < 1 || number > MaxPortNumber)
        return std::nullopt;
    return number;
}

QList<PinnedPort> ReadPinnedPorts(const QString& portsFolder) {
    QList<PinnedPort> pinned;
    if (portsFolder.isEmpty())
        return pinned;
    const QDir folder(portsFolder);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const std::optional<int> number = PortNumberFromName(entry.fileName());
        if (!number)
            continue;
        // A dangling link has no canonical path: the number stays pinned to an absent device.
        pinned.append({*number, entry.canonicalFilePath()});
    }
    return pinned;
}

QList<SystemPort> ReadSystemPorts() {
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.systemLocation(), info.portName(), info.description()});
    return ports;
}

QList<SerialPortEntry> AssignPortNumbers(const QList<PinnedPort>& pinned,
                                         const QList<SystemPort>& system) {
    QList<SerialPortEntry> entries;
    QSet<int> taken;
    QSet<QString> pinnedDevices;
    for (const PinnedPort& pin : pinned) {
        if (taken.contains(pin.Number))
            continue;
        taken.insert(pin.Number);
        if (pin.Device.isEmpty())
            continue;
        pinnedDevices.insert(pin.Device);
        SerialPortEntry entry;
        entry.Number = pin.Number;
        entry.Device = pin.Device;
        entry.SystemName = systemNameOf(pin.Device);
        entry.Pinned = true;
        entries.append(entry);
    }

    QList<SystemPort> unnumbered;
    for (const SystemPort& port : system) {
        const QString canonical = QFileInfo(port.Device).canonicalFilePath();
        if (pinnedDevices.contains(port.Device) || pinnedDevices.contains(canonical))
            continue;
        const std::optional<int> own = PortNumberFromName(port.PortName);
        if (own && !taken.contains(*own)) {
            taken.insert(*own);
            entries.append({*own, {}, port.Device, port.PortName, port.Description});
        } else {
            unnumbered.append(port);
        }
    }
    std::sort(unnumbered.begin(), unnumbered.end(), [](const SystemPort& a, const SystemPort& b) {
        return nameKey(systemNameOf(a.Device)) < nameKey(systemNameOf(b.Device));
    });
    int next = 1;
    for (const SystemPort& port : unnumbered) {
        while (taken.contains(next))
            ++next;
        if (next > MaxPortNumber)
            break;
        taken.insert(next);
        entries.append({next, {}, port.Device, systemNameOf(port.Device), port.Description});
    }

    for (SerialPortEntry& entry : entries)
        entry.Name = QStringLiteral("COM%1").arg(entry.Number);
    std::sort(
        entries.begin(), entries.end(),
        [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.Number < b.Number; });
    return entries;
}

QList<SerialPortEntry> ScanPorts(const QString& portsFolder) {
    QList<SerialPortEntry> entries =
        AssignPortNumbers(ReadPinnedPorts(portsFolder), ReadSystemPorts());
    for (SerialPortEntry& entry : entries)
        entry.Accessible = ProbeAccess(entry.Device).ReadWrite;
    return entries;
}

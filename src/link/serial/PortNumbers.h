#pragma once

#include <QList>
#include <QString>
#include <optional>

// COM numbers for the ports of this computer. On Windows they are the system's own. Elsewhere a
// link "COM<n>" in the ports folder pins number n to the device it leads to; every other system
// port gets the smallest number that is neither pinned nor taken, in a
// fixed order: built-in ports (ttyS*) first, so the first of them is COM1, then the others by
// name with numbers compared as numbers.

// A number pinned by a link; Device is the link's final target, empty when it leads nowhere.
struct PinnedPort {
    int Number = 0;
    QString Device;
};

// A port as the system lists it.
struct SystemPort {
    QString Device;      // path to open, e.g. "/dev/ttyUSB0"
    QString PortName;    // the system's short name, e.g. "ttyUSB0" or "COM7"
    QString Description; // may be empty
};

struct SerialPortEntry {
    int Number = 0;
    QString Name;        // "COM" + Number
    QString Device;      // path to open
    QString SystemName;  // the device below /dev, e.g. "ttyUSB0", "pts/5", "rfcomm0"
    QString Description; // from the system; empty for pinned ports
    bool Pinned = false;
    bool Accessible = false; // this user may read and write the device (filled by ScanPorts)
    bool operator==(const SerialPortEntry&) const = default;
};

constexpr int MaxPortNumber = 999;

// The folder with the COM links: "ports" inside the program's settings folder.
QString PortsFolder(const QString& appDataPath);

// Links and devices named COM<n> (any case) in the folder, n from 1 to MaxPortNumber.
QList<PinnedPort> ReadPinnedPorts(const QString& portsFolder);
QList<SystemPort> ReadSystemPorts();

// Present ports with their numbers, ordered by number. Pinned numbers stay reserved while their
// device is absent, so no other port takes them over; a system port that a link already names
// appears once, under the pinned number.
QList<SerialPortEntry> AssignPortNumbers(const QList<PinnedPort>& pinned,
                                         const QList<SystemPort>& system);

// The ports present now, with access checked.
QList<SerialPortEntry> ScanPorts(const QString& portsFolder);

// The number in a port name "COM<n>" (any case, blanks around allowed), if it is one.
std::optional<int> PortNumberFromName(const QString& portName);

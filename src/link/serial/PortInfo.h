#pragma once

#include "link/serial/PortNumbers.h"

#include <QList>
#include <QString>

// Types of the serial control's port event.
enum PortEventType { PortPlugged = 1, PortUnplugged = 2, PortReady = 11 };

// "BTH " + device for Bluetooth serial ports (rfcomm*), "VCP " + device for the others.
QString PortTypeText(const SerialPortEntry& entry);

// The information text of one port: lines "KEY=value" with the keys NAME, CHECK ("1" when this
// user may open the device, else "0"), TYPE, DEVICE, DESCRIPTION, PINNED and, when CHECK is "0",
// REASON. An absent port gives an empty text, in which every key has an empty value.
QString PortInfoText(const SerialPortEntry& entry, const QString& reason);
QString PortInfoValue(const QString& info, const QString& key);

struct PortChange {
    int Type = 0; // PortEventType
    QString Name;
    bool operator==(const PortChange&) const = default;
};

// What happened between two scans: unplugged ports first, then plugged ones; a port is ready as
// soon as this user may open it, which may be a while after it appeared.
QList<PortChange> PortChanges(const QList<SerialPortEntry>& before,
                              const QList<SerialPortEntry>& after);

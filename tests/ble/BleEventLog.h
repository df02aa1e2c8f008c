#pragma once

#include "link/ble/BleClient.h"

#include <QStringList>

// Every event of a client as one text, "Event|argument|argument|...", in order.
class BleEventLog {
public:
    explicit BleEventLog(BleClient& client);

    const QStringList& events() const { return m_events; }
    // Events that start with prefix.
    QStringList matching(const QString& prefix) const;
    bool has(const QString& prefix) const { return !matching(prefix).isEmpty(); }
    void clear() { m_events.clear(); }

private:
    QStringList m_events;
};

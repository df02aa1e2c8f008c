#pragma once

#include <QString>

// The ids by which the client names the instrument's services and characteristics, kept from
// the Discovered events of a connection; empty until discovery reports them.
struct BleIds {
    QString CommandServiceId;
    QString CommandCharId;
    QString TraceCharId;
    QString DataServiceId;
    QString StorageInfoCharId;
    QString StorageDataCharId;
    QString MeasureCharId;

    // Takes the id of a discovered service (gattType 0) or characteristic (1) whose UUID is one
    // of the instrument's; the service a characteristic lies under plays no part.
    void takeDiscovered(int gattType, const QString& serviceId, const QString& characteristicId,
                        const QString& uuid);
    // Command service and command characteristic are known.
    bool linkServiceReady() const;
    // Data service, storage-info, storage-data and measurement characteristics are known.
    bool dataServiceReady() const;
};

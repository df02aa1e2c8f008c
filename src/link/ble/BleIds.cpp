#include "link/ble/BleIds.h"

#include "core/BleGatt.h"

void BleIds::takeDiscovered(int gattType, const QString& serviceId, const QString& characteristicId,
                            const QString& uuid) {
    if (gattType == 0) {
        if (uuid == BleGatt::CommandService)
            CommandServiceId = serviceId;
        else if (uuid == BleGatt::DataService)
            DataServiceId = serviceId;
        return;
    }
    if (gattType != 1)
        return;
    if (uuid == BleGatt::CommandChar)
        CommandCharId = characteristicId;
    else if (uuid == BleGatt::TraceChar)
        TraceCharId = characteristicId;
    else if (uuid == BleGatt::StorageInfoChar)
        StorageInfoCharId = characteristicId;
    else if (uuid == BleGatt::StorageDataChar)
        StorageDataCharId = characteristicId;
    else if (uuid == BleGatt::MeasureChar)
        MeasureCharId = characteristicId;
}

bool BleIds::linkServiceReady() const {
    return !CommandCharId.isEmpty() && !CommandServiceId.isEmpty();
}

bool BleIds::dataServiceReady() const {
    return !MeasureCharId.isEmpty() && !DataServiceId.isEmpty() && !StorageInfoCharId.isEmpty() &&
           !StorageDataCharId.isEmpty();
}

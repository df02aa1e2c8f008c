#include "support/BleConnect.h"

#include "app/frmTransfer.h"
#include "ble_ui/BLE.h"
#include "ui/EventWait.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

void ConnectThroughBleWindow(frmTransfer& window) {
    QTimer::singleShot(0, &window, [&window] {
        BLE& ble = window.bleWindow();
        ble.cmdScan->click();
        RunEventsUntil([&] { return ble.lbDevices->count() == 1; }, 10000, [] { return false; });
        ble.lbDevices->setCurrentRow(0);
        ble.cmdConnect->click();
    });
    window.cmdConnect->click();
}

#include "link/ble/BleLink.h"
#include "link/ble/QtBleClient.h"
#include "sim/PrivateBus.h"
#include "support/BleConnect.h"
#include "support/TestInstallation.h"
#include "ui/EventWait.h"

#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

bool waitFor(const std::function<bool()>& done) {
    return RunEventsUntil(done, 20000, [] { return false; }) == PlatformServices::WaitResult::Done;
}

// A memory of 5000 values downloaded block by block from the simulated LE instrument through the
// main window's read button, the real QtBluetooth client and the exchange: from the click to the
// table with its statistics. The instrument runs in its own process, so the process's CPU time
// is the program's share.
void BM_BleDownload5000(benchmark::State& state) {
    PrivateBus bus;
    if (!bus.start()) {
        state.SkipWithError("no private D-Bus bus");
        return;
    }
    bus.exportAsSystemBus();
    QProcess sim;
    sim.start(QStringLiteral(TRANSFER_BLE_SIM), {"--bus", bus.address(), "--memories", "1:5000"});
    if (!sim.waitForReadyRead(10000)) {
        state.SkipWithError("simulator did not start");
        return;
    }
    TestInstallation install(QStringLiteral("DPB\r\n"));
    auto w = install.startWith([&](frmTransfer& window) {
        return new BleLink(new QtBleClient, install.platform, window.state().Device);
    });
    ConnectThroughBleWindow(*w);
    if (!w->link().LinkConnected() || w->cmbSpeicher->count() != 1) {
        state.SkipWithError("no link to the simulator");
        return;
    }

    double cpuMs = 0;
    for (auto _ : state) {
        w->MSFlex->setRowCount(0);
        const std::clock_t start = std::clock();
        w->cmdLesen->click();
        cpuMs += 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
        if (w->MSFlex->rowCount() != 5000)
            state.SkipWithError("download incomplete");
    }
    state.counters["cpu_ms_per_value"] = cpuMs / (5000.0 * double(state.iterations()));
    state.SetItemsProcessed(state.iterations() * 5000);
    w->mnuEnd_Click();
    sim.kill();
    sim.waitForFinished();
}
BENCHMARK(BM_BleDownload5000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

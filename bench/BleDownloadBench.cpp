#include "core/BleGatt.h"
#include "link/ble/BleExchange.h"
#include "link/ble/QtBleClient.h"
#include "sim/ble/PrivateBus.h"
#include "support/FakePlatformServices.h"
#include "ui/EventWait.h"

#include <QProcess>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

bool waitFor(const std::function<bool()>& done) {
    return RunEventsUntil(done, 20000, [] { return false; }) == PlatformServices::WaitResult::Done;
}

// A memory of 5000 values downloaded block by block from the simulated LE instrument through
// the real QtBluetooth client and the exchange, from the memory's choice to the last line. The
// instrument runs in its own process, so the process's CPU time is the program's share.
void BM_BleDownload5000(benchmark::State& state) {
    PrivateBus bus;
    if (!bus.start()) {
        state.SkipWithError("no private D-Bus bus");
        return;
    }
    bus.exportAsSystemBus();
    QProcess sim;
    sim.start(QStringLiteral(TRANSFER_BLE_SIM), {"--bus", bus.address(), "--memories", "Big:5000"});
    if (!sim.waitForReadyRead(10000)) {
        state.SkipWithError("simulator did not start");
        return;
    }
    QtBleClient client;
    FakePlatformServices platform;
    DeviceInfo device;
    BleExchange exchange(client, platform, device);
    int discovered = 0;
    bool connected = false;
    QObject::connect(
        &client, &BleClient::Discovered,
        [&](int type, const QString& sid, const QString& cid, const QString&, const QString& uuid) {
            exchange.ids().takeDiscovered(type, sid, cid, uuid);
            discovered += type == 1;
        });
    QObject::connect(&client, &BleClient::Connected, [&](int status) { connected = !status; });
    bool seen = false;
    QObject::connect(&client, &BleClient::Advertisement, [&] { seen = true; });
    client.ClientScanStart(QString());
    waitFor([&] { return seen; });
    client.ClientScanStop();
    client.ClientConnect(QStringLiteral("C464E3123456"));
    waitFor([&] { return connected; });
    client.ClientDiscover(BleGatt::DataService + u',' + BleGatt::CommandService, QString(), true,
                          QString());
    if (!waitFor([&] { return discovered == 5; }) || !exchange.readDirectory().ok()) {
        state.SkipWithError("no link to the simulator");
        return;
    }

    double cpuMs = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        const BleMemoryRead read = exchange.readMemory(
            0, [](int, int) {}, [] { return false; });
        cpuMs += 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
        if (read.Lines.size() != 5000)
            state.SkipWithError("download incomplete");
    }
    state.counters["cpu_ms_per_value"] = cpuMs / (5000.0 * double(state.iterations()));
    state.SetItemsProcessed(state.iterations() * 5000);
    client.ClientDisconnect();
    sim.kill();
    sim.waitForFinished();
}
BENCHMARK(BM_BleDownload5000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

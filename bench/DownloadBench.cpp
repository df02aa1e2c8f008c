#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace {

// A memory download of 5000 values from a simulated instrument over a pseudo-terminal and the
// real serial port: from the request to the last row and the statistics shown. The simulator
// sends as fast as the pseudo-terminal takes it, so this is the program's own share.
void BM_SerialDownload5000(benchmark::State& state) {
    TestInstallation install;
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    QDir().mkpath(appData);
    WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("7\r\n"));
    SimOptions options;
    options.PortsFolder = PortsFolder(appData);
    options.ComNumber = 7;
    options.FeCount = 5000;
    InstrumentSimulator sim;
    if (sim.start(QStringLiteral("DP"), options).isEmpty()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    auto w = install.start();
    w->show();
    w->cmdConnect->click();
    for (auto _ : state) {
        w->cmdLesFE->click();
        if (w->MSFlex->rowCount() != 5000)
            state.SkipWithError("download incomplete");
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_SerialDownload5000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

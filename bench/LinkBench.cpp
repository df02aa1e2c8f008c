#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

// CPU time of the calling thread (the program's window thread) or of the whole process.
double CpuMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// The program waiting for the user with no instrument plugged in, for ten seconds after start-up:
// at the first start, with the port box asking for a port (its text cursor blinks there), and
// with a port chosen earlier. It runs before the other benchmarks, whose busy windows leave
// caches and threads behind in this process; the program has just its one window.
void BM_Idle(benchmark::State& state) {
    TestInstallation install;
    if (state.range(0) == 1) {
        const QString appData =
            install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("7\r\n"));
    }
    auto w = install.start();
    w->show();
    // Start-up is over once the window has painted and the port list has settled.
    QEventLoop settle;
    QTimer::singleShot(1500, &settle, &QEventLoop::quit);
    settle.exec();
    for (auto _ : state) {
        const double before = CpuMs(RUSAGE_SELF);
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["idle_cpu_share"] = (CpuMs(RUSAGE_SELF) - before) / 10000;
    }
}
BENCHMARK(BM_Idle)
    ->ArgName("port_chosen")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

constexpr int WireBytesPerSecond = 3840; // 38400 baud, 10 bits a byte

// A 5000-value memory read at the wire's pace: the simulator runs in a thread of its own and
// writes small chunks to a pseudo-terminal; the program reads it through the real QSerialPort and
// its own Speicher_lesen. wire_share is the window thread's CPU time during the read over the
// wire time; tail_ms the time from the last byte (the end of transmission) to the shown table.
void BM_PacedDownload5000(benchmark::State& state) {
    TestInstallation install;
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    QDir().mkpath(appData);
    WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("7\r\n"));
    SimOptions options;
    options.PortsFolder = PortsFolder(appData);
    options.ComNumber = 7;
    options.FeCount = 3;
    options.BytesPerSecond = WireBytesPerSecond;
    QThread simThread;
    InstrumentSimulator sim;
    sim.moveToThread(&simThread);
    simThread.start();
    QString device;
    QMetaObject::invokeMethod(
        &sim, [&] { device = sim.start(QStringLiteral("DP"), options); },
        Qt::BlockingQueuedConnection);
    if (device.isEmpty()) {
        state.SkipWithError("simulator did not start");
        simThread.quit();
        simThread.wait();
        return;
    }
    auto w = install.start();
    w->show();
    w->cmdConnect->click();
    QMetaObject::invokeMethod(
        &sim, [&] { sim.fillMemories(5000, 0); }, Qt::BlockingQueuedConnection);
    qint64 bytes = 0;
    for (const QString& line : sim.memoryLines(1))
        bytes += line.size() + 2;

    QElapsedTimer clock;
    qint64 lastByteMs = 0;
    QObject::connect(&w->link(), &InstrumentLink::exchangeFinished, w.get(),
                     [&] { lastByteMs = clock.elapsed(); });
    for (auto _ : state) {
        const double cpuBefore = CpuMs(RUSAGE_THREAD);
        clock.start();
        w->cmdLesFE->click();
        const qint64 doneMs = clock.elapsed();
        const double cpu = CpuMs(RUSAGE_THREAD) - cpuBefore;
        if (w->MSFlex->rowCount() != 5000)
            state.SkipWithError("download incomplete");
        const double wireMs = bytes * 1000.0 / WireBytesPerSecond;
        state.counters["wire_share"] = cpu / wireMs;
        state.counters["tail_ms"] = static_cast<double>(doneMs - lastByteMs);
        state.counters["wire_s"] = wireMs / 1000;
    }
    w.reset();
    QMetaObject::invokeMethod(
        &sim, [&] { sim.unplug(); }, Qt::BlockingQueuedConnection);
    simThread.quit();
    simThread.wait();
}
BENCHMARK(BM_PacedDownload5000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Online values one after another through the program's own path (line from the link, table
// row, statistics, "Online.mes" written), measured over 100 values ending at the given row.
void BM_OnlineValue(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    constexpr int Measured = 100;
    TestInstallation install;
    auto w = install.startScripted();
    w->show();
    w->optOnline_Click();
    auto line = [](int i) {
        return InstrumentLine(0, 80 + (i * 37 % 4000) / 100.0, QStringLiteral("µm"),
                              QStringLiteral(" Fe"));
    };
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= rows - Measured; ++i)
            FeedOnline(*w, line(i));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        const double before = CpuMs(RUSAGE_THREAD);
        for (int i = rows - Measured + 1; i <= rows; ++i) {
            FeedOnline(*w, line(i));
            QCoreApplication::processEvents(); // the window paints what it got
        }
        state.counters["cpu_ms_per_value"] = (CpuMs(RUSAGE_THREAD) - before) / Measured;
        if (w->MSFlex->rowCount() != rows)
            state.SkipWithError("values missing");
    }
}
BENCHMARK(BM_OnlineValue)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

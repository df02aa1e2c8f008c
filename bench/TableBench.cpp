#include "core/AcceptanceRules.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace {

QStringList DownloadLines(int count) {
    QRandomGenerator random(7);
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << InstrumentLine(i, 80 + random.bounded(4000) / 100.0, QStringLiteral("µm"),
                                QStringLiteral(" Fe"));
    return lines;
}

void SetLimits(frmTransfer& w) {
    Limits& limits = w.state().Limit;
    limits.MinLimit = 80;
    limits.MaxLimit = 120;
    limits.TargetValue = 100;
    limits.Rule8020 = true;
}

// A memory download of 5000 values: every line through FillMessdaten into the shown table.
void BM_Download5000(benchmark::State& state) {
    TestInstallation install;
    auto w = install.startScripted();
    SetLimits(*w);
    w->show();
    const QStringList lines = DownloadLines(5000);
    for (auto _ : state) {
        FeedDownload(*w, MemoryKind::FE, lines);
        QCoreApplication::processEvents(); // the window paints what it got
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_Download5000)->Unit(benchmark::kMillisecond);

// Rebuilding the shown table from the store, as a memory switch or a row delete does.
void BM_Rebuild5000(benchmark::State& state) {
    TestInstallation install;
    auto w = install.startScripted();
    SetLimits(*w);
    w->show();
    FeedDownload(*w, MemoryKind::FE, DownloadLines(5000));
    for (auto _ : state) {
        w->Reset_Statistic();
        w->FillMSFlexOne();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Rebuild5000)->Unit(benchmark::kMillisecond);

// Opening a saved 5000-value series: reading the .mes file into the FE memory and the table.
void BM_Open5000(benchmark::State& state) {
    TestInstallation install;
    auto w = install.startScripted();
    SetLimits(*w);
    w->show();
    FeedDownload(*w, MemoryKind::FE, DownloadLines(5000));
    const QString path = w->state().MessDataPath + QStringLiteral("/mes/Serie.mes");
    install.platform.fileNames = {path};
    w->cmdSave_Click();
    for (auto _ : state) {
        install.platform.fileNames = {path};
        w->cmdOpen_Click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Open5000)->Unit(benchmark::kMillisecond);

// The last 100 online values of a series of 5000 under a rule (the argument: none, 80/20, 90/10,
// SSPC-PA 2): a rule that judges the series as a whole does so again for every value.
void BM_OnlineUnderRule(benchmark::State& state) {
    constexpr int Rows = 5000;
    constexpr int Measured = 100;
    TestInstallation install;
    auto w = install.startScripted();
    SetLimits(*w);
    ChooseRule(w->state().Limit, static_cast<AcceptanceRule>(state.range(0)));
    w->show();
    w->optOnline_Click();
    const QStringList lines = DownloadLines(Rows);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < Rows - Measured; ++i)
            FeedOnline(*w, lines[i]);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (int i = Rows - Measured; i < Rows; ++i) {
            FeedOnline(*w, lines[i]);
            QCoreApplication::processEvents();
        }
        if (w->MSFlex->rowCount() != Rows)
            state.SkipWithError("values missing");
    }
    state.SetItemsProcessed(state.iterations() * Measured);
}
BENCHMARK(BM_OnlineUnderRule)
    ->Arg(static_cast<int>(AcceptanceRule::None))
    ->Arg(static_cast<int>(AcceptanceRule::Iso8020))
    ->Arg(static_cast<int>(AcceptanceRule::Pspc9010))
    ->Arg(static_cast<int>(AcceptanceRule::SspcPa2))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

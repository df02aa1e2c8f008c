#include "chart/frmChartG.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QChartView>
#include <QRandomGenerator>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

// A main window showing 5000 values against limits and a target, as a download leaves it.
std::unique_ptr<frmTransfer> WindowWith5000(TestInstallation& install) {
    auto w = install.startScripted();
    Limits& limits = w->state().Limit;
    limits.MinLimit = 80;
    limits.MaxLimit = 120;
    limits.TargetValue = 100;
    QRandomGenerator random(7);
    QStringList lines;
    for (int i = 1; i <= 5000; ++i)
        lines << InstrumentLine(i, 80 + random.bounded(4000) / 100.0, QStringLiteral("µm"),
                                QStringLiteral(" Fe"));
    FeedDownload(*w, MemoryKind::FE, lines);
    w->show();
    return w;
}

// Drawing the main chart of 5000 points: chart data, four series and axes. With `painted` the
// chart is also painted once, as the window shows it.
void MainChart(benchmark::State& state, bool painted) {
    TestInstallation install;
    auto w = WindowWith5000(install);
    for (auto _ : state) {
        w->cmdChart_Click();
        if (painted)
            benchmark::DoNotOptimize(w->MSChart1->grab());
        state.PauseTiming();
        w->cmdChart_Click(); // back to the list, so the next click draws again
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}

// The large chart of the same points, lines (four series) or bars (one set).
void LargeChart(benchmark::State& state, bool bars, bool painted) {
    TestInstallation install;
    auto w = WindowWith5000(install);
    w->cmdChart_Click();
    w->cmdGross_Click();
    auto* g = w->findChild<frmChartG*>();
    for (auto _ : state) {
        if (bars)
            g->cmdChartType_Click(); // lines to bars, drawn
        else
            g->DrawLargeChart();
        if (painted)
            benchmark::DoNotOptimize(g->MSChartG->grab());
        if (bars) {
            state.PauseTiming();
            g->cmdChartType_Click(); // back to lines
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}

BENCHMARK_CAPTURE(MainChart, Build5000, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MainChart, BuildAndPaint5000, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LargeChart, Lines5000, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LargeChart, LinesAndPaint5000, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LargeChart, Bars5000, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LargeChart, BarsAndPaint5000, true, true)->Unit(benchmark::kMillisecond);

} // namespace

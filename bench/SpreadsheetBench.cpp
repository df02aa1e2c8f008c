#include "core/SpreadsheetLayout.h"
#include "core/TextTable.h"
#include "export/ExportContext.h"
#include "export/Spreadsheet.h"
#include "support/FakePlatformServices.h"

#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The spreadsheet export of a full memory, from the statistics to the closed workbook file, as a
// click on the button runs it (goal with the chart: under 300 ms).

namespace {

constexpr int Values = 5000;

SpreadsheetInputs FullMemory() {
    SpreadsheetInputs in;
    FillCapabilities(in.Device, QStringLiteral("DP"));
    in.ColumnCaptions = {"14.03.2025", "Nr.", "Messwert", "Messeinheit"};
    in.ChartTitle = "FE-Speicher";
    in.SheetName = "Messwerte";
    in.UserLimits = Limits{80, 120, 100, false, {"120", "80", "100"}};
    StatisticInputs statistics;
    statistics.DecimalsMode = in.Device.DecimalsMode;
    statistics.UserLimits = in.UserLimits;
    for (int i = 1; i <= Values; ++i) {
        MeasurementRecord r;
        r.Number = static_cast<qint16>(i);
        r.Value = 80 + (i * 37 % 4000) / 100.0;
        r.Unit = "µm  ";
        r.Marker = " Fe";
        r.TimeText = QTime(9, 0).addSecs(i).toString("hh:mm:ss");
        r.DateText = "14.03.2025";
        in.Records.push_back(r);
        int index = i;
        AddStatisticValue(in.Stat, r.Value, r.Unit, index, statistics);
    }
    StatisticLines(in.Stat, statistics);
    return in;
}

void ExportFullMemory(benchmark::State& state, bool chart) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FakePlatformServices platform;
    platform.clock = QDateTime(QDate(2025, 3, 14), QTime(9, 0));
    TextTable texts;
    texts.MessageTexts_fuellen(QStringLiteral("Delta-Pro DIVEDADE V4.05"));
    QTemporaryDir folder;
    const SpreadsheetInputs inputs = FullMemory();
    const ExportContext context{
        platform,
        folder.path(),
        texts,
        0,
        QStringLiteral("Delta-Pro DIVEDADE"),
        [](const QString&) { return QStringLiteral("FE-Speicher\r\n\r\nStatistik:\r\n\r\n"); },
        {}};
    for (auto _ : state) {
        platform.answers = {chart ? PlatformServices::Answer::Yes : PlatformServices::Answer::No};
        // A new second each time: every export is a file of its own.
        platform.clock = platform.clock.addSecs(1);
        if (ExportToSpreadsheet(context, inputs).isEmpty())
            state.SkipWithError("export failed");
    }
    state.counters["values"] = Values;
}

} // namespace

BENCHMARK_CAPTURE(ExportFullMemory, with_chart, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportFullMemory, without_chart, false)->Unit(benchmark::kMillisecond);

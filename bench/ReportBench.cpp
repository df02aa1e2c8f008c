#include "core/DeviceInfo.h"
#include "core/MesFile.h"
#include "core/MesReader.h"
#include "core/ReportText.h"

#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Online values arrive about once a second and "Online.mes" is rewritten after each; with a full
// memory of 5000 values, building and writing the file must stay well below that (target 20 ms).

namespace {

ReportInputs FullSeries(const QString& modelCode) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ReportInputs in;
    in.Project.Labels = {"Auftrag", "Kunde", "Ort", "Label", "Label", "Label"};
    in.Project.Fields = {"A-17", "Meyer", "Halle 3", "", "", ""};
    in.Project.Date = QDate(2025, 3, 14);
    in.Project.Time = QTime(9, 30);
    in.MemoryTitle = "Online";
    FillCapabilities(in.Device, modelCode);
    in.StatisticList = {"Online", " ", "Statistik:", " ", "Anzahl            5000"};
    in.FirstUnit = "µm";
    in.UserLimits = {80, 120, 100, false, {"120", "80", "100"}};
    in.ColumnHeaders = {in.Device.StampSource == "-" ? "Datum Zeit" : "14.03.2025", "Nr.",
                        "Messwert"};
    const QDateTime start(QDate(2025, 3, 14), QTime(9, 0));
    static std::vector<MeasurementRecord> records;
    records.clear();
    for (int i = 1; i <= 5000; ++i) {
        MeasurementRecord r;
        r.Number = static_cast<qint16>(i);
        r.Value = 80 + (i * 37 % 4000) / 100.0;
        r.Unit = "µm";
        r.Marker = "NFe";
        r.Stamp = start.addSecs(i);
        r.TimeText = r.Stamp.time().toString("hh:mm:ss");
        r.DateText = "14.03.2025";
        records.push_back(r);
    }
    in.Records = records;
    return in;
}

void BuildReport(benchmark::State& state, const char* modelCode) {
    const ReportInputs in = FullSeries(modelCode);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReportText("A", in));
}

// As the window builds it after each online value: the row texts of the values before are kept.
void BuildReportKeepingRows(benchmark::State& state, const char* modelCode) {
    ReportInputs in = FullSeries(modelCode);
    ReportRowTexts rows;
    in.RowTexts = &rows;
    BuildReportText("A", in);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReportText("A", in));
}

void BuildAndWriteOnlineMes(benchmark::State& state, const char* modelCode) {
    const ReportInputs in = FullSeries(modelCode);
    QTemporaryDir dir;
    const QString path = OnlineMesPath(dir.path());
    for (auto _ : state) {
        if (!WriteMesFile(path, BuildReportText("A", in)).ok)
            state.SkipWithError("write failed");
    }
}

void ReadFullFile(benchmark::State& state, const char* modelCode) {
    const ReportInputs in = FullSeries(modelCode);
    const QByteArray bytes = (BuildReportText("A", in) + "\r\n").toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadMesText(bytes, in.Device));
}

} // namespace

BENCHMARK_CAPTURE(BuildReport, pc_stamped, "DP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildReport, device_stamped, "DPB")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildReportKeepingRows, pc_stamped, "DP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildReportKeepingRows, device_stamped, "DPB")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildAndWriteOnlineMes, pc_stamped, "DP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildAndWriteOnlineMes, device_stamped, "DPB")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFullFile, pc_stamped, "DP")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFullFile, device_stamped, "DPB")->Unit(benchmark::kMillisecond);

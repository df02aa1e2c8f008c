#include "core/ReportText.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class ReportTextTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(m_savedLocale); }

private:
    QLocale m_savedLocale;
};

MeasurementRecord Record(int number, double value, const QString& unit, const QString& marker,
                         const QString& time) {
    MeasurementRecord record;
    record.Number = static_cast<qint16>(number);
    record.Value = value;
    record.Unit = unit;
    record.Marker = marker;
    record.TimeText = time;
    record.DateText = QStringLiteral("14.03.2025");
    return record;
}

MeasurementRecord Stamped(int number, double value, const QString& unit, const QString& marker,
                          const QDateTime& stamp) {
    MeasurementRecord record = Record(number, value, unit, marker, QString());
    record.Stamp = stamp;
    return record;
}

// A coating gauge stamped by the PC, FE memory, German, with project header, limits and target.
ReportInputs GermanFeReport() {
    ReportInputs in;
    in.Project.Labels = {"Auftrag", "Kunde", "Label", "Label", "Label", "Label"};
    in.Project.Fields = {"A-17", " ", "", "Brücke Nord", "", ""};
    in.Project.Date = QDate(2025, 3, 14);
    in.Project.Time = QTime(9, 30, 45);
    in.MemoryTitle = "FE-Speicher";
    in.LanguageIndex = 0;
    FillCapabilities(in.Device, "DP");
    in.StatisticList = {"FE-Speicher",
                        " ",
                        "Statistik:",
                        " ",
                        "Anzahl               3",
                        "Minimum           95,4   µm",
                        "Maximum            123   µm"};
    in.FirstUnit = "µm";
    in.UserLimits.MinLimit = 80;
    in.UserLimits.MaxLimit = 120;
    in.UserLimits.TargetValue = 100;
    in.UserLimits.LimitTexts = {"120", "80", "100"};
    in.ColumnHeaders = {"14.03.2025", "Nr.", "Messwert"};
    static const std::vector<MeasurementRecord> records = {
        Record(1, 95.4, "µm", " Fe", "09:15:02"), Record(2, 123.45, "µm", " Fe", "09:15:10"),
        Record(3, 101, "µm", " Fe", "09:16:00")};
    in.Records = records;
    return in;
}

TEST_F(ReportTextTest, FullReportWithProjectHeaderLimitsAndTarget) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString expected = "#  14.03.2025 09:30\r\n"
                             "#  Auftrag A-17\r\n"
                             "#  Label Brücke Nord\r\n"
                             "\r\n"
                             "FE-Speicher\r\n"
                             "\r\n"
                             "Statistik:\r\n"
                             "\r\n"
                             "Anzahl               3\r\n"
                             "Minimum           95,4   µm\r\n"
                             "Maximum            123   µm\r\n"
                             "Min Limit              80 µm\r\n"
                             "Max Limit             120 µm\r\n"
                             "Sollwert              100 µm\r\n"
                             "\r\n"
                             "14.03.2025       Nr.      Messwert\r\n"
                             "\r\n"
                             "09:15:02          1        95,4 µm    Fe\r\n"
                             "09:15:10          2         123 µm    Fe\r\n"
                             "09:16:00          3         101 µm    Fe\r\n";
    EXPECT_EQ(BuildReportText("A", GermanFeReport()), expected);
}

TEST_F(ReportTextTest, FullReportWithoutProjectHeaderOrLimits) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ReportInputs in;
    in.Project.Fields = {"", " ", "", "", "", ""}; // a single blank counts as empty
    in.MemoryTitle = "Online";
    in.LanguageIndex = 1;
    FillCapabilities(in.Device, "DPB");
    in.Device.SignMode = "-";
    in.Device.MemoryLayout = "2N";
    in.AbsoluteValues = true;
    in.StatisticList = {"Online", " ", "Statistics:  with absolute values", " ",
                        "Count                2"};
    in.FirstUnit = "mi  ";
    in.ColumnHeaders = {"Date Time", "No.", "Value"};
    const std::vector<MeasurementRecord> records = {
        Stamped(1, 4.567, "mi  ", "A1", QDateTime(QDate(2025, 3, 14), QTime(9, 15, 2))),
        Stamped(12, -12.34, "mi  ", "", QDateTime(QDate(2025, 3, 14), QTime(9, 16, 40)))};
    in.Records = records;
    const QString expected = "Online\r\n"
                             "\r\n"
                             "Statistics:  with absolute values\r\n"
                             "\r\n"
                             "Count                2\r\n"
                             "\r\n"
                             "Date Time                  No.      Value   Material\r\n"
                             "\r\n"
                             "14/03/2025 09:15:02          1        4.57 mi    A1\r\n"
                             "14/03/2025 09:16:40         12      -12.34 mi    \r\n";
    EXPECT_EQ(BuildReportText("A", in), expected);
}

TEST_F(ReportTextTest, ShortModeEndsAfterTheStatisticsHeading) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString expected = "#  14.03.2025 09:30\r\n"
                             "#  Auftrag A-17\r\n"
                             "#  Label Brücke Nord\r\n"
                             "\r\n"
                             "FE-Speicher\r\n"
                             "\r\n"
                             "Statistik:\r\n"
                             "\r\n";
    EXPECT_EQ(BuildReportText("P", GermanFeReport()), expected);
}

TEST_F(ReportTextTest, OtherModesGiveNoText) {
    EXPECT_TRUE(BuildReportText("", GermanFeReport()).isEmpty());
    EXPECT_TRUE(BuildReportText("a", GermanFeReport()).isEmpty());
    EXPECT_TRUE(BuildReportText("AP", GermanFeReport()).isEmpty());
}

TEST_F(ReportTextTest, MinimumAloneStillPrintsBothLimitLinesAndNoTarget) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ReportInputs in = GermanFeReport();
    in.UserLimits.MinLimit = 80;
    in.UserLimits.MaxLimit = 0;
    in.UserLimits.TargetValue = 0;
    in.UserLimits.LimitTexts = {"0", "80", "0"};
    const QString text = BuildReportText("A", in);
    EXPECT_TRUE(text.contains("Maximum            123   µm\r\n"
                              "Min Limit              80 µm\r\n"
                              "Max Limit               0 µm\r\n"
                              "\r\n"
                              "14.03.2025"));
    EXPECT_FALSE(text.contains("Sollwert"));
}

TEST_F(ReportTextTest, TargetAloneInEnglishPrintsOnlyTheTargetLine) {
    ReportInputs in = GermanFeReport();
    in.LanguageIndex = 1;
    in.UserLimits.MinLimit = 0;
    in.UserLimits.MaxLimit = 0;
    in.UserLimits.TargetValue = 12.5;
    in.UserLimits.LimitTexts = {"", "", "12.5"};
    const QString text = BuildReportText("A", in);
    EXPECT_TRUE(text.contains("\r\nTarget value         12.5 µm\r\n"));
    EXPECT_FALSE(text.contains("Limit"));
    EXPECT_TRUE(text.contains("\r\nStatistics:\r\n"));
}

TEST_F(ReportTextTest, WithoutProjectTextsTheReportBeginsWithTheTitle) {
    ReportInputs in = GermanFeReport();
    in.Project.Fields = {" ", "", " ", "", "", " "};
    EXPECT_TRUE(BuildReportText("A", in).startsWith("FE-Speicher\r\n\r\nStatistik:\r\n"));
    EXPECT_TRUE(BuildReportText("P", in).startsWith("FE-Speicher\r\n"));
}

TEST_F(ReportTextTest, AbsoluteHeadingOnlyForSignedInstruments) {
    ReportInputs in = GermanFeReport();
    in.AbsoluteValues = true;
    EXPECT_TRUE(BuildReportText("P", in).endsWith("\r\nStatistik:\r\n\r\n")); // sign mode "+"
    in.Device.SignMode = "-";
    EXPECT_TRUE(BuildReportText("P", in).endsWith("\r\nStatistik:  mit Absolutwerten\r\n\r\n"));
    in.AbsoluteValues = false;
    EXPECT_TRUE(BuildReportText("P", in).endsWith("\r\nStatistik:\r\n\r\n"));
}

TEST_F(ReportTextTest, RowsStopAtTheEndOfTheSeries) {
    ReportInputs in = GermanFeReport();
    std::vector<MeasurementRecord> records(in.Records.begin(), in.Records.end());
    records.insert(records.begin() + 2, MeasurementRecord{});
    in.Records = records;
    const QString text = BuildReportText("A", in);
    EXPECT_TRUE(text.endsWith("09:15:10          2         123 µm    Fe\r\n"));
    EXPECT_FALSE(text.contains("09:16:00"));
}

TEST_F(ReportTextTest, StoreSlotsAreTheRecordsThemselvesFromSlotOne) {
    MeasurementStore store;
    store.at(MemoryKind::NFE, 1) = Record(1, 10, "µm", "NFe", "10:00:00");
    store.at(MemoryKind::NFE, 3) = Record(3, 12, "µm", "NFe", "10:00:02");
    const std::span<const MeasurementRecord> series = store.Slots(MemoryKind::NFE, 3);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(&series[0], &store.at(MemoryKind::NFE, 1));
    EXPECT_EQ(series[2].Value, 12);
    EXPECT_EQ(store.Slots(MemoryKind::Online, 9000).size(), 5000u);
    EXPECT_TRUE(store.Slots(MemoryKind::FE, 0).empty());
    EXPECT_TRUE(store.Slots(MemoryKind::Identification, 2).empty());
}

TEST_F(ReportTextTest, SeriesRecordsTakesSlotsUpToTheFirstEmptyOne) {
    MeasurementStore store;
    store.at(MemoryKind::NFE, 1) = Record(1, 10, "µm", "NFe", "10:00:00");
    store.at(MemoryKind::NFE, 2) = Record(2, 11, "µm", "NFe", "10:00:01");
    store.at(MemoryKind::NFE, 4) = Record(4, 13, "µm", "NFe", "10:00:03");
    const std::vector<MeasurementRecord> records = SeriesRecords(store, MemoryKind::NFE);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Value, 11);
    EXPECT_TRUE(SeriesRecords(store, MemoryKind::FE).empty());
}

} // namespace

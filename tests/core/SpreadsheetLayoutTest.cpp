#include "core/SpreadsheetLayout.h"
#include "core/ScopedLocale.h"

#include <gtest/gtest.h>

namespace {

MeasurementRecord Record(int number, double value) {
    const QString time = QStringLiteral("09:15:%1").arg(number, 2, 10, QLatin1Char('0'));
    return {static_cast<qint16>(number), value, "µm", " Fe", {}, time, "14.03.2025"};
}

// A coating gauge of model "DP" (one decimal for µm, markers), German, as the main window hands
// it over: the report header in mode "P" and the statistics of the values.
SpreadsheetInputs Inputs(const std::vector<double>& values, const QString& modelCode = "DP") {
    SpreadsheetInputs in;
    in.HeaderText = "#  14.03.2025 09:30\r\n#  Auftrag A-17\r\n\r\nFE-Speicher\r\n\r\n"
                    "Statistik:\r\n\r\n";
    FillCapabilities(in.Device, modelCode);
    in.ColumnCaptions = {"14.03.2025", "Nr.", "Messwert", "Messeinheit"};
    in.ChartTitle = "FE-Speicher";
    in.SheetName = "Messwerte";
    StatisticInputs statInputs;
    statInputs.AbsoluteValues = false;
    statInputs.DecimalsMode = in.Device.DecimalsMode;
    int index = 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        in.Records.push_back(Record(static_cast<int>(i) + 1, values[i]));
        index = static_cast<int>(i) + 1;
        AddStatisticValue(in.Stat, values[i], "µm", index, statInputs);
    }
    StatisticLines(in.Stat, statInputs);
    return in;
}

const SheetCell* Cell(const SpreadsheetLayout& layout, const QString& address) {
    for (const SheetCell& c : layout.Cells)
        if (ZellAdresse(c.Row, c.Column) == address)
            return &c;
    return nullptr;
}

QString Text(const SpreadsheetLayout& layout, int row, int column) {
    const SheetCell* c = Cell(layout, ZellAdresse(row, column));
    return c != nullptr && c->Type == SheetCell::Kind::Text ? c->Text : QString();
}

double Number(const SpreadsheetLayout& layout, int row, int column) {
    const SheetCell* c = Cell(layout, ZellAdresse(row, column));
    EXPECT_TRUE(c != nullptr && c->Type == SheetCell::Kind::Number)
        << ZellAdresse(row, column).toStdString();
    return c != nullptr ? c->Number : 0;
}

QStringList ColumnA(const SpreadsheetLayout& layout, int from, int to) {
    QStringList texts;
    for (int r = from; r <= to; ++r)
        texts << Text(layout, r, 1);
    return texts;
}

TEST(SpreadsheetLayout, AddressesCountColumnsInLetters) {
    EXPECT_EQ(ZellAdresse(1, 1), "A1");
    EXPECT_EQ(ZellAdresse(12, 26), "Z12");
    EXPECT_EQ(ZellAdresse(5011, 27), "AA5011");
    EXPECT_EQ(ZellAdresse(3, 28), "AB3");
    EXPECT_EQ(ZellAdresse(1, 702), "ZZ1");
    EXPECT_EQ(ZellAdresse(1, 703), "AAA1");
    EXPECT_EQ(AbsoluteAddress(12, 3), "$C$12");
}

TEST(SpreadsheetLayout, ThreeValuesWithChartFillHeaderStatisticsAndRows) {
    const ScopedLocale german(QLocale::German, QLocale::Germany);
    const SpreadsheetLayout layout = BuildSpreadsheetLayout(Inputs({95.44, 123.45, 101}), true);

    // Seven header lines; the empty piece after the last CR LF is not written.
    EXPECT_EQ(layout.StatisticsRow, 8);
    EXPECT_EQ(ColumnA(layout, 1, 7), QStringList({"#  14.03.2025 09:30", "#  Auftrag A-17", "",
                                                  "FE-Speicher", "", "Statistik:", ""}));
    EXPECT_EQ(ColumnA(layout, 8, 13), QStringList({"Anzahl", "Minimum", "Maximum", "Mittelwert",
                                                   "Std.Abw.", "Regel 80/20 ok:"}));
    EXPECT_EQ(Number(layout, 8, 2), 3);
    EXPECT_EQ(Cell(layout, "B8")->Format, CellFormat::Count);
    // DecimalsMode 2 of this model: two decimals for the statistics.
    EXPECT_DOUBLE_EQ(Number(layout, 9, 2), 95.44);
    EXPECT_DOUBLE_EQ(Number(layout, 11, 2), 106.63);
    EXPECT_EQ(Text(layout, 9, 3), "µm");
    for (int r = 9; r <= 16; ++r)
        EXPECT_EQ(Cell(layout, ZellAdresse(r, 2))->Format, CellFormat::TwoDecimals) << r;

    // Two empty rows, the captions, an empty row, the values.
    EXPECT_EQ(layout.CaptionRow, 16);
    EXPECT_EQ(ColumnA(layout, 14, 15), QStringList({"", ""}));
    EXPECT_EQ(Text(layout, 16, 1), "14.03.2025");
    EXPECT_EQ(Text(layout, 16, 4), "Messeinheit");
    EXPECT_EQ(Text(layout, 16, 5), "Material");
    EXPECT_EQ(Cell(layout, "A17"), nullptr);
    EXPECT_EQ(Text(layout, 18, 1), " 09:15:01");
    EXPECT_EQ(Text(layout, 18, 2), "   1");
    // The value as the table shows it: µm above 100 without decimals.
    EXPECT_DOUBLE_EQ(Number(layout, 18, 3), 95.4);
    EXPECT_DOUBLE_EQ(Number(layout, 19, 3), 123);
    EXPECT_EQ(Cell(layout, "C18")->Format, CellFormat::TwoDecimals);
    EXPECT_EQ(Text(layout, 20, 5), "Fe");
    EXPECT_EQ(Cell(layout, "A21"), nullptr);

    ASSERT_TRUE(layout.Chart);
    EXPECT_EQ(layout.Chart->FirstRow, 18);
    EXPECT_EQ(layout.Chart->LastRow, 20);
    ASSERT_EQ(layout.Chart->Series.size(), 2u);
    EXPECT_EQ(layout.Chart->Series[0].Column, 3);
    const ChartSeries& mean = layout.Chart->Series[1];
    EXPECT_EQ(mean.Name, "Mittelwert");
    EXPECT_EQ(mean.Dash, LineDash::SystemDot);
    EXPECT_EQ(mean.Colour, (Rgb{0, 0, 205}));
    // The mean line stands in a hidden column, each row the mean as column B shows it.
    EXPECT_EQ(layout.HiddenColumns, std::vector<int>{mean.Column});
    for (int r = 18; r <= 20; ++r)
        EXPECT_DOUBLE_EQ(Number(layout, r, mean.Column), 106.63);
}

TEST(SpreadsheetLayout, TwoValuesHaveNoDeviationRowAndNoChartColumnsWithoutChart) {
    const SpreadsheetLayout layout = BuildSpreadsheetLayout(Inputs({10, 12}), false);
    EXPECT_EQ(ColumnA(layout, 8, 12),
              QStringList({"Anzahl", "Minimum", "Maximum", "Mittelwert", "Regel 80/20 ok:"}));
    EXPECT_EQ(layout.CaptionRow, 15);
    EXPECT_FALSE(layout.Chart);
    EXPECT_TRUE(layout.HiddenColumns.empty());
}

TEST(SpreadsheetLayout, LimitsAndTargetAddRowsAndLinesInOrder) {
    SpreadsheetInputs in = Inputs({150, 120, 90});
    in.UserLimits = Limits{0, 200, 0, false, {"200", "0", "0"}};
    SpreadsheetLayout layout = BuildSpreadsheetLayout(in, true);
    EXPECT_EQ(ColumnA(layout, 13, 15), QStringList({"Regel 80/20 ok:", "Min Limit", "Max Limit"}));
    EXPECT_EQ(Number(layout, 14, 2), 0);
    EXPECT_EQ(Number(layout, 15, 2), 200);
    ASSERT_TRUE(layout.Chart);
    ASSERT_EQ(layout.Chart->Series.size(), 4u);
    EXPECT_EQ(layout.Chart->Series[2].Name, "Maximum");
    EXPECT_EQ(layout.Chart->Series[3].Name, "Minimum");
    EXPECT_EQ(layout.Chart->Series[3].Dash, LineDash::Dash);
    // The lower line at 0 is drawn all the same.
    EXPECT_EQ(Number(layout, layout.Chart->FirstRow, layout.Chart->Series[3].Column), 0);

    in.UserLimits = Limits{0, 0, 100.456, false, {"0", "0", "100,456"}};
    in.LanguageIndex = 1;
    layout = BuildSpreadsheetLayout(in, true);
    EXPECT_EQ(Text(layout, 14, 1), "Target value");
    EXPECT_DOUBLE_EQ(Number(layout, 14, 2), 100.46);
    ASSERT_EQ(layout.Chart->Series.size(), 3u);
    const ChartSeries& target = layout.Chart->Series[2];
    EXPECT_EQ(target.Name, "Target value");
    EXPECT_EQ(target.Colour, (Rgb{238, 44, 44}));
    EXPECT_EQ(layout.Chart->CategoryAxisTitle, "Count");
}

TEST(SpreadsheetLayout, MixedUnitsGiveThreeLinesAndNoChart) {
    SpreadsheetInputs in = Inputs({10, 12, 14});
    in.Records[1].Unit = "mils";
    in.Stat.UnitsDiffer = true;
    EXPECT_FALSE(ChartPossible(in));
    const SpreadsheetLayout layout = BuildSpreadsheetLayout(in, true);
    EXPECT_EQ(ColumnA(layout, 8, 14), QStringList({" Statistik nicht möglich,", " da verschiedene",
                                                   " Messeinheiten ", "", "", "", ""}));
    EXPECT_EQ(layout.CaptionRow, 15);
    EXPECT_EQ(Text(layout, 18, 4), "mils");
    EXPECT_FALSE(layout.Chart);
    // The number formats of column B are set all the same, on empty cells.
    EXPECT_EQ(Cell(layout, "B8")->Format, CellFormat::Count);
    EXPECT_EQ(Cell(layout, "B9")->Type, SheetCell::Kind::Blank);
}

TEST(SpreadsheetLayout, BleDatesAbsoluteValuesAndNoValues) {
    SpreadsheetInputs in = Inputs({-12.5, 3}, "DPB");
    in.Device.LinkKind = "L";
    in.AbsoluteValues = true;
    StatisticInputs statInputs;
    statInputs.AbsoluteValues = true;
    in.Stat = StatisticState();
    int index = 1;
    AddStatisticValue(in.Stat, -12.5, "µm", index, statInputs);
    index = 2;
    AddStatisticValue(in.Stat, 3, "µm", index, statInputs);
    SpreadsheetLayout layout = BuildSpreadsheetLayout(in, false);
    const int first = layout.CaptionRow + 2;
    EXPECT_EQ(Text(layout, first, 1), " 14.03.2025 09:15:01");
    EXPECT_DOUBLE_EQ(Number(layout, first, 3), 12.5);
    EXPECT_DOUBLE_EQ(Number(layout, 9, 2), 3);     // minimum of the magnitudes
    EXPECT_DOUBLE_EQ(Number(layout, 10, 2), 12.5); // maximum

    // An empty table: the count 0 and no made-up minimum or maximum; nothing to chart.
    in = Inputs({});
    EXPECT_FALSE(ChartPossible(in));
    layout = BuildSpreadsheetLayout(in, true);
    EXPECT_EQ(Number(layout, 8, 2), 0);
    EXPECT_EQ(Text(layout, 9, 1), "Minimum");
    EXPECT_EQ(Cell(layout, "C9"), nullptr);
    EXPECT_EQ(Cell(layout, "B9")->Type, SheetCell::Kind::Blank);
    EXPECT_FALSE(layout.Chart);
}

} // namespace

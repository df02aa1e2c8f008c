#include "core/QStringPrinter.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor Green(158, 232, 155);
const QColor Red(239, 162, 162);
const QColor Orange(242, 180, 123);
const QColor Grey(204, 204, 204);

QString Cell(const frmTransfer& w, int row, int column) {
    const QTableWidgetItem* item = w.MSFlex->item(row, column);
    return item != nullptr ? item->text() : QString();
}

QColor Colour(const frmTransfer& w, int row, int column) {
    return w.MSFlex->item(row, column)->background().color();
}

QStringList Lines(std::initializer_list<double> values) {
    QStringList lines;
    int n = 0;
    for (double v : values)
        lines << InstrumentLine(++n, v, QStringLiteral("µm"), QStringLiteral(" Fe"));
    return lines;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

class Table : public ::testing::Test {
protected:
    void SetUp() override {
        w = install.startScripted();
        w->Unblock_Buttons();
    }
    void setLimits(double min, double max, double target, bool rule) {
        w->state().Limit.MinLimit = min;
        w->state().Limit.MaxLimit = max;
        w->state().Limit.TargetValue = target;
        w->state().Limit.Rule8020 = rule;
    }

    TestInstallation install;
    std::unique_ptr<frmTransfer> w;
};

TEST_F(Table, DownloadShowsColouredRowsAndStatistics) {
    setLimits(80, 120, 100, true);
    FeedDownload(*w, MemoryKind::FE, Lines({110, 125, 85, 100}));

    ASSERT_EQ(w->MSFlex->rowCount(), 4);
    EXPECT_EQ(Cell(*w, 0, 1), QStringLiteral("      1"));
    EXPECT_EQ(Cell(*w, 1, 2), QStringLiteral("        125"));
    EXPECT_EQ(Cell(*w, 2, 2), QStringLiteral("       85.0"));
    EXPECT_EQ(Cell(*w, 2, 3), QStringLiteral("µm    Fe"));
    EXPECT_EQ(Colour(*w, 0, 0), Green);
    EXPECT_EQ(Colour(*w, 1, 3), Red);
    EXPECT_EQ(Colour(*w, 2, 2), Orange);
    EXPECT_EQ(Colour(*w, 3, 1), Green);

    const QStringList stats = ListTexts(w->lstStat);
    EXPECT_TRUE(stats.contains(QStringLiteral("Anzahl               4")));
    EXPECT_EQ(stats.last(), QStringLiteral("Regel 80/20 ok: Nein  25 %"));
    EXPECT_TRUE(w->lstStat->isVisibleTo(w.get()));
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher (4)"));
    // Showing the memory after the read counts the statistics again, up to the last row.
    EXPECT_EQ(w->state().Counters.CurrentIndex, 4);
}

TEST_F(Table, WithoutLimitsNoCellIsColoured) {
    FeedDownload(*w, MemoryKind::FE, Lines({10, 20}));
    EXPECT_EQ(w->MSFlex->item(0, 2)->background().style(), Qt::NoBrush);
}

TEST_F(Table, RebuildStopsAtTheFirstEmptySlot) {
    FeedDownload(*w, MemoryKind::FE, Lines({10, 20, 30, 40}));
    MeasurementRecord& third = w->state().Store.at(MemoryKind::FE, 3);
    third.Number = 0;
    third.Value = 0;
    w->optFE_Click();
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(w->state().Counters.CurrentIndex, 2);
    EXPECT_TRUE(ListTexts(w->lstStat).contains(QStringLiteral("Anzahl               2")));
}

TEST_F(Table, GarbledLinesOfADownloadAreReportedInOneBoxAndTheOthersTaken) {
    TestInstallation stamped(QStringLiteral("EL7\r\n"));
    auto el = stamped.startScripted();
    const QDateTime when(QDate(2026, 5, 4), QTime(10, 11, 12));
    QString broken = InstrumentLine(1, 0.5, QStringLiteral("mm"), QString(), when);
    broken[27] = QLatin1Char('x'); // a letter in the year
    FeedDownload(
        *el, MemoryKind::FE,
        {broken, InstrumentLine(2, 0.25, QStringLiteral("mm"), QString(), when), broken, broken});
    // The box opens once the download's handling has returned, and counts the lines refused.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stamped.platform.messages.empty(); }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(stamped.platform.messages.size(), 1u);
    const QString box = stamped.platform.messages[0].text;
    EXPECT_TRUE(box.startsWith(QStringLiteral("Fill Messdaten: ")));
    EXPECT_TRUE(box.endsWith(QStringLiteral("Fill Messdaten: 3 Zeilen verworfen")))
        << box.toStdString();
    EXPECT_EQ(el->MSFlex->rowCount(), 1);
    EXPECT_EQ(Cell(*el, 0, 2).trimmed(), QStringLiteral("0.250"));
    const QString log = ReadText(el->state().AppDataPath + "/Tavelin_TransferLog.txt");
    EXPECT_TRUE(log.contains(box.section(QStringLiteral("\r\n"), 0, 0) + QStringLiteral("\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral(" (3)\r\n")));
}

TEST_F(Table, OnlineValuesAreNumberedAndTableDeleteRestartsThem) {
    w->optOnline_Click();
    for (double v : {101.0, 102.0, 103.0})
        FeedOnline(*w, InstrumentLine(0, v, QStringLiteral("µm"), QStringLiteral(" Fe")));
    ASSERT_EQ(w->MSFlex->rowCount(), 3);
    EXPECT_EQ(Cell(*w, 2, 1).trimmed(), QStringLiteral("3"));
    EXPECT_EQ(w->state().Counters.OnlineCounter, 4);
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online (3)"));

    install.platform.answers = {PlatformServices::Answer::No};
    w->cmdFlexTabelleloeschen->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 3);

    install.platform.answers = {PlatformServices::Answer::Yes};
    w->cmdFlexTabelleloeschen->click();
    EXPECT_EQ(install.platform.messages.back().text,
              QStringLiteral("Wollen Sie die Tabelle wirklich löschen?"));
    EXPECT_EQ(w->MSFlex->rowCount(), 0);
    EXPECT_EQ(w->state().Counters.OnlineCounter, 1);
    EXPECT_FALSE(w->lstStat->isVisibleTo(w.get()));
    FeedOnline(*w, InstrumentLine(0, 99, QStringLiteral("µm"), QStringLiteral(" Fe")));
    EXPECT_EQ(Cell(*w, 0, 1).trimmed(), QStringLiteral("1"));
}

TEST_F(Table, DeletingAMarkedRowRenumbersWithoutLosingOrDoublingValues) {
    FeedDownload(*w, MemoryKind::FE, Lines({10.04, 20, 30, 40}));
    w->MSFlex_Click(1);
    EXPECT_EQ(Colour(*w, 1, 0), Grey);
    install.platform.answers = {PlatformServices::Answer::Yes};
    w->cmdFlexZeileLoeschen->click();

    EXPECT_EQ(install.platform.messages.back().text,
              QStringLiteral("Wollen Sie die markierte Zeile wirklich löschen?"));
    ASSERT_EQ(w->MSFlex->rowCount(), 3);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 3);
    QStringList numbers, values;
    for (int r = 0; r < 3; ++r) {
        numbers << Cell(*w, r, 1).trimmed();
        values << Cell(*w, r, 2).trimmed();
    }
    EXPECT_EQ(numbers, (QStringList{"1", "2", "3"}));
    EXPECT_EQ(values, (QStringList{"10.0", "30.0", "40.0"}));
    // Values keep only the decimals the table showed.
    EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, 1).Value, 10.0);
}

TEST_F(Table, RowDeleteAsksForExactlyOneMarkedRow) {
    FeedDownload(*w, MemoryKind::FE, Lines({10, 20, 30}));
    w->cmdFlexZeileLoeschen->click();
    EXPECT_EQ(install.platform.messages.back().text, QStringLiteral("Kein Eintrag ausgewählt"));

    w->MSFlex_Click(0);
    w->MSFlex_Click(2);
    w->cmdFlexZeileLoeschen->click();
    EXPECT_EQ(install.platform.messages.back().text,
              QStringLiteral("Bitte nur eine Zeile auswählen"));
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    EXPECT_NE(Colour(*w, 0, 0), Grey); // the rebuild took the marks away

    w->MSFlex_Click(1);
    w->MSFlex_Click(1); // a second click unmarks
    w->cmdFlexZeileLoeschen->click();
    EXPECT_EQ(install.platform.messages.back().text, QStringLiteral("Kein Eintrag ausgewählt"));

    w->MSFlex_Click(1);
    install.platform.answers = {PlatformServices::Answer::No};
    w->cmdFlexZeileLoeschen->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
}

TEST_F(Table, TheOnlyRowIsNotDeleted) {
    FeedDownload(*w, MemoryKind::FE, Lines({10}));
    w->MSFlex_Click(0);
    install.platform.answers = {PlatformServices::Answer::Yes, PlatformServices::Answer::Yes};
    w->cmdFlexZeileLoeschen->click();
    EXPECT_EQ(install.platform.messages.back().text, QStringLiteral("Bitte Tabelle löschen"));
    EXPECT_EQ(w->MSFlex->rowCount(), 1);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 1);
}

TEST_F(Table, SortTogglesAndLeavesTheStoreInOrder) {
    FeedDownload(*w, MemoryKind::FE, Lines({10, 20, 30}));
    w->cmdSort->click();
    EXPECT_EQ(Cell(*w, 0, 1).trimmed(), QStringLiteral("3"));
    w->cmdSort->click();
    EXPECT_EQ(Cell(*w, 0, 1).trimmed(), QStringLiteral("1"));
    w->cmdSort->click();
    w->optFE_Click();
    EXPECT_EQ(Cell(*w, 0, 1).trimmed(), QStringLiteral("1"));
}

TEST_F(Table, SwitchingMemoriesShowsEachMemoryWithItsOwnCount) {
    FeedDownload(*w, MemoryKind::FE, Lines({10, 20, 30}));
    QStringList nfe;
    for (int i = 1; i <= 2; ++i)
        nfe << InstrumentLine(i, 50 + i, QStringLiteral("µm"), QStringLiteral("NFe"));
    FeedDownload(*w, MemoryKind::NFE, nfe);
    w->optFE->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher (3)"));
    w->optNFE->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(w->optNFE->text(), QStringLiteral("NFE-Speicher (2)"));
    EXPECT_EQ(Cell(*w, 1, 3), QStringLiteral("µm   NFe"));

    w->English->trigger();
    EXPECT_EQ(w->optNFE->text(), QStringLiteral("NFE-Memory (2)"));
    EXPECT_EQ(w->MSFlex->horizontalHeaderItem(2)->text(), QStringLiteral("Value"));
}

TEST_F(Table, MixedUnitsGiveNoStatistics) {
    FeedDownload(*w, MemoryKind::FE,
                 {InstrumentLine(1, 10, QStringLiteral("µm"), QStringLiteral(" Fe")),
                  InstrumentLine(2, 1.2, QStringLiteral("mi"), QStringLiteral(" Fe"))});
    const QStringList stats = ListTexts(w->lstStat);
    EXPECT_TRUE(stats.contains(QStringLiteral(" Statistik nicht möglich,")));
    EXPECT_FALSE(stats.join(QString()).contains(QStringLiteral("Anzahl")));
}

} // namespace

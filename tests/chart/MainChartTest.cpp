#include "chart/ChartSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class MainChart : public ::testing::Test, public ChartWindow {
protected:
    bool chartShown() const { return w->MSChart1->isVisibleTo(w.get()); }
};

TEST_F(MainChart, ChartButtonSwitchesBetweenListAndChart) {
    setLimits(40, 60, 50);
    download({10, 12, 11});
    EXPECT_FALSE(chartShown());
    EXPECT_FALSE(w->cmdGross->isVisibleTo(w.get()));

    w->cmdChart->click();
    EXPECT_TRUE(chartShown());
    EXPECT_FALSE(w->lstStat->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdChart->text(), "Stat");
    EXPECT_TRUE(w->cmdGross->isVisibleTo(w.get()));
    EXPECT_TRUE(w->txtMittelwert->isVisibleTo(w.get()));
    EXPECT_EQ(w->txtMittelwert->text(), "_ _ _Mittelwert " + w->state().Stat.MeanText);
    EXPECT_EQ(w->state().Stat.MeanText.trimmed(), "11,00");
    EXPECT_FALSE(mainChart().legend()->isVisible());

    w->cmdChart->click();
    EXPECT_FALSE(chartShown());
    EXPECT_TRUE(w->lstStat->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdChart->text(), "Chart");
    EXPECT_FALSE(w->cmdGross->isVisibleTo(w.get()));
    EXPECT_FALSE(w->txtMittelwert->isVisibleTo(w.get()));
}

TEST_F(MainChart, LanguageSwitchKeepsTheCaptionOfTheShownView) {
    download({10, 12});
    w->cmdChart->click();
    w->English_Click();
    // With an instrument linked the switch returns to the list; the caption names the other view.
    EXPECT_EQ(w->cmdChart->text(), chartShown() ? "Stat" : "Chart");
    const bool shown = chartShown();
    w->cmdChart->click();
    EXPECT_NE(chartShown(), shown);
}

TEST_F(MainChart, SeriesCarryValuesTargetAndLimitsWithTheirPens) {
    setLimits(40, 60, 50);
    download({10, 12, 11});
    w->cmdChart->click();

    const QList<QLineSeries*> lines = LineSeries(mainChart());
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(PointValues(*lines[0]), (QList<qreal>{10, 12, 11}));
    EXPECT_EQ(lines[0]->points().first().x(), 1);
    // Target and limits run level from the first point to the last.
    EXPECT_EQ(PointValues(*lines[1]), (QList<qreal>{50, 50}));
    EXPECT_EQ(PointValues(*lines[2]), (QList<qreal>{40, 40}));
    EXPECT_EQ(PointValues(*lines[3]), (QList<qreal>{60, 60}));
    EXPECT_EQ(lines[3]->points().first().x(), 1);
    EXPECT_EQ(lines[3]->points().last().x(), 3);

    EXPECT_EQ(lines[0]->pen().color(), Blue);
    EXPECT_EQ(lines[0]->pen().style(), Qt::SolidLine);
    EXPECT_EQ(lines[1]->pen().color(), DarkRed);
    EXPECT_EQ(lines[1]->pen().style(), Qt::DotLine);
    for (int i : {2, 3}) {
        EXPECT_EQ(lines[i]->pen().color(), Green);
        EXPECT_EQ(lines[i]->pen().style(), Qt::DotLine);
    }
    EXPECT_DOUBLE_EQ(lines[0]->pen().widthF(), 2 * lines[1]->pen().widthF());
    EXPECT_DOUBLE_EQ(lines[2]->pen().widthF(), lines[1]->pen().widthF());

    // The category axis ends at the last point and names only it; the value axis spans the
    // values alone, so the target and limits lie outside.
    QCategoryAxis* x = CategoryAxis(mainChart());
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->min(), 0);
    EXPECT_EQ(x->max(), 3);
    EXPECT_EQ(x->categoriesLabels(), QStringList{" 3"});
    QValueAxis* divisions = DivisionAxis(mainChart());
    ASSERT_NE(divisions, nullptr);
    EXPECT_EQ(divisions->tickCount(), 11);
    EXPECT_FALSE(divisions->labelsVisible());
    EXPECT_EQ(divisions->max(), 3);
    QValueAxis* y = ValueAxis(mainChart());
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->min(), 10);
    EXPECT_EQ(y->max(), 12);
}

TEST_F(MainChart, LimitsWithoutTargetAreTheSecondAndThirdSeries) {
    setLimits(0, 60, 0);
    download({45, 55});
    w->cmdChart->click();

    const QList<QLineSeries*> lines = LineSeries(mainChart());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(PointValues(*lines[1]), (QList<qreal>{0, 0}));
    EXPECT_EQ(lines[1]->pen().color(), Green);
    EXPECT_EQ(lines[2]->pen().color(), Green);
}

TEST_F(MainChart, OneValueStandsInsideItsAxisAsAPoint) {
    download({50});
    w->cmdChart->click();

    const QList<QLineSeries*> lines = LineSeries(mainChart());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0]->pointsVisible());
    EXPECT_DOUBLE_EQ(ValueAxis(mainChart())->min(), 45);
    EXPECT_DOUBLE_EQ(ValueAxis(mainChart())->max(), 55);
    EXPECT_EQ(CategoryAxis(mainChart())->max(), 1);
}

TEST_F(MainChart, MixedUnitsLeaveEverythingAsItWas) {
    download({10, 12});
    w->cmdChart->click();
    w->cmdChart->click();
    FeedDownload(*w, MemoryKind::FE,
                 {InstrumentLine(1, 10, "µm", " Fe"), InstrumentLine(2, 0.5, "mm", " Fe")});
    ASSERT_TRUE(w->cmdChart->isVisibleTo(w.get()));

    w->cmdChart->click();
    EXPECT_FALSE(chartShown());
    EXPECT_TRUE(w->lstStat->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdChart->text(), "Chart");
    EXPECT_FALSE(w->cmdGross->isVisibleTo(w.get()));
    // The chart of the earlier drawing stays as it was.
    EXPECT_EQ(w->state().Chart.ChartPointCount, 2);
    EXPECT_EQ(PointValues(*LineSeries(mainChart())[0]), (QList<qreal>{10, 12}));
}

TEST_F(MainChart, ANewValueReturnsToTheList) {
    download({10, 12});
    w->cmdChart->click();
    ASSERT_TRUE(chartShown());

    w->state().Counters.CurrentIndex = 3;
    w->FillMessdaten(InstrumentLine(3, 11, "µm", " Fe"));
    EXPECT_FALSE(chartShown());
    EXPECT_TRUE(w->lstStat->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdChart->text(), "Chart");
    EXPECT_FALSE(w->cmdGross->isVisibleTo(w.get()));
    EXPECT_FALSE(w->txtMittelwert->isVisibleTo(w.get()));
    // The chart is a snapshot: drawn again, it has the new point.
    w->cmdChart->click();
    EXPECT_EQ(PointValues(*LineSeries(mainChart())[0]), (QList<qreal>{10, 12, 11}));
}

TEST(MainChartSigned, AbsButtonSwitchesBetweenMagnitudesAndSignedValues) {
    ChartWindow window(QStringLiteral("AS3\r\n"));
    frmTransfer& w = *window.w;
    window.download({-5, 3}, "kA/m");
    ASSERT_TRUE(w.state().AbsoluteValues);
    ASSERT_TRUE(w.cmdAbs->isVisibleTo(&w));

    w.cmdChart->click();
    EXPECT_EQ(PointValues(*LineSeries(window.mainChart())[0]), (QList<qreal>{5, 3}));
    EXPECT_EQ(ValueAxis(window.mainChart())->min(), 3);
    EXPECT_EQ(ValueAxis(window.mainChart())->max(), 5);

    w.cmdAbs->click();
    EXPECT_FALSE(w.state().AbsoluteValues);
    EXPECT_FALSE(w.MSChart1->isVisibleTo(&w));
    ASSERT_GT(w.lstStat->count(), 2);
    EXPECT_EQ(w.lstStat->item(2)->text(), "Statistik:");
    w.cmdChart->click();
    EXPECT_EQ(PointValues(*LineSeries(window.mainChart())[0]), (QList<qreal>{-5, 3}));
    EXPECT_EQ(ValueAxis(window.mainChart())->min(), -5);
    EXPECT_EQ(ValueAxis(window.mainChart())->max(), 3);

    w.cmdAbs->click();
    EXPECT_TRUE(w.state().AbsoluteValues);
    EXPECT_EQ(w.lstStat->item(2)->text(), "Statistik:  mit Absolutwerten");
}

TEST(MainChartSigned, AbsButtonIsOfferedOnlyForSignedInstruments) {
    ChartWindow window;
    window.download({5, 3});
    EXPECT_TRUE(window.w->cmdChart->isVisibleTo(window.w.get()));
    EXPECT_FALSE(window.w->cmdAbs->isVisibleTo(window.w.get()));
}

} // namespace

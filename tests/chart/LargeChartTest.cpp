#include "chart/ChartSupport.h"
#include "chart/frmChartG.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class LargeChart : public ::testing::Test, public ChartWindow {
protected:
    // Draws the main chart and opens the large one from it.
    frmChartG& open() {
        w->cmdChart->click();
        w->cmdGross->click();
        auto* dialog = w->findChild<frmChartG*>();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    static QChart& chart(frmChartG& dialog) { return *dialog.MSChartG->chart(); }
};

TEST_F(LargeChart, LinesWithLegendsAndThickerPens) {
    setLimits(40, 60, 0);
    download({45, 55, 50});
    frmChartG& g = open();

    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(g.windowTitle(), w->state().message(14));
    EXPECT_EQ(g.cmdChartType->text(), "Linie / Balken");
    EXPECT_EQ(LegendTexts(chart(g)), (QStringList{"Daten", "Minimum 40", "Maximum 60"}));
    const QList<QLineSeries*> lines = LineSeries(chart(g));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(PointValues(*lines[0]), (QList<qreal>{45, 55, 50}));
    EXPECT_EQ(lines[0]->pen().color(), Blue);
    EXPECT_EQ(lines[0]->pen().style(), Qt::SolidLine);
    for (int i : {1, 2}) {
        EXPECT_EQ(lines[i]->pen().color(), Green);
        EXPECT_EQ(lines[i]->pen().style(), Qt::DotLine);
    }
    // Thicker than in the main chart.
    const QList<QLineSeries*> main = LineSeries(mainChart());
    EXPECT_GT(lines[0]->pen().widthF(), main[0]->pen().widthF());
    EXPECT_GT(lines[1]->pen().widthF(), main[1]->pen().widthF());
    EXPECT_EQ(g.lblStrich->text(), "__ __ __ ");
    EXPECT_EQ(g.lblMean->text(), "Mittelwert " + w->state().Stat.MeanText);
}

TEST_F(LargeChart, TypeButtonTogglesBarsOfTheValuesAndLinesOfAll) {
    setLimits(40, 60, 50);
    download({45, 55, 50});
    frmChartG& g = open();
    ASSERT_EQ(LineSeries(chart(g)).size(), 4);
    EXPECT_EQ(LegendTexts(chart(g)),
              (QStringList{"Daten", "Sollwert     50", "Minimum 40", "Maximum 60"}));
    EXPECT_EQ(LineSeries(chart(g))[1]->pen().color(), DarkRed);
    const QString mean = g.lblMean->text();

    g.cmdChartType->click();
    EXPECT_TRUE(g.showsBars());
    ASSERT_EQ(chart(g).series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(chart(g).series().first());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 1);
    const QBarSet* set = bars->barSets().first();
    ASSERT_EQ(set->count(), 3);
    EXPECT_EQ(set->at(1), 55);
    // "Data" in both languages.
    EXPECT_EQ(LegendTexts(chart(g)), QStringList{"Data"});
    EXPECT_EQ(g.lblMean->text(), mean);
    // Each bar stands inside its category; the axis still spans three categories.
    EXPECT_DOUBLE_EQ(CategoryAxis(chart(g))->max() - CategoryAxis(chart(g))->min(), 3);
    EXPECT_EQ(CategoryAxis(chart(g))->categoriesLabels(), QStringList{" 3"});

    g.cmdChartType->click();
    EXPECT_FALSE(g.showsBars());
    EXPECT_EQ(LineSeries(chart(g)).size(), 4);
    EXPECT_EQ(CategoryAxis(chart(g))->min(), 0);
    EXPECT_EQ(CategoryAxis(chart(g))->max(), 3);
}

TEST_F(LargeChart, EveryOpeningStartsWithLines) {
    download({45, 55});
    frmChartG& g = open();
    g.cmdChartType->click();
    ASSERT_TRUE(g.showsBars());
    g.close();

    w->cmdGross->click();
    EXPECT_FALSE(g.showsBars());
    EXPECT_EQ(LineSeries(chart(g)).size(), 1);
    EXPECT_EQ(w->findChildren<frmChartG*>().size(), 1);
}

TEST_F(LargeChart, ValueAxisEndsOnTheExtremesAsTheListShowsThem) {
    download({123.4, 98.76, 110});
    frmChartG& g = open();
    EXPECT_DOUBLE_EQ(ValueAxis(mainChart())->min(), 98.76);
    EXPECT_DOUBLE_EQ(ValueAxis(mainChart())->max(), 123.4);
    EXPECT_DOUBLE_EQ(ValueAxis(chart(g))->min(), 98.8);
    EXPECT_DOUBLE_EQ(ValueAxis(chart(g))->max(), 123);
    g.cmdChartType->click();
    EXPECT_DOUBLE_EQ(ValueAxis(chart(g))->min(), 98.8);
    EXPECT_DOUBLE_EQ(ValueAxis(chart(g))->max(), 123);
}

TEST_F(LargeChart, EnglishCaptionsAndLegends) {
    w->English_Click();
    setLimits(40, 60, 50);
    download({45, 55});
    frmChartG& g = open();
    EXPECT_EQ(g.cmdChartType->text(), "Line / Bar");
    EXPECT_EQ(LegendTexts(chart(g)),
              (QStringList{"Data", "Target value 50", "Minimum 40", "Maximum 60"}));
    EXPECT_TRUE(g.lblMean->text().startsWith("Average "));
}

} // namespace

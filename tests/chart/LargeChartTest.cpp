#include "chart/ChartSupport.h"
#include "chart/frmChartG.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// One lowest value 80 first, then a saw of 90 to 120: the value axis starts at 80, and every bar
// after the first stands clear of it.
QList<double> Saw(int count) {
    QList<double> values{80};
    for (int i = 1; i < count; ++i)
        values << 90 + 10 * (i % 4);
    return values;
}

bool InColour(QRgb pixel, const QColor& colour) {
    constexpr int Tolerance = 48;
    return std::abs(qRed(pixel) - colour.red()) <= Tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= Tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= Tolerance;
}

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

    frmChartG& openBars(int count) {
        download(Saw(count));
        frmChartG& g = open();
        g.cmdChartType->click();
        return g;
    }

    // The bars of Saw(count) as the window draws them: the plot area must be well filled in the
    // bars' colour, and over every value after the first the colour must reach halfway up to 90.
    static void expectEveryBarShown(frmChartG& g, int count) {
        QCoreApplication::sendPostedEvents();
        QChart& c = chart(g);
        auto* bars = qobject_cast<QBarSeries*>(c.series().value(0));
        ASSERT_NE(bars, nullptr);
        ASSERT_EQ(bars->barSets().first()->count(), count);
        const QColor colour = bars->barSets().first()->brush().color();

        const QImage image = g.MSChartG->viewport()->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const auto pixel = [&](QPointF inChart) {
            return (QPointF(g.MSChartG->mapFromScene(c.mapToScene(inChart))) * ratio).toPoint();
        };
        const QRect plot(pixel(c.plotArea().topLeft()), pixel(c.plotArea().bottomRight()));
        ASSERT_GT(plot.width(), 300);
        int coloured = 0;
        for (int y = plot.top(); y <= plot.bottom(); ++y) {
            for (int x = plot.left(); x <= plot.right(); ++x)
                coloured += InColour(image.pixel(x, y), colour);
        }
        EXPECT_GT(coloured, plot.width() * plot.height() / 4);

        // Bars stand on whole numbers from 0, the first value's at 0.
        const int y = pixel(c.mapToPosition(QPointF(0, 85), bars)).y();
        const int from = pixel(c.mapToPosition(QPointF(1, 85), bars)).x();
        const int to = pixel(c.mapToPosition(QPointF(count - 1, 85), bars)).x();
        ASSERT_GT(y, plot.top());
        ASSERT_LT(y, plot.bottom());
        QList<int> blank;
        for (int x = from; x <= to; ++x) {
            if (!InColour(image.pixel(x, y), colour))
                blank << x;
        }
        EXPECT_TRUE(blank.isEmpty()) << blank.size() << " of " << to - from + 1
                                     << " columns blank, first at " << blank.value(0);
    }
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

TEST_F(LargeChart, AThousandBarsNarrowerThanAPixelAllShow) {
    expectEveryBarShown(openBars(1000), 1000);
}

TEST_F(LargeChart, FiveThousandBarsAllShow) {
    expectEveryBarShown(openBars(5000), 5000);
}

TEST_F(LargeChart, BarsThatGetThinWithTheWindowStillShow) {
    download(Saw(700));
    frmChartG& g = open();
    // Drawn on a wide screen, bars of several pixels.
    g.resize(3000, 800);
    QCoreApplication::sendPostedEvents();
    g.cmdChartType->click();
    g.resize(g.minimumSize());
    expectEveryBarShown(g, 700);
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

#include "chart/ChartSupport.h"
#include "chart/frmChartG.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

// Thirty values against limits 80/120 and target 100: the main window with its chart, and the
// large chart as lines above and as bars below. With SCREENSHOT_DIR set the pictures are kept
// there for a person to look at.
TEST(Screenshot, MainAndLargeChart) {
    ChartWindow window;
    frmTransfer& w = *window.w;
    w.state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    w.ShowLimits();
    window.download({104.2, 98.7,  112.5, 101.3, 95.1,  108.8, 123.4, 99.6,  103.9, 110.2,
                     87.5,  105.4, 102.2, 118.9, 106.1, 100.4, 97.3,  109.7, 111.8, 76.9,
                     104.6, 107.3, 101.9, 115.2, 103.3, 99.1,  108.4, 102.7, 113.6, 105.8});
    w.optFE->setChecked(true);
    w.show();
    w.resize(1100, 760);
    w.cmdChart->click();
    QApplication::processEvents();
    w.MSFlex->scrollToTop();
    const QPixmap main = w.grab();
    ASSERT_FALSE(main.isNull());

    w.cmdGross->click();
    auto* g = w.findChild<frmChartG*>();
    ASSERT_NE(g, nullptr);
    g->resize(1000, 560);
    QApplication::processEvents();
    const QPixmap lines = g->grab();
    g->cmdChartType->click();
    QApplication::processEvents();
    const QPixmap bars = g->grab();
    ASSERT_FALSE(lines.isNull());
    ASSERT_EQ(bars.size(), lines.size());

    QPixmap both(lines.width(), lines.height() * 2);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, lines);
    painter.drawPixmap(0, lines.height(), bars);
    painter.end();

    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(main.save(QDir(folder).filePath(QStringLiteral("chart.png"))));
        EXPECT_TRUE(both.save(QDir(folder).filePath(QStringLiteral("large-chart.png"))));
    }
}

} // namespace

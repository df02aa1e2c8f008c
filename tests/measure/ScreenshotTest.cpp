#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

// About thirty values of a two-memory instrument against limits 80/120 and target 100 with the
// 80/20 rule: green, red and orange cells and the verdict line. With SCREENSHOT_DIR set the
// picture is kept for a person to look at.
TEST(Screenshot, TableWithLimitsAndVerdict) {
    TestInstallation install;
    auto w = install.startScripted();
    Limits& limits = w->state().Limit;
    limits = Limits{80, 120, 100, true, {"120", "80", "100"}};
    w->ShowLimits();
    w->Unblock_Buttons();
    FeedDownload(*w, MemoryKind::FE, DayOfReadings());
    w->optFE->setChecked(true);
    w->show();
    QApplication::processEvents();
    w->MSFlex->scrollToTop();

    ASSERT_EQ(w->MSFlex->rowCount(), 30);
    ASSERT_GT(w->lstStat->count(), 0);
    EXPECT_TRUE(w->lstStat->item(w->lstStat->count() - 1)->text().startsWith("Regel 80/20 ok:"));
    const QPixmap picture = w->grab();
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("table.png"))));
}

namespace {

// The table and its statistics list under a rule chosen besides 80/20, kept as `file` with
// SCREENSHOT_DIR set.
void RuleScreenshot(const Limits& limits, const QStringList& lines, const QString& verdict,
                    const QString& file) {
    TestInstallation install;
    auto w = install.startScripted();
    w->state().Limit = limits;
    w->ShowLimits();
    w->Unblock_Buttons();
    FeedDownload(*w, MemoryKind::FE, lines);
    w->optFE->setChecked(true);
    w->show();
    QApplication::processEvents();
    // The last rows: a value of an incomplete spot stands there.
    w->MSFlex->scrollToBottom();

    QStringList stats;
    for (int i = 0; i < w->lstStat->count(); ++i)
        stats << w->lstStat->item(i)->text();
    EXPECT_TRUE(stats.join('\n').contains(verdict)) << stats.join('\n').toStdString();
    const QPixmap picture = w->grab();
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(file)));
}

} // namespace

TEST(Screenshot, TableUnderTheNinetyTenRule) {
    RuleScreenshot(Limits{90, 120, 100, false, {"120", "90", "100"}, AcceptanceRule::Pspc9010},
                   DayOfReadings(), QStringLiteral("Regel 90/10 ok: Nein  23 %"),
                   QStringLiteral("rule-9010.png"));
}

// Ten spots, one of them below 80 % of the minimum, and a value of an eleventh spot.
TEST(Screenshot, TableUnderSspcPa2) {
    const double values[] = {104.2, 98.7,  112.5, 101.3, 95.1,  108.8, 123.4, 99.6,
                             103.9, 103.3, 99.1,  108.4, 102.2, 118.9, 106.1, 100.4,
                             97.3,  109.7, 111.8, 96.9,  104.6, 107.3, 101.9, 115.2,
                             72.4,  78.9,  81.0,  102.7, 113.6, 105.8, 101.5};
    QStringList lines;
    int n = 0;
    for (double v : values)
        lines << InstrumentLine(++n, v, QStringLiteral("µm"), QStringLiteral(" Fe"));
    RuleScreenshot(Limits{100, 120, 0, false, {"120", "100", "0"}, AcceptanceRule::SspcPa2}, lines,
                   QStringLiteral("SSPC-PA 2 ok: Nein \n  letzter Spot unvollständig"),
                   QStringLiteral("rule-sspc.png"));
}

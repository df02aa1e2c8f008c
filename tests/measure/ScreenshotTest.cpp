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

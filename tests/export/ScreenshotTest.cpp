#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

// A day's thirty readings against limits 80/120 and target 100, printed and exported with the
// chart. With SCREENSHOT_DIR set, report.pdf, report.odt and workbook.xlsx are kept there.
TEST(Screenshot, PrintedReportAndWorkbookWithChart) {
    TestInstallation install;
    auto w = install.startScripted();
    w->state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    w->ShowLimits();
    w->Unblock_Buttons();
    FeedDownload(*w, MemoryKind::FE, DayOfReadings());
    w->optFE->click();

    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR", install.dataHome());
    const QString pdf = QDir(folder).filePath(QStringLiteral("report.pdf"));
    QFile::remove(pdf);
    install.platform.printFile = pdf;
    install.platform.printerAccepted = true;
    w->cmdprint->click();
    EXPECT_TRUE(QFile::exists(pdf));

    w->cmdWord->click();
    install.platform.answers = {PlatformServices::Answer::Yes};
    w->cmdExcel->click();
    ASSERT_EQ(install.platform.openedDocuments.size(), 2);
    const auto keep = [&](int opened, const QString& name) {
        const QString path = QDir(folder).filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(install.platform.openedDocuments[opened], path)) << opened;
    };
    keep(0, QStringLiteral("report.odt"));
    keep(1, QStringLiteral("workbook.xlsx"));
}

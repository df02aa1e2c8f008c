#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

// A day's thirty readings against limits 80/120 and target 100, printed and exported with the
// chart. With SCREENSHOT_DIR set, report.pdf and workbook.xlsx are kept there for pictures.
TEST(Screenshot, PrintedReportAndWorkbookWithChart) {
    TestInstallation install;
    auto w = install.start();
    w->state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    w->ShowLimits();
    w->Unblock_Buttons();
    const double values[] = {104.2, 98.7,  112.5, 101.3, 95.1,  108.8, 123.4, 99.6,  103.9, 110.2,
                             87.5,  105.4, 102.2, 118.9, 106.1, 100.4, 97.3,  109.7, 111.8, 76.9,
                             104.6, 107.3, 101.9, 115.2, 103.3, 99.1,  108.4, 102.7, 113.6, 105.8};
    QStringList lines;
    int n = 0;
    for (double v : values)
        lines << InstrumentLine(++n, v, QStringLiteral("µm"), QStringLiteral(" Fe"));
    FeedDownload(*w, MemoryKind::FE, lines);
    w->optFE->click();

    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR", install.dataHome());
    const QString pdf = QDir(folder).filePath(QStringLiteral("report.pdf"));
    QFile::remove(pdf);
    install.platform.printFile = pdf;
    install.platform.printerAccepted = true;
    w->cmdprint->click();
    EXPECT_TRUE(QFile::exists(pdf));

    install.platform.answers = {PlatformServices::Answer::Yes};
    w->cmdExcel->click();
    ASSERT_EQ(install.platform.openedDocuments.size(), 1);
    const QString workbook = QDir(folder).filePath(QStringLiteral("workbook.xlsx"));
    QFile::remove(workbook);
    EXPECT_TRUE(QFile::copy(install.platform.openedDocuments[0], workbook));
}

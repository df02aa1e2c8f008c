#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

int ColumnsWidth(const QTableWidget* table) {
    int width = 0;
    for (int c = 0; c < table->columnCount(); ++c)
        width += table->columnWidth(c);
    return width;
}

// Right edge of a widget in window coordinates.
int RightEdge(const QWidget* w, const QWidget* window) {
    return w->mapTo(window, QPoint(w->width(), 0)).x();
}

int LeftEdge(const QWidget* w, const QWidget* window) {
    return w->mapTo(window, QPoint()).x();
}

class WindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        w = install.startScripted();
        FeedDownload(*w, MemoryKind::FE,
                     {InstrumentLine(1, 90, QStringLiteral("µm"), QStringLiteral(" Fe")),
                      InstrumentLine(2, 95, QStringLiteral("µm"), QStringLiteral(" Fe"))});
        w->optFE->setChecked(true);
        w->show();
        QApplication::processEvents();
    }

    void expectSideBySideAndReadable() {
        QApplication::processEvents();
        ASSERT_TRUE(w->lstStat->isVisible());
        EXPECT_LE(RightEdge(w->Frame3, w.get()), LeftEdge(w->lstStat, w.get()));
        EXPECT_LE(RightEdge(w->lstStat, w.get()), LeftEdge(w->Frame1, w.get()));
        EXPECT_LE(RightEdge(w->Frame1, w.get()), w->width());
        EXPECT_LE(RightEdge(w->cmdEnde, w.get()), w->width());
        EXPECT_GE(w->MSFlex->viewport()->width(), ColumnsWidth(w->MSFlex));
    }

    TestInstallation install;
    std::unique_ptr<frmTransfer> w;
};

TEST_F(WindowLayout, TableAndStatisticsShareTheWidthAtTheStartSize) {
    expectSideBySideAndReadable();
}

TEST_F(WindowLayout, EveryColumnStaysReadableAtTheMinimumSize) {
    w->resize(w->minimumSize().expandedTo(w->minimumSizeHint()));
    expectSideBySideAndReadable();
    // The window cannot be made smaller than that.
    w->resize(400, 300);
    expectSideBySideAndReadable();
}

TEST_F(WindowLayout, ALargerWindowGrowsTheTable) {
    const int before = w->MSFlex->width();
    w->resize(1900, 1000);
    expectSideBySideAndReadable();
    EXPECT_GT(w->MSFlex->width(), before + 400);
}

TEST(WindowCaptions, OnlineOptionIsNamedBeforeAConnection) {
    TestInstallation install;
    auto w = install.startScripted();
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online"));
}

} // namespace

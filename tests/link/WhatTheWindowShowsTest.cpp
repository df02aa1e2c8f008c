#include "core/QStringPrinter.h"
#include "link/LinkedWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// What the user sees after connecting and switching memories, read from the real controls.
using ShownWindow = LinkedWindow;

TEST_F(ShownWindow, SwitchingMemoriesKeepsTheWindowWidth) {
    SimOptions options;
    options.FeCount = 3;
    options.NfeCount = 2;
    options.IdentLine = QStringLiteral("FE-B DELTA-PRO");
    begin(QStringLiteral("DP"), options);
    w->show();
    w->cmdConnect->click();
    QTest::qWait(50);
    const int width = w->width();
    for (int i = 0; i < 10; ++i) {
        w->optFE->click();
        w->optNFE->click();
        if (i == 3) {
            w->optOnline->click();
            sim.sendOnlineValue();
            ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 1; }, 5000));
        }
        QTest::qWait(20);
    }
    EXPECT_EQ(w->width(), width);
}

// The instrument's FE answer breaks off half-way: what the memories held stays, and so do the
// counts on their options.
TEST_F(ShownWindow, CaptionsCountTheTablesKeptAfterABrokenDownload) {
    SimOptions options;
    options.NfeCount = 7;
    options.IdentLine = QStringLiteral("FE-B DELTA-PRO");
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    ASSERT_EQ(w->MSFlex->rowCount(), 7);
    w->optOnline->click();
    sim.sendOnlineValue();
    sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 2; }, 5000));

    sim.unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->link().LinkConnected(); }, 5000));
    options.FeCount = 40;
    options.PortsFolder = PortsFolder(appData);
    options.ComNumber = Com;
    ASSERT_FALSE(sim.start(QStringLiteral("DP"), options).isEmpty());
    unplugWhenFeIsAskedFor();
    w->cmdConnect->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->cmdConnect->text().isEmpty(); }, 5000));

    EXPECT_EQ(w->optNFE->text(), QStringLiteral("FE-Speicher2 (7)"));
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online (2)"));
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher1 (0)"));
    w->optNFE->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 7);
    EXPECT_EQ(w->optNFE->text(), QStringLiteral("FE-Speicher2 (7)"));
}

TEST_F(ShownWindow, BothMemoriesFoundEmptyClearBoth) {
    SimOptions options;
    options.FeCount = 4;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    ASSERT_EQ(w->MSFlex->rowCount(), 4);
    w->optOnline->click();
    sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 1; }, 5000));
    sim.fillMemories(0, 0);
    w->cmdLesen->click();
    EXPECT_EQ(w->state().Kind, MemoryKind::Online);
    EXPECT_EQ(w->MSFlex->rowCount(), 1);
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online (1)"));
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 0);
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher (0)"));
    w->optFE->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 0);
}

// While the empty NFE memory is reported, the FE memory just read stays in view.
TEST_F(ShownWindow, AnEmptyNfeMemoryLeavesTheFeTableShown) {
    SimOptions options;
    options.FeCount = 30;
    begin(QStringLiteral("DP"), options);
    w->show();
    QStringList seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (w->state().Store.SeriesLength(MemoryKind::FE) == 30)
            seen << QStringLiteral("%1 %2 %3")
                        .arg(w->MSFlex->rowCount())
                        .arg(w->optFE->text(), w->lstStat->isVisible() ? "stat" : "nostat");
    });
    watch.start(50);
    w->cmdConnect->click();
    watch.stop();
    ASSERT_FALSE(seen.isEmpty());
    seen.removeDuplicates();
    EXPECT_EQ(seen, QStringList{QStringLiteral("30 FE-Speicher (30) stat")});
    EXPECT_EQ(w->MSFlex->rowCount(), 30);
}

} // namespace

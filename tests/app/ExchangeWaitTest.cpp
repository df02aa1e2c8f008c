#include "app/LinkDisplay.h"
#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/LineFeeder.h"
#include "support/ScriptedLink.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList Lines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << InstrumentLine(i, 100 + i, QStringLiteral("µm"), QStringLiteral(" Fe"));
    return lines;
}

QString Log(frmTransfer& w) {
    return ReadText(w.state().AppDataPath + QStringLiteral("/Tavelin_TransferLog.txt"));
}

TEST(ExchangeWait, DownloadShowsItsProgressAndTheCancelButtonEndsItAsEscDoes) {
    TestInstallation install;
    auto w = install.startScripted();
    w->state().Device.FECount = 12;
    Script(*w).answers = false;
    LinkDisplay& display = w->linkDisplay();
    bool seen = false;
    QTimer::singleShot(50, [&] {
        seen = display.prgDownload->isVisibleTo(w.get()) &&
               display.cmdAbbrechen->isVisibleTo(w.get()) && !w->cmdEnde->isEnabled();
        EXPECT_EQ(display.prgDownload->maximum(), 12);
        EXPECT_EQ(display.cmdAbbrechen->text(), QStringLiteral("Abbrechen (Esc)"));
        EXPECT_EQ(w->txtWait->text(), QStringLiteral("Bitte warten...."));
        display.cmdAbbrechen->click();
    });
    FeedDownload(*w, MemoryKind::FE, Lines(12));
    EXPECT_TRUE(seen);
    EXPECT_EQ(w->MSFlex->rowCount(), 0);
    EXPECT_TRUE(Log(*w).contains(QStringLiteral("mit Esc abgebrochen")));
    EXPECT_FALSE(display.prgDownload->isVisibleTo(w.get()));
    EXPECT_TRUE(w->cmdEnde->isEnabled());
    EXPECT_TRUE(w->cmdLesFE->isEnabled());
}

TEST(ExchangeWait, ProgressCountsTheLinesReceivedUpToTheExpectedCount) {
    TestInstallation install;
    install.writeKonfi(QStringLiteral("DP\r\n"));
    auto w = install.startScripted();
    w->English->trigger();
    LinkDisplay& display = w->linkDisplay();
    display.showWaiting(5000);
    display.showProgress(1234);
    EXPECT_EQ(display.prgDownload->text(), QStringLiteral("1234 of 5000 values"));
    EXPECT_EQ(display.cmdAbbrechen->text(), QStringLiteral("Cancel (Esc)"));
    display.showProgress(6000);
    EXPECT_EQ(display.prgDownload->value(), 5000);
    display.endWaiting(false);
    EXPECT_FALSE(display.cmdAbbrechen->isVisibleTo(w.get()));
}

TEST(ExchangeWait, DownloadThroughTheLinkFillsTheTableOnce) {
    TestInstallation install;
    auto w = install.startScripted();
    int rowsInserted = 0;
    QObject::connect(
        w->MSFlex->model(), &QAbstractItemModel::rowsInserted,
        [&](const QModelIndex&, int first, int last) { rowsInserted += last - first + 1; });
    FeedDownload(*w, MemoryKind::FE, Lines(300));
    EXPECT_EQ(w->MSFlex->rowCount(), 300);
    EXPECT_EQ(rowsInserted, 300);
    EXPECT_EQ(Script(*w).requests.count(QStringLiteral("read FE")), 1);
}

// A cable model's first port is the built-in COM1; without a port from the last run the list
// must not offer it as the choice.
TEST(ExchangeWait, NoSavedPortAsksForOneAndSelectsNothing) {
    TestInstallation install(QStringLiteral("CP\r\n"));
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/") +
                            ProfileForModel(QStringLiteral("CP")).Title;
    QDir().mkpath(appData);
    WriteText(appData + QStringLiteral("/Port.ini"), QString());
    SimOptions options;
    options.PortsFolder = PortsFolder(appData);
    options.ComNumber = 9;
    InstrumentSimulator sim;
    ASSERT_FALSE(sim.start(QStringLiteral("CP"), options).isEmpty());
    auto w = install.start();
    ASSERT_GE(w->ComboPort->count(), 1);
    EXPECT_EQ(w->ComboPort->currentIndex(), -1);
    EXPECT_TRUE(w->ComboPort->currentText().isEmpty());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Bitte COM-Port auswählern"));
    EXPECT_TRUE(w->txtWait->isVisibleTo(w.get()));
    EXPECT_FALSE(w->cmdConnect->isEnabled());

    w->ComboPort->setCurrentIndex(
        w->ComboPort->findText(QStringLiteral("COM9"), Qt::MatchStartsWith));
    EXPECT_TRUE(w->cmdConnect->isEnabled());
}

TEST(ExchangeWait, ExitStaysReachableWhenTheInstrumentIsNotAvailable) {
    TestInstallation install;
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    QDir().mkpath(appData);
    WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("7\r\n"));
    SimOptions options;
    options.PortsFolder = PortsFolder(appData);
    options.ComNumber = 7;
    options.NotAvailable = true;
    InstrumentSimulator sim;
    ASSERT_FALSE(sim.start(QStringLiteral("DP"), options).isEmpty());
    auto w = install.start();
    EXPECT_TRUE(w->cmdEnde->isEnabled());
    w->cmdConnect->click();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Gerät nicht verfügbar !"));
    EXPECT_TRUE(w->cmdEnde->isEnabled());
}

} // namespace

#include "core/MesReader.h"
#include "core/QStringPrinter.h"
#include "link/LinkedWindow.h"
#include "link/serial/PortNumbers.h"
#include "link/serial/SCom.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST_F(LinkedWindow, ConnectIdentifiesAndDownloadsBothMemories) {
    SimOptions options;
    options.FeCount = 12;
    options.NfeCount = 7;
    begin(QStringLiteral("DP"), options);
    EXPECT_TRUE(w->ComboPort->itemText(0).startsWith(QStringLiteral("COM7 ")));
    EXPECT_EQ(w->ComboPort->currentText(), QStringLiteral("COM7"));

    w->cmdConnect->click();

    EXPECT_TRUE(w->link().LinkConnected());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    EXPECT_EQ(w->state().Device.ModelCode, QStringLiteral("FNB"));
    EXPECT_EQ(w->state().Device.MemoryLayout, QStringLiteral("2N"));
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 12);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::NFE), 7);
    // Both memories hold values: the NFE memory ends up shown.
    EXPECT_EQ(w->state().Kind, MemoryKind::NFE);
    EXPECT_EQ(w->MSFlex->rowCount(), 7);
    EXPECT_EQ(w->optNFE->text(), QStringLiteral("NFE-Speicher (7)"));
    w->optFE->click();
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher (12)"));
    EXPECT_TRUE(w->cmdWerte->isEnabled());
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Port.ini")), QStringLiteral("7\r\n"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Delta-Pro DIVEDADE V4.05"));
}

// The main window after a download from the simulator; with SCREENSHOT_DIR set the picture is kept
// for a person to look at.
TEST_F(LinkedWindow, ScreenshotAfterADownload) {
    SimOptions options;
    options.FeCount = 25;
    options.NfeCount = 25;
    begin(QStringLiteral("DP"), options);
    w->show();
    w->cmdConnect->click();
    w->optFE->click();
    QTest::qWait(50);
    const QPixmap picture = w->grab();
    ASSERT_EQ(w->MSFlex->rowCount(), 25);
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("download.png"))));
}

// A download at the wire's pace shows how far it got; with SCREENSHOT_DIR set the picture is kept.
TEST_F(LinkedWindow, PacedDownloadShowsItsProgress) {
    SimOptions options;
    options.FeCount = 3;
    options.BytesPerSecond = 3840;
    begin(QStringLiteral("DP"), options);
    w->show();
    w->cmdConnect->click();
    sim.fillMemories(150, 0);
    int shown = 0;
    QPixmap picture;
    QTimer::singleShot(600, w.get(), [&] {
        const QProgressBar* bar = w->findChild<QProgressBar*>(QStringLiteral("prgDownload"));
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        shown = bar->value();
        picture = w->grab();
    });
    w->cmdLesFE_Click();
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 150);
    EXPECT_EQ(w->MSFlex->rowCount(), 150);
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("download-progress.png"))));
}

TEST_F(LinkedWindow, TwoFeMemoriesAreNamedAfterTheirNumbers) {
    SimOptions options;
    options.FeCount = 3;
    options.NfeCount = 2;
    options.IdentLine = QStringLiteral("FE-B DELTA-PRO");
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    EXPECT_EQ(w->state().Device.ModelCode, QStringLiteral("FEB"));
    EXPECT_EQ(w->state().Device.MemoryLayout, QStringLiteral("2E"));
    EXPECT_EQ(w->cmdLesFE->text(), QStringLiteral("FE 1"));
    EXPECT_EQ(w->optNFE->text(), QStringLiteral("FE-Speicher2 (2)"));
}

TEST_F(LinkedWindow, OnlineValuesArriveOneByOneAndAreKeptInOnlineMes) {
    SimOptions options;
    options.FeCount = 1;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    w->optOnline->click();
    ASSERT_EQ(w->state().Kind, MemoryKind::Online);
    for (int i = 0; i < 3; ++i)
        sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 3; }, 5000));
    EXPECT_EQ(w->state().Counters.OnlineCounter, 4);
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online (3)"));
    EXPECT_FALSE(w->txtSpeicher->text().isEmpty());
    QFile online(w->state().MessDataPath + QStringLiteral("/mes/Online.mes"));
    ASSERT_TRUE(online.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadMesText(online.readAll(), w->state().Device).Records.size(), 3u);
}

TEST_F(LinkedWindow, StreamedValuesCanBePaused) {
    begin(QStringLiteral("AS9"));
    w->cmdConnect->click();
    ASSERT_TRUE(w->link().LinkConnected());
    w->optOnline->click();
    EXPECT_TRUE(w->cmdStop->isVisibleTo(w.get()));
    sim.sendOnlineValue();
    sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 2; }, 5000));

    w->cmdStop->click();
    EXPECT_EQ(w->cmdStop->text(), QStringLiteral("Weiter"));
    sim.sendOnlineValue();
    QTest::qWait(300);
    EXPECT_EQ(w->MSFlex->rowCount(), 2);

    w->cmdStop->click();
    EXPECT_EQ(w->cmdStop->text(), QStringLiteral("Stopp"));
    sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == 3; }, 5000));
    EXPECT_EQ(w->MSFlex->item(2, 1)->text().trimmed(), QStringLiteral("3"));
}

TEST_F(LinkedWindow, EscEndsAWaitingDownloadAndKeepsTheMemoryItWouldHaveReplaced) {
    SimOptions options;
    options.FeCount = 5;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    w->optFE->click();
    const QList<double> before = StoredValues(*w, MemoryKind::FE);
    const QString downloaded = w->state().DownloadTime;
    ASSERT_EQ(before.size(), 5);
    sim.setSilent(true);
    QTimer::singleShot(300, [&] { install.platform.escape = true; });
    w->cmdLesFE->click();
    install.platform.escape = false;
    EXPECT_EQ(StoredValues(*w, MemoryKind::FE), before);
    EXPECT_EQ(w->MSFlex->rowCount(), 5);
    EXPECT_EQ(w->state().DownloadTime, downloaded);
    EXPECT_TRUE(w->cmdLesFE->isEnabled());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    EXPECT_TRUE(log().contains(QStringLiteral("Esc")));
}

// Both memories were read and never saved; the cable is pulled during the next reading of both.
TEST_F(LinkedWindow, UnplugDuringReadingBothMemoriesLosesNeither) {
    SimOptions options;
    options.FeCount = 12;
    options.NfeCount = 7;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    const QList<double> fe = StoredValues(*w, MemoryKind::FE);
    const QList<double> nfe = StoredValues(*w, MemoryKind::NFE);
    ASSERT_EQ(fe.size(), 12);
    ASSERT_EQ(nfe.size(), 7);
    unplugWhenFeIsAskedFor();
    w->cmdLesen->click();
    EXPECT_FALSE(w->link().LinkConnected());
    EXPECT_EQ(StoredValues(*w, MemoryKind::FE), fe);
    EXPECT_EQ(StoredValues(*w, MemoryKind::NFE), nfe);
    w->optNFE->click();
    EXPECT_EQ(w->MSFlex->rowCount(), 7);
}

// The instrument starts its answer, then says it is not available: the lines so far are not
// taken, and the memory shown before stays.
TEST_F(LinkedWindow, DownloadCutByNotAvailableKeepsTheOldMemory) {
    SimOptions options;
    options.FeCount = 4;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    const QList<double> before = StoredValues(*w, MemoryKind::FE);
    ASSERT_EQ(before.size(), 4);
    sim.fillMemories(9, 0);
    const QStringList fresh = sim.memoryLines(1);
    QObject::connect(&sim, &InstrumentSimulator::commandReceived, &sim,
                     [&](const QString& command) {
                         if (!command.startsWith(QStringLiteral("$zorv10")))
                             return;
                         sim.setSilent(true);
                         sim.sendRaw("\x02\r\n" + fresh.at(0).toLatin1() + "\r\n" +
                                     fresh.at(1).toLatin1() + "\r\n\x19");
                     });
    w->cmdLesFE->click();
    EXPECT_EQ(StoredValues(*w, MemoryKind::FE), before);
    EXPECT_EQ(w->MSFlex->rowCount(), 4);
}

TEST_F(LinkedWindow, NotAvailableInstrumentSaysSo) {
    SimOptions options;
    options.NotAvailable = true;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Gerät nicht verfügbar !"));
    EXPECT_FALSE(w->link().LinkConnected());
    EXPECT_TRUE(w->cmdConnect->isVisibleTo(w.get()));
}

TEST_F(LinkedWindow, SilentCableInstrumentIsNotConnectedThenNotAvailable) {
    SimOptions options;
    options.Silent = true;
    begin(QStringLiteral("CP"), options);
    w->cmdConnect->click();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Nicht Verbunden"));
    EXPECT_EQ(w->link().state(), InstrumentLink::State::NoAnswer);
    w->cmdConnect->click();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Gerät nicht verfügbar !"));
    EXPECT_NE(w->link().state(), InstrumentLink::State::NoAnswer);
}

TEST_F(LinkedWindow, UnpluggedCableEndsTheDownload) {
    SimOptions options;
    options.FeCount = 2;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    ASSERT_TRUE(w->link().LinkConnected());
    sim.setSilent(true);
    QTimer::singleShot(300, [&] { sim.unplug(); });
    w->cmdLesFE->click();
    EXPECT_FALSE(w->link().LinkConnected());
    EXPECT_FALSE(w->txtWait->text().isEmpty());
    EXPECT_TRUE(w->cmdConnect->isVisibleTo(w.get()));
}

TEST_F(LinkedWindow, TheFiveThousandFirstValueIsRefused) {
    SimOptions options;
    options.FeCount = 5001;
    begin(QStringLiteral("DP"), options);
    w->cmdConnect->click();
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 5000);
    EXPECT_TRUE(messages().contains(QStringLiteral("Maximale Werteanzahl überschritten 5000")))
        << messages().join('|').toStdString();
}

TEST_F(LinkedWindow, PortThatWillNotOpenIsExplainedInTheLogAndTooltip) {
    begin(QStringLiteral("DP"));
    // The link points at a device that does not exist: the port cannot be opened.
    sim.unplug();
    QFile::link(QStringLiteral("/dev/does-not-exist"),
                PortsFolder(appData) + QStringLiteral("/COM7"));
    w->cmdConnect->click();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Gerät nicht verfügbar !"));
    EXPECT_FALSE(w->txtWait->toolTip().isEmpty());
    EXPECT_TRUE(log().contains(w->txtWait->toolTip()));
}

} // namespace

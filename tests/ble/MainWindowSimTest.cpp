#include "BleSimFixture.h"
#include "ble_ui/BLE.h"
#include "core/QStringPrinter.h"
#include "extras/frmTime.h"
#include "link/ble/BleLink.h"
#include "support/BleConnect.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

namespace {

// The main window of a "DPB" installation with the real QtBluetooth client, talking to the
// simulated instrument on the private bus, driven through its controls as a user does.
class BleMainWindowSim : public BleSimTest {
protected:
    void start(const QStringList& options) {
        ASSERT_TRUE(startSimulator(options));
        w = install.startWith([this](frmTransfer& window) {
            link = new BleLink(new QtBleClient, install.platform, window.state().Device);
            return link;
        });
        QObject::connect(&link->client(), &BleClient::Log, w.get(),
                         [this](int, const QString& message) { clientLog << message; });
    }

    void connectInstrument() { ConnectThroughBleWindow(*w); }
    void download(int entry) {
        w->cmbSpeicher->setCurrentIndex(entry);
        w->cmdLesen->click();
    }
    QStringList messages() const { return install.platform.messageTexts(); }

    TestInstallation install{QStringLiteral("DPB\r\n")};
    BleLink* link = nullptr;
    QStringList clientLog;
    std::unique_ptr<frmTransfer> w;
};

TEST_F(BleMainWindowSim, ConnectDownloadOnlineLossClockAndShutdown) {
    start({"--memories", "1:12,2:40"});
    connectInstrument();
    ASSERT_TRUE(w->link().LinkConnected()) << messages().join('|').toStdString();
    EXPECT_EQ(w->state().Device.IdentS, QStringLiteral("0815-22"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    ASSERT_EQ(w->cmbSpeicher->count(), 2);
    EXPECT_EQ(w->cmbSpeicher->itemText(1), QStringLiteral("S    2  (40)"));

    // A memory into the table.
    download(1);
    const QStringList lines = control("MemoryLines", {1}).arguments().value(0).toStringList();
    ASSERT_EQ(lines.size(), 40);
    EXPECT_EQ(w->MSFlex->rowCount(), 40);
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Speicher 2 (40)"));
    for (int slot : {1, 40})
        EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, slot).Value,
                         lines.at(slot - 1).mid(6, 10).trimmed().toDouble());

    // An online value brings the Online table into view.
    EXPECT_FALSE(control("SendOnline").arguments().value(0).toString().isEmpty());
    ASSERT_TRUE(WaitFor([&] { return w->state().Kind == MemoryKind::Online; }));
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 1; }));

    // Out of range and back.
    control("Drop");
    ASSERT_TRUE(WaitFor([&] { return w->cmdConnect->isVisibleTo(w.get()); }));
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Wiederverbinden"));
    EXPECT_EQ(w->txtWait->text(),
              QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet"));
    control("Restore");
    ASSERT_TRUE(WaitFor([&] { return clientLog.join('|').contains("Connected again"); }));
    w->cmdConnect->click();
    EXPECT_TRUE(w->link().LinkConnected());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    EXPECT_FALSE(w->cmdConnect->isVisibleTo(w.get()));
    control("SendOnline");
    EXPECT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 2; }));

    // The instrument's clock is shown and set to the PC's.
    w->mnuSetTime->trigger();
    auto* clock = w->findChild<frmTime*>();
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !clock->txtDateTime->text().isEmpty(); }));
    clock->cmdAkt->click();
    ASSERT_TRUE(WaitFor([&] { return !clock->isVisible(); }));
    const QString written = received().join('|');
    EXPECT_TRUE(written.contains("$slt?")) << written.toStdString();
    control("SendOnline");
    EXPECT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 3; }));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();

    // Shutdown: notifications off, the link closed as asked, no loss reported.
    w->mnuEnd_Click();
    EXPECT_FALSE(w->link().LinkConnected());
    EXPECT_TRUE(clientLog.join('|').contains("Link Disconnected C464E3123456"));
}

// The memory download of the screenshot: taken halfway, with the bar counting the values and the
// memory read before still in the table.
TEST_F(BleMainWindowSim, ScreenshotOfADownloadInProgress) {
    start({"--memories", "1:25,2:400"});
    w->show();
    connectInstrument();
    ASSERT_TRUE(w->link().LinkConnected());
    download(0);
    ASSERT_EQ(w->MSFlex->rowCount(), 25);
    QPixmap picture;
    QObject::connect(&w->link(), &InstrumentLink::progress, w.get(), [&](int values) {
        if (values >= 200 && picture.isNull())
            picture = w->grab();
    });
    download(1);
    EXPECT_EQ(w->MSFlex->rowCount(), 400);
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("ble-download.png"))));
}

} // namespace

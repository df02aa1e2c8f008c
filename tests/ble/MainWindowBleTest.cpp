#include "BleSimFixture.h"
#include "ScriptedBleInstrument.h"
#include "app/LinkDisplay.h"
#include "ble_ui/BLE.h"
#include "core/BleGatt.h"
#include "core/QStringPrinter.h"
#include "extras/frmInfo.h"
#include "extras/frmTime.h"
#include "link/ble/BleLink.h"
#include "support/BleConnect.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The value columns of a measurement line.
double ValueOf(const QString& line) {
    return line.mid(6, 10).trimmed().toDouble();
}

// The main window of a "DPB" installation over the real LE link and exchange, with the
// instrument answering through the scripted client in this process.
class BleMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        instrument.instrument.setMemories({{"1", 12}, {"2", 0}, {"3", 30}});
        w = install.startWith([this](frmTransfer& window) {
            link = new BleLink(client, install.platform, window.state().Device);
            return link;
        });
    }

    void connectInstrument() { ConnectThroughBleWindow(*w); }

    QStringList calls(const QString& prefix) const {
        QStringList found;
        for (const QString& c : client->calls)
            if (c.startsWith(prefix))
                found << c;
        return found;
    }
    QStringList messages() const { return install.platform.messageTexts(); }
    QString log() const {
        return ReadText(w->state().AppDataPath + QStringLiteral("/Tavelin_TransferLog.txt"));
    }
    void download(int entry) {
        w->cmbSpeicher->setCurrentIndex(entry);
        w->cmdLesen->click();
    }

    TestInstallation install{QStringLiteral("DPB\r\n")};
    ScriptedBleClient* client = new ScriptedBleClient;
    ScriptedBleInstrument instrument{*client};
    BleLink* link = nullptr;
    std::unique_ptr<frmTransfer> w;
};

TEST_F(BleMainWindow, ConnectIdentifiesAndListsTheMemories) {
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Bitte warten...."));
    connectInstrument();

    EXPECT_TRUE(w->link().LinkConnected());
    EXPECT_EQ(calls("Write|").first(),
              "Write|id-" + BleGatt::CommandService + "|id-" + BleGatt::CommandChar + "|$zorv00!");
    EXPECT_EQ(w->state().Device.IdentS, QStringLiteral("0815-22"));
    EXPECT_EQ(w->state().Device.PT, QStringLiteral("FN5"));
    ASSERT_EQ(w->cmbSpeicher->count(), 3);
    EXPECT_EQ(w->cmbSpeicher->itemText(0), QStringLiteral("S    1  (12)"));
    EXPECT_EQ(w->cmbSpeicher->itemText(1), QStringLiteral("S    2   (0)"));
    EXPECT_EQ(w->cmbSpeicher->currentIndex(), 0);
    for (QWidget* shown : std::initializer_list<QWidget*>{w->cmbSpeicher, w->cmdRefresh,
                                                          w->cmdLesen, w->picBth, w->txtWait})
        EXPECT_TRUE(shown->isVisibleTo(w.get())) << shown->objectName().toStdString();
    EXPECT_FALSE(w->cmdConnect->isVisibleTo(w.get()));
    EXPECT_FALSE(w->optFE->isVisibleTo(w.get()));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    EXPECT_EQ(w->state().Kind, MemoryKind::Online);
    EXPECT_TRUE(w->optOnline->isChecked());
    // The directory read ends with the notifications on.
    EXPECT_TRUE(instrument.subscribed);
    EXPECT_FALSE(w->bleWindow().isVisible());
    EXPECT_EQ(w->bleWindow().cmdConnect->text(), QStringLiteral("Trennen"));
    EXPECT_TRUE(log().contains(QStringLiteral("connected echt 0 OK")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();

    // Refresh lists the memories anew.
    instrument.instrument.setMemories({{"7", 4}});
    w->cmdRefresh->click();
    ASSERT_EQ(w->cmbSpeicher->count(), 1);
    EXPECT_EQ(w->cmbSpeicher->itemText(0), QStringLiteral("S    7   (4)"));
}

TEST_F(BleMainWindow, TheWindowClosedWithoutALinkLeavesTheMainWindowNotConnected) {
    QTimer::singleShot(0, w.get(), [this] { w->bleWindow().close(); });
    w->cmdConnect->click();
    EXPECT_TRUE(calls("Write|").isEmpty());
    EXPECT_FALSE(w->link().LinkConnected());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Nicht Verbunden"));
    EXPECT_TRUE(w->cmdConnect->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Verbinden"));
    EXPECT_TRUE(messages().isEmpty());
    // What needs no instrument stays usable.
    for (QPushButton* usable : {w->cmdOpen, w->cmdWerte, w->cmdEnde})
        EXPECT_TRUE(usable->isEnabled()) << usable->objectName().toStdString();
    // The user can try again.
    connectInstrument();
    EXPECT_TRUE(w->link().LinkConnected());
}

TEST_F(BleMainWindow, DownloadShowsItsProgressAndFillsTheTable) {
    connectInstrument();
    QProgressBar* bar = w->linkDisplay().prgDownload;
    QStringList shown;
    QObject::connect(&w->link(), &InstrumentLink::progress, w.get(), [&] {
        if (bar->isVisibleTo(w.get()))
            shown << bar->text();
    });
    client->calls.clear();
    download(2);

    EXPECT_EQ(w->MSFlex->rowCount(), 30);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 30);
    EXPECT_EQ(w->state().Kind, MemoryKind::FE);
    EXPECT_TRUE(w->optFE->isChecked());
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Speicher 3 (30)"));
    EXPECT_EQ(w->state().Device.MemoryNumber, 3);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QStringLiteral("5 von 30 Werten"));
    EXPECT_EQ(shown.last(), QStringLiteral("30 von 30 Werten"));
    EXPECT_FALSE(bar->isVisibleTo(w.get()));
    EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, 30).Value,
                     ValueOf(instrument.instrument.memoryLines(2).last()));
    // Notifications are off while the memory is read, on again after it; the probe is released.
    EXPECT_EQ(calls("Write|"),
              QStringList(
                  {"Write|id-" + BleGatt::DataService + "|id-" + BleGatt::StorageInfoChar + "|3",
                   "Write|id-" + BleGatt::DataService + "|id-" + BleGatt::StorageInfoChar + "|-"}));
    EXPECT_TRUE(instrument.subscribed);
    EXPECT_TRUE(instrument.instrument.probeReleased());
    EXPECT_TRUE(log().contains(QStringLiteral("Ende Speicher lesen vor sub True")));
    EXPECT_TRUE(w->cmdLesen->isEnabled());
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
}

TEST_F(BleMainWindow, ADownloadCancelledOrUnansweredLeavesTheTableAsItWas) {
    connectInstrument();
    download(0);
    ASSERT_EQ(w->MSFlex->rowCount(), 12);
    const double before = w->state().Store.at(MemoryKind::FE, 1).Value;

    QObject::connect(&w->link(), &InstrumentLink::progress, w.get(),
                     [this] { w->linkDisplay().cmdAbbrechen->click(); });
    download(2);
    EXPECT_EQ(w->MSFlex->rowCount(), 12);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 12);
    EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, 1).Value, before);
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Speicher 1 (12)"));
    EXPECT_TRUE(log().contains(QStringLiteral("Speicher lesen: abgebrochen")));
    EXPECT_TRUE(instrument.subscribed);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(w->cmdLesen->isEnabled());

    // The link drops in the middle: the download ends at once, not by its time limit.
    QObject::disconnect(&w->link(), &InstrumentLink::progress, w.get(), nullptr);
    QObject::connect(&w->link(), &InstrumentLink::progress, w.get(), [this] {
        instrument.silentBlocks = true;
        instrument.drop();
    });
    link->setBusyTimeoutMs(60000);
    download(2);
    EXPECT_EQ(messages(), QStringList{"Bluetooth Verbindung nicht bereit"});
    EXPECT_EQ(w->MSFlex->rowCount(), 12);
    EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, 1).Value, before);

    install.platform.clearMessages();
    QObject::disconnect(&w->link(), &InstrumentLink::progress, w.get(), nullptr);
    link->setBusyTimeoutMs(300);
    instrument.silentBlocks = true;
    download(2);
    EXPECT_EQ(messages(), QStringList{"Keine Antwort vom Bluetooth Gerät"});
    EXPECT_EQ(w->MSFlex->rowCount(), 12);
    EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::FE, 1).Value, before);
    EXPECT_TRUE(w->cmdLesen->isEnabled());
}

TEST_F(BleMainWindow, ADownloadReadsOnUntilTheInstrumentsEmptyValue) {
    instrument.instrument.setListedSize(2, 22);
    connectInstrument();
    download(2);
    EXPECT_EQ(w->MSFlex->rowCount(), 30);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 30);
    EXPECT_TRUE(instrument.instrument.probeReleased());
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
}

TEST_F(BleMainWindow, ANotificationThatIsNoValueIsToldAndTheOnlineTableStaysOffered) {
    connectInstrument();
    ASSERT_FALSE(instrument.notify().isEmpty());
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 1; }, 5000));
    instrument.notify(QStringLiteral("abc"));
    ASSERT_TRUE(WaitFor([&] { return !messages().isEmpty(); }, 5000));
    EXPECT_TRUE(messages().first().startsWith(QStringLiteral("Fill Messdaten: ")))
        << messages().join('|').toStdString();
    EXPECT_TRUE(log().contains(QStringLiteral("Fill Messdaten: ")));
    EXPECT_EQ(w->MSFlex->rowCount(), 1);
    EXPECT_TRUE(w->optOnline->isEnabled());
    instrument.notify();
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 2; }, 5000));
}

TEST_F(BleMainWindow, EntriesThatNameNoMemoryAreRefused) {
    connectInstrument();
    download(0);
    ASSERT_EQ(w->MSFlex->rowCount(), 12);
    download(1);
    EXPECT_EQ(w->txtSpeicher->text(), QStringLiteral("Speicher leer"));
    EXPECT_EQ(w->MSFlex->rowCount(), 12);

    instrument.instrument.setMemories({{"Bridge", 12}});
    w->cmdRefresh->click();
    download(0);
    EXPECT_EQ(messages(), QStringList{"Bitte einen Speicher auswählen\r\n"});

    instrument.instrument.setMemories({});
    w->cmdRefresh->click();
    EXPECT_EQ(w->cmbSpeicher->currentText(), QStringLiteral("Speicher leer"));
    install.platform.clearMessages();
    download(0);
    EXPECT_EQ(messages(), QStringList{"Keine Speicher vorhanden\r\n"});
    EXPECT_EQ(w->MSFlex->rowCount(), 12);
}

TEST_F(BleMainWindow, OnlineValuesComeIntoTheOnlineTableAndBringItIntoView) {
    connectInstrument();
    QString line = instrument.notify();
    ASSERT_FALSE(line.isEmpty());
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 1; }, 5000));
    // The large box shows the value as the table does, with its unit.
    EXPECT_EQ(w->txtSpeicher->text(),
              w->MSFlex->item(0, 2)->text() + line.mid(17, 4).replace(QStringLiteral("ym"), "µm"));
    EXPECT_EQ(w->optOnline->text(), QStringLiteral("Online (1)"));
    EXPECT_FALSE(w->txtSpeicher->text().isEmpty());

    download(0);
    ASSERT_EQ(w->state().Kind, MemoryKind::FE);
    instrument.notify();
    ASSERT_TRUE(WaitFor([&] { return w->state().Kind == MemoryKind::Online; }, 5000));
    EXPECT_TRUE(w->optOnline->isChecked());
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 12);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BleMainWindow, ALostLinkOffersReconnectAndComesBack) {
    connectInstrument();
    instrument.drop();
    ASSERT_TRUE(WaitFor([&] { return w->cmdConnect->isVisibleTo(w.get()); }, 5000));
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Wiederverbinden"));
    EXPECT_EQ(w->txtWait->text(),
              QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet"));
    EXPECT_TRUE(w->picBthBlitz->isVisibleTo(w.get()));
    EXPECT_FALSE(w->picBth->isVisibleTo(w.get()));
    EXPECT_EQ(w->link().state(), InstrumentLink::State::Lost);
    EXPECT_TRUE(log().contains(QStringLiteral("Disconnected ausser reichweite")));

    // A language switch keeps offering the reconnect.
    w->English_Click();
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("ReConnect"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Device out of bluetooth range or switched off"));
    w->German_Click();

    // Still away: the subscription is refused and the user is told what to do.
    client->refuse["Subscribe"] = {BleClient::NotConnected, "not connected"};
    w->cmdConnect->click();
    EXPECT_EQ(messages(), QStringList{"Bitte Gerät einschalten, 3 Sekunden warten und "
                                      "Wiederverbinden drücken"});
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Wiederverbinden"));

    client->refuse.clear();
    client->calls.clear();
    w->cmdConnect->click();
    EXPECT_EQ(
        client->calls,
        QStringList({"Unsubscribe|id-" + BleGatt::DataService + "|id-" + BleGatt::MeasureChar,
                     "Subscribe|id-" + BleGatt::DataService + "|id-" + BleGatt::MeasureChar}));
    EXPECT_TRUE(w->link().LinkConnected());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    EXPECT_FALSE(w->cmdConnect->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Verbinden"));
    EXPECT_TRUE(w->picBth->isVisibleTo(w.get()));
    EXPECT_FALSE(w->picBthBlitz->isVisibleTo(w.get()));
    instrument.notify();
    EXPECT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 1; }, 5000));
}

TEST_F(BleMainWindow, AClientReportOfTheLinkGoneAndBackShowsDisconnectedThenReconnect) {
    connectInstrument();
    emit client->Log(0, "Link Disconnected: out of range or switched off", 0);
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Getrennt"));
    EXPECT_FALSE(w->cmdConnect->isVisibleTo(w.get()));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Getrennt"));
    EXPECT_FALSE(w->link().LinkConnected());
    emit client->Log(0, "Link Connected again C464E3123456", 0);
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Wiederverbinden"));
    EXPECT_TRUE(w->cmdConnect->isVisibleTo(w.get()));
}

TEST_F(BleMainWindow, AClientErrorClosesTheLinkAndTheMainWindowOffersConnectAgain) {
    connectInstrument();
    emit client->Error(BleClient::WriteFailed, "refused");
    ASSERT_TRUE(WaitFor([&] { return !w->link().LinkConnected(); }, 5000));
    EXPECT_EQ(messages(), QStringList{"Error6 refused"});
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Nicht Verbunden"));
    EXPECT_TRUE(w->cmdConnect->isVisibleTo(w.get()));
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Verbinden"));
    EXPECT_FALSE(w->picBth->isVisibleTo(w.get()));
    // The instrument of this run is connected again without a new scan.
    client->calls.clear();
    QTimer::singleShot(0, w.get(), [this] { w->bleWindow().cmdConnect->click(); });
    w->cmdConnect->click();
    EXPECT_TRUE(w->link().LinkConnected());
    EXPECT_TRUE(client->calls.contains(QStringLiteral("Connect|C464E3123456")));
}

TEST_F(BleMainWindow, ShutdownUnsubscribesAndDisconnects) {
    connectInstrument();
    client->calls.clear();
    w->mnuEnd_Click();
    EXPECT_EQ(client->calls,
              QStringList({"Unsubscribe|id-" + BleGatt::DataService + "|id-" + BleGatt::MeasureChar,
                           "Disconnect"}));
    EXPECT_FALSE(log().contains(QStringLiteral("ausser reichweite")));
}

TEST_F(BleMainWindow, ShutdownAsksTwiceWhenTheLinkDoesNotClose) {
    connectInstrument();
    instrument.silentDisconnect = true;
    client->calls.clear();
    w->mnuEnd_Click();
    EXPECT_EQ(calls("Disconnect"), QStringList({"Disconnect", "Disconnect"}));
}

TEST_F(BleMainWindow, CaptionsOfTheConnectWindowFollowTheLanguage) {
    w->English_Click();
    EXPECT_EQ(w->bleWindow().cmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_EQ(w->bleWindow().Label1->text(),
              QStringLiteral("Select Bluetooth device for connection"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Please wait...."));
    connectInstrument();
    EXPECT_EQ(w->bleWindow().cmdConnect->text(), QStringLiteral("Disconnect"));
    EXPECT_EQ(w->cmbSpeicher->itemText(0), QStringLiteral("M    1  (12)"));
    w->German_Click();
    EXPECT_EQ(w->bleWindow().cmdConnect->text(), QStringLiteral("Trennen"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    // An entry of the other language's prefix is still read.
    download(0);
    EXPECT_EQ(w->MSFlex->rowCount(), 12);
}

TEST_F(BleMainWindow, InformationAndClockFromTheMenus) {
    EXPECT_TRUE(w->mnuSetTime->isVisible());
    w->mnuInfo->trigger();
    ASSERT_EQ(install.platform.messages.size(), 1u);
    EXPECT_EQ(install.platform.messages.front().text, QStringLiteral("Delta-Pro DIVEDADE V4.05"));
    EXPECT_EQ(install.platform.messages.front().title, QStringLiteral("Version"));

    connectInstrument();
    w->mnuInfo->trigger();
    auto* info = w->findChild<frmInfo*>();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->txtSondentyp->text(), QStringLiteral("FN5/0815-22"));

    w->mnuSetTime->trigger();
    auto* clock = w->findChild<frmTime*>();
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !clock->txtDateTime->text().isEmpty(); }, 5000));
    EXPECT_FALSE(instrument.subscribed);
    EXPECT_EQ(clock->txtDateTime->text().size(), 19);
    clock->close();
    EXPECT_TRUE(WaitFor([&] { return instrument.subscribed; }, 5000));
}

} // namespace

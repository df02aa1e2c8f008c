#include "ble_ui/BLE.h"
#include "core/BleGatt.h"
#include "core/DeviceInfo.h"
#include "core/QStringPrinter.h"
#include "core/TextTable.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleLink.h"
#include "support/FakePlatformServices.h"
#include "support/ScriptedBleClient.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString Server = "C464E3123456";

// The connect window over a scripted client: an instrument that advertises, connects and offers
// its services as the real one does.
class BleWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        texts.CaptionTexts_fuellen();
        texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05");
        client.script = [this](const QStringList& call) { answer(call); };
        window.Form_Load();
    }

    void answer(const QStringList& call) {
        const QString op = call.at(0);
        if (op == "ScanStart") {
            client.later([this] {
                emit client.StartScan("");
                emit client.Advertisement(Server, "QX Delta-Pro", -58);
                emit client.Advertisement("0A0B0C0D0E0F", "Headset", -40);
                emit client.Advertisement(Server, "QX Delta-Pro", -60);
                emit client.Advertisement("112233445566", "QX Second", -71);
            });
        } else if (op == "Connect") {
            client.later([this] { emit client.Connected(0, "OK"); });
        } else if (op == "Discover") {
            client.later([this] {
                offer(BleGatt::CommandService, {BleGatt::CommandChar, BleGatt::TraceChar});
                if (!commandServiceOnly)
                    offer(BleGatt::DataService, {BleGatt::StorageInfoChar, BleGatt::StorageDataChar,
                                                 BleGatt::MeasureChar});
            });
        } else if (op == "Disconnect") {
            client.later([this] { emit client.Disconnected(0, "OK"); });
        }
    }

    void offer(const QString& service, const QStringList& characteristics) {
        emit client.Discovered(0, "id-" + service, "", "", service, "Service");
        for (const QString& c : characteristics)
            emit client.Discovered(1, "id-" + service, "id-" + c, "", c, "Characteristic");
    }

    void scan() {
        window.cmdScan->click();
        platform.waitUntil([this] { return window.lbDevices->count() == 2; }, 5000, false);
    }

    void connectFirst() {
        scan();
        window.lbDevices->setCurrentRow(0);
        window.cmdConnect->click();
    }

    TextTable texts;
    ScriptedBleClient& client = *new ScriptedBleClient; // the link owns it
    FakePlatformServices platform;
    DeviceInfo device;
    BleLink link{&client, platform, device};
    QStringList logLines;
    QList<BleLinkView> views;
    int completed = 0;
    bool closing = false;
    bool commandServiceOnly = false;
    BLE window{
        {link, platform, texts, [] { return 0; }, [this](const QString& t) { logLines.append(t); },
         [] { return QStringLiteral("Delta-Pro DIVEDADE V4.05"); }, [this] { return closing; },
         [this](BleLinkView v) { views.append(v); }, [this] { ++completed; }}};
};

TEST_F(BleWindowTest, LoadConfiguresTheClientAndCaptions) {
    EXPECT_EQ(client.calls,
              QStringList({"Config|LogLevel=3", "Config|AutoDiscoverCharacteristics = true",
                           "Config|AutoDiscoverDescriptors = true"}));
    EXPECT_EQ(window.cmdConnect->text(), "Verbinden");
    EXPECT_EQ(window.Label1->text(), "Bluetooth Gerät zum Verbinden auswählen");
    window.Form_Load();
    EXPECT_EQ(client.calls.at(3), "Config|LogLevel=0");
}

TEST_F(BleWindowTest, ScanListsEachQxInstrumentOnce) {
    scan();
    ASSERT_EQ(window.lbDevices->count(), 2);
    EXPECT_EQ(window.lbDevices->item(0)->text(),
              "MAC: C464E3123456 Name: QX Delta-Pro       RSSI: -58");
    EXPECT_TRUE(window.lbDevices->item(1)->text().contains("QX Second"));
    EXPECT_EQ(window.cmdScan->text(), "Stop");
    EXPECT_EQ(window.txtLog->text(), "Scanning ...");
    EXPECT_TRUE(client.calls.contains("ScanOption|true"));
    EXPECT_TRUE(logLines.first().startsWith("Scan "));

    window.cmdScan->click();
    EXPECT_EQ(client.calls.last(), "ScanStop");
    EXPECT_EQ(window.cmdScan->text(), "Scan");
}

TEST_F(BleWindowTest, AScanThatCannotStartSaysSo) {
    client.refuse["ScanStart"] = {BleClient::NoAdapter, "no adapter"};
    window.cmdScan->click();
    EXPECT_EQ(platform.messageTexts(),
              QStringList{"Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden\r\n"});
}

TEST_F(BleWindowTest, ConnectWithNothingChosenAsksForAChoice) {
    window.cmdConnect->click();
    EXPECT_EQ(platform.messageTexts(), QStringList{"Bluetooth Gerät zum Verbinden auswählen\r\n"});
    for (const QString& call : client.calls)
        EXPECT_FALSE(call.startsWith("Connect|"));
}

TEST_F(BleWindowTest, ConnectDiscoversBothServicesAndCloses) {
    connectFirst();
    platform.waitUntil([this] { return completed > 0; }, 5000, false);
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.BleConnected);
    EXPECT_EQ(window.BleServerId, Server);
    EXPECT_TRUE(client.calls.contains("Connect|" + Server));
    EXPECT_TRUE(client.calls.contains("Discover|" + BleGatt::DataService + "," +
                                      BleGatt::CommandService + "||true|"));
    EXPECT_EQ(link.ids().MeasureCharId, "id-" + BleGatt::MeasureChar);
    EXPECT_EQ(window.cmdConnect->text(), "Trennen");
    EXPECT_EQ(window.txtLog->text(), "Verbunden" + Server);
    EXPECT_FALSE(window.cmdScan->isEnabled());

    // Disconnect, then connect again with the other instrument chosen: the first one is used.
    window.cmdConnect->click();
    platform.waitUntil([this] { return !window.BleConnected; }, 5000, false);
    EXPECT_EQ(window.cmdScan->text(), "Scan");
    EXPECT_TRUE(window.cmdScan->isEnabled());
    EXPECT_EQ(window.cmdConnect->text(), "Verbinden");
    scan();
    window.lbDevices->setCurrentRow(1);
    client.calls.clear();
    window.cmdConnect->click();
    EXPECT_TRUE(client.calls.contains("Connect|" + Server));
}

TEST_F(BleWindowTest, DiscoveryWithoutTheDataServiceEndsAfterItsTime) {
    commandServiceOnly = true;
    connectFirst();
    platform.waitUntil([this] { return client.calls.contains("Disconnect"); }, 10000, false);
    platform.waitMs(100);
    EXPECT_EQ(window.txtLog->text(), "Bitte wiederholen");
    EXPECT_TRUE(client.calls.contains("Disconnect"));
    EXPECT_EQ(completed, 0);
    EXPECT_FALSE(window.BleConnected);
}

TEST_F(BleWindowTest, AConnectThatFailsIsNotUsed) {
    client.script = [this](const QStringList& call) {
        if (call.at(0) == "Connect")
            client.later([this] { emit client.Connected(BleClient::ConnectTimedOut, "late"); });
        else
            answer(call);
    };
    connectFirst();
    platform.waitUntil([this] { return window.txtLog->text().startsWith("Bitte wiederholen"); },
                       5000, false);
    EXPECT_EQ(window.txtLog->text(), "Bitte wiederholen (late)");
    EXPECT_EQ(completed, 0);
    EXPECT_FALSE(client.calls.contains("Discover|" + BleGatt::DataService + "," +
                                       BleGatt::CommandService + "||true|"));
}

TEST_F(BleWindowTest, LossWhileSubscribedShowsOutOfRangeButNotDuringShutdown) {
    connectFirst();
    platform.waitUntil([this] { return completed > 0; }, 5000, false);
    emit client.Subscribed("", "", "", "");
    emit client.Disconnected(0, "Link lost");
    EXPECT_EQ(views, QList<BleLinkView>{BleLinkView::Lost});
    EXPECT_FALSE(window.BleConnected);
    EXPECT_FALSE(link.measureSubscribed());
    EXPECT_EQ(logLines.last(), "Disconnected ausser reichweite ");
    EXPECT_EQ(window.txtLog->text(), "Disconnected 0Link lost");

    closing = true;
    emit client.Subscribed("", "", "", "");
    emit client.Disconnected(0, "Link lost");
    EXPECT_EQ(views.size(), 1);
}

TEST_F(BleWindowTest, LogMessagesAboutTheLinkDriveTheMainWindow) {
    connectFirst();
    platform.waitUntil([this] { return completed > 0; }, 5000, false);
    emit client.Log(0, "Disconnected at start does not count", 0);
    EXPECT_TRUE(views.isEmpty());
    emit client.Log(0, "Link Disconnected: out of range", 0);
    EXPECT_EQ(views, QList<BleLinkView>{BleLinkView::Disconnected});
    EXPECT_FALSE(window.BleConnected);
    emit client.Log(0, "Link Connected again", 0);
    EXPECT_EQ(views, QList<BleLinkView>({BleLinkView::Disconnected, BleLinkView::Returned}));
}

TEST_F(BleWindowTest, AnErrorIsShownOnceAndClosesTheLink) {
    connectFirst();
    platform.waitUntil([this] { return completed > 0; }, 5000, false);
    client.calls.clear();
    emit client.Error(BleClient::ReadFailed, "refused");
    EXPECT_EQ(platform.messageTexts(), QStringList{"Error5 refused"});
    EXPECT_TRUE(client.calls.contains("Disconnect"));
}

// With SCREENSHOT_DIR set the picture is kept for a person to look at.
TEST_F(BleWindowTest, Screenshot) {
    window.show();
    scan();
    window.lbDevices->setCurrentRow(0);
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("ble-window.png"))));
}

} // namespace

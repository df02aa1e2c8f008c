#include "core/QStringPrinter.h"
#include "core/TextTable.h"
#include "extras/frmInfo.h"
#include "extras/frmTime.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleLink.h"
#include "support/FakePlatformServices.h"
#include "support/ScriptedBleClient.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class DeviceDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        texts.CaptionTexts_fuellen();
        texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05");
    }

    void save(QWidget& w, const char* name) {
        const QPixmap picture = w.grab();
        ASSERT_FALSE(picture.isNull());
        const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
        if (!folder.isEmpty())
            EXPECT_TRUE(picture.save(QDir(folder).filePath(QLatin1String(name))));
    }

    TextTable texts;
    DeviceInfo device;
    int language = 0;
    QString title = "Delta-Pro DIVEDADE";
};

class InfoTest : public DeviceDialogsTest {
protected:
    frmInfo info{{device, texts, [this] { return language; }, [this] { return title; },
                  [this] { return title + " V4.05"; }}};
};

TEST_F(InfoTest, BeforeAnyIdentificationOnlyTheVersionBox) {
    EXPECT_FALSE(InfoShowsDialog(device, false));
    EXPECT_TRUE(InfoShowsDialog(device, true));
    device.VD = "4.21";
    EXPECT_TRUE(InfoShowsDialog(device, false));
}

TEST_F(InfoTest, LeIdentificationWithSerialNumber) {
    device.ModelCode = "DPB";
    device.PT = "FN5";
    device.IdentS = "0815-22";
    device.VD = "4.21";
    device.IdentV = "1.3";
    device.VP = "";
    device.IdentB = "B7";
    device.IdentR = "2.0";
    device.AD = "C464E3123456";
    info.show();
    EXPECT_EQ(info.windowTitle(), "Delta-Pro DIVEDADE V4.05");
    EXPECT_EQ(info.txtGeraet->text(), "Delta-Pro");
    EXPECT_EQ(info.lblSondentyp->text(), "Sondentyp/SNR");
    EXPECT_EQ(info.txtSondentyp->text(), "FN5/0815-22");
    EXPECT_EQ(info.txtGeraeteSoft->text(), "4.21/1.3");
    EXPECT_EQ(info.txtSondenversion->text(), "/B7");
    EXPECT_EQ(info.txtPCSoft->text(), "2.0");
    EXPECT_EQ(info.txtMacAdr->text(), "C464E3123456");
    EXPECT_EQ(info.lblGeraet->text(), "Geraet");
    save(info, "device-info.png");

    // Shown again in English without a serial number, the label loses its suffix.
    info.hide();
    device.IdentS.clear();
    language = 1;
    info.show();
    EXPECT_EQ(info.lblSondentyp->text(), "Probetype");
    EXPECT_EQ(info.txtSondentyp->text(), "FN5");
}

TEST_F(InfoTest, ProbeVariantsAndUnknownTitles) {
    device.PT = "1";
    title = "Cirrus-Pro DIVEDADE";
    info.Form_Activate();
    EXPECT_EQ(info.txtGeraet->text(), "Delta-Pro (FE-B)");
    device.PT = "";
    device.ModelCode = "FNB";
    title = "Delta-Pro DIVEDADE";
    info.Form_Activate();
    EXPECT_EQ(info.txtGeraet->text(), "Delta-Pro (FN-B)");
    device.ModelCode = "XY";
    title = "";
    info.Form_Activate();
    EXPECT_EQ(info.txtGeraet->text(), "XY");
}

// The clock dialog over a scripted instrument whose clock answers each read.
class ClockTest : public DeviceDialogsTest {
protected:
    void SetUp() override {
        DeviceDialogsTest::SetUp();
        BleIds& ids = link.ids();
        ids.CommandServiceId = "S1";
        ids.CommandCharId = "S1/cmd";
        ids.DataServiceId = "S2";
        ids.MeasureCharId = "S2/meas";
        emit client.Subscribed("", "", "", "");
        link.setBusyTimeoutMs(500);
        client.script = [this](const QStringList& call) {
            if (call.at(0) == "Write")
                client.later(
                    [=, this] { emit client.WriteResponse("S1", call.at(2), "", "", ""); });
            else if (call.at(0) == "Read")
                client.later([this] {
                    emit client.Value("S1", "S1/cmd", "", "", "",
                                      QStringLiteral("$glt?2027-02-03/09:%1:00!")
                                          .arg(++reads, 2, 10, QChar('0')));
                });
            else if (call.at(0) == "Subscribe")
                client.later([this] { emit client.Subscribed("", "", "", ""); });
            else if (call.at(0) == "Unsubscribe")
                client.later([this] { emit client.Unsubscribed("", "", "", ""); });
        };
    }

    bool waitFor(const std::function<bool()>& done) {
        return platform.waitUntil(done, 5000, false) == PlatformServices::WaitResult::Done;
    }

    ScriptedBleClient& client = *new ScriptedBleClient; // the link owns it
    FakePlatformServices platform;
    BleLink link{&client, platform, device};
    int reads = 0;
    frmTime clock{{[this](ClockRequest request) { return link.startClockRequest(request); },
                   [this] { return link.clockReply(); }, [this] { return link.exchangeRunning(); },
                   platform, texts, [this] { return language; },
                   [this] { return title + " V4.05"; }}};
};

TEST_F(ClockTest, ShowsTheRunningClockAndSetsIt) {
    clock.show();
    ASSERT_TRUE(waitFor([this] { return reads >= 2; }));
    EXPECT_EQ(client.calls.first(), "Unsubscribe|S2|S2/meas");
    EXPECT_TRUE(clock.txtDateTime->text().startsWith("2027-02-03/09:0"));
    save(clock, "device-clock.png");

    platform.clock = QDateTime(QDate(2027, 2, 3), QTime(9, 5, 0));
    clock.cmdAkt->click();
    ASSERT_TRUE(waitFor([this] { return !clock.isVisible(); }));
    EXPECT_TRUE(client.calls.contains("Write|S1|S1/cmd|$slt?2027-02-03/09:05:00!\r\n"));
    EXPECT_EQ(clock.txtDateTime->text(), "2027-02-03/09:05:00");
    EXPECT_EQ(clock.lblDatelog->text(), "Datum/Zeit wurde aktualisert");
    ASSERT_TRUE(waitFor([this] { return link.measureSubscribed(); }));
    EXPECT_EQ(client.calls.last(), "Subscribe|S2|S2/meas");
}

// A clock that could not be set is not reported as set: the reason stays in view with the dialog.
TEST_F(ClockTest, AClockThatCannotBeSetSaysWhyAndStaysOpen) {
    clock.show();
    ASSERT_TRUE(waitFor([this] { return reads >= 1; }));
    client.refuse["Write"] = {BleClient::NotConnected, "not connected"};
    clock.cmdAkt->click();
    ASSERT_TRUE(waitFor([this] { return !clock.lblDatelog->text().isEmpty(); }));
    EXPECT_EQ(clock.lblDatelog->text(), "Bluetooth Verbindung nicht bereit");
    EXPECT_FALSE(clock.reading());
    EXPECT_TRUE(clock.isVisible());
}

TEST_F(ClockTest, EscStopsTheDisplayAndTheCloseBoxSubscribesAgain) {
    clock.show();
    ASSERT_TRUE(waitFor([this] { return reads >= 1; }));
    platform.escape = true;
    ASSERT_TRUE(waitFor([this] { return !clock.reading(); }));
    const int readsWhenStopped = reads;
    platform.waitMs(3 * frmTime::PollEveryMs);
    EXPECT_EQ(reads, readsWhenStopped);
    EXPECT_TRUE(clock.isVisible());
    EXPECT_FALSE(link.measureSubscribed());

    clock.close();
    ASSERT_TRUE(waitFor([this] { return link.measureSubscribed(); }));
    EXPECT_FALSE(clock.isVisible());
}

TEST_F(ClockTest, ClosingWhileReadingWaitsForTheReadThenSubscribes) {
    clock.show();
    ASSERT_TRUE(waitFor([this] { return reads >= 1; }));
    clock.close();
    ASSERT_TRUE(waitFor([this] { return !clock.isVisible(); }));
    ASSERT_TRUE(waitFor([this] { return link.measureSubscribed(); }));
    EXPECT_FALSE(clock.reading());
}

} // namespace

#include "BleSimFixture.h"
#include "ble_ui/BLE.h"
#include "core/DeviceInfo.h"
#include "core/QStringPrinter.h"
#include "core/TextTable.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleLink.h"
#include "support/FakePlatformServices.h"

#include <QListWidget>
#include <QPushButton>

namespace {

// The connect window over the real client and the simulated instrument: what a user does from
// the scan to a link that drops and comes back.
class BleWindowLinkTest : public BleSimTest {
protected:
    void SetUp() override {
        BleSimTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(startSimulator());
        texts.CaptionTexts_fuellen();
        texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05");
        link = std::make_unique<BleLink>(client.get(), platform, device);
        QObject::connect(link.get(), &InstrumentLink::lineReceived,
                         [this](const QString& line) { online.append(line); });
        window = std::make_unique<BLE>(BleWindowContext{
            *link, platform, texts, [] { return 0; }, [](const QString&) {},
            [] { return QStringLiteral("Delta-Pro DIVEDADE V4.05"); }, [] { return false; },
            [this](BleLinkView view) { views.append(view); }, [this] { ++completed; }});
        window->Form_Load();
    }

    void TearDown() override {
        window.reset();
        // The fixture owns the client.
        client->setParent(nullptr);
        link.reset();
        BleSimTest::TearDown();
    }

    TextTable texts;
    FakePlatformServices platform;
    DeviceInfo device;
    std::unique_ptr<BleLink> link;
    std::unique_ptr<BLE> window;
    QList<BleLinkView> views;
    QStringList online;
    int completed = 0;
};

TEST_F(BleWindowLinkTest, ConnectIdentifyLoseAndComeBack) {
    window->cmdScan->click();
    ASSERT_TRUE(WaitFor([this] { return window->lbDevices->count() == 1; }));
    EXPECT_TRUE(window->lbDevices->item(0)->text().startsWith("MAC: C464E3123456 Name: QX"));
    window->lbDevices->setCurrentRow(0);
    window->cmdConnect->click();
    ASSERT_TRUE(WaitFor([this] { return completed == 1; }));
    EXPECT_EQ(window->result(), QDialog::Accepted);

    ASSERT_TRUE(link->identify());
    ASSERT_TRUE(WaitFor([this] { return !link->exchangeRunning(); }));
    EXPECT_EQ(link->lastOutcome(), InstrumentLink::Outcome::Done);
    EXPECT_EQ(device.IdentS, "0815-22");
    ASSERT_TRUE(link->startClockRequest(ClockRequest::Resume));
    ASSERT_TRUE(WaitFor([this] { return !link->exchangeRunning(); }));
    ASSERT_TRUE(link->clockReply().Outcome.ok());

    control("Drop");
    ASSERT_TRUE(WaitFor([this] { return views.contains(BleLinkView::Lost); }));
    EXPECT_FALSE(window->BleConnected);
    control("Restore");
    ASSERT_TRUE(waitEvent("Log|Link Connected again"));

    // The main window's re-connection: notifications off and on again on the returned link.
    ASSERT_TRUE(link->restoreMeasure());
    ASSERT_TRUE(WaitFor([this] { return !link->exchangeRunning(); }));
    ASSERT_EQ(link->lastOutcome(), InstrumentLink::Outcome::Done);
    const QString line = control("SendOnline").arguments().value(0).toString();
    ASSERT_TRUE(WaitFor([this] { return !online.isEmpty(); }));
    EXPECT_EQ(online, QStringList{line});

    window->cmdConnect->click();
    ASSERT_TRUE(WaitFor([this] { return window->cmdScan->text() == "Scan"; }));
    EXPECT_TRUE(window->cmdScan->isEnabled());
    EXPECT_EQ(window->cmdConnect->text(), "Verbinden");
}

} // namespace

#include "BleSimFixture.h"
#include "ble_ui/BLE.h"
#include "core/QStringPrinter.h"
#include "core/TextTable.h"
#include "link/ble/BleExchange.h"
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
        exchange = std::make_unique<BleExchange>(*client, platform, device);
        QObject::connect(exchange.get(), &BleExchange::onlineLine,
                         [this](const QString& line) { online.append(line); });
        window = std::make_unique<BLE>(BleWindowContext{
            *client, *exchange, platform, texts, [] { return 0; }, [](const QString&) {},
            [] { return QStringLiteral("Delta-Pro DIVEDADE V4.05"); }, [] { return false; },
            [this](BleLinkView view) { views.append(view); }, [this] { ++completed; }});
        window->Form_Load();
    }

    void TearDown() override {
        window.reset();
        exchange.reset();
        BleSimTest::TearDown();
    }

    TextTable texts;
    FakePlatformServices platform;
    DeviceInfo device;
    std::unique_ptr<BleExchange> exchange;
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

    ASSERT_TRUE(exchange->identify().ok());
    EXPECT_EQ(device.IdentS, "0815-22");
    ASSERT_TRUE(exchange->resumeMeasure().ok());

    control("Drop");
    ASSERT_TRUE(WaitFor([this] { return views.contains(BleLinkView::Lost); }));
    EXPECT_FALSE(window->BleConnected);
    control("Restore");
    ASSERT_TRUE(waitEvent("Log|Link Connected again"));

    // The main window's re-connection: notifications off and on again on the returned link.
    exchange->BleBusy = BleExchange::Busy;
    ASSERT_TRUE(exchange->UnsubMeasure());
    ASSERT_TRUE(exchange->waitBusy().ok());
    ASSERT_TRUE(exchange->resumeMeasure().ok());
    const QString line = control("SendOnline").arguments().value(0).toString();
    ASSERT_TRUE(WaitFor([this] { return !online.isEmpty(); }));
    EXPECT_EQ(online, QStringList{line});

    window->cmdConnect->click();
    ASSERT_TRUE(WaitFor([this] { return window->cmdScan->text() == "Scan"; }));
    EXPECT_TRUE(window->cmdScan->isEnabled());
    EXPECT_EQ(window->cmdConnect->text(), "Verbinden");
}

} // namespace

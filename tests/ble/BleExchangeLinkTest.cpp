#include "BleSimFixture.h"
#include "core/QStringPrinter.h"
#include "link/ble/BleExchange.h"
#include "support/FakePlatformServices.h"

namespace {

// The exchange over the real client and the simulated instrument.
class BleExchangeLinkTest : public BleSimTest {
protected:
    void SetUp() override {
        BleSimTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(startSimulator({"--memories", "Bridge:12,Plate:31,Empty:0"}));
        exchange = std::make_unique<BleExchange>(*client, platform, device);
        QObject::connect(
            client.get(), &BleClient::Discovered,
            [this](int type, const QString& sid, const QString& cid, const QString&,
                   const QString& uuid) { exchange->ids().takeDiscovered(type, sid, cid, uuid); });
        QObject::connect(exchange.get(), &BleExchange::onlineLine,
                         [this](const QString& line) { online.append(line); });
        connectAndDiscover();
        ASSERT_TRUE(exchange->ids().linkServiceReady());
        ASSERT_TRUE(exchange->ids().dataServiceReady());
    }

    FakePlatformServices platform;
    DeviceInfo device;
    std::unique_ptr<BleExchange> exchange;
    QStringList online;
};

TEST_F(BleExchangeLinkTest, IdentifyListAndDownloadAMemory) {
    ASSERT_TRUE(exchange->identify().ok());
    EXPECT_EQ(device.PT, "FN5");
    EXPECT_EQ(device.IdentS, "0815-22");
    EXPECT_EQ(device.AD, "C464E3123456");

    ASSERT_TRUE(exchange->readDirectory().ok());
    EXPECT_EQ(exchange->Directory.StorageNames, QStringList({"Bridge", "Plate", "Empty"}));
    EXPECT_EQ(exchange->Directory.StorageSizes, QList<qint16>({12, 31, 0}));
    EXPECT_TRUE(exchange->MeasureSubscribed);

    int shown = 0;
    const BleMemoryRead read = exchange->readMemory(
        1, [&](int done, int) { shown = done; }, [] { return false; });
    ASSERT_TRUE(read.Outcome.ok()) << read.Outcome.Message.toStdString();
    EXPECT_EQ(read.Lines, control("MemoryLines", {1}).arguments().value(0).toStringList());
    EXPECT_EQ(shown, 31);
    EXPECT_EQ(received().mid(1), QStringList({"Plate", "-"}));
    EXPECT_EQ(exchange
                  ->readMemory(
                      2, [](int, int) {}, [] { return false; })
                  .Outcome.Result,
              BleOutcome::Empty);
}

TEST_F(BleExchangeLinkTest, OnlineValuesArriveWhileSubscribed) {
    ASSERT_TRUE(exchange->resumeMeasure().ok());
    const QString line = control("SendOnline").arguments().value(0).toString();
    ASSERT_TRUE(WaitFor([&] { return !online.isEmpty(); }));
    EXPECT_EQ(online, QStringList{line});
    ASSERT_TRUE(exchange->suspendMeasure().ok());
    EXPECT_TRUE(control("SendOnline").arguments().value(0).toString().isEmpty());
}

TEST_F(BleExchangeLinkTest, ClockIsReadAndSet) {
    ASSERT_TRUE(exchange->readClock().ok());
    EXPECT_TRUE(QDateTime::fromString(exchange->BleResponseText, "yyyy-MM-dd/HH:mm:ss").isValid())
        << exchange->BleResponseText.toStdString();

    platform.clock = QDateTime(QDate(2027, 2, 3), QTime(9, 5, 0));
    ASSERT_TRUE(exchange->WriteTime());
    ASSERT_TRUE(WaitFor([&] { return received().contains("$slt?2027-02-03/09:05:00!\r\n"); }));
    ASSERT_TRUE(exchange->readClock().ok());
    EXPECT_TRUE(exchange->BleResponseText.startsWith("2027-02-03/09:0"))
        << exchange->BleResponseText.toStdString();
}

TEST_F(BleExchangeLinkTest, ALostLinkEndsAWaitWithAMessage) {
    exchange->setBusyTimeoutMs(500);
    control("Drop");
    ASSERT_TRUE(waitEvent("Disconnected|"));
    const BleOutcome outcome = exchange->readClock();
    EXPECT_EQ(outcome.Result, BleOutcome::CallFailed);
    EXPECT_FALSE(outcome.Message.isEmpty());
}

} // namespace

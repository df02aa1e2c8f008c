#include "ScriptedBleInstrument.h"
#include "core/BleGatt.h"
#include "core/QStringPrinter.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleLink.h"
#include "support/FakePlatformServices.h"
#include "support/Refusals.h"

#include <gtest/gtest.h>

namespace {

// The LE link on its own, the ids set as discovery leaves them, with the scripted instrument
// answering in this process. While subscribed, the instrument sends an online value whenever a
// request reaches it, as one that goes on measuring.
class BleLinkGate : public ::testing::Test {
protected:
    void SetUp() override {
        instrument.instrument.setMemories({{"1", 12}, {"2", 30}});
        for (const QString& uuid : {BleGatt::CommandService, BleGatt::DataService})
            link.ids().takeDiscovered(BleClient::GattService, instrument.serviceId(uuid), {}, uuid);
        for (const QString& uuid : {BleGatt::CommandChar, BleGatt::StorageInfoChar,
                                    BleGatt::StorageDataChar, BleGatt::MeasureChar})
            link.ids().takeDiscovered(BleClient::GattCharacteristic, {}, instrument.serviceId(uuid),
                                      uuid);
        client.script = [this, answer = client.script](const QStringList& call) {
            if (const QString line = instrument.notify(); !line.isEmpty())
                notified << line;
            answer(call);
        };
    }

    InstrumentLink::Outcome wait() {
        platform.waitUntil([this] { return !link.exchangeRunning(); }, 10000, false);
        return link.lastOutcome();
    }

    FakePlatformServices platform;
    DeviceInfo device;
    ScriptedBleClient& client = *new ScriptedBleClient; // the link owns it
    ScriptedBleInstrument instrument{client};
    BleLink link{&client, platform, device};
    QStringList notified;
};

TEST_F(BleLinkGate, ADownloadRefusesOtherRequestsAndHoldsOnlineValuesUntilItEnds) {
    ASSERT_TRUE(link.readDirectory());
    ASSERT_EQ(wait(), InstrumentLink::Outcome::Done);
    ASSERT_EQ(link.memories().size(), 2);
    ASSERT_TRUE(link.measureSubscribed());

    QStringList problems;
    QObject::connect(&link, &InstrumentLink::problem,
                     [&](const QString& text) { problems << text; });
    QStringList received;
    QObject::connect(&link, &InstrumentLink::lineReceived, [&](const QString& line) {
        const QString when = link.exchangeRunning() ? "during " : "after ";
        received << when + line;
    });
    QList<bool> taken;
    QStringList refusals;
    QObject::connect(&link, &InstrumentLink::progress, [&] {
        if (!taken.isEmpty())
            return;
        const qsizetype before = problems.size();
        taken << link.readDirectory() << link.identify()
              << link.startClockRequest(ClockRequest::Read) << link.readMemory(MemoryKind::FE, 0);
        refusals = problems.mid(before);
    });
    notified.clear();
    ASSERT_TRUE(link.readMemoryAt(1));
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Done);

    EXPECT_EQ(taken, QList<bool>(4, false));
    ExpectRefusals(refusals, {"readDirectory", "identify", "clock", "readMemory"});
    EXPECT_EQ(link.answerText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
              instrument.instrument.memoryLines(1));

    // One value in flight as notifications go off, one after they are on again.
    ASSERT_GE(notified.size(), 2);
    QStringList expected;
    for (const QString& line : std::as_const(notified)) {
        expected << QStringLiteral("after ") + line;
        EXPECT_FALSE(link.answerText().contains(line)) << line.toStdString();
    }
    EXPECT_EQ(received, expected);
}

} // namespace

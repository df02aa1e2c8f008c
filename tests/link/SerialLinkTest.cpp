#include "link/serial/SerialLink.h"
#include "core/MemoryDownload.h"
#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/FakePlatformServices.h"
#include "support/Refusals.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int Com = 7;

// The serial link on its own, without a window, against a simulated instrument on COM7.
class SerialLinkTest : public ::testing::Test {
protected:
    void start(const QString& model, SimOptions options = {}) {
        ASSERT_TRUE(appData.isValid());
        options.PortsFolder = PortsFolder(appData.path());
        options.ComNumber = Com;
        ASSERT_FALSE(sim.start(model, options).isEmpty()) << sim.errorString().toStdString();
        link.setSettingsFolder(appData.path());
        QObject::connect(&link, &InstrumentLink::problem,
                         [this](const QString& text) { problems << text; });
    }
    InstrumentLink::Outcome wait() {
        platform.waitUntil([this] { return !link.exchangeRunning(); }, 10000, false);
        return link.lastOutcome();
    }

    QTemporaryDir appData;
    InstrumentSimulator sim;
    FakePlatformServices platform;
    SerialLink link{platform, QStringLiteral("K")};
    QStringList problems;
};

TEST_F(SerialLinkTest, ChecksReadsAMemoryAndReportsProgress) {
    SimOptions options;
    options.FeCount = 40;
    start(QStringLiteral("DP"), options);
    QSignalSpy states(&link, &InstrumentLink::stateChanged);
    link.checkLink(Com);
    ASSERT_EQ(link.state(), InstrumentLink::State::Connected);
    EXPECT_EQ(states.first().first().value<InstrumentLink::State>(),
              InstrumentLink::State::Opening);

    QSignalSpy progress(&link, &InstrumentLink::progress);
    link.readMemory(MemoryKind::FE, 40);
    EXPECT_TRUE(link.exchangeRunning());
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Done);
    EXPECT_EQ(SplitMemoryAnswer(link.answerText()).Lines, sim.memoryLines(1));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_GE(progress.last().first().toInt(), 40);
}

// A long memory is taken in batches while its end is far; a count that promised more lines than
// came must not leave the end of the answer waiting.
TEST_F(SerialLinkTest, LongMemoriesArriveWholeWhateverCountWasExpected) {
    SimOptions options;
    options.FeCount = 120;
    options.BytesPerSecond = 3840;
    start(QStringLiteral("DP"), options);
    link.checkLink(Com);
    ASSERT_TRUE(link.LinkConnected());
    for (const int expected : {120, 5000, 0}) {
        QSignalSpy progress(&link, &InstrumentLink::progress);
        link.readMemory(MemoryKind::FE, expected);
        EXPECT_EQ(wait(), InstrumentLink::Outcome::Done) << expected;
        EXPECT_EQ(SplitMemoryAnswer(link.answerText()).Lines, sim.memoryLines(1)) << expected;
        // Batches hand lines on a few times a second, not at every chunk of the wire.
        if (expected == 5000)
            EXPECT_LE(progress.size(), 15);
    }
}

// Requests made as the first lines of a download come in are refused and logged: one taken would
// send its own command into the answer or take the answer's lines as online values.
TEST_F(SerialLinkTest, ADownloadRefusesOtherRequestsUntilItEnds) {
    SimOptions options;
    options.FeCount = 40;
    options.BytesPerSecond = 3840;
    start(QStringLiteral("DP"), options);
    link.checkLink(Com);
    ASSERT_TRUE(link.LinkConnected());
    QList<bool> taken;
    QStringList refusals;
    QObject::connect(&link, &InstrumentLink::progress, [&] {
        if (!taken.isEmpty())
            return;
        const qsizetype before = problems.size();
        taken << link.readMemory(MemoryKind::NFE, 0) << link.identify() << link.readDirectory()
              << link.setOnline(true, false);
        refusals = problems.mid(before);
    });
    ASSERT_TRUE(link.readMemory(MemoryKind::FE, 0));
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Done);

    EXPECT_EQ(taken, QList<bool>(4, false));
    ExpectRefusals(refusals, {"readMemory", "identify", "readDirectory", "setOnline"});
    EXPECT_EQ(SplitMemoryAnswer(link.answerText()).Lines, sim.memoryLines(1));

    ASSERT_TRUE(link.identify());
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Done);
    EXPECT_FALSE(link.answerText().isEmpty());
}

TEST_F(SerialLinkTest, TextNoExchangeWaitsForIsDroppedAndCounted) {
    start(QStringLiteral("DP"));
    link.checkLink(Com);
    ASSERT_TRUE(link.LinkConnected());
    QStringList sent;
    for (int i = 0; i < 3; ++i)
        sent << sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !problems.isEmpty(); }, 5000));
    QTest::qWait(100);
    link.identify();
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Done);
    EXPECT_EQ(problems.last(), QStringLiteral("Empfangene Zeilen ohne Anforderung verworfen: 3"));
    EXPECT_FALSE(link.answerText().isEmpty());
    for (const QString& line : sent)
        EXPECT_FALSE(link.answerText().contains(line));
}

TEST_F(SerialLinkTest, OnlineLinesAreHandedOnOneByOne) {
    start(QStringLiteral("DP"));
    link.checkLink(Com);
    QSignalSpy lines(&link, &InstrumentLink::lineReceived);
    link.setOnline(true, false);
    const QString first = sim.sendOnlineValue();
    const QString second = sim.sendOnlineValue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() == 2; }, 5000));
    EXPECT_EQ(lines[0].first().toString(), first);
    EXPECT_EQ(lines[1].first().toString(), second);
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(SerialLinkTest, CancelEndsAnExchangeTheInstrumentNeverFinishes) {
    start(QStringLiteral("DP"));
    link.checkLink(Com);
    sim.setSilent(true);
    link.readMemory(MemoryKind::FE, 0);
    QTimer::singleShot(50, &link, &InstrumentLink::cancel);
    EXPECT_EQ(wait(), InstrumentLink::Outcome::Cancelled);
    EXPECT_TRUE(link.LinkConnected());
}

TEST_F(SerialLinkTest, NotAvailableInstrumentEndsTheExchangeAndTheLink) {
    start(QStringLiteral("DP"));
    link.checkLink(Com);
    sim.setNotAvailable(true);
    link.readMemory(MemoryKind::FE, 0);
    EXPECT_EQ(wait(), InstrumentLink::Outcome::NotAvailable);
    EXPECT_EQ(link.state(), InstrumentLink::State::NotAvailable);
}

} // namespace

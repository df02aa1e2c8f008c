#include "session/TransferSession.h"

#include "core/QStringPrinter.h"
#include "session/CountedNotices.h"
#include "session/ReceiveNotices.h"
#include "support/FakePlatformServices.h"
#include "support/InstrumentLines.h"
#include "support/ScriptedLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The session on its own: a scripted instrument, the fake desktop, no window.
class TransferSessionTest : public ::testing::Test {
protected:
    TransferSessionTest() {
        session.state().Log.setPath(folder.filePath(QStringLiteral("log.txt")));
        session.state().Texts.MessageTexts_fuellen(QStringLiteral("Delta-Pro DIVEDADE V4.05"));
        FillCapabilities(session.state().Device, QStringLiteral("DP"));
        session.useLink(link);
        link->checkLink(7);
        QObject::connect(&session, &TransferSession::onlineLine,
                         [this](const QString& line) { online << line; });
    }

    QString log() const {
        QFile file(session.state().Log.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // Runs f from the event loop of a wait inside the running command, as a control, a timer or
    // a dialog would.
    void duringAWait(const std::function<void()>& f) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            f();
            ran = true;
        });
        platform.waitUntil([&] { return ran; }, 5000, false);
    }

    QTemporaryDir folder;
    FakePlatformServices platform;
    TransferSession session{platform};
    ScriptedLink* link = new ScriptedLink(&session);
    QStringList online;
};

TEST_F(TransferSessionTest, CommandsFromInsideAWaitAreRefusedThoseACommandCallsAreNot) {
    QStringList ran;
    {
        const TransferSession::Command download(session, "download");
        ASSERT_TRUE(download);
        {
            const TransferSession::Command itsOwnPart(session, "read FE");
            EXPECT_TRUE(itsOwnPart);
        }
        EXPECT_TRUE(session.busy());
        duringAWait([&] {
            const TransferSession::Command clicked(session, "cmdRefresh_Click");
            ran << (clicked ? QStringLiteral("ran") : QStringLiteral("refused"));
        });
        EXPECT_TRUE(session.busy());
    }
    EXPECT_EQ(ran, QStringList{"refused"});
    EXPECT_TRUE(log().contains(QStringLiteral("Abgelehnt, es läuft ein Befehl: cmdRefresh_Click")));

    EXPECT_FALSE(session.busy());
    duringAWait([&] {
        const TransferSession::Command clicked(session, "cmdRefresh_Click");
        ran << (clicked ? QStringLiteral("ran") : QStringLiteral("refused"));
    });
    EXPECT_EQ(ran, (QStringList{"refused", "ran"}));
}

// End chosen during a command: what runs is cancelled, the rest of the command starts nothing.
TEST_F(TransferSessionTest, StoppingACommandCancelsItsExchangeAndStartsNoOther) {
    link->memories[MemoryKind::FE] = {InstrumentLine(1, 101, "µm", " Fe")};
    link->memories[MemoryKind::NFE] = {InstrumentLine(1, 40, "µm", "NFe")};
    link->answers = false;
    {
        const TransferSession::Command readAll(session, "AlleSpeicherLesen");
        QTimer::singleShot(0, [this] { session.stopCommand(); });
        EXPECT_EQ(session.Speicher_lesen(MemoryKind::FE), InstrumentLink::Outcome::Cancelled);
        EXPECT_FALSE(session.Speicher_lesen(MemoryKind::NFE));
        EXPECT_FALSE(session.ReadGeraet());
    }
    EXPECT_EQ(link->requests, QStringList{"read FE"});
    EXPECT_EQ(session.state().Store.SeriesLength(MemoryKind::FE), 0);

    link->answers = true;
    const TransferSession::Command next(session, "cmdLesNFE_Click");
    EXPECT_EQ(session.Speicher_lesen(MemoryKind::NFE), InstrumentLink::Outcome::Done);
    EXPECT_EQ(session.state().Store.SeriesLength(MemoryKind::NFE), 1);
}

TEST_F(TransferSessionTest, OnlineLinesThatComeDuringACommandFollowItInOrder) {
    link->setOnline(true, false);
    link->sendOnline(QStringLiteral("first"));
    {
        const TransferSession::Command download(session, "download");
        duringAWait([&] {
            link->sendOnline(QStringLiteral("second"));
            link->sendOnline(QStringLiteral("third"));
        });
        EXPECT_EQ(online, QStringList{"first"});
    }
    EXPECT_EQ(online, (QStringList{"first", "second", "third"}));

    // A held line that starts a command of its own: the lines after it wait for that one.
    QStringList seen;
    QObject::disconnect(&session, &TransferSession::onlineLine, nullptr, nullptr);
    QObject::connect(&session, &TransferSession::onlineLine, [&](const QString& line) {
        const TransferSession::Command shown(session, "optOnline_Click");
        seen << line + (session.busy() ? "" : "?");
    });
    {
        const TransferSession::Command download(session, "download");
        duringAWait([&] {
            link->sendOnline(QStringLiteral("a"));
            link->sendOnline(QStringLiteral("b"));
        });
    }
    EXPECT_EQ(seen, (QStringList{"a", "b"}));
}

TEST_F(TransferSessionTest, ARecordIsAnnouncedOnlyAfterTheCountersPassedIt) {
    AppState& s = session.state();
    s.Kind = MemoryKind::Online;
    QList<int> announced;
    QObject::connect(&session, &TransferSession::recordAdded, [&](int slot) {
        // Whatever runs here sees the next value go to the next slot.
        EXPECT_EQ(s.Counters.OnlineCounter, slot + 1);
        EXPECT_EQ(session.rows().count(), slot);
        announced << slot;
    });
    EXPECT_TRUE(session.FillMessdaten(InstrumentLine(1, 101, "µm", " Fe")));
    EXPECT_TRUE(session.FillMessdaten(InstrumentLine(2, 99, "µm", " Fe")));
    EXPECT_FALSE(session.FillMessdaten(QStringLiteral("   x  garbled")));
    EXPECT_EQ(announced, (QList<int>{1, 2}));
    EXPECT_EQ(s.Store.at(MemoryKind::Online, 2).Value, 99);
    EXPECT_TRUE(session.statisticLines().join('|').contains(QStringLiteral("Anzahl")));
    EXPECT_EQ(session.notices().count(RefusedLineNotice), 1);
}

TEST_F(TransferSessionTest, ADownloadReplacesOnlyItsOwnMemory) {
    AppState& s = session.state();
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 0));
    session.storeDownload(MemoryKind::NFE, {InstrumentLine(1, 40, "µm", "NFe")}, now);
    s.Kind = MemoryKind::FE;
    session.storeDownload(MemoryKind::FE,
                          {InstrumentLine(1, 101, "µm", " Fe"), QStringLiteral("garbled"),
                           InstrumentLine(2, 102, "µm", " Fe")},
                          now);
    EXPECT_EQ(s.Store.SeriesLength(MemoryKind::FE), 2);
    EXPECT_EQ(s.Store.at(MemoryKind::FE, 2).Value, 102);
    EXPECT_EQ(s.Store.SeriesLength(MemoryKind::NFE), 1);
    EXPECT_EQ(s.Store.at(MemoryKind::NFE, 1).Value, 40);
    EXPECT_EQ(s.DownloadTime, QStringLiteral("10:00:00"));
    EXPECT_EQ(session.notices().count(RefusedLineNotice), 1);
}

// A marked row of a sorted table deletes its own record; the next value takes the freed slot.
TEST_F(TransferSessionTest, ADeletedRowTakesItsRecordAndTheCountersFollow) {
    AppState& s = session.state();
    s.Kind = MemoryKind::Online;
    for (int n = 1; n <= 4; ++n)
        session.FillMessdaten(InstrumentLine(n, 100 + n, "µm", " Fe"));
    session.rows().sortByNumber(s.Store, s.Kind);
    session.rows().toggleMark(0);
    ASSERT_EQ(session.rows().markedRows(), QList<int>{0});
    EXPECT_TRUE(session.deleteRow(session.rows().markedRows().first()));
    EXPECT_EQ(s.Store.SeriesLength(MemoryKind::Online), 3);
    EXPECT_EQ(s.Store.at(MemoryKind::Online, 3).Value, 103);
    EXPECT_EQ(s.Store.at(MemoryKind::Online, 3).Number, 3);
    EXPECT_EQ(s.Counters.OnlineCounter, 4);
    EXPECT_FALSE(session.deleteRow(7));
    EXPECT_EQ(s.Store.SeriesLength(MemoryKind::Online), 3);

    session.showWholeMemory();
    session.FillMessdaten(InstrumentLine(5, 105, "µm", " Fe"));
    EXPECT_EQ(s.Store.at(MemoryKind::Online, 4).Value, 105);
    EXPECT_EQ(session.rows().count(), 4);
}

// The report lists the rows as shown, also when sorted, with the statistics the list shows.
TEST_F(TransferSessionTest, TheReportFollowsTheRowsShown) {
    AppState& s = session.state();
    s.Kind = MemoryKind::Online;
    for (int n = 1; n <= 3; ++n)
        session.FillMessdaten(InstrumentLine(n, 100 + n, "µm", " Fe"));
    const QString inSlotOrder = session.BuildReportText(QStringLiteral("A"));
    // The rows come after the statistics: a value's last place is its row.
    EXPECT_LT(inSlotOrder.lastIndexOf(QStringLiteral("101")),
              inSlotOrder.lastIndexOf(QStringLiteral("103")));
    EXPECT_TRUE(inSlotOrder.contains(session.statisticLines().first()));

    session.rows().sortByNumber(s.Store, s.Kind);
    const QString sorted = session.BuildReportText(QStringLiteral("A"));
    EXPECT_GT(sorted.lastIndexOf(QStringLiteral("101")), sorted.lastIndexOf(QStringLiteral("103")));
}

} // namespace

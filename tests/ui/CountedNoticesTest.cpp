#include "session/CountedNotices.h"
#include "support/FakePlatformServices.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class CountedNoticesTest : public ::testing::Test {
protected:
    CountedNoticesTest()
        : notices({platform, [] { return QStringLiteral("Titel"); },
                   [this](const QString& text) { log << text; },
                   [this](const QString& text) { status = text; }},
                  {{PlatformServices::Icon::Information,
                    [](int n) { return QStringLiteral("%1 lines").arg(n); }},
                   {PlatformServices::Icon::Critical,
                    [](int n) { return QStringLiteral("%1 files").arg(n); }}},
                  nullptr) {}

    // Lets the event loop open what was raised.
    void settleEvents() { QTest::qWait(0); }

    FakePlatformServices platform;
    QStringList log;
    QString status;
    CountedNotices notices;
};

TEST_F(CountedNoticesTest, RaisingNeverBlocksAndTheBoxCountsWhatCameBeforeItOpened) {
    notices.raise(0, "line a");
    notices.raise(0, "line b");
    notices.raise(0, "line c");
    EXPECT_TRUE(platform.messages.empty()) << "the handler that raised it returns first";
    EXPECT_EQ(log, QStringList({"line a", "line b (2)", "line c (3)"}));
    EXPECT_EQ(status, "3 lines");

    settleEvents();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "line a\r\n\r\n3 lines");
    EXPECT_EQ(platform.messages[0].title, "Titel");
    EXPECT_EQ(platform.messages[0].icon, PlatformServices::Icon::Information);
}

TEST_F(CountedNoticesTest, WhileABoxIsOpenMoreOccurrencesAreCountedNotShown) {
    QStringList statusWhileOpen;
    platform.whileOpen = [&](const FakePlatformServices::Message& message) {
        if (!message.text.startsWith("line"))
            return;
        for (int i = 0; i < 5; ++i) {
            notices.raise(0, "line again");
            settleEvents();
        }
        statusWhileOpen << status;
    };
    notices.raise(0, "line a");
    settleEvents();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "line a");
    EXPECT_EQ(statusWhileOpen, QStringList{"6 lines"});
    EXPECT_EQ(notices.count(0), 6);
    EXPECT_EQ(log.size(), 6);

    // Closed, the episode has had its box; a new one starts when the cause is settled.
    notices.raise(0, "line b");
    settleEvents();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(status, "7 lines");
    notices.settle(0);
    EXPECT_EQ(status, "");
    platform.whileOpen = nullptr;
    notices.raise(0, "line c");
    settleEvents();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, "line c");
}

TEST_F(CountedNoticesTest, KindsAreCountedApartAndNeverTwoBoxesOfAKindAreOpen) {
    QStringList nesting;
    platform.whileOpen = [&](const FakePlatformServices::Message&) {
        nesting << platform.openBoxes.join(" > ");
        notices.raise(0, "line x");
        notices.raise(1, "file x");
        settleEvents();
    };
    notices.raise(0, "line a");
    settleEvents();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(nesting, QStringList({"line a", "line a > file x"}));
    EXPECT_EQ(status, "3 lines  |  2 files");
    EXPECT_EQ(platform.messages[1].icon, PlatformServices::Icon::Critical);
}

} // namespace

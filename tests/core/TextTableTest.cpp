#include "core/TextTable.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int German = 0;
constexpr int English = 1;

const QString TitleAndVersion = QStringLiteral("Delta-Pro DIVEDADE V4.05");

class TextTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.CaptionTexts_fuellen();
        table.MessageTexts_fuellen(TitleAndVersion);
    }

    QString caption(int language, int slot) const { return table.caption(language, slot); }
    QString message(int language, int slot) const { return table.message(language, slot); }

    TextTable table;
};

std::set<int> usedCaptionSlots() {
    std::set<int> used;
    for (const auto& [first, last] : {std::pair{0, 5}, std::pair{10, 11}, std::pair{20, 21},
                                      std::pair{30, 32}, std::pair{40, 45}, std::pair{50, 55}})
        for (int slot = first; slot <= last; ++slot)
            used.insert(slot);
    return used;
}

TEST(TextTableEmptyTest, EverythingIsEmptyBeforeFilling) {
    const TextTable table;
    EXPECT_TRUE(table.caption(German, 0).isEmpty());
    EXPECT_TRUE(table.message(English, 0).isEmpty());
}

TEST_F(TextTableTest, ExactlyTheListedCaptionSlotsAreFilled) {
    const std::set<int> used = usedCaptionSlots();
    for (int slot = 0; slot <= 60; ++slot) {
        for (int language : {German, English})
            EXPECT_EQ(caption(language, slot).isEmpty(), !used.count(slot))
                << "language " << language << " caption " << slot;
    }
}

TEST_F(TextTableTest, ExactlyMessageSlotsZeroTo83AreFilled) {
    for (int slot = 0; slot <= 90; ++slot) {
        for (int language : {German, English})
            EXPECT_EQ(message(language, slot).isEmpty(), slot > 83)
                << "language " << language << " message " << slot;
    }
}

TEST_F(TextTableTest, CaptionsOfBothLanguages) {
    EXPECT_EQ(caption(German, 0), QStringLiteral("Datei"));
    EXPECT_EQ(caption(English, 0), QStringLiteral("File"));
    EXPECT_EQ(caption(German, 1), QStringLiteral("Datei öffnen"));
    EXPECT_EQ(caption(German, 20), QStringLiteral("Datenübertragung"));
    EXPECT_EQ(caption(German, 50), QStringLiteral("Verbinden"));
    EXPECT_EQ(caption(English, 50), QStringLiteral("Connect"));
    EXPECT_EQ(caption(German, 52), QStringLiteral("Trennen"));
    EXPECT_EQ(caption(English, 52), QStringLiteral("Disconnect"));
    EXPECT_EQ(caption(German, 53), QStringLiteral("Verbunden"));
    EXPECT_EQ(caption(English, 53), QStringLiteral("Connected"));
    EXPECT_EQ(caption(English, 55), QStringLiteral("not connected"));
}

TEST_F(TextTableTest, MessagesKeepTheirExactWording) {
    EXPECT_EQ(message(German, 13), QStringLiteral("Bitte warten...."));
    EXPECT_EQ(message(English, 26), QStringLiteral("Data doesn't match table type !"));
    EXPECT_EQ(message(German, 35), QStringLiteral("Minimum größer als Maximum!"));
    EXPECT_EQ(message(German, 72),
              QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet"));
    EXPECT_EQ(message(German, 76), QStringLiteral("S"));
    EXPECT_EQ(message(English, 76), QStringLiteral("M"));
    EXPECT_EQ(message(English, 81),
              QStringLiteral("Please switch on device ,wait 3 seconds and press Reconnect"));
}

TEST_F(TextTableTest, MessagesKeepTrailingAndDoubleBlanks) {
    EXPECT_EQ(message(German, 59), QStringLiteral("Nein "));
    EXPECT_EQ(message(English, 59), QStringLiteral("No"));
    EXPECT_EQ(message(English, 57),
              QStringLiteral("Please enter targe value when using 80/20 rule "));
    EXPECT_EQ(message(German, 60), QStringLiteral("Min Limit  an 80/20 Regel angepasst von "));
    EXPECT_EQ(message(English, 77), QStringLiteral("Connect to MAC "));
}

TEST_F(TextTableTest, SameWordingIsStoredForBothLanguages) {
    EXPECT_EQ(caption(German, 41), QStringLiteral("Info"));
    EXPECT_EQ(caption(English, 41), QStringLiteral("Info"));
    EXPECT_EQ(message(German, 8), QStringLiteral("Online"));
    EXPECT_EQ(message(English, 8), QStringLiteral("Online"));
}

TEST_F(TextTableTest, Slot14IsTheTitleAndVersionInBothLanguages) {
    EXPECT_EQ(message(German, 14), TitleAndVersion);
    EXPECT_EQ(message(English, 14), TitleAndVersion);
}

TEST_F(TextTableTest, RefillingGivesTheSameTexts) {
    const QString before = caption(German, 11);
    table.CaptionTexts_fuellen();
    EXPECT_EQ(caption(German, 11), before);
    EXPECT_EQ(caption(German, 11), QStringLiteral("Schnittstelle wählen"));
    EXPECT_EQ(message(German, 14), TitleAndVersion);
}

TEST_F(TextTableTest, OutOfRangeSlotsAreEmpty) {
    EXPECT_TRUE(caption(German, -1).isEmpty());
    EXPECT_TRUE(caption(English, 61).isEmpty());
    EXPECT_TRUE(message(German, 91).isEmpty());
    EXPECT_TRUE(message(English, -5).isEmpty());
}

TEST_F(TextTableTest, NegativeLanguageReadsAsGerman) {
    EXPECT_EQ(caption(-1, 50), QStringLiteral("Verbinden"));
    EXPECT_EQ(message(-3, 59), QStringLiteral("Nein "));
}

TEST_F(TextTableTest, LanguageTwoAndBeyondAreEmpty) {
    EXPECT_TRUE(caption(2, 50).isEmpty());
    EXPECT_TRUE(message(2, 14).isEmpty());
    EXPECT_TRUE(caption(3, 50).isEmpty());
    EXPECT_TRUE(message(100, 0).isEmpty());
}

} // namespace

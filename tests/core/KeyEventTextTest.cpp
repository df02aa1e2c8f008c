#include "core/KeyEventText.h"
#include "core/ScopedLocale.h"

#include <gtest/gtest.h>

namespace {

MeasurementRecord Record() {
    MeasurementRecord r;
    r.Number = 12;
    r.Value = 48.3;
    r.Unit = QStringLiteral("µm");
    r.Marker = QStringLiteral(" Fe");
    r.DateText = QStringLiteral("14.03.2026");
    r.TimeText = QStringLiteral("10:22:05");
    return r;
}

class KeyEventTextTest : public ::testing::Test {
protected:
    ScopedLocale locale{QLocale::German, QLocale::Germany};
};

TEST_F(KeyEventTextTest, ValueAloneIsTheElevenCharacterTableText) {
    const QStringList texts = KeyEventTexts(Record(), QStringLiteral("1"), "0000", "");
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].size(), 11);
    EXPECT_EQ(texts[0], Local("       48.3"));
}

TEST_F(KeyEventTextTest, EveryItemInItsOrderWithEnterLast) {
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "1111", "ENTER"),
              (QStringList{"     12", " 14.03.2026", Local("       48.3"), " µm", "  Fe", "\n"}));
}

TEST_F(KeyEventTextTest, DateAloneGoesBeforeTheValue) {
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "0100", "ENTER"),
              (QStringList{" 14.03.2026", Local("       48.3"), EnterKey}));
}

TEST_F(KeyEventTextTest, OnlyTheWordEnterEndsTheLine) {
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "0010", "KEINS").size(), 2);
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "0010", "ENTER;x").size(), 2);
}

TEST_F(KeyEventTextTest, ShortOrOddFieldTextsSendOnlyWhatIsMarkedOne) {
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "1", ""),
              (QStringList{"     12", Local("       48.3")}));
    EXPECT_EQ(KeyEventTexts(Record(), QStringLiteral("1"), "x1y1", ""),
              (QStringList{" 14.03.2026", Local("       48.3"), "  Fe"}));
}

TEST(KeyEventFields, ChecksReplaceTheirOwnPositionsOnly) {
    EXPECT_EQ(KeyEventFieldsWith("0000", {true, false, true, false}), "1010");
    EXPECT_EQ(KeyEventFieldsWith("1111", {false, false, false, true}), "0001");
    // A short text keeps every flag at its own position; what follows the fourth stays.
    EXPECT_EQ(KeyEventFieldsWith("1", {false, false, true, false}), "0010");
    EXPECT_EQ(KeyEventFieldsWith("", {false, true, false, false}), "0100");
    EXPECT_EQ(KeyEventFieldsWith("000011", {true, true, true, true}), "111111");
}

TEST(KeyEventFields, ReadAsChecks) {
    EXPECT_EQ(KeyEventChoiceOf("0110"), (KeyEventChoice{false, true, true, false}));
    EXPECT_EQ(KeyEventChoiceOf("1"), (KeyEventChoice{true, false, false, false}));
    EXPECT_EQ(KeyEventChoiceOf(""), (KeyEventChoice{}));
}

} // namespace

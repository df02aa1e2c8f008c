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

// Keysyms name characters, not keys: a desktop types them whatever the keyboard layout.
TEST(KeySyms, LatinOneCharactersAreTheirOwnNumberAndEnterIsReturn) {
    EXPECT_EQ(KeySymsOf(QStringLiteral(" -1,5µm\n")),
              (QList<quint32>{0x20, 0x2d, 0x31, 0x2c, 0x35, 0xb5, 0x6d, 0xff0d}));
    EXPECT_EQ(KeySymsOf(QStringLiteral("äÖß")), (QList<quint32>{0xe4, 0xd6, 0xdf}));
}

TEST(KeySyms, OtherCharactersAreUnicodeKeysymsAndControlsHaveNone) {
    EXPECT_EQ(KeySymsOf(QStringLiteral("Ω€")), (QList<quint32>{0x10003a9, 0x10020ac}));
    // A character beyond the first plane is one keysym, not two halves.
    EXPECT_EQ(KeySymsOf(QString::fromUcs4(U"\U0001D707")), QList<quint32>{0x101d707});
    EXPECT_EQ(KeySymsOf(QStringLiteral("a\tb\rc") + QChar(0x85)),
              (QList<quint32>{0x61, 0x62, 0x63}));
    EXPECT_TRUE(KeySymsOf(QString()).isEmpty());
}

} // namespace

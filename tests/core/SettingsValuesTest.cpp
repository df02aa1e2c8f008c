#include "SettingsTestFolder.h"

#include "core/SettingsIo.h"
#include "core/SettingsMessages.h"
#include "core/SettingsValues.h"

namespace {

TEST(SettingsLinesTest, LinesEndAtCrLfOrCrLf) {
    EXPECT_EQ(SplitSettingsLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitSettingsLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(SplitSettingsLines("\n\r"), QStringList({"", ""}));
    EXPECT_TRUE(SplitSettingsLines("").isEmpty());
}

TEST(SettingsLinesTest, DecodesUtf8ElseWindows1252) {
    EXPECT_EQ(DecodeSettingsText("Pr\xc3\xbc"
                                 "fer"),
              "Prüfer");
    EXPECT_EQ(DecodeSettingsText("\xef\xbb\xbfOrt"), "Ort");
    EXPECT_EQ(DecodeSettingsText("Pr\xfc"
                                 "fer \x84x\x93"),
              "Prüfer „x“");
}

class SettingsWriteTest : public SettingsTestFolder {};

TEST_F(SettingsWriteTest, WritesUtf8WithCrLf) {
    ASSERT_TRUE(WriteSettingsLines(path("x.ini"), {"ä", ""}).ok);
    EXPECT_EQ(fileBytes("x.ini"), "\xc3\xa4\r\n\r\n");
    QStringList lines;
    ASSERT_TRUE(ReadSettingsLines(path("x.ini"), std::nullopt, lines).ok);
    EXPECT_EQ(lines, QStringList({"ä", ""}));
}

TEST_F(SettingsWriteTest, OversizedFileIsRejected) {
    writeFile("big.ini", QByteArray(2 * 1024 * 1024, 'x'));
    QStringList lines;
    EXPECT_FALSE(ReadSettingsLines(path("big.ini"), std::nullopt, lines).ok);
    EXPECT_TRUE(lines.isEmpty());
}

class RegionalValuesTest : public SettingsTestFolder {};

TEST_F(RegionalValuesTest, NumbersFollowTheLocale) {
    UseGerman();
    EXPECT_EQ(RegionalNumberText(12.5), "12,5");
    EXPECT_EQ(RegionalNumberText(1234567), "1234567");
    EXPECT_EQ(RegionalNumberText(2.0 / 3), "0,666666666666667");
    EXPECT_EQ(RegionalNumber("12,5"), 12.5);
    EXPECT_EQ(RegionalNumber(" -3 "), -3);
    EXPECT_FALSE(RegionalNumber("").has_value());
    EXPECT_FALSE(RegionalNumber("12a").has_value());
    EXPECT_FALSE(RegionalNumber("nan").has_value());
    UseEnglish();
    EXPECT_EQ(RegionalNumberText(12.5), "12.5");
    EXPECT_EQ(RegionalNumberText(1234567.5), "1234567.5");
    EXPECT_EQ(RegionalNumber("12.5"), 12.5);
}

TEST_F(RegionalValuesTest, Booleans) {
    UseGerman();
    EXPECT_EQ(RegionalBoolean("1"), true);
    EXPECT_EQ(RegionalBoolean("0,5"), true);
    EXPECT_EQ(RegionalBoolean("0"), false);
    EXPECT_EQ(RegionalBoolean("TRUE"), true);
    EXPECT_EQ(RegionalBoolean("false"), false);
    EXPECT_FALSE(RegionalBoolean("").has_value());
    EXPECT_FALSE(RegionalBoolean("wahr").has_value());
}

TEST_F(RegionalValuesTest, ProjectDatesHaveFourDigitYears) {
    UseEnglish();
    const QDateTime afternoon(QDate(2024, 12, 24), QTime(13, 45));
    const QString text = ProjectDateText(afternoon);
    EXPECT_TRUE(text.startsWith("12/24/2024 1:45")) << text.toStdString();
    EXPECT_EQ(ParseProjectDate(text), afternoon);
    EXPECT_EQ(ParseProjectDate("12/24/24"), QDateTime(QDate(2024, 12, 24), QTime(0, 0)));
    EXPECT_EQ(ParseProjectDate("7/5/99"), QDateTime(QDate(1999, 7, 5), QTime(0, 0)));
    EXPECT_FALSE(ParseProjectDate("24.12.2024").has_value());
    EXPECT_TRUE(ProjectDateText(QDateTime()).isEmpty());
    UseGerman();
    EXPECT_EQ(ProjectDateText(afternoon), "24.12.2024 13:45");
    EXPECT_EQ(ParseProjectDate("24.12.2024 13:45:10"),
              QDateTime(QDate(2024, 12, 24), QTime(13, 45, 10)));
    EXPECT_FALSE(ParseProjectDate("24.12.2024 25:00").has_value());
}

TEST(SettingsErrorTextTest, TextsAsUsersKnowThem) {
    const std::array<std::array<const char*, 3>, 12> expected = {{
        {"CL", "Probleme beim Lesen Datei Port.ini: ", "problems reading file Port.ini: "},
        {"CS", "Probleme beim Schreiben Datei Port.ini: ", "problems writing file Port.ini: "},
        {"KL", "Probleme beim Lesen Datei Konfi.ini: ", "problems reading file Konfi.ini: "},
        {"LL", "Probleme beim Lesen Datei Limit.ini: ", "problems reading file  Limit.ini: "},
        {"LS", "Probleme beim Schreiben Datei Limit.ini: ", "problems writing file  Limit.ini: "},
        {"SL", "Probleme beim Lesen Datei & Language.ini: ", "problems reading file Language.ini:"},
        {"SS",
         "Probleme beim Schreiben Datei Language.ini: ", "problems writing file Language.ini: "},
        {"PL", "Probleme beim Lesen Datei Projektdaten.ini: ",
         "problems reading file  Projektdaten.ini: "},
        {"PS", "Probleme beim Schreiben Datei Projektdaten.ini: ",
         "problems writing file  Datei Projektdaten.ini: "},
        {"PI",
         "Probleme beim Lesen Datei Projekt.ini: ", "problems reading file  Datei Projekt.ini: "},
        {"TL", "Probleme beim Lesen Datei Tastatur.ini: ", "problems reading file Tastatur.ini: "},
        {"TS",
         "Probleme beim Schreiben Datei Tastatur.ini: ", "problems writing file Tastatur.ini: "},
    }};
    for (const auto& [code, german, english] : expected) {
        EXPECT_EQ(SettingsErrorText(code, 0), german) << code;
        EXPECT_EQ(SettingsErrorText(code, 1), english) << code;
        EXPECT_EQ(SettingsErrorText(code, 2), english) << code;
    }
    EXPECT_TRUE(SettingsErrorText("XX", 0).isEmpty());
}

} // namespace

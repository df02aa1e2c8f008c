#include "SettingsTestFolder.h"

#include "core/Descriptions.h"
#include "core/SettingsFiles.h"
#include "core/SettingsIo.h"
#include "core/SettingsMessages.h"
#include "support/TinyFileSystem.h"

#include <QCoreApplication>
#include <QDir>

namespace {

class KonfiTest : public SettingsTestFolder {};

TEST_F(KonfiTest, MissingFileFailsAndLeavesEverythingEmpty) {
    AppSettings settings;
    const SettingsOutcome outcome = ReadKonfi(folder(), settings);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.description, "file not found");
    EXPECT_TRUE(settings.ModelCode.isEmpty());
    EXPECT_TRUE(settings.BrandCode.isEmpty());
    // Konfi.ini belongs to the installation; reading never creates it.
    EXPECT_EQ(fileBytes("Konfi.ini"), "<missing>");
    // Start-up reads Konfi.ini before the language, so the message is German.
    EXPECT_EQ(SettingsErrorText("KL", settings.LanguageIndex) + outcome.description,
              "Probleme beim Lesen Datei Konfi.ini: file not found");
}

TEST_F(KonfiTest, ModelLineAloneKeepsOwnBrand) {
    writeFile("Konfi.ini", "  AS3 \r\n");
    AppSettings settings;
    EXPECT_TRUE(ReadKonfi(folder(), settings).ok);
    EXPECT_EQ(settings.ModelCode, "AS3");
    EXPECT_TRUE(settings.BrandCode.isEmpty());
    EXPECT_TRUE(settings.BrandName.isEmpty());
    EXPECT_TRUE(settings.BrandTitle.isEmpty());
}

TEST_F(KonfiTest, BrandLinesPlaceholderAndLastLineWins) {
    writeFile("Konfi.ini",
              "DP\r\n#\r\nXX;Old;Older;\r\n\r\n MR;Moraste;Moraste Pro;ignored\r\n#\r\n");
    AppSettings settings;
    EXPECT_TRUE(ReadKonfi(folder(), settings).ok);
    EXPECT_EQ(settings.ModelCode, "DP");
    EXPECT_EQ(settings.BrandCode, "MR");
    EXPECT_EQ(settings.BrandName, "Moraste");
    EXPECT_EQ(settings.BrandTitle, "Moraste Pro");
}

TEST_F(KonfiTest, LongerLineStartingWithHashIsABrandLine) {
    writeFile("Konfi.ini", "\n#MR;Name;Title;\n");
    AppSettings settings;
    settings.ModelCode = "kept";
    EXPECT_TRUE(ReadKonfi(folder(), settings).ok);
    EXPECT_EQ(settings.ModelCode, "kept"); // an empty first line changes nothing
    EXPECT_EQ(settings.BrandCode, "#MR");
}

TEST_F(KonfiTest, BrandLineWithTwoSemicolonsFailsAfterCodeAndName) {
    writeFile("Konfi.ini", "DP\r\nMR;Moraste;Moraste Pro\r\nZZ;Later;Line;\r\n");
    AppSettings settings;
    settings.BrandTitle = "before";
    const SettingsOutcome outcome = ReadKonfi(folder(), settings);
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.description.contains("fewer than 3 ';'"))
        << outcome.description.toStdString();
    EXPECT_EQ(settings.BrandCode, "MR");
    EXPECT_EQ(settings.BrandName, "Moraste");
    EXPECT_EQ(settings.BrandTitle, "before"); // later lines are not read either
}

class PortTest : public SettingsTestFolder {};

TEST_F(PortTest, StoredNumberFillsPortAndComboText) {
    writeFile("Port.ini", " 7 \r\n");
    AppSettings settings;
    const PortReading reading = ReadPort(folder(), settings);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_EQ(settings.COMPortNummer, "7");
    EXPECT_EQ(reading.comboText, "COM7");
    EXPECT_FALSE(reading.askForPort);
}

TEST_F(PortTest, PortNumberIsTheLeadingDigitsOnly) {
    AppSettings settings;
    writeFile("Port.ini", "012x\r\n");
    EXPECT_EQ(ReadPort(folder(), settings).comboText, "COM012x");
    EXPECT_EQ(settings.COMPortNummer, "12");
    writeFile("Port.ini", "x12\r\n");
    ReadPort(folder(), settings);
    EXPECT_EQ(settings.COMPortNummer, "0");
}

TEST_F(PortTest, EmptyLineAsksForAPortAndKeepsTheNumber) {
    writeFile("Port.ini", "\r\n");
    AppSettings settings;
    settings.COMPortNummer = "4";
    const PortReading reading = ReadPort(folder(), settings);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_TRUE(reading.askForPort);
    EXPECT_FALSE(reading.comboText.has_value());
    EXPECT_EQ(settings.COMPortNummer, "4");
}

TEST_F(PortTest, WritesTheTrimmedNumber) {
    AppSettings settings;
    settings.COMPortNummer = "12 ";
    EXPECT_TRUE(WritePort(folder(), settings).ok);
    EXPECT_EQ(fileBytes("Port.ini"), "12\r\n");
}

class LimitsTest : public SettingsTestFolder {};

TEST_F(LimitsTest, ThreeNumbersWithoutFlagSwitchTheRuleOff) {
    UseGerman();
    writeFile("Limit.ini", "80;120,5;100;\r\n");
    Limits limits;
    limits.Rule8020 = true;
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.MinLimit, 80);
    EXPECT_EQ(limits.MaxLimit, 120.5);
    EXPECT_EQ(limits.TargetValue, 100);
    EXPECT_FALSE(limits.Rule8020);
    // Maximum, minimum, target.
    EXPECT_EQ(limits.LimitTexts[0], "120,5");
    EXPECT_EQ(limits.LimitTexts[1], "80");
    EXPECT_EQ(limits.LimitTexts[2], "100");
}

TEST_F(LimitsTest, FlagFieldSwitchesTheRule) {
    UseEnglish();
    Limits limits;
    writeFile("Limit.ini", "80;120.5;100;1;\r\n");
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_TRUE(limits.Rule8020);
    EXPECT_EQ(limits.MaxLimit, 120.5);
    writeFile("Limit.ini", "80;120;100;0;");
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_FALSE(limits.Rule8020);
    writeFile("Limit.ini", "80;120;100;tRUE;");
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_TRUE(limits.Rule8020);
    writeFile("Limit.ini", "80;120;100;-2;");
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_TRUE(limits.Rule8020);
}

TEST_F(LimitsTest, EmptySecondFieldFailsAfterMinimumWasSet) {
    UseGerman();
    writeFile("Limit.ini", "7,5;;100;1;\r\n");
    Limits limits;
    limits.MaxLimit = 33;
    const SettingsOutcome outcome = ReadLimits(folder(), limits);
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.description.contains("not a number"));
    EXPECT_EQ(limits.MinLimit, 7.5);
    EXPECT_EQ(limits.MaxLimit, 33);
    EXPECT_EQ(limits.TargetValue, 0);
    EXPECT_EQ(SettingsErrorText("LL", 1), "problems reading file  Limit.ini: ");
}

TEST_F(LimitsTest, BadLinesFail) {
    UseEnglish();
    Limits limits;
    writeFile("Limit.ini", "1;2\r\n");
    EXPECT_FALSE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.MinLimit, 1);
    writeFile("Limit.ini", "1;2;3;yes;\r\n");
    EXPECT_FALSE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.TargetValue, 3);
    writeFile("Limit.ini", "1;2;inf;\r\n");
    EXPECT_FALSE(ReadLimits(folder(), limits).ok);
}

TEST_F(LimitsTest, GermanDecimalPointIsNotAccepted) {
    UseGerman();
    writeFile("Limit.ini", "12.5;20;0;\r\n");
    Limits limits;
    EXPECT_FALSE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.MinLimit, 0);
}

TEST_F(LimitsTest, EmptyLinesSkippedAndLastLineWins) {
    UseEnglish();
    writeFile("Limit.ini", "1;2;3;1;\n\n4;5;6;\n\n");
    Limits limits;
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.MinLimit, 4);
    EXPECT_EQ(limits.TargetValue, 6);
    EXPECT_FALSE(limits.Rule8020);
}

TEST_F(LimitsTest, WritesRegionalNumbers) {
    Limits limits;
    limits.MinLimit = 12.5;
    limits.MaxLimit = 1234567.25;
    limits.TargetValue = 0.1 + 0.2;
    limits.Rule8020 = true;
    UseGerman();
    EXPECT_TRUE(WriteLimits(folder(), limits).ok);
    EXPECT_EQ(fileBytes("Limit.ini"), "12,5;1234567,25;0,3;1;\r\n");
    UseEnglish();
    limits.Rule8020 = false;
    EXPECT_TRUE(WriteLimits(folder(), limits).ok);
    EXPECT_EQ(fileBytes("Limit.ini"), "12.5;1234567.25;0.3;0;\r\n");
}

TEST_F(LimitsTest, WriteThenReadRestoresTheValuesInBothLocales) {
    for (const bool german : {true, false}) {
        german ? UseGerman() : UseEnglish();
        Limits written;
        written.MinLimit = 0.001;
        written.MaxLimit = 98765.4321;
        written.TargetValue = 1e20;
        written.Rule8020 = true;
        ASSERT_TRUE(WriteLimits(folder(), written).ok);
        Limits read;
        ASSERT_TRUE(ReadLimits(folder(), read).ok) << fileBytes("Limit.ini").toStdString();
        EXPECT_EQ(read.MinLimit, written.MinLimit);
        EXPECT_EQ(read.MaxLimit, written.MaxLimit);
        EXPECT_EQ(read.TargetValue, written.TargetValue);
        EXPECT_TRUE(read.Rule8020);
    }
}

class KeyEventsTest : public SettingsTestFolder {};

TEST_F(KeyEventsTest, BareLineGivesDefaults) {
    writeFile("Tastatur.ini", "0;;;\r\n");
    AppSettings settings;
    settings.KeyEventsEnabled = true;
    EXPECT_TRUE(ReadKeyEvents(folder(), settings).ok);
    EXPECT_FALSE(settings.KeyEventsEnabled);
    EXPECT_TRUE(settings.KeyEventApp.isEmpty());
    EXPECT_EQ(settings.KeyEventFields, "0000");
    EXPECT_TRUE(settings.KeyEventLineEnd.isEmpty());
}

TEST_F(KeyEventsTest, LineEndIsEverythingAfterTheThirdSemicolon) {
    writeFile("Tastatur.ini", "\r\n1;/usr/bin/editor --new;0110;ENTER;x\r\n\r\n");
    AppSettings settings;
    EXPECT_TRUE(ReadKeyEvents(folder(), settings).ok);
    EXPECT_TRUE(settings.KeyEventsEnabled);
    EXPECT_EQ(settings.KeyEventApp, "/usr/bin/editor --new");
    EXPECT_EQ(settings.KeyEventFields, "0110");
    EXPECT_EQ(settings.KeyEventLineEnd, "ENTER;x");
}

TEST_F(KeyEventsTest, BadLinesFailAfterEarlierFields) {
    AppSettings settings;
    writeFile("Tastatur.ini", "maybe;app;0000;\r\n");
    EXPECT_FALSE(ReadKeyEvents(folder(), settings).ok);
    writeFile("Tastatur.ini", "1;app\r\n");
    EXPECT_FALSE(ReadKeyEvents(folder(), settings).ok);
    EXPECT_TRUE(settings.KeyEventsEnabled);
    EXPECT_TRUE(settings.KeyEventApp.isEmpty());
}

TEST_F(KeyEventsTest, WriteThenReadRestoresTheValues) {
    AppSettings written;
    written.KeyEventsEnabled = true;
    written.KeyEventApp = "kwrite";
    written.KeyEventFields = "1010";
    written.KeyEventLineEnd = "ENTER";
    ASSERT_TRUE(WriteKeyEvents(folder(), written).ok);
    EXPECT_EQ(fileBytes("Tastatur.ini"), "1;kwrite;1010;ENTER\r\n");
    AppSettings read;
    ASSERT_TRUE(ReadKeyEvents(folder(), read).ok);
    EXPECT_TRUE(read.KeyEventsEnabled);
    EXPECT_EQ(read.KeyEventApp, "kwrite");
    EXPECT_EQ(read.KeyEventFields, "1010");
    EXPECT_EQ(read.KeyEventLineEnd, "ENTER");
}

class LanguageTest : public SettingsTestFolder {};

TEST_F(LanguageTest, MissingFileIsCreatedGerman) {
    AppSettings settings;
    settings.LanguageIndex = 1;
    EXPECT_TRUE(ReadLanguage(folder(), settings).ok);
    EXPECT_EQ(settings.LanguageIndex, 0);
    EXPECT_EQ(fileBytes("Language.ini"), "0\r\n");
}

TEST_F(LanguageTest, ReadsTheIndexRoundedDownAndWithinRange) {
    UseGerman();
    AppSettings settings;
    const std::pair<QByteArray, int> cases[] = {{"1\r\n", 1}, {"1,9", 1},   {"0,5", 0},  {"-3", 0},
                                                {"7", 1},     {"1e300", 1}, {"\r\n1", 0}};
    for (const auto& [content, expected] : cases) {
        writeFile("Language.ini", content);
        settings.LanguageIndex = 5;
        EXPECT_TRUE(ReadLanguage(folder(), settings).ok) << content.toStdString();
        EXPECT_EQ(settings.LanguageIndex, expected) << content.toStdString();
    }
}

TEST_F(LanguageTest, NotANumberFails) {
    writeFile("Language.ini", "English\r\n");
    AppSettings settings;
    settings.LanguageIndex = 1;
    const SettingsOutcome outcome = ReadLanguage(folder(), settings);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(settings.LanguageIndex, 1);
}

TEST_F(LanguageTest, WriteThenRead) {
    AppSettings settings;
    settings.LanguageIndex = 1;
    ASSERT_TRUE(WriteLanguage(folder(), settings).ok);
    EXPECT_EQ(fileBytes("Language.ini"), "1\r\n");
    settings.LanguageIndex = 0;
    ASSERT_TRUE(ReadLanguage(folder(), settings).ok);
    EXPECT_EQ(settings.LanguageIndex, 1);
}

class ProjectLabelsTest : public SettingsTestFolder {};

TEST_F(ProjectLabelsTest, CommentsSkippedAndOnlySixDefinitionsUsed) {
    writeFile("Projekt.ini", "# captions\r\nKunde;Customer;\r\n\r\n#x;y;\r\nAuftrag;Order;note\r\n"
                             "Ort;Place;\r\n#\r\nPrüfer;Inspector;\r\nObjekt;Object;\r\n"
                             "Bauteil;Part;\r\nSiebter;Seventh;\r\nAchter;Eighth;\r\n");
    AppSettings settings;
    ProjectLabelsReading reading = ReadProjectLabels(folder(), settings);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_EQ(reading.labelsGiven, 6);
    const std::array<QString, 6> german = {"Kunde",  "Auftrag", "Ort",
                                           "Prüfer", "Objekt",  "Bauteil"};
    EXPECT_EQ(settings.ProjectFieldLabels, german);

    settings.LanguageIndex = 1;
    reading = ReadProjectLabels(folder(), settings);
    const std::array<QString, 6> english = {"Customer",  "Order",  "Place",
                                            "Inspector", "Object", "Part"};
    EXPECT_EQ(settings.ProjectFieldLabels, english);
}

TEST_F(ProjectLabelsTest, UndefinedLabelsKeepTheirText) {
    writeFile("Projekt.ini", "Kunde;Customer;\n Ort;Place;\n");
    AppSettings settings;
    settings.ProjectFieldLabels.fill("Label");
    const ProjectLabelsReading reading = ReadProjectLabels(folder(), settings);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_EQ(reading.labelsGiven, 2);
    EXPECT_EQ(settings.ProjectFieldLabels[1], " Ort"); // lines are not trimmed
    EXPECT_EQ(settings.ProjectFieldLabels[2], "Label");
}

TEST_F(ProjectLabelsTest, DefinitionWithoutSemicolonFails) {
    writeFile("Projekt.ini", "Kunde;Customer;\r\nAuftrag\r\nOrt;Place;\r\n");
    AppSettings settings;
    settings.ProjectFieldLabels.fill("Label");
    const ProjectLabelsReading reading = ReadProjectLabels(folder(), settings);
    EXPECT_FALSE(reading.outcome.ok);
    EXPECT_EQ(reading.labelsGiven, 1);
    EXPECT_EQ(settings.ProjectFieldLabels[0], "Kunde");
    EXPECT_EQ(settings.ProjectFieldLabels[1], "Label");
    EXPECT_EQ(settings.ProjectFieldLabels[2], "Label");
}

TEST_F(ProjectLabelsTest, EnglishNeedsTheSecondSemicolon) {
    writeFile("Projekt.ini", "Kunde;Customer\r\n");
    AppSettings settings;
    EXPECT_TRUE(ReadProjectLabels(folder(), settings).outcome.ok);
    settings.LanguageIndex = 1;
    EXPECT_FALSE(ReadProjectLabels(folder(), settings).outcome.ok);
}

TEST_F(ProjectLabelsTest, ReadsWindows1252Text) {
    writeFile("Projekt.ini", "Pr\xfc"
                             "fer;Inspector;\r\nL\xe4nge \x80;Length;\r\n");
    AppSettings settings;
    EXPECT_TRUE(ReadProjectLabels(folder(), settings).outcome.ok);
    EXPECT_EQ(settings.ProjectFieldLabels[0], "Prüfer");
    EXPECT_EQ(settings.ProjectFieldLabels[1], "Länge €");
}

class ProjectDataTest : public SettingsTestFolder {
protected:
    const QDateTime now{QDate(2025, 3, 14), QTime(9, 26, 53)};
};

TEST_F(ProjectDataTest, EmptyLineLeavesItsFieldAndLongTextsAreCut) {
    UseGerman();
    writeFile("Projektdaten.ini",
              "Kunde A\r\n  Auftrag 7  \r\n\r\n0123456789012345678901234567890123456789\r\n\r\n"
              "F6\r\nDT 24.12.2024\r\n");
    const ProjectDataReading reading = ReadProjectData(folder(), now);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_EQ(reading.fields[0], "Kunde A");
    EXPECT_EQ(reading.fields[1], "Auftrag 7");
    EXPECT_FALSE(reading.fields[2].has_value());
    EXPECT_EQ(reading.fields[3], "012345678901234567890123456789");
    EXPECT_FALSE(reading.fields[4].has_value());
    EXPECT_EQ(reading.fields[5], "F6");
    EXPECT_EQ(reading.date, QDateTime(QDate(2024, 12, 24), QTime(0, 0)));
}

TEST_F(ProjectDataTest, InvalidDateGivesNowAndNoDateLineGivesNothing) {
    UseGerman();
    writeFile("Projektdaten.ini", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\nDT 31.02.2024\r\n");
    EXPECT_EQ(ReadProjectData(folder(), now).date, now);
    writeFile("Projektdaten.ini", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\nDT\r\n");
    EXPECT_EQ(ReadProjectData(folder(), now).date, now);
    writeFile("Projektdaten.ini", "a\r\ndt 24.12.2024\r\n");
    EXPECT_FALSE(ReadProjectData(folder(), now).date.has_value());
}

TEST_F(ProjectDataTest, DateLineAmongTheFirstSixIsAlsoAFieldText) {
    UseGerman();
    writeFile("Projektdaten.ini", "DT 01.02.2023\n");
    const ProjectDataReading reading = ReadProjectData(folder(), now);
    EXPECT_EQ(reading.fields[0], "DT 01.02.2023");
    EXPECT_EQ(reading.date, QDateTime(QDate(2023, 2, 1), QTime(0, 0)));
}

TEST_F(ProjectDataTest, TwoDigitYearsReadInThisCentury) {
    UseGerman();
    writeFile("Projektdaten.ini", "\r\n\r\n\r\n\r\n\r\n\r\nDT 24.12.24 13:45\r\n");
    EXPECT_EQ(ReadProjectData(folder(), now).date, QDateTime(QDate(2024, 12, 24), QTime(13, 45)));
}

TEST_F(ProjectDataTest, WritesSixLinesAndTheDateLine) {
    UseGerman();
    const std::array<QString, 6> empty;
    ASSERT_TRUE(WriteProjectData(folder(), empty, QDateTime(QDate(2024, 12, 24), QTime(0, 0))).ok);
    EXPECT_EQ(fileBytes("Projektdaten.ini"), "\r\n\r\n\r\n\r\n\r\n\r\nDT 24.12.2024\r\n");
    ASSERT_TRUE(WriteProjectData(folder(), empty, QDateTime(QDate(2024, 1, 2), QTime(8, 5))).ok);
    EXPECT_EQ(fileBytes("Projektdaten.ini"), "\r\n\r\n\r\n\r\n\r\n\r\nDT 02.01.2024 08:05\r\n");
}

TEST_F(ProjectDataTest, LineBreakInsideAFieldCannotShiftTheLines) {
    const std::array<QString, 6> fields = {"a\r\nb", "c", "", "", "", ""};
    ASSERT_TRUE(WriteProjectData(folder(), fields, now).ok);
    const ProjectDataReading reading = ReadProjectData(folder(), now);
    EXPECT_EQ(reading.fields[0], "a  b");
    EXPECT_EQ(reading.fields[1], "c");
}

TEST_F(ProjectDataTest, WriteThenReadRestoresTextsAndDateInBothLocales) {
    const std::array<QString, 6> fields = {"Kunde Müller", "", "A-17", "x", "y", "z"};
    const QDateTime dates[] = {QDateTime(QDate(2024, 12, 24), QTime(13, 45)),
                               QDateTime(QDate(1999, 7, 5), QTime(0, 0)),
                               QDateTime(QDate(2031, 3, 9), QTime(0, 1))};
    for (const bool german : {true, false}) {
        german ? UseGerman() : UseEnglish();
        for (const QDateTime& date : dates) {
            ASSERT_TRUE(WriteProjectData(folder(), fields, date).ok);
            const ProjectDataReading reading = ReadProjectData(folder(), now);
            ASSERT_TRUE(reading.outcome.ok);
            EXPECT_EQ(reading.date, date) << fileBytes("Projektdaten.ini").toStdString();
            EXPECT_EQ(reading.fields[0], "Kunde Müller");
            EXPECT_FALSE(reading.fields[1].has_value());
            EXPECT_EQ(reading.fields[2], "A-17");
        }
    }
}

class MissingFilesTest : public SettingsTestFolder {};

// Every file but Konfi.ini is created when missing, and an empty file changes nothing.
TEST_F(MissingFilesTest, AreCreatedEmptyAndChangeNothing) {
    AppSettings settings;
    settings.ProjectFieldLabels.fill("Label");
    Limits limits;
    const PortReading port = ReadPort(folder(), settings);
    EXPECT_TRUE(port.outcome.ok);
    EXPECT_FALSE(port.askForPort);
    EXPECT_FALSE(port.comboText.has_value());
    EXPECT_TRUE(ReadLimits(folder(), limits).ok);
    EXPECT_EQ(limits.MinLimit, 0);
    EXPECT_TRUE(ReadKeyEvents(folder(), settings).ok);
    EXPECT_EQ(settings.KeyEventFields, "0000");
    const ProjectLabelsReading labels = ReadProjectLabels(folder(), settings);
    EXPECT_TRUE(labels.outcome.ok);
    EXPECT_EQ(labels.labelsGiven, 0);
    EXPECT_EQ(settings.ProjectFieldLabels[0], "Label");
    const ProjectDataReading data = ReadProjectData(folder(), QDateTime::currentDateTime());
    EXPECT_TRUE(data.outcome.ok);
    EXPECT_FALSE(data.date.has_value());
    for (const char* name :
         {"Port.ini", "Limit.ini", "Tastatur.ini", "Projekt.ini", "Projektdaten.ini"})
        EXPECT_EQ(fileBytes(name), "") << name;
}

class WriteFailureTest : public SettingsTestFolder {};

TEST_F(WriteFailureTest, MissingFolderFailsWithADescription) {
    const QString missing = QDir(folder()).filePath("no/such/folder");
    AppSettings settings;
    const SettingsOutcome outcome = WriteLanguage(missing, settings);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.description.isEmpty());
    EXPECT_FALSE(QDir(missing).exists());
    // Reading there cannot create the missing file either.
    EXPECT_FALSE(ReadLanguage(missing, settings).ok);
    EXPECT_FALSE(ReadPort(missing, settings).outcome.ok);
}

TEST_F(WriteFailureTest, FolderThatIsAFileFails) {
    writeFile("plain", "x");
    const QString notAFolder = path("plain");
    Limits limits;
    const SettingsOutcome outcome = WriteLimits(notAFolder, limits);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.description.isEmpty());
    EXPECT_FALSE(WriteProjectData(notAFolder, {}, QDateTime()).ok);
    EXPECT_EQ(fileBytes("plain"), "x");
}

TEST_F(WriteFailureTest, UnreadableFileFails) {
    QDir(folder()).mkdir("Limit.ini");
    Limits limits;
    const SettingsOutcome outcome = ReadLimits(folder(), limits);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.description.isEmpty());
}

TEST_F(WriteFailureTest, FullOrReadOnlyDiskIsNamedInTheChosenLanguage) {
    const QString disk = path("disk");
    const TinyFileSystem tiny(disk, 16);
    if (!tiny.mounted())
        GTEST_SKIP() << tiny.error().toStdString();
    // Larger than the whole disk: the write is cut short rather than refused, and Qt reports
    // the short write without a reason of its own.
    const QStringList lines(3000, QStringLiteral("0123456789"));
    AppSettings settings;
    settings.COMPortNummer = "7";
    ASSERT_TRUE(WritePort(disk, settings).ok);
    EXPECT_EQ(WriteSettingsLines(disk + "/Port.ini", lines).description,
              "No space left on the disk");
    EXPECT_EQ(fileBytes("disk/Port.ini"), "7\r\n");

    GermanDescriptions german;
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(WriteSettingsLines(disk + "/Port.ini", lines).description,
              "Kein Speicherplatz mehr auf dem Datenträger");
    EXPECT_EQ(ReadKonfi(folder(), settings).description, "Datei nicht gefunden");
    ASSERT_TRUE(tiny.makeReadOnly());
    EXPECT_EQ(WritePort(disk, settings).description, "Der Datenträger ist schreibgeschützt");
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(WritePort(disk, settings).description, "The disk is read-only");
    EXPECT_EQ(fileBytes("disk/Port.ini"), "7\r\n");
}

TEST_F(WriteFailureTest, FullDiskLeavesTheOldFileAsItWas) {
    const QString full = path("full");
    const TinyFileSystem disk(full);
    if (!disk.mounted())
        GTEST_SKIP() << disk.error().toStdString();
    AppSettings settings;
    settings.COMPortNummer = "7";
    ASSERT_TRUE(WritePort(full, settings).ok);
    disk.fill();

    settings.COMPortNummer = "12";
    const SettingsOutcome outcome = WritePort(full, settings);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.description.isEmpty());
    EXPECT_EQ(fileBytes("full/Port.ini"), "7\r\n");
    EXPECT_EQ(QDir(full).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary left";

    disk.empty();
    EXPECT_TRUE(WritePort(full, settings).ok);
    EXPECT_EQ(fileBytes("full/Port.ini"), "12\r\n");
}

} // namespace

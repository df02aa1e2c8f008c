#include "core/MeasurementLine.h"
#include "core/DeviceInfo.h"
#include "core/ScopedLocale.h"
#include "core/ValueText.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2024, 3, 7), QTime(14, 3, 5));

// A line in the instrument's columns: number 1-4, value 7-16, unit 18-21, marker 23-25 and date
// and time 27-45.
QString line(const QString& number, const QString& value, const QString& unit = "µm",
             const QString& marker = "NFe", const QString& stamp = "2024-03-07 09:15:30") {
    return QStringLiteral("%1  %2 %3 %4 %5")
        .arg(number, 4)
        .arg(value, 10)
        .arg(unit, -4)
        .arg(marker, 3)
        .arg(stamp);
}

DeviceInfo device(const char* modelCode) {
    DeviceInfo info;
    info.ModelCode = QString::fromLatin1(modelCode);
    FillCapabilities(info, info.ModelCode);
    return info;
}

TEST(ReadNumber, ReadsTheInstrumentsNumberForm) {
    ScopedLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ReadNumber("      12.5"), 12.5);
    EXPECT_EQ(ReadNumber("     -3.25"), -3.25);
    EXPECT_EQ(ReadNumber("+7"), 7);
    EXPECT_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("1.5e2"), 150);
    EXPECT_EQ(ReadNumber("1E-2"), 0.01);
}

TEST(ReadNumber, SkipsBlanksEvenInsideTheNumber) {
    EXPECT_EQ(ReadNumber(" 1 2 . 5 "), 12.5);
    EXPECT_EQ(ReadNumber("- 4"), -4);
    EXPECT_EQ(ReadNumber("1 e 3"), 1000);
}

TEST(ReadNumber, StopsAtTheFirstCharacterThatCannotContinue) {
    EXPECT_EQ(ReadNumber("12.5abc"), 12.5);
    EXPECT_EQ(ReadNumber("1.2.3"), 1.2);
    EXPECT_EQ(ReadNumber("2e"), 2);
    EXPECT_EQ(ReadNumber("2e+"), 2);
    EXPECT_EQ(ReadNumber("3-4"), 3);
}

TEST(ReadNumber, CommaEndsTheNumberWhateverTheLocale) {
    ScopedLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ReadNumber("12,5"), 12);
}

TEST(ReadNumber, TextWithoutANumberReadsAsZero) {
    EXPECT_EQ(ReadNumber(""), 0);
    EXPECT_EQ(ReadNumber("    "), 0);
    EXPECT_EQ(ReadNumber("abcdefghij"), 0);
    EXPECT_EQ(ReadNumber("-"), 0);
    EXPECT_EQ(ReadNumber("."), 0);
    EXPECT_EQ(ReadNumber("--5"), 0);
    EXPECT_EQ(ReadNumber("e5"), 0);
}

TEST(ReadNumber, TooLargeIsRefusedAndTooSmallIsZero) {
    EXPECT_FALSE(ReadNumber("1e400"));
    EXPECT_FALSE(ReadNumber("-9e999"));
    EXPECT_EQ(ReadNumber("1e-400"), 0);
}

TEST(LineField, CountsCharactersAndToleratesShortLines) {
    const QString text = QStringLiteral("µm12");
    EXPECT_EQ(LineField(text, 3, 2), "12");
    EXPECT_EQ(LineField(text, 4, 10), "2");
    EXPECT_EQ(LineField(text, 5, 3), "");
    EXPECT_EQ(LineField(text, 0, 3), "");
}

TEST(NormalizeUnit, WritesMicrometresWithMicroSign) {
    EXPECT_EQ(NormalizeUnit("ym"), "µm");
    EXPECT_EQ(NormalizeUnit(" mu "), "µm");
    EXPECT_EQ(NormalizeUnit("ym  "), "µm");
    EXPECT_EQ(NormalizeUnit("mi  "), "mi  ");
    EXPECT_EQ(NormalizeUnit("G "), "G ");
    EXPECT_EQ(NormalizeUnit("ymm"), "ymm");
}

TEST(ParseDeviceStamp, ReadsTheFieldsWhateverTheSeparators) {
    EXPECT_EQ(ParseDeviceStamp("2024-03-07 09:15:30"),
              QDateTime(QDate(2024, 3, 7), QTime(9, 15, 30)));
    EXPECT_EQ(ParseDeviceStamp("2024x03x07x09x15x30"),
              QDateTime(QDate(2024, 3, 7), QTime(9, 15, 30)));
}

TEST(ParseDeviceStamp, OutOfRangePartsRollOver) {
    EXPECT_EQ(ParseDeviceStamp("2024-13-01 00:00:00"), QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    EXPECT_EQ(ParseDeviceStamp("2024-03-07 14:60:00"), QDateTime(QDate(2024, 3, 7), QTime(15, 0)));
    EXPECT_EQ(ParseDeviceStamp("2024-12-31 24:00:00"), QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    EXPECT_EQ(ParseDeviceStamp("2024-03-00 10:00:00"), QDateTime(QDate(2024, 2, 29), QTime(10, 0)));
    EXPECT_EQ(ParseDeviceStamp("2023-02-30 00:00:99"),
              QDateTime(QDate(2023, 3, 2), QTime(0, 1, 39)));
    EXPECT_EQ(ParseDeviceStamp("2024-00-15 00:00:00"), QDateTime(QDate(2023, 12, 15), QTime(0, 0)));
}

TEST(ParseDeviceStamp, APartThatIsNotANumberFails) {
    EXPECT_FALSE(ParseDeviceStamp("2024-03- 7 09:15:30"));
    EXPECT_FALSE(ParseDeviceStamp("2024-03-07 0a:15:30"));
    EXPECT_FALSE(ParseDeviceStamp("2024-03-07 09:15:-1"));
    EXPECT_FALSE(ParseDeviceStamp("                   "));
    EXPECT_FALSE(ParseDeviceStamp("2024-03-07 09:15:"));
    EXPECT_FALSE(ParseDeviceStamp(""));
}

TEST(ParseDeviceStamp, ASecondsFieldOfOneDigitIsStillANumber) {
    EXPECT_EQ(ParseDeviceStamp("2024-03-07 09:15:3"),
              QDateTime(QDate(2024, 3, 7), QTime(9, 15, 3)));
}

TEST(ParseDeviceStamp, YearZeroIsNoCalendarDate) {
    EXPECT_FALSE(ParseDeviceStamp("0000-01-01 00:00:00"));
}

TEST(LongTimeFormat, LeavesOutTheTimeZone) {
    EXPECT_EQ(LongTimeFormat(QLocale(QLocale::German, QLocale::Germany)), "HH:mm:ss");
    EXPECT_FALSE(LongTimeFormat(QLocale(QLocale::English, QLocale::UnitedStates))
                     .contains(QLatin1Char('t')));
}

class FillMessdatenTest : public ::testing::Test {
protected:
    FillResult fill(const QString& text, MemoryKind kind, const DeviceInfo& info) {
        return FillMessdaten(text, kind, counters, info, Now, store);
    }
    const MeasurementRecord& slot(MemoryKind kind, int index) const {
        return store.at(kind, index);
    }

    MeasurementStore store;
    MeasurementCounters counters;
};

TEST_F(FillMessdatenTest, StoresAMemoryLineInTheCurrentSlot) {
    const FillResult result = fill(line("12", "45.5", "ym", "xyz"), MemoryKind::FE, device("DP"));
    ASSERT_EQ(result.Status, FillStatus::Added);
    EXPECT_EQ(result.Slot, 1);
    const MeasurementRecord& record = slot(MemoryKind::FE, 1);
    EXPECT_EQ(record.Number, 12);
    EXPECT_EQ(record.Value, 45.5);
    EXPECT_EQ(record.Unit, "µm");
    EXPECT_EQ(record.Marker, " Fe");
    EXPECT_EQ(record.TimeText, "14:03:05");
    EXPECT_EQ(record.DateText, "07.03.2024");
    EXPECT_TRUE(record.Stamp.isNull());
    EXPECT_EQ(result.ClockTime, "14:03:05");
    EXPECT_EQ(result.ClockDate, "07.03.2024");
    EXPECT_EQ(counters.CurrentIndex, 1) << "counters move only after the row is shown";
}

TEST_F(FillMessdatenTest, KeepsTheUnitWithItsBlanks) {
    fill(line("1", "2.5", "mi"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Unit, "mi  ");
}

TEST_F(FillMessdatenTest, MarkerFollowsTheMarkerSource) {
    fill(line("1", "1", "µm", "abc"), MemoryKind::NFE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::NFE, 1).Marker, "NFe");
    fill(line("1", "1", "µm", " Fe"), MemoryKind::Online, device("DP"));
    EXPECT_EQ(slot(MemoryKind::Online, 1).Marker, " Fe");
    fill(line("1", "1", "µm", " Fe"), MemoryKind::FE, device("CP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Marker, "Fe");

    store.at(MemoryKind::NFE, 2).Marker = "old";
    counters.CurrentIndex = 2;
    fill(line("1", "1", "µm", "NFe"), MemoryKind::NFE, device("AS9"));
    EXPECT_EQ(slot(MemoryKind::NFE, 2).Marker, "old");
}

TEST_F(FillMessdatenTest, ValueFieldWithAnyDigitIsReadAsTheInstrumentWritesIt) {
    fill(line("1", "12.5xyz"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Value, 12.5);
    const FillResult leadingLetters = fill(line("1", "ab12"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(leadingLetters.Status, FillStatus::Added);
    EXPECT_EQ(slot(MemoryKind::FE, 1).Value, 0);
}

// Garbled lines, texts without a number and values the table cannot show: no row, no field
// written, the "Fill Messdaten: " message.
TEST_F(FillMessdatenTest, LinesWithoutAShowableValueAreRefusedAndStoreNothing) {
    struct Case {
        QString line;
        int error;
    };
    const std::vector<Case> cases = {
        {line("1", "abc"), FillErrorNotANumber},
        {"   3      ", FillErrorNotANumber},
        {"", FillErrorNotANumber},
        {line("7", "  -.e+"), FillErrorNotANumber},
        {line("1", "nan"), FillErrorNotANumber},
        {line("1", "inf"), FillErrorNotANumber},
        {line("1", "1e308"), FillErrorOverflow},
        {line("1", "-1e309"), FillErrorOverflow},
        {line("1", "1e11"), FillErrorOverflow},
        {line("1", "-999999999"), FillErrorOverflow},
        {QString("   1  \x01\xff#q\x7f!*& ~~ \x03"), FillErrorNotANumber},
        {line("1", QString("5.00\x02")), FillErrorNotANumber},
        {line("1", "5.00", QString(QChar(0)) + "m"), FillErrorNotANumber},
        {line("1", "0.00", QString("\x1b[m")), FillErrorNotANumber},
    };
    for (MemoryKind kind : {MemoryKind::FE, MemoryKind::Online}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.line.toStdString());
            store.ClearStore(kind);
            const FillResult result = fill(c.line, kind, device("DP"));
            EXPECT_EQ(result.Status, FillStatus::Failed);
            EXPECT_EQ(result.ErrorNumber, c.error);
            EXPECT_TRUE(result.Message().startsWith("Fill Messdaten: "));
            const MeasurementRecord& record = slot(kind, 1);
            EXPECT_EQ(record.Number, 0);
            EXPECT_EQ(record.Value, 0);
            EXPECT_EQ(record.Unit, " ");
            EXPECT_EQ(record.TimeText, " ");
            EXPECT_EQ(counters.CurrentIndex, 1);
        }
    }
    // The widest values the table shows are still taken.
    EXPECT_EQ(fill(line("1", "99999999.9"), MemoryKind::FE, device("DP")).Status,
              FillStatus::Added);
    EXPECT_EQ(fill(line("1", "-9999999.9"), MemoryKind::FE, device("DP")).Status,
              FillStatus::Added);
}

TEST_F(FillMessdatenTest, MemoryNumberIsRoundedHalfToEven) {
    fill(line("2.5", "1"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Number, 2);
    fill(line("3.5", "1"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Number, 4);
}

TEST_F(FillMessdatenTest, LineBreaksInsideTheLineKeepTheColumns) {
    QString text = line("1", "1", "µm");
    text.replace(7, 2, "\r\n"); // inside the value field
    fill(text, MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Value, 1);
    EXPECT_EQ(slot(MemoryKind::FE, 1).Unit, "µm  ");

    fill("   1      12.5\r\n", MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).Value, 12.5);
}

TEST_F(FillMessdatenTest, EndOfTransmissionFromEl7StoresNothing) {
    const QString eot(QChar(4));
    const FillResult result = fill(eot, MemoryKind::FE, device("EL7"));
    EXPECT_EQ(result.Status, FillStatus::Ignored);
    EXPECT_TRUE(result.ClockTime.isEmpty());
    EXPECT_TRUE(slot(MemoryKind::FE, 1).TimeText.isEmpty());

    // From another model it is a line without a value.
    const FillResult other = fill(eot, MemoryKind::FE, device("DP"));
    EXPECT_EQ(other.Status, FillStatus::Failed);
    EXPECT_TRUE(slot(MemoryKind::FE, 1).TimeText.isEmpty());
}

TEST_F(FillMessdatenTest, El7ValuesAreMicroradiansWithDeviceStamps) {
    ScopedLocale german(QLocale::German, QLocale::Germany);
    const FillResult result = fill(line("4", "0.125", "xx", "   "), MemoryKind::FE, device("EL7"));
    ASSERT_EQ(result.Status, FillStatus::Added);
    const MeasurementRecord& record = slot(MemoryKind::FE, 1);
    EXPECT_EQ(record.Unit, "µr");
    EXPECT_EQ(record.Stamp, QDateTime(QDate(2024, 3, 7), QTime(9, 15, 30)));
    EXPECT_EQ(record.TimeText, "09:15:30");
    EXPECT_EQ(record.DateText, "07.03.24");
}

TEST_F(FillMessdatenTest, DeviceStampFollowsTheRegionalFormats) {
    ScopedLocale english(QLocale::English, QLocale::UnitedStates);
    fill(line("4", "12", "µm", "NFe", "2024-03-07 15:15:30"), MemoryKind::NFE, device("DPB"));
    EXPECT_EQ(slot(MemoryKind::NFE, 1).TimeText, "3:15:30 PM");
    EXPECT_EQ(slot(MemoryKind::NFE, 1).DateText, "3/7/24");
}

TEST_F(FillMessdatenTest, BrokenDeviceStampFailsTheLineAndWritesNothing) {
    for (const QString& stamp : {QString("2024-03-07 09:1a:30"), QString("2024-03- 7 09:15:30")}) {
        const FillResult result =
            fill(line("4", "12.5", "µm", "NFe", stamp), MemoryKind::FE, device("DPB"));
        EXPECT_EQ(result.Status, FillStatus::Failed);
        EXPECT_EQ(result.ErrorNumber, FillErrorNotANumber);
        EXPECT_TRUE(result.Message().startsWith("Fill Messdaten: 13"))
            << result.Message().toStdString();
        // A refused line in the last slot would otherwise show as a row when the table is rebuilt.
        EXPECT_EQ(slot(MemoryKind::FE, 1).Value, 0);
        EXPECT_EQ(slot(MemoryKind::FE, 1).Number, 0);
        EXPECT_TRUE(slot(MemoryKind::FE, 1).Stamp.isNull());
        EXPECT_EQ(counters.CurrentIndex, 1);
    }
}

TEST_F(FillMessdatenTest, LineEndingBeforeTheSecondsFailsWithDeviceStamps) {
    const QString text = line("4", "12.5").left(43);
    EXPECT_EQ(fill(text, MemoryKind::FE, device("DPB")).Status, FillStatus::Failed);
    EXPECT_EQ(fill(line("4", "12.5").left(44), MemoryKind::FE, device("DPB")).Status,
              FillStatus::Added);
}

TEST_F(FillMessdatenTest, PcStampFillsOnlyEmptyTexts) {
    store.at(MemoryKind::FE, 1).TimeText = "08:00:00";
    store.at(MemoryKind::FE, 1).DateText = "01.01.2020";
    fill(line("1", "5"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).TimeText, "08:00:00");
    EXPECT_EQ(slot(MemoryKind::FE, 1).DateText, "01.01.2020");

    store.ClearStore(MemoryKind::FE);
    fill(line("1", "5"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(slot(MemoryKind::FE, 1).TimeText, "14:03:05");
    EXPECT_EQ(slot(MemoryKind::FE, 1).DateText, "07.03.2024");
}

TEST_F(FillMessdatenTest, HeaderLineIsDroppedAndItsSlotReused) {
    const DeviceInfo dp = device("DP");
    EXPECT_EQ(fill(line("0", "0.0"), MemoryKind::FE, dp).Status, FillStatus::Dropped);
    EXPECT_EQ(counters.CurrentIndex, 1);
    const FillResult next = fill(line("1", "7"), MemoryKind::FE, dp);
    EXPECT_EQ(next.Status, FillStatus::Added);
    EXPECT_EQ(next.Slot, 1);
}

TEST_F(FillMessdatenTest, OnlineValuesAreNumberedByTheOnlineCounter) {
    const DeviceInfo dp = device("DP");
    for (int i = 1; i <= 3; ++i) {
        const FillResult result = fill(line("0", QString::number(10 * i)), MemoryKind::Online, dp);
        ASSERT_EQ(result.Status, FillStatus::Added);
        EXPECT_EQ(result.Slot, i);
        EXPECT_TRUE(AdvanceCounters(counters, MemoryKind::Online, dp));
    }
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(slot(MemoryKind::Online, i).Number, i);
        EXPECT_EQ(slot(MemoryKind::Online, i).Value, 10 * i);
    }
    EXPECT_EQ(counters.OnlineCounter, 4);
    EXPECT_EQ(counters.CurrentIndex, 4);
}

TEST_F(FillMessdatenTest, InstrumentsThatCountOnlineValuesThemselvesKeepTheCounter) {
    const DeviceInfo as9 = device("AS9");
    ASSERT_EQ(fill(line("0", "3.5", "kA/m"), MemoryKind::Online, as9).Status, FillStatus::Added);
    EXPECT_TRUE(AdvanceCounters(counters, MemoryKind::Online, as9));
    EXPECT_EQ(counters.OnlineCounter, 1);
    EXPECT_EQ(counters.CurrentIndex, 2);
}

TEST_F(FillMessdatenTest, SlotsOutsideTheStoreFailWithoutTouchingIt) {
    const DeviceInfo dp = device("DP");
    counters.CurrentIndex = MeasurementStore::MaxSlot + 1;
    FillResult result = fill(line("1", "5"), MemoryKind::FE, dp);
    EXPECT_EQ(result.Status, FillStatus::Failed);
    EXPECT_EQ(result.ErrorNumber, FillErrorSlot);
    EXPECT_EQ(counters.CurrentIndex, MeasurementStore::MaxSlot + 1);

    counters.CurrentIndex = -1;
    EXPECT_EQ(fill(line("1", "5"), MemoryKind::FE, dp).Status, FillStatus::Failed);

    counters.CurrentIndex = 1;
    EXPECT_EQ(fill(line("1", "5"), MemoryKind::Identification, dp).Status, FillStatus::Failed);

    counters.OnlineCounter = MeasurementStore::MaxSlot + 1;
    EXPECT_EQ(fill(line("1", "5"), MemoryKind::Online, dp).Status, FillStatus::Failed);
    EXPECT_EQ(counters.OnlineCounter, MeasurementStore::MaxSlot + 1);
}

TEST_F(FillMessdatenTest, NumbersBeyondTheirRangeFailTheLine) {
    FillResult result = fill(line("9e99", "5"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(result.Status, FillStatus::Failed);
    EXPECT_EQ(result.ErrorNumber, FillErrorOverflow);

    result = fill(line("1", "1e999"), MemoryKind::FE, device("DP"));
    EXPECT_EQ(result.Status, FillStatus::Failed);
    EXPECT_EQ(slot(MemoryKind::FE, 1).Number, 0) << "nothing is written for a refused line";
}

TEST(AdvanceCounters, RefusesToLeaveTheSixteenBitRange) {
    MeasurementCounters counters{32767, 32767};
    EXPECT_FALSE(AdvanceCounters(counters, MemoryKind::Online, device("DP")));
    EXPECT_EQ(counters.CurrentIndex, 32767);
    EXPECT_EQ(counters.OnlineCounter, 32767);
}

// Lines of random length and content, with random memory kinds, counters and models: the parser
// must never crash, never write outside the store and keep its counters' promises.
TEST(FillMessdatenFuzz, SurvivesArbitraryLines) {
    QRandomGenerator random(20240307);
    const char* models[] = {"DP", "DPB", "CP", "EL7", "AS3", "AS9", "AS6", "BO2", "XX"};
    const QString alphabet = QStringLiteral("0123456789 .-+eE:/µ\r\nFeNFaz\x04\x19");
    MeasurementStore store;
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(90);
        for (int i = 0; i < length; ++i)
            text += random.bounded(4) == 0 ? QChar(char16_t(random.bounded(0x3000)))
                                           : alphabet[random.bounded(alphabet.size())];
        const DeviceInfo info = device(models[random.bounded(9)]);
        const auto kind = static_cast<MemoryKind>(random.bounded(4));
        MeasurementCounters counters{random.bounded(-3, 5004), random.bounded(-3, 5004)};
        const MeasurementCounters before = counters;

        const FillResult result = FillMessdaten(text, kind, counters, info, Now, store);

        EXPECT_EQ(counters.OnlineCounter, before.OnlineCounter);
        if (kind != MemoryKind::Online)
            EXPECT_EQ(counters.CurrentIndex, before.CurrentIndex);
        if (result.Status == FillStatus::Added) {
            ASSERT_TRUE(MeasurementStore::IsSlot(kind, result.Slot));
            EXPECT_FALSE(EndsSeries(store.at(kind, result.Slot)));
            const MeasurementRecord& record = store.at(kind, result.Slot);
            EXPECT_LE(ValueText(record.Value, record.Unit, info.DecimalsMode).size(), 11);
        }
        if (result.Status == FillStatus::Failed)
            EXPECT_FALSE(result.ErrorDescription.isEmpty());
    }
}

TEST(ReadNumberFuzz, GivesAFiniteNumberOrNothing) {
    QRandomGenerator random(7);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(40);
        for (int i = 0; i < length; ++i)
            text += QChar(char16_t(random.bounded(128)));
        const auto value = ReadNumber(text);
        if (value)
            EXPECT_TRUE(std::isfinite(*value)) << text.toStdString();
    }
}

} // namespace

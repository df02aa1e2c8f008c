#include "core/BleAnswers.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplyBleIdentification, TakesTheKeysGivenAndKeepsTheOthers) {
    DeviceInfo info;
    info.VD = "old";
    info.IdentB = "kept";
    const QStringList problems = ApplyBleIdentification("$zorv00T:FN5;S:0815-22;!", info);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    EXPECT_EQ(info.PT, "FN5");
    EXPECT_EQ(info.IdentS, "0815-22");
    EXPECT_EQ(info.VD, "old");
    EXPECT_EQ(info.IdentB, "kept");
}

TEST(ApplyBleIdentification, AnyOrderAndCountWithAnySeparator) {
    DeviceInfo info;
    ApplyBleIdentification("$zorv00M:00A0B1C2D3E4 H:4.21|V:1.3;B:B7;R:2.0;X:skip;T:3;T:1#!tail",
                           info);
    EXPECT_EQ(info.AD, "00A0B1C2D3E4");
    EXPECT_EQ(info.VD, "4.21");
    EXPECT_EQ(info.IdentV, "1.3");
    EXPECT_EQ(info.IdentB, "B7");
    EXPECT_EQ(info.IdentR, "2.0");
    EXPECT_EQ(info.PT, "1"); // the later field wins
}

TEST(ApplyBleIdentification, BrokenAnswersFillWhatTheyCanAndSayWhy) {
    DeviceInfo info;
    info.PT = "keep";
    EXPECT_EQ(ApplyBleIdentification("$zorv00!", info).size(), 1);
    EXPECT_EQ(ApplyBleIdentification("$zorv00", info).size(), 2);
    EXPECT_EQ(info.PT, "keep");

    // Without "!" the last character still closes the last value.
    EXPECT_EQ(ApplyBleIdentification("$zorv00S:123;", info).size(), 1);
    EXPECT_EQ(info.IdentS, "123");

    // Fields with nothing between their colons give empty values, never a failure.
    ApplyBleIdentification("$zorv00T::S:;!", info);
    EXPECT_EQ(info.PT, "");
    EXPECT_EQ(ApplyBleIdentification(":x;T:2;!", info).size(), 1);
    EXPECT_EQ(info.PT, "2");
}

TEST(ParseBleDirectory, NamesAndCountsTrimmed) {
    const BleDirectory d = ParseBleDirectory("2\n  Bridge A , 12 \nPlate,7.5\n");
    EXPECT_TRUE(d.Problems.isEmpty());
    EXPECT_EQ(d.StorageCount, 2);
    EXPECT_EQ(d.StorageNames, QStringList({"Bridge A", "Plate"}));
    EXPECT_EQ(d.StorageSizes, QList<qint16>({12, 8}));
}

TEST(ParseBleDirectory, BrokenDirectoriesGiveWhatTheyList) {
    const BleDirectory none = ParseBleDirectory("0\n");
    EXPECT_EQ(none.StorageCount, 0);
    EXPECT_TRUE(none.Problems.isEmpty());

    const BleDirectory garbage = ParseBleDirectory("");
    EXPECT_EQ(garbage.StorageCount, 0);
    EXPECT_EQ(ParseBleDirectory("x\nA,1").StorageCount, 0);
    EXPECT_EQ(ParseBleDirectory("-3\nA,1").StorageCount, 0);

    const BleDirectory shortList = ParseBleDirectory("3\r\nA,1\r\nB 2\r\n");
    EXPECT_EQ(shortList.StorageCount, 3); // the empty last line is listed as a memory too
    EXPECT_EQ(shortList.StorageNames, QStringList({"A", "B 2", ""}));
    EXPECT_EQ(shortList.StorageSizes, QList<qint16>({1, 0, 0}));

    const BleDirectory cut = ParseBleDirectory("5\nA,4");
    EXPECT_EQ(cut.StorageCount, 1);
    EXPECT_EQ(cut.Problems.size(), 1);
    EXPECT_EQ(ParseBleDirectory("1\nA,99999").StorageSizes, QList<qint16>({32767}));
}

TEST(BleClock, AnswerAndCommand) {
    EXPECT_EQ(BleClockAnswer("$glt?2027-02-03/09:05:00!"), QString("2027-02-03/09:05:00"));
    EXPECT_EQ(BleClockAnswer("$glt?2027-02-03/09:05:00\r\n"), QString("2027-02-03/09:05:00"));
    EXPECT_EQ(BleClockAnswer("$glt?!"), QString(""));
    EXPECT_FALSE(BleClockAnswer("$gl").has_value());
    EXPECT_FALSE(BleClockAnswer("$zorv00T:1;!").has_value());

    const QString text = BleClockText(QDateTime(QDate(2027, 2, 3), QTime(9, 5, 0)));
    EXPECT_EQ(text, "2027-02-03/09:05:00");
    EXPECT_EQ(BleSetClockCommand(text), "$slt?2027-02-03/09:05:00!\r\n");
    EXPECT_EQ(BleClockText(QDateTime(QDate(2027, 12, 31), QTime(23, 59, 58))),
              "2027-12-31/23:59:58");
}

QString line(int number) {
    return QStringLiteral("%1     12.3 µm  Fe").arg(number, 4);
}

TEST(TakeBleBlock, StopsCountingAtTheMemorysSize) {
    const QString block = QStringList{line(1), line(2), line(3), line(4), line(5)}.join('\n');
    const BleBlockLines last = TakeBleBlock(block, 8, 10);
    EXPECT_EQ(last.Lines, QStringList({line(1), line(2), line(3)}));
    EXPECT_EQ(last.Counter, 11);
}

TEST(TakeBleBlock, ShortLinesCountButAreNotParsedAndEmptyOnesNeitherCount) {
    const BleBlockLines taken = TakeBleBlock(line(1) + "\r\nshort\n\n" + line(2) + "\r\n", 1, 100);
    EXPECT_EQ(taken.Lines, QStringList({line(1), line(2)}));
    EXPECT_EQ(taken.Counter, 4);

    EXPECT_EQ(TakeBleBlock(line(1), 1, 0).Lines.size(), 0);
    const QString six =
        QStringList{line(1), line(2), line(3), line(4), line(5), line(6)}.join('\n');
    EXPECT_EQ(TakeBleBlock(six, 1, 100).Lines.size(), 6);
}

} // namespace

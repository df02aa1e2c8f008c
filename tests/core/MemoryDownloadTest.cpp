#include "core/MemoryDownload.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitMemoryAnswer, TakesLinesAfterTheStartLineWithoutFourBlankLines) {
    const MemoryAnswer answer = SplitMemoryAnswer("\x02\r\nA\r\n    B\r\nC\r\n\x04");
    EXPECT_EQ(answer.Lines, QStringList({"A", "C"}));
    EXPECT_FALSE(answer.LimitExceeded);
}

TEST(SplitMemoryAnswer, NothingWithoutTheStartLine) {
    EXPECT_TRUE(SplitMemoryAnswer("A\r\nC\r\n\x04").Lines.isEmpty());
    EXPECT_TRUE(SplitMemoryAnswer("\x02 A\r\nC\r\n").Lines.isEmpty());
    EXPECT_TRUE(SplitMemoryAnswer("").Lines.isEmpty());
}

TEST(SplitMemoryAnswer, SkipsLinesBeforeTheStartAndTextAfterTheLastLineEnd) {
    const MemoryAnswer answer =
        SplitMemoryAnswer("noise\r\n\x02\r\n   1  12.5\r\n   2  13.0\r\n   3  14");
    EXPECT_EQ(answer.Lines, QStringList({"   1  12.5", "   2  13.0"}));
}

TEST(SplitMemoryAnswer, EmptyLinesDoNotEndTheDownload) {
    EXPECT_EQ(SplitMemoryAnswer("\x02\r\nA\r\n\r\nB\r\n").Lines, QStringList({"A", "B"}));
}

TEST(SplitMemoryAnswer, ASecondStartLineIsNotAMeasurement) {
    EXPECT_EQ(SplitMemoryAnswer("\x02\r\nA\r\n\x02\r\nB\r\n").Lines, QStringList({"A", "B"}));
}

TEST(SplitMemoryAnswer, TakesAtMostTheLimit) {
    QString text = "\x02\r\n";
    for (int i = 1; i <= MemoryLineLimit + 2; ++i)
        text += QString::number(i) + "\r\n";
    const MemoryAnswer answer = SplitMemoryAnswer(text);
    ASSERT_EQ(answer.Lines.size(), MemoryLineLimit);
    EXPECT_EQ(answer.Lines.last(), QString::number(MemoryLineLimit));
    EXPECT_TRUE(answer.LimitExceeded);

    text.truncate(text.lastIndexOf(QString::number(MemoryLineLimit + 1)));
    EXPECT_FALSE(SplitMemoryAnswer(text).LimitExceeded);
}

} // namespace

#include "core/LineAssembler.h"
#include "core/InstrumentText.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

using Kind = LineAssembler::EventKind;
using Events = std::vector<LineAssembler::Event>;

LineAssembler::Event line(const QString& text) {
    return {Kind::Line, text};
}
const LineAssembler::Event Eot{Kind::EndOfTransmission, {}};
const LineAssembler::Event Unavailable{Kind::NotAvailable, {}};

TEST(LineAssembler, JoinsPiecesIntoLinesAcrossTheLineEnd) {
    LineAssembler assembler;
    EXPECT_TRUE(assembler.feed("   1  ").empty());
    EXPECT_TRUE(assembler.feed("12.5\r").empty());
    EXPECT_EQ(assembler.feed("\nxy\r\n"), Events({line("   1  12.5"), line("xy")}));
    EXPECT_EQ(assembler.pendingBytes(), 0);
}

TEST(LineAssembler, ReportsControlCharactersInOrderOutsideLines) {
    LineAssembler assembler;
    EXPECT_EQ(assembler.feed("\x02\r\nA\r\n\x04"), Events({line("\x02"), line("A"), Eot}));
    EXPECT_EQ(assembler.feed("B\x19"
                             "C\r\n"),
              Events({Unavailable, line("BC")}));
}

TEST(LineAssembler, BareLineFeedEndsALineAndInnerCarriageReturnsStay) {
    LineAssembler assembler;
    EXPECT_EQ(assembler.feed("A\nB\rC\r\n\r\n"), Events({line("A"), line("B\rC"), line("")}));
}

TEST(LineAssembler, DropsAnOverlongLineUpToItsEndAndReportsItOnce) {
    LineAssembler assembler(8);
    const Events events = assembler.feed("0123456789abcdef\x04xyz\r\nok\r\n");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Kind, Kind::LineTooLong);
    EXPECT_EQ(events[0].Text, "012345678");
    EXPECT_EQ(events[1], Eot);
    EXPECT_EQ(events[2], line("ok"));
}

TEST(LineAssembler, ClearForgetsTheUnfinishedLine) {
    LineAssembler assembler(4);
    assembler.feed("abc");
    assembler.clear();
    EXPECT_EQ(assembler.feed("d\r\n"), Events({line("d")}));
    assembler.feed("abcdef");
    assembler.clear();
    EXPECT_EQ(assembler.feed("g\r\n"), Events({line("g")}));
}

TEST(InstrumentText, ReadsMicroFromLatin1AndUtf8) {
    EXPECT_EQ(DecodeInstrumentText("12.5 \xB5m"), QString::fromUtf8("12.5 µm"));
    EXPECT_EQ(DecodeInstrumentText("12.5 \xC2\xB5m"), QString::fromUtf8("12.5 µm"));
    EXPECT_EQ(DecodeInstrumentText("\x80\x81\xE4"), QString::fromUtf8("€\u0081ä"));
    EXPECT_EQ(DecodeInstrumentText("\xE4\xB5"), QString::fromUtf8("äµ"));
}

TEST(InstrumentText, WritesLatin1OrUtf8) {
    EXPECT_EQ(EncodeInstrumentText(QString::fromUtf8("µm")), QByteArray("\xB5m"));
    EXPECT_EQ(EncodeInstrumentText(QString::fromUtf8("µm"), true), QByteArray("\xC2\xB5m"));
    EXPECT_EQ(EncodeInstrumentText(QString::fromUtf8("1€")), QByteArray("1?"));
}

} // namespace

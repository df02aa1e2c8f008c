#include "core/Identification.h"
#include "core/InstrumentText.h"
#include "core/LineAssembler.h"
#include "core/MemoryDownload.h"
#include "core/QStringPrinter.h"

#include <QRandomGenerator>
#include <array>
#include <gtest/gtest.h>

// Arbitrary and nearly valid instrument output fed to everything that reads it: nothing may
// crash or hang, and what comes out keeps the promised form.
namespace {

constexpr int Rounds = 1500;

// Pieces of real answers mixed with noise, so the parsers get past their first checks.
QByteArray randomAnswer(QRandomGenerator& random) {
    static const std::array<QByteArray, 22> pieces{"\r\n",
                                                   "\r",
                                                   "\n",
                                                   "\x02\r\n",
                                                   "\x04",
                                                   "\x19",
                                                   "    ",
                                                   "M",
                                                   "M1:",
                                                   "M2:",
                                                   "VD",
                                                   "AD",
                                                   "PT",
                                                   "VP",
                                                   ":",
                                                   "-",
                                                   "12",
                                                   "99999",
                                                   "\xB5m",
                                                   "\xC2\xB5",
                                                   "   1      12.5 \xB5m   Fe",
                                                   QByteArray(1, '\0')};
    QByteArray bytes;
    const int count = random.bounded(60);
    for (int i = 0; i < count; ++i) {
        if (random.bounded(4) == 0) {
            bytes.append(static_cast<char>(random.bounded(256)));
        } else {
            bytes.append(pieces[random.bounded(int(pieces.size()))]);
        }
    }
    return bytes;
}

QByteArray randomBytes(QRandomGenerator& random) {
    QByteArray bytes(random.bounded(3000), Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

std::vector<LineAssembler::Event> feedInPieces(const QByteArray& bytes, qsizetype maxLine,
                                               QRandomGenerator& random) {
    LineAssembler assembler(maxLine);
    std::vector<LineAssembler::Event> events;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype size = 1 + random.bounded(int(std::min<qsizetype>(64, bytes.size() - at)));
        for (auto& event : assembler.feed(QByteArrayView(bytes.constData() + at, size)))
            events.push_back(event);
        at += size;
    }
    return events;
}

TEST(ReceiveFuzz, AssemblerGivesTheSameLinesHoweverTheBytesAreCut) {
    QRandomGenerator random(20261207);
    for (int round = 0; round < Rounds; ++round) {
        const QByteArray bytes = round % 2 ? randomBytes(random) : randomAnswer(random);
        const qsizetype maxLine = 16 + random.bounded(200);
        LineAssembler whole(maxLine);
        const auto expected = whole.feed(bytes);
        ASSERT_EQ(feedInPieces(bytes, maxLine, random), expected) << "round " << round;
        for (const auto& event : expected) {
            if (event.Kind != LineAssembler::EventKind::Line)
                continue;
            ASSERT_LE(event.Text.size(), maxLine);
            ASSERT_FALSE(event.Text.contains(QLatin1Char('\n')));
            ASSERT_FALSE(event.Text.contains(QLatin1Char(EndOfTransmission)));
            ASSERT_FALSE(event.Text.contains(QLatin1Char(NotAvailableChar)));
        }
        ASSERT_LE(whole.pendingBytes(), maxLine);
    }
}

TEST(ReceiveFuzz, IdentificationTakesAnyAnswer) {
    QRandomGenerator random(7);
    for (int round = 0; round < Rounds; ++round) {
        const QByteArray bytes = round % 2 ? randomBytes(random) : randomAnswer(random);
        const QString answer = DecodeInstrumentText(bytes);
        for (const char* code : {"DP", "CP", "AS3", "XYZ"}) {
            DeviceInfo info;
            info.ModelCode = QString::fromLatin1(code);
            FillCapabilities(info, info.ModelCode);
            const QStringList problems = ApplyIdentification(answer, info);
            ASSERT_LE(problems.size(), answer.count(QLatin1String("\r\n")));
            if (info.ModelCode != QLatin1String(code)) {
                ASSERT_EQ(QLatin1String(code), QLatin1String("DP"));
                ASSERT_FALSE(info.ModelCode.trimmed().isEmpty());
            }
        }
    }
}

TEST(ReceiveFuzz, DownloadSplitKeepsItsPromises) {
    QRandomGenerator random(11);
    for (int round = 0; round < Rounds; ++round) {
        const QByteArray bytes = round % 2 ? randomBytes(random) : randomAnswer(random);
        const QString text = DecodeInstrumentText(bytes);
        const MemoryAnswer answer = SplitMemoryAnswer(text);
        const QStringList all = text.split(QStringLiteral("\r\n"));
        ASSERT_LE(answer.Lines.size(), MemoryLineLimit);
        if (!answer.Lines.isEmpty())
            ASSERT_TRUE(all.contains(QString(QLatin1Char(StartOfText))));
        for (const QString& line : answer.Lines) {
            ASSERT_FALSE(line.isEmpty());
            ASSERT_FALSE(line.startsWith(QLatin1String("    ")));
            ASSERT_FALSE(line.contains(QLatin1String("\r\n")));
            ASSERT_TRUE(all.mid(0, all.size() - 1).contains(line));
        }
    }
}

} // namespace

#include "core/MesReader.h"
#include "core/MeasurementLine.h"
#include "core/NumberFormat.h"
#include "core/ReportText.h"
#include "core/SettingsIo.h"
#include "core/Statistics.h"
#include "core/ValueText.h"

#include <QLocale>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <random>

namespace {

class MesReaderTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(m_savedLocale); }

private:
    QLocale m_savedLocale;
};

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale UsEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale UkEnglish(QLocale::English, QLocale::UnitedKingdom);

DeviceInfo Instrument(const QString& modelCode) {
    DeviceInfo device;
    device.ModelCode = modelCode;
    FillCapabilities(device, modelCode);
    return device;
}

// One line as the instrument sends it, in its fixed columns.
QString InstrumentLine(int number, const QString& value, const QString& unit, const QString& marker,
                       const QDateTime& stamp) {
    return QString::number(number).rightJustified(4) + "  " + value.rightJustified(10) + " " +
           unit.leftJustified(4) + " " + marker.leftJustified(3) + " " +
           stamp.toString("yyyy-MM-dd hh:mm:ss");
}

const QStringList SampleValues = {"95.44",  "123.45", "12.3",  "0.42",   "3.456",
                                  "1234.5", "-12.5",  "99.94", "150.06", "7"};

// A series measured by the instrument and stored as the receive path stores it.
std::vector<MeasurementRecord> MeasureSeries(const DeviceInfo& device, MemoryKind kind,
                                             const QString& unit, int count) {
    MeasurementStore store;
    MeasurementCounters counters;
    // Crosses midnight, so device dates change within the series.
    const QDateTime start(QDate(2025, 3, 14), QTime(23, 55, 0));
    for (int i = 0; i < count; ++i) {
        if (kind == MemoryKind::Online)
            counters.OnlineCounter = i + 1;
        const QDateTime when = start.addSecs(i * 97);
        const QString line = InstrumentLine(i + 1, SampleValues[i % SampleValues.size()], unit,
                                            i % 2 ? "Fe " : "M1", when);
        const FillResult result = FillMessdaten(line, kind, counters, device, when, store);
        EXPECT_EQ(result.Status, FillStatus::Added) << line.toStdString();
        AdvanceCounters(counters, kind, device);
    }
    return SeriesRecords(store, kind);
}

// The report of a series as the main window builds it for a file.
QString SavedFile(const DeviceInfo& device, const std::vector<MeasurementRecord>& records,
                  int languageIndex) {
    ReportInputs in;
    in.Project.Labels = {"Projekt", "Ort", "Label", "Label", "Label", "Label"};
    in.Project.Fields = {"7: Halle 3", "12 Nord", "", "", "", ""};
    in.Project.Date = QDate(2025, 3, 14);
    in.Project.Time = QTime(8, 0);
    in.MemoryTitle = languageIndex == 0 ? "FE-Speicher" : "FE-Memory";
    in.LanguageIndex = languageIndex;
    in.Device = device;
    in.UserLimits.MinLimit = 10;
    in.UserLimits.MaxLimit = 200;
    in.UserLimits.TargetValue = 100;
    in.UserLimits.LimitTexts = {"200", "10", "100"};

    StatisticInputs statistics;
    statistics.SignMode = device.SignMode;
    statistics.DecimalsMode = device.DecimalsMode;
    statistics.UserLimits = in.UserLimits;
    statistics.LanguageIndex = languageIndex;
    statistics.MemoryTitle = in.MemoryTitle;
    StatisticState state;
    int index = 1;
    Reset_Statistic(state, index);
    for (std::size_t k = 0; k < records.size(); ++k) {
        index = static_cast<int>(k) + 1;
        AddStatisticValue(state, records[k].Value, records[k].Unit, index, statistics);
    }
    in.StatisticList = StatisticLines(state, statistics);
    in.FirstUnit = state.FirstUnit;

    const bool stamped = device.StampSource == "-";
    const bool german = languageIndex == 0;
    in.ColumnHeaders = {stamped ? (german ? "Datum Zeit" : "Date Time") : records.front().DateText,
                        german ? "Nr." : "No.", german ? "Messwert" : "Value"};
    in.Records = records;
    return BuildReportText("A", in) + "\r\n";
}

// The value as the table and the report show it, read back.
double ShownValue(const MeasurementRecord& record, const DeviceInfo& device) {
    bool ok = false;
    const double shown = QLocale().toDouble(
        ValueText(record.Value, record.Unit, device.DecimalsMode).trimmed(), &ok);
    EXPECT_TRUE(ok);
    return shown;
}

void ExpectSameRecords(const std::vector<MeasurementRecord>& read,
                       const std::vector<MeasurementRecord>& written, const DeviceInfo& device) {
    ASSERT_EQ(read.size(), written.size());
    const bool stamped = device.StampSource == "-";
    for (std::size_t k = 0; k < read.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(read[k].Number, written[k].Number);
        EXPECT_EQ(read[k].Value, ShownValue(written[k], device));
        EXPECT_EQ(read[k].Unit, written[k].Unit.trimmed());
        EXPECT_EQ(read[k].Marker, written[k].Marker);
        EXPECT_EQ(read[k].TimeText, written[k].TimeText);
        if (stamped) {
            EXPECT_EQ(read[k].Stamp, written[k].Stamp);
            EXPECT_EQ(read[k].DateText, written[k].DateText);
        }
    }
    // A series stamped by the PC keeps its date in the column header: slot 1's date.
    if (!stamped && !read.empty())
        EXPECT_EQ(read.front().DateText, written.front().DateText);
}

QStringList UnitsOf(const QString& modelCode) {
    if (modelCode.startsWith("AS") || modelCode.startsWith("BO"))
        return {"G ", "kA/m"};
    return {"ym", "mi"}; // "ym" is the instruments' spelling of "µm"
}

TEST_F(MesReaderTest, EveryInstrumentSeriesReadsBackAsSaved) {
    for (const QString code : {"DP", "DPB", "CP", "EL7", "AS3", "AS9", "AS6", "BO2"}) {
        const DeviceInfo device = Instrument(code);
        for (const QLocale& locale : {German, UsEnglish, UkEnglish}) {
            QLocale::setDefault(locale);
            for (const MemoryKind kind : {MemoryKind::FE, MemoryKind::Online}) {
                for (const QString& unit : UnitsOf(code)) {
                    SCOPED_TRACE((code + " " + locale.name() + " " + unit + " kind " +
                                  QString::number(static_cast<int>(kind)))
                                     .toStdString());
                    const std::vector<MeasurementRecord> series =
                        MeasureSeries(device, kind, unit, 23);
                    const int language = locale.language() == QLocale::German ? 0 : 1;
                    const QString file = SavedFile(device, series, language);
                    const MesReading reading = ReadMesText(file.toUtf8(), device);
                    ExpectSameRecords(reading.Records, series, device);
                }
            }
        }
    }
}

TEST_F(MesReaderTest, RoundTripCoversStampsMarkersAndUnits) {
    // Guards the test above against reading back what it never wrote.
    QLocale::setDefault(German);
    const std::vector<MeasurementRecord> stamped =
        MeasureSeries(Instrument("DPB"), MemoryKind::FE, "ym", 5);
    EXPECT_EQ(stamped[4].DateText, "15.03.25");
    EXPECT_EQ(stamped[4].TimeText, "00:01:28");
    EXPECT_EQ(stamped[1].Marker, "Fe");
    EXPECT_EQ(stamped[0].Unit, "µm");
    const std::vector<MeasurementRecord> online =
        MeasureSeries(Instrument("DP"), MemoryKind::Online, "mi", 2);
    EXPECT_EQ(online[0].Marker, "M1 ");
    EXPECT_EQ(online[0].Unit, "mi  ");
    EXPECT_EQ(online[1].Number, 2);
}

TEST_F(MesReaderTest, FilesTheProgramWritesReadBackUnchanged) {
    QLocale::setDefault(UsEnglish);
    for (const QString code : {"DP", "DPB", "AS3"}) {
        SCOPED_TRACE(code.toStdString());
        const DeviceInfo device = Instrument(code);
        const QString unit = UnitsOf(code).first();
        // Saving an opened file writes its table again as it was. (The statistics may differ in
        // the last digit: they are computed from the values as shown.)
        const QString first = SavedFile(device, MeasureSeries(device, MemoryKind::FE, unit, 8), 1);
        const QString second = SavedFile(device, ReadMesText(first.toUtf8(), device).Records, 1);
        const auto table = [](const QString& text) {
            const QStringList lines = text.split("\r\n");
            return lines.mid(lines.size() - 12); // header, blank line, 8 records, two line ends
        };
        EXPECT_EQ(table(second), table(first));
        EXPECT_TRUE(table(first).first().startsWith(code == "DPB" ? "Date Time" : "14.03.2025"));
    }
}

TEST_F(MesReaderTest, HeaderDateOfAPcStampedSeriesGoesToSlotOne) {
    QLocale::setDefault(German);
    const QByteArray file = "FE-Speicher\r\n\r\nStatistik:\r\n\r\nAnzahl               2\r\n"
                            "\r\n14.03.2025       Nr.      Messwert\r\n\r\n"
                            "09:15:02          1        95,4 µm    Fe\r\n"
                            "09:15:10          2         123 µm    Fe\r\n\r\n";
    const MesReading reading = ReadMesText(file, Instrument("DP"));
    EXPECT_EQ(reading.HeaderDate, "14.03.2025");
    ASSERT_EQ(reading.Records.size(), 2u);
    EXPECT_EQ(reading.Records[0].DateText, "14.03.2025");
    EXPECT_EQ(reading.Records[1].DateText, " ");
    EXPECT_EQ(reading.Records[1].Number, 2);
    EXPECT_EQ(reading.Records[1].Value, 123);
    EXPECT_EQ(reading.Records[1].Unit, "µm");
    EXPECT_EQ(reading.Records[1].Marker, " Fe");
    EXPECT_FALSE(reading.Records[1].Stamp.isValid());
}

TEST_F(MesReaderTest, LastLineWithoutLineEndIsRead) {
    QLocale::setDefault(German);
    const QByteArray file = "14.03.2025       Nr.      Messwert\r\n\r\n"
                            "09:15:02          1        95,4 µm    Fe\r\n"
                            "09:15:10          2         123 µm    Fe";
    const MesReading reading = ReadMesText(file, Instrument("DP"));
    ASSERT_EQ(reading.Records.size(), 2u);
    EXPECT_EQ(reading.Records[1].Value, 123);
    // Lone CR and LF end lines as well.
    QByteArray mixed = file;
    mixed.replace("\r\n", "\n");
    EXPECT_EQ(ReadMesText(mixed, Instrument("DP")).Records.size(), 2u);
}

TEST_F(MesReaderTest, WindowsCodePageFileIsRead) {
    QLocale::setDefault(German);
    QByteArray file = "Datum Zeit                  Nr.      Messwert\r\n\r\n"
                      "14.03.2025 09:15:02          1        95,4 \xB5m    Fe\r\n";
    const MesReading reading = ReadMesText(file, Instrument("DPB"));
    ASSERT_EQ(reading.Records.size(), 1u);
    EXPECT_EQ(reading.Records[0].Unit, "µm");
    EXPECT_EQ(reading.Records[0].Marker, "Fe");
    EXPECT_EQ(reading.Records[0].Stamp, QDateTime(QDate(2025, 3, 14), QTime(9, 15, 2)));
    EXPECT_EQ(reading.Records[0].Value, 95.4);
}

TEST_F(MesReaderTest, FileWithoutRecordsLeavesTheTableEmpty) {
    const DeviceInfo device = Instrument("DP");
    EXPECT_TRUE(ReadMesText("", device).Records.empty());
    EXPECT_TRUE(
        ReadMesText("FE-Speicher\r\n\r\nStatistik:\r\n# 12:00\r\n", device).Records.empty());
    const MesReading headerOnly = ReadMesText("14.03.2025       Nr.      Messwert\r\n\r\n", device);
    EXPECT_TRUE(headerOnly.Records.empty());
    EXPECT_EQ(headerOnly.HeaderDate, "14.03.2025");
}

TEST_F(MesReaderTest, AtMost5000RecordsAreRead) {
    QLocale::setDefault(UsEnglish);
    QByteArray file = "Date Time                  No.      Value\r\n\r\n";
    for (int i = 1; i <= 5003; ++i)
        file += "3/14/2025 9:15:02 AM        " + QByteArray::number(i) + "        4.57 mi    \r\n";
    const MesReading reading = ReadMesText(file, Instrument("DPB"));
    ASSERT_EQ(reading.Records.size(), 5000u);
    EXPECT_EQ(reading.Records.back().Number, 5000);
}

TEST_F(MesReaderTest, UnreadableFieldsStayEmptyAndRecordsWithoutNumberOrValueAreDropped) {
    QLocale::setDefault(German);
    const QByteArray file = "09:15:02          1        95,4 µm    Fe\r\n"
                            "09:15:05          2        zwölf µm    Fe\r\n"
                            "09:15:07   x   y\r\n"
                            "09:15:08\r\n"
                            "09:15:10          4         123 µm    Fe\r\n"
                            "no colon     5      12,0 µm    Fe\r\n";
    const MesReading reading = ReadMesText(file, Instrument("DP"));
    ASSERT_EQ(reading.Records.size(), 3u);
    EXPECT_EQ(reading.Records[1].Number, 2);
    EXPECT_EQ(reading.Records[1].Value, 0); // kept: its number still shows
    EXPECT_EQ(reading.Records[2].Number, 4);
}

TEST_F(MesReaderTest, ValueWithAnotherLocalesSeparatorIsNotReadAsThousands) {
    QLocale::setDefault(UsEnglish);
    const MesReading reading =
        ReadMesText("09:15:02          1        95,4 mi    Fe\r\n", Instrument("DP"));
    ASSERT_EQ(reading.Records.size(), 1u);
    EXPECT_EQ(reading.Records[0].Value, 0);
}

TEST_F(MesReaderTest, ValuesTooWideForThreeBlanksAreRead) {
    QLocale::setDefault(UsEnglish);
    const MesReading reading =
        ReadMesText("09:15:02       1234 -123456.789 kA/m\r\n", Instrument("AS3"));
    ASSERT_EQ(reading.Records.size(), 1u);
    EXPECT_EQ(reading.Records[0].Number, 1234);
    EXPECT_EQ(reading.Records[0].Value, -123456.789);
    EXPECT_EQ(reading.Records[0].Unit, "kA/m");
}

TEST_F(MesReaderTest, Utf16FilesWithAByteOrderMarkAreRead) {
    QLocale::setDefault(German);
    const QString file = "FE-Speicher\r\n\r\n14.03.2025       Nr.      Messwert\r\n\r\n"
                         "09:15:02          1        95,4 µm    Fe\r\n"
                         "09:15:10          2         123 µm    Fe\r\n\r\n";
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
        const MesReading reading = ReadMesText(encoder(file), Instrument("DP"));
        ASSERT_EQ(reading.Records.size(), 2u);
        EXPECT_EQ(reading.Records[0].Unit, "µm");
        EXPECT_EQ(reading.Records[1].Value, 123);
        EXPECT_EQ(reading.HeaderDate, "14.03.2025");
        QStringEncoder fresh(encoding, QStringConverter::Flag::WriteBom);
        EXPECT_EQ(DecodeSettingsText(fresh(QStringLiteral("7\r\n"))), "7\r\n") << "no mark left";
    }
}

TEST_F(MesReaderTest, FilesWithoutAReadableValueSaySo) {
    QLocale::setDefault(German);
    const QString record = "09:15:02          1        95,4 µm    Fe\r\n";
    QByteArray binary(4096, '\0');
    for (qsizetype i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 251);
    QStringEncoder utf16(QStringConverter::Utf16LE); // no byte-order mark
    const QByteArray oneLongLine = "1" + QByteArray(20 * 1024 * 1024, ':');
    const QByteArray utf16Record = utf16(record);
    for (const QByteArray& bytes : {binary, utf16Record, oneLongLine, QByteArray()}) {
        const MesReading reading = ReadMesText(bytes, Instrument("DP"));
        EXPECT_EQ(reading.ValuesRead, 0);
    }
    // A record whose value cannot be read is no value either.
    EXPECT_EQ(
        ReadMesText("09:15:02          1        zwölf µm    Fe\r\n", Instrument("DP")).ValuesRead,
        0);
    EXPECT_EQ(ReadMesText(record.toUtf8(), Instrument("DP")).ValuesRead, 1);
}

TEST_F(MesReaderTest, RecordsBeyondTheTableAreCountedAsLeftOut) {
    QLocale::setDefault(German);
    QByteArray file = "14.03.2025       Nr.      Messwert\r\n\r\n";
    for (int i = 1; i <= 5123; ++i)
        file += "09:15:02       " + QByteArray::number(i).rightJustified(4) +
                "        95,4 µm    Fe\r\n";
    const MesReading reading = ReadMesText(file, Instrument("DP"));
    EXPECT_EQ(reading.Records.size(), 5000u);
    EXPECT_EQ(reading.ValuesRead, 5000);
    EXPECT_EQ(reading.LeftOut, 123);
}

TEST_F(MesReaderTest, LineCutOffAtTheEndIsNoRecord) {
    QLocale::setDefault(German);
    const QByteArray whole = "09:15:02          1        95,4 µm    Fe\r\n"
                             "09:15:10          2         123 µm    Fe\r\n";
    for (const QByteArray cut :
         {QByteArray("09:15:11          3   "), QByteArray("09:15:11          3         12"),
          QByteArray("09:15:11          3         12,")}) {
        const MesReading reading = ReadMesText(whole + cut, Instrument("DP"));
        ASSERT_EQ(reading.Records.size(), 2u) << cut.toStdString();
        EXPECT_EQ(reading.Records[1].Value, 123);
    }
    // Cut inside the unit the value is whole.
    const MesReading unitCut =
        ReadMesText(whole + "09:15:11          3        12,5 µ", Instrument("DP"));
    ASSERT_EQ(unitCut.Records.size(), 3u);
    EXPECT_EQ(unitCut.Records[2].Value, 12.5);
}

TEST_F(MesReaderTest, ValuesTheTableCannotShowAreUnreadableAndTheStatisticsStayFinite) {
    QLocale::setDefault(UsEnglish);
    const QByteArray file = "09:15:02          1        1e300 mi    Fe\r\n"
                            "09:15:03          2  " +
                            QByteArray(309, '9') +
                            " mi    Fe\r\n"
                            "09:15:04          3        12.5 mi    Fe\r\n";
    const MesReading reading = ReadMesText(file, Instrument("DP"));
    ASSERT_EQ(reading.Records.size(), 3u);
    EXPECT_EQ(reading.ValuesRead, 1);
    StatisticState state;
    int n = 1;
    QStringList lines;
    for (const MeasurementRecord& r : reading.Records) {
        lines = CalcStatistic(state, r.Value, r.Unit, n, {});
        ++n;
    }
    for (const QString& text : lines) {
        EXPECT_FALSE(text.contains("inf", Qt::CaseInsensitive)) << text.toStdString();
        EXPECT_FALSE(text.contains("nan", Qt::CaseInsensitive)) << text.toStdString();
    }
}

TEST_F(MesReaderTest, StoringReplacesTheFeMemoryOnly) {
    MeasurementStore store;
    for (int slot = 1; slot <= 5; ++slot) {
        store.at(MemoryKind::FE, slot).Number = static_cast<qint16>(slot);
        store.at(MemoryKind::NFE, slot).Number = static_cast<qint16>(slot);
    }
    MesReading reading;
    reading.Records.resize(2);
    reading.Records[0].Number = 7;
    reading.Records[1].Number = 8;
    StoreMesRecords(reading, store);
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 2);
    EXPECT_EQ(store.at(MemoryKind::FE, 2).Number, 8);
    EXPECT_EQ(store.at(MemoryKind::FE, 3).Number, 0);
    EXPECT_EQ(store.SeriesLength(MemoryKind::NFE), 5);
}

// --- Damaged files --------------------------------------------------------------------------

struct Key {
    qint16 number;
    double value;
    QString time;
    bool operator==(const Key&) const = default;
};

Key KeyOf(const MeasurementRecord& r) {
    return {r.Number, r.Value, r.TimeText};
}

// The expected records appear in the reading in their order; garbage may stand between them.
bool ContainsInOrder(const std::vector<MeasurementRecord>& read, const std::vector<Key>& expected) {
    std::size_t next = 0;
    for (const MeasurementRecord& r : read) {
        if (next < expected.size() && KeyOf(r) == expected[next])
            ++next;
    }
    return next == expected.size();
}

TEST_F(MesReaderTest, DamagedFilesKeepTheirReadableRecords) {
    QLocale::setDefault(UsEnglish);
    for (const QString code : {"DP", "DPB"}) {
        const DeviceInfo device = Instrument(code);
        const std::vector<MeasurementRecord> series =
            MeasureSeries(device, MemoryKind::FE, "mi", 120);
        const QByteArray file = SavedFile(device, series, 1).toUtf8();
        QList<QByteArray> lines = file.split('\n');
        // The records stand before the report's last line end and the file's own.
        const qsizetype firstRecordLine = lines.size() - 2 - static_cast<qsizetype>(series.size());
        std::vector<Key> keys;
        for (const MeasurementRecord& r : series)
            keys.push_back({r.Number, ShownValue(r, device), r.TimeText});

        std::mt19937 random(20250314);
        const auto below = [&](qsizetype n) {
            return static_cast<qsizetype>(random() % static_cast<std::uint32_t>(n));
        };
        const auto noise = [&](qsizetype size) {
            QByteArray bytes(size, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random());
            return bytes;
        };
        for (int round = 0; round < 150; ++round) {
            SCOPED_TRACE(code.toStdString() + " round " + std::to_string(round));
            const qsizetype line = below(series.size());
            QList<QByteArray> damaged = lines;
            QByteArray& target = damaged[firstRecordLine + line];
            std::vector<Key> kept = keys;
            switch (round % 5) {
            case 0: { // cut off anywhere
                const qsizetype cut = below(file.size());
                const MesReading reading = ReadMesText(file.left(cut), device);
                const qsizetype whole = file.left(cut).count('\n') - firstRecordLine;
                kept.resize(std::clamp<qsizetype>(whole, 0, keys.size()));
                EXPECT_TRUE(ContainsInOrder(reading.Records, kept));
                EXPECT_LE(reading.Records.size(), kept.size() + 1);
                continue;
            }
            case 1: // binary garbage instead of one line
                target = noise(below(200) + 1);
                break;
            case 2: // a huge line
                target = QByteArray(1024 * 1024 + below(1000), "x:  1 "[below(6)]);
                break;
            case 3: // a field missing
                target.remove(target.indexOf("mi"), 2 + below(8));
                target.remove(below(target.size()), 1 + below(12));
                break;
            case 4: // garbage inserted into a line
                target.insert(below(target.size()), noise(below(40) + 1));
                break;
            }
            kept.erase(kept.begin() + line);
            const MesReading reading = ReadMesText(damaged.join('\n'), device);
            EXPECT_TRUE(ContainsInOrder(reading.Records, kept));
            EXPECT_LE(reading.Records.size(), keys.size() + 64);
        }
    }
}

TEST_F(MesReaderTest, RandomBytesNeitherCrashNorHang) {
    std::mt19937 random(4711);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(static_cast<qsizetype>(random() % 20000), '\0');
        for (char& c : bytes) {
            // Mostly characters a record line is made of, so some garbage looks like one.
            const char* alphabet = "0123456789 :.,-\r\nmiµ\xB5\xFF\x00";
            c = random() % 3 ? alphabet[random() % 22] : static_cast<char>(random());
        }
        const MesReading reading = ReadMesText(bytes, Instrument(round % 2 ? "DPB" : "DP"));
        EXPECT_LE(reading.Records.size(), 5000u);
        for (const MeasurementRecord& r : reading.Records)
            EXPECT_FALSE(EndsSeries(r));
    }
}

} // namespace

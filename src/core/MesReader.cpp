#include "core/MesReader.h"

#include "core/MeasurementLine.h"
#include "core/NumberFormat.h"
#include "core/ReportStamp.h"
#include "core/SettingsIo.h"
#include "core/ValueText.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int MaxRecords = MeasurementStore::MaxSlot;
// A stamp is read from this many characters when no run of three blanks ends it.
constexpr int StampFieldWidth = 22;
constexpr int TimeFieldWidth = 8;
constexpr int HeaderDateWidth = 10;

const QString Gap = QStringLiteral("   ");

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Title, statistics, limits and project lines start with a letter, a blank or "#"; records and
// the date header of a PC-stamped series with a digit.
bool startsRecords(const QString& line) {
    return !line.isEmpty() && isAsciiDigit(line.front());
}

qsizetype skipBlanks(const QString& line, qsizetype from) {
    while (from < line.size() && line.at(from) == u' ')
        ++from;
    return from;
}

qsizetype wordEnd(const QString& line, qsizetype from) {
    while (from < line.size() && line.at(from) != u' ')
        ++from;
    return from;
}

std::optional<qint16> readNumber(const QString& text) {
    const std::optional<double> number = ReadNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = RoundHalfEven(*number, 0);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<double> readValue(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return RoundHalfEven(value, 3);
}

// A record line's record, and whether its value could be read.
struct LineRecord {
    MeasurementRecord Record;
    bool ValueRead = false;
};

class LineReader {
public:
    explicit LineReader(const DeviceInfo& device)
        : m_decimalsMode(device.DecimalsMode), m_stamped(device.StampSource == QLatin1String("-")),
          m_markers(device.MarkerSource != QLatin1String("0")),
          m_stampFormat(m_stamped ? ReportStampFormat() : QString()),
          m_timeFormat(LongTimeFormat(m_locale)) {
        // The writer never groups digits; a value written with another locale's separator must
        // not be read as a thousands group.
        m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::RejectGroupSeparator);
    }

    // The record of one line, or nothing when the line holds no record. A cut-off line (the last
    // of a file that does not end with a line end) counts only when its value is followed by more.
    std::optional<LineRecord> read(const QString& line, bool cutOff) const {
        if (!line.contains(u':'))
            return std::nullopt;
        MeasurementRecord record;
        ClearRecord(record);

        // The number stands after the first run of three blanks: the padding behind the time.
        const qsizetype gap = line.indexOf(Gap);
        if (m_stamped)
            readStamp(gap >= 0 ? line.left(gap) : line.left(StampFieldWidth), record);
        else
            record.TimeText = line.left(TimeFieldWidth);
        if (gap < 0)
            return std::nullopt;

        const qsizetype numberStart = skipBlanks(line, gap);
        const qsizetype numberEnd = wordEnd(line, numberStart);
        if (const auto number = readNumber(line.mid(numberStart, numberEnd - numberStart)))
            record.Number = *number;
        const qsizetype valueStart = skipBlanks(line, numberEnd);
        const qsizetype valueEnd = wordEnd(line, valueStart);
        std::optional<double> value =
            readValue(line.mid(valueStart, valueEnd - valueStart), m_locale);
        if (cutOff && (!value || valueEnd == line.size()))
            return std::nullopt;

        // Unit and marker stand in the columns the writer gave them, so a marker keeps its blanks.
        QString unit;
        if (m_markers) {
            const qsizetype unitWidth = m_stamped ? 5 : 4;
            unit = line.mid(valueEnd + 1, unitWidth).trimmed();
            record.Marker = line.mid(valueEnd + 1 + unitWidth + 1);
        } else {
            unit = line.mid(valueEnd).trimmed();
        }
        if (!unit.isEmpty())
            record.Unit = unit;
        if (value && FitsTable(*value, record.Unit, m_decimalsMode))
            record.Value = *value;
        else
            value.reset();
        if (EndsSeries(record))
            return std::nullopt;
        return LineRecord{std::move(record), value.has_value()};
    }

private:
    void readStamp(const QString& text, MeasurementRecord& record) const {
        const std::optional<QDateTime> stamp = ParseReportStamp(text, m_stampFormat);
        if (!stamp)
            return;
        record.Stamp = *stamp;
        record.TimeText = m_locale.toString(stamp->time(), m_timeFormat);
        record.DateText = m_locale.toString(stamp->date(), QLocale::ShortFormat);
    }

    QLocale m_locale;
    QString m_decimalsMode;
    bool m_stamped;
    bool m_markers;
    QString m_stampFormat;
    QString m_timeFormat;
};

} // namespace

MesReading ReadMesText(const QByteArray& bytes, const DeviceInfo& device) {
    MesReading reading;
    const QString text = DecodeSettingsText(bytes);
    const bool endsWithLineEnd = text.endsWith(u'\r') || text.endsWith(u'\n');
    const QStringList lines = SplitSettingsLines(text);
    qsizetype i = 0;
    while (i < lines.size() && !startsRecords(lines[i]))
        ++i;
    if (i == lines.size())
        return reading;

    // A PC-stamped series has its date as the first field of the column header.
    if (device.StampSource != QLatin1String("-") && lines[i].indexOf(u'.') == 2) {
        reading.HeaderDate = lines[i].left(HeaderDateWidth);
        ++i;
    }

    const LineReader reader(device);
    for (; i < lines.size(); ++i) {
        std::optional<LineRecord> read =
            reader.read(lines[i], i + 1 == lines.size() && !endsWithLineEnd);
        if (!read)
            continue;
        if (static_cast<int>(reading.Records.size()) == MaxRecords) {
            ++reading.LeftOut;
            continue;
        }
        reading.ValuesRead += read->ValueRead ? 1 : 0;
        reading.Records.push_back(std::move(read->Record));
    }
    if (!reading.Records.empty() && !reading.HeaderDate.isEmpty())
        reading.Records.front().DateText = reading.HeaderDate;
    return reading;
}

void StoreMesRecords(const MesReading& reading, MeasurementStore& store) {
    store.ClearStore(MemoryKind::FE);
    int slot = 0;
    for (const MeasurementRecord& record : reading.Records)
        store.at(MemoryKind::FE, ++slot) = record;
}

#include "core/MeasurementLine.h"

#include "core/DeviceInfo.h"
#include "core/NumberFormat.h"
#include "core/ValueText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isEl7(const DeviceInfo& device) {
    return device.ModelCode.trimmed() == QLatin1String("EL7");
}

constexpr int Int16Max = std::numeric_limits<qint16>::max();
constexpr int Int16Min = std::numeric_limits<qint16>::min();

// The longest prefix of `text` (blanks removed) that forms a number, rewritten in the C locale's
// form: "-.5e" becomes "-0.5".
QString numberPrefix(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' '))
            compact += c;

    qsizetype i = 0;
    const auto digitsFrom = [&](qsizetype from) {
        qsizetype end = from;
        while (end < compact.size() && isDigit(compact[end]))
            ++end;
        return end;
    };

    QString sign;
    if (i < compact.size() && (compact[i] == QLatin1Char('-') || compact[i] == QLatin1Char('+')))
        sign = compact[i++];
    qsizetype end = digitsFrom(i);
    QString whole = compact.mid(i, end - i);
    i = end;
    QString fraction;
    if (i < compact.size() && compact[i] == QLatin1Char('.')) {
        end = digitsFrom(i + 1);
        fraction = compact.mid(i + 1, end - i - 1);
        i = end;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return QString();
    QString number = sign + (whole.isEmpty() ? QStringLiteral("0") : whole);
    if (!fraction.isEmpty())
        number += QLatin1Char('.') + fraction;
    if (i < compact.size() && (compact[i] == QLatin1Char('e') || compact[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QString exponentSign;
        if (j < compact.size() &&
            (compact[j] == QLatin1Char('-') || compact[j] == QLatin1Char('+')))
            exponentSign = compact[j++];
        end = digitsFrom(j);
        if (end > j)
            number += QLatin1Char('e') + exponentSign + compact.mid(j, end - j);
    }
    return number;
}

std::optional<int> stampPart(const QString& field, int position, int width) {
    const QString part = field.mid(position - 1, width);
    if (part.isEmpty())
        return std::nullopt;
    for (QChar c : part)
        if (!isDigit(c))
            return std::nullopt;
    return part.toInt();
}

FillResult failed(FillResult result, int number, const QString& description) {
    result.Status = FillStatus::Failed;
    result.ErrorNumber = number;
    result.ErrorDescription = description;
    return result;
}

bool containsDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), isDigit);
}

bool isBlankText(const QString& text) {
    return text.isEmpty() || text == QLatin1String(" ");
}

bool holdsControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

std::optional<double> ReadNumber(const QString& text) {
    const QString number = numberPrefix(text);
    if (number.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (std::isinf(value))
        return std::nullopt;
    // A number too small for a double reads as 0.
    return ok ? value : 0.0;
}

QString LineField(const QString& line, int firstColumn, int width) {
    if (firstColumn < 1 || width <= 0 || firstColumn > line.size())
        return QString();
    return line.mid(firstColumn - 1, width);
}

QString NormalizeUnit(const QString& unit) {
    const QString trimmed = unit.trimmed();
    if (trimmed == QLatin1String("ym") || trimmed == QLatin1String("mu"))
        return QStringLiteral("µm");
    return unit;
}

std::optional<QDateTime> ParseDeviceStamp(const QString& field) {
    const auto year = stampPart(field, 1, 4);
    const auto month = stampPart(field, 6, 2);
    const auto day = stampPart(field, 9, 2);
    const auto hour = stampPart(field, 12, 2);
    const auto minute = stampPart(field, 15, 2);
    const auto second = stampPart(field, 18, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;

    const int seconds = *hour * 3600 + *minute * 60 + *second;
    const QDate date = QDate(*year, 1, 1).addMonths(*month - 1).addDays(*day - 1 + seconds / 86400);
    if (!date.isValid())
        return std::nullopt;
    const QTime time = QTime(0, 0).addSecs(seconds % 86400);
    QDateTime stamp(date, time);
    // A time inside a daylight-saving gap has no local form; keep the instrument's reading as is.
    if (!stamp.isValid())
        stamp = QDateTime(date, time, Qt::UTC);
    return stamp;
}

QString LongTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

QString FillResult::Message() const {
    return QStringLiteral("Fill Messdaten: ") + QString::number(ErrorNumber) + ErrorDescription;
}

FillResult FillMessdaten(const QString& rawLine, MemoryKind kind, MeasurementCounters& counters,
                         const DeviceInfo& device, const QDateTime& now, MeasurementStore& store) {
    FillResult result;
    if (isEl7(device) && rawLine == QString(QChar(4)))
        return result;

    QString line = rawLine;
    line.replace(QLatin1String("\r\n"), QLatin1String("  "));
    result.ClockTime = now.toString(QStringLiteral("hh:mm:ss"));
    result.ClockDate = now.toString(QStringLiteral("dd.MM.yyyy"));

    if (kind == MemoryKind::Online)
        counters.CurrentIndex = counters.OnlineCounter;
    result.Slot = counters.CurrentIndex;
    if (!MeasurementStore::IsSlot(kind, result.Slot))
        return failed(result, FillErrorSlot,
                      QStringLiteral("Slot %1 of memory %2 is outside 0 to %3")
                          .arg(result.Slot)
                          .arg(static_cast<int>(kind))
                          .arg(MeasurementStore::MaxSlot));

    // Every check comes before the first field is written: a refused line leaves no trace that a
    // rebuilt table could show as a row, and a value that reads as 0 only because the line holds
    // none would pull the statistics down.
    const QString valueField = LineField(line, 7, 10);
    if (!containsDigit(valueField))
        return failed(result, FillErrorNotANumber,
                      QStringLiteral("Value \"%1\" holds no number").arg(valueField));
    const auto value = ReadNumber(valueField);
    const QString unitField = LineField(line, 18, 4);
    const QString markerField = LineField(line, 23, 3);
    const bool markerShown =
        device.MarkerSource == QLatin1String("2") ||
        (device.MarkerSource == QLatin1String("1") && kind == MemoryKind::Online);
    // Noise on the wire can look like a value; an instrument never writes control characters.
    for (const QString& field : {valueField, isEl7(device) ? QString() : unitField,
                                 markerShown ? markerField : QString()}) {
        if (holdsControlCharacter(field))
            return failed(result, FillErrorNotANumber,
                          QStringLiteral("Line \"%1\" holds control characters").arg(line));
    }
    const QString unit = isEl7(device) ? QStringLiteral("µr") : NormalizeUnit(unitField);
    if (!value || !FitsTable(*value, unit, device.DecimalsMode))
        return failed(result, FillErrorOverflow,
                      QStringLiteral("Value \"%1\" does not fit the table").arg(valueField));

    qint16 number = static_cast<qint16>(counters.OnlineCounter);
    if (kind != MemoryKind::Online) {
        const QString field = LineField(line, 1, 4);
        const auto read = ReadNumber(field);
        const double rounded = read ? RoundHalfEven(*read, 0) : 0;
        if (!read || rounded > Int16Max || rounded < Int16Min)
            return failed(result, FillErrorOverflow,
                          QStringLiteral("Memory number \"%1\" is out of range").arg(field));
        number = static_cast<qint16>(rounded);
    }

    const bool deviceStamp = device.StampSource == QLatin1String("-");
    std::optional<QDateTime> stamp;
    if (deviceStamp) {
        const QString stampField = LineField(line, 27, 19);
        stamp = ParseDeviceStamp(stampField);
        if (!stamp)
            return failed(result, FillErrorNotANumber,
                          QStringLiteral("Date and time \"%1\" is not a valid date and time")
                              .arg(stampField));
    }

    MeasurementRecord& record = store.at(kind, result.Slot);
    record.Number = number;
    record.Value = *value;
    record.Unit = unit;

    if (device.MarkerSource == QLatin1String("1")) {
        if (kind == MemoryKind::FE)
            record.Marker = QStringLiteral(" Fe");
        else if (kind == MemoryKind::NFE)
            record.Marker = QStringLiteral("NFe");
        else
            record.Marker = markerField;
    } else if (device.MarkerSource == QLatin1String("2")) {
        record.Marker = markerField.trimmed();
    }

    if (deviceStamp) {
        const QLocale locale;
        record.Stamp = *stamp;
        record.TimeText = locale.toString(stamp->time(), LongTimeFormat(locale));
        record.DateText = locale.toString(stamp->date(), QLocale::ShortFormat);
    } else {
        if (isBlankText(record.TimeText))
            record.TimeText = result.ClockTime;
        if (isBlankText(record.DateText))
            record.DateText = result.ClockDate;
    }

    result.Status = EndsSeries(record) ? FillStatus::Dropped : FillStatus::Added;
    return result;
}

bool AdvanceCounters(MeasurementCounters& counters, MemoryKind kind, const DeviceInfo& device) {
    const bool countOnline = device.OnlineMode == QLatin1String("E") && kind == MemoryKind::Online;
    if (counters.CurrentIndex >= Int16Max || (countOnline && counters.OnlineCounter >= Int16Max))
        return false;
    ++counters.CurrentIndex;
    if (countOnline)
        ++counters.OnlineCounter;
    return true;
}

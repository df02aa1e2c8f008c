#include "core/ReportStamp.h"

#include "core/MeasurementLine.h"
#include "core/SettingsValues.h"

#include <QLocale>

QString ReportDateFormat() {
    QString date = QLocale().dateFormat(QLocale::ShortFormat);
    // Two-digit years would read back a century off.
    if (!date.contains(QStringLiteral("yyyy")))
        date.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return date;
}

QString ReportStampFormat() {
    return ReportDateFormat() + u' ' + LongTimeFormat(QLocale());
}

namespace {

// Reads the digits of one field: exactly `width` of them, or 1 to 2 when width is 0.
bool TakeNumber(QStringView text, qsizetype& at, int width, int& number) {
    const qsizetype most = width > 0 ? width : 2;
    qsizetype taken = 0;
    number = 0;
    while (taken < most && at < text.size() && text[at].isDigit()) {
        number = number * 10 + text[at].digitValue();
        ++at;
        ++taken;
    }
    return width > 0 ? taken == width : taken > 0;
}

// The formats the program writes are digits and separators, with at most an AM/PM marker; reading
// them by hand is many times faster than the locale's general parser, which a file of thousands
// of stamps would feel. Nothing is returned for a format or text this does not cover.
std::optional<QDateTime> ReadNumericStamp(QStringView text, QStringView format) {
    int year = -1, month = -1, day = -1, hour = 0, minute = 0, second = 0;
    int pm = -1;
    qsizetype at = 0;
    for (qsizetype f = 0; f < format.size();) {
        const QChar c = format[f];
        qsizetype run = 1;
        while (f + run < format.size() && format[f + run] == c)
            ++run;
        f += run;
        int* field = nullptr;
        switch (c.unicode()) {
        case 'd':
            field = &day;
            break;
        case 'M':
            field = &month;
            break;
        case 'y':
            field = &year;
            break;
        case 'h':
        case 'H':
            field = &hour;
            break;
        case 'm':
            field = &minute;
            break;
        case 's':
            field = &second;
            break;
        case 'A':
        case 'a': {
            const QStringView marker = text.mid(at, 2);
            if (marker.compare(u"AM", Qt::CaseInsensitive) == 0)
                pm = 0;
            else if (marker.compare(u"PM", Qt::CaseInsensitive) == 0)
                pm = 1;
            else
                return std::nullopt;
            at += 2;
            f += format.mid(f).startsWith(u'P') || format.mid(f).startsWith(u'p') ? 1 : 0;
            continue;
        }
        default:
            // Any other letter is a name (weekday, month name) or a zone; quotes escape text.
            if (c.isLetter() || c == u'\'')
                return std::nullopt;
            for (qsizetype i = 0; i < run; ++i, ++at) {
                if (at >= text.size() || text[at] != c)
                    return std::nullopt;
            }
            continue;
        }
        if ((c == u'y' && run != 4) || (c != u'y' && run > 2))
            return std::nullopt;
        if (!TakeNumber(text, at, c == u'y' ? 4 : (run == 2 ? 2 : 0), *field))
            return std::nullopt;
    }
    if (at != text.size() || year < 0 || month < 0 || day < 0)
        return std::nullopt;
    if (pm >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm == 1 ? 12 : 0);
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

} // namespace

std::optional<QDateTime> ParseReportStamp(const QString& text, const QString& stampFormat) {
    const QString trimmed = text.trimmed();
    if (const std::optional<QDateTime> fast = ReadNumericStamp(trimmed, stampFormat))
        return fast;
    const QDateTime stamp = QLocale().toDateTime(trimmed, stampFormat);
    if (stamp.isValid())
        return stamp;
    return ParseProjectDate(trimmed);
}

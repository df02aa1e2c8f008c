#include "core/ReportText.h"

#include "core/MeasurementLine.h"
#include "core/NumberFormat.h"
#include "core/ReportStamp.h"
#include "core/SettingsValues.h"
#include "core/ValueText.h"

#include <QLocale>
#include <algorithm>

namespace {

constexpr int MaxRecords = MeasurementStore::MaxSlot;
constexpr int StampColumnWidth = 25;
// The reader finds the number after the first run of three blanks, so an unusually long stamp
// text keeps at least that many.
constexpr int MinStampGap = 3;

const QString Blank = QStringLiteral(" ");

bool isEmptyField(const QString& text) {
    return text.isEmpty() || text == Blank;
}

void addLine(QString& text, const QString& line) {
    text += line;
    text += QLatin1String("\r\n");
}

void addProjectHeader(QString& text, const ReportProject& project) {
    if (std::all_of(project.Fields.begin(), project.Fields.end(), isEmptyField))
        return;
    addLine(text, QStringLiteral("#  ") + ProjectDateText(QDateTime(project.Date, QTime(0, 0))) +
                      Blank + project.Time.toString(QStringLiteral("HH:mm")));
    for (std::size_t i = 0; i < project.Fields.size(); ++i) {
        if (!isEmptyField(project.Fields[i]))
            addLine(text, QStringLiteral("#  ") + project.Labels[i] + Blank + project.Fields[i]);
    }
    addLine(text, QString());
}

void addStatisticsHeading(QString& text, const ReportInputs& inputs) {
    const bool german = inputs.LanguageIndex == 0;
    QString heading = german ? QStringLiteral("Statistik:") : QStringLiteral("Statistics:");
    if (inputs.Device.SignMode == QLatin1String("-") && inputs.AbsoluteValues)
        heading += german ? QStringLiteral("  mit Absolutwerten")
                          : QStringLiteral("  with absolute values");
    addLine(text, QString());
    addLine(text, heading);
    addLine(text, QString());
}

void addStatistics(QString& text, const QStringList& statisticList) {
    // The first four lines repeat the memory title and the heading.
    for (qsizetype i = 4; i < statisticList.size(); ++i)
        addLine(text, statisticList[i]);
}

void addLimits(QString& text, const ReportInputs& inputs) {
    const Limits& limits = inputs.UserLimits;
    const auto limitLine = [&](const QString& label, const QString& limitText) {
        return label + QString(5, u' ') + Ausrichten(8, limitText, Blank, false) + Blank +
               inputs.FirstUnit;
    };
    // LimitTexts runs maximum, minimum, target.
    if (limits.MinLimit != 0 || limits.MaxLimit != 0) {
        addLine(text, limitLine(QStringLiteral("Min Limit   "), limits.LimitTexts[1]));
        addLine(text, limitLine(QStringLiteral("Max Limit   "), limits.LimitTexts[0]));
    }
    if (limits.TargetValue != 0) {
        const QString label = inputs.LanguageIndex == 0 ? QStringLiteral("Sollwert    ")
                                                        : QStringLiteral("Target value");
        addLine(text, limitLine(label, limits.LimitTexts[2]));
    }
}

bool SameText(const QString& a, const QString& b) {
    // A kept row shares its texts with the store, so most comparisons end at the pointers.
    return a.isSharedWith(b) || a == b;
}

bool SameRecord(const MeasurementRecord& a, const MeasurementRecord& b) {
    // Date and time are compared as shown; comparing the stamps would convert each to UTC.
    return a.Number == b.Number && a.Value == b.Value && SameText(a.Unit, b.Unit) &&
           SameText(a.Marker, b.Marker) && SameText(a.TimeText, b.TimeText) &&
           a.Stamp.isValid() == b.Stamp.isValid() && a.Stamp.date() == b.Stamp.date() &&
           a.Stamp.time() == b.Stamp.time();
}

QString RowText(const MeasurementRecord& record, const ReportRowTexts::Format& format,
                const QLocale& locale) {
    static const QString blanks(StampColumnWidth, u' ');
    QString text;
    if (format.Stamped) {
        qsizetype stampSize = 0;
        if (record.Stamp.isValid()) {
            const QString stamp = locale.toString(record.Stamp.date(), format.DateFormat) + Blank +
                                  locale.toString(record.Stamp.time(), format.TimeFormat);
            text += stamp;
            stampSize = stamp.size();
        }
        text += QStringView(blanks).left(
            std::max(StampColumnWidth - static_cast<int>(stampSize), MinStampGap));
    } else {
        text += record.TimeText;
        text += QStringView(blanks).left(6);
    }
    text += Ausrichten(5, QString::number(record.Number), Blank, false);
    text += Blank;
    text += ValueText(record.Value, record.Unit, format.DecimalsMode);
    text += Blank;
    text += AusrichtenL(format.Stamped ? 5 : 4, record.Unit);
    text += Blank;
    text += record.Marker;
    text += QLatin1String("\r\n");
    return text;
}

void addTable(QString& text, const ReportInputs& inputs) {
    const DeviceInfo& device = inputs.Device;
    const bool stamped = device.StampSource == QLatin1String("-");
    const auto& headers = inputs.ColumnHeaders;

    addLine(text, QString());
    QString header =
        headers[0] + QString(stamped ? 18 : 7, u' ') + headers[1] + QString(6, u' ') + headers[2];
    if (device.MemoryLayout == QLatin1String("2N"))
        header += QStringLiteral("   Material");
    addLine(text, header);
    addLine(text, QString());

    const QLocale locale;
    const ReportRowTexts::Format format{stamped, device.DecimalsMode, ReportDateFormat(),
                                        LongTimeFormat(locale), locale.name()};
    const int count = static_cast<int>(std::min<std::size_t>(inputs.Records.size(), MaxRecords));
    if (inputs.RowTexts != nullptr)
        inputs.RowTexts->useFormat(format);
    // The rows are gathered (sharing their texts) before the report grows once to its full size:
    // growing it row by row copied the whole report again at each step.
    std::vector<QString> rows;
    rows.reserve(static_cast<std::size_t>(count));
    qsizetype size = text.size();
    for (int i = 0; i < count; ++i) {
        const MeasurementRecord& record = inputs.Records[i];
        if (EndsSeries(record))
            break;
        rows.push_back(inputs.RowTexts != nullptr
                           ? inputs.RowTexts->row(static_cast<std::size_t>(i), record)
                           : RowText(record, format, locale));
        size += rows.back().size();
    }
    text.reserve(size);
    for (const QString& row : rows)
        text += row;
}

} // namespace

std::vector<MeasurementRecord> SeriesRecords(const MeasurementStore& store, MemoryKind kind) {
    const std::span<const MeasurementRecord> series = store.Slots(kind, store.SeriesLength(kind));
    return {series.begin(), series.end()};
}

void ReportRowTexts::useFormat(const Format& format) {
    if (!(format == m_format)) {
        m_entries.clear();
        m_format = format;
    }
}

const QString& ReportRowTexts::row(std::size_t index, const MeasurementRecord& record) {
    if (m_entries.size() <= index)
        m_entries.resize(index + 1);
    Entry& entry = m_entries[index];
    if (entry.Text.isEmpty() || !SameRecord(entry.Record, record)) {
        entry.Record = record;
        entry.Text = RowText(record, m_format, QLocale());
    }
    return entry.Text;
}

QString BuildReportText(const QString& mode, const ReportInputs& inputs) {
    const bool full = mode == QLatin1String("A");
    if (!full && mode != QLatin1String("P"))
        return {};
    QString text;
    addProjectHeader(text, inputs.Project);
    addLine(text, inputs.MemoryTitle);
    addStatisticsHeading(text, inputs);
    if (!full)
        return text;
    addStatistics(text, inputs.StatisticList);
    addLimits(text, inputs);
    addTable(text, inputs);
    return text;
}

#pragma once

#include "core/DeviceInfo.h"
#include "core/Limits.h"
#include "core/MeasurementStore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>
#include <span>
#include <vector>

// The project header as the project dialog shows it (after its data has been loaded again).
struct ReportProject {
    std::array<QString, 6> Labels; // captions of the six fields
    std::array<QString, 6> Fields; // texts of the six fields
    QDate Date;
    QTime Time;
};

// The report text of each table row, kept between reports: a growing online series formats only
// its new rows. A row is formatted again when its record or the number and date formats changed.
class ReportRowTexts {
public:
    struct Format {
        bool Stamped = false;
        QString DecimalsMode;
        QString DateFormat;
        QString TimeFormat;
        QString LocaleName;
        bool operator==(const Format&) const = default;
    };

    // The format of the rows asked for next; kept rows of another format are forgotten.
    void useFormat(const Format& format);
    // The text of row `index` (0 on), ending CR LF.
    const QString& row(std::size_t index, const MeasurementRecord& record);

private:
    struct Entry {
        MeasurementRecord Record;
        QString Text;
    };
    std::vector<Entry> m_entries;
    Format m_format;
};

// Everything the report shows, taken from the main window when the report is built.
struct ReportInputs {
    ReportProject Project;
    QString MemoryTitle; // FE title, NFE title or "Online"
    int LanguageIndex = 0;
    DeviceInfo Device; // StampSource, MemoryLayout, SignMode, DecimalsMode
    bool AbsoluteValues = false;
    // The lines of the statistics list, all of them: the report copies those from the fifth on.
    QStringList StatisticList;
    QString FirstUnit;
    Limits UserLimits;
    // Header texts of the first three table columns.
    std::array<QString, 3> ColumnHeaders;
    // The rows of the table, in the order shown; the records are not copied, so the report of a
    // full memory costs no more than its text.
    std::span<const MeasurementRecord> Records;
    // Row texts of earlier reports of the same table; none: every row is formatted.
    ReportRowTexts* RowTexts = nullptr;
};

// The records of the series of `kind`: slots 1 up to the first that ends the series.
std::vector<MeasurementRecord> SeriesRecords(const MeasurementStore& store, MemoryKind kind);

// The plain-text report, every line ending CR LF. Mode "A" is the full report (file, clipboard,
// print); mode "P" stops after the statistics heading (spreadsheet export); any other mode gives
// an empty text.
QString BuildReportText(const QString& mode, const ReportInputs& inputs);

#include "core/SpreadsheetLayout.h"

#include "core/NumberFormat.h"
#include "core/ValueText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ColumnA = 1;
constexpr int ColumnB = 2;
constexpr int ColumnC = 3;
constexpr int ColumnD = 4;
constexpr int ColumnE = 5;
// The chart's constant lines: right of the table, one empty column between.
constexpr int FirstHiddenColumn = 7;
// Rows below S whose column B carries the decimals of the statistics.
constexpr int StatisticFormatRows = 8;
constexpr int MaxTextLength = 10;

constexpr Rgb Black{0, 0, 0};
constexpr Rgb MeanBlue{0, 0, 205};
constexpr Rgb LimitGreen{0, 176, 80};
constexpr Rgb TargetRed{238, 44, 44};
constexpr Rgb PlotGrey{240, 240, 240};

QString word(const char* text) {
    return QString::fromUtf8(text);
}

class CellList {
public:
    explicit CellList(std::vector<SheetCell>& cells) : m_cells(cells) {}

    void text(int row, int column, const QString& text, CellFormat format = CellFormat::None) {
        if (text.isEmpty() && format == CellFormat::None)
            return;
        m_cells.push_back({row, column,
                           text.isEmpty() ? SheetCell::Kind::Blank : SheetCell::Kind::Text, text, 0,
                           format});
    }
    void number(int row, int column, double value, CellFormat format = CellFormat::None) {
        m_cells.push_back({row, column, SheetCell::Kind::Number, QString(), value, format});
    }
    // Gives the cell the format, adding it empty when nothing stands there.
    void format(int row, int column, CellFormat format) {
        const auto found = std::find_if(m_cells.begin(), m_cells.end(), [&](const SheetCell& c) {
            return c.Row == row && c.Column == column;
        });
        if (found != m_cells.end())
            found->Format = format;
        else
            m_cells.push_back({row, column, SheetCell::Kind::Blank, QString(), 0, format});
    }
    void sortByRow() {
        std::stable_sort(m_cells.begin(), m_cells.end(),
                         [](const SheetCell& a, const SheetCell& b) {
                             return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
                         });
    }

private:
    std::vector<SheetCell>& m_cells;
};

CellFormat valueFormat(const QString& decimalsMode) {
    const QString mode = decimalsMode.trimmed();
    if (mode == QLatin1String("1"))
        return CellFormat::OneDecimal;
    if (mode == QLatin1String("2"))
        return CellFormat::TwoDecimals;
    if (mode == QLatin1String("3"))
        return CellFormat::ThreeDecimals;
    return CellFormat::None;
}

CellFormat statisticFormat(const QString& decimalsMode) {
    const CellFormat format = valueFormat(decimalsMode);
    return format == CellFormat::OneDecimal ? CellFormat::None : format;
}

// The header lines: every piece of the report that a CR LF ends, without surrounding blanks.
int writeHeader(CellList& cells, const QString& headerText) {
    int row = 1;
    const QStringList pieces = headerText.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        cells.text(row++, ColumnA, pieces[i].trimmed());
    return row;
}

// Rows of the constant lines of the chart, in the order the chart draws them.
struct ConstantLine {
    QString Name;
    Rgb Colour;
    LineDash Dash;
    double Value;
};

struct StatisticRows {
    int NextFreeRow = 0;
    std::vector<ConstantLine> Lines; // mean, upper, lower, target
};

StatisticRows writeStatistics(CellList& cells, const SpreadsheetInputs& in, int s) {
    const StatisticWords& words = StatisticWordsFor(in.LanguageIndex);
    const StatisticState& stat = in.Stat;
    StatisticRows result;
    if (stat.UnitsDiffer) {
        cells.text(s, ColumnA, word(words.NotPossible));
        cells.text(s + 1, ColumnA, word(words.CauseOf));
        cells.text(s + 2, ColumnA, word(words.Units));
        result.NextFreeRow = s + 5;
        return result;
    }
    const QString& mode = in.Device.DecimalsMode;
    const QString& unit = stat.FirstUnit;
    const bool absolute = in.AbsoluteValues;
    const bool hasValues = stat.Count > 0;
    int row = s;
    const auto statisticRow = [&](const char* label, double value) {
        cells.text(row, ColumnA, word(label));
        if (hasValues) {
            cells.number(row, ColumnB, RoundToDecimals(value, mode));
            cells.text(row, ColumnC, unit);
        }
        ++row;
    };
    cells.text(row, ColumnA, word(words.Count));
    cells.number(row, ColumnB, stat.Count);
    ++row;
    statisticRow(words.Minimum, absolute ? stat.MinAbs : stat.MinValue);
    statisticRow(words.Maximum, absolute ? stat.MaxAbs : stat.MaxValue);
    const double mean = RoundToDecimals(absolute ? stat.MeanAbs : stat.Mean, mode);
    statisticRow(words.Average, mean);
    if (stat.Count > 2)
        statisticRow(words.StdDev, absolute ? stat.StdDevAbs : stat.StdDev);
    // The row of 80/20 stands also without a rule; another rule chosen takes its place.
    const AcceptanceRule rule = ChosenRule(in.UserLimits);
    const bool otherRule = rule == AcceptanceRule::Pspc9010 || rule == AcceptanceRule::SspcPa2;
    cells.text(row, ColumnA, VerdictLabel(rule, words));
    cells.text(row, ColumnB, otherRule ? stat.RuleVerdict : stat.Verdict8020);
    ++row;
    result.Lines.push_back({word(words.Average), MeanBlue, LineDash::SystemDot, mean});

    const Limits& limits = in.UserLimits;
    const auto limitRow = [&](const QString& label, double limit) {
        const double rounded = RoundToDecimals(limit, QStringLiteral("2"));
        cells.text(row, ColumnA, label);
        cells.number(row, ColumnB, rounded);
        cells.text(row, ColumnC, unit);
        ++row;
        return rounded;
    };
    if (limits.MinLimit != 0 || limits.MaxLimit != 0) {
        const double lower = limitRow(QStringLiteral("Min Limit"), limits.MinLimit);
        const double upper = limitRow(QStringLiteral("Max Limit"), limits.MaxLimit);
        result.Lines.push_back({QStringLiteral("Maximum"), LimitGreen, LineDash::Dash, upper});
        result.Lines.push_back({QStringLiteral("Minimum"), LimitGreen, LineDash::Dash, lower});
    }
    if (limits.TargetValue != 0) {
        const QString label =
            in.LanguageIndex == 0 ? QStringLiteral("Sollwert    ") : QStringLiteral("Target value");
        const double target = limitRow(label, limits.TargetValue);
        result.Lines.push_back({label, TargetRed, LineDash::DoubleThin, target});
    }
    result.NextFreeRow = row;
    return result;
}

QString valueRowTime(const MeasurementRecord& record, const QString& linkKind) {
    QString text = QStringLiteral(" ");
    if (linkKind == QLatin1String("L"))
        text += record.DateText + QLatin1Char(' ');
    return text + record.TimeText;
}

double valueCell(const MeasurementRecord& record, const SpreadsheetInputs& in,
                 const QLocale& locale) {
    const double value = in.AbsoluteValues ? std::fabs(record.Value) : record.Value;
    // The cell holds the number as the table shows it, with the table's decimals.
    bool ok = false;
    const double shown =
        locale.toDouble(ValueText(value, record.Unit, in.Device.DecimalsMode).trimmed(), &ok);
    return ok ? shown : value;
}

} // namespace

QString ZellAdresse(int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

QString AbsoluteAddress(int row, int column) {
    const QString address = ZellAdresse(row, column);
    const auto digits =
        std::find_if(address.begin(), address.end(), [](QChar c) { return c.isDigit(); });
    const auto split = static_cast<qsizetype>(digits - address.begin());
    return QLatin1Char('$') + address.left(split) + QLatin1Char('$') + address.mid(split);
}

QString NumberFormatText(CellFormat format) {
    switch (format) {
    case CellFormat::Count:
        return QStringLiteral("###0_______)");
    case CellFormat::OneDecimal:
        return QStringLiteral("###,##0.0_)");
    case CellFormat::TwoDecimals:
        return QStringLiteral("###,##0.00_)");
    case CellFormat::ThreeDecimals:
        return QStringLiteral("###,##0.000_)");
    case CellFormat::None:
        break;
    }
    return {};
}

bool ChartPossible(const SpreadsheetInputs& inputs) {
    return !inputs.Stat.UnitsDiffer && !inputs.Records.empty();
}

SpreadsheetLayout BuildSpreadsheetLayout(const SpreadsheetInputs& in, bool withChart) {
    SpreadsheetLayout layout;
    layout.SheetName = in.SheetName;
    layout.ColumnWidths = {{ColumnA, 50}, {ColumnC, 17}, {ColumnD, 15}};
    // The value rows end where the series does, at most at the capacity of a memory.
    const auto end = std::find_if(in.Records.begin(), in.Records.end(), EndsSeries);
    const int n = std::min(static_cast<int>(end - in.Records.begin()), MeasurementStore::MaxSlot);
    std::vector<SheetCell>& all = layout.Cells;
    all.reserve(64 + static_cast<std::size_t>(n) * 9);
    CellList cells(all);

    const int s = writeHeader(cells, in.HeaderText);
    layout.StatisticsRow = s;
    const StatisticRows statistics = writeStatistics(cells, in, s);
    const int h = statistics.NextFreeRow + 2;
    layout.CaptionRow = h;
    for (int c = 0; c < 4; ++c)
        cells.text(h, ColumnA + c, in.ColumnCaptions[c]);
    if (in.Device.MarkerSource != QLatin1String("0"))
        cells.text(h, ColumnE, QStringLiteral("Material"));

    const bool chart = withChart && ChartPossible(in);
    const std::vector<ConstantLine> lines = chart ? statistics.Lines : std::vector<ConstantLine>();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int column = FirstHiddenColumn + static_cast<int>(k);
        cells.text(h, column, lines[k].Name);
        layout.HiddenColumns.push_back(column);
    }

    cells.format(s, ColumnB, CellFormat::Count);
    if (const CellFormat format = statisticFormat(in.Device.DecimalsMode);
        format != CellFormat::None) {
        for (int r = s + 1; r <= s + StatisticFormatRows; ++r)
            cells.format(r, ColumnB, format);
    }
    cells.sortByRow();

    const QLocale locale;
    const CellFormat values = valueFormat(in.Device.DecimalsMode);
    for (int i = 1; i <= n; ++i) {
        const MeasurementRecord& record = in.Records[i - 1];
        const int r = h + 1 + i;
        cells.text(r, ColumnA, valueRowTime(record, in.Device.LinkKind));
        cells.text(r, ColumnB,
                   Ausrichten(4, QString::number(record.Number), QStringLiteral(" "), false));
        cells.number(r, ColumnC, valueCell(record, in, locale), values);
        cells.text(r, ColumnD, record.Unit.left(MaxTextLength));
        cells.text(r, ColumnE, record.Marker.trimmed().left(MaxTextLength));
        for (std::size_t k = 0; k < lines.size(); ++k)
            cells.number(r, FirstHiddenColumn + static_cast<int>(k), lines[k].Value);
    }

    if (chart) {
        const StatisticWords& words = StatisticWordsFor(in.LanguageIndex);
        SpreadsheetChart c;
        c.SheetName = QStringLiteral("Chart");
        c.Title = in.ChartTitle;
        c.ValueAxisTitle = in.SheetName;
        c.CategoryAxisTitle = word(words.Count);
        c.PlotAreaColour = PlotGrey;
        c.FirstRow = h + 2;
        c.LastRow = h + 1 + n;
        c.Series.push_back({QString(), Black, LineDash::Solid, ColumnC});
        for (std::size_t k = 0; k < lines.size(); ++k)
            c.Series.push_back({lines[k].Name, lines[k].Colour, lines[k].Dash,
                                FirstHiddenColumn + static_cast<int>(k)});
        layout.Chart = c;
    }
    return layout;
}

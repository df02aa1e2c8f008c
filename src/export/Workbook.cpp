#include "export/Workbook.h"

#include "core/Descriptions.h"
#include "core/ReportDocument.h"
#include "export/ZipArchive.h"

#include <QFile>
#include <cerrno>
#include <xlsxwriter.h>

#include <algorithm>
#include <array>

// How the object model's settings of the export are written in the file format:
// - chart type 4 (line) is a line chart, marker style -4142 (none) a series without markers;
// - dash style 11 (system dot) is the preset dash "sysDot", 4 (dash) is "dash";
// - legend position -4107 (bottom) is the legend at the bottom;
// - a fill transparency of 1 (fully transparent) is no fill;
// - the chart area's font of 15 pt, black, is given to each text of the chart, as the library
//   sets fonts per element;
// - Location as a new sheet named "Chart" is a chart sheet holding the chart.
// The chart object's position and size (25, 10, 600 x 400 points) and its placement (3, free
// floating) mean nothing on a chart sheet, which the chart fills. The library writes no rounded
// corners, so the chart has square corners; nor compound lines, so the target line (line style
// 2, two thin lines) is marked double in the chart's XML once the library has written the file.

namespace {

constexpr lxw_col_t LastColumn = 16383;
constexpr double ChartFontSize = 15;
// The file format's family of fixed-pitch faces: where the named font is missing, a spreadsheet
// program puts another fixed-pitch face in its place, and padded texts keep their columns.
constexpr uint8_t ModernFontFamily = 3;

lxw_color_t colour(const Rgb& rgb) {
    // 0 means "no colour given" to the library; black has a value of its own.
    if (rgb == Rgb{0, 0, 0})
        return LXW_COLOR_BLACK;
    return (static_cast<lxw_color_t>(rgb.Red) << 16) | (static_cast<lxw_color_t>(rgb.Green) << 8) |
           rgb.Blue;
}

uint8_t dash(LineDash style) {
    switch (style) {
    case LineDash::SystemDot:
        return LXW_CHART_LINE_DASH_ROUND_DOT; // written as "sysDot"
    case LineDash::Dash:
        return LXW_CHART_LINE_DASH_DASH;
    case LineDash::Solid:
    case LineDash::DoubleThin:
        break;
    }
    return LXW_CHART_LINE_DASH_SOLID;
}

// Every cell of the sheet is in the report font, bold, 10 pt; the formats differ only in the
// number format.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) {
        const QByteArray font = ReportFontName.toUtf8();
        for (std::size_t i = 0; i < m_formats.size(); ++i) {
            lxw_format* format = workbook_add_format(workbook);
            format_set_font_name(format, font.constData());
            format_set_font_family(format, ModernFontFamily);
            format_set_font_size(format, ReportFontPoints);
            format_set_bold(format);
            const QByteArray number = NumberFormatText(static_cast<CellFormat>(i)).toUtf8();
            if (!number.isEmpty())
                format_set_num_format(format, number.constData());
            m_formats[i] = format;
        }
    }
    lxw_format* operator[](CellFormat format) const {
        return m_formats[static_cast<std::size_t>(format)];
    }

private:
    std::array<lxw_format*, static_cast<std::size_t>(CellFormat::ThreeDecimals) + 1> m_formats{};
};

void setColumns(lxw_worksheet* sheet, const SpreadsheetLayout& layout, lxw_format* font) {
    int last = 0;
    for (const auto& [column, width] : layout.ColumnWidths)
        last = std::max(last, column);
    for (int column : layout.HiddenColumns)
        last = std::max(last, column);
    for (int column = 1; column <= last; ++column) {
        const auto given = std::find_if(layout.ColumnWidths.begin(), layout.ColumnWidths.end(),
                                        [&](const auto& w) { return w.first == column; });
        const double width = given != layout.ColumnWidths.end() ? given->second : LXW_DEF_COL_WIDTH;
        lxw_row_col_options options{};
        options.hidden =
            std::count(layout.HiddenColumns.begin(), layout.HiddenColumns.end(), column) > 0;
        const auto c = static_cast<lxw_col_t>(column - 1);
        worksheet_set_column_opt(sheet, c, c, width, font, &options);
    }
    worksheet_set_column(sheet, static_cast<lxw_col_t>(last), LastColumn, LXW_DEF_COL_WIDTH, font);
}

lxw_error writeCells(lxw_worksheet* sheet, const SpreadsheetLayout& layout,
                     const Formats& formats) {
    for (const SheetCell& cell : layout.Cells) {
        const auto row = static_cast<lxw_row_t>(cell.Row - 1);
        const auto column = static_cast<lxw_col_t>(cell.Column - 1);
        lxw_format* format = formats[cell.Format];
        lxw_error error = LXW_NO_ERROR;
        switch (cell.Type) {
        case SheetCell::Kind::Text:
            error =
                worksheet_write_string(sheet, row, column, cell.Text.toUtf8().constData(), format);
            break;
        case SheetCell::Kind::Number:
            error = worksheet_write_number(sheet, row, column, cell.Number, format);
            break;
        case SheetCell::Kind::Blank:
            error = worksheet_write_blank(sheet, row, column, format);
            break;
        }
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
}

void addChart(lxw_workbook* workbook, const QString& sheetName, const SpreadsheetChart& layout) {
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
    // The constant lines stand in hidden columns; spreadsheets leave those out unless told.
    chart_show_hidden_data(chart);
    lxw_chart_font font{};
    font.size = ChartFontSize;
    font.color = LXW_COLOR_BLACK;
    for (const ChartSeries& s : layout.Series) {
        const QByteArray values = (QLatin1Char('=') + sheetName + QLatin1Char('!') +
                                   AbsoluteAddress(layout.FirstRow, s.Column) + QLatin1Char(':') +
                                   AbsoluteAddress(layout.LastRow, s.Column))
                                      .toUtf8();
        lxw_chart_series* series = chart_add_series(chart, nullptr, values.constData());
        if (!s.Name.isEmpty())
            chart_series_set_name(series, s.Name.toUtf8().constData());
        lxw_chart_line line{};
        line.color = colour(s.Colour);
        line.dash_type = dash(s.Dash);
        chart_series_set_line(series, &line);
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
    }
    if (!layout.Title.isEmpty())
        chart_title_set_name(chart, layout.Title.toUtf8().constData());
    chart_title_set_name_font(chart, &font);
    chart_axis_set_name(chart->y_axis, layout.ValueAxisTitle.toUtf8().constData());
    chart_axis_set_name(chart->x_axis, layout.CategoryAxisTitle.toUtf8().constData());
    for (lxw_chart_axis* axis : {chart->x_axis, chart->y_axis}) {
        chart_axis_set_name_font(axis, &font);
        chart_axis_set_num_font(axis, &font);
    }
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    chart_legend_set_font(chart, &font);
    lxw_chart_fill transparent{};
    transparent.none = LXW_TRUE;
    chart_chartarea_set_fill(chart, &transparent);
    lxw_chart_fill plot{};
    plot.color = colour(layout.PlotAreaColour);
    chart_plotarea_set_fill(chart, &plot);

    lxw_chartsheet* sheet =
        workbook_add_chartsheet(workbook, layout.SheetName.toUtf8().constData());
    chartsheet_set_chart(sheet, chart);
    chartsheet_activate(sheet);
}

// The library's own words name its zip and file steps ("ZIP_ERRNO"), not the system's reason.
// The outline of each series drawn double gets the compound type "dbl". The library writes the
// series in their order, each with one outline of its own.
QString markDoubleLines(const QString& path, const SpreadsheetChart& layout) {
    std::vector<int> doubled;
    for (std::size_t i = 0; i < layout.Series.size(); ++i) {
        if (layout.Series[i].Dash == LineDash::DoubleThin)
            doubled.push_back(static_cast<int>(i));
    }
    if (doubled.empty())
        return {};
    std::vector<OdtPart> parts;
    if (const QString problem = ReadZipArchive(path, parts); !problem.isEmpty())
        return problem;
    for (OdtPart& part : parts) {
        if (!part.Name.startsWith(QLatin1String("xl/charts/chart")))
            continue;
        qsizetype at = -1;
        int series = -1;
        for (int wanted : doubled) {
            while (series < wanted && (at = part.Data.indexOf("<c:ser>", at + 1)) >= 0)
                ++series;
            const qsizetype line = at < 0 ? -1 : part.Data.indexOf("<a:ln", at);
            if (line < 0)
                return Described("chart series %1 has no line").arg(wanted + 1);
            part.Data.insert(line + 5, " cmpd=\"dbl\"");
        }
    }
    return WriteZipArchive(path, parts);
}

QString describe(const QString& path, lxw_error error) {
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        if (const QString reason = WriteFailureReason(path, errno); !reason.isEmpty())
            return reason;
        break;
    default:
        break;
    }
    return QString::fromUtf8(lxw_strerror(error));
}

} // namespace

QString WriteWorkbook(const QString& path, const SpreadsheetLayout& layout) {
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* workbook = workbook_new(file.constData());
    if (workbook == nullptr)
        return Described("cannot create the file");
    const Formats formats(workbook);
    const QByteArray name = layout.SheetName.toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
    if (sheet == nullptr) {
        workbook_close(workbook);
        return Described("sheet name %1 not allowed").arg(layout.SheetName);
    }
    setColumns(sheet, layout, formats[CellFormat::None]);
    lxw_error error = writeCells(sheet, layout, formats);
    if (error == LXW_NO_ERROR && layout.Chart)
        addChart(workbook, layout.SheetName, *layout.Chart);
    // Closing writes the file; it frees the workbook whatever happened before.
    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        return describe(path, error);
    return layout.Chart ? markDoubleLines(path, *layout.Chart) : QString();
}

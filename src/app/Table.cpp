#include "app/frmTransfer.h"

#include "core/AcceptanceRules.h"
#include "core/MeasurementTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <numeric>

namespace {

constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

QBrush Background(LimitColour colour) {
    const std::optional<Rgb> rgb = ColourOf(colour);
    return rgb ? QBrush(QColor(rgb->Red, rgb->Green, rgb->Blue)) : QBrush();
}

} // namespace

void frmTransfer::InitMSFlex() {
    MSFlex->clearContents();
    MSFlex->setColumnCount(4);
    const QFontMetrics metrics(MSFlex->font());
    const int ch = metrics.horizontalAdvance(QLatin1Char('0'));
    // The widths follow the grid's twip layout, widened where the fixed-pitch texts need it.
    const int widths[4] = {std::max(113, 21 * ch), std::max(53, 9 * ch), std::max(100, 13 * ch),
                           std::max(120, 12 * ch)};
    for (int c = 0; c < 4; ++c)
        MSFlex->setColumnWidth(c, widths[c]);
    MSFlex->horizontalHeader()->setStretchLastSection(true);
    // Every column stays readable however small the window gets; the layout gives the table
    // at least this much and the rest of any larger window. The stretched last column's width
    // is the window's, so the sum is of the widths asked for, not of those read back.
    const int columns = std::accumulate(std::begin(widths), std::end(widths), 0);
    MSFlex->setMinimumWidth(columns + MSFlex->verticalScrollBar()->sizeHint().width() +
                            2 * MSFlex->frameWidth());
    for (int c = 0; c < 4; ++c) {
        if (MSFlex->horizontalHeaderItem(c) == nullptr)
            MSFlex->setHorizontalHeaderItem(c, new QTableWidgetItem);
        MSFlex->horizontalHeaderItem(c)->setTextAlignment(c == 3 ? Left : Right);
    }
    showColumn0Header(m_state.ClockDate);
}

void frmTransfer::showColumn0Header(const QString& date) {
    m_session->setHeaderDate(date);
    showColumnHeaders();
}

void frmTransfer::showColumnHeaders() {
    const TableRowTexts headers = m_session->columnHeaders();
    for (int c = 0; c < 4; ++c)
        MSFlex->horizontalHeaderItem(c)->setText(headers[c]);
}

void frmTransfer::ColorValueCell(int row, int slot) {
    const QBrush brush = Background(m_session->cellColour(slot));
    for (int c = 0; c < MSFlex->columnCount(); ++c) {
        if (QTableWidgetItem* item = MSFlex->item(row, c))
            item->setBackground(brush);
    }
}

void frmTransfer::writeRow(int row, const TableRowTexts& texts, LimitColour colour) {
    const QBrush brush = Background(colour);
    // Device stamps carry date and time in the cell; a smaller font lets both fit.
    const bool stamped = m_state.Device.StampSource == QLatin1String("-");
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        item->setTextAlignment(c == 3 ? Left : Right);
        item->setBackground(brush);
        if (c == 0 && stamped) {
            QFont small = MSFlex->font();
            small.setPointSizeF(small.pointSizeF() * 0.85);
            item->setFont(small);
        }
        MSFlex->setItem(row, c, item);
    }
}

void frmTransfer::AddMSFlexRow(int slot) {
    const MeasurementRecord& record = m_state.Store.at(m_state.Kind, slot);
    const int rows = m_session->rows().count();
    MSFlex->setRowCount(rows);
    // The session took slot 1's date for the header with the record.
    showColumnHeaders();
    writeRow(rows - 1, MSFlexRowTexts(record, TimeColumn::DateAndTime, m_state.Device.DecimalsMode),
             m_session->cellColour(slot));
    // SSPC-PA 2 judges a spot once its last value is there: the rows before it in the spot change.
    if (ChosenRule(m_state.Limit) == AcceptanceRule::SspcPa2) {
        const ShownRows& shown = m_session->rows();
        const int spotStart = slot - (slot - 1) % SspcSpotSize;
        for (int r = 0; r < rows - 1; ++r) {
            const int s = shown.slotAt(r);
            if (s >= spotStart && s < slot && !shown.marked(r))
                ColorValueCell(r, s);
        }
    }

    m_state.CountSuffix = QStringLiteral(" (%1)").arg(slot);
    Button_setzen();
    showStatisticLines(m_session->statisticLines());
    showStatisticsView(!m_session->statisticLines().isEmpty());
    requestScrollToLastRow();
    if (m_state.Kind == MemoryKind::Online)
        emit onlineRecordAdded(slot);
}

void frmTransfer::FillMSFlexOne() {
    const TimeColumn timeColumn = m_state.Device.StampSource == QLatin1String("-")
                                      ? TimeColumn::DateAndTime
                                      : TimeColumn::TimeOnly;
    // The list shows only the state after the last row, so it is built once; a rule that judges
    // the series as a whole colours the rows from it.
    m_session->showWholeMemory();
    const std::vector<TableRow> rows =
        MSFlexRows(m_state.Store, m_state.Kind, timeColumn, m_state.Device.DecimalsMode,
                   m_state.Limit, m_state.AbsoluteValues, m_state.Stat.RuleColours);
    const int n = static_cast<int>(rows.size());
    MSFlex->setRowCount(0);
    InitMSFlex();
    MSFlex->setRowCount(n);
    for (int r = 0; r < n; ++r)
        writeRow(r, rows[r].Cells, rows[r].Colour);
    if (n > 0)
        showStatisticLines(m_session->statisticLines());
    showStatisticsView(n > 0);
    m_state.CountSuffix = QStringLiteral(" (%1)").arg(n);
    ScrollToLastRow();
    Button_setzen();
    MSFlex->setVisible(true);
}

void frmTransfer::requestScrollToLastRow() {
    // Scrolling lays out the whole grid; a download adds rows faster than the window paints, so
    // one scroll per paint shows the same as one per row.
    if (m_scrollPending)
        return;
    m_scrollPending = true;
    QTimer::singleShot(0, this, [this] {
        m_scrollPending = false;
        ScrollToLastRow();
    });
}

void frmTransfer::ScrollToLastRow() {
    if (MSFlex->rowCount() + 1 > 2)
        MSFlex->scrollToBottom();
}

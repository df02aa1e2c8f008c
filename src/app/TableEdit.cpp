#include "app/frmTransfer.h"

#include "core/LimitRules.h"
#include "core/MeasurementTable.h"

#include <QHash>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QColor Marked(Colours::grey.Red, Colours::grey.Green, Colours::grey.Blue);
const QColor Unmarked(Colours::white.Red, Colours::white.Green, Colours::white.Blue);

} // namespace

void frmTransfer::MSFlex_Click(int row) {
    ShownRows& rows = m_session->rows();
    rows.toggleMark(row);
    const QColor colour = rows.marked(row) ? Marked : Unmarked;
    for (int c = 0; c < MSFlex->columnCount(); ++c) {
        if (QTableWidgetItem* item = MSFlex->item(row, c))
            item->setBackground(colour);
    }
}

void frmTransfer::cmdFlexZeileLoeschen_Click() {
    const TransferSession::Command command(*m_session, "cmdFlexZeileLoeschen_Click");
    if (!command)
        return;
    const ShownRows& rows = m_session->rows();
    const QList<int> marked = rows.markedRows();
    if (marked.isEmpty()) {
        message(m_state.message(34));
        return;
    }
    if (marked.size() > 1) {
        message(m_state.message(54));
        Reset_Statistic();
        FillMSFlexOne();
        return;
    }
    if (!askYesNo(m_state.message(51)))
        return;
    if (rows.count() == 1) {
        askYesNo(m_state.message(48));
        return;
    }
    // The marked row goes, whatever row the keyboard left current and however the rows were
    // sorted.
    if (m_session->deleteRow(marked.first()))
        Focus_setzen();
}

void frmTransfer::ClearStore() {
    m_session->ClearStore();
}

void frmTransfer::cmdFlexTabelleloeschen_Click() {
    const TransferSession::Command command(*m_session, "cmdFlexTabelleloeschen_Click");
    if (!command || !askYesNo(m_state.message(50)))
        return;
    MSFlex->setRowCount(0);
    Reset_Statistic();
    ClearStore();
    FillMSFlexOne();
    cmdChart->setVisible(false);
    cmdAbs->setVisible(false);
    if (m_state.Kind == MemoryKind::Online)
        m_state.Counters.OnlineCounter = 1;
}

void frmTransfer::cmdSort_Click() {
    const TransferSession::Command command(*m_session, "cmdSort_Click");
    if (!command)
        return;
    // The rows move as they are, with their texts, colours and marks.
    ShownRows& rows = m_session->rows();
    QHash<int, QList<QTableWidgetItem*>> itemsOfSlot;
    for (int r = 0; r < MSFlex->rowCount(); ++r) {
        QList<QTableWidgetItem*>& items = itemsOfSlot[rows.slotAt(r)];
        for (int c = 0; c < MSFlex->columnCount(); ++c)
            items << MSFlex->takeItem(r, c);
    }
    rows.sortByNumber(m_state.Store, m_state.Kind);
    for (int r = 0; r < MSFlex->rowCount(); ++r) {
        const QList<QTableWidgetItem*> items = itemsOfSlot.take(rows.slotAt(r));
        for (int c = 0; c < items.size(); ++c)
            MSFlex->setItem(r, c, items[c]);
    }
}

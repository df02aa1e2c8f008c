#include "app/frmTransfer.h"

#include "core/LimitRules.h"
#include "core/MeasurementTable.h"

#include <QPushButton>
#include <QTableWidget>

namespace {

const QColor Marked(Colours::grey.Red, Colours::grey.Green, Colours::grey.Blue);
const QColor Unmarked(Colours::white.Red, Colours::white.Green, Colours::white.Blue);

bool IsMarked(const QTableWidgetItem* item) {
    return item != nullptr && item->background().style() != Qt::NoBrush &&
           item->background().color() == Marked;
}

} // namespace

void frmTransfer::MSFlex_Click(int row) {
    for (int c = 0; c < MSFlex->columnCount(); ++c) {
        QTableWidgetItem* item = MSFlex->item(row, c);
        if (item != nullptr)
            item->setBackground(IsMarked(item) ? Unmarked : Marked);
    }
}

void frmTransfer::cmdFlexZeileLoeschen_Click() {
    const TransferSession::Command command(*m_session, "cmdFlexZeileLoeschen_Click");
    if (!command)
        return;
    const int rowCount = MSFlex->rowCount();
    QList<int> marked;
    for (int r = 0; r < rowCount; ++r) {
        if (IsMarked(MSFlex->item(r, 1)))
            marked << r;
    }
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
    if (rowCount == 1) {
        askYesNo(m_state.message(48));
        return;
    }
    // The marked row goes, whatever row the keyboard left current and however the grid was
    // sorted: each row knows its slot.
    const int slot = MSFlex->item(marked.first(), 1)->data(Qt::UserRole).toInt();
    if (!RemoveRecord(m_state.Store, m_state.Kind, slot, m_state.Device.DecimalsMode))
        return;
    if (m_state.Kind == MemoryKind::Online)
        m_state.Counters.OnlineCounter = std::max(1, m_state.Counters.OnlineCounter - 1);
    else
        m_state.Counters.CurrentIndex = std::max(1, m_state.Counters.CurrentIndex - 1);
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
    auto number = [this](int row) {
        const QTableWidgetItem* item = MSFlex->item(row, 1);
        return item != nullptr ? item->text().trimmed().toInt() : 0;
    };
    MSFlex->sortItems(1, SortAscending(number(0), number(1)) ? Qt::AscendingOrder
                                                             : Qt::DescendingOrder);
}

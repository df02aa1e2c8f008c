#include "ui/GrowingTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

GrowingTable::GrowingTable(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    // The scroll bar changes with every row and covers all of its place; what lies behind it
    // need not be painted each time.
    verticalScrollBar()->setAttribute(Qt::WA_OpaquePaintEvent);
    const auto whole = [this] { m_whole = true; };
    QAbstractItemModel* rowsAndColumns = model();
    connect(rowsAndColumns, &QAbstractItemModel::rowsRemoved, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::rowsMoved, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::columnsInserted, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::columnsRemoved, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::columnsMoved, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::layoutChanged, this, whole);
    connect(rowsAndColumns, &QAbstractItemModel::modelReset, this, whole);
}

void GrowingTable::rowsInserted(const QModelIndex& parent, int start, int end) {
    QTableWidget::rowsInserted(parent, start, end);
    const bool atTheEnd = !parent.isValid() && end == rowCount() - 1;
    if (!atTheEnd)
        m_whole = true;
    else if (m_firstAdded < 0)
        m_firstAdded = start;
}

void GrowingTable::doItemsLayout() {
    const int firstAdded = m_firstAdded;
    const bool whole = m_whole;
    m_firstAdded = -1;
    m_whole = false;
    if (whole || firstAdded < 0) {
        QTableWidget::doItemsLayout();
        return;
    }
    // The rows above stay as they were painted; where the new rows move them (a view kept at its
    // end), what is shown moves with them.
    const int left = horizontalHeader()->offset();
    const int above = verticalHeader()->offset();
    updateGeometries();
    if (horizontalHeader()->offset() != left) {
        viewport()->update();
        return;
    }
    if (verticalHeader()->offset() != above)
        viewport()->scroll(0, above - verticalHeader()->offset());
    const int top = std::max(0, rowViewportPosition(firstAdded));
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

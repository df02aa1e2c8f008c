#pragma once

#include <QTableWidget>

// A table that grows at its end, a row at a time: rows added there are painted on their own, and
// scrolling to them moves what is shown instead of painting the whole view again. Any other
// change of its rows or columns lays it out and paints it whole, as any table does.
class GrowingTable : public QTableWidget {
public:
    GrowingTable(int rows, int columns, QWidget* parent = nullptr);

    void doItemsLayout() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    int m_firstAdded = -1; // the first row added at the end since the last layout
    bool m_whole = false;  // something else changed since the last layout
};

#include "ui/GrowingTable.h"
#include "ui/StaticTextDelegate.h"

#include <QBackingStore>
#include <QHeaderView>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The viewport's paints since the last look: how many pixels were painted again.
struct PaintedArea : QObject {
    qint64 pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

class GrowingTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        table = new GrowingTable(0, 3, &window);
        table->setItemDelegate(new StaticTextDelegate(table));
        table->verticalHeader()->setVisible(false);
        layout->addWidget(table);
        window.resize(320, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        table->viewport()->installEventFilter(&painted);
    }

    enum class Scroll { Now, Later, Not };

    // A row added at the end as the main window adds a value, then shown: at once, or from the
    // event loop after the table had its chance to lay out.
    void addRow(Scroll scroll = Scroll::Now) {
        const int row = table->rowCount();
        table->setRowCount(row + 1);
        for (int c = 0; c < table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QStringLiteral("r%1 c%2").arg(row + 1).arg(c));
            item->setBackground(row % 3 == 0 ? QColor(158, 232, 155) : QColor(239, 162, 162));
            table->setItem(row, c, item);
        }
        if (scroll == Scroll::Now)
            table->scrollToBottom();
        else if (scroll == Scroll::Later)
            QTimer::singleShot(0, table, &QTableWidget::scrollToBottom);
        settle();
    }

    void settle() {
        for (int i = 0; i < 3; ++i)
            QTest::qWait(1);
    }

    // What the window shows of the table, against the table painted afresh.
    ::testing::AssertionResult showsWhatItHolds() {
        QPaintDevice* device = window.backingStore()->paintDevice();
        if (device->devType() != QInternal::Image)
            return ::testing::AssertionFailure() << "the backing store is no image";
        const QImage& shown = *static_cast<QImage*>(device);
        const QRect area(table->mapTo(&window, QPoint(0, 0)), table->size());
        const QImage onScreen = shown.copy(area).convertToFormat(QImage::Format_RGB32);
        const QImage fresh = table->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (onScreen != fresh)
            return ::testing::AssertionFailure()
                   << "the table on screen differs from a fresh paint after " << table->rowCount()
                   << " rows, first shown row " << table->rowAt(0);
        return ::testing::AssertionSuccess();
    }

    QWidget window;
    GrowingTable* table = nullptr;
    PaintedArea painted;
};

TEST_F(GrowingTableTest, RowsAddedOneByOneShowAsAFreshPaintWouldWhileOnlyTheNewRowIsPainted) {
    // Below the last row, then beyond the view so that each row scrolls the others up.
    for (int n = 1; n <= 25; ++n) {
        addRow(n % 2 == 0 ? Scroll::Now : Scroll::Later);
        ASSERT_TRUE(showsWhatItHolds());
    }
    const qint64 viewportPixels = qint64(table->viewport()->width()) * table->viewport()->height();
    painted.pixels = 0;
    addRow();
    const qint64 newRowPixels = painted.pixels;
    EXPECT_TRUE(showsWhatItHolds());
    EXPECT_GT(newRowPixels, 0);
    EXPECT_LT(newRowPixels, viewportPixels / 3);

    // Rows added while an earlier part is shown change nothing that shows.
    table->scrollToTop();
    settle();
    painted.pixels = 0;
    addRow(Scroll::Not);
    EXPECT_EQ(painted.pixels, 0);
    EXPECT_TRUE(showsWhatItHolds());
}

TEST_F(GrowingTableTest, OtherChangesOfTheRowsStillPaintTheWholeTable) {
    for (int n = 1; n <= 20; ++n)
        addRow();
    // Sorting after an added row: the layout change wins over the row.
    addRow(Scroll::Not);
    table->sortItems(0, Qt::DescendingOrder);
    settle();
    EXPECT_TRUE(showsWhatItHolds());

    table->removeRow(table->rowCount() - 1);
    addRow();
    EXPECT_TRUE(showsWhatItHolds());

    table->setRowCount(0);
    settle();
    EXPECT_TRUE(showsWhatItHolds());
    for (int n = 1; n <= 3; ++n)
        addRow();
    EXPECT_TRUE(showsWhatItHolds());

    table->insertRow(0);
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("first")));
    settle();
    EXPECT_TRUE(showsWhatItHolds());
}

} // namespace

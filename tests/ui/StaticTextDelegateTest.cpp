#include "ui/StaticTextDelegate.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

// The kept sizes are the style's sizes, also after a text or its font changed.
TEST(StaticTextDelegateTest, KeptSizesAreTheStylesForEveryTextAndFont) {
    QListWidget list;
    auto* delegate = new StaticTextDelegate(&list);
    list.setItemDelegate(delegate);
    list.addItems({QStringLiteral("Anzahl            5"), QStringLiteral("Mittelwert  104.53 µm"),
                   QString(), QStringLiteral("Regel 80/20 ok: Nein  20 %")});
    QStyledItemDelegate plain;
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    auto expectSameSizes = [&] {
        for (int row = 0; row < list.count(); ++row) {
            const QModelIndex index = list.model()->index(row, 0);
            EXPECT_EQ(delegate->sizeHint(option, index), plain.sizeHint(option, index))
                << list.item(row)->text().toStdString();
        }
    };
    expectSameSizes();
    expectSameSizes();

    list.item(0)->setText(QStringLiteral("Anzahl         5000 und mehr"));
    QFont large = list.font();
    large.setPointSize(large.pointSize() * 2);
    list.item(1)->setFont(large);
    list.item(2)->setIcon(QIcon(QPixmap(16, 16)));
    expectSameSizes();
}

} // namespace

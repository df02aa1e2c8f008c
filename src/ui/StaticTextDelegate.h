#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// Draws single-line item texts from a cache of laid-out texts: a table that grows by a row at a
// time repaints every visible cell, and laying out each text again was most of that. Cells with
// an icon, a check box, or a text too wide for the cell are drawn as the style draws them.
class StaticTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;

    mutable QHash<QString, QStaticText> m_texts; // by font and text
};

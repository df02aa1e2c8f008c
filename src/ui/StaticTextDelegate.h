#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <vector>

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

    struct FontTexts {
        QFont Font;
        QHash<QString, QStaticText> Texts;
    };
    mutable std::vector<FontTexts> m_fonts; // a view uses one font or two
    mutable qsizetype m_count = 0;
};

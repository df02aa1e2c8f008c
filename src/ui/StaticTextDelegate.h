#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <vector>

// Draws single-line item texts from a cache of laid-out texts: a table that grows by a row at a
// time repaints every visible cell, and laying out each text again was most of that. Cells with
// an icon, a check box, or a text too wide for the cell are drawn as the style draws them. The
// size of a plain text is kept too: a list whose texts change is laid out again, and asks for the
// size of every item each time.
class StaticTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    struct FontTexts {
        QFont Font;
        QHash<QString, QStaticText> Texts;
        QHash<QString, QSize> Sizes;
    };
    FontTexts& keptFor(const QFont& font) const;
    const QStaticText& laidOut(const QString& text, const QFont& font) const;
    mutable std::vector<FontTexts> m_fonts; // a view uses one font or two
    mutable qsizetype m_count = 0;
};

#include "ui/StaticTextDelegate.h"

#include <QApplication>
#include <QPainter>

namespace {

// Enough for every visible cell of a large window; beyond it the cache starts over.
constexpr qsizetype MaxTexts = 4096;

} // namespace

const QStaticText& StaticTextDelegate::laidOut(const QString& text, const QFont& font) const {
    const QString key = font.key() + QChar(0) + text;
    auto found = m_texts.constFind(key);
    if (found != m_texts.constEnd())
        return *found;
    if (m_texts.size() >= MaxTexts)
        m_texts.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return *m_texts.insert(key, laid);
}

void StaticTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The style's own text margin and alignment, as it places a text it draws itself.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = opt.rect.adjusted(margin, 0, -margin, 0);
    const bool plain =
        opt.features == QStyleOptionViewItem::HasDisplay ||
        opt.features == (QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::WrapText);
    const QStaticText* text = plain ? &laidOut(opt.text, opt.font) : nullptr;
    if (text == nullptr || opt.text.contains(QLatin1Char('\n')) ||
        text->size().width() > textRect.width()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QSize size(static_cast<int>(text->size().width()),
                     static_cast<int>(text->size().height()));
    const QRect placed = QStyle::alignedRect(
        opt.direction, QStyle::visualAlignment(opt.direction, opt.displayAlignment), size,
        textRect);
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(
        group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(placed.topLeft(), *text);
    painter->restore();
}

#include "ui/StaticTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

// Enough for every visible cell of a large window; beyond it the cache starts over.
constexpr qsizetype MaxTexts = 4096;

bool IsPlain(const QStyleOptionViewItem& option) {
    return option.features == QStyleOptionViewItem::HasDisplay ||
           option.features == (QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::WrapText);
}

} // namespace

// Beyond MaxTexts kept texts and sizes, keeping starts over.
StaticTextDelegate::FontTexts& StaticTextDelegate::keptFor(const QFont& font) const {
    if (m_count >= MaxTexts) {
        m_fonts.clear();
        m_count = 0;
    }
    auto same = [&](const FontTexts& kept) { return kept.Font == font; };
    auto texts = std::find_if(m_fonts.begin(), m_fonts.end(), same);
    if (texts == m_fonts.end())
        texts = m_fonts.insert(m_fonts.end(), FontTexts{font, {}, {}});
    return *texts;
}

const QStaticText& StaticTextDelegate::laidOut(const QString& text, const QFont& font) const {
    FontTexts& kept = keptFor(font);
    const auto found = kept.Texts.constFind(text);
    if (found != kept.Texts.constEnd())
        return *found;
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
    ++m_count;
    return *kept.Texts.insert(text, laid);
}

QSize StaticTextDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // Without wrapping a plain text's size depends on the text and the font alone.
    if (opt.features != QStyleOptionViewItem::HasDisplay)
        return QStyledItemDelegate::sizeHint(option, index);
    FontTexts& kept = keptFor(opt.font);
    const auto found = kept.Sizes.constFind(opt.text);
    if (found != kept.Sizes.constEnd())
        return *found;
    ++m_count;
    return *kept.Sizes.insert(opt.text, QStyledItemDelegate::sizeHint(option, index));
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
    const QStaticText* text = IsPlain(opt) ? &laidOut(opt.text, opt.font) : nullptr;
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

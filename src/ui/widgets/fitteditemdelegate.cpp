#include "widgets/fitteditemdelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace rasp::ui {

namespace {
constexpr int kTextMargin = 4; // the style's text margin on either side of an item's text
}

FittedItemDelegate::FittedItemDelegate(const QFont &designed, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_font(designed)
{
}

const FieldFont::Fitted &FittedItemDelegate::fitted(const QString &text, int width) const
{
    return m_font.fit(text, textWidth(width));
}

int FittedItemDelegate::textWidth(int itemWidth)
{
    return itemWidth - 2 * kTextMargin;
}

void FittedItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const FieldFont::Fitted &f = fitted(option->text, option->rect.width());
    option->font = f.font;
    option->fontMetrics = QFontMetrics(f.font);
    // A text cut even at the floor shows its beginning, as the grid's fields do.
    option->textElideMode = Qt::ElideNone;
}

bool FittedItemDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (fitted(text, option.rect.width()).cut) {
            QToolTip::showText(event->globalPos(), text, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace rasp::ui

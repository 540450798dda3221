#pragma once

#include "widgets/fieldfont.h"

#include <QStyledItemDelegate>

namespace rasp::ui {

// Paints the items of a list in the font the grid's fields use for the same text (FieldFont):
// the whole text at the designed size where it fits the item, tighter or smaller down to the
// floor where it does not, else cut at the item's edge with the whole text as its tooltip.
class FittedItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    FittedItemDelegate(const QFont &designed, QObject *parent);

    // The fitted font (and whether it is cut) of an item's text in an item `width` px wide.
    const FieldFont::Fitted &fitted(const QString &text, int width) const;
    // The width the text of an item `itemWidth` px wide is fitted into.
    static int textWidth(int itemWidth);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    // Shows the whole text of a cut item as its tooltip.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    mutable FieldFont m_font;
};

} // namespace rasp::ui

#pragma once

#include <QLayout>
#include <QList>

#include <vector>

namespace rasp::ui {

// Left edges of boxes of the given widths laid out in a row `available` wide. The free width
// makes equal gaps before, between and after the boxes; an inner gap grows no wider than
// `maxGap`, the rest goes to the two ends alike, so the boxes stay together and centred. When
// the gaps would be narrower than `minGap` the boxes sit `minGap` apart from the left edge on,
// and a row too narrow for them is cut off at the right.
std::vector<int> spreadRow(int available, const std::vector<int> &widths, int minGap, int maxGap);

// Narrows boxes, the last first and each down to least[k], until their widths add up to at
// most `room` (or none can give more).
void shrinkToFit(int room, std::vector<int> &widths, const std::vector<int> &least);

// A row of fixed-width boxes (the tool panel's groups) laid out by `spreadRow`, each as high as
// the row. Hidden boxes take no place: the shown ones close up and stay centred. A box given a
// range of widths (a minimum below a maximum) is as wide as its maximum while the row has room
// and narrows towards its minimum, the last box first, when the row would run off the edge.
class SpreadRowLayout : public QLayout
{
public:
    SpreadRowLayout(QWidget *parent, int minGap, int maxGap);
    ~SpreadRowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem *itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem *takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override { return sizeHint(); }
    // Places the shown boxes where `spreadRow` puts them.
    void setGeometry(const QRect &rect) override;

private:
    // The width a box takes when the row has room, and the least it narrows to.
    static int preferredWidth(const QLayoutItem *item);
    static int shrinksTo(const QLayoutItem *item);

    QList<QLayoutItem *> m_items;
    int m_minGap;
    int m_maxGap;
};

} // namespace rasp::ui

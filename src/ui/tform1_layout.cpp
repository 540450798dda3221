// Window layout: what follows the grid body when it scrolls and the window when it is resized.
// The class-header strip and the row strip are painted by the grid view at the body's offsets,
// and the notes memo moves with the body, so the cell-anchored lists close and the two
// second-shift sliders follow the offsets.
#include "tform1.h"

#include "reports/reportscontroller.h"
#include "daygridview.h"
#include "fitteditemdelegate.h"

#include <QListWidget>
#include <QResizeEvent>
#include <QScrollBar>

void TForm1::wireLayout()
{
    // The cell lists' items follow the grid fields' fitting rule.
    for (QListWidget *list : {ListBox1, ListBox4})
        list->setItemDelegate(new rasp::ui::FittedItemDelegate(list->font(), list));
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TForm1::ScrollBox2HScrollChange);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TForm1::ScrollBox2VScrollChange);
}

void TForm1::hideCellLists()
{
    ListBox1->hide();
    ListBox4->hide();
}

void TForm1::ScrollBox2HScrollChange()
{
    hideCellLists();
    placeShiftSliders(); // TrackBar1 left := width of Panel7 - 2 - x
}

void TForm1::ScrollBox2VScrollChange()
{
    hideCellLists();
    placeShiftSliders(); // TrackBar2 top := height of Panel5 + height of HorzScrollBox1 - y
}

void TForm1::FormResize()
{
    hideCellLists();
    placeShiftSliders();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (ListBox1) // resizes during construction come before the lists exist
        FormResize();
    if (m_reports)
        m_reports->placePages();
}

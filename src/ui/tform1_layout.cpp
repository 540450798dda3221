// Window layout: what follows the grid body when it scrolls and the window when it is resized.
// The class-header strip and the row strip are painted by the grid view at the body's offsets,
// and the notes memo moves with the body, so the cell-anchored lists close and the two
// second-shift sliders follow the offsets.
#include "tform1.h"

#include "day/editingcontroller.h"

#include "day/shiftcontroller.h"

#include "reports/reportscontroller.h"
#include "day/daygridview.h"

#include <QListWidget>
#include <QResizeEvent>
#include <QScrollBar>

void TForm1::wireLayout()
{
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TForm1::ScrollBox2HScrollChange);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TForm1::ScrollBox2VScrollChange);
}

void TForm1::hideCellLists()
{
    m_editing->hideCellLists();
}

void TForm1::ScrollBox2HScrollChange()
{
    hideCellLists();
    m_shift->placeSliders(); // TrackBar1 left := width of Panel7 - 2 - x
}

void TForm1::ScrollBox2VScrollChange()
{
    hideCellLists();
    m_shift->placeSliders(); // TrackBar2 top := height of Panel5 + height of HorzScrollBox1 - y
}

void TForm1::FormResize()
{
    hideCellLists();
    m_shift->placeSliders();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_editing && m_shift) // resizes during construction come before the lists and sliders exist
        FormResize();
    if (m_reports)
        m_reports->placePages();
}

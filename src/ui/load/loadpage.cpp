#include "loadpage.h"
#include "load/loadtexts.h"

#include "widgets/circlebutton.h"
#include "load/loadgeometry.h"
#include "loadmatrixview.h"
#include "loadstripview.h"
#include "shell/pageframe.h"
#include "state.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

using load::LoadGeometry;

LoadPage::LoadPage(const State &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
{
    setObjectName(u"loadPage"_s);
    QVBoxLayout *page = whitePageLayout(this);

    auto *toolBar = new QWidget(this);
    toolBar->setObjectName(u"loadToolBar"_s);
    toolBar->setFixedHeight(52);
    auto *buttons = new QHBoxLayout(toolBar);
    buttons->setContentsMargins(0, 4, 0, 4);
    buttons->setSpacing(14);
    sSpeedButton18 = new CircleButton(CircleButton::AddClass, loadtexts::kAddClass.toString(), u"1"_s, toolBar);
    sSpeedButton16 = new CircleButton(CircleButton::AddTeacher, loadtexts::kAddTeacher.toString(), u"2"_s, toolBar);
    sSpeedButton15 = new CircleButton(CircleButton::Save, loadtexts::kSave.toString(), u"3"_s, toolBar);
    SpeedButton12 = new CircleButton(CircleButton::DeleteAll, loadtexts::kDeleteAll.toString(), QString(), toolBar);
    sSpeedButton18->setObjectName(u"sSpeedButton18"_s);
    sSpeedButton16->setObjectName(u"sSpeedButton16"_s);
    sSpeedButton15->setObjectName(u"sSpeedButton15"_s);
    SpeedButton12->setObjectName(u"SpeedButton12"_s);
    buttons->addStretch(1);
    for (auto *b : {sSpeedButton18, sSpeedButton16, sSpeedButton15, SpeedButton12})
        buttons->addWidget(b);
    buttons->addStretch(1);
    page->addWidget(toolBar);

    auto *table = new QGridLayout;
    table->setContentsMargins(0, 0, 0, 0);
    table->setSpacing(0);
    auto *corner = new QWidget(this);
    corner->setFixedSize(LoadGeometry::kTeacherStripWidth, LoadGeometry::kClassStripHeight);
    sSpeedButton17 = new CircleButton(CircleButton::Sort, loadtexts::kSortTeachers.toString(), QString(), corner);
    sSpeedButton17->setObjectName(u"sSpeedButton17"_s);
    sSpeedButton17->move((corner->width() - sSpeedButton17->width()) / 2, 10);
    sSpeedButton17->hide();
    ScrollBox4 = new LoadStripView(state, LoadStripView::Classes, this);
    ScrollBox3 = new LoadStripView(state, LoadStripView::Teachers, this);
    ScrollBox1 = new LoadMatrixView(state, this);
    table->addWidget(corner, 0, 0);
    table->addWidget(ScrollBox4, 0, 1);
    table->addWidget(ScrollBox3, 1, 0);
    table->addWidget(ScrollBox1, 1, 1);
    table->setRowStretch(1, 1);
    table->setColumnStretch(1, 1);
    page->addLayout(table, 1);

    connect(ScrollBox1->horizontalScrollBar(), &QScrollBar::valueChanged, this, &LoadPage::ScrollBox1HScrollChange);
    connect(ScrollBox1->verticalScrollBar(), &QScrollBar::valueChanged, this, &LoadPage::ScrollBox1VScrollChange);
}

void LoadPage::ScrollBox1HScrollChange()
{
    ScrollBox4->setOffset(ScrollBox1->horizontalScrollBar()->value());
}

void LoadPage::ScrollBox1VScrollChange()
{
    ScrollBox3->setOffset(ScrollBox1->verticalScrollBar()->value());
}

void LoadPage::modelChanged()
{
    ScrollBox1->modelChanged();
    ScrollBox4->modelChanged();
    ScrollBox3->modelChanged();
    sSpeedButton17->setVisible(m_state.pedvis >= 1);
    ScrollBox1HScrollChange();
    ScrollBox1VScrollChange();
}

void LoadPage::scrollToOrigin()
{
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    ScrollBox4->setOffset(0);
    ScrollBox3->setOffset(0);
}

void LoadPage::scrollToLastClass()
{
    // Twice the x of the spacer after the last class: the scroll bar stops at its end.
    const int spacer = LoadGeometry::classNameRect(qMax(m_state.klassvis, 0)).x() + 50;
    ScrollBox1->horizontalScrollBar()->setValue(2 * spacer);
    ScrollBox1HScrollChange();
}

void LoadPage::scrollToLastTeacher()
{
    // Twice the y of the spacer under the last teacher's "…": the scroll bar stops at its end.
    const int spacer = LoadGeometry::teacherMenuRect(qMax(m_state.pedvis, 0)).y() + 100;
    ScrollBox1->verticalScrollBar()->setValue(2 * spacer);
    ScrollBox1VScrollChange();
}

} // namespace rasp::ui

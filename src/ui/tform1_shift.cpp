// Day timetable: locking cells from their context menu, freezing lesson rows and the second-shift
// split with its two boundary sliders over the grid's strips.
#include "tform1.h"

#include "edit/editfunnel.h"
#include "day/blocking.h"
#include "daygridview.h"
#include "geometrywatcher.h"
#include "undo/editcommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::CellElement;
using rasp::ui::undo::LockCommand;

namespace {

// A slider inside a clip widget that shows it only where it overlaps `area`.
void placeClipped(QWidget *clip, QWidget *slider, const QRect &want, const QRect &area)
{
    const QRect shown = want & area;
    if (shown.isEmpty()) {
        clip->hide();
        return;
    }
    clip->setGeometry(shown);
    slider->setGeometry(QRect(want.topLeft() - shown.topLeft(), want.size()));
    clip->show();
    clip->raise();
}

} // namespace

void TForm1::buildShift()
{
    cellMenu = new QMenu(this);
    cellMenu->setObjectName(u"PopupMenu1"_s);
    blockMenu = cellMenu->addMenu(QIcon(u":/img/lock.svg"_s), u"Блокировать"_s);
    Z1 = blockMenu->addAction(u"Ячейку"_s);
    MenuItem11 = blockMenu->addAction(u"Вправо и вверх"_s);
    MenuItem12 = blockMenu->addAction(u"Влево и вниз"_s);
    unblockMenu = cellMenu->addMenu(QIcon(u":/img/unlock.svg"_s), u"Разблокировать"_s);
    N1 = unblockMenu->addAction(u"Ячейку"_s);
    MenuItem14 = unblockMenu->addAction(u"Вправо и вверх"_s);
    MenuItem15 = unblockMenu->addAction(u"Влево и вниз"_s);

    pinMenu = new QMenu(this);
    pinMenu->setObjectName(u"PopupMenu2"_s);
    N2 = pinMenu->addAction(u"Снять выделение"_s);
    sCheckListBox1->setContextMenuPolicy(Qt::CustomContextMenu);

    QWidget *area = Panel5->parentWidget(); // the top bar and the grid share it
    trackBar1Clip = new QWidget(area);
    trackBar1Clip->setObjectName(u"TrackBar1Clip"_s);
    TrackBar1 = new QSlider(Qt::Horizontal, trackBar1Clip);
    TrackBar1->setObjectName(u"TrackBar1"_s);
    TrackBar1->setToolTip(u"Начало второй смены"_s);
    trackBar2Clip = new QWidget(area);
    trackBar2Clip->setObjectName(u"TrackBar2Clip"_s);
    TrackBar2 = new QSlider(Qt::Vertical, trackBar2Clip);
    TrackBar2->setObjectName(u"TrackBar2"_s);
    TrackBar2->setToolTip(u"Окончание первой смены"_s);
    // Row 1 is at the top, so the vertical slider counts downwards.
    TrackBar2->setInvertedAppearance(true);
    TrackBar2->setInvertedControls(true);
    for (QSlider *s : {TrackBar1, TrackBar2}) {
        s->setRange(0, 0);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setFocusPolicy(Qt::StrongFocus);
        // A dragged handle applies the split once, where it is let go, so a question about a
        // coinciding pin never comes up in the middle of a drag.
        s->setTracking(false);
    }
    trackBar1Clip->hide();
    trackBar2Clip->hide();
}

void TForm1::wireShift()
{
    connect(grid, &rasp::ui::DayGridView::cellContextMenu, this, &TForm1::cellContextMenu);
    connect(grid, &rasp::ui::DayGridView::toggleClicked, this, &TForm1::Zamoroz);
    connect(Z1, &QAction::triggered, this, &TForm1::Z1Click);
    connect(MenuItem11, &QAction::triggered, this, &TForm1::MenuItem11Click);
    connect(MenuItem12, &QAction::triggered, this, &TForm1::MenuItem12Click);
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(MenuItem14, &QAction::triggered, this, &TForm1::MenuItem14Click);
    connect(MenuItem15, &QAction::triggered, this, &TForm1::MenuItem15Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(sCheckListBox1, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { pinMenu->popup(sCheckListBox1->viewport()->mapToGlobal(pos)); });
    // The viewport takes its final size after the grid's own resize handling, so it is the
    // viewport's resize that places the sliders; the grid's move covers a shifted area.
    new rasp::ui::GeometryWatcher(grid, [this] { placeShiftSliders(); });
    new rasp::ui::GeometryWatcher(grid->viewport(), [this] { placeShiftSliders(); });
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    connect(TrackBar2, &QSlider::valueChanged, this, &TForm1::TrackBar2Change);
}

void TForm1::cellContextMenu(int row, int column, int xInField, QPoint globalPos)
{
    const CellElement element = rasp::day::ElementAt(m_state, row, column, xInField);
    if (element == CellElement::None)
        return;
    menuRow = row;
    menuColumn = column;
    menuElement = element;
    emit cellMenuOpening(row, column); // controllers set their entries for this cell
    cellMenu->popup(globalPos);
}

namespace {

} // namespace

void TForm1::Z1Click()
{
    rasp::ui::Edit edit(*m_edits);
    rasp::day::LockClickedCell(m_state, menuElement, menuRow, menuColumn,
                               [this](const QString &q) { return Dial(q) == u"Да"_s; });
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"блокировка ячейки "_s + cellName(menuRow, menuColumn)));
}

void TForm1::N1Click()
{
    rasp::ui::Edit edit(*m_edits);
    rasp::day::UnlockClickedCell(m_state, menuElement, menuRow, menuColumn);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"разблокировка ячейки "_s + cellName(menuRow, menuColumn)));
}

void TForm1::MenuItem11Click()
{
    rasp::ui::Edit edit(*m_edits);
    FormEnable(false);
    rasp::day::LockUpAndRight(m_state, menuElement, menuRow, menuColumn);
    FormEnable(true);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"блокировка вправо и вверх от "_s + cellName(menuRow, menuColumn)));
}

void TForm1::MenuItem12Click()
{
    rasp::ui::Edit edit(*m_edits);
    FormEnable(false);
    rasp::day::LockDownAndLeft(m_state, menuElement, menuRow, menuColumn);
    FormEnable(true);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"блокировка влево и вниз от "_s + cellName(menuRow, menuColumn)));
}

namespace {

// Shows the wait picture centred in the window and lets it draw once.
void showWait(QWidget *form, QLabel *wait)
{
    wait->move((form->width() - wait->width()) / 2, (form->height() - wait->height()) / 2);
    wait->show();
    wait->raise();
    wait->repaint();
}

} // namespace

void TForm1::MenuItem14Click()
{
    rasp::ui::Edit edit(*m_edits);
    FormEnable(false);
    showWait(this, Img_zdite);
    rasp::day::UnlockUpAndRight(m_state, menuElement, menuRow, menuColumn);
    Img_zdite->hide();
    FormEnable(true);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"разблокировка вправо и вверх от "_s + cellName(menuRow, menuColumn)));
}

void TForm1::MenuItem15Click()
{
    rasp::ui::Edit edit(*m_edits);
    FormEnable(false);
    showWait(this, Img_zdite);
    rasp::day::UnlockDownAndLeft(m_state, menuElement, menuRow, menuColumn);
    Img_zdite->hide();
    FormEnable(true);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"разблокировка влево и вниз от "_s + cellName(menuRow, menuColumn)));
}

void TForm1::Zamoroz(int r)
{
    // "Старт" is disabled while an arrangement runs; asked before the pages are disabled, which
    // would disable it along with them.
    const bool running = arrangementRunning();
    const bool wasFrozen = r >= 1 && r <= m_state.max_ur && m_state.grid.frozen(r);
    rasp::ui::Edit edit(*m_edits);
    FormEnable(false);
    const auto result = rasp::day::Zamoroz(m_state, r, running,
                                           [this](const QString &q) { return Dial(q) == u"Да"_s; });
    if (result == rasp::day::ZamorozResult::Unfrozen)
        VtorayaSmenaBlok(0);
    if (result == rasp::day::ZamorozResult::Frozen || result == rasp::day::ZamorozResult::Unfrozen)
        refresh(rasp::RefreshTeachers);
    FormEnable(true);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>((wasFrozen ? u"разморозка урока "_s : u"заморозка урока "_s) + QString::number(r)));
}

namespace {

// Shows the state's pin checks in "Не перемещать" without the list reporting user changes.
void showPinChecks(QListWidget *list, const std::vector<rasp::day::PinEntry> &pins)
{
    const QSignalBlocker quiet(list);
    for (int n = 0; n < list->count() && n < int(pins.size()); ++n)
        list->item(n)->setCheckState(pins[std::size_t(n)].checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace

void TForm1::N2Click()
{
    rasp::ui::Edit edit(*m_edits);
    rasp::day::ClearPins(m_state);
    showPinChecks(sCheckListBox1, m_state.pins);
    refresh(0); // the views repaint
    edit.record(stepOf<LockCommand>(u"снятие выделения"_s));
}

void TForm1::BlokYach(int k1, int m1, int k2, int m2)
{
    rasp::day::BlokYach(m_state, k1, m1, k2, m2);
    refresh(0); // the views repaint
}

void TForm1::RazBlokYach(int k1, int m1, int k2, int m2)
{
    rasp::day::RazBlokYach(m_state, k1, m1, k2, m2);
    refresh(0); // the views repaint
}

void TForm1::placeShiftSliders()
{
    if (!trackBar1Clip) // resizes during construction come before the sliders exist
        return;
    if (m_state.klassvis < 1) {
        trackBar1Clip->hide();
        trackBar2Clip->hide();
        return;
    }
    const auto g = rasp::day::VtorayaSmenaGranici(m_state.klassvis, m_state.max_ur, grid->horizontalScrollBar()->value(),
                                                  grid->verticalScrollBar()->value());
    // TrackBar1 shows over the class-header strip (from its home x on), TrackBar2 over the row
    // strip and the body's 5-px margin, which its home position reaches into.
    const QRect gridBox = grid->geometry();
    const QRect viewport(grid->viewport()->mapTo(grid->parentWidget(), QPoint(0, 0)), grid->viewport()->size());
    const QRect header(QPoint(rasp::day::GridGeometry::kRowStripWidth - 2, gridBox.top()),
                       QPoint(viewport.right(), gridBox.top() + rasp::day::GridGeometry::kHeaderHeight - 1));
    const QRect rows(QPoint(gridBox.left(), gridBox.top() + rasp::day::GridGeometry::kHeaderHeight),
                     QPoint(gridBox.left() + rasp::day::GridGeometry::kRowStripWidth + 4, viewport.bottom()));
    placeClipped(trackBar1Clip, TrackBar1, g.trackBar1, header);
    placeClipped(trackBar2Clip, TrackBar2, g.trackBar2, rows);
}

void TForm1::VtorayaSmenaGranici()
{
    const auto g = rasp::day::VtorayaSmenaGranici(m_state.klassvis, m_state.max_ur, 0, 0);
    {
        const QSignalBlocker quiet1(TrackBar1);
        const QSignalBlocker quiet2(TrackBar2);
        TrackBar1->setRange(0, g.maximum1);
        TrackBar1->setValue(rasp::day::ShiftClassBound(m_state));
        TrackBar2->setRange(0, g.maximum2);
        TrackBar2->setValue(rasp::day::ShiftRowBound(m_state));
    }
    // The sliders hold the bounds as they can show them.
    m_state.vt_sm_x = TrackBar1->value();
    m_state.vt_sm_y = TrackBar2->value();
    placeShiftSliders();
}

void TForm1::VtorayaSmenaBlok(int ind)
{
    const bool split = m_state.klassvis > 0 && m_state.max_ur > 0 && rasp::day::ShiftInForce(m_state);
    if (split)
        FormEnable(false);
    const bool unchecked = rasp::day::VtorayaSmenaBlok(m_state, ind,
                                                       [this](const QString &q) { return Dial(q) == u"Да"_s; });
    if (unchecked)
        showPinChecks(sCheckListBox1, m_state.pins);
    if (split)
        FormEnable(true);
    refresh(0); // the views repaint
    // setting.ini follows the sliders; an unchanged split is not written again.
    if (shiftInFile != QPoint(m_state.vt_sm_x, m_state.vt_sm_y))
        SetSave(0);
}

void TForm1::TrackBar1Change()
{
    const QPoint before(m_state.vt_sm_x, m_state.vt_sm_y);
    rasp::ui::Edit edit(*m_edits);
    m_state.vt_sm_x = TrackBar1->value();
    VtorayaSmenaBlok(1);
    edit.record(shiftStep(before), before != QPoint(m_state.vt_sm_x, m_state.vt_sm_y));
}

void TForm1::TrackBar2Change()
{
    const QPoint before(m_state.vt_sm_x, m_state.vt_sm_y);
    rasp::ui::Edit edit(*m_edits);
    m_state.vt_sm_y = TrackBar2->value();
    VtorayaSmenaBlok(1);
    edit.record(shiftStep(before), before != QPoint(m_state.vt_sm_x, m_state.vt_sm_y));
}

TForm1::MakeStep TForm1::shiftStep(QPoint before)
{
    const QPoint after(m_state.vt_sm_x, m_state.vt_sm_y);
    return [this, before, after](rasp::day::GridChange change) {
        return std::make_unique<rasp::ui::undo::ShiftSplitCommand>(u"изменение второй смены"_s, std::move(change),
                                                                   restoreFunction(), stepTemplateDay(), before, after);
    };
}

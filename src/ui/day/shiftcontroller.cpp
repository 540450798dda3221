#include "day/shiftcontroller.h"

#include "day/counters.h"

#include "day/shifttexts.h"
#include "day/daygridview.h"
#include "widgets/geometrywatcher.h"
#include "widgets/markersliderstyle.h"
#include "state.h"
#include "undo/editcommands.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace texts = shifttexts;
using day::CellElement;
using undo::LockCommand;

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

ShiftController::ShiftController(const Shell &shell, DayGridView *grid, QWidget *sliderArea, QListWidget *pinList,
                                 QObject *parent)
    : Controller(shell, parent)
    , m_grid(grid)
    , m_pinList(pinList)
{
    m_cellMenu = new QMenu(window());
    m_cellMenu->setObjectName(u"PopupMenu1"_s);
    m_lockMenu = m_cellMenu->addMenu(QIcon(u":/img/lock.svg"_s), texts::kLock.toString());
    m_lockCell = m_lockMenu->addAction(texts::kCell.toString());
    m_lockUpRight = m_lockMenu->addAction(texts::kUpAndRight.toString());
    m_lockDownLeft = m_lockMenu->addAction(texts::kDownAndLeft.toString());
    m_unlockMenu = m_cellMenu->addMenu(QIcon(u":/img/unlock.svg"_s), texts::kUnlock.toString());
    m_unlockCell = m_unlockMenu->addAction(texts::kCell.toString());
    m_unlockUpRight = m_unlockMenu->addAction(texts::kUpAndRight.toString());
    m_unlockDownLeft = m_unlockMenu->addAction(texts::kDownAndLeft.toString());

    m_pinMenu = new QMenu(window());
    m_pinMenu->setObjectName(u"PopupMenu2"_s);
    m_clearPins = m_pinMenu->addAction(texts::kClearPins.toString());
    m_pinList->setContextMenuPolicy(Qt::CustomContextMenu);

    m_startClip = new QWidget(sliderArea);
    m_startClip->setObjectName(u"TrackBar1Clip"_s);
    m_start = new QSlider(Qt::Horizontal, m_startClip);
    m_start->setObjectName(u"TrackBar1"_s);
    m_start->setToolTip(texts::kShiftStart.toString());
    m_endClip = new QWidget(sliderArea);
    m_endClip->setObjectName(u"TrackBar2Clip"_s);
    m_end = new QSlider(Qt::Vertical, m_endClip);
    m_end->setObjectName(u"TrackBar2"_s);
    m_end->setToolTip(texts::kFirstShiftEnd.toString());
    // Row 1 is at the top, so the vertical slider counts downwards.
    m_end->setInvertedAppearance(true);
    m_end->setInvertedControls(true);
    // Painted as a track with a pointed marker: the style's own small handle looks like a check
    // box over the grid's corner. Sizes and hit areas stay the style's.
    auto *look = new MarkerSliderStyle(this);
    for (QSlider *s : {m_start, m_end}) {
        s->setStyle(look);
        s->setRange(0, 0);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setFocusPolicy(Qt::StrongFocus);
        // A dragged handle applies the split once, where it is let go, so a question about a
        // coinciding pin never comes up in the middle of a drag.
        s->setTracking(false);
    }
    m_startClip->hide();
    m_endClip->hide();

    connect(m_grid, &DayGridView::cellContextMenu, this, &ShiftController::openCellMenu);
    connect(m_grid, &DayGridView::toggleClicked, this, &ShiftController::toggleFreeze);
    connect(m_pinList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) { pinToggled(m_pinList->row(item)); });
    connect(m_pinList, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { m_pinMenu->popup(m_pinList->viewport()->mapToGlobal(pos)); });
    // The viewport takes its final size after the grid's own resize handling, so it is the
    // viewport's resize that places the sliders; the grid's move covers a shifted area.
    new GeometryWatcher(m_grid, [this] { placeSliders(); });
    new GeometryWatcher(m_grid->viewport(), [this] { placeSliders(); });
}

ShiftController::~ShiftController() = default;

void ShiftController::openCellMenu(int row, int column, int xInField, QPoint globalPos)
{
    const CellElement element = day::ElementAt(state(), row, column, xInField);
    if (element == CellElement::None)
        return;
    m_menuRow = row;
    m_menuColumn = column;
    m_menuElement = element;
    emit cellMenuOpening(row, column);
    m_cellMenu->popup(globalPos);
}

void ShiftController::lockGesture(const std::function<void(State &)> &change, QStringView step, bool disablePages,
                                  bool wait)
{
    Edit edit(edits());
    if (disablePages)
        enablePages(false);
    if (wait)
        showWait(true);
    change(edit.state());
    if (wait)
        showWait(false);
    if (disablePages)
        enablePages(true);
    edit.record(stepOf<LockCommand>(step.toString() + undo::CellName(state(), m_menuRow, m_menuColumn)));
}

void ShiftController::lockCell()
{
    lockGesture(
        [this](State &s) {
            day::LockClickedCell(s, m_menuElement, m_menuRow, m_menuColumn, [this](const QString &q) { return ask(q); });
        },
        texts::kStepLockCell, false, false);
}

void ShiftController::unlockCell()
{
    lockGesture([this](State &s) { day::UnlockClickedCell(s, m_menuElement, m_menuRow, m_menuColumn); },
                texts::kStepUnlockCell, false, false);
}

void ShiftController::lockUpAndRight()
{
    lockGesture([this](State &s) { day::LockUpAndRight(s, m_menuElement, m_menuRow, m_menuColumn); },
                texts::kStepLockUpRight, true, false);
}

void ShiftController::lockDownAndLeft()
{
    lockGesture([this](State &s) { day::LockDownAndLeft(s, m_menuElement, m_menuRow, m_menuColumn); },
                texts::kStepLockDownLeft, true, false);
}

void ShiftController::unlockUpAndRight()
{
    lockGesture([this](State &s) { day::UnlockUpAndRight(s, m_menuElement, m_menuRow, m_menuColumn); },
                texts::kStepUnlockUpRight, true, true);
}

void ShiftController::unlockDownAndLeft()
{
    lockGesture([this](State &s) { day::UnlockDownAndLeft(s, m_menuElement, m_menuRow, m_menuColumn); },
                texts::kStepUnlockDownLeft, true, true);
}

void ShiftController::toggleFreeze(int r)
{
    // "Старт" is disabled while an arrangement runs; asked before the pages are disabled, which
    // would disable it along with them.
    const bool running = Controller::running();
    const bool wasFrozen = r >= 1 && r <= state().max_ur && state().grid.frozen(r);
    Edit edit(edits());
    enablePages(false);
    const auto result = day::Zamoroz(edit.state(), r, running, [this](const QString &q) { return ask(q); });
    if (result == day::ZamorozResult::Unfrozen)
        applySplit(0);
    if (result == day::ZamorozResult::Frozen || result == day::ZamorozResult::Unfrozen)
        edits().refresh(RefreshTeachers);
    enablePages(true);
    edit.record(stepOf<LockCommand>((wasFrozen ? texts::kStepUnfreeze : texts::kStepFreeze).toString() + QString::number(r)));
}

void ShiftController::showPinChecks()
{
    const QSignalBlocker quiet(m_pinList);
    const auto &pins = state().pins;
    for (int n = 0; n < m_pinList->count() && n < int(pins.size()); ++n)
        m_pinList->item(n)->setCheckState(pins[std::size_t(n)].checked ? Qt::Checked : Qt::Unchecked);
}

void ShiftController::fillPins()
{
    {
        Edit edit(edits());
        day::FillPinList(edit.state());
    }
    const QSignalBlocker quiet(m_pinList);
    m_pinList->clear();
    for (const day::PinEntry &pin : state().pins) {
        auto *item = new QListWidgetItem(pin.text, m_pinList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void ShiftController::checkDefaultPins()
{
    edits().refresh(RefreshDefaultPins); // core day::CheckDefaultPins; the list follows the change signal
}

void ShiftController::applyPins(int ind, int y1, int y2)
{
    bool unchecked = false;
    {
        Edit edit(edits());
        // Asked inside the window: a question processes events, so no cell is kept across it.
        unchecked = day::CheckList(edit.state(), ind, y1, y2, [this](const QString &q) { return ask(q); });
    }
    if (unchecked)
        showPinChecks();
}

void ShiftController::pinToggled(int n)
{
    if (n < 0 || n >= int(state().pins.size()) || n >= m_pinList->count())
        return;
    const bool checked = m_pinList->item(n)->checkState() == Qt::Checked;
    Edit edit(edits());
    edit.state().pins[std::size_t(n)].checked = checked;
    if (state().chek_pderm == 1)
        applyPins(1, 1, state().max_ur);
    edit.record(stepOf<LockCommand>((checked ? texts::kStepPin : texts::kStepUnpin).toString() + state().pins[std::size_t(n)].text
                                    + u"»"_s));
}

void ShiftController::clearPins()
{
    Edit edit(edits());
    day::ClearPins(edit.state());
    showPinChecks();
    edit.record(stepOf<LockCommand>(texts::kStepClearPins.toString()));
}

void ShiftController::lockEmptyCells(int k1, int m1, int k2, int m2)
{
    Edit edit(edits());
    day::BlokYach(edit.state(), k1, m1, k2, m2);
}

void ShiftController::unlockCells(int k1, int m1, int k2, int m2)
{
    Edit edit(edits());
    day::RazBlokYach(edit.state(), k1, m1, k2, m2);
}

void ShiftController::placeSliders()
{
    if (state().klassvis < 1) {
        m_startClip->hide();
        m_endClip->hide();
        return;
    }
    const auto g = day::VtorayaSmenaGranici(state().klassvis, state().max_ur, m_grid->horizontalScrollBar()->value(),
                                            m_grid->verticalScrollBar()->value());
    // The start slider shows over the class-header strip (from its home x on), the end slider
    // over the row strip and the body's 5-px margin, which its home position reaches into.
    const QRect gridBox = m_grid->geometry();
    const QRect viewport(m_grid->viewport()->mapTo(m_grid->parentWidget(), QPoint(0, 0)), m_grid->viewport()->size());
    const QRect header(QPoint(day::GridGeometry::kRowStripWidth - 2, gridBox.top()),
                       QPoint(viewport.right(), gridBox.top() + day::GridGeometry::kHeaderHeight - 1));
    const QRect rows(QPoint(gridBox.left(), gridBox.top() + day::GridGeometry::kHeaderHeight),
                     QPoint(gridBox.left() + day::GridGeometry::kRowStripWidth + 4, viewport.bottom()));
    placeClipped(m_startClip, m_start, g.trackBar1, header);
    placeClipped(m_endClip, m_end, g.trackBar2, rows);
}

void ShiftController::rangeSliders()
{
    const auto g = day::VtorayaSmenaGranici(state().klassvis, state().max_ur, 0, 0);
    {
        const QSignalBlocker quiet1(m_start);
        const QSignalBlocker quiet2(m_end);
        m_start->setRange(0, g.maximum1);
        m_start->setValue(day::ShiftClassBound(state()));
        m_end->setRange(0, g.maximum2);
        m_end->setValue(day::ShiftRowBound(state()));
    }
    // The sliders hold the bounds as they can show them.
    {
        Edit edit(edits());
        edit.state().vt_sm_x = m_start->value();
        edit.state().vt_sm_y = m_end->value();
    }
    placeSliders();
}

void ShiftController::applySplit(int ind)
{
    const bool split = state().klassvis > 0 && state().max_ur > 0 && day::ShiftInForce(state());
    if (split)
        enablePages(false);
    {
        Edit edit(edits());
        if (day::VtorayaSmenaBlok(edit.state(), ind, [this](const QString &q) { return ask(q); }))
            showPinChecks();
    }
    if (split)
        enablePages(true);
    keepFileInStep();
}

void ShiftController::startMoved()
{
    const QPoint before = split();
    Edit edit(edits());
    edit.state().vt_sm_x = m_start->value();
    applySplit(1);
    edit.record(shiftStep(before), before != split());
}

void ShiftController::endMoved()
{
    const QPoint before = split();
    Edit edit(edits());
    edit.state().vt_sm_y = m_end->value();
    applySplit(1);
    edit.record(shiftStep(before), before != split());
}

void ShiftController::fileInStep()
{
    m_splitInFile = split();
}

void ShiftController::keepFileInStep()
{
    // setting.ini follows the sliders; an unchanged split is not written again.
    if (m_splitInFile != split())
        emit settingsSaveWanted();
}

EditFunnel::MakeStep ShiftController::shiftStep(QPoint before) const
{
    return [restore = restoreStep(), day = stepTemplateDay(), before, after = split()](day::GridChange change) {
        return std::make_unique<undo::ShiftSplitCommand>(texts::kStepShift.toString(), std::move(change), restore, day,
                                                         before, after);
    };
}

QPoint ShiftController::split() const
{
    return QPoint(state().vt_sm_x, state().vt_sm_y);
}

} // namespace rasp::ui

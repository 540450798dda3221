#pragma once

#include "shell/controller.h"

#include "day/blocking.h"

#include <QPoint>

#include <functional>

class QAction;
class QListWidget;
class QMenu;
class QSlider;
class QWidget;

namespace rasp::ui {

class DayGridView;

// Locks and the second shift on the day grid: the cell menu's "Блокировать" / "Разблокировать"
// entries, freezing a lesson row, the menu of "Не перемещать" and the two second-shift sliders
// over the grid's strips. Every change goes through the edit funnel as one undo step.
class ShiftController : public Controller
{
    Q_OBJECT
public:
    // Builds the cell menu (other controllers add their entries to it), the pin list's menu and
    // the sliders inside `sliderArea`, which holds the grid. `pinList` is the shell's "Не
    // перемещать".
    ShiftController(const Shell &shell, DayGridView *grid, QWidget *sliderArea, QListWidget *pinList, QObject *parent);
    ~ShiftController() override;

    // cellContextMenu: opens the cell menu on the element under the press, if any.
    void openCellMenu(int row, int column, int xInField, QPoint globalPos);
    // Z1Click / N1Click: locks or unlocks the cell the menu was opened on.
    void lockCell();
    void unlockCell();
    // MenuItem11Click / MenuItem12Click: locks the empty cells up and right / down and left.
    void lockUpAndRight();
    void lockDownAndLeft();
    // MenuItem14Click / MenuItem15Click: unlocks every cell up and right / down and left.
    void unlockUpAndRight();
    void unlockDownAndLeft();
    // Zamoroz: freezes lesson row r, or unfreezes it and puts pins and the shift back.
    void toggleFreeze(int r);
    // N2Click: unchecks "Не перемещать" and unlocks the whole grid.
    void clearPins();
    // fillPinList: refills "Не перемещать" from the subject index, keeping the checks of
    // subjects still there (core day::FillPinList).
    void fillPins();
    // sCheckListBox1Checked: the checks of "Не перемещать" become the default pins of the
    // settings ("Блокировать"; core day::CheckDefaultPins).
    void checkDefaultPins();
    // CheckList: brings the locks of rows y1..y2 in line with "Не перемещать"; ind 1 asks about
    // coincidences (core day::CheckList).
    void applyPins(int ind, int y1, int y2);
    // sCheckListBox1ChangeCheck: the user (un)checked entry n of "Не перемещать": pinned when
    // chek_pderm is 1, as one step.
    void pinToggled(int n);
    // Shows the state's pin checks in "Не перемещать" without the list reporting user changes.
    void showPinChecks();
    // BlokYach / RazBlokYach: locks the empty cells / unlocks every cell of a block.
    void lockEmptyCells(int k1, int m1, int k2, int m2);
    void unlockCells(int k1, int m1, int k2, int m2);
    // VtorayaSmenaGranici: ranges and sets the sliders from the state and places them.
    void rangeSliders();
    // Puts the sliders at their places for the grid's current scroll offsets.
    void placeSliders();
    // VtorayaSmenaBlok: applies the split (ind 1 lifts every lock first); asks for a save of
    // setting.ini when the split differs from what the file holds.
    void applySplit(int ind);
    // TrackBar1Change / TrackBar2Change: a slider moved; the split applies as one step.
    void startMoved();
    void endMoved();
    // setting.ini was read or written: it holds the split as it stands.
    void fileInStep();
    // Asks for a save of setting.ini when the split is not the one the file holds.
    void keepFileInStep();
    // The maker of a second-shift step from the bounds `before` to the bounds now.
    EditFunnel::MakeStep shiftStep(QPoint before) const;

    // The parts the shell and the window tests use.
    QMenu *cellMenu() const { return m_cellMenu; }                     // PopupMenu1
    QMenu *lockMenu() const { return m_lockMenu; }                     // "Блокировать"
    QMenu *unlockMenu() const { return m_unlockMenu; }                 // "Разблокировать"
    QMenu *pinMenu() const { return m_pinMenu; }                       // PopupMenu2
    QAction *lockCellAction() const { return m_lockCell; }             // Z1
    QAction *lockUpRightAction() const { return m_lockUpRight; }       // MenuItem11
    QAction *lockDownLeftAction() const { return m_lockDownLeft; }     // MenuItem12
    QAction *unlockCellAction() const { return m_unlockCell; }         // N1
    QAction *unlockUpRightAction() const { return m_unlockUpRight; }   // MenuItem14
    QAction *unlockDownLeftAction() const { return m_unlockDownLeft; } // MenuItem15
    QAction *clearPinsAction() const { return m_clearPins; }           // N2
    QSlider *startSlider() const { return m_start; }                   // TrackBar1, "Начало второй смены"
    QSlider *endSlider() const { return m_end; }                       // TrackBar2, "Окончание первой смены"
    // The cell and element the cell menu was opened on.
    int menuRow() const { return m_menuRow; }
    int menuColumn() const { return m_menuColumn; }
    day::CellElement menuElement() const { return m_menuElement; }

signals:
    // The cell menu is about to open on a lesson cell (other controllers set their entries).
    void cellMenuOpening(int row, int column);
    // setting.ini must follow the sliders (SetSave(0)).
    void settingsSaveWanted();

private:
    // Runs one locking gesture on the menu's cell as one step named `step` + the cell's name.
    void lockGesture(const std::function<void(State &)> &change, QStringView step, bool disablePages, bool wait);
    // The split as it stands in the state.
    QPoint split() const;

    DayGridView *m_grid = nullptr;
    QListWidget *m_pinList = nullptr;
    QMenu *m_cellMenu = nullptr;
    QMenu *m_lockMenu = nullptr;
    QMenu *m_unlockMenu = nullptr;
    QMenu *m_pinMenu = nullptr;
    QAction *m_lockCell = nullptr, *m_lockUpRight = nullptr, *m_lockDownLeft = nullptr;
    QAction *m_unlockCell = nullptr, *m_unlockUpRight = nullptr, *m_unlockDownLeft = nullptr;
    QAction *m_clearPins = nullptr;
    QSlider *m_start = nullptr;
    QSlider *m_end = nullptr;
    QWidget *m_startClip = nullptr; // shows the start slider only over the class-header strip
    QWidget *m_endClip = nullptr;   // shows the end slider only over the row strip
    int m_menuRow = 0;
    int m_menuColumn = 0;
    day::CellElement m_menuElement = day::CellElement::None;
    QPoint m_splitInFile{0, 0}; // (vt_sm_x, vt_sm_y) as setting.ini holds them
};

} // namespace rasp::ui

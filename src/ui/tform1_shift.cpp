// Day timetable: the entry points of locking cells from their context menu, freezing lesson rows
// and the second-shift split. The work is done by rasp::ui::ShiftController (src/ui/day).
#include "tform1.h"

#include "day/shiftcontroller.h"
#include "settings/settingscontroller.h"

#include <QAction>
#include <QSlider>
#include <QWidget>

void TForm1::wireShift()
{
    using rasp::ui::ShiftController;
    m_shift = new ShiftController(shellServices(), grid, Panel5->parentWidget(), sCheckListBox1, this);
    connect(m_shift, &ShiftController::settingsSaveWanted, this, [this] { SetSave(0); });
    connect(m_shift->lockCellAction(), &QAction::triggered, this, &TForm1::Z1Click);
    connect(m_shift->lockUpRightAction(), &QAction::triggered, this, &TForm1::MenuItem11Click);
    connect(m_shift->lockDownLeftAction(), &QAction::triggered, this, &TForm1::MenuItem12Click);
    connect(m_shift->unlockCellAction(), &QAction::triggered, this, &TForm1::N1Click);
    connect(m_shift->unlockUpRightAction(), &QAction::triggered, this, &TForm1::MenuItem14Click);
    connect(m_shift->unlockDownLeftAction(), &QAction::triggered, this, &TForm1::MenuItem15Click);
    connect(m_shift->clearPinsAction(), &QAction::triggered, this, &TForm1::N2Click);
    connect(m_shift->startSlider(), &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    connect(m_shift->endSlider(), &QSlider::valueChanged, this, &TForm1::TrackBar2Change);
}

// ShiftController::openCellMenu.
void TForm1::cellContextMenu(int row, int column, int xInField, QPoint globalPos)
{
    m_shift->openCellMenu(row, column, xInField, globalPos);
}
// ShiftController::lockCell (core day::LockClickedCell).
void TForm1::Z1Click() { m_shift->lockCell(); }
// ShiftController::unlockCell (core day::UnlockClickedCell).
void TForm1::N1Click() { m_shift->unlockCell(); }
// ShiftController::lockUpAndRight (core day::LockUpAndRight).
void TForm1::MenuItem11Click() { m_shift->lockUpAndRight(); }
// ShiftController::lockDownAndLeft (core day::LockDownAndLeft).
void TForm1::MenuItem12Click() { m_shift->lockDownAndLeft(); }
// ShiftController::unlockUpAndRight (core day::UnlockUpAndRight).
void TForm1::MenuItem14Click() { m_shift->unlockUpAndRight(); }
// ShiftController::unlockDownAndLeft (core day::UnlockDownAndLeft).
void TForm1::MenuItem15Click() { m_shift->unlockDownAndLeft(); }
// ShiftController::toggleFreeze (core day::Zamoroz).
void TForm1::Zamoroz(int r) { m_shift->toggleFreeze(r); }
// ShiftController::clearPins (core day::ClearPins).
void TForm1::N2Click() { m_shift->clearPins(); }
// ShiftController::lockEmptyCells (core day::BlokYach).
void TForm1::BlokYach(int k1, int m1, int k2, int m2) { m_shift->lockEmptyCells(k1, m1, k2, m2); }
// ShiftController::unlockCells (core day::RazBlokYach).
void TForm1::RazBlokYach(int k1, int m1, int k2, int m2) { m_shift->unlockCells(k1, m1, k2, m2); }
// ShiftController::rangeSliders (core day::VtorayaSmenaGranici).
void TForm1::VtorayaSmenaGranici() { m_shift->rangeSliders(); }
// ShiftController::applySplit (core day::VtorayaSmenaBlok).
void TForm1::VtorayaSmenaBlok(int ind) { m_shift->applySplit(ind); }
// ShiftController::startMoved.
void TForm1::TrackBar1Change() { m_shift->startMoved(); }
// ShiftController::endMoved.
void TForm1::TrackBar2Change() { m_shift->endMoved(); }

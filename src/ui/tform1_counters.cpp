// Day timetable: the limit lists of "Автоподбор" (shown by ArrangeController), the pins of "Не
// перемещать" and the weekly count of the template; the entry points of the missing-teacher
// warning with its panel and of the teacher-hours panel, whose work is done by
// rasp::ui::CountersController (src/ui/day).
#include "tform1.h"

#include "template/templatecontroller.h"

#include "arrange/arrangecontroller.h"
#include "edit/editfunnel.h"
#include "day/callout.h"
#include "day/counters.h"
#include "day/gridgeometry.h"
#include "day/counterscontroller.h"
#include "day/shiftcontroller.h"
#include "day/daygridview.h"
#include "shell/overlaypanel.h"
#include "undo/editcommands.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireDayChecks()
{
    // The warning and both panels: CountersController (the funnel exists by now).
    m_counters = new rasp::ui::CountersController(shellServices(), grid->viewport(), grid->cornerRect(), this);
    connect(m_counters->warning(), &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(m_counters->missingCloseButton(), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(img_SB3, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(m_counters->hoursCloseButton(), &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
}

// ArrangeController::refillMaxLessons (core day::MaxUrVsego).
void TForm1::MaxUrVsego() { m_arrange->refillMaxLessons(); }

// ArrangeController::refillFirstGaps (core day::MaxRepUr).
void TForm1::MaxRepUr() { m_arrange->refillFirstGaps(); }

// ArrangeController::refillFirstGaps.
void TForm1::sComboBox2Change() { m_arrange->refillFirstGaps(); }

// ShiftController::checkDefaultPins.
void TForm1::sCheckListBox1Checked() { m_shift->checkDefaultPins(); }
// ShiftController::applyPins.
void TForm1::CheckList(int ind, int y1, int y2) { m_shift->applyPins(ind, y1, y2); }
// ShiftController::pinToggled.
void TForm1::sCheckListBox1ChangeCheck(QListWidgetItem *item) { m_shift->pinToggled(sCheckListBox1->row(item)); }

// CountersController::checkTeachers.
void TForm1::NetUchit() { m_counters->checkTeachers(); }
// CountersController::glowStep.
void TForm1::Timer4Timer() { m_counters->glowStep(); }
// CountersController::openWarning.
void TForm1::SpeedButton11Click() { m_counters->openWarning(); }
// CountersController::showMissingPanel.
void TForm1::Rct_NetUchit() { m_counters->showMissingPanel(); }
// CountersController::closeMissingPanel.
void TForm1::Button3Click() { m_counters->closeMissingPanel(); }
// CountersController::resetHoursTable.
void TForm1::GapolSG2() { m_counters->resetHoursTable(); }
// CountersController::showTeacherHours.
void TForm1::SpeedButton9Click() { m_counters->showTeacherHours(); }
// CountersController::closeTeacherHours.
void TForm1::SpeedButton8Click() { m_counters->closeTeacherHours(); }

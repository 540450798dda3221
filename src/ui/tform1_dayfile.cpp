// Day timetable: saving and reading day files, the refresh that follows, and the three date
// pickers of the day page. Entry points of rasp::ui::DayFileController (src/ui/day).
#include "tform1.h"
#include "shell/shelltexts.h"

#include "day/counterscontroller.h"
#include "day/dayfilecontroller.h"
#include "day/editingcontroller.h"
#include "day/shiftcontroller.h"

#include <QDateEdit>
#include <QLabel>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::ui::DayFileController;

void TForm1::wireDayFile()
{
    m_dayFile = new DayFileController(shellServices(), grid, {sDateTimePicker1, sDateTimePicker2, sDateTimePicker3}, this);
    connect(m_dayFile, &DayFileController::teachersShown, sLabel7, &QLabel::setText);
    connect(m_dayFile, &DayFileController::dayRefilled, this, [this](bool checkTeachers) {
        MaxUrVsego();
        MaxRepUr();
        if (checkTeachers)
            NetUchit();
    });
    connect(m_dayFile, &DayFileController::splitWanted, this, [this] { VtorayaSmenaBlok(1); });
    connect(m_dayFile, &DayFileController::cellListsClosing, this, [this] { hideCellLists(); });
    connect(m_dayFile, &DayFileController::targetDateChanged, this, [this] {
        TextKnop();
        ServerConekt();
    });
    connect(img_SB11, &QToolButton::clicked, this, &TForm1::sSpeedButton11Click);
    // A date typed into the target-date field changes the date the grid is saved under, so the
    // captions follow it at once, not only when the calendar closes.
    connect(sDateTimePicker3, &QDateEdit::dateChanged, this, [this] { TextKnop(); });
}

// DayFileController::saveDay.
void TForm1::RaspSave(const QString &s, const QString &soob) { m_dayFile->saveDay(s, soob); }
// DayFileController::loadDay.
void TForm1::RaspLoad(const QString &s, int zagruz_kab) { m_dayFile->loadDay(s, zagruz_kab); }

void TForm1::sSpeedButton11Click()
{
    if (dayPageActive())
        m_dayFile->askAndSaveDay();
    else if (templatePageActive() && Dial(rasp::ui::shelltexts::kSaveTemplateQuestion.toString()) == rasp::ui::shelltexts::kYes)
        SetkaSave();
}

// DayFileController::pickerClosed(1).
void TForm1::sDateTimePicker1ClosePicker() { m_dayFile->pickerClosed(1); }
// DayFileController::pickerClosed(2).
void TForm1::sDateTimePicker2ClosePicker() { m_dayFile->pickerClosed(2); }
// DayFileController::pickerClosed(3).
void TForm1::sDateTimePicker3ClosePicker() { m_dayFile->pickerClosed(3); }
// DayFileController::runLater.
void TForm1::ThreadCreate(int n) { m_dayFile->runLater(n); }
// DayFileController::copySavedDay.
void TForm1::sDateTimePicker1ClPicker() { m_dayFile->copySavedDay(); }
// DayFileController::openSavedDay.
void TForm1::sDateTimePicker2ClPicker() { m_dayFile->openSavedDay(); }
// DayFileController::targetDateChosen.
void TForm1::sDateTimePicker3ClPicker() { m_dayFile->targetDateChosen(); }

// Day timetable: the limit lists of "Автоподбор" (shown by ArrangeController), the pins of "Не
// перемещать" and the weekly count of the template; the entry points of the missing-teacher
// warning with its panel and of the teacher-hours panel, whose work is done by
// rasp::ui::CountersController (src/ui/day).
#include "tform1.h"

#include "template/templatecontroller.h"

#include "arrange/arrangecontroller.h"
#include "edit/editfunnel.h"
#include "callout.h"
#include "day/counters.h"
#include "day/gridgeometry.h"
#include "day/counterscontroller.h"
#include "day/daygridview.h"
#include "overlaypanel.h"
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
    connect(sCheckListBox1, &QListWidget::itemChanged, this, &TForm1::sCheckListBox1ChangeCheck);
    // The warning and both panels: CountersController (the funnel exists by now).
    m_counters = new rasp::ui::CountersController(shellServices(), grid->viewport(), grid->cornerRect(), this);
    connect(m_counters->warning(), &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(m_counters->missingCloseButton(), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(img_SB3, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(m_counters->hoursCloseButton(), &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
}

void TForm1::MaxUrVsego()
{
    m_arrange->showMaxLessons(rasp::day::MaxUrVsego(m_state));
}

void TForm1::MaxRepUr()
{
    m_arrange->showFirstGaps(rasp::day::MaxRepUr(m_state, m_arrange->maxLessons()));
}

void TForm1::sComboBox2Change()
{
    MaxRepUr();
}

void TForm1::fillPinList()
{
    rasp::day::FillPinList(m_state);
    const QSignalBlocker quiet(sCheckListBox1);
    sCheckListBox1->clear();
    for (const rasp::day::PinEntry &pin : m_state.pins) {
        auto *item = new QListWidgetItem(pin.text, sCheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

namespace {

// Shows the state's pin checks in the list without the list reporting user changes.
void showPins(QListWidget *list, const std::vector<rasp::day::PinEntry> &pins)
{
    const QSignalBlocker quiet(list);
    for (int n = 0; n < list->count() && n < int(pins.size()); ++n)
        list->item(n)->setCheckState(pins[std::size_t(n)].checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace

void TForm1::sCheckListBox1Checked()
{
    refresh(rasp::RefreshDefaultPins); // core day::CheckDefaultPins
}

void TForm1::CheckList(int ind, int y1, int y2)
{
    const bool unchecked = rasp::day::CheckList(m_state, ind, y1, y2,
                                                [this](const QString &q) { return Dial(q) == u"Да"_s; });
    // Asked inside the window: a question processes events, so no cell is kept across it.
    if (unchecked)
        showPins(sCheckListBox1, m_state.pins);
    refresh(0);
}

void TForm1::sCheckListBox1ChangeCheck(QListWidgetItem *item)
{
    const int n = sCheckListBox1->row(item);
    if (n < 0 || n >= int(m_state.pins.size()))
        return;
    rasp::ui::Edit edit(*m_edits);
    const bool checked = item->checkState() == Qt::Checked;
    m_state.pins[std::size_t(n)].checked = checked;
    if (m_state.chek_pderm == 1)
        CheckList(1, 1, m_state.max_ur);
    edit.record(stepOf<rasp::ui::undo::LockCommand>((checked ? u"закрепление «"_s : u"открепление «"_s)
                                                    + m_state.pins[std::size_t(n)].text + u"»"_s));
}

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

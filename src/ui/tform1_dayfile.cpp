// Day timetable: saving and reading day files, the refresh that follows, and the three date
// pickers of the day page with their hand-off to the user-interface thread.
#include "tform1.h"

#include "messages.h"

#include "absences/daycompanion.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "day/daygridview.h"
#include "popupclosewatcher.h"
#include "reports/journal.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireDayFile()
{
    connect(img_SB11, &QToolButton::clicked, this, &TForm1::sSpeedButton11Click);
    new rasp::ui::PopupCloseWatcher(sDateTimePicker1, [this] { sDateTimePicker1ClosePicker(); });
    new rasp::ui::PopupCloseWatcher(sDateTimePicker2, [this] { sDateTimePicker2ClosePicker(); });
    new rasp::ui::PopupCloseWatcher(sDateTimePicker3, [this] { sDateTimePicker3ClosePicker(); });
    // A date typed into the target-date field changes the date the grid is saved under, so the
    // captions follow it at once, not only when the calendar closes.
    connect(sDateTimePicker3, &QDateEdit::dateChanged, this, [this] { TextKnop(); });
}

void TForm1::RaspSave(const QString &s, const QString &soob)
{
    const QString path = QDir::current().filePath(s);
    if (!mayReplaceChangedFiles({path}, [this, s] { RaspLoad(s, 1); }))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath()); // r_data may have been removed while the editor ran
    QString error;
    const QDate date = rasp::text::ParseShortDate(QFileInfo(s).completeBaseName());
    const int followed = date.isValid() ? rasp::reports::FollowedWeekday(date) : 0; // before the companion is rewritten
    bool saved = rasp::day::RaspSave(m_state, path, &error);
    if (saved)
        saved = rasp::absences::SaveCompanion(m_state, path, &error); // the day's absences and covers
    if (saved)
        grid->clearMovedMarks(); // the marks of an exact arrangement have served
    // Beside the day: its class names and its substituted lessons with the teachers of today.
    if (saved && date.isValid())
        saved = rasp::reports::RecordDay(m_state, date, &error, followed);
    grid->syncEditor();
    grid->viewport()->update();
    Rct_SoobPokaz(saved ? soob : rasp::ui::NotSavedNotice(error));
}

void TForm1::RaspLoad(const QString &s, int zagruz_kab)
{
    RaspClear();
    QString error;
    const auto status = rasp::day::RaspLoad(m_state, QDir::current().filePath(s), zagruz_kab, &error);
    // A date's absences and covers come from its companion file; a template put on the grid keeps
    // the date's absences (its cells were cleared with their covers).
    QString companionError;
    if (status == rasp::text::ReadResult::Unreadable)
        rasp::absences::ClearCompanion(m_state);
    else if (QFileInfo(s).path().endsWith(u"r_data"_s))
        rasp::absences::LoadCompanion(m_state, QDir::current().filePath(s), &companionError);
    if (error.isEmpty())
        error = companionError;
    grid->memo()->setPlainText(m_state.note);
    refreshDay(true);
    VtorayaSmenaBlok(1);
    clearHistory();
    if (status == rasp::text::ReadResult::Unreadable || !error.isEmpty())
        Rct_SoobPokaz(error); // unreadable, or read with characters a save cannot keep
}

void TForm1::refreshDay(bool afterLoad)
{
    refresh(afterLoad ? rasp::refresh::DayRefilled : rasp::refresh::DayRefilled & ~rasp::RefreshSettled);
    MaxUrVsego();
    MaxRepUr();
    if (afterLoad)
        NetUchit();
}

void TForm1::sSpeedButton11Click()
{
    if (dayPageActive()) {
        const QDate d = sDateTimePicker3->date();
        const QString weekday = rasp::text::day2(d);
        if (Dial(u"Сохранить расписание на "_s + weekday + u"?"_s) == u"Да"_s)
            RaspSave(rasp::day::DayFilePath(d), u"Расписание на "_s + weekday + u" успешно сохранено"_s);
    } else if (templatePageActive()) {
        if (Dial(u"Сохранить сетку?"_s) == u"Да"_s)
            SetkaSave();
    }
}

void TForm1::sDateTimePicker1ClosePicker()
{
    if (m_state.vibor_dat == 1)
        ThreadCreate(1);
}

void TForm1::sDateTimePicker2ClosePicker()
{
    if (m_state.vibor_dat == 1)
        ThreadCreate(2);
}

void TForm1::sDateTimePicker3ClosePicker()
{
    if (m_state.vibor_dat == 1)
        ThreadCreate(3);
}

void TForm1::ThreadCreate(int n)
{
    // The date actions only need to run after the picker's close event has finished; a queued
    // call on the user-interface thread gives exactly that without a worker thread.
    QMetaObject::invokeMethod(
        this,
        [this, n] {
            hideCellLists();
            switch (n) {
            case 1:
                sDateTimePicker1ClPicker();
                break;
            case 2:
                sDateTimePicker2ClPicker();
                break;
            case 3:
                sDateTimePicker3ClPicker();
                break;
            default:
                // 4, the move animation, steps on the user-interface timer slideTimer instead.
                break;
            }
        },
        Qt::QueuedConnection);
}

void TForm1::sDateTimePicker1ClPicker()
{
    if (Dial(rasp::ui::kLoseChanges) != u"Да"_s)
        return;
    const QDate d = sDateTimePicker1->date();
    const QString path = rasp::day::DayFilePath(d);
    if (rasp::text::isPresent(QDir::current().filePath(path))) {
        RaspLoad(path, 1);
    } else {
        clearDay();
        m_state.stamps.remember(QDir::current().filePath(path), {}); // another program's new file is asked about
        Rct_SoobPokaz(u"Дико извиняюсь, но расписания "_s + rasp::text::ShortDate(d) + u" не существует"_s);
    }
    focusFirstCell();
}

void TForm1::sDateTimePicker2ClPicker()
{
    if (Dial(rasp::ui::kLoseChanges) != u"Да"_s)
        return;
    const QDate d = sDateTimePicker2->date();
    const QString path = rasp::day::DayFilePath(d);
    if (rasp::text::isPresent(QDir::current().filePath(path))) {
        RaspLoad(path, 1);
    } else {
        clearDay();
        m_state.stamps.remember(QDir::current().filePath(path), {}); // another program's new file is asked about
        Rct_SoobPokaz(u"Это прискорбно, но расписания на "_s + rasp::text::ShortDate(d) + u" не существует"_s);
    }
    sDateTimePicker3->setDate(d);
    TextKnop();
    focusFirstCell();
    ServerConekt();
}

void TForm1::sDateTimePicker3ClPicker()
{
    TextKnop();
    ServerConekt();
}

void TForm1::clearDay()
{
    RaspClear();
    // A day without a file has no note either: the previous day's note must not be saved under it.
    grid->memo()->clear();
    m_state.note.clear();
    refreshDay(true);
    clearHistory();
}

void TForm1::focusFirstCell()
{
    if (m_state.klassvis < 1 || !rasp::day::SubjectVisible(m_state, 1, 1))
        return;
    RamkaKoord(1, 1);
    grid->focusField(1, 1, rasp::day::GridGeometry::Subject, true);
    sLabel7->setText(m_state.grid.cell(1, 1).teachers);
}

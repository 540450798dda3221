#include "day/dayfilecontroller.h"
#include "day/daytexts.h"

#include "absences/daycompanion.h"
#include "day/daygridview.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "edit/editfunnel.h"
#include "shell/messages.h"
#include "widgets/popupclosewatcher.h"
#include "reports/journal.h"
#include "state.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDateEdit>
#include <QDir>
#include <QSignalBlocker>
#include <QFileInfo>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

DayFileController::DayFileController(const Shell &shell, DayGridView *grid, DatePickers pickers, QObject *parent)
    : Controller(shell, parent)
    , m_grid(grid)
    , m_pickers(pickers)
{
    new PopupCloseWatcher(pickers.load, [this] { pickerClosed(1); });
    new PopupCloseWatcher(pickers.edit, [this] { pickerClosed(2); });
    new PopupCloseWatcher(pickers.target, [this] { pickerClosed(3); });
}

void DayFileController::saveDay(const QString &s, const QString &notice)
{
    const QString path = QDir::current().filePath(s);
    if (!mayReplace({path}, [this, s] { loadDay(s, 1); }))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath()); // r_data may have been removed while the editor ran
    QString error;
    const QDate date = text::ParseShortDate(QFileInfo(s).completeBaseName());
    const int followed = date.isValid() ? reports::FollowedWeekday(date) : 0; // before the companion is rewritten
    bool saved = false;
    // Saving changes no lesson; it keeps the stamps of the files it wrote.
    edits().keepFacts([&](State &s) {
        saved = day::RaspSave(s, path, &error) && absences::SaveCompanion(s, path, &error); // with absences and covers
    });
    if (saved)
        m_grid->clearMovedMarks(); // the marks of an exact arrangement have served
    // Beside the day: its class names and its substituted lessons with the teachers of today.
    if (saved && date.isValid())
        saved = reports::RecordDay(state(), date, &error, followed);
    m_grid->syncEditor();
    m_grid->viewport()->update();
    notify(saved ? notice : NotSavedNotice(error));
}

void DayFileController::loadDay(const QString &s, int zagruz_kab)
{
    clearGrid();
    QString error;
    text::ReadResult::Status status;
    {
        Edit edit(edits());
        status = day::RaspLoad(edit.state(), QDir::current().filePath(s), zagruz_kab, &error);
        // A date's absences and covers come from its companion file; a template put on the grid
        // keeps the date's absences (its cells were cleared with their covers).
        QString companionError;
        if (status == text::ReadResult::Unreadable)
            absences::ClearCompanion(edit.state());
        else if (QFileInfo(s).path().endsWith(u"r_data"_s))
            absences::LoadCompanion(edit.state(), QDir::current().filePath(s), &companionError);
        if (error.isEmpty())
            error = companionError;
    }
    m_grid->memo()->setPlainText(state().note);
    refreshDay(true);
    emit splitWanted();
    edits().clearHistory();
    if (status == text::ReadResult::Unreadable || !error.isEmpty())
        notify(error); // unreadable, or read with characters a save cannot keep
}

void DayFileController::refreshDay(bool afterLoad)
{
    edits().refresh(afterLoad ? refresh::DayRefilled : refresh::DayRefilled & ~RefreshSettled);
    emit dayRefilled(afterLoad);
}

void DayFileController::askAndSaveDay()
{
    const QDate d = m_pickers.target->date();
    const QString weekday = text::day2(d);
    if (ask(daytexts::kSaveDayQuestion.toString().arg(weekday)))
        saveDay(day::DayFilePath(d), daytexts::kDaySaved.toString().arg(weekday));
}

void DayFileController::clearGrid()
{
    emit teachersShown({});
    {
        Edit edit(edits());
        day::RaspClear(edit.state());
    }
    emit splitWanted();
}

void DayFileController::openTargetDay()
{
    const QString relative = day::DayFilePath(m_pickers.target->date());
    const QString path = QDir::current().filePath(relative);
    if (text::isPresent(path)) {
        loadDay(relative, 1);
        return;
    }
    clearDay();
    edits().keepFacts([&path](State &s) { s.stamps.remember(path, {}); });
}

void DayFileController::fillFromTemplate(const QString &path)
{
    if (path.isEmpty())
        clearDay();
    else
        loadDay(path, state().settings.roomsFromTemplate ? 1 : 0);
}

void DayFileController::clearDay()
{
    clearGrid();
    // A day without a file has no note either: the previous day's note must not be saved under it.
    m_grid->memo()->clear();
    {
        Edit edit(edits());
        edit.state().note.clear();
    }
    refreshDay(true);
    edits().clearHistory();
}

void DayFileController::showNote()
{
    const QSignalBlocker quiet(m_grid->memo());
    m_grid->memo()->setPlainText(state().note);
}

void DayFileController::focusFirstCell()
{
    if (state().klassvis < 1 || !day::SubjectVisible(state(), 1, 1))
        return;
    edits().moveFrame(1, 1);
    m_grid->focusField(1, 1, day::GridGeometry::Subject, false);
    m_grid->viewport()->update();
    m_grid->focusField(1, 1, day::GridGeometry::Subject, true);
    emit teachersShown(state().grid.cell(1, 1).teachers);
}

void DayFileController::pickerClosed(int n)
{
    if (state().vibor_dat == 1)
        runLater(n);
}

void DayFileController::runLater(int n)
{
    // The date actions only need to run after the picker's close event has finished; a queued
    // call on the user-interface thread gives exactly that without a worker thread.
    QMetaObject::invokeMethod(
        this,
        [this, n] {
            emit cellListsClosing();
            switch (n) {
            case 1:
                copySavedDay();
                break;
            case 2:
                openSavedDay();
                break;
            case 3:
                targetDateChosen();
                break;
            default:
                // 4, the move animation, steps on the user-interface timer of EditingController instead.
                break;
            }
        },
        Qt::QueuedConnection);
}

bool DayFileController::openDayOf(QDate d, const QString &missing)
{
    if (!ask(kLoseChanges))
        return false;
    const QString path = day::DayFilePath(d);
    if (text::isPresent(QDir::current().filePath(path))) {
        loadDay(path, 1);
    } else {
        clearDay();
        {
            Edit edit(edits());
            edit.state().stamps.remember(QDir::current().filePath(path), {}); // another program's new file is asked about
        }
        notify(missing.arg(text::ShortDate(d)));
    }
    return true;
}

void DayFileController::copySavedDay()
{
    if (openDayOf(m_pickers.load->date(), daytexts::kNoDayToCopy.toString()))
        focusFirstCell();
}

void DayFileController::openSavedDay()
{
    const QDate d = m_pickers.edit->date();
    if (!openDayOf(d, daytexts::kNoDayToOpen.toString()))
        return;
    m_pickers.target->setDate(d);
    focusFirstCell();
    emit targetDateChanged();
}

void DayFileController::targetDateChosen()
{
    emit targetDateChanged();
}

} // namespace rasp::ui

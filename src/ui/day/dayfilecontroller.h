#pragma once

#include "shell/controller.h"

#include <QDate>
#include <QString>

class QDateEdit;

namespace rasp::ui {

class DayGridView;

// The three date pickers of the day page: "Загрузить расписание за", "Редактировать расписание
// на" and the target date "Будет создано расписание на". The shell lays them out in its bars.
struct DatePickers {
    QDateEdit *load = nullptr;   // sDateTimePicker1
    QDateEdit *edit = nullptr;   // sDateTimePicker2
    QDateEdit *target = nullptr; // sDateTimePicker3
};

// The day's file: saving the grid under a date with its companions, reading a saved day onto the
// grid with the refresh that follows, emptying the grid, and the date pickers' actions, each run
// once the picker's own close event is done.
class DayFileController : public Controller
{
    Q_OBJECT
public:
    DayFileController(const Shell &shell, DayGridView *grid, DatePickers pickers, QObject *parent);

    // RaspSave: writes the grid to the day file at the relative path s (with the day's absences,
    // class names and substituted lessons beside it), then shows the notice `notice`.
    void saveDay(const QString &s, const QString &notice);
    // RaspLoad: reads the day file at the relative path s into the grid (rooms and note only with
    // zagruz_kab = 1) and recomputes everything derived from it.
    void loadDay(const QString &s, int zagruz_kab);
    // refreshDay: the refresh after the grid's content was replaced; afterLoad adds the checks
    // that follow loading or filling a whole day.
    void refreshDay(bool afterLoad);
    // The day branch of the save action: asks, then saves under the target date.
    void askAndSaveDay();
    // RaspClear: empties the day on the grid, unlocks and unfreezes everything.
    void clearGrid();
    // The target date's day on the grid: its file with rooms and note, or an empty day (whose file,
    // when another program creates one meanwhile, is asked about before a save replaces it).
    void openTargetDay();
    // The day becomes the template file at the relative path (rooms as the settings say); an
    // empty path empties the day.
    void fillFromTemplate(const QString &path);
    // clearDay: empties the grid and the note for a date that has no day file.
    void clearDay();
    // The note box shows the state's note (after an undone or redone step changed it).
    void showNote();
    // focusFirstCell: keyboard focus, frame and teacher caption on cell (1, 1).
    void focusFirstCell();
    // sDateTimePicker1ClosePicker … 3: a calendar closed; its action runs once the event is done.
    void pickerClosed(int n);
    // ThreadCreate: runs date action n (1..3) on the user-interface thread after the current event.
    void runLater(int n);
    // sDateTimePicker1ClPicker: copies the saved day of picker 1 onto the grid; the target date stays.
    void copySavedDay();
    // sDateTimePicker2ClPicker: opens the saved day of picker 2 and makes its date the target date.
    void openSavedDay();
    // sDateTimePicker3ClPicker: the target date changed.
    void targetDateChosen();

signals:
    // The teacher caption shows a cell's teacher list (empty: cleared).
    void teachersShown(const QString &teachers);
    // The lessons of the day changed as a whole: the limit lists follow; `checkTeachers` adds
    // the missing-teacher check.
    void dayRefilled(bool checkTeachers);
    // The second shift's locks are put back (VtorayaSmenaBlok(1)).
    void splitWanted();
    // A date action starts: the lists anchored to a cell close.
    void cellListsClosing();
    // The target date changed: the captions follow and the server is asked for the day's notes.
    void targetDateChanged();

private:
    // After the question about losing changes, puts the saved day of `d` on the grid, or an empty
    // day with the notice `missing` (its %1 the date) when there is none. False when declined.
    bool openDayOf(QDate d, const QString &missing);

    DayGridView *m_grid = nullptr;
    DatePickers m_pickers;
};

} // namespace rasp::ui

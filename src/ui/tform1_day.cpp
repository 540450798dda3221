// Day timetable: the grid's columns, clearing and the selection frame.
#include "tform1.h"

#include "day/dayfilecontroller.h"

#include "day/gridops.h"
#include "day/daygridview.h"

#include <QLabel>

void TForm1::KlassCreate()
{
    {
        rasp::ui::Edit edit(*m_edits); // a grid of another shape: no step
        rasp::day::KlassCreate(edit.state());
    }
    // The load page paints the new column from the model; "Добавить класс" refreshes it.
    grid->gridChanged();
    m_edits->clearHistory(); // the steps recorded so far belong to a grid of fewer classes
}

// DayFileController::clearGrid.
void TForm1::RaspClear() { m_dayFile->clearGrid(); }

void TForm1::RamkaKoord(int row, int column)
{
    m_edits->moveFrame(row, column); // core day::RamkaKoord
    if (row >= 1 && column >= 1)
        grid->focusField(row, column, rasp::day::GridGeometry::Subject, false);
    grid->viewport()->update();
}

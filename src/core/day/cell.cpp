#include "cell.h"

namespace rasp::day {

void LockCell(Cell &cell)
{
    cell.style = kStyleLocked;
    cell.caption = cell.subject;
}

void UnlockCell(Cell &cell)
{
    cell.style = kStyleFree;
}

} // namespace rasp::day

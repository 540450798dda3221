#include "daygrid.h"

namespace rasp::day {

void DayGrid::setLastRow(int lastRow)
{
    m_lastRow = lastRow;
    m_columns = 0;
    m_cells.clear();
    m_cells.reserve(qsizetype(lastRow + 1) * (kMaxClasses + 1));
    m_frozen.fill(false);
}

int DayGrid::appendColumn()
{
    m_cells.resize(m_cells.size() + m_lastRow + 1);
    return m_columns++;
}

void DayGrid::removeColumn(int column)
{
    const auto first = m_cells.begin() + index(0, column);
    m_cells.erase(first, first + m_lastRow + 1);
    --m_columns;
}

QString DayGrid::snegHint(int row) const
{
    return m_frozen[row] ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace rasp::day

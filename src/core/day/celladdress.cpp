#include "celladdress.h"

namespace rasp::day {

QString CellHint(int row, int column)
{
    return QString::number(row) + QLatin1Char(';') + QString::number(column);
}

bool ParseCellHint(QStringView hint, int *row, int *column)
{
    const qsizetype sep = hint.indexOf(QLatin1Char(';'));
    if (sep < 0)
        return false;
    bool okRow = false, okColumn = false;
    const int r = hint.first(sep).toInt(&okRow);
    const int c = hint.sliced(sep + 1).toInt(&okColumn);
    if (!okRow || !okColumn)
        return false;
    *row = r;
    *column = c;
    return true;
}

} // namespace rasp::day

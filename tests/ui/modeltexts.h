#pragma once

// The texts a table view shows, for comparing whole tables in the window tests.
#include <QAbstractItemModel>
#include <QStringList>

namespace modeltexts {

// The model's texts row by row, cells joined by "|".
inline QStringList rows(const QAbstractItemModel *m)
{
    QStringList rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace modeltexts

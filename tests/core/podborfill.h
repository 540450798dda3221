#pragma once

// Small days for the arrangement tests: the run's options and a snapshot's working copy filled
// from rows of text.
#include "arrange/analysis.h"
#include "day/cell.h"

#include <QStringList>

namespace podborfill {

using namespace Qt::Literals::StringLiterals;

// The options of a run over these classes and rows.
inline rasp::arrange::Options options(int classes, int rows, int R, int P = 0)
{
    rasp::arrange::Options o;
    o.max_ur = rows;
    o.klassvis = classes;
    o.R = R;
    o.P = P;
    return o;
}

// Fills a snapshot's working copy from rows of cells separated by "|": "Subject:Teachers", an
// empty text for an empty cell, and a leading "!" for a locked cell.
inline void fill(rasp::arrange::TPodbor &p, const QStringList &rows)
{
    for (int i = 1; i <= rows.size(); ++i) {
        const QStringList cells = rows.at(i - 1).split(u'|');
        for (int j = 1; j <= cells.size(); ++j) {
            QString text = cells.at(j - 1);
            const bool locked = text.startsWith(u'!');
            if (locked)
                text.remove(0, 1);
            const qsizetype colon = text.indexOf(u':');
            p.itog_ur[i][j] = colon < 0 ? text : text.left(colon);
            p.itog_uch[i][j] = colon < 0 ? QString() : text.mid(colon + 1);
            p.itog_kab[i][j] = p.itog_ur[i][j].isEmpty() ? QString() : u"к"_s + p.itog_ur[i][j];
            p.itog_styl[i][j] = locked ? rasp::day::kStyleLocked : rasp::day::kStyleFree;
        }
    }
}

} // namespace podborfill

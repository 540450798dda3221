#pragma once

// A small school for the export tests: four classes and eight lesson rows. With the second shift
// in force (vt_sm_x = 2, vt_sm_y = 4) 5А and 5Б are the first shift (rows 1..4) and 6А and 6Б
// the second (rows 5..8, shown as lessons 1..4).
#include "day/cell.h"
#include "day/gridops.h"
#include "state.h"

#include <QDate>

namespace exportschool {

using namespace Qt::Literals::StringLiterals;

inline const QDate kDate(2026, 12, 9); // a Wednesday
inline const QString kTitle = u"Среда 9 декабря 2026 года"_s;

inline void put(rasp::State &s, int row, int column, const QString &subject, const QString &room = {})
{
    s.grid.cell(row, column).subject = subject;
    s.grid.cell(row, column).room = room;
}

// Fills classes 1..4 of a state that has them: class names, the day and the template.
//   5А: 1 Алгебра/12, 2 Физика/14, 3 Химия      5Б: 1 Англ/21, 4 Лит
//   6А: 5 Биол/31, 6 Геогр                      6Б: 5 Физ-ра, 7 ИЗО (locked)
// Template: Monday 5А 1 Мат, 2 Рус and 6Б 6 Физ; Wednesday 5Б 1 Хим; other weekdays empty.
inline void fill(rasp::State &s)
{
    const QString names[] = {u"5А"_s, u"5Б"_s, u"6А"_s, u"6Б"_s};
    for (int i = 1; i <= 4; ++i)
        s.grid.cell(0, i).subject = names[i - 1];
    put(s, 1, 1, u"Алгебра"_s, u"12"_s);
    put(s, 2, 1, u"Физика"_s, u"14"_s);
    put(s, 3, 1, u"Химия"_s);
    put(s, 1, 2, u"Англ"_s, u"21"_s);
    put(s, 4, 2, u"Лит"_s);
    put(s, 5, 3, u"Биол"_s, u"31"_s);
    put(s, 6, 3, u"Геогр"_s);
    put(s, 5, 4, u"Физ-ра"_s);
    put(s, 7, 4, u"ИЗО"_s);
    rasp::day::LockCell(s.grid.cell(7, 4));
    s.note = u"Дежурный — 5А\nЛинейка в 8:00"_s;
    for (auto &day : s.Setka)
        day.resize(s.max_ur, 5);
    s.Setka[1].SetkaMasUr[1][1] = u"Мат"_s;
    s.Setka[1].SetkaMasUr[2][1] = u"Рус"_s;
    s.Setka[1].SetkaMasUr[6][4] = u"Физ"_s;
    s.Setka[3].SetkaMasUr[1][2] = u"Хим"_s;
    s.Setka[3].SetkaMasKab[1][2] = u"40"_s; // template rooms are never exported
}

enum class Mode { Single,
                  OneTable,
                  TwoTables };

inline void setMode(rasp::State &s, Mode mode, bool classesInRow)
{
    s.settings.classesInRow = classesInRow;
    s.settings.secondShift = mode != Mode::Single;
    s.settings.twoTables = mode == Mode::TwoTables;
    s.vt_sm_x = 2;
    s.vt_sm_y = 4;
}

// The school with its placeholders, four class columns and the lessons of fill().
inline rasp::State school()
{
    rasp::State s;
    s.max_ur = 8;
    rasp::BuildPlaceholders(s);
    for (int i = 0; i < 4; ++i)
        rasp::day::KlassCreate(s);
    fill(s);
    return s;
}

} // namespace exportschool

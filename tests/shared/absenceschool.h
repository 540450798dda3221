#pragma once

// A small school for the absence and cover tests: four classes, ten teachers (two of them one
// group), a day of four rows, and helpers to build it and mark a teacher away.
#include "day/poiskuchit.h"
#include "load/nagruzfile.h"
#include "state.h"

#include <QStringList>

namespace absenceschool {

using namespace Qt::Literals::StringLiterals;

// Иванова teaches Алгебра in 7А and 7Б; Орлов and Белова teach Англ in 7А as two groups;
// Лебедева and Кузнецова have no lesson on the day.
inline const QStringList kLoad = {
    u"7А|7Б|8А|8Б|"_s,
    u"Иванова|Алгебра;|Алгебра;|||"_s,
    u"Смирнова|||Алгебра;||"_s,
    u"Петров|Физика;||Физика;||"_s,
    u"Козлова||Русский;||Русский;|"_s,
    u"Орлов|Англ;||||"_s,
    u"Белова|Англ;||||"_s,
    u"Зайцев||Физика;|||"_s,
    u"Новиков|||ИЗО;||"_s,
    u"Лебедева||ИЗО;|||"_s,
    u"Соколов||Химия;||Химия;|"_s,
    u"Кузнецова||||Алгебра;|"_s,
    u"~end~"_s,
};

// Rows of the day, classes 7А|7Б|8А|8Б.
inline const QStringList kDay = {
    u"Алгебра|Русский|Физика|Химия"_s,
    u"Англ|Алгебра|Алгебра|Русский"_s,
    u"Алгебра|Физика|ИЗО|Химия"_s,
    u"Физика|Химия|Алгебра|"_s,
};

// A school from load lines and day rows, teachers resolved.
inline rasp::State school(const QStringList &load = kLoad, const QStringList &rows = kDay, int maxUr = 6)
{
    rasp::State s;
    s.max_ur = maxUr;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    rasp::load::NagruzReport report;
    rasp::load::NagruzLoadLines(s, load, 1, report);
    for (int i = 1; i <= rows.size(); ++i) {
        const QStringList subjects = rows.at(i - 1).split(u'|');
        for (int j = 1; j <= s.klassvis && j <= subjects.size(); ++j)
            s.grid.cell(i, j).subject = subjects.at(j - 1);
    }
    rasp::day::PoiskUchit(s, QString());
    return s;
}

} // namespace absenceschool

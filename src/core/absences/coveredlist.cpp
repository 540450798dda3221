#include "coveredlist.h"

#include "companion.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

QStringList CoveredTeachers(const QStringList &loadTeachers, const day::Cover &cover)
{
    if (cover.empty())
        return loadTeachers;
    if (loadTeachers.isEmpty())
        return {cover.teacher};
    QStringList names = loadTeachers;
    const qsizetype at = names.indexOf(cover.absent);
    if (at < 0)
        return names;
    if (cover.kind == kKindMerge || names.contains(cover.teacher)) {
        names.removeAt(at);
        if (!names.contains(cover.teacher))
            names.insert(at, cover.teacher);
    } else {
        names[at] = cover.teacher;
    }
    return names;
}

bool ListNames(QStringView list, QStringView teacher)
{
    if (teacher.isEmpty())
        return false;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = list.indexOf(teacher, from);
        if (at < 0)
            return false;
        const qsizetype end = at + teacher.size();
        const bool startsName = at == 0 || (at >= 2 && list.sliced(at - 2, 2) == u", ");
        const bool endsName = end == list.size() || list.sliced(end).startsWith(u", ");
        if (startsName && endsName)
            return true;
        from = at + 1;
    }
}

QStringList ListTeachers(const QString &list)
{
    if (list.isEmpty())
        return {};
    return list.split(u", "_s);
}

} // namespace rasp::absences

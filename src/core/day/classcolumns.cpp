#include "day/classcolumns.h"

#include "state.h"

#include <QHash>

#include <algorithm>

#include <deque>

using namespace Qt::Literals::StringLiterals;

namespace rasp::day {

ColumnMap MapColumns(const std::optional<QStringList> &fileNames, const State &state)
{
    ColumnMap map;
    if (!fileNames)
        return map;
    const int columns = std::min(state.klassvis, int(state.Klass.size()) - 1);
    bool same = fileNames->size() == columns;
    for (int j = 1; same && j <= columns; ++j)
        same = fileNames->at(j - 1) == state.Klass[std::size_t(j)];
    if (same)
        return map;

    map.byPosition = false;
    QHash<QString, std::deque<int>> loadColumns; // name -> its load columns not yet taken
    for (int j = 1; j <= columns; ++j)
        loadColumns[state.Klass[std::size_t(j)]].push_back(j);
    std::vector<bool> taken(std::size_t(columns + 1), false);
    map.toLoad.assign(std::size_t(fileNames->size() + 1), 0);
    for (qsizetype k = 0; k < fileNames->size(); ++k) {
        auto it = loadColumns.find(fileNames->at(k));
        if (it == loadColumns.end() || it->empty()) {
            map.gone << fileNames->at(k);
            map.goneColumns.push_back(int(k + 1));
            continue;
        }
        const int j = it->front();
        it->pop_front();
        map.toLoad[std::size_t(k + 1)] = j;
        taken[std::size_t(j)] = true;
    }
    for (int j = 1; j <= columns; ++j)
        if (!taken[std::size_t(j)])
            map.missing << state.Klass[std::size_t(j)];
    return map;
}

namespace {

bool isLesson(const QString &subject)
{
    return std::any_of(subject.cbegin(), subject.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

} // namespace

QStringList GoneWithLessons(const ColumnMap &map, const QStringList &lines, int rows)
{
    if (map.gone.isEmpty())
        return {};
    std::vector<bool> withLesson(map.toLoad.size(), false);
    ReadDayFileFields(
        lines, rows, int(map.toLoad.size()) - 1,
        [&withLesson](int, int j, QString text) {
            if (j >= 1 && isLesson(text))
                withLesson[std::size_t(j)] = true;
        },
        {});
    QStringList out;
    for (std::size_t n = 0; n < map.goneColumns.size(); ++n)
        if (withLesson[std::size_t(map.goneColumns[n])])
            out << map.gone.at(qsizetype(n));
    return out;
}

bool HoldsLessons(const QStringList &lines, int rows, int columns)
{
    bool any = false;
    ReadDayFileFields(
        lines, rows, columns,
        [&any](int, int j, QString text) {
            if (j >= 1 && !any && isLesson(text))
                any = true;
        },
        {});
    return any;
}

QStringList ColumnNotices(const ColumnMap &map, const QStringList &lines, int rows, const QString &where)
{
    QStringList out;
    if (map.byPosition)
        return out;
    for (const QString &name : GoneWithLessons(map, lines, rows))
        out << u"Класс %1 удалён из нагрузки: его уроки %2 не учтены"_s.arg(name, where);
    if (HoldsLessons(lines, rows, int(map.toLoad.size()) - 1))
        for (const QString &name : map.missing)
            out << u"Класс %1: нет %2"_s.arg(name, where);
    return out;
}

void ClassNotices::add(const ColumnMap &map, const QStringList &lines, int rows, const QString &place)
{
    if (map.byPosition)
        return;
    for (const QString &name : GoneWithLessons(map, lines, rows))
        m_gone[name] << place;
    if (HoldsLessons(lines, rows, int(map.toLoad.size()) - 1))
        for (const QString &name : map.missing)
            m_missing[name] << place;
}

QStringList ClassNotices::notices(const std::function<QString(const QStringList &places)> &where) const
{
    QStringList out;
    for (const auto &[name, places] : m_gone)
        out << u"Класс %1 удалён из нагрузки: его уроки %2 не учтены"_s.arg(name, where(places));
    for (const auto &[name, places] : m_missing)
        out << u"Класс %1: нет %2"_s.arg(name, where(places));
    return out;
}

void ReadMappedFields(const QStringList &lines, int rows, int columns, const ColumnMap &map, const CellSink &subject,
                      const CellSink &room)
{
    if (map.byPosition) {
        ReadDayFileFields(lines, rows, columns, subject, room);
        return;
    }
    const int fileColumns = int(map.toLoad.size()) - 1;
    const auto mapped = [&map](const CellSink &sink) -> CellSink {
        if (!sink)
            return {};
        return [&map, &sink](int i, int j, QString text) {
            if (j == 0)
                sink(i, 0, std::move(text));
            else if (const int to = map.toLoad[std::size_t(j)]; to > 0)
                sink(i, to, std::move(text));
        };
    };
    ReadDayFileFields(lines, rows, fileColumns, mapped(subject), mapped(room));
}

} // namespace rasp::day

#pragma once

#include "day/dayfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {

// How the columns of a saved day or template file meet the classes of the load. A file whose
// recorded class names agree with the load (or that records none) is read by position, as it
// always was; otherwise each file column goes to the load's class of the same name (the k-th
// class of a name to the k-th of that name).
struct ColumnMap {
    bool byPosition = true;
    std::vector<int> toLoad;      // file column 1..n -> load column, 0 when the class is gone; [0] unused
    QStringList gone;             // classes of the file the load no longer has, in file order
    std::vector<int> goneColumns; // their file columns
    QStringList missing;          // classes of the load the file does not hold, in load order
};

// The map of a file with the recorded class names `fileNames` (nothing: none recorded) onto the
// classes 1..klassvis of the load.
ColumnMap MapColumns(const std::optional<QStringList> &fileNames, const State &state);

// The notices of a map for the file `lines` (rows lesson rows), each class named once: "Класс 6Б
// удалён из нагрузки: его уроки <where> не учтены" for a gone class that had lessons there and
// "Класс 8В: нет <where>" for a class the file lacks (when the file holds any lesson); where is
// e.g. "в сетке понедельника".
QStringList ColumnNotices(const ColumnMap &map, const QStringList &lines, int rows, const QString &where);

// The classes gone from the load whose file column holds a lesson (a subject with a letter or a
// digit) in the subject lines of `lines` (rows of them).
QStringList GoneWithLessons(const ColumnMap &map, const QStringList &lines, int rows);

// Whether the subject lines of a day-file layout hold any lesson in columns 1..columns.
bool HoldsLessons(const QStringList &lines, int rows, int columns);

// Reads the subject and room fields of a day-file layout like ReadDayFileFields with `columns`
// classes, handing each field to the load column the map gives (column 0 as it stands); fields of
// a class that is gone are dropped, and a class the file does not hold gets nothing.
void ReadMappedFields(const QStringList &lines, int rows, int columns, const ColumnMap &map, const CellSink &subject,
                      const CellSink &room);

// The class notices of many files read through maps, each class named once with every file it
// concerns: "Класс 6Б удалён из нагрузки: его уроки <where> не учтены", "Класс 8В: нет <where>",
// where `where` words the list of places (e.g. "в сетках понедельника, среды").
class ClassNotices
{
public:
    // Notes the classes of `map` that are gone with lessons in `lines`, or that the file lacks
    // while it holds lessons, as concerning `place`.
    void add(const ColumnMap &map, const QStringList &lines, int rows, const QString &place);

    // The notices, gone classes first, each group in name order.
    QStringList notices(const std::function<QString(const QStringList &places)> &where) const;

private:
    std::map<QString, QStringList> m_gone, m_missing;
};

} // namespace rasp::day

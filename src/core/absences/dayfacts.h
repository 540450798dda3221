#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::absences {

// A lesson left without its teacher: the absent teacher is named in its teacher list in a row of
// the absence, and the lesson has no cover yet.
struct OpenLesson {
    int row = 0;
    int column = 0;
    QString className;
    QString subject;
    QString teachers; // the lesson's teacher list, the absent teacher among them
    QString absent;
};

// What the cover of a day needs to know about the day as it stands, worked out once: the open
// lessons, who is away when, who teaches where, and who is free in a row by the rule the grid
// colours clashes by. Teachers are numbered in name order (ties of equal names: the first row).
class DayFacts
{
public:
    explicit DayFacts(const State &state);

    const State &state() const { return m_state; }
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    const std::vector<OpenLesson> &openLessons() const { return m_open; }

    // Teachers of the load, by name order.
    int teacherCount() const { return int(m_names.size()); }
    const QString &name(int t) const { return m_names[std::size_t(t)]; }
    // The number of a teacher name, or -1.
    int teacherNamed(const QString &name) const { return m_byName.value(name, -1); }

    // Whether a teacher is away in a row.
    bool absentAt(const QString &name, int row) const;
    // Whether a teacher name clashes, by the grid's rule, with the teacher list of any lesson of
    // `row` other than those of the columns given (a clash is either list naming the other's part).
    bool busyAt(QStringView name, int row, int exceptColumn, int exceptColumn2 = 0) const;
    // Rows (bit i for row i) in which a lesson's teacher list names the teacher.
    quint32 ownRows(const QString &name) const { return m_ownRows.value(name, 0); }
    // Covers the grid already holds, per covering teacher.
    int coversToday(const QString &name) const { return m_coversToday.value(name, 0); }

    // Whether the teacher teaches `subject` in some class (the load's subject index).
    bool teachesSubject(const QString &name, const QString &subject) const;
    // Whether the teacher has any subject in the class of `column`.
    bool teachesClass(const QString &name, int column) const;
    // The teachers the load gives `subject` in the class of `column`, in the order resolution uses.
    QStringList subjectTeachers(const QString &subject, int column) const;
    // The subjects the load gives the class of `column` (each once, in list order).
    QStringList classSubjects(int column) const;

    // The rows of the class's lessons (a non-empty subject), in order.
    std::vector<int> lessonRows(int column) const;

private:
    struct ListOfCell {
        QStringView list;
        QStringView first; // empty without ", "
        QStringView rest;
        quint64 listMask = 0;
        quint64 firstMask = 0;
        quint64 restMask = 0;
    };
    const ListOfCell &cellList(int row, int column) const
    {
        return m_lists[std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1)];
    }

    const State &m_state;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_names;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_loadRow; // name -> first teacher row of the load
    QHash<QString, quint32> m_ownRows;
    QHash<QString, quint32> m_absentRows;
    QHash<QString, int> m_coversToday;
    std::vector<ListOfCell> m_lists; // row-major
    std::vector<OpenLesson> m_open;
};

// A 64-bit mask of the characters of a text: one text can hold another only if its mask holds
// the other's.
quint64 CharMask(QStringView text);

// Whether two teacher lists clash by the grid's rule: the first teacher or the rest of either list
// occurs in the other.
bool ListsClash(QStringView a, QStringView b);

} // namespace rasp::absences

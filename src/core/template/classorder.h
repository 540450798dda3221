#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace rasp {
struct State;
}

namespace rasp::tmpl {

// The section of a companion file (read and written by the absences' companion reader and
// writer, as one of the sections it keeps) that lists the class names of its day or template file in
// column order, one name a line. Day and template files hold no class names, so without it a
// class deleted from the middle of the load shifts every saved file by one column.
inline const QString kClassesSection = QStringLiteral("[Классы]");

// Relative path of the companion of template file k (1 = Monday): setka/<weekday word>.zam.
QString SetkaCompanionPath(int k);

// The class order recorded for a template: the names, or nothing (no companion, or one without
// the section); `error` (Russian) when the companion exists but cannot be read.
struct ClassOrderRead {
    std::optional<QStringList> names;
    QString error;
};

// Reads the class order of template k from its companion in the work folder.
ClassOrderRead ReadSetkaClassOrder(const QDir &work, int k);

// Writes the companion of template k whole (Windows-1251, CR LF) with the class names in column
// order. False with a Russian message when it cannot be written.
bool WriteSetkaClassOrder(const QDir &work, int k, const QStringList &names, QString *error = nullptr);

// The class names of the load in column order (columns 1..klassvis).
template<typename KlassVector>
QStringList LoadClassOrder(const KlassVector &klass, int klassvis)
{
    QStringList names;
    for (int j = 1; j <= klassvis && j < int(klass.size()); ++j)
        names << klass[std::size_t(j)];
    return names;
}

// The weekdays (lower-case words, Monday first) whose saved template file holds a lesson of class
// j of the load, its column found through the names recorded beside the file (by position when
// none are).
QStringList TemplatesHoldingClass(const State &state, const QDir &work, int j);

// The question before deleting a class: "Удалить класс?", and when saved templates hold its
// lessons, which ones and that they will not count them.
QString DeleteClassQuestion(const QString &className, const QStringList &holdingWeekdays);

// Records the load's class order beside every saved template file that has none yet. Such a file
// is read by position, that is in the load's present order; once recorded, deleting a class from
// the middle of the load no longer shifts the file's later classes onto their neighbours.
// Returns one Russian message per companion that could not be written.
QStringList RecordMissingClassOrders(const State &state, const QDir &work);

// The genitive weekday word for 1 = Monday ... 7 = Sunday ("понедельника", "среды", ...).
QString WeekdayGenitive(int k);

// Where in the templates, for a class notice: "в сетке понедельника", "в сетках понедельника, среды".
QString WhereInTemplates(const QStringList &weekdaysGenitive);

} // namespace rasp::tmpl

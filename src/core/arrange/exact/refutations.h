#pragma once

#include <QString>
#include <QStringList>

namespace rasp::arrange::exact {

class DayModel;

// The number with the form of "урок" that agrees with it: "1 урок", "3 урока", "11 уроков".
QString LessonsText(int n);
// The number with the form of "ряд" that agrees with it: "1 ряд", "3 ряда", "7 рядов".
QString RowsText(int n);

// Names joined as Russian lists them: "А", "А и Б", "А, Б и В".
QString NamesText(const QStringList &names);
// Where the lessons are: "в классе 6А" for one class, "в классах 6А и 6Б" for more.
QString InClassesText(const QStringList &classNames);
// The possessive for a teacher's name: "её" when a word of it ends as a woman's patronymic
// ("Петровна", "Ильинична", "кызы"), "его" when as a man's ("Петрович", "оглы"), "его/её" when the
// name has no patronymic (initials only) to tell by.
QString PossessiveOf(const QString &teacher);

// Cheap exact proofs that no clash-free arrangement exists, tried before any search: a class
// without lessons, a class whose lessons do not fit rows 1..R or cannot form a run that starts in
// time between its locked cells, two locked lessons that clash, a teacher with more lessons than
// rows 1..R, and a teacher whose lessons cannot all get different rows within the reach of their
// classes' runs (a matching of lessons to rows per teacher). Returns the reason in Russian, naming
// the class or teacher and the numbers; empty when none of them applies.
QString Refute(const DayModel &model);

} // namespace rasp::arrange::exact

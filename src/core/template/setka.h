#pragma once

#include <QString>
#include <QStringList>

namespace rasp {
struct State;
}

namespace rasp::tmpl {

// Relative path of the template file of weekday k (1 = Monday): setka/<weekday word>.ini.
QString SetkaPath(int k);

// Clamps a weekday number into 1..7, the range of Setka.
int WeekdayIndex(int k);

// Reads the seven template files of the work folder into Setka, each sized rows 0..max_ur by
// klassvis_mas columns and read with the day-file reader: by position, or, when the class names
// recorded beside the file (setka/<weekday>.zam) differ from the load's, by class name, with a
// notice for each class gone from the load or missing from the file. A missing file leaves its
// weekday empty; a file that cannot be read leaves it empty too, is marked (readError) so a save
// does not overwrite it, and its Russian message is returned.
QStringList SetkaLoad(State &state, const QString &workFolder);

// Copies the subjects and rooms of the grid's lesson cells (rows 1..max_ur, classes 1..klassvis)
// into template day den exactly as they stand; column 0 is not copied.
void SetkaFromGrid(State &state, int den);

// The file lines of template day k: the day-file layout with columns 0..klassvis and an empty note.
QStringList SetkaFileLines(const State &state, int k);

// Stores the grid into the selected weekday (vibr_den_set), empties every template subject that
// is a single blank " " (the grid keeps it) and writes all seven files, creating `setka` if it
// is missing, each with its companion recording the class names in column order. A weekday whose
// file could not be read is not written. Returns one Russian
// message per file not written; empty when all were.
QStringList SetkaSave(State &state, const QString &workFolder);

// Puts template day den on the grid: subjects and rooms of rows 1..max_ur and classes
// 1..klassvis (empty where the template is narrower), black text, no teachers, every room field
// shown; the selection frame is shown exactly when a class exists. The grid is expected to be
// cleared (RaspClear) beforehand.
void SetkaZapol(State &state, int den);

// Empties the subjects and rooms of template day den for rows 1..max_ur, classes 1..klassvis.
void SetkaClearDay(State &state, int den);

} // namespace rasp::tmpl

#pragma once

#include <QString>

namespace rasp {
struct State;
struct LoadState;
}

namespace rasp::load {

// The editing rules of the load page: clearing, deleting, sorting and the checks made before
// the load is saved. They change the model at once; the subject index, the grid's header names
// and the subject lists follow only when the saved file is read back.

// Empties the subject fields of class j for every teacher.
void ClearClassLoad(State &state, int j);
// Empties every subject field of every teacher and class.
void ClearAllLoad(State &state);
// Empties every class-name field; the grid's header cells keep their text until the next save.
void ClearClassNames(State &state);
// Whether deleting a class must delete the whole load: it is the only class and teachers exist.
bool DeletingClassDeletesAll(const LoadState &state);
// Deletes class j: the class names and subject fields after it move one column left, the
// grid's last column is removed (the grid's cells themselves do not move), every weekday of the
// templates in memory loses column j (its later columns move left) and the second-shift bounds
// are reset.
void DeleteClass(State &state, int j);
// Removes every class and every teacher, leaving the never-shown column 0 and row 0.
void DelVsejNagruz(State &state);

// Empties the subject fields of teacher m in every class.
void ClearTeacherLoad(State &state, int m);
// Empties every teacher's name field.
void ClearTeacherNames(State &state);
// Deletes teacher m: the teachers after it move one row up with names, colours and subjects.
void DeleteTeacher(State &state, int m);
// Deletes every teacher row.
void DeleteAllTeachers(State &state);
// Sorts the teachers by name (ordinal UTF-16 comparison), moving colours and subjects along.
// A teacher with an empty name keeps its row and nothing is exchanged across it.
void SortTeachers(State &state);

// Whether one more class, or one more teacher, may be added (the limits of the arrangement's
// snapshot and of the load reader).
bool CanAddClass(const LoadState &state);
bool CanAddTeacher(const LoadState &state);
QString TooManyClassesText();
QString TooManyTeachersText();

// The checks made before saving, in their order: the message of the first that fails, or an
// empty text when the load may be saved.
QString SaveCheck(const LoadState &state);

} // namespace rasp::load

#pragma once

#include "load/nagruzfile.h"
#include "text/textfile.h"

#include <QString>
#include <QStringList>

namespace rasp {

struct State;

// What reading the school of the work folder found; the reader reports nothing itself, so the
// window shows notices and the command line writes warnings from the same facts.
struct SchoolOpening {
    text::ReadResult::Status settings = text::ReadResult::NoFile; // setting.ini
    QStringList settingsProblems;                                 // values of setting.ini replaced by defaults
    QString settingsError;                                        // why setting.ini could not be read
    load::NagruzReport load;                                      // nagruz.ini; status NoFile when it is absent
};

// The start-up's data steps, shared by the editor and the command line: the teacher palette, the
// settings (their lesson-row count shapes the grid, so they come first), the never-shown class
// column 0 and teacher row 0, then the load. A file that is absent leaves the defaults.
SchoolOpening OpenSchool(State &state);

} // namespace rasp

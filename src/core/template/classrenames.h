#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::tmpl {

// A class renamed on the load page: its name when the load was read or last saved, and now.
using ClassRename = std::pair<QString, QString>;

// The classes of the load whose name differs from the one they had when the load was last read or
// saved (classes added since are not renames), in column order.
std::vector<ClassRename> ClassRenames(const State &state);

// Carries the renames into the class names recorded beside every saved template
// (setka/*.zam) and day (r_data/*.zam) of the work folder, so those files keep matching their
// columns to the same classes. All renames apply at once (5А↔5Б swaps); a file whose list already
// holds a new name for another class keeps that name as it is. The journal lines keep the names
// they were written with. Returns one Russian message per file that could not be read or written.
QStringList ApplyClassRenames(const QDir &work, const std::vector<ClassRename> &renames);

} // namespace rasp::tmpl

#pragma once

#include "absences/covermodel.h"
#include "absences/history.h"
#include "commandline.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>

namespace rasp {
struct State;
}

namespace rasp::cli {

// The covers counted before `date` (its week and month) and the monthly cap of the work folder;
// a bad cap file is reported on stderr as a warning.
absences::CoverCounts CoverCountsOf(QDate date);

// The weights named by --preset (subject, the default, or fair); false after a usage error.
bool PresetArgument(const CommandLine &line, absences::Preset *preset);

// An option as JSON: its action and what it needs (teacher, kind, subject, row, swap), reasons
// and cost.
QJsonObject OptionJson(const absences::Option &option, int cost);

// The open lessons of the day: row, class (its name), subject, teachers and the absent teacher.
QJsonArray OpenLessonsJson(const absences::DayFacts &facts);

} // namespace rasp::cli

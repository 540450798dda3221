#pragma once

#include "arrange/analysis.h"

#include <QString>

namespace rasp {
struct State;
}

namespace rasp::cli {

class CommandLine;

// The arrangement's options for the day in `state`: its rows and classes, and R and P as the day
// page offers them after the refresh, the page's selections unless `maxText` or `missingText`
// give a value, which must be one of the items of its list. Gives the Russian error for a value
// the page would not offer, an empty text otherwise.
QString ArrangeOptions(const State &state, const QString &maxText, const QString &missingText, arrange::Options *options);

// Adds the options "--max-lessons R" and "--missing-first P" that ArrangeOptions reads.
void AddArrangeOptions(CommandLine &line);

// Whether the day can be arranged at all; otherwise says on stderr why (empty or too large).
bool DayFitsArrangement(const State &state);

} // namespace rasp::cli

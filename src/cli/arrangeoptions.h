#pragma once

#include "arrange/analysis.h"

#include <QString>

namespace rasp {
struct State;
}

namespace rasp::cli {

// The arrangement's options for the day in `state`: its rows and classes, and R and P as the day
// page offers them after the refresh, the page's selections unless `maxText` or `missingText`
// give a value, which must be one of the items of its list. Gives the Russian error for a value
// the page would not offer, an empty text otherwise.
QString ArrangeOptions(const State &state, const QString &maxText, const QString &missingText, arrange::Options *options);

} // namespace rasp::cli

#pragma once

#include <QString>
#include <QStringView>

namespace rasp::text {

// Why a text is not a date DD.MM.YYYY, in Russian; empty when it is one. A text of another shape
// is told its form; a text of that form naming no day ("31.04.2026", "29.02.2027") is told that
// the date does not exist, and why.
QString ShortDateProblem(QStringView text);

} // namespace rasp::text

#pragma once

// The lines of a saved day or template file with six lesson rows, for the substitution tests.
#include <QStringList>

namespace sixrowday {

// A six-row file of `classes` classes: the subject lines given, padded with empty ones, then
// the room lines likewise, an empty note and "~end~".
inline QStringList lines(int classes, QStringList subjects, QStringList rooms = {})
{
    while (subjects.size() < 6)
        subjects << QString(classes + 1, QLatin1Char('|'));
    while (rooms.size() < 6)
        rooms << QString(classes, QLatin1Char('|'));
    return subjects + rooms + QStringList{QString(), QStringLiteral("~end~")};
}

} // namespace sixrowday

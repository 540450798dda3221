#pragma once

#include <QJsonArray>
#include <QString>

namespace rasp {
struct State;
}

namespace rasp::cli {

// An ARGB colour as eight upper-case hex digits ("FF000000").
QString ArgbText(quint32 argb);

// Every lesson cell of the grid in row-major order: row, class, subject, room, teacher list,
// text and background colour, room text colour and whether the cell is locked.
QJsonArray DayCellsJson(const State &state);

} // namespace rasp::cli

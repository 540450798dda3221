#pragma once

#include <QStringList>

namespace rasp {

struct State;

// The facts State keeps twice, checked against each other: the class count (klassvis), the
// grid columns built (klassvis_mas), the grid's own columns and the class names (Klass); the
// lesson rows (max_ur) and the grid's rows; the teacher count and the teacher arrays. Returns
// one English line per disagreement, empty when everything agrees. Run by the tests after
// gestures that add or remove classes, teachers or rows.
QStringList CheckInvariants(const State &state);

} // namespace rasp

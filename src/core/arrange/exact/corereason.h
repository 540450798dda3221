#pragma once

#include "daymodel.h"

#include <QString>

#include <functional>

namespace rasp::arrange::exact {

// The reason a day has no clash-free arrangement when the cheap proofs found none but the SAT
// solver refuted the whole day: the day is encoded again with a guard per class and per teacher
// token, refuted under all guards, and the failed guards (a core, made smaller by dropping one
// guard at a time while a short search still refutes the rest) name the teachers and classes
// that cannot be arranged together. `stop` ends the shrinking early; the core found so far is
// still a proof.
QString ExplainNoDay(const DayModel &model, const std::function<bool()> &stop);

} // namespace rasp::arrange::exact

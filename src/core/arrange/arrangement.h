#pragma once

#include "arrange/analysis.h"
#include "arrange/tpodbor.h"

#include <QString>

namespace rasp {
class Rng;
struct State;
}

namespace rasp::arrange {

// The texts the arrangement shows.
inline const QString kFillDay = QStringLiteral("Заполните расписание");
inline const QString kStartQuestion = QStringLiteral("Все изменения будут удалены\r\nПродолжить?");
inline const QString kDone = QStringLiteral("Готово!");
inline const QString kStopped = QStringLiteral("Сделайте несколько перестановок вручную и повторите автоподбор еще раз");
inline const QString kUndoQuestion = QStringLiteral("Вернуть предыдущее состояние расписания?");
inline const QString kUndone = QStringLiteral("Готово");
inline const QString kTooLarge = QStringLiteral("Автоподбор работает не более чем с 16 уроками и 200 классами");
inline const QString kUndoOtherGrid =
    QStringLiteral("Предыдущий вариант составлен для других классов или другого числа уроков, вернуть его нельзя");

// Whether every subject cell of rows 1..max_ur, classes 1..klassvis is empty.
bool GridEmpty(const State &state);

// Whether the grid fits the snapshot: at most 16 lesson rows and 200 classes.
bool FitsSnapshot(const State &state);

// Why a run cannot start on this grid: kFillDay when it is empty, else kTooLarge when it does not
// fit the snapshot; empty when it can start.
QString StartRefusal(const State &state);

// Takes the grid into state.sost_rasp: the ishod_* arrays from the cells (subject, room, teacher
// list, style), then the whole of ishod_* copied into itog_*; records the grid's shape.
void TakeSnapshot(State &state);

// Whether the grid still has the shape (rows and class names) the snapshot was taken of.
bool SnapshotMatches(const State &state);

// Writes the working copy itog_* into the grid's subject texts, styles, rooms and teacher lists.
void ShowWorkingCopy(State &state);

// Writes the snapshot's ishod_* back into the grid's subject texts, styles, rooms and lists.
void RestoreOriginal(State &state);

// The randomised repair run on a snapshot, one cycle per step(), so that the caller can show
// the working copy, handle its events and decide to stop between cycles. Each cycle finds one
// clash in a random scan order, moves one of its two lessons within its class to a row where
// its teachers are free, tidies classes whose day became unacceptable, and tests whether the
// day is finished (no clash in rows 1..R and every class acceptable).
class Arrangement
{
public:
    // Works on rasp.itog_*, which TakeSnapshot has filled; tests at once whether the day is
    // already finished. `rng` makes every random choice.
    Arrangement(TPodbor &rasp, const Options &options, Rng &rng);

    bool finished() const { return m_finished; }
    qint64 cycles() const { return m_cycles; }
    const Options &options() const { return m_options; }

    // One cycle: scan order, clash, move, three tidying passes, finish test. Between two
    // cycles the working copy belongs to the run: the caller only reads it.
    void step();

private:
    bool allAcceptable() const;

    TPodbor &m_rasp;
    Options m_options;
    Rng &m_rng;
    ListIndex m_index;
    bool m_indexCurrent = false; // m_index files the working copy as it is now
    bool m_finished = false;
    qint64 m_cycles = 0;
};

} // namespace rasp::arrange

#pragma once

#include "day/gridgeometry.h"
#include "day/gridsnapshot.h"
#include "refresh.h"
#include "undo/gridcommand.h"

#include <QObject>

#include <functional>
#include <memory>

class QUndoStack;

namespace rasp {
struct State;
}

namespace rasp::ui {

class Edit;

// The one way a change of the day or the template reaches the state. An Edit takes the grid
// before it, the funnel runs the named part of the one refresh (rasp::Refresh) when it ends,
// records the undo step, and emits `changed`, on which the views repaint. Views and controllers
// read the state through state() and write only inside an Edit.
//
// Questions inside an edit (Dial) and the arrangement's cycles process events in a nested
// loop: a controller never keeps a reference to a cell across them, since a key, a page switch
// or "Добавить класс" handled meanwhile may move or remove it. Look the cell up again by row
// and column after the question.
class EditFunnel : public QObject
{
    Q_OBJECT
public:
    using MakeStep = std::function<std::unique_ptr<undo::GridEditCommand>(day::GridChange)>;

    // What the funnel needs from the window that knows the widgets.
    struct Hooks {
        std::function<QString()> focusHint;       // "row;column" of the focused subject field, or empty
        std::function<bool(const QString &)> ask; // a yes/no question inside the window
        std::function<bool()> running;            // an arrangement runs: typing records no step
    };

    EditFunnel(State &state, Hooks hooks, QObject *parent);
    ~EditFunnel() override;

    // The state as every view reads it.
    const State &state() const { return m_state; }
    // The history of the shown day or template weekday.
    QUndoStack *history() const { return m_history; }

    // Runs the named parts of the one refresh and emits `changed`. Edits call it when they end;
    // a gesture that records its step itself (typing, a restore) calls it directly.
    RefreshResult refresh(RefreshParts parts, const QString &selection = {});

    // Empties the history: another day or weekday came onto the grid (kept while an edit that
    // replaces the grid itself is open, which records it as its own step).
    void clearHistory();
    // Records one whole-grid step from a snapshot taken before it (an arrangement run ended).
    void recordSince(const day::GridSnapshot &before, const MakeStep &make);
    // The history's view of the grid becomes the grid as it stands (after a restore).
    void settle();
    // Puts one side of a recorded step back into the state (cells, locks, pins, note, the second
    // shift); false when the step no longer fits the grid. The caller refreshes and settles.
    bool putBack(const undo::GridEditCommand &step, bool after);
    // Writes facts kept beside the day (file stamps, the frame's visibility, room fields shown, the
    // settled flag, the settings): no snapshot, no step, no refresh, no repaint. Never for the
    // lessons, locks, pins or note.
    void keepFacts(const std::function<void(State &)> &write);

    // Typing runs: a run of typing in one field is one step, closed when the field loses focus.
    bool typingRunOn(int row, int column, day::GridGeometry::Field field) const;
    void openTypingRun(int row, int column, day::GridGeometry::Field field, bool textChanged);
    void closeTypingRun();
    // The selection frame goes to (row, column): a fact of the view kept with the grid, not a
    // change of the day (no step, no refresh).
    void moveFrame(int row, int column);
    // Typing on the template page writes through: the typed subject or room goes into template
    // weekday `day` (1..7) as well; the typing run records the grid's side.
    void writeTemplate(int day, int row, int column, day::GridGeometry::Field field, const QString &text);
    // The live editor's text goes into its field; the typing run records it when the key is
    // released (EditingController), so nothing is refreshed or repainted here.
    void typeText(int row, int column, day::GridGeometry::Field field, const QString &text);
    // The note box's text goes into the day's note (the box keeps its own undo).
    void typeNote(const QString &text);
    // Records what the run of the field changed so far, merged into its step.
    void recordTyping(int row, int column, day::GridGeometry::Field field, const QString &text, int templateDay,
                      undo::RestoreStep restore);

signals:
    // The grid's content, locks or pins changed through `parts` of the refresh (0: cells put back
    // without a refresh); `pinChecks` when the pin list must show the state's checks again.
    void changed(unsigned parts, bool pinChecks);
    // A step was recorded or the history emptied: the undo actions follow.
    void historyChanged();

private:
    friend class Edit;
    void begin();
    void end(const MakeStep &make, bool evenIfCellsKept);
    void push(const day::GridSnapshot &before, const MakeStep &make, bool evenIfCellsKept);

    State &m_state;
    Hooks m_hooks;
    QUndoStack *m_history = nullptr;
    int m_depth = 0;             // open edits; nested edits join the outermost one
    day::GridSnapshot m_before;  // the grid before the outermost open edit
    day::GridSnapshot m_settled; // the grid as the history last left it
    struct TypingRun {
        bool open = false;
        int row = 0;
        int column = 0;
        day::GridGeometry::Field field = day::GridGeometry::Field::None;
        int run = 0;              // number of the run, for merging its key releases
        day::GridSnapshot before; // the grid before the run's first key
    } m_typing;
};

// One scoped edit: construct it before changing the state, change the state through state(),
// name the step with record(); when it goes out of scope the refresh part runs, the step is
// recorded and the views repaint. An edit opened inside another joins it: its refresh runs,
// the outer one records the step.
class Edit
{
public:
    explicit Edit(EditFunnel &funnel, RefreshParts parts = 0);
    ~Edit();
    Edit(const Edit &) = delete;
    Edit &operator=(const Edit &) = delete;

    // The state to change while the edit is open.
    State &state() { return m_funnel.m_state; }
    // The teacher list the refresh highlights in the single-teacher mode.
    void setSelection(const QString &selection) { m_selection = selection; }
    // Adds parts to the refresh run at the end.
    void addParts(RefreshParts parts) { m_parts |= parts; }
    // The step recorded at the end; `evenIfCellsKept` records it although no cell changed.
    void record(EditFunnel::MakeStep make, bool evenIfCellsKept = false)
    {
        m_make = std::move(make);
        m_evenIfCellsKept = evenIfCellsKept;
    }

private:
    EditFunnel &m_funnel;
    RefreshParts m_parts;
    QString m_selection;
    EditFunnel::MakeStep m_make;
    bool m_evenIfCellsKept = false;
};

} // namespace rasp::ui

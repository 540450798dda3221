#pragma once

#include <QString>

#include <functional>

namespace rasp {

struct State;

// The parts of the one refresh that brings everything derived from the grid's cells back in
// line after a change. Refresh runs the requested parts in this order, whatever order the bits
// are given in.
enum RefreshPart : unsigned {
    RefreshTeachers = 1u << 0,    // teacher lists and colours of every lesson (PoiskUchit)
    RefreshRooms = 1u << 1,       // rooms used twice in a lesson row turn red (KabPoisk(1))
    RefreshPinList = 1u << 2,     // the "Не перемещать" entries rebuilt from the subject index
    RefreshDefaultPins = 1u << 3, // the pin checks set to the settings' "Блокировать"
    RefreshPins = 1u << 4,        // the locks of every row follow the pin checks (CheckList(0))
    RefreshSettled = 1u << 5,     // the day has settled: later pinning asks about coincidences
    RefreshShift = 1u << 6,       // every lock lifted, pins re-applied, second-shift locks put back
};
using RefreshParts = unsigned;

// The subset each gesture runs, as the window and the command line have always run it. The
// window adds its own widget steps (limit lists, missing-teacher warning) after the data steps.
namespace refresh {
// A day file or a template weekday put on the grid, a day cleared or filled whole.
inline constexpr RefreshParts DayLoaded =
    RefreshTeachers | RefreshRooms | RefreshDefaultPins | RefreshPins | RefreshSettled | RefreshShift;
// The same for a headless reader whose pin list is still empty (the command line).
inline constexpr RefreshParts DayLoadedHeadless = DayLoaded | RefreshPinList;
// A whole-day refresh without re-reading the day (the template cleared or refilled).
inline constexpr RefreshParts DayRefilled = RefreshTeachers | RefreshRooms | RefreshDefaultPins | RefreshPins | RefreshSettled;
// A key released in a subject field, a subject picked from the list.
inline constexpr RefreshParts SubjectTyped = RefreshTeachers | RefreshPins;
// A lesson moved within its class, an arrangement run ended, a step undone or redone.
inline constexpr RefreshParts LessonsMoved = RefreshTeachers | RefreshRooms;
// "Венуть предыдущий вариант": the grid before the last run is back.
inline constexpr RefreshParts ArrangementReverted = RefreshTeachers | RefreshRooms | RefreshPins;
// A room typed or picked.
inline constexpr RefreshParts RoomChanged = RefreshRooms;
// The load was saved and read back: teachers of every lesson may have changed.
inline constexpr RefreshParts LoadChanged = RefreshTeachers | RefreshDefaultPins | RefreshPins;
// The settings' default pins changed.
inline constexpr RefreshParts DefaultPinsChanged = RefreshDefaultPins | RefreshPins;
} // namespace refresh

// What the refresh needs from whoever asked for it.
struct RefreshInput {
    QString selection; // the teacher list to highlight in the single-teacher mode
    QString focusHint; // "row;column" of the focused subject field, for the single-teacher mode
    // Answers a question (true for "Да"); asked only while the second shift re-pins a settled day.
    std::function<bool(const QString &)> ask;
};

// What the refresh did that a view showing the pin checks must follow.
struct RefreshResult {
    bool pinChecksChanged = false; // default pins set, or a pin unchecked after a declined question
};

// Runs the requested parts of the refresh on `state`, in the order of RefreshPart.
RefreshResult Refresh(State &state, RefreshParts parts, const RefreshInput &input = {});

} // namespace rasp

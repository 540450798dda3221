#pragma once

// Every text the window's arrangement shows beyond the ones core gives (the refusals, the start
// and undo questions and the randomised run's notices stay in core arrange/arrangement.h).
#include <QStringView>

namespace rasp::ui::arrangetexts {

// Added to the closing notice of a randomised run stopped by "Стоп".
inline constexpr QStringView kTryExact = u" или нажмите «Точный подбор»";
// The exact arrangement stopped before it found a day.
inline constexpr QStringView kExactStopped = u"Точный подбор остановлен, расписание не изменено";
// The exact arrangement found a day for a grid that is no longer shown.
inline constexpr QStringView kExactGridChanged =
    u"Пока шел точный подбор, на экране сменилось расписание; результат не применен";
// The exact arrangement applied its day: %1 lessons moved; stopped early or to the end.
inline constexpr QStringView kExactStoppedMoved = u"Точный подбор остановлен. Перемещено уроков: %1";
inline constexpr QStringView kExactDone = u"Готово! Перемещено уроков: %1";
// Added when the count is proven the least, or when only a lower bound %1 is known.
inline constexpr QStringView kExactOptimal = u" (наименьшее возможное)";
inline constexpr QStringView kExactBound = u", меньше %1 невозможно";
// The exact arrangement proved there is no day without coincidences (the reason follows).
inline constexpr QStringView kExactImpossible = u"Расписания без совпадений нет. ";
// The exact arrangement ran out of its %1 seconds.
inline constexpr QStringView kExactOutOfTime =
    u"За %1 с расписание без совпадений не найдено; сделайте несколько перестановок вручную и повторите";
// The progress line: elapsed seconds %1, then the best count %2 with what is known of the bound,
// or that no day without coincidences is found yet.
inline constexpr QStringView kProgress = u"Точный подбор: %1 с";
inline constexpr QStringView kProgressBest = u", перемещено %1";
inline constexpr QStringView kProgressBound = u", меньше %1 невозможно";
inline constexpr QStringView kProgressLeast = u", меньше невозможно";
inline constexpr QStringView kProgressSearching = u", ищется расписание без совпадений";
// The steps of the history.
inline constexpr QStringView kRandomStep = u"автоподбор";
inline constexpr QStringView kExactStep = u"точный подбор";
inline constexpr QStringView kRevertStep = u"возврат предыдущего варианта";

// The group's pictures and limit lists.
inline constexpr QStringView kStart = u"Старт";
inline constexpr QStringView kStop = u"Стоп";
inline constexpr QStringView kRevert = u"Венуть предыдущий вариант";
inline constexpr QStringView kExact = u"Точный подбор";
inline constexpr QStringView kAllowed = u"Допускается";
inline constexpr QStringView kMaxLessons = u"максимум уроков";
inline constexpr QStringView kFirstGaps = u"отсутствие первых уроков";

} // namespace rasp::ui::arrangetexts

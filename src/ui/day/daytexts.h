#pragma once

// Every text the day page's own controls show the user: the day file's questions and notices, the
// names of the editing steps in the history, the week's callout and the modes of "Показывать" (the
// checks' texts are in checkstexts.h, the locks' in shifttexts.h).
#include <QStringView>

namespace rasp::ui::daytexts {

// Saving the day under the target date (%1 the weekday's genitive with the date).
inline constexpr QStringView kSaveDayQuestion = u"Сохранить расписание на %1?";
inline constexpr QStringView kDaySaved = u"Расписание на %1 успешно сохранено";
// A date picked that has no saved day (%1 the date's words).
inline constexpr QStringView kNoDayToCopy = u"Дико извиняюсь, но расписания %1 не существует";
inline constexpr QStringView kNoDayToOpen = u"Это прискорбно, но расписания на %1 не существует";
// The steps of the history (%1 the cell's name, %2 the row a lesson went to).
inline constexpr QStringView kStepPickSubject = u"выбор предмета %1";
inline constexpr QStringView kStepMoveLesson = u"перенос урока %1 → %2";
inline constexpr QStringView kStepPickRoom = u"выбор кабинета %1";
inline constexpr QStringView kStepTypeSubject = u"ввод предмета %1";
inline constexpr QStringView kStepTypeRoom = u"ввод кабинета %1";
// The week's callout: the lessons of the subject in the week.
inline constexpr QStringView kWeekTotal = u"Всего %1";
// The four modes of "Показывать".
inline constexpr QStringView kModeCoincidences = u"только совпадения";
inline constexpr QStringView kModeEach = u"каждого учителя отдельным цветом";
inline constexpr QStringView kModeSelected = u"только выбранного учителя";
inline constexpr QStringView kModeNone = u"не выделять цветом";

} // namespace rasp::ui::daytexts

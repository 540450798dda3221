#pragma once

// Every text the day's checks show the user: the missing-teacher warning with its panel and the
// teacher-hours panel (the lists' contents come from core day/counters.h).
#include <QStringView>

namespace rasp::ui::checkstexts {

// The warning picture's hint.
inline constexpr QStringView kWarningHint = u"Нажми меня";
// The panel of classes and subjects without a teacher, and the captions its button may take.
inline constexpr QStringView kMissingTitle = u"Не указаны учителя";
inline constexpr QStringView kMissingCaptions[] = {u"Печально", u"Ну и ладно", u"Я все исправлю", u"Так надо"};
// The teacher-hours panel, its close button and its columns.
inline constexpr QStringView kHoursTitle = u"Количество часов в день";
inline constexpr QStringView kClose = u"✕";
inline constexpr QStringView kTeacherColumn = u"Учитель";
inline constexpr QStringView kHoursColumn = u"Кол-во часов";
// No teacher has a lesson on the grid.
inline constexpr QStringView kNoHours = u"Ничего не найдено";

} // namespace rasp::ui::checkstexts

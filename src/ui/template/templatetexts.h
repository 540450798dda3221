#pragma once

// Every text the weekly template's controls show the user: its questions and notices (the names
// of the weekdays and the template files' own texts come from core text/ and template/).
#include <QStringView>

namespace rasp::ui::templatetexts {

// The day page's "load the day from the template" action.
inline constexpr QStringView kLoadDayQuestion =
    u"Загрузить расписание на %1 из сетки?\r\nВсе изменения в текущем расписании будут удалены";
inline constexpr QStringView kNoTemplate = u"Это ужасно, но шаблона на %1 не существует";
// "Очистить" on either page.
inline constexpr QStringView kClearQuestion = u"Все изменения не будут сохранены.\r\nОчистить?";
// The names of the undo steps of the two actions.
inline constexpr QStringView kLoadDayStep = u"загрузка дня из сетки";
inline constexpr QStringView kClearTemplateStep = u"очистка сетки";
inline constexpr QStringView kClearDayStep = u"очистка дня";
// The seven template files.
inline constexpr QStringView kSaved = u"Данные сохранены";

} // namespace rasp::ui::templatetexts

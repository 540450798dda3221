#pragma once

// Every text the report pages and the export actions show the user (the texts of the tables and
// files themselves come from core reports/).
#include <QStringView>

namespace rasp::ui::reportstexts {

// Delivered hours (Tab_3).
inline constexpr QStringView kSavedOnly = u"При расчете учитываются только сохраненные данные";
inline constexpr QStringView kCountFrom = u"Рассчитать с";
inline constexpr QStringView kCountTo = u"по";
inline constexpr QStringView kCount = u"Рассчитать";
inline constexpr QStringView kUnreadableFiles = u"Не учтены файлы, которые не удалось прочитать:\r\n";

// Substitutions (Tab_Zam).
inline constexpr QStringView kZamenyHint = u"Замены: сохраненное расписание дня\r\nпротив шаблона его дня недели";
inline constexpr QStringView kChoosePeriod = u"Выберите период и нажмите «Рассчитать»";
inline constexpr QStringView kDaysCompared = u"%1: сравнено дней — %2";
inline constexpr QStringView kChanges = u"%1: изменений — %2";
inline constexpr QStringView kDaysSkipped = u"Не учтены дни:";
inline constexpr QStringView kUnreadable = u"Не удалось прочитать:";
inline constexpr QStringView kOpenLessons = u"Не закрыто уроков: %1 — %2";
inline constexpr QStringView kAbsent = u"Отсутствуют: ";
inline constexpr QStringView kWeekdayNeedsSavedDay =
    u"Расписание на %1 не сохранено: выбор дня недели записывается рядом с сохраненным днем";
inline constexpr QStringView kSaveSheetTo = u"Сохранить замены на %1 в файл %2?\r\nРанее сохраненный файл будет удален.";
inline constexpr QStringView kSaveTallyToExcel =
    u"Сохранить итог по учителям с %1 по %2 в файл Excel?\r\nРанее сохраненный файл будет удален.";

// Export of the day or the template.
inline constexpr QStringView kSaveDayToExcel = u"Сохранить расписание на %1 в файл Excel?\r\nРанее сохраненный файл будет удален.";
inline constexpr QStringView kSaveDayToWord = u"Сохранить расписание на %1 в файл Word?\r\nРанее сохраненный файл будет удален.";
inline constexpr QStringView kOpenFailed = u"Файл сохранен, но открыть его не удалось:\r\n";
inline constexpr QStringView kFolderFailed = u"Не удалось открыть папку:\r\n";

// The substitutions page: its caption bar, rows and buttons, the views, the weekday it follows
// ("по расписанию" and the weekday's genitive) and the period's tally.
inline constexpr QStringView kZamenyCaption = u"Замены: сохраненный день против шаблона его дня недели";
inline constexpr QStringView kZamenyClose = u"Закрыть";
inline constexpr QStringView kZamenyOn = u"Замены на";
inline constexpr QStringView kZamenyViews[] = {u"По классам", u"По учителям", u"За период", u"Отсутствия"};
inline constexpr QStringView kOwnWeekday = u"по своему дню недели";
inline constexpr QStringView kAsWeekday = u"по расписанию %1";
inline constexpr QStringView kWeekdaysGenitive[] = {u"понедельника", u"вторника", u"среды", u"четверга",
                                                    u"пятницы", u"субботы", u"воскресенья"};
inline constexpr QStringView kAsWeekdayHint = u"Шаблон какого дня недели идет в этот день (перенесенный рабочий день)";
inline constexpr QStringView kToExcel = u"Сохранить в файл Excel";
inline constexpr QStringView kToWord = u"Сохранить в файл Word";
inline constexpr QStringView kTallyFrom = u"Итог по учителям с";
inline constexpr QStringView kJournalToExcel = u"Журнал замещённых уроков за период в Excel";

} // namespace rasp::ui::reportstexts

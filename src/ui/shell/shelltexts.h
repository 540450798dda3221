#pragma once

// Every text the shell shows the user: the page bar, the tool panel's groups and pictures, the top
// bar, the two overlays and their answers, the close question, the action hints that carry the
// target date (the texts of a subsystem's own controls sit beside its controller).
#include <QStringView>

namespace rasp::ui::shelltexts {

// The answers of the question overlay, as Dial returns them.
inline constexpr QStringView kYes = u"Да";
inline constexpr QStringView kNo = u"Нет";
// The overlays: titles and buttons.
inline constexpr QStringView kQuestionTitle = u"Внимание!";
inline constexpr QStringView kNoticeTitle = u"Информация";
inline constexpr QStringView kNoticeButton = u"Замечательно";
// The window title (the version follows) and the close question.
inline constexpr QStringView kWindowTitle = u"Редактор расписания ";
inline constexpr QStringView kCloseQuestion = u"Все изменения не будут сохранены\r\nЗакрыть программу?";
// The page bar.
inline constexpr QStringView kDayTab = u"Расписание";
inline constexpr QStringView kTemplateTab = u"Сетка";
inline constexpr QStringView kLoadTab = u"Нагрузка";
inline constexpr QStringView kSettingsTab = u"Настройки";
// The line on the empty page area of a school without a load.
inline constexpr QStringView kFirstStart = u"Начните с вкладки «Нагрузка»: добавьте классы и учителей, затем сохраните.";
// The wait picture.
inline constexpr QStringView kWait = u"Подождите...";
// The top bar of the grid page.
inline constexpr QStringView kCreatedOn = u"Будет создано расписание на";
inline constexpr QStringView kTeacher = u"Учитель: ";
inline constexpr QStringView kWeekdayStrip = u"Поле для кнопок дней недели";
// The tool panel: its strip, groups, pictures and date captions.
inline constexpr QStringView kToolPanel = u"Панель инструментов";
inline constexpr QStringView kArrangeGroup = u"Автоподбор";
inline constexpr QStringView kPinList = u"Не перемещать";
inline constexpr QStringView kHighlightGroup = u"Показывать";
inline constexpr QStringView kActionsGroup = u"Действия";
inline constexpr QStringView kNotesGroup = u"Заметки";
inline constexpr QStringView kHoursHint = u"Расчитать количество часов каждого учителя за день";
inline constexpr QStringView kClearHint = u"Очистить";
inline constexpr QStringView kFolderHint = u"Открыть папку с расписанием";
inline constexpr QStringView kLoadDate = u"Загрузить расписание за";
inline constexpr QStringView kEditDate = u"Редактировать расписание на";
// The save action on the template page.
inline constexpr QStringView kSaveTemplateQuestion = u"Сохранить сетку?";
// The action hints: on the day page with the target date %1 (the weekday's genitive for loading
// from the template), on the template page without one.
inline constexpr QStringView kHintSaveDay = u"Сохранить расписание на \r\n%1";
inline constexpr QStringView kHintHoursPeriod = u"Расчитать количество выданных часов за указанный период";
inline constexpr QStringView kHintDayFromTemplate = u"Загрузить расписание на \r\n%1\r\nиз сетки";
inline constexpr QStringView kHintDayToWord = u"Сохранить расписание\r\nв файл Word на\r\n%1";
inline constexpr QStringView kHintDayToExcel = u"Сохранить расписание\r\nв файл Excel на\r\n%1";
inline constexpr QStringView kHintHoursWeek = u"Расчитать количество выданных часов за неделю";
inline constexpr QStringView kHintSaveTemplate = u"Сохранить сетку";
inline constexpr QStringView kHintTemplateToWord = u"Сохранить сетку\r\nв файл Word";
inline constexpr QStringView kHintTemplateToExcel = u"Сохранить сетку\r\nв файл Excel";
inline constexpr QStringView kHintPublish = u"Опубликовать расписание\r\nна\r\n%1";
inline constexpr QStringView kHintWithdraw = u"Отменить публикацию\r\nрасписания на\r\n%1";
// A file another program changed, kept when the save has no way to reopen it.
inline constexpr QStringView kRestartToOpen = u"Чтобы открыть версию другой программы, перезапустите редактор.";

} // namespace rasp::ui::shelltexts

#pragma once

// Every text the load page shows the user: its menus, the saving picture, its questions and
// notices (the texts of nagruz.ini, its reading and its checks come from core load/).
#include <QStringView>

namespace rasp::ui::loadtexts {

// The class menu.
inline constexpr QStringView kClearAbout = u"Очистить информацию о ...";
inline constexpr QStringView kClassLoad = u"нагрузке для выбранного класса";
inline constexpr QStringView kAllClassesLoad = u"нагрузке для всех классов";
inline constexpr QStringView kClassNames = u"названиях классов";
inline constexpr QStringView kDeleteClass = u"Удалить класс";
// The teacher menu.
inline constexpr QStringView kTeacherLoad = u"нагрузке для выбранного учителя";
inline constexpr QStringView kAllTeachersLoad = u"нагрузке для ВСЕХ учителей";
inline constexpr QStringView kTeacherNames = u"ФИО учителей";
inline constexpr QStringView kDeleteRecord = u"Удалить запись ...";
inline constexpr QStringView kTeacherRecord = u"о выбранном учителе";
inline constexpr QStringView kAllTeacherRecords = u"о ВСЕХ учителях";
// The picture shown while the load is written.
inline constexpr QStringView kSaving = u"Идёт сохранение...";

// Questions.
inline constexpr QStringView kClearClassLoad = u"Очистить информацию о нагрузке в классе?";
inline constexpr QStringView kClearAllClassesLoad = u"Удалить информацию о нагрузке во ВСЕХ классах?";
inline constexpr QStringView kClearClassNames = u"Удалить названия всех класов?";
inline constexpr QStringView kDeleteOnlyClass =
    u"Т. к. это единственный существующий класс, то при его удалени будут удалены записи о всех учителях.\rУдалить класс?";
inline constexpr QStringView kDeleteEverything = u"Удалить абсолютно ВСЁ и ничего не оставить?\rВы уверены?";
inline constexpr QStringView kClearTeacherLoad = u"Очистить информацию о нагрузке у учителя %1?";
inline constexpr QStringView kClearAllTeachersLoad = u"Удалить информацию о нагрузке у ВСЕХ учителей?";
inline constexpr QStringView kClearTeacherNames = u"Удалить ФИО всех учителей?";
inline constexpr QStringView kDeleteTeacher = u"Удалить запись об учителе %1?";
inline constexpr QStringView kDeleteAllTeachers =
    u"Удалить запись абсолютно о ВСЕХ учителях и ничего не оставить?\rВы уверены?";

// Notices.
inline constexpr QStringView kReadWithProblems = u"Файл нагрузки прочитан с замечаниями.\r\n";
inline constexpr QStringView kSaved = u"Данные сохранены";
inline constexpr QStringView kClassFirst = u"Для начала нужно добавить хотя бы один класс";

// The load page's buttons.
inline constexpr QStringView kAddClass = u"Добавить класс";
inline constexpr QStringView kAddTeacher = u"Добавить учителя";
inline constexpr QStringView kSave = u"Сохранить";
inline constexpr QStringView kDeleteAll = u"Удалить ВСЁ";
inline constexpr QStringView kSortTeachers = u"Сортировать по алфавиту";

} // namespace rasp::ui::loadtexts

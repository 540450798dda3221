#pragma once

// Every text the settings page shows the user: its captions, hints and notices (the texts of
// setting.ini itself and of its reading come from core settings/).
#include <QStringView>

namespace rasp::ui::settingstexts {

// Group and control captions.
inline constexpr QStringView kRooms = u"Кабинеты";
inline constexpr QStringView kAdd = u"Добавить";
inline constexpr QStringView kRemove = u"Удалить";
inline constexpr QStringView kAutoLock = u"Автоматически блокировать";
inline constexpr QStringView kSubjects = u"Предметы";
inline constexpr QStringView kLock = u"Блокировать";
inline constexpr QStringView kDontLock = u"Не блокировать";
inline constexpr QStringView kUseServer = u"Использовать сервер";
inline constexpr QStringView kShowPassword = u"Показать пароль, пока нажата кнопка";
inline constexpr QStringView kIp = u"IP";
inline constexpr QStringView kPort = u"Порт";
inline constexpr QStringView kLogin = u"Логин";
inline constexpr QStringView kPassword = u"Пароль";
inline constexpr QStringView kPrintOptions = u"Параметры вывода на печать";
inline constexpr QStringView kOrientation = u"Ориентация листа в Word";
inline constexpr QStringView kPortrait = u"Книжная";
inline constexpr QStringView kLandscape = u"Альбомная";
inline constexpr QStringView kClassNames = u"Названия классов";
inline constexpr QStringView kInRow = u"в строчку";
inline constexpr QStringView kInColumn = u"в столбец";
inline constexpr QStringView kSecondShift = u"Вторая смена";
inline constexpr QStringView kOneTable = u"в одной таблице";
inline constexpr QStringView kTwoTables = u"две разные таблицы";
inline constexpr QStringView kLessonRows = u"Максимальное количество уроков [первая+вторая смена (если есть)]";
inline constexpr QStringView kLessonRowsLater = u"Новое количество уроков вступит в силу после перезапуска программы";
inline constexpr QStringView kRoomsFromTemplate = u"При загрузке расписания из сетки подгружать номера кабинетов";
inline constexpr QStringView kAnimateMoves = u"Анимировать перетаскивание уроков";
inline constexpr QStringView kSave = u"Сохранить";

// Notices.
inline constexpr QStringView kRoomExists = u"Такой кабинет уже есть";
inline constexpr QStringView kRoomInvalid = u"Название кабинета не может быть «~end~» или содержать «|»";
inline constexpr QStringView kChooseRoom = u"А выбирать кабинет я за Вас буду?\r\nОно мне надо?";
inline constexpr QStringView kChooseSubject = u"Выберите предмет";
inline constexpr QStringView kFileDamaged = u"Файл setting.ini повреждён: %1. Взяты значения по умолчанию.";
inline constexpr QStringView kSaved =
    u"Данные сохранены?\r\nДля встепления в силу некоторых параметров возможно потребутся перезапустить программу";

} // namespace rasp::ui::settingstexts

#pragma once

// Every text the server link and the notes board show the user (the server's own replies and
// the protocol's fixed notices stay in core server/protocol.h).
#include <QStringView>

namespace rasp::ui::servertexts {

// Publish and withdraw while "Использовать сервер" is off.
inline constexpr QStringView kNeedServerSettings =
    u"Для использования этой функции необходимо указать данные сервера в Настройках программы";
// A request the user made while address, port, login or password is missing.
inline constexpr QStringView kNoServerSettings = u"Вы не указали настройки сервера";
// A request the user made while the server could not be reached.
inline constexpr QStringView kServerUnavailable = u"Сервер временно недоступен";
// The question before a note is deleted.
inline constexpr QStringView kDeleteNote = u"Удалить запись?";
// The board's status line: no notes, and a deletion on its way.
inline constexpr QStringView kBoardEmpty = u"Пусто";
inline constexpr QStringView kBoardUpdating = u"Обновление ...";

} // namespace rasp::ui::servertexts

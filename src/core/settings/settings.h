#pragma once

#include "text/textfile.h"

#include <QString>
#include <QStringList>

namespace rasp {
struct State;
}

namespace rasp::settings {

inline constexpr int kMinLessonRows = 6;
inline constexpr int kMaxLessonRows = 16;
inline constexpr int kMaxPort = 65535;

// The editor's settings as the settings page shows them; written whole to setting.ini.
struct Settings {
    QStringList rooms;              // "Кабинеты" (sListBox1), in list order
    QStringList blocked;            // "Блокировать" (ListBox3): subjects pinned by default
    QString ip;                     // "IP" (sEdit2)
    QString port;                   // "Порт" (sEdit5), as typed
    QString login;                  // "Логин" (sEdit3)
    QString password;               // "Пароль" (sEdit4)
    bool useServer = false;         // "Использовать сервер" (sCheckBox1)
    bool portrait = true;           // "Книжная" (RadioButton1); false = "Альбомная" (RadioButton2)
    bool classesInRow = true;       // "в строчку" (RadioButton3); false = "в столбец" (RadioButton4)
    bool roomsFromTemplate = false; // "При загрузке расписания из сетки подгружать номера кабинетов" (CheckBox1)
    bool animateMoves = false;      // "Анимировать перетаскивание уроков" (CheckBox2)
    int lessonRows = 6;             // lesson-row list (ComboBox1), 6..16; max_ur at the next start
    bool secondShift = false;       // "Вторая смена" (CheckBox3)
    bool twoTables = false;         // "две разные таблицы" (RadioButton6); false = "в одной таблице" (RadioButton5)

    bool operator==(const Settings &) const = default;
};

// What a settings file gives: the settings, the three numbers it sets in the state, and the
// problems found (Russian, one line each); a problem leaves the default of the item it concerns.
struct ParsedSettings {
    Settings settings;
    int max_ur = 6;
    int vt_sm_y = 0;
    int vt_sm_x = 0;
    QStringList problems;
};

// The integer value of `s`, or 0 if it is not a valid whole number.
int ChisloInt(const QString &s);

// The server client's port: the integer value of the "Порт" field.
int ServerPort(const Settings &settings);

// Reads the lines of setting.ini by position; never fails, malformed items fall back to defaults.
ParsedSettings ParseSettingsLines(const QStringList &lines);

// The lines of setting.ini: rooms, "~end~", blocked subjects, "~end~", then items 3..17.
QStringList SettingsLines(const Settings &settings, int vt_sm_y, int vt_sm_x);

// setting.ini in the work folder.
QString SettingsPath();

// Reads setting.ini into the state (settings, max_ur, vt_sm_y, vt_sm_x). A missing file leaves
// everything as it is (NoFile); an unreadable one returns its error and is marked
// (settingsReadError) so SetSave leaves it alone; problems of a readable file are listed in
// `problems`.
text::ReadResult::Status SetLoad(State &state, const QString &path, QStringList *problems = nullptr,
                                 QString *error = nullptr);

// Writes the whole settings file from the state, readable by its owner only (it holds the
// password). A file that could not be read at the last SetLoad is never replaced: false with a
// Russian message naming it.
bool SetSave(State &state, const QString &path, QString *error = nullptr);

// Outcome of adding a room.
enum class AddRoomResult { Empty,
                           Duplicate,
                           Invalid,
                           Added };

// Adds a room unless the text is empty, already listed, "~end~" or holds "|"; then re-sorts the rooms (SortRooms).
AddRoomResult AddRoom(Settings &settings, const QString &room);

// Sorts rooms by UTF-16 code units, a one-character name compared as if preceded by "0"
// (so 5 comes before 12); equal keys keep their order.
void SortRooms(QStringList &rooms);

// Adds a subject to "Блокировать" in list order; false if it is already there (exact comparison).
bool AddBlocked(Settings &settings, const QString &subject);

} // namespace rasp::settings

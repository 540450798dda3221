#include "settings.h"

#include "state.h"
#include "text/listorder.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace rasp::settings {

namespace {

const QString kEnd = u"~end~"_s;

QString flag(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

// Whole number in [low, high], or nothing.
std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// The non-empty lines [from, to), each text once, in list order (equal keys keep file order).
QStringList readBlock(const QStringList &lines, qsizetype from, qsizetype to, QStringList *withBar = nullptr)
{
    QStringList list;
    QSet<QString> seen;
    seen.reserve(to - from);
    for (qsizetype k = from; k < to; ++k) {
        const QString &item = lines.at(k);
        if (item.isEmpty() || seen.contains(item))
            continue;
        seen.insert(item);
        if (withBar && item.contains(QLatin1Char('|')))
            withBar->append(item);
        else
            list.append(item);
    }
    std::stable_sort(list.begin(), list.end(), [](const QString &a, const QString &b) { return text::ListTextLess(a, b); });
    return list;
}

} // namespace

int ChisloInt(const QString &s)
{
    bool ok = false;
    const int value = s.toInt(&ok);
    return ok ? value : 0;
}

int ServerPort(const Settings &settings)
{
    return ChisloInt(settings.port);
}

ParsedSettings ParseSettingsLines(const QStringList &lines)
{
    ParsedSettings out;
    Settings &s = out.settings;
    const qsizetype roomsEnd = lines.indexOf(kEnd);
    if (roomsEnd < 0) {
        out.problems << u"нет строки «~end~» после списка кабинетов"_s;
        return out;
    }
    // A room holding "|" would split its day-file field and shift the rooms after it.
    QStringList withBar;
    s.rooms = readBlock(lines, 0, roomsEnd, &withBar);
    if (!withBar.isEmpty())
        out.problems << (withBar.size() == 1 ? u"кабинет «%1» содержит «|» и пропущен"_s.arg(withBar.first())
                                             : u"кабинеты с «|» пропущены: «%1» и ещё %2"_s.arg(withBar.first()).arg(withBar.size() - 1));
    const qsizetype blockedEnd = lines.indexOf(kEnd, roomsEnd + 1);
    if (blockedEnd < 0) {
        out.problems << u"нет строки «~end~» после списка блокируемых предметов"_s;
        return out;
    }
    s.blocked = readBlock(lines, roomsEnd + 1, blockedEnd);

    // Items 3..17 follow the second block, one line each; a missing line reads as empty. A file
    // cut short is said to be so: its missing lines silently change e.g. the lesson rows.
    auto item = [&](int n) { return lines.value(blockedEnd + n - 2); };
    if (const qsizetype items = lines.size() - blockedEnd - 1; items < 15)
        out.problems << u"после списков есть только %1 из 15 строк настроек, остальные взяты по умолчанию"_s.arg(items);
    s.ip = item(3);
    const QString port = item(4);
    if (port.isEmpty() || wholeNumber(port, 0, kMaxPort))
        s.port = port;
    else
        out.problems << u"порт «%1» не число от 0 до %2"_s.arg(port).arg(kMaxPort);
    s.login = item(5);
    s.password = item(6);
    s.useServer = item(7) == u"1"_s;
    const QString portrait = item(8).isEmpty() ? u"1"_s : item(8);
    if (portrait == u"0"_s)
        s.portrait = false;
    const QString inRow = item(9).isEmpty() ? u"1"_s : item(9);
    if (inRow == u"0"_s)
        s.classesInRow = false;
    s.roomsFromTemplate = item(10) == u"1"_s;
    s.animateMoves = item(11) == u"1"_s;
    const QString rows = item(12);
    if (!rows.isEmpty()) {
        if (const auto n = wholeNumber(rows, kMinLessonRows, kMaxLessonRows))
            s.lessonRows = *n;
        else
            out.problems << u"количество уроков «%1» не число от %2 до %3"_s.arg(rows).arg(kMinLessonRows).arg(kMaxLessonRows);
    }
    out.max_ur = s.lessonRows;
    const QString lastRow = item(13);
    if (!lastRow.isEmpty()) {
        if (const auto n = wholeNumber(lastRow, 0, out.max_ur))
            out.vt_sm_y = *n;
        else
            out.problems << u"окончание первой смены «%1» не число от 0 до %2"_s.arg(lastRow).arg(out.max_ur);
    }
    const QString classes = item(14);
    if (!classes.isEmpty()) {
        if (const auto n = wholeNumber(classes, 0, day::kMaxClasses))
            out.vt_sm_x = *n;
        else
            out.problems << u"начало второй смены «%1» не число от 0 до %2"_s.arg(classes).arg(day::kMaxClasses);
    }
    s.secondShift = item(15) == u"1"_s;
    // Items 16 and 17 select the two radio buttons in turn, so a "1" in 17 wins.
    s.twoTables = item(17) == u"1"_s;
    return out;
}

QStringList SettingsLines(const Settings &s, int vt_sm_y, int vt_sm_x)
{
    QStringList lines;
    lines.reserve(s.rooms.size() + s.blocked.size() + 17);
    lines << s.rooms << kEnd << s.blocked << kEnd;
    lines << s.ip << s.port << s.login << s.password << flag(s.useServer) << flag(s.portrait)
          << flag(s.classesInRow) << flag(s.roomsFromTemplate) << flag(s.animateMoves)
          << QString::number(s.lessonRows) << QString::number(vt_sm_y) << QString::number(vt_sm_x)
          << flag(s.secondShift) << flag(!s.twoTables) << flag(s.twoTables);
    return lines;
}

QString SettingsPath()
{
    return QDir::current().filePath(u"setting.ini"_s);
}

text::ReadResult::Status SetLoad(State &state, const QString &path, QStringList *problems, QString *error)
{
    const text::ReadResult read = text::readLines(path);
    state.settingsReadError = read.status == text::ReadResult::Unreadable ? read.error : QString();
    if (read.status == text::ReadResult::Unreadable)
        state.stamps.forget(path);
    else
        state.stamps.remember(path, read.stamp);
    if (!read.ok()) {
        if (error)
            *error = read.error;
        return read.status;
    }
    ParsedSettings parsed = ParseSettingsLines(read.lines);
    state.settings = std::move(parsed.settings);
    state.max_ur = parsed.max_ur;
    state.vt_sm_y = parsed.vt_sm_y;
    state.vt_sm_x = parsed.vt_sm_x;
    if (problems) {
        *problems = parsed.problems;
        if (!read.warning.isEmpty())
            *problems << read.warning;
    }
    return read.status;
}

bool SetSave(State &state, const QString &path, QString *error)
{
    if (!state.settingsReadError.isEmpty()) {
        if (error)
            *error = text::UnreadableKept(u"Настройки не сохранены"_s, path);
        return false;
    }
    files::FileStamp written;
    if (!text::writeLines(path, SettingsLines(state.settings, state.vt_sm_y, state.vt_sm_x), error,
                          text::Access::OwnerOnly, &written))
        return false;
    state.stamps.remember(path, written);
    return true;
}

AddRoomResult AddRoom(Settings &settings, const QString &room)
{
    if (room.isEmpty())
        return AddRoomResult::Empty;
    if (settings.rooms.contains(room))
        return AddRoomResult::Duplicate;
    // "~end~" would close the rooms block early and "|" would split a day-file field.
    if (room == kEnd || room.contains(QLatin1Char('|')))
        return AddRoomResult::Invalid;
    text::SortedInsert(settings.rooms, room);
    SortRooms(settings.rooms);
    return AddRoomResult::Added;
}

void SortRooms(QStringList &rooms)
{
    auto key = [](const QString &name) { return name.size() == 1 ? QChar(u'0') + name : name; };
    std::stable_sort(rooms.begin(), rooms.end(), [&](const QString &a, const QString &b) { return key(a) < key(b); });
}

bool AddBlocked(Settings &settings, const QString &subject)
{
    if (subject.isEmpty() || subject == kEnd || settings.blocked.contains(subject))
        return false;
    text::SortedInsert(settings.blocked, subject);
    return true;
}

} // namespace rasp::settings

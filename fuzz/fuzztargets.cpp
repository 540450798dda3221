#include "fuzztargets.h"

#include "day/celladdress.h"
#include "day/blocking.h"
#include "day/counters.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "load/nagruzfile.h"
#include "server/notes.h"
#include "server/protocol.h"
#include "settings/settings.h"
#include "refresh.h"
#include "state.h"
#include "stateinvariants.h"
#include "template/setka.h"
#include "text/cp1251.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace rasp::fuzz {

namespace {

// A fresh state as start-up builds it before the load: palette and placeholders.
State freshState(int rows = 6)
{
    State s;
    FillPalette(s);
    s.max_ur = rows;
    BuildPlaceholders(s);
    return s;
}

// Byte k of the input, or 0 past its end.
uchar byteAt(QByteArrayView input, qsizetype k)
{
    return k < input.size() ? uchar(input[k]) : 0;
}

// The subject index as comparable text.
QStringList indexText(const State &s)
{
    QStringList out;
    for (qsizetype k = 0; k < s.RaspUrPredm.predmet.size(); ++k)
        out << s.RaspUrPredm.predmet[k] + u" = "_s + s.RaspUrPredm.uchitel[k];
    return out;
}

// Subjects, rooms and note of the grid as comparable text.
QStringList gridText(const State &s)
{
    QStringList out;
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 0; j <= s.klassvis; ++j)
            out << s.grid.cell(i, j).subject << (j > 0 ? s.grid.cell(i, j).room : QString());
    out << s.note;
    return out;
}

// The small school the day file is read on: four classes, teachers sharing subjects.
State daySchool(int rows)
{
    State s = freshState(rows);
    load::NagruzReport report;
    load::NagruzLoadLines(s,
                          {u"5А|5Б|6А|6Б|"_s, u"Иванова|Алгебра;|Алгебра;||Физика;|"_s,
                           u"Петров|Англ;|Англ;Физ-ра;|Алгебра;||"_s, u"Сидорова Анна|||Англ;|Алгебра;Англ;|"_s,
                           u"Анна||Физ-ра;|||"_s, u"~end~"_s},
                          1, report);
    s.settings.rooms = {u"101"_s, u"102"_s, u"201"_s};
    s.settings.blocked = {u"Физ-ра"_s};
    return s;
}

} // namespace

QString LoadFile(QByteArrayView input)
{
    State s = freshState();
    load::NagruzReport report;
    load::NagruzLoadLines(s, text::splitLines(input), 1, report);
    if (s.klassvis < 0 || s.klassvis > day::kMaxClasses || s.pedvis < 0 || s.pedvis > load::kMaxTeachers)
        return u"классов %1, учителей %2"_s.arg(s.klassvis).arg(s.pedvis);
    const load::TUchPredm &index = s.RaspUrPredm;
    if (index.predmet.size() != index.uchitel.size() || index.predmet.size() != index.Count)
        return u"размеры указателя предметов расходятся"_s;
    QSet<QString> seen;
    for (qsizetype k = 0; k < index.predmet.size(); ++k) {
        if (index.predmet[k].isEmpty() || seen.contains(index.predmet[k]))
            return u"пустой или повторный предмет «%1»"_s.arg(index.predmet[k]);
        seen.insert(index.predmet[k]);
        if (!index.uchitel[k].endsWith(u','))
            return u"учителя предмета «%1» не кончаются запятой"_s.arg(index.predmet[k]);
    }
    // What is written reads back as the same load.
    const QStringList written = load::NagruzLines(s);
    State again = freshState();
    load::NagruzReport report2;
    load::NagruzLoadLines(again, text::splitLines(text::encodeLines(written)), 1, report2);
    if (load::NagruzLines(again) != written)
        return u"нагрузка после записи и чтения другая"_s;
    if (indexText(again) != indexText(s))
        return u"указатель предметов после записи и чтения другой"_s;
    return {};
}

QString DayFile(QByteArrayView input)
{
    // Three header bytes choose the row count and the second-shift bounds, as setting.ini could.
    const int rows = settings::kMinLessonRows + byteAt(input, 0) % (settings::kMaxLessonRows - settings::kMinLessonRows + 1);
    State s = daySchool(rows);
    s.vt_sm_y = byteAt(input, 1) % (rows + 1);
    s.vt_sm_x = byteAt(input, 2) % (day::kMaxClasses + 1);
    const QStringList lines = text::splitLines(input.sliced(std::min<qsizetype>(3, input.size())));
    day::RaspClear(s);
    day::ApplyDayFileLines(s, lines, 1);
    // The refresh after loading, as the editor and the CLI run it.
    Refresh(s, refresh::DayLoadedHeadless);
    day::MaxUrVsego(s);
    day::NetUchit(s);
    if (const QStringList broken = CheckInvariants(s); !broken.isEmpty())
        return u"состояние противоречиво: "_s + broken.join(u"; "_s);
    if (s.max_ur != rows || s.klassvis != 4)
        return u"сетка изменила размер: %1 x %2"_s.arg(s.max_ur).arg(s.klassvis);
    if (day::ShiftClassBound(s) < 0 || day::ShiftClassBound(s) > s.klassvis || day::ShiftRowBound(s) < 0
        || day::ShiftRowBound(s) > s.max_ur)
        return u"границы смен вне сетки: %1, %2"_s.arg(day::ShiftClassBound(s)).arg(day::ShiftRowBound(s));
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= s.klassvis; ++j)
            if (s.grid.cell(i, j).subject.contains(u'|') || s.grid.cell(i, j).room.contains(u'|'))
                return u"поле ячейки %1;%2 содержит «|»"_s.arg(i).arg(j);
    if (s.note.split(u'\n').contains(u"~end~"_s))
        return u"заметка содержит строку «~end~»"_s;
    // What is written reads back as the same day: writing it again gives the same lines.
    const QStringList written = day::DayFileLines(s);
    State again = daySchool(rows);
    day::RaspClear(again);
    day::ApplyDayFileLines(again, text::splitLines(text::encodeLines(written)), 1);
    if (gridText(again) != gridText(s) || day::DayFileLines(again) != written)
        return u"день после записи и чтения другой"_s;
    return {};
}

QString TemplateFile(QByteArrayView input)
{
    // A memory-backed folder where there is one: every save syncs seven files to disk.
    static const auto work = std::make_unique<QTemporaryDir>(
        QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/rasp-fuzz-XXXXXX"_s : QDir::tempPath() + u"/rasp-fuzz-XXXXXX"_s);
    const QDir dir(work->path());
    dir.mkpath(u"setka"_s);
    const int rows = settings::kMinLessonRows + byteAt(input, 0) % (settings::kMaxLessonRows - settings::kMinLessonRows + 1);
    {
        QFile f(dir.filePath(tmpl::SetkaPath(1)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return u"файл сетки не записывается"_s;
        f.write(input.sliced(std::min<qsizetype>(1, input.size())).toByteArray());
    }
    State s = daySchool(rows);
    tmpl::SetkaLoad(s, dir.path());
    const auto texts = [rows](const State &st) {
        QStringList out;
        const tmpl::TSetkaMas &d = st.Setka[1];
        for (int i = 1; i <= rows; ++i)
            for (int j = 0; j <= st.klassvis; ++j) {
                // A save empties single blanks of the lessons.
                const QString ur = d.ur(i, j);
                out << (j > 0 && ur == u" "_s ? QString() : ur) << (j > 0 ? d.kab(i, j) : QString());
            }
        return out;
    };
    const QStringList first = texts(s);
    s.vibr_den_set = 2; // the grid (empty) goes into Tuesday; Monday is saved as read
    if (!tmpl::SetkaSave(s, dir.path()).isEmpty())
        return u"сетка не сохранилась"_s;
    State again = daySchool(rows);
    tmpl::SetkaLoad(again, dir.path());
    if (texts(again) != first)
        return u"сетка после записи и чтения другая"_s;
    return {};
}

QString SettingsFile(QByteArrayView input)
{
    const settings::ParsedSettings p = settings::ParseSettingsLines(text::splitLines(input));
    if (p.max_ur < settings::kMinLessonRows || p.max_ur > settings::kMaxLessonRows || p.max_ur != p.settings.lessonRows)
        return u"max_ur %1"_s.arg(p.max_ur);
    if (p.vt_sm_y < 0 || p.vt_sm_y > p.max_ur || p.vt_sm_x < 0 || p.vt_sm_x > day::kMaxClasses)
        return u"границы смен %1, %2"_s.arg(p.vt_sm_y).arg(p.vt_sm_x);
    if (!p.settings.port.isEmpty()) {
        bool ok = false;
        const int port = p.settings.port.toInt(&ok);
        if (!ok || port < 0 || port > settings::kMaxPort)
            return u"порт «%1»"_s.arg(p.settings.port);
    }
    for (const QStringList *list : {&p.settings.rooms, &p.settings.blocked}) {
        if (QSet<QString>(list->begin(), list->end()).size() != list->size())
            return u"повтор в списке"_s;
        for (const QString &item : *list)
            if (item.isEmpty() || item == u"~end~"_s)
                return u"пустой элемент или «~end~» в списке"_s;
    }
    for (const QString &room : p.settings.rooms)
        if (room.contains(u'|'))
            return u"кабинет «%1» с «|»"_s.arg(room);
    // What is written reads back the same, without problems.
    const settings::ParsedSettings again = settings::ParseSettingsLines(
        text::splitLines(text::encodeLines(settings::SettingsLines(p.settings, p.vt_sm_y, p.vt_sm_x))));
    if (!(again.settings == p.settings) || again.max_ur != p.max_ur || again.vt_sm_y != p.vt_sm_y
        || again.vt_sm_x != p.vt_sm_x)
        return u"настройки после записи и чтения другие"_s;
    if (!again.problems.isEmpty())
        return u"записанный файл настроек повреждён: "_s + again.problems.join(u"; "_s);
    return {};
}

QString ServerReply(QByteArrayView input)
{
    const QString reply = QString::fromUtf8(input);
    const std::vector<server::ReplyAction> actions = server::ParseReply(reply);
    if (actions.size() > 8 || actions.size() % 2 != 0)
        return u"действий: %1"_s.arg(actions.size());
    for (std::size_t k = 0; k < actions.size(); ++k) {
        const server::ReplyAction &a = actions[k];
        if (a.kind == server::ReplyAction::ShowMessage && !reply.endsWith(a.text))
            return u"сообщение не из ответа"_s;
        if (a.kind == server::ReplyAction::StoreConec
            && (k + 1 >= actions.size() || actions[k + 1].kind != server::ReplyAction::SendZameV))
            return u"после «conec» нет запроса заметок"_s;
    }
    // A request line is UTF-8 of the Windows-1251 repertoire ended by CR LF, and stable.
    const QByteArray line = server::RequestLine(reply);
    if (!line.endsWith("\r\n"))
        return u"строка запроса не кончается CR LF"_s;
    const QString sent = QString::fromUtf8(line.chopped(2));
    if (server::RequestLine(sent) != line)
        return u"строка запроса меняется при повторе"_s;
    if (text::decode1251(text::encode1251(sent)) != sent)
        return u"в строке запроса знаки вне Windows-1251"_s;
    return {};
}

QString NotesFile(QByteArrayView input)
{
    const qsizetype eol = input.indexOf('\n');
    const QByteArrayView contentType = eol < 0 ? QByteArrayView() : input.first(std::min<qsizetype>(eol, 200));
    const QByteArrayView body = eol < 0 ? input : input.sliced(eol + 1);
    const server::NotesRebuild r = server::ReadNotes(body, contentType, u"09.12.2026"_s);
    if (r.board.cards.size() > std::size_t(server::kMaxNoteCards) + 1)
        return u"карточек: %1"_s.arg(r.board.cards.size());
    for (const server::NoteCard &card : r.board.cards) {
        if (card.body.size() > server::kMaxNoteBodyChars
            || card.leftHeading.size() > 2 * server::kMaxNoteFieldChars + 1
            || card.rightHeading.size() > 2 * server::kMaxNoteFieldChars + 1)
            return u"карточка больше своих пределов"_s;
    }
    if (r.tmp0.size() > 2 * server::kMaxNotesBytes + 2)
        return u"tmp0.ini больше предела"_s;
    // The board read from the working copy is the board built.
    if (!r.fetchedEmpty && server::NotesCards(r.tmp).cards != r.board.cards)
        return u"доска из tmp.ini другая"_s;
    return {};
}

QString DatesAndAddresses(QByteArrayView input)
{
    const QString textIn = QString::fromLatin1(input);
    const QDate date = text::ParseShortDate(textIn);
    if (date.isValid() && text::ShortDate(date) != textIn)
        return u"дата «%1» пишется как «%2»"_s.arg(textIn, text::ShortDate(date));
    if (date.isValid() && text::ParseShortDate(text::ShortDate(date)) != date)
        return u"дата не читается обратно"_s;
    int row = 0, column = 0;
    if (day::ParseCellHint(textIn, &row, &column)) {
        int r2 = -1, c2 = -1;
        if (!day::ParseCellHint(day::CellHint(row, column), &r2, &c2) || r2 != row || c2 != column)
            return u"адрес «%1» не читается обратно"_s.arg(textIn);
    }
    // Tags of every cell the grid can have: two bytes give a row 0..16 and a column 0..200.
    const int r = byteAt(input, 0) % (settings::kMaxLessonRows + 1);
    const int c = (byteAt(input, 1) | byteAt(input, 2) << 8) % (day::kMaxClasses + 1);
    const int tag = day::CellTag(r, c);
    if (day::TagRow(tag) != r || day::TagColumn(tag) != c)
        return u"метка %1 не даёт ячейку %2;%3"_s.arg(tag).arg(r).arg(c);
    return {};
}

} // namespace rasp::fuzz

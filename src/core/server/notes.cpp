// Server link: the notes file, its two working copies and the cards of the notes board.
#include "notes.h"

#include "files/atomicfile.h"
#include "files/systemreason.h"

#include "text/cp1251.h"
#include "text/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::server {

namespace {

// Cuts a text shown on a card to `limit` characters, ending a cut text with "…".
QString shorten(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype n = limit - 1;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n; // never split a surrogate pair
    return text.left(n) + u'…';
}

// Whether every character is a hexadecimal digit.
bool allHex(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    });
}

// The charset parameter of a Content-Type header, lower case and unquoted; empty if none.
QByteArray charsetOf(QByteArrayView contentType)
{
    for (const QByteArray &part : contentType.toByteArray().split(';')) {
        const QByteArray p = part.trimmed().toLower();
        if (p.startsWith("charset=")) {
            QByteArray cs = p.mid(8).trimmed();
            if (cs.size() >= 2 && (cs.startsWith('"') || cs.startsWith('\'')))
                cs = cs.mid(1, cs.size() - 2);
            return cs.trimmed();
        }
    }
    return {};
}

} // namespace

QString Tmp0Path()
{
    return QDir(u"r_data"_s).filePath(u"tmp0.ini"_s);
}

QString TmpPath()
{
    return QDir(u"r_data"_s).filePath(u"tmp.ini"_s);
}

Note SplitNote(QStringView line)
{
    QString *fields[8];
    Note n;
    fields[0] = &n.dat;
    fields[1] = &n.tim;
    fields[2] = &n.log;
    fields[3] = &n.par;
    fields[4] = &n.im;
    fields[5] = &n.dolgn;
    fields[6] = &n.soobsen;
    fields[7] = &n.cvet;
    QStringView rest = line;
    for (QString *field : fields) {
        const qsizetype pos = rest.indexOf(simv);
        if (pos < 0)
            continue; // empty field; the rest stays as it is
        *field = rest.left(pos).toString();
        rest = rest.sliced(pos + 1);
    }
    return n;
}

QString NoteKey(const Note &note)
{
    return note.dat + simv + note.tim + simv + note.log + simv + note.par + simv + note.im + simv;
}

QString BrDel(QString ss)
{
    ss.replace(u"<br>"_s, u"\r\n"_s);
    return ss;
}

std::optional<quint32> NoteColour(QStringView cvet)
{
    const QStringView digits = cvet.mid(1, 8);
    if (digits.isEmpty() || !allHex(digits))
        return std::nullopt;
    return digits.toUInt(nullptr, 16);
}

QString DecodeNotesText(QByteArrayView body, QByteArrayView contentType)
{
    const QByteArray cs = charsetOf(contentType);
    if (cs == "windows-1251" || cs == "cp1251" || cs == "x-cp1251")
        return text::decode1251(body);
    if (!cs.isEmpty()) {
        QStringDecoder named(cs.constData());
        if (named.isValid())
            return named.decode(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return text::decode1251(body);
}

QByteArray CutNotesBody(QByteArrayView body, qsizetype limit)
{
    if (body.size() <= limit)
        return body.toByteArray();
    const qsizetype lastEnd = body.first(limit).lastIndexOf('\n');
    return lastEnd < 0 ? QByteArray() : body.first(lastEnd + 1).toByteArray();
}

QByteArray Tmp0Bytes(const QString &fetched)
{
    return text::encode1251(fetched) + "\r\n";
}

QStringList DayNoteLines(QByteArrayView tmp0, const QString &date)
{
    QStringList day;
    for (const QString &line : text::splitLines(tmp0)) {
        if (line.isEmpty())
            break; // the file ends at its first empty line
        const qsizetype sep = line.indexOf(simv);
        if (sep >= 0 && QStringView(line).left(sep) == date)
            day.append(line);
    }
    std::reverse(day.begin(), day.end());
    return day;
}

QByteArray TmpBytes(const QStringList &dayLines)
{
    return text::encode1251(dayLines.join(u"\r\n"_s)) + "\r\n";
}

QString MoreNotesText(qsizetype n)
{
    return u"… и еще "_s + QString::number(n);
}

NotesBoardModel NotesCards(QByteArrayView tmp, int maxCards)
{
    QStringList lines;
    for (const QString &line : text::splitLines(tmp)) {
        if (line.isEmpty())
            break;
        lines.append(line);
    }
    // tmp.ini holds the day in reverse; the board shows the file's order from the top.
    NotesBoardModel model;
    const qsizetype total = lines.size();
    const qsizetype built = std::min<qsizetype>(total, std::max(maxCards, 0));
    model.cards.reserve(built + 1);
    for (qsizetype i = 0; i < built; ++i) {
        const Note n = SplitNote(lines.at(total - 1 - i));
        NoteCard card;
        card.key = NoteKey(n);
        card.leftHeading = shorten(n.dat, kMaxNoteFieldChars) + u'\r' + shorten(n.tim, kMaxNoteFieldChars);
        card.rightHeading = shorten(n.im, kMaxNoteFieldChars) + u'\r' + shorten(n.dolgn, kMaxNoteFieldChars);
        card.body = BrDel(shorten(n.soobsen, kMaxNoteBodyChars));
        card.fill = NoteColour(n.cvet);
        model.cards.push_back(std::move(card));
    }
    if (total > built) {
        NoteCard more;
        more.body = MoreNotesText(total - built);
        model.cards.push_back(std::move(more));
    }
    return model;
}

NotesRebuild PrepareNotes(const QString &fetched, const QString &date)
{
    NotesRebuild r;
    r.fetchedEmpty = fetched.isEmpty();
    if (r.fetchedEmpty)
        return r;
    r.tmp0 = Tmp0Bytes(fetched);
    r.tmp = TmpBytes(DayNoteLines(r.tmp0, date));
    r.board = NotesCards(r.tmp);
    return r;
}

NotesRebuild ReadNotes(QByteArrayView body, QByteArrayView contentType, const QString &date)
{
    return PrepareNotes(DecodeNotesText(CutNotesBody(body), contentType), date);
}

bool WriteNotesFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString dir = QFileInfo(path).path();
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = files::NotWritten(path, u"папка не создаётся"_s);
        return false;
    }
    return files::WriteWhole(path, bytes, error);
}

} // namespace rasp::server

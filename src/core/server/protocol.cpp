#include "protocol.h"

#include "state.h"
#include "text/cp1251.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::server {

QString ConecRequest(const QString &login, const QString &password)
{
    return kConecDisp.toString() + login + u';' + password;
}

QString ZameVRequest(const QString &login, const QString &password)
{
    return kZameVDisp.toString() + login + u';' + password + u';';
}

QString PublRequest(const QString &organisation, const QString &date, const QString &payload)
{
    return kPubllDisp.toString() + organisation + u';' + date + u';' + payload;
}

QString PubdeRequest(const QString &date)
{
    return kPubdeDisp.toString() + date;
}

QString ZameDRequest(const QString &login, const QString &password, const QString &key)
{
    const QChar vt(0x0B);
    return kZameDDisp.toString() + login + vt + password + vt + key;
}

QString Organisation(const QString &text)
{
    QString s = text;
    s.remove(u';');
    return s;
}

QString DayPayload(const State &state)
{
    const int classes = std::max(state.klassvis, 0);
    int last = 0;
    for (int r = state.max_ur; r >= 1 && last == 0; --r) {
        for (int k = 1; k <= classes; ++k) {
            if (!state.grid.cell(r, k).subject.isEmpty()) {
                last = r;
                break;
            }
        }
    }
    QString out;
    for (int k = 1; k <= classes; ++k)
        out += state.grid.cell(0, k).subject + u'$';
    out += u"||"_s;
    for (int r = 1; r <= last; ++r) {
        for (int k = 1; k <= classes; ++k) {
            const day::Cell &c = state.grid.cell(r, k);
            out += c.subject + u'$' + c.room + u'$';
        }
        out += u'|';
    }
    return out;
}

QByteArray RequestLine(const QString &request)
{
    // Through the 8-bit code page and back: anything outside it becomes '?'.
    QByteArray line = text::decode1251(text::encode1251(request)).toUtf8();
    line += "\r\n";
    return line;
}

QString NoAccessText()
{
    return u"У вас нет прав доступа к серверу расписания"_s;
}

QString NoReplyText()
{
    return u"Сервер не ответил. Попробуйте еще раз"_s;
}

std::vector<ReplyAction> ParseReply(QString r)
{
    std::vector<ReplyAction> actions;
    if (r.isEmpty())
        return actions;
    if (r.startsWith(u"soobs"_s)) {
        r.remove(0, 5);
        actions.push_back({ReplyAction::ShowMessage, r, {}, {}, {}});
        actions.push_back({ReplyAction::Disconnect, {}, {}, {}, {}});
    }
    if (r.startsWith(u"conec"_s)) {
        r.remove(0, 5);
        QString fields[12];
        for (int i = 1; i <= 11; ++i) {
            const qsizetype pos = r.indexOf(u'$');
            if (pos < 0)
                continue; // the field is empty and the text stays as it is
            fields[i] = r.left(pos);
            r.remove(0, pos + 1);
        }
        actions.push_back({ReplyAction::StoreConec, {}, fields[2], fields[9], fields[10]});
        actions.push_back({ReplyAction::SendZameV, {}, {}, {}, {}});
    }
    if (r.startsWith(u"zameV"_s)) {
        actions.push_back({ReplyAction::RebuildNotes, {}, {}, {}, {}});
        actions.push_back({ReplyAction::Disconnect, {}, {}, {}, {}});
    }
    if (r == u"error"_s) {
        actions.push_back({ReplyAction::ShowNoAccess, {}, {}, {}, {}});
        actions.push_back({ReplyAction::Disconnect, {}, {}, {}, {}});
    }
    return actions;
}

} // namespace rasp::server

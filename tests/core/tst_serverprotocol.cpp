// The schedule server's texts: the request forms, the line that travels, the day as a
// publication carries it, and how a reply is read step by step.
#include "day/gridops.h"
#include "server/protocol.h"
#include "server/replyreader.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::server::ReplyAction;

Q_DECLARE_METATYPE(std::vector<ReplyAction>)

namespace rasp::server {
// Prints the actions on a failed comparison.
char *toString(const std::vector<ReplyAction> &actions)
{
    QStringList parts;
    for (const ReplyAction &a : actions)
        parts << QString::number(a.kind) + u'[' + a.text + u'|' + a.portHttp + u'|' + a.notesUser + u'|'
                     + a.notesPassword + u']';
    return qstrdup(parts.join(u", "_s).toUtf8().constData());
}
} // namespace rasp::server

namespace {

// A state with the given classes and max_ur rows; rows[r-1][k-1] is "subject\troom".
rasp::State dayOf(const QStringList &classes, int maxUr, const QList<QStringList> &rows)
{
    rasp::State s;
    s.max_ur = maxUr;
    rasp::day::KlassCreate(s);
    for (const QString &name : classes) {
        const int k = rasp::day::KlassCreate(s);
        s.grid.cell(0, k).subject = name;
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int k = 0; k < rows[r].size(); ++k) {
            const QStringList parts = rows[r][k].split(u'\t');
            s.grid.cell(r + 1, k + 1).subject = parts.value(0);
            s.grid.cell(r + 1, k + 1).room = parts.value(1);
        }
    }
    return s;
}

ReplyAction act(ReplyAction::Kind kind, const QString &text = {})
{
    return {kind, text, {}, {}, {}};
}

ReplyAction conec(const QString &port, const QString &user, const QString &password)
{
    return {ReplyAction::StoreConec, {}, port, user, password};
}

} // namespace

class TstServerProtocol : public QObject
{
    Q_OBJECT

private slots:
    void requests_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("expected");
        const QString vt(QChar(0x0B));
        QTest::newRow("conec: no trailing ;")
            << rasp::server::ConecRequest(u"школа7"_s, u"пароль"_s) << u"conecDispшкола7;пароль"_s;
        QTest::newRow("zameV: trailing ;")
            << rasp::server::ZameVRequest(u"школа7"_s, u"пароль"_s) << u"zameVDispшкола7;пароль;"_s;
        QTest::newRow("publl") << rasp::server::PublRequest(u"Школа 7"_s, u"09.12.2026"_s, u"5а$||"_s)
                               << u"publlDispШкола 7;09.12.2026;5а$||"_s;
        QTest::newRow("pubde") << rasp::server::PubdeRequest(u"09.12.2026"_s) << u"pubdeDisp09.12.2026"_s;
        QTest::newRow("zameD: VT separators, key kept")
            << rasp::server::ZameDRequest(u"log"_s, u"par"_s, u"01.02.2026"_s + vt + u"10:00"_s + vt)
            << u"zameDDisplog"_s + vt + u"par"_s + vt + u"01.02.2026"_s + vt + u"10:00"_s + vt;
        QTest::newRow("organisation loses ;") << rasp::server::Organisation(u"Школа;7;"_s) << u"Школа7"_s;
    }
    void requests()
    {
        QFETCH(QString, request);
        QFETCH(QString, expected);
        QCOMPARE(request, expected);
    }

    void requestLine_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << u"pubdeDisp09.12.2026"_s << QByteArray("pubdeDisp09.12.2026\r\n");
        QTest::newRow("cyrillic travels as UTF-8")
            << u"conecDispЖ;ё"_s << QByteArray("conecDisp\xD0\x96;\xD1\x91\r\n");
        QTest::newRow("code-page symbols kept") << u"€№"_s << QByteArray("\xE2\x82\xAC\xE2\x84\x96\r\n");
        QTest::newRow("outside the code page becomes ?")
            << u"a中b😀c"_s << QByteArray("a?b?c\r\n");
        QTest::newRow("VT kept") << u"a\u000Bb"_s << QByteArray("a\x0B"
                                                                "b\r\n");
    }
    void requestLine()
    {
        QFETCH(QString, request);
        QFETCH(QByteArray, bytes);
        QCOMPARE(rasp::server::RequestLine(request), bytes);
    }

    void dayPayload_data()
    {
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<int>("maxUr");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("payload");
        QTest::newRow("two classes, two lessons")
            << QStringList{u"5а"_s, u"5б"_s} << 6
            << QList<QStringList>{{u"Математика\t12"_s, u""_s}, {u""_s, u"Физика"_s}}
            << u"5а$5б$||Математика$12$$$|$$Физика$$|"_s;
        QTest::newRow("empty day: header and || only")
            << QStringList{u"5а"_s, u"5б"_s} << 6 << QList<QStringList>{} << u"5а$5б$||"_s;
        QTest::newRow("rooms alone do not make a row count")
            << QStringList{u"5а"_s} << 6 << QList<QStringList>{{u"\t12"_s}, {u"\t14"_s}} << u"5а$||"_s;
        QTest::newRow("empty rows before the last one are sent, after it not")
            << QStringList{u"5а"_s, u"5б"_s} << 8
            << QList<QStringList>{{u""_s, u""_s}, {u""_s, u""_s}, {u"Химия\t3"_s, u""_s}}
            << u"5а$5б$||$$$$|$$$$|Химия$3$$$|"_s;
        QTest::newRow("last row of the grid")
            << QStringList{u"9а"_s} << 6
            << QList<QStringList>{{u""_s}, {u""_s}, {u""_s}, {u""_s}, {u""_s}, {u"ИЗО\t1/2"_s}}
            << u"9а$||$$|$$|$$|$$|$$|ИЗО$1/2$|"_s;
        QTest::newRow("$ and | sent unchanged")
            << QStringList{u"5$а"_s} << 6 << QList<QStringList>{{u"Ма|т\t1$2"_s}} << u"5$а$||Ма|т$1$2$|"_s;
        QTest::newRow("no classes") << QStringList{} << 6 << QList<QStringList>{} << u"||"_s;
    }
    void dayPayload()
    {
        QFETCH(QStringList, classes);
        QFETCH(int, maxUr);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, payload);
        QCOMPARE(rasp::server::DayPayload(dayOf(classes, maxUr, rows)), payload);
    }

    void parseReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<std::vector<ReplyAction>>("actions");
        const auto dis = act(ReplyAction::Disconnect);
        const auto zameV = act(ReplyAction::SendZameV);
        QTest::newRow("empty") << QString() << std::vector<ReplyAction>{};
        QTest::newRow("soobs") << u"soobsРасписание опубликовано"_s
                               << std::vector{act(ReplyAction::ShowMessage, u"Расписание опубликовано"_s), dis};
        QTest::newRow("soobs, empty text") << u"soobs"_s << std::vector{act(ReplyAction::ShowMessage), dis};
        QTest::newRow("conec, eleven fields")
            << u"conecf1$8080$f3$f4$f5$f6$f7$f8$user$pass$f11$"_s
            << std::vector{conec(u"8080"_s, u"user"_s, u"pass"_s), zameV};
        QTest::newRow("conec, fewer fields leave the rest empty")
            << u"conecf1$8080$f3$"_s << std::vector{conec(u"8080"_s, {}, {}), zameV};
        QTest::newRow("conec, no $ at all") << u"conec8080"_s << std::vector{conec({}, {}, {}), zameV};
        QTest::newRow("conec, then zameV in the rest")
            << u"conec1$2$3$4$5$6$7$8$9$10$11$zameV"_s
            << std::vector{conec(u"2"_s, u"9"_s, u"10"_s), zameV, act(ReplyAction::RebuildNotes), dis};
        QTest::newRow("zameV with anything") << u"zameVok\r\n"_s << std::vector{act(ReplyAction::RebuildNotes), dis};
        QTest::newRow("error") << u"error"_s << std::vector{act(ReplyAction::ShowNoAccess), dis};
        QTest::newRow("error and a line end matches nothing") << u"error\r\n"_s << std::vector<ReplyAction>{};
        QTest::newRow("unknown tag") << u"hello"_s << std::vector<ReplyAction>{};
        QTest::newRow("second piece of a split reply") << u"бликовано"_s << std::vector<ReplyAction>{};
        QTest::newRow("tag not at the start") << u" soobsx"_s << std::vector<ReplyAction>{};
        QTest::newRow("soobs whose text starts with a tag: later checks see the rest")
            << u"soobserror"_s
            << std::vector{act(ReplyAction::ShowMessage, u"error"_s), dis, act(ReplyAction::ShowNoAccess), dis};
    }
    void parseReply()
    {
        QFETCH(QString, reply);
        QFETCH(std::vector<ReplyAction>, actions);
        QCOMPARE(rasp::server::ParseReply(reply), actions);
    }

    // One exchange's reads: decoded across reads and bounded (limit 8 bytes here).
    void replyReader_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("over");
        const QByteArray zh = u"Ж"_s.toUtf8(); // two bytes
        QTest::newRow("character split between reads: whole in the second")
            << QList<QByteArray>{"ab" + zh.left(1), zh.mid(1) + "c"} << QStringList{u"ab"_s, u"Жc"_s} << false;
        QTest::newRow("exactly the limit") << QList<QByteArray>{"12345678"} << QStringList{u"12345678"_s} << false;
        QTest::newRow("past the limit in one read: the rest dropped")
            << QList<QByteArray>{"123456789"} << QStringList{u"12345678"_s} << true;
        QTest::newRow("past the limit over reads")
            << QList<QByteArray>{"12345", "6789", "0"} << QStringList{u"12345"_s, u"678"_s, u""_s} << true;
        QTest::newRow("invalid bytes become a replacement, never a stop")
            << QList<QByteArray>{"a\xFF"
                                 "b"}
            << QStringList{u"a\uFFFDb"_s} << false;
    }
    void replyReader()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QStringList, texts);
        QFETCH(bool, over);
        rasp::server::ReplyReader reader(8);
        QStringList got;
        for (const QByteArray &r : reads)
            got << reader.take(r);
        QCOMPARE(got, texts);
        QCOMPARE(reader.overLimit(), over);
        reader.take("\xD0"); // a character cut off as the exchange ends
        reader.reset();      // a fresh exchange reads again, with nothing left over
        QCOMPARE(reader.take("xy"), u"xy"_s);
        QVERIFY(!reader.overLimit());
    }
};

QTEST_GUILESS_MAIN(TstServerProtocol)
#include "tst_serverprotocol.moc"

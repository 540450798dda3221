// The notes file: its fields and key, the colour of a card, the decoding of the fetched text,
// the two working copies (bytes, order, filter by date) and the cards built from them,
// including the bounds that keep a hostile file small, and the cards' two layouts.
#include "server/notes.h"
#include "server/noteslayout.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::server::simv;

Q_DECLARE_METATYPE(std::optional<quint32>)
Q_DECLARE_METATYPE(rasp::server::CardLayout)

namespace {

// A notes line: every field followed by the separator.
QString noteLine(const QStringList &fields)
{
    QString s;
    for (const QString &f : fields)
        s += f + simv;
    return s;
}

// A note for `date` whose message is `text` (ASCII elsewhere, so its bytes are easy to state).
QString note(const QString &date, const QString &text)
{
    return noteLine({date, u"10:15"_s, u"ivanova"_s, u"pw"_s, u"Ivanova"_s, u"head"_s, text, u"#FF3A7BD5"_s});
}

// The bodies of the board's cards, top to bottom.
QStringList bodies(const rasp::server::NotesBoardModel &m)
{
    QStringList out;
    for (const auto &c : m.cards)
        out << c.body;
    return out;
}

} // namespace

class TstNotesFile : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAndKey_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("eight fields, text after the eighth ignored")
            << noteLine({u"09.12.2026"_s, u"08:30"_s, u"log"_s, u"par"_s, u"Петров"_s, u"учитель"_s,
                         u"Текст"_s, u"#FF000000"_s})
                   + u"хвост"_s
            << QStringList{u"09.12.2026"_s, u"08:30"_s, u"log"_s, u"par"_s, u"Петров"_s, u"учитель"_s,
                           u"Текст"_s, u"#FF000000"_s};
        QTest::newRow("missing separator after the colour: colour empty")
            << noteLine({u"d"_s, u"t"_s, u"l"_s, u"p"_s, u"i"_s, u"o"_s, u"s"_s}) + u"#FF000000"_s
            << QStringList{u"d"_s, u"t"_s, u"l"_s, u"p"_s, u"i"_s, u"o"_s, u"s"_s, u""_s};
        QTest::newRow("no separator at all: every field empty")
            << u"09.12.2026 заметка"_s << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("empty fields stay in place")
            << noteLine({u"d"_s, u""_s, u""_s, u""_s, u"i"_s, u""_s, u""_s, u""_s})
            << QStringList{u"d"_s, u""_s, u""_s, u""_s, u"i"_s, u""_s, u""_s, u""_s};
    }
    void fieldsAndKey()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        const rasp::server::Note n = rasp::server::SplitNote(line);
        QCOMPARE((QStringList{n.dat, n.tim, n.log, n.par, n.im, n.dolgn, n.soobsen, n.cvet}), fields);
        QCOMPARE(rasp::server::NoteKey(n), noteLine(fields.first(5)));
    }

    void colour_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<std::optional<quint32>>("argb");
        QTest::newRow("opaque") << u"#FF3A7BD5"_s << std::optional<quint32>(0xFF3A7BD5);
        QTest::newRow("half-transparent red") << u"#80FF0000"_s << std::optional<quint32>(0x80FF0000);
        QTest::newRow("six digits: alpha 0, invisible") << u"#FF0000"_s << std::optional<quint32>(0x00FF0000);
        QTest::newRow("lower case") << u"#ff3a7bd5"_s << std::optional<quint32>(0xFF3A7BD5);
        QTest::newRow("only eight characters after the first") << u"#FF3A7BD5EE"_s << std::optional<quint32>(0xFF3A7BD5);
        QTest::newRow("empty: no fill") << u""_s << std::optional<quint32>();
        QTest::newRow("# alone: no fill") << u"#"_s << std::optional<quint32>();
        QTest::newRow("not hexadecimal: no fill") << u"#GG000000"_s << std::optional<quint32>();
        QTest::newRow("sign or blank: no fill") << u"#+FF00000"_s << std::optional<quint32>();
        QTest::newRow("colour name: no fill") << u"#blue"_s << std::optional<quint32>();
    }
    void colour()
    {
        QFETCH(QString, field);
        QFETCH(std::optional<quint32>, argb);
        QCOMPARE(rasp::server::NoteColour(field), argb);
    }

    void brBecomesLineBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two in a row: empty middle line") << u"раз<br><br>два"_s << u"раз\r\n\r\nдва"_s;
        QTest::newRow("at both ends") << u"<br>x<br>"_s << u"\r\nx\r\n"_s;
        QTest::newRow("only lower case") << u"a<BR>b<br/>c"_s << u"a<BR>b<br/>c"_s;
        QTest::newRow("markup stays text") << u"<b>жирный</b> &amp;"_s << u"<b>жирный</b> &amp;"_s;
    }
    void brBecomesLineBreak()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(rasp::server::BrDel(text), shown);
    }

    void decodesByDeclaredCharset_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        const QByteArray cp = "\xC7\xE0\xEC\xE5\xF2\xEA\xE0"; // "Заметка" in Windows-1251
        const QByteArray utf = u"Заметка"_s.toUtf8();
        QTest::newRow("windows-1251") << cp << QByteArray("text/plain; charset=windows-1251");
        QTest::newRow("quoted, upper case") << cp << QByteArray("text/plain;charset=\"Windows-1251\"");
        QTest::newRow("utf-8") << utf << QByteArray("text/plain; charset=utf-8");
        QTest::newRow("koi8-r") << QByteArray("\xFA\xC1\xCD\xC5\xD4\xCB\xC1") << QByteArray("text/plain; charset=KOI8-R");
        QTest::newRow("none, valid UTF-8") << utf << QByteArray("text/plain");
        QTest::newRow("none, not UTF-8: Windows-1251") << cp << QByteArray();
        QTest::newRow("unknown charset: guessed") << cp << QByteArray("text/plain; charset=x-nonsense");
    }
    void decodesByDeclaredCharset()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QCOMPARE(rasp::server::DecodeNotesText(body, contentType), u"Заметка"_s);
    }

    // The working copies and the board for one fetched text and the day 09.12.2026.
    void rebuild_data()
    {
        QTest::addColumn<QString>("fetched");
        QTest::addColumn<QByteArray>("tmp");
        QTest::addColumn<QStringList>("cards");
        const QString day = u"09.12.2026"_s;
        // tmp.ini bytes of ASCII lines: each followed by CR LF.
        auto bytes = [](const QStringList &lines) {
            QByteArray out;
            for (const QString &l : lines)
                out += l.toLatin1() + "\r\n";
            return out;
        };
        const QString aA = note(day, u"A"_s), bB = note(day, u"B"_s), oO = note(u"10.12.2026"_s, u"O"_s);
        QTest::newRow("only other days: one empty line, nothing shown")
            << oO + u"\r\n"_s + note(u"08.12.2026"_s, u"X"_s) << QByteArray("\r\n") << QStringList{};
        QTest::newRow("two notes: tmp.ini reversed, board in file order")
            << aA + u"\r\n"_s + oO + u"\r\n"_s + bB << bytes({bB, aA}) << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("date without its leading zero not shown")
            << note(u"9.12.2026"_s, u"A"_s) + u"\r\n"_s + bB << bytes({bB}) << QStringList{u"B"_s};
        QTest::newRow("an empty line hides what follows")
            << aA + u"\r\n\r\n"_s + bB << bytes({aA}) << QStringList{u"A"_s};
        QTest::newRow("LF line ends read too") << aA + u"\n"_s + bB + u"\n"_s << bytes({bB, aA})
                                               << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("a line without separators is skipped")
            << u"09.12.2026 A\r\n"_s + bB << bytes({bB}) << QStringList{u"B"_s};
        QTest::newRow("<br><br>: three lines") << note(day, u"x<br><br>y"_s) << bytes({note(day, u"x<br><br>y"_s)})
                                               << QStringList{u"x\r\n\r\ny"_s};
    }
    void rebuild()
    {
        QFETCH(QString, fetched);
        QFETCH(QByteArray, tmp);
        QFETCH(QStringList, cards);
        const rasp::server::NotesRebuild r = rasp::server::PrepareNotes(fetched, u"09.12.2026"_s);
        QVERIFY(!r.fetchedEmpty);
        QCOMPARE(r.tmp0, fetched.toLatin1() + "\r\n");
        QCOMPARE(r.tmp, tmp);
        QCOMPARE(bodies(r.board), cards);
    }

    void cardCarriesHeadingsKeyAndFill()
    {
        const QString day = u"09.12.2026"_s;
        const QString fetched = noteLine({day, u"10:15"_s, u"ivanova"_s, u"pw"_s, u"Иванова А.П."_s, u"завуч"_s,
                                          u"Собрание в 14:00 😀"_s, u"#80FF0000"_s});
        const rasp::server::NotesRebuild r = rasp::server::PrepareNotes(fetched, day);
        // Written in Windows-1251; the emoji is outside it and becomes '?' on the card too.
        QCOMPARE(r.tmp0.size(), fetched.size() - 1 + 2);
        QVERIFY(r.tmp0.contains("\xC8\xE2\xE0\xED\xEE\xE2\xE0")); // "Иванова"
        QCOMPARE(r.board.cards.size(), size_t(1));
        const rasp::server::NoteCard &c = r.board.cards.front();
        QCOMPARE(c.leftHeading, day + u"\r10:15"_s);
        QCOMPARE(c.rightHeading, u"Иванова А.П.\rзавуч"_s);
        QCOMPARE(c.body, u"Собрание в 14:00 ?"_s);
        QCOMPARE(c.fill, std::optional<quint32>(0x80FF0000));
        QCOMPARE(c.key, noteLine({day, u"10:15"_s, u"ivanova"_s, u"pw"_s, u"Иванова А.П."_s}));
    }

    void nothingFetchedWritesNothing()
    {
        const rasp::server::NotesRebuild r = rasp::server::ReadNotes({}, "text/plain; charset=windows-1251",
                                                                     u"09.12.2026"_s);
        QVERIFY(r.fetchedEmpty);
        QVERIFY(r.tmp0.isEmpty());
        QVERIFY(r.tmp.isEmpty());
        QVERIFY(r.board.empty());
    }

    void hostileFileIsBounded()
    {
        const QString day = u"09.12.2026"_s;
        // Thousands of notes for the day: 200 cards, then one that counts the rest.
        QString many;
        for (int i = 0; i < 3000; ++i)
            many += note(day, QString::number(i)) + u"\r\n"_s;
        const rasp::server::NotesRebuild r = rasp::server::PrepareNotes(many, day);
        QCOMPARE(r.board.cards.size(), size_t(rasp::server::kMaxNoteCards + 1));
        QCOMPARE(r.board.cards.front().body, u"0"_s);
        QCOMPARE(r.board.cards.at(199).body, u"199"_s);
        QCOMPARE(r.board.cards.back().body, u"… и еще 2800"_s);
        QVERIFY(r.board.cards.back().key.isEmpty());

        // One huge message and a huge name are cut, ending with "…".
        const QString big = noteLine({day, u"t"_s, u"l"_s, u"p"_s, QString(5000, u'И'), u"d"_s,
                                      QString(100000, u'ж'), u"#FF000000"_s});
        const rasp::server::NoteCard c = rasp::server::PrepareNotes(big, day).board.cards.front();
        QCOMPARE(c.body.size(), rasp::server::kMaxNoteBodyChars);
        QVERIFY(c.body.endsWith(u'…'));
        QCOMPARE(c.rightHeading, QString(rasp::server::kMaxNoteFieldChars - 1, u'И') + u"…\rd"_s);
        QCOMPARE(c.key.size(), day.size() + 5000 + 8); // the key is never cut: it names the note
    }

    void bodyCutAtItsLastWholeLine_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qsizetype>("limit");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("within the limit: whole") << QByteArray("ab\r\ncd") << qsizetype(6) << QByteArray("ab\r\ncd");
        QTest::newRow("over: up to the last line end") << QByteArray("ab\r\ncd\r\nef") << qsizetype(9)
                                                       << QByteArray("ab\r\ncd\r\n");
        QTest::newRow("over, no line end: nothing") << QByteArray("abcdef") << qsizetype(3) << QByteArray();
        QTest::newRow("UTF-8 never split") << u"жж\nжж"_s.toUtf8() << qsizetype(7) << u"жж\n"_s.toUtf8();
    }
    void bodyCutAtItsLastWholeLine()
    {
        QFETCH(QByteArray, body);
        QFETCH(qsizetype, limit);
        QFETCH(QByteArray, kept);
        QCOMPARE(rasp::server::CutNotesBody(body, limit), kept);
    }

    void workingCopyWrittenWhole()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"r_data/tmp.ini"_s); // the folder is made when missing
        QVERIFY(rasp::server::WriteNotesFile(path, "\r\n"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\r\n"));
        QString error;
        QVERIFY(!rasp::server::WriteNotesFile(dir.filePath(u"r_data/tmp.ini/x"_s), "x", &error));
        QVERIFY(error.startsWith(u"Не удалось записать файл"_s));
    }

    // Both card layouts stack the cards 5 px apart; the compact card is 23 px shorter, its
    // heading strip is one line and ends left of the cross, and a click on the cross finds its
    // card in either layout. A board shorter than 160 px takes the compact cards.
    void cardLayouts_data()
    {
        QTest::addColumn<rasp::server::CardLayout>("layout");
        QTest::addColumn<int>("extra"); // card height less body height
        QTest::addColumn<int>("headingHeight");
        QTest::newRow("полная") << rasp::server::CardLayout::Full << 45 << 25;
        QTest::newRow("сжатая") << rasp::server::CardLayout::Compact << 22 << 16;
    }
    void cardLayouts()
    {
        using namespace rasp::server;
        QFETCH(CardLayout, layout);
        QFETCH(int, extra);
        QFETCH(int, headingHeight);
        const std::vector<int> bodies{17, 34, 0};
        const auto cards = LayoutCards(300, bodies, layout);
        QCOMPARE(cards.size(), bodies.size());
        for (std::size_t n = 0; n < cards.size(); ++n) {
            const CardGeometry &g = cards[n];
            QCOMPARE(g.card.height(), bodies[n] + extra);
            QCOMPARE(g.card.width(), 300);
            QCOMPARE(g.heading.height(), headingHeight);
            QVERIFY(g.card.contains(g.cross) && g.card.contains(g.heading) && g.card.contains(g.body));
            QVERIFY(!g.heading.intersects(g.cross) && !g.body.intersects(g.cross));
            QCOMPARE(g.body.top(), g.heading.bottom() + 1);
            QCOMPARE(g.body.bottom(), g.card.bottom());
            if (n > 0)
                QCOMPARE(g.card.top(), cards[n - 1].card.bottom() + 1 + 5);
            QCOMPARE(CrossAt(cards, g.cross.center()), int(n));
            QCOMPARE(CrossAt(cards, g.heading.center()), -1);
        }
        QCOMPARE(BoardHeight(cards), cards.back().card.bottom() + 1 + 5);
        QCOMPARE(LayoutFor(159), CardLayout::Compact);
        QCOMPARE(LayoutFor(160), CardLayout::Full);
    }
};

QTEST_GUILESS_MAIN(TstNotesFile)
#include "tst_notesfile.moc"

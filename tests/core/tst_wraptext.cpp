// The wrapping rule of printed cells: lines break only at spaces, a word too wide makes the whole
// text smaller (down to 8 pt), and a word is never split or cut. A monospaced measure (each
// character half the point size wide) makes the widths easy to follow.
#include "sheets/covers.h"
#include "sheets/wraptext.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::sheets;

class TstWrapText : public QObject
{
    Q_OBJECT

    static double mono(const QString &text, double size) { return double(text.size()) * size / 2; }
    // A lesson of the sheet: row, subject, room and teachers.
    static rasp::reports::Lesson lesson(int row, const QString &subject, const QString &room, const QString &teachers)
    {
        rasp::reports::Lesson l;
        l.row = row;
        l.subject = subject;
        l.room = room;
        l.teachers = teachers;
        return l;
    }

private slots:
    void wrapsAtSpacesAndShrinksLongWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("lines"); // joined by "|"
        QTest::addColumn<double>("setSize");
        QTest::addColumn<bool>("fits");
        QTest::newRow("fits on one line") << u"Химия"_s << 40.0 << 10.0 << u"Химия"_s << 10.0 << true;
        QTest::newRow("breaks at the space") << u"Русский язык"_s << 40.0 << 10.0 << u"Русский|язык"_s << 10.0 << true;
        QTest::newRow("keeps words together while they fit") << u"а б в г"_s << 15.0 << 10.0 << u"а б|в г"_s << 10.0 << true;
        QTest::newRow("line break of the text kept") << u"Физика\n21"_s << 100.0 << 10.0 << u"Физика|21"_s << 10.0 << true;
        QTest::newRow("CR LF as one break") << u"Физика\r\n21"_s << 100.0 << 10.0 << u"Физика|21"_s << 10.0 << true;
        QTest::newRow("runs of blanks are one break") << u"Алгебра   и  геометрия"_s << 200.0 << 10.0
                                                      << u"Алгебра и геометрия"_s << 10.0 << true;
        QTest::newRow("long word sets the text smaller") << u"Обществознание"_s << 60.0 << 11.0 << u"Обществознание"_s
                                                         << 8.5 << true;
        QTest::newRow("smaller size rewraps the rest") << u"Информатика и ИКТ"_s << 50.0 << 10.0
                                                       << u"Информатика|и ИКТ"_s << 9.0 << true;
        QTest::newRow("never below 8 pt, word whole") << u"Природоведение"_s << 40.0 << 10.0 << u"Природоведение"_s
                                                      << 8.0 << false;
        QTest::newRow("a base size under 8 is kept") << u"Химия"_s << 40.0 << 7.0 << u"Химия"_s << 7.0 << true;
        QTest::newRow("empty text is one empty line") << QString() << 40.0 << 10.0 << QString() << 10.0 << true;
        QTest::newRow("empty line between lines") << u"а\n\nб"_s << 40.0 << 10.0 << u"а||б"_s << 10.0 << true;
    }
    void wrapsAtSpacesAndShrinksLongWords()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(double, size);
        QFETCH(QString, lines);
        QFETCH(double, setSize);
        QFETCH(bool, fits);
        const WrappedText w = WrapText(text, width, size, mono);
        QStringList got(w.lines.begin(), w.lines.end());
        QCOMPARE(got.join(u'|'), lines);
        QCOMPARE(w.size, setSize);
        QCOMPARE(w.fits, fits);
        // Every word of the text is a word of a line: nothing split, nothing cut.
        QStringList words = QString(text).replace(u'\n', u' ').replace(u'\r', u' ').split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(got.join(u' ').split(u' ', Qt::SkipEmptyParts), words);
    }

    void namesOnSlips_data()
    {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("genitive");
        QTest::newRow("-ова") << u"Иванова Анна Петровна"_s << u"Иванова А. П."_s << u"Ивановой А. П."_s;
        QTest::newRow("-ов") << u"Петров Игорь Сергеевич"_s << u"Петров И. С."_s << u"Петрова И. С."_s;
        QTest::newRow("-ина") << u"Ильина Ольга Юрьевна"_s << u"Ильина О. Ю."_s << u"Ильиной О. Ю."_s;
        QTest::newRow("-ская") << u"Лесковская Вера Ильинична"_s << u"Лесковская В. И."_s << u"Лесковской В. И."_s;
        QTest::newRow("-ский") << u"Жуковский Павел Ильич"_s << u"Жуковский П. И."_s << u"Жуковского П. И."_s;
        QTest::newRow("-ой") << u"Лесной Владимир Андреевич"_s << u"Лесной В. А."_s << u"Лесного В. А."_s;
        QTest::newRow("ending tells nothing") << u"Ким Юлия Олеговна"_s << u"Ким Ю. О."_s << u"Ким Ю. О."_s;
        QTest::newRow("one word") << u"Смирнова"_s << u"Смирнова"_s << u"Смирновой"_s;
        QTest::newRow("too short to decline") << u"Ов Ян"_s << u"Ов Я."_s << u"Ов Я."_s;
    }
    void namesOnSlips()
    {
        QFETCH(QString, full);
        QFETCH(QString, shortName);
        QFETCH(QString, genitive);
        QCOMPARE(ShortName(full), shortName);
        QCOMPARE(GenitiveShortName(full), genitive);
    }

    void coversOfReplacementsOnly()
    {
        rasp::State state;
        state.Klass = {QString(), u"7А"_s, u"8Б"_s};
        state.max_ur = 6;
        using rasp::reports::Change;
        using rasp::reports::ChangeKind;
        using rasp::reports::Lesson;
        rasp::reports::ZamenySheet sheet;
        sheet.date = QDate(2026, 12, 11);
        sheet.changes = {
            {1, 3, ChangeKind::Replacement, lesson(3, u"Алгебра"_s, u"20"_s, u"Иванова Анна Петровна"_s),
             lesson(3, u"Матем."_s, u"21"_s, u"Сидорова Елена Викторовна"_s), std::nullopt},
            // The same teacher giving another subject covers nobody.
            {1, 4, ChangeKind::Replacement, lesson(4, u"Физика"_s, u""_s, u"Петров Игорь Сергеевич"_s),
             lesson(4, u"Астрономия"_s, u""_s, u"Петров Игорь Сергеевич"_s), std::nullopt},
            // A second teacher joining covers nobody's place.
            {2, 2, ChangeKind::Replacement, lesson(2, u"Англ"_s, u"5"_s, u"Ким Юлия Олеговна"_s),
             lesson(2, u"Англ"_s, u""_s, u"Ким Юлия Олеговна, Лесной Владимир Андреевич"_s), std::nullopt},
            {2, 5, ChangeKind::Cancelled, lesson(5, u"Химия"_s, u""_s, u"Ильина Ольга Юрьевна"_s), std::nullopt, std::nullopt},
            // An added lesson in place of a cancelled one (reached through moves) covers it.
            {2, 6, ChangeKind::Added, std::nullopt, lesson(6, u"Химия"_s, u"3"_s, u"Жуковский Павел Ильич"_s),
             lesson(1, u"Химия"_s, u""_s, u"Ильина Ольга Юрьевна"_s)},
            // A lesson only added covers nobody.
            {2, 7, ChangeKind::Added, std::nullopt, lesson(7, u"ИЗО"_s, u""_s, u"Ким Юлия Олеговна"_s), std::nullopt},
        };
        const std::vector<Cover> covers = CoversOfSheet(state, sheet);
        QCOMPARE(covers.size(), std::size_t(3));
        QCOMPARE(SlipLine(covers[0]), u"Сидорова Е. В.: 3 урок, 7А, Матем., каб. 21, вместо Ивановой А. П."_s);
        QCOMPARE(SlipLine(covers[1]), u"Лесной В. А.: 2 урок, 8Б, Англ"_s);
        QCOMPARE(SlipLine(covers[2]), u"Жуковский П. И.: 6 урок, 8Б, Химия, каб. 3, вместо Ильиной О. Ю."_s);
    }
};

QTEST_APPLESS_MAIN(TstWrapText)
#include "tst_wraptext.moc"

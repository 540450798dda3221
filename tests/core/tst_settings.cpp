// The settings file: byte layout, round trip, the room order rule, and malformed files.
#include "settings/settings.h"
#include "state.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp;
using settings::Settings;

class TstSettings : public QObject
{
    Q_OBJECT

    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The 15 lines that follow the two blocks, with the given overrides (item number -> text).
    static QStringList withItems(const QStringList &rooms, const QMap<int, QString> &items)
    {
        QStringList lines = rooms;
        lines << u"~end~"_s << u"~end~"_s;
        for (int n = 3; n <= 17; ++n)
            lines << items.value(n);
        return lines;
    }

private slots:
    void fileIsByteExactAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"setting.ini"_s);
        State s;
        Settings &set = s.settings;
        set.rooms = {u"5"_s, u"12"_s, u"1а"_s};
        set.blocked = {u"Физ-ра"_s};
        set.ip = u"10.0.0.7"_s;
        set.port = u"7100"_s;
        set.login = u"завуч"_s;
        set.password = u"пароль 1"_s;
        set.useServer = true;
        set.portrait = false;
        set.classesInRow = false;
        set.roomsFromTemplate = true;
        set.lessonRows = 10;
        set.secondShift = true;
        set.twoTables = true;
        s.vt_sm_y = 5;
        s.vt_sm_x = 3;
        QVERIFY(settings::SetSave(s, path));

        const QByteArray expected = "5\r\n12\r\n1\xE0\r\n~end~\r\n\xD4\xE8\xE7-\xF0\xE0\r\n~end~\r\n"
                                    "10.0.0.7\r\n7100\r\n\xE7\xE0\xE2\xF3\xF7\r\n\xEF\xE0\xF0\xEE\xEB\xFC 1\r\n"
                                    "1\r\n0\r\n0\r\n1\r\n0\r\n10\r\n5\r\n3\r\n1\r\n0\r\n1\r\n";
        QCOMPARE(bytes(path), expected);
        // It holds the password: nobody but the owner may read it.
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());

        State back;
        QStringList problems;
        QCOMPARE(settings::SetLoad(back, path, &problems), text::ReadResult::Ok);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        set.rooms = {u"12"_s, u"1а"_s, u"5"_s}; // read back in plain list order
        QCOMPARE(back.settings, set);
        QCOMPARE(back.max_ur, 10);
        QCOMPARE(back.vt_sm_y, 5);
        QCOMPARE(back.vt_sm_x, 3);
        QCOMPARE(settings::ServerPort(back.settings), 7100);
    }

    void rewritingAWorldReadableFileRestrictsIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"setting.ini"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        State state;
        QVERIFY(settings::SetSave(state, path));
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void roomsSortWithTheOneCharacterRule_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::newRow("12 5 1а") << QStringList{u"12"_s, u"5"_s, u"1а"_s};
        QTest::newRow("1а 12 5") << QStringList{u"1а"_s, u"12"_s, u"5"_s};
        QTest::newRow("5 1а 12") << QStringList{u"5"_s, u"1а"_s, u"12"_s};
    }
    void roomsSortWithTheOneCharacterRule()
    {
        QFETCH(QStringList, added);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"setting.ini"_s);
        State s;
        for (const QString &room : added)
            QCOMPARE(settings::AddRoom(s.settings, room), settings::AddRoomResult::Added);
        QCOMPARE(s.settings.rooms, (QStringList{u"5"_s, u"12"_s, u"1а"_s}));
        QVERIFY(settings::SetSave(s, path));

        State restarted;
        settings::SetLoad(restarted, path);
        QCOMPARE(restarted.settings.rooms, (QStringList{u"12"_s, u"1а"_s, u"5"_s}));
        settings::AddRoom(restarted.settings, u"7"_s);
        QCOMPARE(restarted.settings.rooms, (QStringList{u"5"_s, u"7"_s, u"12"_s, u"1а"_s}));
    }

    void roomsThatCannotBeAdded_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<settings::AddRoomResult>("result");
        QTest::newRow("empty") << QString() << settings::AddRoomResult::Empty;
        QTest::newRow("already listed") << u"12"_s << settings::AddRoomResult::Duplicate;
        QTest::newRow("block end marker") << u"~end~"_s << settings::AddRoomResult::Invalid;
        QTest::newRow("field separator") << u"1|2"_s << settings::AddRoomResult::Invalid;
    }
    void roomsThatCannotBeAdded()
    {
        QFETCH(QString, room);
        QFETCH(settings::AddRoomResult, result);
        Settings set;
        set.rooms = {u"12"_s, u"5"_s};
        QCOMPARE(settings::AddRoom(set, room), result);
        QCOMPARE(set.rooms, (QStringList{u"12"_s, u"5"_s}));
    }

    void blockedSubjectsKeepListOrderAndNoDuplicates()
    {
        Settings set;
        QVERIFY(settings::AddBlocked(set, u"физ-ра"_s));
        QVERIFY(settings::AddBlocked(set, u"Английский"_s));
        QVERIFY(settings::AddBlocked(set, u"ИЗО"_s));
        QVERIFY(settings::AddBlocked(set, u"art"_s));
        QVERIFY(settings::AddBlocked(set, u"Bio"_s));
        QVERIFY(!settings::AddBlocked(set, u"ИЗО"_s));
        QVERIFY(settings::AddBlocked(set, u"изо"_s)); // exact comparison: another subject
        QCOMPARE(set.blocked, (QStringList{u"art"_s, u"Bio"_s, u"Английский"_s, u"ИЗО"_s, u"изо"_s, u"физ-ра"_s}));
    }

    void itemsReadAsTheFileSays_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<bool>("inRow");
        QTest::addColumn<bool>("useServer");
        QTest::addColumn<bool>("twoTables");
        QTest::addColumn<int>("maxUr");
        QTest::newRow("lines 8 and 9 empty: Книжная, в строчку") << withItems({}, {}) << true << true << false << false << 6;
        QTest::newRow("Альбомная, в столбец") << withItems({}, {{8, u"0"_s}, {9, u"0"_s}}) << false << false << false
                                              << false << 6;
        QTest::newRow("other text in 8 keeps the default") << withItems({}, {{8, u"2"_s}}) << true << true << false << false
                                                           << 6;
        QTest::newRow("server on, 16 rows, two tables")
            << withItems({}, {{7, u"1"_s}, {12, u"16"_s}, {16, u"0"_s}, {17, u"1"_s}}) << true << true << true << true << 16;
        QTest::newRow("1 in both 16 and 17: the later wins")
            << withItems({}, {{16, u"1"_s}, {17, u"1"_s}}) << true << true << false << true << 6;
        QTest::newRow("file ends after the blocks") << QStringList{u"~end~"_s, u"~end~"_s} << true << true << false
                                                    << false << 6;
    }
    void itemsReadAsTheFileSays()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, portrait);
        QFETCH(bool, inRow);
        QFETCH(bool, useServer);
        QFETCH(bool, twoTables);
        QFETCH(int, maxUr);
        const settings::ParsedSettings p = settings::ParseSettingsLines(lines);
        // Missing lines read as defaults; a file cut short is said to be so.
        const QStringList problems = lines.size() >= 17 ? QStringList()
                                                        : QStringList{u"после списков есть только %1 из 15 строк настроек, остальные взяты по умолчанию"_s.arg(lines.size() - 2)};
        QCOMPARE(p.problems, problems);
        QCOMPARE(p.settings.portrait, portrait);
        QCOMPARE(p.settings.classesInRow, inRow);
        QCOMPARE(p.settings.useServer, useServer);
        QCOMPARE(p.settings.twoTables, twoTables);
        QCOMPARE(p.max_ur, maxUr);
        QCOMPARE(p.settings.lessonRows, maxUr);
        // Written back, each choice keeps its line.
        const QStringList again = settings::SettingsLines(p.settings, 0, 0);
        QCOMPARE(settings::ParseSettingsLines(again).settings, p.settings);
        QCOMPARE(again.at(2 + 8 - 3), portrait ? u"1"_s : u"0"_s);
        QCOMPARE(again.at(2 + 12 - 3), QString::number(maxUr));
    }

    void malformedFilesFallBackToDefaults_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("rooms");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("maxUr");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("classes");
        QTest::addColumn<bool>("useServer");
        const QStringList none;
        QTest::newRow("empty file") << QStringList{} << none << QString() << 6 << 0 << 0 << false;
        QTest::newRow("no ~end~ at all") << QStringList{u"12"_s, u"14"_s, u"10.0.0.1"_s, u"1"_s} << none << QString() << 6
                                         << 0 << 0 << false;
        QTest::newRow("second ~end~ missing: rooms kept")
            << QStringList{u"12"_s, u"14"_s, u"~end~"_s, u"Физ-ра"_s, u"10.0.0.1"_s, u"1"_s}
            << QStringList{u"12"_s, u"14"_s} << QString() << 6 << 0 << 0 << false;
        QTest::newRow("port 70000") << withItems({}, {{4, u"70000"_s}, {7, u"1"_s}}) << none << QString() << 6 << 0 << 0
                                    << true;
        QTest::newRow("letters in the port") << withItems({}, {{4, u"порт"_s}}) << none << QString() << 6 << 0 << 0
                                             << false;
        QTest::newRow("row count 99") << withItems({u"5"_s}, {{12, u"99"_s}}) << QStringList{u"5"_s} << QString() << 6
                                      << 0 << 0 << false;
        QTest::newRow("row count 5") << withItems({}, {{12, u"5"_s}}) << none << QString() << 6 << 0 << 0 << false;
        QTest::newRow("letters in the row count") << withItems({}, {{12, u"десять"_s}}) << none << QString() << 6 << 0 << 0
                                                  << false;
        QTest::newRow("letters in the shift lines")
            << withItems({}, {{12, u"8"_s}, {13, u"x"_s}, {14, u"3a"_s}}) << none << QString() << 8 << 0 << 0 << false;
        QTest::newRow("shift row beyond the rows, negative classes")
            << withItems({}, {{12, u"8"_s}, {13, u"9"_s}, {14, u"-1"_s}}) << none << QString() << 8 << 0 << 0 << false;
        QTest::newRow("huge numbers") << withItems({}, {{4, u"99999999999"_s}, {12, u"99999999999"_s}, {14, u"100000"_s}})
                                      << none << QString() << 6 << 0 << 0 << false;
    }
    void malformedFilesFallBackToDefaults()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, rooms);
        QFETCH(QString, port);
        QFETCH(int, maxUr);
        QFETCH(int, lastRow);
        QFETCH(int, classes);
        QFETCH(bool, useServer);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"setting.ini"_s);
        QVERIFY(text::writeLines(path, lines));
        State s;
        QStringList problems;
        QCOMPARE(settings::SetLoad(s, path, &problems), text::ReadResult::Ok);
        if (!lines.isEmpty())
            QVERIFY(!problems.isEmpty());
        QCOMPARE(s.settings.rooms, rooms);
        QCOMPARE(s.settings.port, port);
        QCOMPARE(settings::ServerPort(s.settings), 0);
        QCOMPARE(s.max_ur, maxUr);
        QCOMPARE(s.settings.lessonRows, maxUr);
        QCOMPARE(s.vt_sm_y, lastRow);
        QCOMPARE(s.vt_sm_x, classes);
        QCOMPARE(s.settings.useServer, useServer);
        QVERIFY(s.settings.portrait);
        QVERIFY(s.settings.classesInRow);
    }

    void chisloInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << u"7100"_s << 7100;
        QTest::newRow("negative") << u"-3"_s << -3;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("letters") << u"12a"_s << 0;
        QTest::newRow("fraction") << u"1.5"_s << 0;
        QTest::newRow("beyond int") << u"99999999999"_s << 0;
    }
    void chisloInt()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(settings::ChisloInt(text), value);
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"

// The notes board against the reference schedule server started as a real process: the
// day's cards in file order with their texts and colours, the working copies, deletion end to
// end, a wrong notes password, a late reply for a day already left, a huge notes file, and the
// demo school's first screen, clear of notices and questions.
#include "answerer.h"
#include "demofolder.h"
#include "day/daygridview.h"
#include "server/notesboardview.h"
#include "server/notesfetcher.h"
#include "server/notes.h"
#include "settings/settings.h"
#include "state.h"
#include "text/datewords.h"
#include "shell/tabbutton.h"
#include "server/servercontroller.h"
#include "settings/settingscontroller.h"
#include "tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using rasp::server::simv;

namespace {

const QString kDay = u"09.12.2026"_s;

// A notes line: every field followed by the separator.
QString noteLine(const QString &date, const QString &time, const QString &name, const QString &text,
                 const QString &colour)
{
    QString s;
    for (const QString &f : {date, time, u"log"_s, u"par"_s, name, u"учитель"_s, text, colour})
        s += f + simv;
    return s;
}

// Lines as the notes file holds them: Windows-1251, each ended by CR LF.
QByteArray fileOf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += rasp::server::TmpBytes({l});
    return out;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstNotesBoard : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_notes;
    std::unique_ptr<TForm1> m_form;
    QProcess m_server;
    QString m_httpPort;
    QString m_tcpPort;

    // Writes the server's notes file.
    void setNotes(const QByteArray &bytes)
    {
        QFile f(m_notes->filePath(u"data.ini"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Runs the notes handshake and waits until the board is rebuilt.
    void refresh()
    {
        QSignalSpy rebuilt(m_form.get(), &TForm1::notesBoardRebuilt);
        m_form->ServerConekt();
        QTRY_COMPARE_WITH_TIMEOUT(rebuilt.count(), 1, 15000);
    }
    QStringList bodies() const
    {
        QStringList out;
        for (const auto &c : m_form->server().board()->board().cards)
            out << c.body;
        return out;
    }

    // What shows over the day grid's viewport: every visible widget of the window outside the
    // grid that overlaps it, except the second-shift sliders on the grid's strips, and every
    // other visible window (a pop-up, a list, a dialog).
    static QStringList overTheGrid(TForm1 &f)
    {
        QStringList over;
        const QWidget *view = f.widgets().grid->viewport();
        const QRect grid(view->mapTo(&f, QPoint()), view->size());
        const auto slider = [](const QWidget *w) {
            for (; w; w = w->parentWidget())
                if (w->objectName().startsWith(u"TrackBar"_s))
                    return true;
            return false;
        };
        for (const QWidget *w : f.findChildren<QWidget *>()) {
            if (!w->isVisible() || w->isWindow() || w == f.widgets().grid || f.widgets().grid->isAncestorOf(w) || w->isAncestorOf(f.widgets().grid)
                || slider(w))
                continue;
            if (QRect(w->mapTo(&f, QPoint()), w->size()).intersects(grid))
                over << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        }
        for (const QWidget *w : QApplication::topLevelWidgets())
            if (w != &f && w->isVisible())
                over << u"окно "_s + QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        return over;
    }

private slots:
    void initTestCase()
    {
        m_notes = std::make_unique<QTemporaryDir>();
        QVERIFY(m_notes->isValid());
        setNotes({});
        m_server.setProgram(u"python3"_s);
        m_server.setArguments({QStringLiteral(RASP_SOURCE_DIR "/tools/schedule_server.py"), u"--port"_s, u"0"_s,
                               u"--http-port"_s, u"0"_s, u"--notes"_s, m_notes->path()});
        m_server.start();
        QVERIFY2(m_server.waitForStarted(10000), "python3 is needed for this test (scripts/setup installs it)");
        QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine(), 20000);
        const QString first = QString::fromUtf8(m_server.readLine());
        const QRegularExpressionMatch m =
            QRegularExpression(u"127\\.0\\.0\\.1:(\\d+), notes on 127\\.0\\.0\\.1:(\\d+)"_s).match(first);
        QVERIFY2(m.hasMatch(), qPrintable(first));
        m_httpPort = m.captured(2);
        m_tcpPort = m.captured(1);
    }
    void cleanupTestCase()
    {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        m_form = std::make_unique<TForm1>();
        TForm1 &f = *m_form;
        f.settings().widgets().sEdit2->setText(u"127.0.0.1"_s);
        f.settings().widgets().sEdit5->setText(m_tcpPort);
        f.settings().widgets().sEdit3->setText(u"школа"_s);
        f.settings().widgets().sEdit4->setText(u"пароль"_s);
        f.settings().widgets().sCheckBox1->setChecked(true);
        f.SetSave(0);
        f.widgets().sDateTimePicker3->setDate(QDate(2026, 12, 9));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.server().board()->resize(325, 117); // its place in the group, which shows on the day page only
    }
    void cleanup()
    {
        m_form.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    void showsTheDaysNotesInFileOrder()
    {
        const QStringList lines{
            noteLine(kDay, u"08:05"_s, u"Иванова"_s, u"Первая <b>не жирная</b>"_s, u"#FF3A7BD5"_s),
            noteLine(u"10.12.2026"_s, u"08:00"_s, u"Петров"_s, u"Чужой день"_s, u"#FF000000"_s),
            noteLine(u"9.12.2026"_s, u"08:00"_s, u"Петров"_s, u"Без нуля"_s, u"#FF000000"_s),
            noteLine(kDay, u"09:40"_s, u"Петров"_s, u"раз<br><br>два"_s, u"#80FF0000"_s),
            noteLine(kDay, u"12:10"_s, u"Смирнова"_s, u"Невидимый фон"_s, u"#FF0000"_s),
        };
        setNotes(fileOf(lines) + "\r\n" + fileOf({noteLine(kDay, u"13:00"_s, u"Скрыта"_s, u"после пустой"_s, u"#FF000000"_s)}));
        refresh();
        TForm1 &f = *m_form;
        QVERIFY(!f.server().board()->isHidden());
        QVERIFY(f.server().boardStatus()->isHidden());
        QCOMPARE(bodies(), (QStringList{u"Первая <b>не жирная</b>"_s, u"раз\r\n\r\nдва"_s, u"Невидимый фон"_s}));
        const auto &cards = f.server().board()->board().cards;
        QCOMPARE(cards[0].leftHeading, kDay + u"\r08:05"_s);
        QCOMPARE(cards[0].rightHeading, u"Иванова\rучитель"_s);
        QCOMPARE(cards[1].fill, std::optional<quint32>(0x80FF0000));
        QCOMPARE(cards[2].fill, std::optional<quint32>(0x00FF0000));
        // Cards stack from the top, 5 px apart, each body 5 px more than its text; three lines are
        // taller than one.
        const auto &g = f.server().board()->geometry();
        QCOMPARE(g[0].card.top(), 0);
        QCOMPARE(g[1].card.top(), g[0].card.bottom() + 1 + 5);
        const int line = g[2].body.height() - 5;
        QVERIFY(g[1].body.height() - 5 >= 3 * line); // three lines, the middle one empty
        QVERIFY(g[1].body.height() - 5 < 4 * line);
        // The working copies: the fetched text + CR LF, and the day's lines in reverse.
        QCOMPARE(readFile(u"r_data/tmp0.ini"_s), readFile(m_notes->filePath(u"data.ini"_s)) + "\r\n");
        QCOMPARE(readFile(u"r_data/tmp.ini"_s), fileOf({lines[4], lines[3], lines[0]}));

        // Opening the top panel hides the board until the next rebuild.
        f.sSpeedButton5Click();
        f.sSpeedButton5Click();
        QVERIFY(f.server().board()->isHidden());
    }

    // The demo school (scripts/demo) points at the reference server as it starts by default and
    // brings the sample notes moved to today, so its day opens with the sample day's notes.
    void theDemoDayShowsTheSampleNotes()
    {
        QTemporaryDir dir;
        const QString demo = dir.filePath(u"demo"_s);
        demofolder::MakeDemo(demo);
        if (QTest::currentTestFailed())
            return;

        m_form.reset();
        QDir::setCurrent(demo);
        rasp::State read;
        QCOMPARE(rasp::settings::SetLoad(read, rasp::settings::SettingsPath()), rasp::text::ReadResult::Ok);
        const rasp::settings::Settings &s = read.settings;
        // tools/schedule_server.py's defaults.
        QCOMPARE(QStringList({s.ip, s.port, s.login, s.password}),
                 QStringList({u"127.0.0.1"_s, u"5050"_s, u"школа"_s, u"пароль"_s}));
        QVERIFY(s.useServer);

        // The server of this test stands in for the default one: it serves the demo's notes and
        // the window is pointed at its port.
        setNotes(readFile(demo + u"/notes/data.ini"_s));
        m_form = std::make_unique<TForm1>();
        TForm1 &f = *m_form;
        const QString today = rasp::text::ShortDate(QDate::currentDate());
        QCOMPARE(rasp::text::ShortDate(f.widgets().sDateTimePicker3->date()), today);
        QVERIFY(f.state().grid.cell(1, 1).subject.size() > 0); // the sample day, saved for today
        f.TCPDis();
        f.settings().widgets().sEdit5->setText(m_tcpPort);
        f.SetSave(0);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        refresh();
        QCOMPARE(f.server().board()->board().cards.size(), size_t(3)); // the sample's notes of its day, 09.12.2026
        for (const auto &card : f.server().board()->board().cards)
            QVERIFY2(card.leftHeading.startsWith(today), qPrintable(card.leftHeading));
        QCOMPARE(bodies().first(), u"Замена: 3 урок в 7б ведёт Сидоров, кабинет 21."_s);
    }

    // The demo's first screen as `scripts/run --demo` opens it, with the reference server
    // answering the start-up handshake and with no server there: the day page at the designed
    // width, the day's grid enabled and nothing over it (no notice, no question, no wait picture,
    // no pop-up), once the handshake and the notes it brings are done.
    void theDemoOpensOnAClearDayPage_data()
    {
        QTest::addColumn<bool>("server");
        QTest::newRow("сервер отвечает") << true;
        QTest::newRow("сервера нет") << false;
    }
    void theDemoOpensOnAClearDayPage()
    {
        QFETCH(bool, server);
        QTemporaryDir dir;
        const QString demo = dir.filePath(u"demo"_s);
        demofolder::MakeDemo(demo);
        if (QTest::currentTestFailed())
            return;
        m_form.reset();
        QDir::setCurrent(demo);
        // The test's server stands in for the default one; "no server" is a port nothing listens on.
        setNotes(readFile(demo + u"/notes/data.ini"_s));
        rasp::State settings;
        QCOMPARE(rasp::settings::SetLoad(settings, rasp::settings::SettingsPath()), rasp::text::ReadResult::Ok);
        settings.settings.port = server ? m_tcpPort : u"1"_s;
        QVERIFY(rasp::settings::SetSave(settings, rasp::settings::SettingsPath()));

        m_form = std::make_unique<TForm1>(); // as the program's entry builds and shows it
        TForm1 &f = *m_form;
        QSignalSpy rebuilt(&f, &TForm1::notesBoardRebuilt);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        if (server) {
            QTRY_COMPARE_WITH_TIMEOUT(rebuilt.count(), 1, 15000);
            QCOMPARE(f.server().board()->board().cards.size(), size_t(3));
        }
        QCoreApplication::processEvents();

        QVERIFY(f.dayPageActive());
        QCOMPARE(f.width(), 1350);
        QVERIFY(f.widgets().grid->isVisible());
        QVERIFY(f.widgets().grid->isEnabled()); // no notice or question has the pages disabled
        QVERIFY(!f.widgets().Rct_soob->isVisible());
        QVERIFY(!f.widgets().Rct_soobDlg->isVisible());
        QVERIFY(!f.widgets().Img_zdite->isVisible());
        const QStringList over = overTheGrid(f);
        QVERIFY2(over.isEmpty(), qPrintable(over.join(u", "_s)));
    }

    void deletesANoteEndToEnd()
    {
        const QStringList lines{noteLine(kDay, u"08:05"_s, u"Иванова"_s, u"Удалить меня"_s, u"#FF3A7BD5"_s),
                                noteLine(kDay, u"09:00"_s, u"Петров"_s, u"Оставить"_s, u"#FF2E8B57"_s)};
        setNotes(fileOf(lines));
        refresh();
        TForm1 &f = *m_form;
        QCOMPARE(bodies(), (QStringList{u"Удалить меня"_s, u"Оставить"_s}));

        QSignalSpy rebuilt(&f, &TForm1::notesBoardRebuilt);
        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(f.server().board()->viewport(), Qt::LeftButton, {}, f.server().board()->geometry()[0].cross.center());
            QCOMPARE(no.asked, QStringList{u"Удалить запись?"_s});
        }
        QVERIFY(!f.server().board()->isHidden()); // "Нет": nothing happens
        QVERIFY(!f.server().deleteWait()->isActive());

        Answerer yes(f, {Answerer::Yes});
        QTest::mouseClick(f.server().board()->viewport(), Qt::LeftButton, {}, f.server().board()->geometry()[0].cross.center());
        QCOMPARE(yes.asked, QStringList{u"Удалить запись?"_s});
        QVERIFY(f.server().board()->isHidden());
        QCOMPARE(f.server().boardStatus()->text(), u"Обновление ..."_s);
        QVERIFY(!f.server().boardStatus()->isHidden());
        QVERIFY(f.server().deleteWait()->isActive());
        QCOMPARE(f.server().deleteWait()->interval(), 2000);
        // The wait is a timer: the window answers meanwhile.
        QTest::mouseClick(f.widgets().SpeedB4, Qt::LeftButton);
        QVERIFY(f.widgets().SpeedB4->hasActiveLook());

        QTRY_COMPARE_WITH_TIMEOUT(rebuilt.count(), 1, 15000);
        QCOMPARE(bodies(), QStringList{u"Оставить"_s});
        QCOMPARE(readFile(m_notes->filePath(u"data.ini"_s)), fileOf({lines[1]}));
        QVERIFY(f.widgets().noticeText.isEmpty());
    }

    void emptyBoards_data()
    {
        QTest::addColumn<QByteArray>("notes");
        QTest::addColumn<QString>("password"); // the notes password the window uses
        QTest::addColumn<QByteArray>("tmp");   // tmp.ini afterwards; null: not written
        QTest::newRow("only other days: one empty line")
            << fileOf({noteLine(u"10.12.2026"_s, u"08:00"_s, u"П"_s, u"x"_s, u"#FF000000"_s)}) << u"заметки"_s
            << QByteArray("\r\n");
        QTest::newRow("wrong notes password: nothing written")
            << fileOf({noteLine(kDay, u"08:00"_s, u"П"_s, u"x"_s, u"#FF000000"_s)}) << u"неверный"_s << QByteArray();
        QTest::newRow("empty notes file: nothing written") << QByteArray() << u"заметки"_s << QByteArray();
    }
    void emptyBoards()
    {
        QFETCH(QByteArray, notes);
        QFETCH(QString, password);
        QFETCH(QByteArray, tmp);
        setNotes(notes);
        TForm1 &f = *m_form;
        const QStringList before = QDir(u"."_s).entryList(QDir::Files);
        QSignalSpy rebuilt(&f, &TForm1::notesBoardRebuilt);
        f.server().notesAccess().port = m_httpPort;
        f.server().notesAccess().login = u"учитель"_s;
        f.server().notesAccess().password = password;
        f.LoadZamet();
        QTRY_COMPARE_WITH_TIMEOUT(rebuilt.count(), 1, 15000);
        QVERIFY(f.server().board()->isHidden());
        QVERIFY(!f.server().boardStatus()->isHidden());
        QCOMPARE(f.server().boardStatus()->text(), u"Пусто"_s);
        QCOMPARE(QFile::exists(u"r_data/tmp.ini"_s), !tmp.isNull());
        QCOMPARE(QFile::exists(u"r_data/tmp0.ini"_s), !tmp.isNull());
        if (!tmp.isNull())
            QCOMPARE(readFile(u"r_data/tmp.ini"_s), tmp);
        QCOMPARE(QDir(u"."_s).entryList(QDir::Files), before);
        QVERIFY(f.widgets().noticeText.isEmpty());
    }

    void aLateReplyForADayLeftIsDropped()
    {
        setNotes(fileOf({noteLine(kDay, u"08:00"_s, u"П"_s, u"x"_s, u"#FF000000"_s)}));
        TForm1 &f = *m_form;
        QSignalSpy rebuilt(&f, &TForm1::notesBoardRebuilt);
        f.server().notesAccess().port = m_httpPort;
        f.server().notesAccess().login = u"учитель"_s;
        f.server().notesAccess().password = u"заметки"_s;
        f.LoadZamet();
        QVERIFY(f.server().notesFetcher()->busy()); // asynchronous: nothing is shown yet
        f.widgets().sDateTimePicker3->setDate(QDate(2026, 12, 10));
        QTRY_VERIFY_WITH_TIMEOUT(!f.server().notesFetcher()->busy(), 15000);
        QTest::qWait(50);
        QCOMPARE(rebuilt.count(), 0);
        QVERIFY(f.server().board()->isHidden());
        QVERIFY(!QFile::exists(u"r_data/tmp0.ini"_s));
    }

    void aHugeNotesFileIsBounded()
    {
        QByteArray big;
        const QString text(150, u'ж');
        for (int i = 0; i < 12000; ++i)
            big += fileOf({noteLine(kDay, QString::number(i), u"П"_s, text, u"#FF000000"_s)});
        QVERIFY(big.size() > 2 * rasp::server::kMaxNotesBytes);
        setNotes(big);
        refresh();
        TForm1 &f = *m_form;
        const auto &cards = f.server().board()->board().cards;
        QCOMPARE(cards.size(), size_t(rasp::server::kMaxNoteCards + 1));
        QCOMPARE(cards.front().leftHeading, kDay + u"\r0"_s);
        QVERIFY(cards.back().body.startsWith(u"… и еще "_s));
        const QByteArray tmp0 = readFile(u"r_data/tmp0.ini"_s);
        QVERIFY(tmp0.size() <= rasp::server::kMaxNotesBytes + 2);
        QVERIFY(tmp0.endsWith(QByteArray("#FF000000") + char(0x0B) + "\r\n\r\n")); // whole lines only
        QCOMPARE(cards.back().body, rasp::server::MoreNotesText(tmp0.count("\r\n") - 1 - 200));
    }
};

QTEST_MAIN(TstNotesBoard)
#include "tst_notesboard.moc"

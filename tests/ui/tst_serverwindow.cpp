// The window's exchanges with a scripted schedule server: the notes handshake from the date
// pickers and the top panel, publish and withdraw with their notices, the poll tick's
// handling of replies, and the ends of an exchange.
#include "answerer.h"
#include "scriptedlink.h"
#include "shell/tabbutton.h"
#include "server/servercontroller.h"
#include "settings/settingscontroller.h"
#include "tform1.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

class TstServerWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;
    ServerScript m_server;

    // Fills the server fields on the settings page and saves, so the connection takes them.
    void configure(const QString &ip, const QString &port, const QString &login, const QString &password, bool use)
    {
        TForm1 &f = *m_form;
        f.settings().widgets().sEdit2->setText(ip);
        f.settings().widgets().sEdit5->setText(port);
        f.settings().widgets().sEdit3->setText(login);
        f.settings().widgets().sEdit4->setText(password);
        f.settings().widgets().sCheckBox1->setChecked(use);
        f.SetSave(0);
    }
    static QByteArray line(const QString &s) { return s.toUtf8() + "\r\n"; }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        m_server = ServerScript{};
        m_form = std::make_unique<TForm1>();
        m_form->server().setLink(std::make_unique<ScriptedLink>(m_server));
        configure(u"127.0.0.1"_s, u"5050"_s, u"школа"_s, u"пароль"_s, true);
        m_form->forgetNotice();
    }
    void cleanup() { m_form.reset(); }

    void notesHandshakeFromTheTargetDate()
    {
        TForm1 &f = *m_form;
        QSignalSpy rebuilt(&f, &TForm1::notesBoardRefresh);
        m_server.answer = [](ServerScript &s, const QByteArray &l) {
            if (l.startsWith("conecDisp"))
                s.pending << u"conecA$8081$C$D$E$F$G$H$учитель$секрет$K$"_s.toUtf8();
            else if (l.startsWith("zameVDisp"))
                s.pending << "zameVanything";
        };
        f.sDateTimePicker3ClPicker();
        QCOMPARE(m_server.opens, 1);
        QCOMPARE(m_server.host, u"127.0.0.1"_s);
        QCOMPARE(m_server.port, quint16(5050));
        QCOMPARE(m_server.written, QList<QByteArray>{line(u"conecDispшкола;пароль"_s)});
        QVERIFY(f.server().pollTimer()->isActive());
        QCOMPARE(f.server().pollTimer()->interval(), 200);

        f.Timer3Timer(); // "conec": credentials kept, notes list asked on the same connection
        QCOMPARE(f.server().notesAccess().port, u"8081"_s);
        QCOMPARE(f.server().notesAccess().login, u"учитель"_s);
        QCOMPARE(f.server().notesAccess().password, u"секрет"_s);
        QCOMPARE(m_server.written.value(1), line(u"zameVDispшкола;пароль;"_s));
        QCOMPARE(m_server.opens, 1);
        QVERIFY(f.server().pollTimer()->isActive());
        QCOMPARE(rebuilt.count(), 0);

        f.Timer3Timer(); // "zameV": board rebuilt, exchange over
        QCOMPARE(rebuilt.count(), 1);
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(!m_server.connected);
        QVERIFY(f.widgets().noticeText.isEmpty());
    }

    void loadingADayByDateRefreshesTheNotes()
    {
        TForm1 &f = *m_form;
        f.KlassCreate();
        f.show(); // the question overlay is answered only on a shown window
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        {
            Answerer no(f, {Answerer::No});
            f.sDateTimePicker2ClPicker();
        }
        QVERIFY(m_server.written.isEmpty()); // nothing loaded, nothing asked of the server
        Answerer yes(f, {Answerer::Yes});
        f.sDateTimePicker2ClPicker();
        QCOMPARE(yes.asked.size(), 1);
        QCOMPARE(m_server.written, QList<QByteArray>{line(u"conecDispшкола;пароль"_s)});
        QVERIFY(f.server().pollTimer()->isActive());
    }

    void handshakeStaysSilent_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("use");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<int>("opens");
        QTest::newRow("no address") << u""_s << u"5050"_s << u"l"_s << u"p"_s << true << true << 0;
        QTest::newRow("no port") << u"127.0.0.1"_s << u""_s << u"l"_s << u"p"_s << true << true << 0;
        QTest::newRow("no login") << u"127.0.0.1"_s << u"5050"_s << u""_s << u"p"_s << true << true << 0;
        QTest::newRow("no password") << u"127.0.0.1"_s << u"5050"_s << u"l"_s << u""_s << true << true << 0;
        QTest::newRow("switch off") << u"127.0.0.1"_s << u"5050"_s << u"l"_s << u"p"_s << false << true << 0;
        QTest::newRow("unreachable") << u"127.0.0.1"_s << u"5050"_s << u"l"_s << u"p"_s << true << false << 1;
    }
    void handshakeStaysSilent()
    {
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(bool, use);
        QFETCH(bool, reachable);
        QFETCH(int, opens);
        TForm1 &f = *m_form;
        configure(ip, port, login, password, use);
        m_server.openSucceeds = reachable;
        f.forgetNotice();
        f.ServerConekt();
        QCOMPARE(m_server.opens, opens);
        QVERIFY(m_server.written.isEmpty());
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(f.widgets().noticeText.isEmpty());
    }

    void publishSendsTheDayAndShowsTheAnswer()
    {
        TForm1 &f = *m_form;
        for (int i = 0; i < 2; ++i)
            f.KlassCreate();
        rasp::State &s = f.fixtureState();
        s.grid.cell(0, 1).subject = u"5а"_s;
        s.grid.cell(0, 2).subject = u"5б"_s;
        s.grid.cell(1, 1).subject = u"Математика"_s;
        s.grid.cell(1, 1).room = u"12"_s;
        s.grid.cell(3, 2).subject = u"Физика"_s;
        f.widgets().sDateTimePicker3->setDate(QDate(2026, 12, 9));
        m_server.answer = [](ServerScript &s, const QByteArray &) {
            s.pending << u"soobsРасписание на 09.12.2026 опубликовано"_s.toUtf8();
        };
        QTest::mouseClick(f.widgets().img_SB13, Qt::LeftButton);
        QCOMPARE(m_server.written,
                 QList<QByteArray>{line(u"publlDispшкола;09.12.2026;5а$5б$||Математика$12$$$|$$$$|$$Физика$$|"_s)});
        QVERIFY(f.server().pollTimer()->isActive());
        f.Timer3Timer();
        QCOMPARE(f.widgets().noticeText, u"Расписание на 09.12.2026 опубликовано"_s);
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(!m_server.connected);

        f.Button1Click(); // the notice is read and closed
        m_server.answer = [](ServerScript &s, const QByteArray &) { s.pending << "soobsОтменено"; };
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        QCOMPARE(m_server.written.value(1), line(u"pubdeDisp09.12.2026"_s));
        QCOMPARE(m_server.opens, 2);
        QTRY_COMPARE(f.widgets().noticeText, u"Отменено"_s); // this time the poll timer itself picks it up
        QVERIFY(!f.server().pollTimer()->isActive());
    }

    void publishAndWithdrawTellWhatStopsThem_data()
    {
        QTest::addColumn<bool>("withdraw");
        QTest::addColumn<bool>("use");
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("notice");
        const QString off = u"Для использования этой функции необходимо указать данные сервера в Настройках программы"_s;
        for (bool withdraw : {false, true}) {
            const char *w = withdraw ? "withdraw: " : "publish: ";
            QTest::addRow("%sswitch off", w) << withdraw << false << u"школа"_s << true << off;
            QTest::addRow("%sno login", w) << withdraw << true << u""_s << true << u"Вы не указали настройки сервера"_s;
            QTest::addRow("%sunreachable", w) << withdraw << true << u"школа"_s << false << u"Сервер временно недоступен"_s;
        }
    }
    void publishAndWithdrawTellWhatStopsThem()
    {
        QFETCH(bool, withdraw);
        QFETCH(bool, use);
        QFETCH(QString, login);
        QFETCH(bool, reachable);
        QFETCH(QString, notice);
        TForm1 &f = *m_form;
        configure(u"127.0.0.1"_s, u"5050"_s, login, u"пароль"_s, use);
        m_server.openSucceeds = reachable;
        f.forgetNotice();
        QTest::mouseClick(withdraw ? f.widgets().img_SB14 : f.widgets().img_SB13, Qt::LeftButton);
        QCOMPARE(f.widgets().noticeText, notice);
        QVERIFY(m_server.written.isEmpty());
        QVERIFY(!f.server().pollTimer()->isActive());
    }

    void pollTickReplies_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces"); // what each tick finds
        QTest::addColumn<bool>("peerCloses");          // the server closes right after sending
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("stillOpen");
        QTest::newRow("error") << QList<QByteArray>{"error"} << false
                               << u"У вас нет прав доступа к серверу расписания"_s << false;
        QTest::newRow("error and a line end: ignored, exchange stays open")
            << QList<QByteArray>{"error\r\n"} << false << QString() << true;
        QTest::newRow("split over two ticks: the first piece alone")
            << QList<QByteArray>{"soobsГот", "ово"} << false << u"Гот"_s << false;
        QTest::newRow("split untagged: both pieces ignored") << QList<QByteArray>{"erro", "r"} << false << QString() << true;
        QTest::newRow("sent, then the server closed") << QList<QByteArray>{"soobsГотово"} << true << u"Готово"_s << false;
        QTest::newRow("server closed without a reply") << QList<QByteArray>{} << true << QString() << false;
    }
    void pollTickReplies()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(bool, peerCloses);
        QFETCH(QString, notice);
        QFETCH(bool, stillOpen);
        TForm1 &f = *m_form;
        m_server.answer = [&](ServerScript &s, const QByteArray &) {
            s.pending = pieces;
            s.connected = !peerCloses;
        };
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        QCOMPARE(m_server.written.size(), 1);
        for (int i = 0; i < std::max<qsizetype>(pieces.size(), 1); ++i)
            f.Timer3Timer();
        QCOMPARE(f.widgets().noticeText, notice);
        QCOMPARE(f.server().pollTimer()->isActive(), stillOpen);
        QCOMPARE(m_server.connected, stillOpen);
    }

    void openConnectionIsReusedAndWriteFailureEndsIt()
    {
        TForm1 &f = *m_form;
        m_server.answer = [](ServerScript &s, const QByteArray &) { s.pending << "hello"; };
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        f.Timer3Timer(); // unknown reply: ignored
        QVERIFY(f.server().pollTimer()->isActive());
        QTest::mouseClick(f.widgets().img_SB13, Qt::LeftButton);
        QCOMPARE(m_server.opens, 1);
        QCOMPARE(m_server.written.size(), 2);

        m_server.writeSucceeds = false;
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(!m_server.connected);
        QVERIFY(f.widgets().noticeText.isEmpty());
    }

    void switchOffEndsTheExchange()
    {
        TForm1 &f = *m_form;
        f.ServerConekt();
        QVERIFY(f.server().pollTimer()->isActive());
        const int closes = m_server.closes;
        f.settings().widgets().sCheckBox1->setChecked(false);
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(!m_server.connected);
        QCOMPARE(m_server.closes, closes + 1);
    }

    void topPanelRefreshesOnlyOnTheDayPage()
    {
        TForm1 &f = *m_form;
        f.SpeedB4Click(); // settings page
        QVERIFY(!f.dayPageActive());
        f.widgets().sPanel8->hide();
        f.sSpeedButton5Click();
        QVERIFY(m_server.written.isEmpty());

        f.KlassCreate();
        f.fixtureState().tab1vis = 1;
        f.widgets().SpeedB1->setEnabled(true);
        f.SpeedB1Click();
        QVERIFY(f.dayPageActive());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        if (f.widgets().sPanel8->isVisible())
            f.sSpeedButton5Click();
        QVERIFY(!f.widgets().sPanel8->isVisible());
        const int closedHeight = f.height();
        m_server.written.clear();
        f.sSpeedButton5Click(); // opens on the day page: notes handshake
        QVERIFY(f.widgets().sPanel8->isVisible());
        QCOMPARE(f.height(), closedHeight + 146);
        QCOMPARE(m_server.written, QList<QByteArray>{line(u"conecDispшкола;пароль"_s)});
        f.sSpeedButton5Click(); // closing does not contact the server
        QVERIFY(!f.widgets().sPanel8->isVisible());
        QCOMPARE(f.height(), closedHeight);
        QCOMPARE(m_server.written.size(), 1);
    }
};

QTEST_MAIN(TstServerWindow)
#include "tst_serverwindow.moc"

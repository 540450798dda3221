// The window's real connection against schedule servers that misbehave: refusing, stalling,
// splitting a character, flooding, sending garbage, closing in the middle of a reply. Each
// ends with the stated message, the exchange closed, the window usable and no school file changed.
#include "shell/tabbutton.h"
#include "server/servercontroller.h"
#include "settings/settingscontroller.h"
#include "tform1.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// How the scripted peer answers the first request line it receives.
enum class Peer { Refuse,
                  Stall,
                  Split,
                  Flood,
                  Garbage,
                  CloseMidReply };

// Every file under `root` with its bytes.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            files.insert(f.fileName(), f.readAll());
    }
    return files;
}

} // namespace

Q_DECLARE_METATYPE(Peer)

class TstServerHostile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<QTcpServer> m_server;
    QTcpSocket *m_peer = nullptr;
    Peer m_behaviour = Peer::Stall;
    bool m_peerGone = false;
    qint64 m_unsent = 0; // what the peer still had to send when the window closed the connection

    // Answers a request line as the row's server would.
    void answer()
    {
        const QByteArray zh = u"о"_s.toUtf8();
        switch (m_behaviour) {
        case Peer::Refuse:
        case Peer::Stall:
            break;
        case Peer::Split: // cut inside "о"; the rest comes well after the next poll tick
            m_peer->write(u"soobsГот"_s.toUtf8() + zh.left(1));
            QTimer::singleShot(700, m_peer, [this, zh] { m_peer->write(zh.mid(1) + u"во"_s.toUtf8()); });
            break;
        case Peer::Flood:
            m_peer->write("soobs" + u"Ж"_s.toUtf8().repeated(8 * 1024 * 1024));
            break;
        case Peer::Garbage: {
            QByteArray junk;
            for (int i = 0; i < 4000; ++i)
                junk += char((i * 7919 + 13) % 256 | 0x80); // never a tag, never valid UTF-8 text
            m_peer->write(junk);
            break;
        }
        case Peer::CloseMidReply:
            m_peer->write(u"soobsГот"_s.toUtf8() + zh.left(1));
            m_peer->disconnectFromHost();
            break;
        }
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        m_server = std::make_unique<QTcpServer>();
        QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
        m_peer = nullptr;
        m_peerGone = false;
        m_unsent = 0;
        connect(m_server.get(), &QTcpServer::newConnection, this, [this] {
            m_peer = m_server->nextPendingConnection();
            connect(m_peer, &QTcpSocket::readyRead, m_peer, [this] {
                if (m_peer->readAll().endsWith("\r\n"))
                    answer();
            });
            connect(m_peer, &QTcpSocket::disconnected, m_peer, [this] {
                m_unsent = m_peer->bytesToWrite();
                m_peerGone = true;
            });
        });
        m_form = std::make_unique<TForm1>();
        TForm1 &f = *m_form;
        f.settings().widgets().sEdit2->setText(u"127.0.0.1"_s);
        f.settings().widgets().sEdit5->setText(QString::number(m_server->serverPort()));
        f.settings().widgets().sEdit3->setText(u"школа"_s);
        f.settings().widgets().sEdit4->setText(u"пароль"_s);
        f.settings().widgets().sCheckBox1->setChecked(true);
        f.SetSave(0);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.forgetNotice();
    }
    void cleanup()
    {
        m_form.reset();
        m_server.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    void hostileServer_data()
    {
        QTest::addColumn<Peer>("peer");
        QTest::addColumn<QString>("request"); // "publish", "withdraw" or "handshake"
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("overdue"); // ends only by the reply deadline
        const QString noReply = u"Сервер не ответил. Попробуйте еще раз"_s;
        QTest::newRow("refuse") << Peer::Refuse << u"publish"_s << u"Сервер временно недоступен"_s << false;
        QTest::newRow("refuse, handshake silent") << Peer::Refuse << u"handshake"_s << QString() << false;
        QTest::newRow("stall: publish") << Peer::Stall << u"publish"_s << noReply << true;
        QTest::newRow("stall: withdraw") << Peer::Stall << u"withdraw"_s << noReply << true;
        QTest::newRow("stall: handshake closes silently") << Peer::Stall << u"handshake"_s << QString() << true;
        QTest::newRow("split inside a character: first piece, no replacement")
            << Peer::Split << u"withdraw"_s << u"Гот"_s << false;
        QTest::newRow("garbage") << Peer::Garbage << u"withdraw"_s << noReply << true;
        QTest::newRow("garbage, handshake") << Peer::Garbage << u"handshake"_s << QString() << true;
        QTest::newRow("close mid-reply") << Peer::CloseMidReply << u"publish"_s << u"Гот"_s << false;
        QTest::newRow("flood: cut notice") << Peer::Flood << u"withdraw"_s << u"…"_s << false;
        QTest::newRow("flood at the handshake: cut notice") << Peer::Flood << u"handshake"_s << u"…"_s << false;
    }
    void hostileServer()
    {
        QFETCH(Peer, peer);
        QFETCH(QString, request);
        QFETCH(QString, notice);
        QFETCH(bool, overdue);
        TForm1 &f = *m_form;
        m_behaviour = peer;
        if (peer == Peer::Refuse)
            m_server->close();
        const QMap<QString, QByteArray> before = snapshot(m_work->path());

        if (request == u"handshake"_s)
            f.ServerConekt();
        else
            QTest::mouseClick(request == u"publish"_s ? f.widgets().img_SB13 : f.widgets().img_SB14, Qt::LeftButton);

        if (overdue) {
            QTRY_VERIFY(m_peer != nullptr);
            QTest::qWait(500); // a few poll ticks: nothing the server sent ends the exchange
            QVERIFY(f.server().pollTimer()->isActive());
            QVERIFY(f.server().replyDeadline()->isActive());
            QCOMPARE(f.server().replyDeadline()->interval(), 10000);
            // The window answers meanwhile: the user can switch pages.
            for (rasp::ui::TabButton *tab : {f.widgets().SpeedB2, f.widgets().SpeedB4}) {
                QTest::mouseClick(tab, Qt::LeftButton);
                QVERIFY(tab->hasActiveLook());
            }
            f.server().replyOverdue(); // what the deadline runs when it fires
        } else if (notice.isEmpty()) {
            QVERIFY(!f.server().pollTimer()->isActive());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!f.widgets().noticeText.isEmpty(), 10000);
        }

        if (notice == u"…"_s) {
            QVERIFY(f.widgets().noticeText.startsWith(u"ЖЖЖ"_s));
            QVERIFY(f.widgets().noticeText.endsWith(u'…'));
            QVERIFY(f.widgets().noticeText.size() < 400);
            QTRY_VERIFY(m_peerGone);
            QVERIFY(m_unsent > 0); // the rest was never read
        } else {
            QCOMPARE(f.widgets().noticeText, notice);
        }
        QVERIFY(!f.widgets().noticeText.contains(QChar(0xFFFD)));
        QVERIFY(!f.server().pollTimer()->isActive());
        QVERIFY(!f.server().replyDeadline()->isActive());
        if (peer != Peer::Refuse)
            QTRY_VERIFY(m_peerGone);

        f.Button1Click(); // the notice is read; the window is usable again
        QTest::mouseClick(f.widgets().SpeedB2, Qt::LeftButton);
        QVERIFY(f.widgets().SpeedB2->hasActiveLook());
        QCOMPARE(snapshot(m_work->path()), before);
    }

    void aLaterRequestOpensAFreshConnection()
    {
        TForm1 &f = *m_form;
        m_behaviour = Peer::Stall;
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        QTRY_VERIFY(m_peer != nullptr);
        QTcpSocket *stalled = m_peer;
        f.server().replyOverdue();
        QTRY_VERIFY(m_peerGone);
        f.Button1Click();
        m_behaviour = Peer::CloseMidReply;
        QTest::mouseClick(f.widgets().img_SB14, Qt::LeftButton);
        QTRY_VERIFY(m_peer != stalled);
        QTRY_COMPARE(f.widgets().noticeText, u"Гот"_s);
    }
};

QTEST_MAIN(TstServerHostile)
#include "tst_serverhostile.moc"

// The QTcpSocket link against a small server on 127.0.0.1: a request line arrives as UTF-8
// with CR LF, a reply sent just before the server closes is still read, a refused
// connection fails, and closing leaves the link ready for a fresh exchange.
#include "server/protocol.h"
#include "server/serverlink.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstServerLink : public QObject
{
    Q_OBJECT

private slots:
    void exchangeOverLoopback()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QByteArray received;
        QTcpSocket *peer = nullptr;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            peer = server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, peer, [&] {
                received += peer->readAll();
                if (received.endsWith("\r\n")) {
                    peer->write(u"soobsГотово"_s.toUtf8());
                    peer->disconnectFromHost(); // reply, then close at once
                }
            });
        });

        rasp::ui::TcpServerLink link(rasp::server::kConnectTimeoutMs, rasp::server::kReadTimeoutMs);
        QVERIFY(!link.isOpen());
        QVERIFY(link.open(u"127.0.0.1"_s, server.serverPort()));
        QVERIFY(link.isOpen());
        QVERIFY(link.writeLine(rasp::server::RequestLine(u"pubdeDisp09.12.2026 ё"_s)));

        // The server has answered and closed; the unread reply keeps the link open.
        QTRY_VERIFY_WITH_TIMEOUT(peer && peer->state() == QAbstractSocket::UnconnectedState, 5000);
        QCOMPARE(received, QByteArray("pubdeDisp09.12.2026 \xD1\x91\r\n"));
        QByteArray reply;
        auto collect = [&] {
            QByteArray got;
            if (link.isOpen() && link.readAvailable(&got))
                reply += got;
            return QString::fromUtf8(reply);
        };
        QTRY_COMPARE_WITH_TIMEOUT(collect(), u"soobsГотово"_s, 5000);

        // Nothing left and the peer gone: the link no longer counts as open.
        QTRY_VERIFY_WITH_TIMEOUT(!link.isOpen(), 5000);
        link.close();
        QVERIFY(!link.isOpen());
        QVERIFY(!link.writeLine("x\r\n"));

        // A closed port refuses; the link stays closed and reports the failure.
        const quint16 port = server.serverPort();
        server.close();
        QVERIFY(!link.open(u"127.0.0.1"_s, port));
        QVERIFY(!link.isOpen());
    }
};

QTEST_GUILESS_MAIN(TstServerLink)
#include "tst_serverlink.moc"

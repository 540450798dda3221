#include "server/serverlink.h"

#include "server/replyreader.h"

namespace rasp::ui {

TcpServerLink::TcpServerLink(int connectTimeoutMs, int readTimeoutMs)
    : m_connectTimeoutMs(connectTimeoutMs)
    , m_readTimeoutMs(readTimeoutMs)
{
    // A flooding server fills this buffer and waits; the window never holds more of it.
    m_socket.setReadBufferSize(rasp::server::kMaxReplyBytes);
}

bool TcpServerLink::isOpen()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState && m_socket.bytesAvailable() == 0)
        m_socket.waitForReadyRead(0); // pull in what has arrived; never waits
    return m_socket.state() == QAbstractSocket::ConnectedState || m_socket.bytesAvailable() > 0;
}

bool TcpServerLink::open(const QString &host, quint16 port)
{
    m_socket.abort();
    m_socket.connectToHost(host, port);
    if (m_socket.waitForConnected(m_connectTimeoutMs))
        return true;
    m_socket.abort();
    return false;
}

bool TcpServerLink::writeLine(const QByteArray &line)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        return false;
    if (m_socket.write(line) != line.size())
        return false;
    // The line leaves now, bounded by the read time-out, so an exchange ended right after the
    // write does not drop it.
    return m_socket.waitForBytesWritten(m_readTimeoutMs) || m_socket.bytesToWrite() == 0;
}

bool TcpServerLink::readAvailable(QByteArray *out)
{
    if (!m_socket.isOpen())
        return false;
    *out = m_socket.readAll();
    return true;
}

void TcpServerLink::close()
{
    m_socket.abort();
}

} // namespace rasp::ui

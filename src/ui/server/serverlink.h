#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>

namespace rasp::ui {

// The one connection to the schedule server, as the window uses it: connect with a time-out,
// write one line, take whatever has arrived without waiting, close. Window tests script it.
class ServerLink
{
public:
    virtual ~ServerLink() = default;
    // Whether the connection counts as open: connected, or closed by the peer with bytes unread.
    virtual bool isOpen() = 0;
    // Opens the connection to host:port within the connect time-out; false on failure.
    virtual bool open(const QString &host, quint16 port) = 0;
    // Writes the bytes of one request line; false when the write failed.
    virtual bool writeLine(const QByteArray &line) = 0;
    // Takes everything received so far into `out` without waiting; false when reading failed.
    virtual bool readAvailable(QByteArray *out) = 0;
    // Closes the connection and drops unread input, so the next exchange starts clean.
    virtual void close() = 0;
};

// The schedule-server link over a QTcpSocket.
class TcpServerLink : public ServerLink
{
public:
    TcpServerLink(int connectTimeoutMs, int readTimeoutMs);
    bool isOpen() override;
    bool open(const QString &host, quint16 port) override;
    bool writeLine(const QByteArray &line) override;
    bool readAvailable(QByteArray *out) override;
    void close() override;

private:
    QTcpSocket m_socket;
    int m_connectTimeoutMs;
    int m_readTimeoutMs;
};

} // namespace rasp::ui

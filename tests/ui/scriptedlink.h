#pragma once

#include "server/serverlink.h"

#include <QList>
#include <functional>

// A schedule server scripted by a test: what the window opened, wrote and closed, and the
// reply pieces it will find at its next poll ticks (one piece per tick).
struct ServerScript {
    bool openSucceeds = true;
    bool writeSucceeds = true;
    bool connected = false;
    int opens = 0;
    int closes = 0;
    QString host;
    quint16 port = 0;
    QList<QByteArray> written;
    QList<QByteArray> pending;
    // Answers a written line: pushes reply pieces; may also drop the connection.
    std::function<void(ServerScript &, const QByteArray &)> answer;
};

class ScriptedLink : public rasp::ui::ServerLink
{
public:
    explicit ScriptedLink(ServerScript &script)
        : m_s(script)
    { }
    bool isOpen() override { return m_s.connected || !m_s.pending.isEmpty(); }
    bool open(const QString &host, quint16 port) override
    {
        ++m_s.opens;
        m_s.host = host;
        m_s.port = port;
        m_s.connected = m_s.openSucceeds;
        return m_s.connected;
    }
    bool writeLine(const QByteArray &line) override
    {
        if (!m_s.connected || !m_s.writeSucceeds)
            return false;
        m_s.written << line;
        if (m_s.answer)
            m_s.answer(m_s, line);
        return true;
    }
    bool readAvailable(QByteArray *out) override
    {
        *out = m_s.pending.isEmpty() ? QByteArray() : m_s.pending.takeFirst();
        return true;
    }
    void close() override
    {
        ++m_s.closes;
        m_s.connected = false;
        m_s.pending.clear();
    }

private:
    ServerScript &m_s;
};

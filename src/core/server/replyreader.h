#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace rasp::server {

// What one exchange with the schedule server may read; the rest is discarded and the
// connection closed, so a server that floods the link cannot freeze the window.
inline constexpr qsizetype kMaxReplyBytes = 64 * 1024;

// Reads the replies of one exchange as they arrive: UTF-8 decoded across reads, so a
// character split between two reads is never lost, and bounded to a number of bytes.
class ReplyReader
{
public:
    explicit ReplyReader(qsizetype limit = kMaxReplyBytes);
    // Decodes the next bytes; a character cut at their end waits for the next read. Bytes past
    // the limit are dropped and the reader counts as over its limit from then on.
    QString take(QByteArrayView bytes);
    // Whether the exchange sent more than the limit.
    bool overLimit() const { return m_over; }
    // Starts a fresh exchange.
    void reset();

private:
    QStringDecoder m_decoder;
    qsizetype m_limit;
    qsizetype m_taken = 0;
    bool m_over = false;
};

} // namespace rasp::server

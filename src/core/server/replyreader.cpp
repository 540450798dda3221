// Server link: the bounded, split-safe reading of one exchange's replies.
#include "replyreader.h"

#include <algorithm>

namespace rasp::server {

ReplyReader::ReplyReader(qsizetype limit)
    : m_decoder(QStringDecoder::Utf8)
    , m_limit(limit)
{
}

QString ReplyReader::take(QByteArrayView bytes)
{
    const qsizetype room = std::max<qsizetype>(m_limit - m_taken, 0);
    if (bytes.size() > room) {
        m_over = true;
        bytes = bytes.first(room);
    }
    m_taken += bytes.size();
    return m_decoder.decode(bytes);
}

void ReplyReader::reset()
{
    m_decoder.resetState();
    m_taken = 0;
    m_over = false;
}

} // namespace rasp::server

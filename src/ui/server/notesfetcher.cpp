#include "server/notesfetcher.h"

#include "server/notes.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace rasp::ui {

NotesFetcher::NotesFetcher(QObject *parent)
    : QObject(parent)
{
}

void NotesFetcher::fetch(const QUrl &url, const QString &user, const QString &password)
{
    cancel();
    QNetworkRequest req(url);
    req.setRawHeader("Authorization", "Basic " + (user + u':' + password).toUtf8().toBase64());
    req.setRawHeader("Accept", rasp::server::kNotesAccept.toByteArray());
    req.setTransferTimeout(rasp::server::kNotesTimeoutMs); // connect and every wait for data
    m_body.clear();
    m_cut = false;
    m_reply = m_nam.get(req);
    connect(m_reply, &QNetworkReply::readyRead, this, &NotesFetcher::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &NotesFetcher::finish);
}

void NotesFetcher::cancel()
{
    if (QNetworkReply *r = m_reply) {
        m_reply = nullptr;
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }
}

void NotesFetcher::readSome()
{
    QNetworkReply *r = m_reply;
    if (!r || m_cut || r->error() != QNetworkReply::NoError)
        return;
    const qint64 room = rasp::server::kMaxNotesBytes + 1 - m_body.size();
    m_body += r->read(room);
    if (m_body.size() > rasp::server::kMaxNotesBytes) {
        m_cut = true; // enough: the rest is never read
        r->disconnect(this);
        m_reply = nullptr;
        const QByteArray type = r->rawHeader("Content-Type");
        r->abort();
        r->deleteLater();
        emit fetched(true, m_body, type);
    }
}

void NotesFetcher::finish()
{
    QNetworkReply *r = m_reply;
    if (!r)
        return;
    m_reply = nullptr;
    r->deleteLater();
    if (r->error() != QNetworkReply::NoError) {
        emit fetched(false, {}, {});
        return;
    }
    m_body += r->readAll().left(rasp::server::kMaxNotesBytes + 1 - m_body.size());
    emit fetched(true, m_body, r->rawHeader("Content-Type"));
}

} // namespace rasp::ui

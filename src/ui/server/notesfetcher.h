#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkReply;

namespace rasp::ui {

// Fetches the notes file with one asynchronous HTTP GET (Basic authentication, 3000 ms
// connect and read time-outs) and reads at most the notes size bound; a new fetch or
// cancel() drops the one under way, whose result is then never reported.
class NotesFetcher : public QObject
{
    Q_OBJECT
public:
    explicit NotesFetcher(QObject *parent = nullptr);
    // Starts the GET of url as user:password, dropping any fetch under way.
    void fetch(const QUrl &url, const QString &user, const QString &password);
    // Drops the fetch under way, if any.
    void cancel();
    // Whether a fetch is under way.
    bool busy() const { return !m_reply.isNull(); }

signals:
    // The fetch ended: ok with the body (cut past the bound) and its Content-Type, or failed.
    void fetched(bool ok, const QByteArray &body, const QByteArray &contentType);

private:
    // Takes the bytes that arrived, stopping the transfer once past the bound.
    void readSome();
    // Reports the end of the transfer.
    void finish();

    QNetworkAccessManager m_nam;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    bool m_cut = false;
};

} // namespace rasp::ui

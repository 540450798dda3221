#pragma once

#include "shell/controller.h"

#include "server/replyreader.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QLabel;
class QTimer;
class QWidget;

namespace rasp::ui {

class NotesBoardView;
class NotesFetcher;
class ServerLink;

// The schedule server and the notes board: the exchanges (notes refresh, publish, withdraw)
// with their 200 ms poll and 10 s reply deadline, and the board of notes in the group "Заметки"
// with its fetch and the deletion of a note. It reads the settings and the day; it changes
// nothing of the state.
class ServerController : public Controller
{
    Q_OBJECT
public:
    // What the server's "conec" reply gave for the notes web service.
    struct NotesAccess {
        QString port;     // port_HTTP
        QString login;    // zamLogin
        QString password; // zamParol
    };

    // Builds the board and its status line inside `notesGroup`.
    ServerController(const Shell &shell, QWidget *notesGroup, QObject *parent);
    ~ServerController() override;

    // ServerConekt: the notes refresh handshake, when the server is configured and reachable.
    void connectForNotes();
    // SoobsenPubl: sends a request the user made; incomplete settings and no server are told.
    void sendTold(const QString &request);
    // soobsen: sends a request as one line; any failure ends the exchange.
    void send(const QString &request);
    // TCPDis: ends the exchange.
    void endExchange();
    // Timer3Timer: takes what the server sent so far as one reply and acts on it.
    void poll();
    // serverReplyOverdue: no reply ended the exchange in time.
    void replyOverdue();
    // sSpeedButton13Click: publishes the day under the target date.
    void publishDay();
    // sSpeedButton14Click: withdraws the publication of the target date.
    void withdrawDay();
    // LoadZamet: discards the board and fetches the notes file anew.
    void reloadNotes();
    // ZametkaClose: deletes a note after a question, then asks for the notes again.
    void deleteNote(const QString &key);
    // notesFetched: the fetch ended; writes the working copies and builds the board.
    void takeNotes(bool ok, const QByteArray &body, const QByteArray &contentType);
    // Hides the board until its next rebuild (the tool panel opens again).
    void hideBoard();
    // setServerLink: replaces the connection (window tests script the server with it).
    void setLink(std::unique_ptr<ServerLink> link);
    // takeServerAddress: the connection's host and port from the settings as read or saved.
    void takeAddress();

    // The parts the window tests look at.
    QTimer *pollTimer() const { return m_poll; }
    QTimer *replyDeadline() const { return m_deadline; }
    NotesBoardView *board() const { return m_board; }
    QLabel *boardStatus() const { return m_status; }
    QTimer *deleteWait() const { return m_deleteWait; }
    NotesFetcher *notesFetcher() const { return m_fetcher; }
    NotesAccess &notesAccess() { return m_access; }

signals:
    // The server answered "zameV": the board is being fetched and rebuilt.
    void notesBoardRefresh();
    // The board was rebuilt from a fetch: cards shown, or the status line says "Пусто".
    void notesBoardRebuilt();

private:
    bool openLink();
    void awaitReply(bool tell);
    void showStatus(const QString &text);

    std::unique_ptr<ServerLink> m_link;
    QTimer *m_poll = nullptr;     // Timer3: polls the replies every 200 ms while an exchange runs
    QTimer *m_deadline = nullptr; // single-shot, 10 s, restarted by every request sent
    server::ReplyReader m_reply;  // the current exchange's bytes, decoded and bounded
    bool m_tellNoReply = false;   // a request of the user waits for its reply
    QString m_host;               // host of the connection, as last read or saved
    quint16 m_port = 0;           // port of the connection, as last read or saved
    NotesAccess m_access;
    NotesBoardView *m_board = nullptr; // scr; hidden while discarded
    QLabel *m_status = nullptr;        // lab_vir_shir: "Пусто", "Обновление ..."
    QTimer *m_deleteWait = nullptr;    // zametWait: 2000 ms between a deletion and the new list
    NotesFetcher *m_fetcher = nullptr;
    QString m_notesDate; // the target date the fetch under way was made for
};

} // namespace rasp::ui

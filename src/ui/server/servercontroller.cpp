#include "servercontroller.h"

#include "server/notesboardview.h"
#include "server/notesfetcher.h"
#include "server/notes.h"
#include "server/protocol.h"
#include "server/serverlink.h"
#include "servertexts.h"
#include "settings/settings.h"
#include "state.h"
#include "text/datewords.h"

#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

// Whether address, port, login and password are all filled in.
bool serverSettingsComplete(const settings::Settings &s)
{
    return !s.ip.isEmpty() && !s.port.isEmpty() && !s.login.isEmpty() && !s.password.isEmpty();
}

} // namespace

ServerController::ServerController(const Shell &shell, QWidget *notesGroup, QObject *parent)
    : Controller(shell, parent)
    , m_link(std::make_unique<TcpServerLink>(server::kConnectTimeoutMs, server::kReadTimeoutMs))
{
    m_poll = new QTimer(this);
    m_poll->setObjectName(u"Timer3"_s);
    m_poll->setInterval(server::kPollIntervalMs);
    connect(m_poll, &QTimer::timeout, this, &ServerController::poll);
    m_deadline = new QTimer(this);
    m_deadline->setObjectName(u"replyDeadline"_s);
    m_deadline->setSingleShot(true);
    m_deadline->setInterval(server::kReplyDeadlineMs);
    connect(m_deadline, &QTimer::timeout, this, &ServerController::replyOverdue);

    auto *layout = new QGridLayout(notesGroup);
    layout->setContentsMargins(10, 15, 10, 10);
    m_board = new NotesBoardView(notesGroup);
    m_board->setObjectName(u"scr"_s);
    m_board->hide();
    m_status = new QLabel(servertexts::kBoardEmpty.toString(), notesGroup);
    m_status->setObjectName(u"lab_vir_shir"_s);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->hide();
    layout->addWidget(m_board, 0, 0);
    layout->addWidget(m_status, 0, 0, Qt::AlignCenter);

    m_deleteWait = new QTimer(this);
    m_deleteWait->setObjectName(u"zametWait"_s);
    m_deleteWait->setSingleShot(true);
    m_deleteWait->setInterval(2000);
    m_fetcher = new NotesFetcher(this);
    connect(m_board, &NotesBoardView::deleteClicked, this, &ServerController::deleteNote);
    connect(m_fetcher, &NotesFetcher::fetched, this, &ServerController::takeNotes);
    connect(m_deleteWait, &QTimer::timeout, this, [this] {
        sendTold(server::ZameVRequest(state().settings.login, state().settings.password));
    });
}

ServerController::~ServerController() = default;

void ServerController::setLink(std::unique_ptr<ServerLink> link)
{
    endExchange();
    m_link = std::move(link);
}

void ServerController::takeAddress()
{
    m_host = state().settings.ip;
    m_port = static_cast<quint16>(std::clamp(settings::ServerPort(state().settings), 0, 65535));
}

bool ServerController::openLink()
{
    return m_link->open(m_host, m_port);
}

void ServerController::connectForNotes()
{
    const settings::Settings &s = state().settings;
    if (!serverSettingsComplete(s) || !s.useServer)
        return;
    if (!m_link->isOpen())
        openLink();   // a failure is silent for the refresh
    m_status->show(); // the board's status line, whether or not the connection opened
    if (m_link->isOpen()) {
        if (!m_poll->isActive())
            m_poll->start();
        send(server::ConecRequest(s.login, s.password));
        awaitReply(false);
    }
}

void ServerController::sendTold(const QString &request)
{
    const settings::Settings &set = state().settings;
    if (!serverSettingsComplete(set)) {
        notify(servertexts::kNoServerSettings.toString());
        return;
    }
    if (!set.useServer)
        return;
    if (!m_link->isOpen() && !openLink())
        notify(servertexts::kServerUnavailable.toString());
    if (m_link->isOpen()) {
        if (!m_poll->isActive())
            m_poll->start();
        send(request);
        awaitReply(true);
    }
}

void ServerController::awaitReply(bool tell)
{
    if (!m_poll->isActive())
        return; // the send failed and the exchange is over
    m_tellNoReply = m_tellNoReply || tell;
    m_deadline->start();
}

void ServerController::replyOverdue()
{
    const bool tell = m_tellNoReply;
    endExchange();
    if (tell)
        notify(server::NoReplyText());
}

void ServerController::send(const QString &request)
{
    if (!m_link->isOpen() || !m_link->writeLine(server::RequestLine(request)))
        endExchange();
}

void ServerController::endExchange()
{
    m_poll->stop();
    m_deadline->stop();
    m_tellNoReply = false;
    m_reply.reset();
    m_link->close();
}

void ServerController::poll()
{
    QByteArray bytes;
    if (m_link->isOpen()) {
        if (!m_link->readAvailable(&bytes)) {
            endExchange();
            bytes.clear();
        }
    } else {
        endExchange();
    }
    using server::ReplyAction;
    // Decoded across ticks and bounded: a flood ends the exchange once its first part is read.
    const QString reply = m_reply.take(bytes);
    const bool flooded = m_reply.overLimit();
    for (const ReplyAction &a : server::ParseReply(reply)) {
        switch (a.kind) {
        case ReplyAction::ShowMessage:
            notify(fitNotice(a.text));
            break;
        case ReplyAction::StoreConec:
            m_access = {a.portHttp, a.notesUser, a.notesPassword};
            break;
        case ReplyAction::SendZameV:
            send(server::ZameVRequest(state().settings.login, state().settings.password));
            break;
        case ReplyAction::RebuildNotes:
            reloadNotes();
            break;
        case ReplyAction::ShowNoAccess:
            notify(server::NoAccessText());
            break;
        case ReplyAction::Disconnect:
            endExchange();
            break;
        }
    }
    if (flooded && m_poll->isActive())
        endExchange();
}

void ServerController::publishDay()
{
    if (!state().settings.useServer) {
        notify(servertexts::kNeedServerSettings.toString());
        return;
    }
    const QString payload = server::DayPayload(state());
    sendTold(server::PublRequest(server::Organisation(state().settings.login), text::ShortDate(targetDate()), payload));
}

void ServerController::withdrawDay()
{
    if (!state().settings.useServer) {
        notify(servertexts::kNeedServerSettings.toString());
        return;
    }
    sendTold(server::PubdeRequest(text::ShortDate(targetDate())));
}

void ServerController::hideBoard()
{
    m_board->hide();
}

void ServerController::showStatus(const QString &text)
{
    m_board->hide();
    m_status->setText(text);
    m_status->show();
}

void ServerController::reloadNotes()
{
    emit notesBoardRefresh();
    m_board->clear();
    m_board->hide();
    m_status->clear();
    m_status->hide();
    m_notesDate = text::ShortDate(targetDate());
    bool portOk = false;
    const int port = m_access.port.toInt(&portOk);
    if (!portOk || port < 0 || port > 65535) { // no usable port from "conec": the fetch fails
        m_fetcher->cancel();
        showStatus(servertexts::kBoardEmpty.toString());
        emit notesBoardRebuilt();
        return;
    }
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(state().settings.ip);
    url.setPort(port);
    url.setPath(server::kNotesPath.toString());
    // Asynchronous: the window goes on while the notes come; takeNotes takes them.
    m_fetcher->fetch(url, m_access.login, m_access.password);
}

void ServerController::takeNotes(bool ok, const QByteArray &body, const QByteArray &contentType)
{
    const QString date = text::ShortDate(targetDate());
    if (date != m_notesDate)
        return; // the user has left that day; its notes are not shown
    const server::NotesRebuild r = ok ? server::ReadNotes(body, contentType, date) : server::NotesRebuild{};
    if (r.fetchedEmpty) {
        showStatus(servertexts::kBoardEmpty.toString());
        emit notesBoardRebuilt();
        return;
    }
    // The working copies; the board is built from the same bytes even if a write fails.
    server::WriteNotesFile(server::Tmp0Path(), r.tmp0);
    server::WriteNotesFile(server::TmpPath(), r.tmp);
    if (r.board.empty()) {
        showStatus(servertexts::kBoardEmpty.toString());
    } else {
        m_status->hide();
        m_board->setBoard(r.board);
        m_board->show();
    }
    emit notesBoardRebuilt();
}

void ServerController::deleteNote(const QString &key)
{
    if (!ask(servertexts::kDeleteNote.toString()))
        return;
    if (!m_board->isHidden())
        showStatus(servertexts::kBoardUpdating.toString());
    const settings::Settings &s = state().settings;
    sendTold(server::ZameDRequest(s.login, s.password, key));
    m_deleteWait->start(); // a timer, not a blocking wait: the window goes on meanwhile
}

} // namespace rasp::ui

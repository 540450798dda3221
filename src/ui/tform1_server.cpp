// Server link: the exchanges with the schedule server (notes refresh, publish, withdraw),
// the 200 ms poll of its replies and the top-panel toggle that refreshes the notes.
#include "tform1.h"

#include "overlaypanel.h"
#include "server/protocol.h"
#include "serverlink.h"
#include "notesboardview.h"
#include "settings/settings.h"
#include "text/datewords.h"

#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether address, port, login and password are all filled in.
bool serverSettingsComplete(const rasp::settings::Settings &s)
{
    return !s.ip.isEmpty() && !s.port.isEmpty() && !s.login.isEmpty() && !s.password.isEmpty();
}

// Notice of publish and withdraw while the server switch is off.
QString needServerSettingsText()
{
    return u"Для использования этой функции необходимо указать данные сервера в Настройках программы"_s;
}

} // namespace

void TForm1::wireServer()
{
    Timer3 = new QTimer(this);
    Timer3->setObjectName(u"Timer3"_s);
    Timer3->setInterval(rasp::server::kPollIntervalMs);
    m_serverLink = std::make_unique<rasp::ui::TcpServerLink>(rasp::server::kConnectTimeoutMs,
                                                             rasp::server::kReadTimeoutMs);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    replyDeadline = new QTimer(this);
    replyDeadline->setObjectName(u"replyDeadline"_s);
    replyDeadline->setSingleShot(true);
    replyDeadline->setInterval(rasp::server::kReplyDeadlineMs);
    connect(replyDeadline, &QTimer::timeout, this, &TForm1::serverReplyOverdue);
    connect(img_SB13, &QToolButton::clicked, this, &TForm1::sSpeedButton13Click);
    connect(img_SB14, &QToolButton::clicked, this, &TForm1::sSpeedButton14Click);
    connect(sSpeedButton5, &QToolButton::clicked, this, &TForm1::sSpeedButton5Click);
}

void TForm1::setServerLink(std::unique_ptr<rasp::ui::ServerLink> link)
{
    TCPDis();
    m_serverLink = std::move(link);
}

void TForm1::takeServerAddress()
{
    m_serverHost = m_state.settings.ip;
    m_serverPort = static_cast<quint16>(std::clamp(rasp::settings::ServerPort(m_state.settings), 0, 65535));
}

bool TForm1::openServerLink()
{
    return m_serverLink->open(m_serverHost, m_serverPort);
}

void TForm1::ServerConekt()
{
    const rasp::settings::Settings &s = m_state.settings;
    if (!serverSettingsComplete(s) || !s.useServer)
        return;
    if (!m_serverLink->isOpen())
        openServerLink(); // a failure is silent for the refresh
    lab_vir_shir->show(); // the board's status line, whether or not the connection opened
    if (m_serverLink->isOpen()) {
        if (!Timer3->isActive())
            Timer3->start();
        soobsen(rasp::server::ConecRequest(s.login, s.password));
        awaitServerReply(false);
    }
}

void TForm1::SoobsenPubl(const QString &s)
{
    const rasp::settings::Settings &set = m_state.settings;
    if (!serverSettingsComplete(set)) {
        Rct_SoobPokaz(u"Вы не указали настройки сервера"_s);
        return;
    }
    if (!set.useServer)
        return;
    if (!m_serverLink->isOpen() && !openServerLink())
        Rct_SoobPokaz(u"Сервер временно недоступен"_s);
    if (m_serverLink->isOpen()) {
        if (!Timer3->isActive())
            Timer3->start();
        soobsen(s);
        awaitServerReply(true);
    }
}

void TForm1::awaitServerReply(bool tell)
{
    if (!Timer3->isActive())
        return; // the send failed and the exchange is over
    m_tellNoReply = m_tellNoReply || tell;
    replyDeadline->start();
}

void TForm1::serverReplyOverdue()
{
    const bool tell = m_tellNoReply;
    TCPDis();
    if (tell)
        Rct_SoobPokaz(rasp::server::NoReplyText());
}

void TForm1::soobsen(const QString &s)
{
    if (!m_serverLink->isOpen() || !m_serverLink->writeLine(rasp::server::RequestLine(s)))
        TCPDis();
}

void TForm1::TCPDis()
{
    Timer3->stop();
    replyDeadline->stop();
    m_tellNoReply = false;
    m_serverReply.reset();
    m_serverLink->close();
}

void TForm1::Timer3Timer()
{
    QByteArray bytes;
    if (m_serverLink->isOpen()) {
        if (!m_serverLink->readAvailable(&bytes)) {
            TCPDis();
            bytes.clear();
        }
    } else {
        TCPDis();
    }
    using rasp::server::ReplyAction;
    const rasp::settings::Settings &s = m_state.settings;
    // Decoded across ticks and bounded: a flood ends the exchange once its first part is read.
    const QString reply = m_serverReply.take(bytes);
    const bool flooded = m_serverReply.overLimit();
    for (const ReplyAction &a : rasp::server::ParseReply(reply)) {
        switch (a.kind) {
        case ReplyAction::ShowMessage:
            Rct_SoobPokaz(rasp::ui::fitMessageText(Label10, a.text));
            break;
        case ReplyAction::StoreConec:
            port_HTTP = a.portHttp;
            zamLogin = a.notesUser;
            zamParol = a.notesPassword;
            break;
        case ReplyAction::SendZameV:
            soobsen(rasp::server::ZameVRequest(s.login, s.password));
            break;
        case ReplyAction::RebuildNotes:
            LoadZamet();
            break;
        case ReplyAction::ShowNoAccess:
            Rct_SoobPokaz(rasp::server::NoAccessText());
            break;
        case ReplyAction::Disconnect:
            TCPDis();
            break;
        }
    }
    if (flooded && Timer3->isActive())
        TCPDis();
}

void TForm1::sSpeedButton13Click()
{
    if (!m_state.settings.useServer) {
        Rct_SoobPokaz(needServerSettingsText());
        return;
    }
    const QString payload = rasp::server::DayPayload(m_state);
    SoobsenPubl(rasp::server::PublRequest(rasp::server::Organisation(m_state.settings.login),
                                          rasp::text::ShortDate(sDateTimePicker3->date()), payload));
}

void TForm1::sSpeedButton14Click()
{
    if (!m_state.settings.useServer) {
        Rct_SoobPokaz(needServerSettingsText());
        return;
    }
    SoobsenPubl(rasp::server::PubdeRequest(rasp::text::ShortDate(sDateTimePicker3->date())));
}

void TForm1::sSpeedButton5Click()
{
    hideCellLists();
    const int panelHeight = sPanel8->height() > 0 ? sPanel8->height() : 146;
    const bool resizable = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!sPanel8->isHidden()) {
        sSpeedButton5->setIcon(QIcon(u":/img/panel_open.svg"_s));
        sPanel8->hide();
        if (resizable)
            resize(width(), height() - panelHeight);
    } else {
        scr->hide(); // the board comes back with the next rebuild
        if (dayPageActive())
            ServerConekt();
        sSpeedButton5->setIcon(QIcon(u":/img/panel_close.svg"_s));
        if (resizable)
            resize(width(), height() + panelHeight);
        sPanel8->show();
    }
}

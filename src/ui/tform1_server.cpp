// Server link: the entry points of the schedule server and the notes board. The work is done by
// rasp::ui::ServerController (src/ui/server); each routine here forwards to it.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "edit/editfunnel.h"
#include "shell/overlaypanel.h"
#include "server/servercontroller.h"
#include "server/serverlink.h"
#include "undo/undocontroller.h"

#include <QDateEdit>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

rasp::ui::Shell TForm1::shellServices()
{
    rasp::ui::Shell shell;
    shell.state = &m_state;
    shell.edits = m_edits;
    shell.ask = [this](const QString &question) { return Dial(question) == rasp::ui::shelltexts::kYes; };
    shell.notify = [this](const QString &text) { Rct_SoobPokaz(text); };
    shell.fitNotice = [this](const QString &text) { return rasp::ui::fitMessageText(Label10, text); };
    shell.targetDate = [this] { return sDateTimePicker3->date(); };
    shell.window = this;
    shell.enablePages = [this](bool enabled) { FormEnable(enabled); };
    shell.showWait = [this](bool shown) {
        if (!shown) {
            Img_zdite->hide();
            return;
        }
        Img_zdite->move((width() - Img_zdite->width()) / 2, (height() - Img_zdite->height()) / 2);
        Img_zdite->raise();
        Img_zdite->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // let the wait picture paint
    };
    shell.dayPage = [this] { return dayPageActive(); };
    shell.templatePage = [this] { return templatePageActive(); };
    shell.mayReplace = [this](const QStringList &paths, const std::function<void()> &reload) {
        return mayReplaceChangedFiles(paths, reload);
    };
    shell.restore = [this](const rasp::ui::undo::GridEditCommand &step, bool after) { return m_undo->restoreStep(step, after); };
    shell.templateDay = [this] { return templatePageActive() ? m_state.vibr_den_set : 0; };
    shell.running = [this] { return arrangementRunning(); };
    return shell;
}

void TForm1::wireServer()
{
    m_server = new rasp::ui::ServerController(shellServices(), sGroupBox9, this);
    connect(m_server, &rasp::ui::ServerController::notesBoardRefresh, this, &TForm1::notesBoardRefresh);
    connect(m_server, &rasp::ui::ServerController::notesBoardRebuilt, this, &TForm1::notesBoardRebuilt);
    connect(img_SB13, &QToolButton::clicked, this, &TForm1::sSpeedButton13Click);
    connect(img_SB14, &QToolButton::clicked, this, &TForm1::sSpeedButton14Click);
    connect(sSpeedButton5, &QToolButton::clicked, this, &TForm1::sSpeedButton5Click);
}

// ServerController::connectForNotes.
void TForm1::ServerConekt() { m_server->connectForNotes(); }
// ServerController::sendTold.
void TForm1::SoobsenPubl(const QString &s) { m_server->sendTold(s); }
// ServerController::send.
void TForm1::soobsen(const QString &s) { m_server->send(s); }
// ServerController::endExchange.
void TForm1::TCPDis() { m_server->endExchange(); }
// ServerController::poll.
void TForm1::Timer3Timer() { m_server->poll(); }
// ServerController::publishDay.
void TForm1::sSpeedButton13Click() { m_server->publishDay(); }
// ServerController::withdrawDay.
void TForm1::sSpeedButton14Click() { m_server->withdrawDay(); }
// ServerController::reloadNotes.
void TForm1::LoadZamet() { m_server->reloadNotes(); }
// ServerController::deleteNote.
void TForm1::ZametkaClose(const QString &key) { m_server->deleteNote(key); }

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
        m_server->hideBoard(); // the board comes back with the next rebuild
        if (dayPageActive())
            ServerConekt();
        sSpeedButton5->setIcon(QIcon(u":/img/panel_close.svg"_s));
        if (resizable)
            resize(width(), height() + panelHeight);
        sPanel8->show();
    }
}

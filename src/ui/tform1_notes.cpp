// Server link: the notes board in the group "Заметки": the fetch of the notes file, its
// working copies, the cards and the deletion of a note.
#include "tform1.h"

#include "notesboardview.h"
#include "notesfetcher.h"
#include "server/notes.h"
#include "server/protocol.h"
#include "text/datewords.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireNotes()
{
    auto *grid = new QGridLayout(sGroupBox9);
    grid->setContentsMargins(10, 15, 10, 10);
    scr = new rasp::ui::NotesBoardView(sGroupBox9);
    scr->setObjectName(u"scr"_s);
    scr->hide();
    lab_vir_shir = new QLabel(u"Пусто"_s, sGroupBox9);
    lab_vir_shir->setObjectName(u"lab_vir_shir"_s);
    lab_vir_shir->setTextFormat(Qt::PlainText);
    lab_vir_shir->setAlignment(Qt::AlignCenter);
    lab_vir_shir->hide();
    grid->addWidget(scr, 0, 0);
    grid->addWidget(lab_vir_shir, 0, 0, Qt::AlignCenter);

    zametWait = new QTimer(this);
    zametWait->setObjectName(u"zametWait"_s);
    zametWait->setSingleShot(true);
    zametWait->setInterval(2000);
    notesFetcher = new rasp::ui::NotesFetcher(this);
    connect(scr, &rasp::ui::NotesBoardView::deleteClicked, this, &TForm1::ZametkaClose);
    connect(notesFetcher, &rasp::ui::NotesFetcher::fetched, this, &TForm1::notesFetched);
    connect(zametWait, &QTimer::timeout, this, [this] {
        SoobsenPubl(rasp::server::ZameVRequest(m_state.settings.login, m_state.settings.password));
    });
}

void TForm1::showNotesStatus(const QString &text)
{
    scr->hide();
    lab_vir_shir->setText(text);
    lab_vir_shir->show();
}

void TForm1::LoadZamet()
{
    emit notesBoardRefresh();
    scr->clear();
    scr->hide();
    lab_vir_shir->clear();
    lab_vir_shir->hide();
    m_notesDate = rasp::text::ShortDate(sDateTimePicker3->date());
    bool portOk = false;
    const int port = port_HTTP.toInt(&portOk);
    if (!portOk || port < 0 || port > 65535) { // no usable port from "conec": the fetch fails
        notesFetcher->cancel();
        showNotesStatus(u"Пусто"_s);
        emit notesBoardRebuilt();
        return;
    }
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(m_state.settings.ip);
    url.setPort(port);
    url.setPath(rasp::server::kNotesPath.toString());
    // Asynchronous: the window goes on while the notes come; notesFetched takes them.
    notesFetcher->fetch(url, zamLogin, zamParol);
}

void TForm1::notesFetched(bool ok, const QByteArray &body, const QByteArray &contentType)
{
    const QString date = rasp::text::ShortDate(sDateTimePicker3->date());
    if (date != m_notesDate)
        return; // the user has left that day; its notes are not shown
    const rasp::server::NotesRebuild r =
        ok ? rasp::server::ReadNotes(body, contentType, date) : rasp::server::NotesRebuild{};
    if (r.fetchedEmpty) {
        showNotesStatus(u"Пусто"_s);
        emit notesBoardRebuilt();
        return;
    }
    // The working copies; the board is built from the same bytes even if a write fails.
    rasp::server::WriteNotesFile(rasp::server::Tmp0Path(), r.tmp0);
    rasp::server::WriteNotesFile(rasp::server::TmpPath(), r.tmp);
    if (r.board.empty()) {
        showNotesStatus(u"Пусто"_s);
    } else {
        lab_vir_shir->hide();
        scr->setBoard(r.board);
        scr->show();
    }
    emit notesBoardRebuilt();
}

void TForm1::ZametkaClose(const QString &key)
{
    if (Dial(u"Удалить запись?"_s) != u"Да"_s)
        return;
    if (!scr->isHidden())
        showNotesStatus(u"Обновление ..."_s);
    const rasp::settings::Settings &s = m_state.settings;
    SoobsenPubl(rasp::server::ZameDRequest(s.login, s.password, key));
    zametWait->start(); // a timer, not a blocking wait: the window goes on meanwhile
}

// raspisanie-screenshot: opens the editor's window on a work folder as a start there does, opens
// the tool panel and saves a picture of the window. scripts/screenshot runs it on the offscreen
// platform for the README. It never answers a question: a window that asks one at start-up, or
// that is not ready in time, ends the program with a message instead of a picture.
#include "shell/applocale.h"
#include "server/notesboardview.h"
#include "shell/overlaypanel.h"
#include "server/servercontroller.h"
#include "settings/settings.h"
#include "state.h"
#include "tform1.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLayout>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// How long the window may take to start, fetch its notes and settle before the program gives up.
constexpr int kWatchdogMs = 30000;
// The pause after the window is shown (queued start-up work, first paint) and before the grab.
constexpr int kSettleMs = 700;

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Ends the process at once: a question's own event loop would outlive QApplication::exit().
[[noreturn]] void fail(const QString &message)
{
    err() << message << Qt::endl;
    std::_Exit(1);
}

// The window, also while its constructor still runs (a question asked during start-up).
TForm1 *theWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TForm1 *>(w))
            return form;
    return nullptr;
}

// The question or notice open on the window, or empty when there is none (asked in the
// constructor, it is not visible yet: the window is not shown).
QString pendingOverlay()
{
    const TForm1 *form = theWindow();
    if (!form)
        return {};
    const auto oneLine = [](QString text) { return text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' '); };
    if (form->widgets().Rct_soobDlg && !form->widgets().Rct_soobDlg->isHidden())
        return u"вопрос «%1»"_s.arg(oneLine(form->widgets().questionText));
    if (form->widgets().Rct_soob && !form->widgets().Rct_soob->isHidden())
        return u"сообщение «%1»"_s.arg(oneLine(form->widgets().noticeText));
    return {};
}

// Points the folder's settings at the schedule server on 127.0.0.1:port, as the settings page
// would, before the window reads them.
void useServerPort(const QString &port)
{
    rasp::State state;
    const QString path = rasp::settings::SettingsPath();
    QString error;
    if (rasp::settings::SetLoad(state, path, nullptr, &error) != rasp::text::ReadResult::Ok)
        fail(u"Настройки не прочитаны: "_s + (error.isEmpty() ? path : error));
    state.settings.ip = u"127.0.0.1"_s;
    state.settings.port = port;
    state.settings.useServer = true;
    if (!rasp::settings::SetSave(state, path, &error))
        fail(error);
}

// Saves the window as a PNG of at most 256 colours (the window is drawn in a handful of flat
// colours, so the picture stays small) and ends the event loop.
void savePicture(TForm1 &window, const QString &picture)
{
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (!shot.save(picture, "PNG", 0))
        fail(u"Картинка не записана: "_s + picture);
    // exit(), not quit(): quit() closes the window, which then asks whether to close unsaved.
    QApplication::exit(0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rasp::ui::UseRussianLocale(); // as the editor's start does, before the window exists
    const QStringList args = QApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        err() << u"Использование: raspisanie-screenshot ПАПКА КАРТИНКА.png [ПОРТ_СЕРВЕРА]\n"
                 "С портом окно берёт заметки дня с сервера расписания на 127.0.0.1:ПОРТ."_s
              << Qt::endl;
        return 2;
    }
    const QString picture = QDir::current().absoluteFilePath(args.at(2));
    const bool withNotes = args.size() == 4;
    if (!QDir::setCurrent(args.at(1)))
        fail(u"Рабочая папка не найдена: "_s + args.at(1));
    if (withNotes)
        useServerPort(args.at(3));

    // Armed before the window exists: its start-up may already wait for an answer.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [withNotes] {
        const QString overlay = pendingOverlay();
        fail(u"Снимок не сделан за %1 с: %2"_s.arg(kWatchdogMs / 1000).arg(!overlay.isEmpty() ? u"на экране "_s + overlay : withNotes ? u"заметки дня не пришли с сервера"_s
                                                                                                                                      : u"окно не готово"_s));
    });
    watchdog.start(kWatchdogMs);
    // Nobody answers a question here: one asked, even inside the window's constructor, ends the
    // program at once instead of at the watchdog.
    QTimer questionGuard;
    QObject::connect(&questionGuard, &QTimer::timeout, [] {
        if (const QString overlay = pendingOverlay(); overlay.startsWith(u"вопрос"_s))
            fail(u"Снимок не сделан: окно задало "_s + overlay);
    });
    questionGuard.start(100);

    TForm1 window;
    window.show();
    QTimer poll;
    QTimer::singleShot(kSettleMs, &window, [&window, &poll, withNotes, picture] {
        // A start-up that left a question or a notice open is not the picture wanted.
        if (const QString overlay = pendingOverlay(); !overlay.isEmpty())
            fail(u"Снимок не сделан: при запуске на экране "_s + overlay);
        window.widgets().sSpeedButton5->click(); // the tool panel, collapsed at start; opening it fetches the notes
        // Wide enough for the whole tool panel (its groups are cut off in a narrower window).
        const int panelWidth = window.widgets().sPanel8->layout()->minimumSize().width();
        if (panelWidth > window.width())
            window.resize(panelWidth, window.height());
        QObject::connect(&poll, &QTimer::timeout, &window, [&window, &poll, withNotes, picture] {
            if (const QString overlay = pendingOverlay(); !overlay.isEmpty())
                fail(u"Снимок не сделан: на экране "_s + overlay);
            if (withNotes && (window.server().board()->isHidden() || window.server().board()->board().cards.empty()))
                return;
            poll.stop();
            QTimer::singleShot(kSettleMs, &window, [&window, picture] { savePicture(window, picture); });
        });
        poll.start(100);
    });
    return QApplication::exec();
}

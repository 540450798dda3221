// Program entry: the command line (work folder, --help, --version), the single-instance guard,
// then the main window and the event loop.
#include "shell/applocale.h"
#include "files/folderlock.h"
#include "singleinstance.h"
#include "startarguments.h"
#include "tform1.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int n = 0; n < argc; ++n)
        arguments << QString::fromLocal8Bit(argv[n]);
    if (const auto stop = HandleStartArguments(arguments))
        return *stop;
    QApplication app(argc, argv);
    // The interface is Russian on any system (calendars, dates, numbers); widgets take the
    // default locale when they are built, so this comes before the first one.
    rasp::ui::UseRussianLocale();
    QApplication::setApplicationName(QStringLiteral("raspisanie"));
    // The desktop entry's name and icon, so docks and window lists match the window to the entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("raspisanie"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/raspisanie.svg")));
    SingleInstance guard;
    if (!guard.acquire())
        return showAlreadyRunning();
    // One editor per school: another editor on this folder, from any user session or machine,
    // keeps it until it closes. A folder that cannot hold the lock (read-only) still opens.
    rasp::files::FolderLock folderLock(QDir::currentPath());
    if (folderLock.take() == rasp::files::FolderLock::Outcome::HeldByOther)
        return showStartRefusal(u"Эту школу уже редактирует %1. Откройте её, когда там закроют редактор."_s.arg(
                                    rasp::files::HolderText(folderLock.holder())),
                                1);
    QTimer lockRefresh;
    QObject::connect(&lockRefresh, &QTimer::timeout, [&folderLock] {
        // A lock lost while this machine slept past the stale time is taken again when it is free.
        if (!folderLock.refresh() && !folderLock.held())
            folderLock.take();
    });
    lockRefresh.start(rasp::files::kLockRefreshSeconds * 1000);
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}

// Program entry: the command line (work folder, --help, --version), the single-instance guard,
// then the main window and the event loop.
#include "applocale.h"
#include "singleinstance.h"
#include "startarguments.h"
#include "tform1.h"

#include <QApplication>
#include <QIcon>

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
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}

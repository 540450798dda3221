// Program entry: the command line (work folder, --help, --version), the single-instance guard,
// then the main window and the event loop.
#include "singleinstance.h"
#include "startarguments.h"
#include "tform1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int n = 0; n < argc; ++n)
        arguments << QString::fromLocal8Bit(argv[n]);
    if (const auto stop = HandleStartArguments(arguments))
        return *stop;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("raspisanie"));
    SingleInstance guard;
    if (!guard.acquire())
        return showAlreadyRunning();
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}

// Program entry: the single-instance guard, then the main window and the event loop.
#include "singleinstance.h"
#include "tform1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("raspisanie"));
    SingleInstance guard;
    if (!guard.acquire())
        return showAlreadyRunning();
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}

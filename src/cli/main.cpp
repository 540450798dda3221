// raspisanie-cli: a headless companion of the editor that works on a school's work folder.
#include "clicommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return rasp::cli::run(QCoreApplication::arguments());
}

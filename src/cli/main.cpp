// raspisanie-cli: a headless companion of the editor that works on a school's work folder.
#include "clicommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    // Printing draws pages with fonts, which needs Qt Gui; it always runs on the offscreen
    // platform, so no display is ever needed.
    if (rasp::cli::NeedsGui(words)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt Gui's own English diagnostics (a missing runtime folder, font notes) are not the
        // user's business: the commands report in Russian themselves, so they are dropped.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
            if (type == QtFatalMsg)
                std::abort();
        });
        QGuiApplication app(argc, argv);
        return rasp::cli::run(QGuiApplication::arguments());
    }
    QCoreApplication app(argc, argv);
    return rasp::cli::run(QCoreApplication::arguments());
}

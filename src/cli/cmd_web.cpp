// raspisanie-cli web: the day's static web pages (index, classes, teachers, substitutions and the
// corridor screen) written into a folder.
#include "clicommands.h"
#include "school.h"
#include "state.h"
#include "web/webfolder.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp WebHelp()
{
    return {u"web"_s, u"ДД.ММ.ГГГГ --out ПАПКА"_s,
            u"записывает веб-страницы дня: index.html, класс и учитель на страницу, замены, экран для коридора"_s,
            u"путь к папке; в ней index.html, class-NN.html, teacher-NNN.html, zameny.html, corridor.html\n"
            "(UTF-8, без внешних скриптов и шрифтов)"_s,
            u"нет нагрузки или дня на эту дату, либо файл не записывается"_s, u"09.12.2026 --out сайт"_s};
}

int RunWeb(const QStringList &args)
{
    CommandLine line(WebHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addOption(QCommandLineOption(u"out"_s, u"папка, куда записать страницы"_s, u"ПАПКА"_s));
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: web ДД.ММ.ГГГГ --out ПАПКА"_s))
        return *stop;
    if (line.value(u"out"_s).isEmpty())
        return line.usageError(u"Укажите папку: --out ПАПКА"_s);
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    const QString folder = QDir::current().filePath(line.value(u"out"_s));
    QString error;
    if (!web::WriteWebFolder(web::DayWebPages(state, date), folder, &error)) {
        WriteErr(error);
        return kExitFailed;
    }
    WriteOut((QDir::toNativeSeparators(QDir::cleanPath(folder)) + u'\n').toUtf8());
    return kExitOk;
}

} // namespace rasp::cli

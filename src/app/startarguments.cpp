#include "startarguments.h"

#include "appversion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// Writes text to a stream as UTF-8.
void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Writes a usage error and the hint to --help; gives exit code 2.
int usageError(const QString &message)
{
    write(stderr, message + u"\nПодробнее: raspisanie --help\n"_s);
    return 2;
}

const QString kHelp = u"Использование: raspisanie [ПАПКА]\n\n"
                      "Редактор ежедневного расписания уроков одной школы.\n\n"
                      "Аргументы:\n"
                      "  ПАПКА        рабочая папка школы (по умолчанию текущая); нет такой - будет создана,\n"
                      "               файл в ней означает саму папку\n\n"
                      "Параметры:\n"
                      "  -h, --help   показать эту справку\n"
                      "  --version    показать версию\n\n"
                      "Коды выхода: 0 окно закрыто, 1 рабочая папка недоступна, 2 неверные параметры.\n\n"
                      "Пример:\n"
                      "  raspisanie ~/школа\n"_s;

} // namespace

std::optional<int> HandleStartArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{u"h"_s, u"help"_s}));
    parser.addOption(QCommandLineOption(u"version"_s));
    if (!parser.parse(arguments)) {
        // Name the word as typed: the first option word the parser did not know.
        const QStringList unknown = parser.unknownOptionNames();
        for (const QString &arg : arguments.mid(1))
            if (arg.startsWith(u'-') && unknown.contains(arg.mid(arg.startsWith(u"--"_s) ? 2 : 1).section(u'=', 0, 0)))
                return usageError(u"Неверный параметр: "_s + arg);
        return usageError(u"Неверные параметры: "_s + arguments.mid(1).join(u' '));
    }
    if (parser.isSet(u"help"_s)) {
        write(stdout, kHelp);
        return 0;
    }
    if (parser.isSet(u"version"_s)) {
        write(stdout, u"raspisanie "_s + rasp::AppVersion() + u'\n');
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return usageError(u"Лишний параметр: "_s + positional.mid(1).join(u' '));
    if (positional.isEmpty())
        return std::nullopt;
    const QFileInfo given(positional.first());
    const QString folder = given.isFile() ? given.absolutePath() : given.absoluteFilePath();
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        write(stderr, u"Рабочая папка недоступна: "_s + QDir::toNativeSeparators(folder) + u'\n');
        return 1;
    }
    return std::nullopt;
}

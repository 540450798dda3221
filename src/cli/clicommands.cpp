#include "clicommands.h"

#include "appversion.h"
#include "school.h"

#include <QCommandLineParser>
#include <QDir>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// One command: the help it gives and the routine that carries it out.
struct Command {
    CommandHelp (*help)();
    int (*run)(const QStringList &);
};

// Every command, in the order the list of commands shows them. A new command adds one row.
const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {LoadHelp, RunLoad},
        {SettingsHelp, RunSettings},
        {DayHelp, RunDay},
        {TemplateHelp, RunTemplate},
        {ResolveHelp, RunResolve},
        {ArrangeHelp, RunArrange},
        {SolveHelp, RunSolve},
        {HoursHelp, RunHours},
        {ZamenyHelp, RunZameny},
        {JournalHelp, RunJournal},
        {ExportHelp, RunExport},
        {AbsentHelp, RunAbsent},
        {CandidatesHelp, RunCandidates},
        {CoverHelp, RunCover},
        {PrintHelp, RunPrint},
        {WebHelp, RunWeb},
    };
    return table;
}

// The command of a word, or nullptr.
const Command *findCommand(const QString &name)
{
    for (const Command &command : commands())
        if (command.help().name == name)
            return &command;
    return nullptr;
}

// The program's help: usage, general options, the commands with their summaries, exit codes.
QString usageText()
{
    QString text = u"Использование: raspisanie-cli [-C ПАПКА] КОМАНДА [ПАРАМЕТРЫ]\n"
                   "Рабочие данные школы читаются из рабочей папки; ответы печатаются в stdout (обычно JSON).\n\n"
                   "Параметры:\n"_s;
    text += HelpRows({{u"-C ПАПКА"_s, u"рабочая папка школы (по умолчанию текущая)"_s},
                      {u"-h, --help"_s, u"показать эту справку"_s},
                      {u"--version"_s, u"показать версию"_s}});
    text += u"\nКоманды:\n"_s;
    for (const Command &command : commands()) {
        const CommandHelp help = command.help();
        text += u"  "_s + (help.name + u' ' + help.synopsis).trimmed() + u"\n      "_s + help.summary + u'\n';
    }
    text += u"\nКоды выхода: 0 готово, 1 работа не выполнена, 2 неверные параметры.\n"
            "Справка по команде: raspisanie-cli КОМАНДА --help (или raspisanie-cli help КОМАНДА).\n"_s;
    return text;
}

} // namespace

bool NeedsGui(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        if (word == u"-C"_s || word == u"--C"_s) {
            ++i; // the folder
            continue;
        }
        if (word.startsWith(u'-'))
            continue;
        return word == u"print"_s;
    }
    return false;
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(u"C"_s, QString(), u"ПАПКА"_s));
    parser.addOption(QCommandLineOption(QStringList{u"h"_s, u"help"_s}));
    parser.addOption(QCommandLineOption(u"version"_s));
    if (!parser.parse(arguments)) {
        if (const QString unknown = UnknownOptionWord(parser, arguments.mid(1)); !unknown.isEmpty())
            WriteErr(u"Неверный параметр: "_s + unknown);
        else if (arguments.last() == u"-C"_s)
            WriteErr(u"Не указана рабочая папка после -C"_s);
        else
            WriteErr(u"Неверные параметры: "_s + arguments.mid(1).join(u' '));
        WriteErr(HelpHint());
        return kExitUsage;
    }
    if (parser.isSet(u"C"_s)) {
        const QString dir = parser.value(u"C"_s);
        if (!QDir::setCurrent(dir)) {
            WriteErr(u"Рабочая папка не найдена: "_s + QDir::toNativeSeparators(dir));
            return kExitFailed;
        }
    }
    if (parser.isSet(u"version"_s)) {
        WriteOut((u"raspisanie-cli "_s + AppVersion() + u'\n').toUtf8());
        return kExitOk;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty() && !parser.isSet(u"help"_s)) {
        WriteErr(usageText().trimmed());
        return kExitUsage;
    }
    if (args.isEmpty() || (args.size() == 1 && args.first() == u"help"_s)) {
        WriteOut(usageText().toUtf8());
        return kExitOk;
    }
    // "help COMMAND" is the command's own --help.
    if (args.first() == u"help"_s)
        args = QStringList{args.at(1), u"--help"_s};
    const Command *command = findCommand(args.first());
    if (command == nullptr) {
        WriteErr(u"Неизвестная команда: "_s + args.first());
        WriteErr(HelpHint());
        return kExitUsage;
    }
    return command->run(args.mid(1));
}

} // namespace rasp::cli

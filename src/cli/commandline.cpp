#include "commandline.h"

#include "clicommands.h"
#include "school.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// The option as --help names it: "-h, --help" or "--seed N".
QString OptionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
    QString text = names.join(u", ");
    if (!option.valueName().isEmpty())
        text += u' ' + option.valueName();
    return text;
}

// The option's name of a command-line word: "--seed=3" -> "seed", "-C" -> "C"; empty for non-options.
QString OptionWord(const QString &arg)
{
    if (arg.size() < 2 || !arg.startsWith(u'-'))
        return QString();
    QString name = arg.mid(arg.startsWith(u"--"_s) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

} // namespace

CommandLine::CommandLine(CommandHelp help)
    : m_help(std::move(help))
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOption(QCommandLineOption(QStringList{u"h"_s, u"help"_s}, u"показать эту справку"_s));
}

void CommandLine::addOption(const QCommandLineOption &option)
{
    m_parser.addOption(option);
    m_options << option;
}

void CommandLine::addArgument(const QString &name, const QString &description)
{
    m_arguments.append({name, description});
}

std::optional<int> CommandLine::parse(const QStringList &args, qsizetype minPositional, qsizetype maxPositional,
                                      const QString &missingMessage)
{
    if (!m_parser.parse(QStringList{m_help.name} + args)) {
        // Name the word the user typed; QCommandLineParser's own error texts are English.
        if (const QString unknown = UnknownOptionWord(m_parser, args); !unknown.isEmpty())
            return usageError(u"Неверный параметр команды %1: %2"_s.arg(m_help.name, unknown));
        for (const QCommandLineOption &option : std::as_const(m_options)) {
            const QString last = OptionWord(args.value(args.size() - 1));
            if (!option.valueName().isEmpty() && option.names().contains(last) && !args.last().contains(u'='))
                return usageError(u"Не указано значение параметра %1 команды %2"_s.arg(args.last(), m_help.name));
        }
        return usageError(u"Неверные параметры команды %1: %2"_s.arg(m_help.name, args.join(u' ')));
    }
    if (m_parser.isSet(u"help"_s)) {
        WriteOut(helpText().toUtf8());
        return kExitOk;
    }
    const QStringList positional = m_parser.positionalArguments();
    if (positional.size() < minPositional)
        return usageError(missingMessage);
    if (positional.size() > maxPositional) {
        const QStringList extra = positional.mid(maxPositional);
        return usageError(maxPositional == 0
                              ? u"Команда %1 не принимает параметров: %2"_s.arg(m_help.name, extra.join(u' '))
                              : u"Лишний параметр команды %1: %2"_s.arg(m_help.name, extra.join(u' ')));
    }
    return std::nullopt;
}

QString CommandLine::helpText() const
{
    QString text = u"Использование: raspisanie-cli [-C ПАПКА] %1 %2"_s.arg(m_help.name, m_help.synopsis).trimmed();
    text += u"\n\n"_s + m_help.summary + u"\n"_s;
    if (!m_arguments.isEmpty())
        text += u"\nАргументы:\n"_s + HelpRows(m_arguments);
    QList<std::pair<QString, QString>> options;
    for (const QCommandLineOption &option : m_options)
        options.append({OptionNames(option), option.description()});
    text += u"\nПараметры:\n"_s + HelpRows(options);
    text += u"\nПечатает: "_s + m_help.prints + u"\n"_s;
    text += u"\nКоды выхода (сообщения об ошибках идут в stderr):\n"_s
            + HelpRows({{u"0"_s, u"готово"_s}, {u"1"_s, m_help.failure}, {u"2"_s, u"неверные параметры"_s}});
    text += u"\nПример: "_s + u"raspisanie-cli -C ~/школа %1 %2"_s.arg(m_help.name, m_help.example).trimmed() + u'\n';
    return text;
}

int CommandLine::usageError(const QString &message) const
{
    WriteErr(message);
    return usageHint();
}

int CommandLine::usageHint() const
{
    WriteErr(HelpHint(m_help.name));
    return kExitUsage;
}

QString UnknownOptionWord(const QCommandLineParser &parser, const QStringList &args)
{
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString &arg : args) {
        if (arg == u"--"_s)
            break;
        if (const QString name = OptionWord(arg); !name.isEmpty() && unknown.contains(name))
            return arg;
    }
    return QString();
}

QString HelpHint(const QString &command)
{
    return command.isEmpty() ? u"Подробнее: raspisanie-cli --help"_s
                             : u"Подробнее: raspisanie-cli %1 --help"_s.arg(command);
}

QString HelpRows(const QList<std::pair<QString, QString>> &rows)
{
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString text;
    for (const auto &[name, description] : rows)
        text += u"  "_s + name.leftJustified(width + 3) + description + u'\n';
    return text;
}

} // namespace rasp::cli

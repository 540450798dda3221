#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace rasp::cli {

// What a command's --help tells besides its options: its arguments as one line, what the
// command does, what it prints, what exit code 1 means for it and one example.
struct CommandHelp {
    QString name;     // the command's word: "arrange"
    QString synopsis; // its arguments as one line: "ДД.ММ.ГГГГ [--seed N]"
    QString summary;  // what it does, one line, also shown in the list of commands
    QString prints;   // what goes to stdout on success
    QString failure;  // when the command exits with 1
    QString example;  // the arguments of one example call, after the command's word
};

// One command's command line: its options and positional arguments on a QCommandLineParser,
// the --help text built from them and the Russian usage errors with a hint pointing to --help.
// A command builds one, adds its options and arguments, calls parse() and stops on its answer.
class CommandLine
{
public:
    explicit CommandLine(CommandHelp help);

    // Adds an option (a value option when it has a value name).
    void addOption(const QCommandLineOption &option);
    // Documents a positional argument for --help.
    void addArgument(const QString &name, const QString &description);

    // Parses the arguments that follow the command's word. Gives an exit code when the command
    // must stop here: 0 after printing --help, 2 after a usage error on stderr (an unknown option,
    // a missing value, fewer positional arguments than `minPositional` with `missingMessage`,
    // more than `maxPositional`). Gives nothing when the command goes on.
    std::optional<int> parse(const QStringList &args, qsizetype minPositional, qsizetype maxPositional,
                             const QString &missingMessage = QString());

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    // The full --help text of the command.
    QString helpText() const;
    // Writes `message` and the hint to --help on stderr and gives exit code 2.
    int usageError(const QString &message) const;
    // Writes only the hint to --help (after a message written elsewhere) and gives exit code 2.
    int usageHint() const;

private:
    CommandHelp m_help;
    QCommandLineParser m_parser;
    QList<QCommandLineOption> m_options;
    QList<std::pair<QString, QString>> m_arguments;
};

// The word of `args` that the parser did not know as an option ("--fast"), as the user typed it.
QString UnknownOptionWord(const QCommandLineParser &parser, const QStringList &args);

// The line "Подробнее: raspisanie-cli COMMAND --help" (or the program's --help without a command).
QString HelpHint(const QString &command = QString());

// Lays out "  NAME   DESCRIPTION" rows in two aligned columns, one per line.
QString HelpRows(const QList<std::pair<QString, QString>> &rows);

} // namespace rasp::cli

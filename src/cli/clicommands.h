#pragma once

#include "commandline.h"

#include <QStringList>

namespace rasp::cli {

// Exit codes: 0 done, 1 the work could not be done (message on stderr), 2 bad usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The commands, each in its own file: its help (for --help and the list of commands) and the
// routine that carries it out on the arguments after the command's word.
CommandHelp LoadHelp();
int RunLoad(const QStringList &args);
CommandHelp ResolveHelp();
int RunResolve(const QStringList &args);
CommandHelp SettingsHelp();
int RunSettings(const QStringList &args);
CommandHelp DayHelp();
int RunDay(const QStringList &args);
CommandHelp TemplateHelp();
int RunTemplate(const QStringList &args);
CommandHelp ExportHelp();
int RunExport(const QStringList &args);
CommandHelp ArrangeHelp();
int RunArrange(const QStringList &args);
CommandHelp HoursHelp();
int RunHours(const QStringList &args);
CommandHelp ZamenyHelp();
int RunZameny(const QStringList &args);
CommandHelp JournalHelp();
int RunJournal(const QStringList &args);
CommandHelp SolveHelp();
int RunSolve(const QStringList &args);
CommandHelp AbsentHelp();
int RunAbsent(const QStringList &args);
CommandHelp CandidatesHelp();
int RunCandidates(const QStringList &args);
CommandHelp CoverHelp();
int RunCover(const QStringList &args);
CommandHelp PrintHelp();
int RunPrint(const QStringList &args);
CommandHelp WebHelp();
int RunWeb(const QStringList &args);

// Whether the command line asks for a command that draws pages (and so needs Qt Gui).
bool NeedsGui(const QStringList &arguments);

// Runs one command line ("raspisanie-cli [-C DIR] COMMAND ...") and returns the exit code.
int run(const QStringList &arguments);

} // namespace rasp::cli

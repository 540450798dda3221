#pragma once

#include <QStringList>

namespace rasp::cli {

// Exit codes: 0 done, 1 the work could not be done (message on stderr), 2 bad usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The commands, each in its own file: they take the arguments after the command's name.
int RunLoad(const QStringList &args);
int RunResolve(const QStringList &args);
int RunSettings(const QStringList &args);
int RunDay(const QStringList &args);
int RunTemplate(const QStringList &args);
int RunExport(const QStringList &args);
int RunArrange(const QStringList &args);
int RunHours(const QStringList &args);
int RunZameny(const QStringList &args);

// Runs one command line ("raspisanie-cli [-C DIR] COMMAND ...") and returns the exit code.
int run(const QStringList &arguments);

} // namespace rasp::cli

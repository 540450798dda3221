#pragma once

#include <QStringList>

#include <optional>

// Reads the editor's command line "raspisanie [ПАПКА]": answers --help and --version, enters the
// work folder given as the first argument (created when missing; a file stands for its folder)
// and reports bad usage in Russian. Gives the exit code when the editor must stop here, nothing
// when the window should start. Runs before the application object, so it needs no display.
std::optional<int> HandleStartArguments(const QStringList &arguments);

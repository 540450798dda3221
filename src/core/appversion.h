#pragma once

#include <QString>

namespace rasp {

// The programs' version ("1.0.5.5"), the project's version in CMake; the window's caption shows it.
QString AppVersion();

} // namespace rasp

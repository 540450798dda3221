#pragma once

#include <QString>

namespace rasp::ui {

// A text's CR LF and lone CR breaks (as the files and messages keep them) turned into the "\n"
// breaks a label, a tool tip, a table view or a painter shows.
inline QString ShownBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace rasp::ui

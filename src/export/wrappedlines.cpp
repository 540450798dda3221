#include "wrappedlines.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::exporter {

namespace {

QStringList textLines(const QString &text)
{
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    return text.split(breaks);
}

// The lines one line of text takes when wrapped greedily at blanks.
int wrapOne(const QString &line, int capacity)
{
    int lines = 1;
    int used = 0;
    for (const QString &word : line.split(u' ', Qt::SkipEmptyParts)) {
        int length = int(word.size());
        const int need = used == 0 ? length : used + 1 + length;
        if (need <= capacity) {
            used = need;
            continue;
        }
        if (used > 0) {
            ++lines;
            used = 0;
        }
        // A word wider than the column is cut into full lines.
        while (length > capacity) {
            ++lines;
            length -= capacity;
        }
        used = length;
    }
    return lines;
}

} // namespace

int WrappedLineCount(const QString &text, int capacity)
{
    capacity = std::max(capacity, 1);
    int total = 0;
    for (const QString &line : textLines(text))
        total += wrapOne(line, capacity);
    return total;
}

int LongestLine(const QString &text)
{
    int longest = 0;
    for (const QString &line : textLines(text))
        longest = std::max(longest, int(line.size()));
    return longest;
}

} // namespace rasp::exporter

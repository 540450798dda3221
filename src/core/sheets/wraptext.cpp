#include "sheets/wraptext.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::sheets {

namespace {

// The words of one line of a cell text; runs of blanks count as one break.
QStringList wordsOf(const QString &line)
{
    return line.split(u' ', Qt::SkipEmptyParts);
}

// Fills lines greedily with the words of every paragraph at one point size.
std::vector<QString> fillLines(const std::vector<QStringList> &paragraphs, double width, double size,
                               const MeasureText &measure)
{
    std::vector<QString> lines;
    for (const QStringList &words : paragraphs) {
        QString line;
        for (const QString &word : words) {
            if (line.isEmpty()) {
                line = word;
                continue;
            }
            const QString longer = line + u' ' + word;
            if (measure(longer, size) <= width) {
                line = longer;
            } else {
                lines.push_back(line);
                line = word;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

WrappedText WrapText(const QString &text, double width, double size, const MeasureText &measure)
{
    std::vector<QStringList> paragraphs;
    double widest = 0;
    QString plain = text;
    plain.replace(u"\r\n"_s, u"\n"_s);
    for (const QString &line : plain.split(u'\n')) {
        QStringList words = wordsOf(line);
        for (const QString &word : words)
            widest = std::max(widest, measure(word, size));
        paragraphs.push_back(std::move(words));
    }
    WrappedText out;
    out.size = size;
    while (widest > width && out.size - 0.5 >= kMinTextSize) {
        out.size -= 0.5;
        widest = 0;
        for (const QStringList &words : paragraphs)
            for (const QString &word : words)
                widest = std::max(widest, measure(word, out.size));
    }
    out.fits = widest <= width;
    out.lines = fillLines(paragraphs, width, out.size, measure);
    return out;
}

} // namespace rasp::sheets

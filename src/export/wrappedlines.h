#pragma once

#include <QString>

namespace rasp::exporter {

// The lines a cell's text takes in a column holding `capacity` characters a line: each of its
// lines ("\r\n" or "\n" apart) is wrapped at blanks, a word longer than a line is cut.
int WrappedLineCount(const QString &text, int capacity);

// The longest line of a text ("\r\n" or "\n" apart), in characters.
int LongestLine(const QString &text);

} // namespace rasp::exporter

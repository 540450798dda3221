#pragma once
// The regression days of tests/core/exactdays: rows of cells, R, P and the fewest moves found by
// an exhaustive search written apart from the solver (minimum.py beside them).
#include <QFile>
#include <QString>
#include <QStringList>

namespace exactfixture {

// A day of tests/core/exactdays: rows of cells as `fill` takes them, R, P and the fewest moves that
// minimum.py found by exhaustive search.
struct FixtureDay {
    QStringList rows;
    int R = 0;
    int P = 0;
    int minimum = -1;
};

// Reads one .day file; a file that cannot be opened ends the test run.
inline FixtureDay readFixture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    FixtureDay day;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u"R "))
            day.R = line.mid(2).toInt();
        else if (line.startsWith(u"P "))
            day.P = line.mid(2).toInt();
        else if (line.startsWith(u"minimum "))
            day.minimum = line.mid(8).toInt();
        else
            day.rows << line;
    }
    return day;
}

} // namespace exactfixture

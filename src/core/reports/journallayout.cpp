#include "reports/journallayout.h"

#include "reports/layoutcells.h"
#include "text/datewords.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

namespace {

LayoutCell number(int n)
{
    LayoutCell c;
    c.text = QString::number(n);
    c.number = true;
    return c;
}

// A line of text under the tables, over the sheet's width (not widening a column).
void note(Sheet &out, int row, int columns, const QString &text, bool bold = false)
{
    out.put(row, 1, LayoutCell{text, false, bold, false, false, 0});
    out.merge({row, 1, row, columns});
}

} // namespace

Sheet JournalWorkbook(const Journal &journal)
{
    Sheet out;
    out.name = u"Журнал"_s;
    out.printA4Portrait = true;
    out.printTitleFirst = out.printTitleLast = 2;
    const QStringList header = JournalHeader();
    const int columns = int(header.size());
    out.put(1, 1, detail::boldText(JournalTitle(journal.from, journal.to)));
    out.merge({1, 1, 1, columns});
    out.rowHeights[1] = 30;
    for (int c = 1; c <= columns; ++c)
        out.put(2, c, detail::boldText(header.at(c - 1)));
    int row = 2;
    int hours = 0;
    for (const QStringList &r : JournalRows(journal)) {
        ++row;
        for (int c = 1; c <= columns; ++c) {
            if (c == 2 || c == columns)
                out.put(row, c, number(r.at(c - 1).toInt()));
            else if (!r.at(c - 1).isEmpty())
                out.put(row, c, detail::plain(r.at(c - 1)));
        }
        hours += r.at(columns - 1).toInt();
    }
    ++row;
    out.put(row, 1, detail::boldText(u"Всего часов"_s));
    out.merge({row, 1, row, columns - 1});
    LayoutCell total = number(hours);
    total.bold = true;
    out.put(row, columns, total);
    out.borders.push_back({1, 1, row, columns});

    // Totals per teacher.
    row += 2;
    const int totalsTop = row;
    const QStringList totalsHeader = JournalTotalsHeader();
    for (int c = 1; c <= int(totalsHeader.size()); ++c)
        out.put(row, c, detail::boldText(totalsHeader.at(c - 1)));
    for (const JournalTotal &t : journal.totals) {
        ++row;
        out.put(row, 1, detail::plain(t.teacher));
        out.put(row, 2, number(t.covered));
        out.put(row, 3, number(t.absent));
    }
    out.borders.push_back({totalsTop, 1, row, int(totalsHeader.size())});

    // Days whose lines do not come from the day's own record, so the totals are read with care.
    if (!journal.warnings.isEmpty() || !journal.errors.isEmpty()) {
        row += 2;
        note(out, row, columns, u"Примечания:"_s, true);
        for (const QString &w : journal.warnings + journal.errors)
            note(out, ++row, columns, w);
    }
    return out;
}

QString JournalExportPath(QDate from, QDate to)
{
    return u"raspisanie/Журнал "_s + text::ShortDate(from) + u'-' + text::ShortDate(to) + u".xlsx"_s;
}

} // namespace rasp::reports

#include "reports/zamenylayout.h"

#include "reports/layoutcells.h"
#include "state.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

namespace {

using detail::plain;

LayoutCell bold(const QString &text, int size = 0)
{
    return detail::boldText(text, size);
}

// A whole number stored as one, regular weight.
LayoutCell number(int n)
{
    LayoutCell c;
    c.text = QString::number(n);
    c.number = true;
    return c;
}

// The texts of one sheet row in column order.
QStringList rowTexts(const SheetRow &r)
{
    return {r.klass, QString::number(r.lesson), r.was, r.now, r.room, r.kind};
}

} // namespace

// The lines between the title and the header: who is absent, then the lessons nobody covers.
QStringList headingLines(const ZamenySheet &sheet)
{
    QStringList out;
    if (!sheet.absences.isEmpty())
        out << u"Отсутствуют: "_s + sheet.absences.join(u"; "_s);
    if (!sheet.openLessons.isEmpty())
        out << u"Не закрыто уроков: %1 — %2"_s.arg(sheet.openLessons.size()).arg(sheet.openLessons.join(u"; "_s));
    return out;
}

Sheet ZamenyWorkbook(const State &state, const ZamenySheet &sheet)
{
    Sheet out;
    out.name = u"Замены "_s + text::ShortDate(sheet.date);
    out.printA4Portrait = true;
    const QStringList header = SheetHeader();
    const int columns = int(header.size());
    out.put(1, 1, bold(ZamenyTitle(sheet.date, sheet.followedWeekday)));
    out.merge({1, 1, 1, columns});
    out.rowHeights[1] = 30;
    int headerRow = 2;
    for (const QString &line : headingLines(sheet)) {
        out.put(headerRow, 1, bold(line));
        out.merge({headerRow, 1, headerRow, columns});
        out.rowHeights[headerRow] = 15.0 * std::max(1, int(line.size()) / 90 + 1); // merged cells do not grow
        ++headerRow;
    }
    out.printTitleFirst = out.printTitleLast = headerRow; // the header row on every printed page
    for (int c = 1; c <= columns; ++c)
        out.put(headerRow, c, bold(header.at(c - 1)));
    const std::vector<SheetRow> rows = SheetRows(state, sheet);
    int last = headerRow;
    for (const SheetRow &r : rows) {
        ++last;
        const QStringList texts = rowTexts(r);
        for (int c = 1; c <= columns; ++c)
            out.put(last, c, c == 2 ? number(r.lesson) : plain(texts.at(c - 1)));
    }
    if (rows.empty()) {
        last = headerRow + 1;
        out.put(last, 1, plain(NoChangesText(sheet.date, sheet.followedWeekday)));
        out.merge({last, 1, last, columns});
    }
    out.borders.push_back({1, 1, last, columns});
    // Classes matched by name are named under the table, so a sheet that leaves a class's
    // lessons out says so on paper too.
    int below = last + 2;
    for (const QString &n : sheet.notices) {
        out.put(below, 1, LayoutCell{n, false, false, false, false, 0});
        out.merge({below, 1, below, columns}); // over the table's width, not widening its first column
        ++below;
    }
    return out;
}

Document ZamenyDocument(const State &state, const ZamenySheet &sheet)
{
    Document doc;
    doc.landscape = false;
    DocTable t;
    const QStringList header = SheetHeader();
    const QStringList heading = headingLines(sheet);
    const std::vector<SheetRow> rows = SheetRows(state, sheet);
    const int headerRow = 2 + int(heading.size());
    t.columns = int(header.size());
    t.rows = headerRow + std::max<int>(int(rows.size()), 1);
    t.fontSize = 11;
    t.headerRows = headerRow; // Word repeats only a table's first rows: the title goes with the header
    t.widthsFromContent = true;
    t.put(1, 1, bold(ZamenyTitle(sheet.date, sheet.followedWeekday), 14));
    t.merge({1, 1, 1, t.columns});
    for (int n = 0; n < int(heading.size()); ++n) {
        t.put(2 + n, 1, bold(heading.at(n)));
        t.merge({2 + n, 1, 2 + n, t.columns});
    }
    for (int c = 1; c <= t.columns; ++c)
        t.put(headerRow, c, bold(header.at(c - 1)));
    int row = headerRow;
    for (const SheetRow &r : rows) {
        ++row;
        const QStringList texts = rowTexts(r);
        for (int c = 1; c <= t.columns; ++c)
            t.put(row, c, plain(texts.at(c - 1)));
    }
    if (rows.empty()) {
        t.put(headerRow + 1, 1, plain(NoChangesText(sheet.date, sheet.followedWeekday)));
        t.merge({headerRow + 1, 1, headerRow + 1, t.columns});
    }
    doc.tables.push_back(std::move(t));
    return doc;
}

Sheet TallyWorkbook(const ZamenyTally &tally, QDate from, QDate to)
{
    Sheet out;
    out.name = u"Замены"_s;
    out.printA4Portrait = true;
    out.printTitleFirst = out.printTitleLast = 2;
    const QStringList header = TallyHeader();
    const int columns = int(header.size());
    out.put(1, 1, bold(TallyTitle(from, to)));
    out.merge({1, 1, 1, columns});
    out.rowHeights[1] = 30;
    for (int c = 1; c <= columns; ++c)
        out.put(2, c, bold(header.at(c - 1)));
    const std::vector<QStringList> rows = TallyRows(tally);
    int last = 2;
    for (const QStringList &r : rows) {
        ++last;
        for (int c = 1; c <= columns; ++c) {
            const bool count = c == 2 || c == 4;
            if (count && !r.at(c - 1).isEmpty())
                out.put(last, c, number(r.at(c - 1).toInt()));
            else if (!r.at(c - 1).isEmpty())
                out.put(last, c, plain(r.at(c - 1)));
        }
    }
    if (rows.empty()) {
        last = 3;
        out.put(3, 1, plain(u"Замен за период нет"_s));
        out.merge({3, 1, 3, columns});
    }
    out.borders.push_back({1, 1, last, columns});
    // Days that could not be compared are named under the table, so the total is not taken
    // for complete when it is not.
    int below = last + 2;
    if (!tally.skipped.isEmpty())
        out.put(below++, 1, LayoutCell{u"Не учтены дни:"_s, false, true, false, false, 0});
    for (const QString &s : tally.skipped)
        out.put(below++, 1, LayoutCell{s, false, false, false, false, 0});
    return out;
}

QString ZamenyExportPath(QDate date, const QString &suffix)
{
    return u"raspisanie/Замены "_s + text::ShortDate(date) + u'.' + suffix;
}

QString TallyExportPath(QDate from, QDate to)
{
    return u"raspisanie/Замены "_s + text::ShortDate(from) + u'-' + text::ShortDate(to) + u".xlsx"_s;
}

} // namespace rasp::reports

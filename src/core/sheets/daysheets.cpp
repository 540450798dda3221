#include "sheets/daysheets.h"

#include "reports/exportlayout.h"
#include "reports/layoutcells.h"
#include "state.h"
#include "text/datewords.h"
#include "text/listorder.h"

#include <algorithm>
#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace rasp::sheets {

namespace {

// A bold cell.
SheetCell bold(const QString &text)
{
    return {text, true, false};
}

// The caption row of the day and the template: "№" and the class names.
std::vector<SheetCell> classHeader(const State &state, int n)
{
    std::vector<SheetCell> header{bold(u"№"_s)};
    for (int j = 1; j <= n; ++j)
        header.push_back(bold(reports::detail::className(state, j)));
    return header;
}

// Column widths of the day and the template: a narrow number column, equal class columns.
std::vector<double> classWidths(int n)
{
    std::vector<double> widths(std::size_t(n + 1), 1.0);
    widths[0] = 0.35;
    return widths;
}

// Subject and room as two lines of one cell; a cell without either is empty.
QString subjectAndRoom(const QString &subject, const QString &room)
{
    const QString s = subject.trimmed();
    const QString r = room.trimmed();
    if (r.isEmpty())
        return s;
    return s + u'\n' + r;
}

} // namespace

int ShownRow(const State &state, int column, int r)
{
    if (reports::ExportModeOf(state) != reports::ExportMode::Single
        && column > reports::detail::firstShiftClasses(state))
        return r + reports::detail::firstShiftRows(state);
    return r;
}

int DayRows(const State &state)
{
    const reports::RowCounts counts = reports::DayRowCounts(state);
    return std::max(counts.max_strok, counts.max_strok2);
}

SheetTable DayTable(const State &state, QDate date)
{
    SheetTable t;
    const int n = reports::detail::classes(state);
    t.title = reports::DayTitle(date);
    t.header = classHeader(state, n);
    t.widths = classWidths(n);
    t.fixedColumns = 1;
    t.columnsPerPage = kClassesPerPage;
    t.landscape = true;
    t.note = state.note.trimmed();
    t.empty = u"Уроков нет"_s;
    const int rows = DayRows(state);
    for (int r = 1; r <= rows; ++r) {
        std::vector<SheetCell> row{bold(QString::number(r))};
        row.reserve(std::size_t(n + 1));
        for (int j = 1; j <= n; ++j) {
            const day::Cell *c = reports::detail::gridCell(state, ShownRow(state, j, r), j);
            row.push_back({c ? subjectAndRoom(c->subject, c->room) : QString(), false, false});
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

SheetTable TemplateTable(const State &state, int k)
{
    SheetTable t;
    const int n = reports::detail::classes(state);
    t.title = u"Шаблон: "_s + text::daySet(k);
    t.header = classHeader(state, n);
    t.widths = classWidths(n);
    t.fixedColumns = 1;
    t.columnsPerPage = kClassesPerPage;
    t.landscape = true;
    t.empty = u"В шаблоне этого дня уроков нет"_s;
    if (k < 1 || k > 7)
        return t;
    const tmpl::TSetkaMas &setka = state.Setka[std::size_t(k)];
    int rows = 0;
    for (int j = 1; j <= n; ++j)
        for (int r = state.max_ur; r > rows; --r)
            if (!setka.ur(r, j).trimmed().isEmpty()) {
                rows = r;
                break;
            }
    for (int r = 1; r <= rows; ++r) {
        std::vector<SheetCell> row{bold(QString::number(r))};
        for (int j = 1; j <= n; ++j)
            row.push_back({subjectAndRoom(setka.ur(r, j), setka.kab(r, j)), false, false});
        t.rows.push_back(std::move(row));
    }
    return t;
}

SheetTable ZamenyTable(const State &state, const reports::ZamenySheet &sheet)
{
    SheetTable t;
    t.title = reports::ZamenyTitle(sheet.date);
    for (const QString &h : reports::SheetHeader())
        t.header.push_back(bold(h));
    t.widths = {0.7, 0.6, 2.2, 2.2, 1.0, 1.1};
    t.empty = reports::NoChangesText(sheet.date);
    for (const reports::SheetRow &r : reports::SheetRows(state, sheet)) {
        t.rows.push_back({bold(r.klass),
                          {QString::number(r.lesson), false, false},
                          {QString(r.was).replace(u"\r\n"_s, u"\n"_s), false, false},
                          {QString(r.now).replace(u"\r\n"_s, u"\n"_s), false, true},
                          {r.room, false, false},
                          {r.kind, false, false}});
    }
    return t;
}

SheetTable JournalTable(const reports::Journal &journal)
{
    SheetTable t;
    t.title = reports::JournalTitle(journal.from, journal.to);
    for (const QString &h : reports::JournalHeader())
        t.header.push_back(bold(h));
    t.header.push_back(bold(u"Подпись"_s));
    t.widths = {1.1, 0.5, 0.6, 1.2, 1.6, 1.6, 1.2, 0.5, 1.1};
    t.widths.resize(t.header.size(), 1.0);
    t.empty = u"Замещённых уроков нет"_s;
    for (const QStringList &r : reports::JournalRows(journal)) {
        std::vector<SheetCell> row;
        for (const QString &cell : r)
            row.push_back({cell, false, false});
        row.resize(t.header.size());
        t.rows.push_back(std::move(row));
    }
    return t;
}

reports::Journal MonthJournal(const State &state, QDate date)
{
    const QDate first(date.year(), date.month(), 1);
    return reports::BuildJournal(state, first, first.addMonths(1).addDays(-1));
}

std::vector<Slip> SlipsOf(const std::vector<Cover> &covers)
{
    std::map<QString, std::vector<const Cover *>> byTeacher;
    for (const Cover &c : covers)
        byTeacher[c.teacher].push_back(&c);
    std::vector<QString> names;
    for (const auto &[name, list] : byTeacher)
        names.push_back(name);
    std::stable_sort(names.begin(), names.end(), text::ListTextLess);
    std::vector<Slip> out;
    for (const QString &name : names) {
        std::vector<const Cover *> &list = byTeacher[name];
        std::stable_sort(list.begin(), list.end(), [](const Cover *a, const Cover *b) {
            return std::tie(a->date, a->lesson) < std::tie(b->date, b->lesson);
        });
        Slip slip;
        slip.teacher = ShortName(name);
        for (const Cover *c : list)
            slip.lines << SlipLine(*c);
        out.push_back(std::move(slip));
    }
    return out;
}

QString SlipsTitle(QDate date)
{
    return reports::ZamenyTitle(date);
}

} // namespace rasp::sheets

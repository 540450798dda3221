#include "reports/exportlayout.h"

#include "state.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

namespace {

// Second-shift bounds limited to the school's classes and rows, so that no table reads a cell
// outside the grid whatever the settings file said.
int firstShiftClasses(const State &state)
{
    return std::clamp(state.vt_sm_x, 0, std::max(state.klassvis, 0));
}

int firstShiftRows(const State &state)
{
    return std::clamp(state.vt_sm_y, 0, state.max_ur);
}

int classes(const State &state)
{
    return std::min(std::max(state.klassvis, 0), state.grid.columnCount() - 1);
}

// The subject of a grid cell; empty outside the grid (a shifted lesson may point past the last row).
const day::Cell *gridCell(const State &state, int row, int column)
{
    if (row < 0 || row > state.max_ur || row > state.grid.lastRow() || column < 0
        || column >= state.grid.columnCount())
        return nullptr;
    return &state.grid.cell(row, column);
}

QString className(const State &state, int column)
{
    const day::Cell *c = gridCell(state, 0, column);
    return c ? c->subject : QString();
}

// Subject + CR LF + room of a lesson cell.
QString lessonText(const State &state, int row, int column)
{
    const day::Cell *c = gridCell(state, row, column);
    return c ? c->subject + u"\r\n"_s + c->room : u"\r\n"_s;
}

// The last row within a..b whose subject is not empty (searched from b down); 0 when none.
// With freeOnly a locked cell counts as empty, its subject field being hidden.
int lastRow(const State &state, int column, int a, int b, bool freeOnly)
{
    for (int r = b; r >= a; --r) {
        const day::Cell *c = gridCell(state, r, column);
        if (c && !c->subject.isEmpty() && !(freeOnly && c->locked()))
            return r;
    }
    return 0;
}

// Largest (last row within a..b, counted from a) over classes x1..x2.
int maxRows(const State &state, int x1, int x2, int a, int b, bool freeOnly)
{
    int m = 0;
    for (int i = x1; i <= x2; ++i) {
        const int r = lastRow(state, i, a, b, freeOnly);
        if (r > 0)
            m = std::max(m, r - a + 1);
    }
    return m;
}

LayoutCell boldText(const QString &text, int size = 0)
{
    LayoutCell c;
    c.text = text;
    c.bold = true;
    c.size = size;
    return c;
}

LayoutCell boldNumber(int n)
{
    LayoutCell c = boldText(QString::number(n));
    c.number = true;
    return c;
}

LayoutCell plain(const QString &text)
{
    LayoutCell c;
    c.text = text;
    return c;
}

// The weekday name of a template block: bold and running upward.
LayoutCell weekdayName(int k, int size)
{
    LayoutCell c = boldText(text::daySet(k), size);
    c.rotated = true;
    return c;
}

bool validBlock(const Block &b)
{
    return b.top >= 1 && b.left >= 1 && b.bottom >= b.top && b.right >= b.left
        && (b.bottom > b.top || b.right > b.left);
}

} // namespace

void Sheet::merge(Block b)
{
    if (validBlock(b))
        merges.push_back(b);
}

void DocTable::merge(Block b)
{
    if (validBlock(b))
        merges.push_back(b);
}

ExportMode ExportModeOf(const State &state)
{
    if (!state.settings.secondShift || state.vt_sm_x <= 0 || state.vt_sm_y <= 0)
        return ExportMode::Single;
    return state.settings.twoTables ? ExportMode::TwoTables : ExportMode::OneTable;
}

RowCounts DayRowCounts(const State &state)
{
    RowCounts counts;
    const int n = classes(state);
    const int vx = firstShiftClasses(state);
    const int vy = firstShiftRows(state);
    switch (ExportModeOf(state)) {
    case ExportMode::Single:
        counts.max_strok = maxRows(state, 1, n, 1, state.max_ur, false);
        break;
    case ExportMode::OneTable:
        counts.max_strok2 = maxRows(state, vx + 1, n, vy + 1, state.max_ur, true);
        counts.max_strok = std::max(maxRows(state, 1, vx, 1, vy, false), counts.max_strok2);
        counts.dop = 1;
        break;
    case ExportMode::TwoTables:
        counts.max_strok = maxRows(state, 1, vx, 1, vy, false);
        counts.max_strok2 = maxRows(state, vx + 1, n, vy + 1, state.max_ur, false);
        break;
    }
    return counts;
}

QString MaxStrokRasp(const State &state)
{
    const RowCounts c = DayRowCounts(state);
    return u"%1;%2;%3;"_s.arg(c.max_strok).arg(c.max_strok2).arg(c.dop);
}

TMas_St MasStolb(const State &state, int x1, int x2, int y1, int y2)
{
    TMas_St mas;
    auto &m = mas.mas_stolb;
    int withContent = 0;
    for (int k = 1; k <= 7; ++k) {
        const tmpl::TSetkaMas &setka = state.Setka[std::size_t(k)];
        int rows = 0;
        for (int i = x1; i <= x2; ++i) {
            for (int r = y2; r >= y1; --r) {
                if (!setka.ur(r, i).isEmpty()) {
                    rows = std::max(rows, r - y1 + 1);
                    break;
                }
            }
        }
        m[1][std::size_t(k)] = rows;
        m[2][std::size_t(k)] = rows > 0 ? 1 : 0;
        m[1][8] += rows;
        withContent += m[2][std::size_t(k)];
    }
    m[2][8] = std::max(x2 - x1 + 1, 0) * withContent;
    return mas;
}

int MaxObs(const TMas_St &mas)
{
    int m = 0;
    for (int k = 1; k <= 7; ++k)
        m = std::max(m, mas.mas_stolb[1][std::size_t(k)]);
    return m;
}

QString DayTitle(QDate date)
{
    return text::day(date) + u' ' + text::DataSlov(date);
}

int ExcelSaveRasp(const State &state, Sheet &sheet, QDate date, int x1, int x2, int max_strok, int vt_x,
                  int vt_y, int x_dop, int y_dop, int reg)
{
    const int Y = y_dop;
    const int H = std::max(max_strok, 0);
    const int n = std::max(x2 - x1 + 1, 0);
    const auto shifted = [&](int i) { return reg == 1 && i > vt_x; };
    const auto shownRow = [&](int i, int r) { return (shifted(i) || reg == 2) ? r + vt_y : r; };
    const QString title = DayTitle(date);

    if (state.settings.classesInRow) {
        const int W = n + 1 + x_dop;
        sheet.put(Y + 1, 1, boldText(title));
        sheet.merge({Y + 1, 1, Y + 1, W});
        sheet.put(Y + 2, 1, boldText(u"№"_s));
        if (reg == 1)
            sheet.put(Y + 2, vt_x + 2, boldText(u"№"_s));
        for (int i = x1; i <= x2; ++i)
            sheet.put(Y + 2, i - x1 + 2 + (shifted(i) ? 1 : 0), boldText(className(state, i)));
        for (int r = 1; r <= H; ++r) {
            sheet.put(Y + 2 + r, 1, boldNumber(r));
            if (reg == 1)
                sheet.put(Y + 2 + r, vt_x + 2, boldNumber(r));
            for (int i = x1; i <= x2; ++i)
                sheet.put(Y + 2 + r, i - x1 + 2 + (shifted(i) ? 1 : 0), plain(lessonText(state, shownRow(i, r), i)));
        }
        sheet.borders.push_back({Y + 1, 1, Y + 2 + H, W});
        return Y + 2 + H;
    }

    const int C = n + x_dop;
    const int lastColumn = std::max(H + 1, 2); // the title cell stays inside the frame with no lessons
    sheet.put(Y + 1, 2, boldText(reg == 1 ? title + u"\r\nПервая смена"_s : title));
    sheet.merge({Y + 1, 2, Y + 1, H + 1});
    if (reg == 1)
        sheet.rowHeights[Y + 1] = 30;
    sheet.put(Y + 2, 1, boldText(u"№"_s));
    for (int r = 1; r <= H; ++r)
        sheet.put(Y + 2, r + 1, boldNumber(r));
    for (int i = x1; i <= x2; ++i) {
        const int row = Y + 2 + (i - x1 + 1) + (shifted(i) ? 1 : 0);
        sheet.put(row, 1, boldText(className(state, i)));
        for (int r = 1; r <= H; ++r)
            sheet.put(row, r + 1, plain(lessonText(state, shownRow(i, r), i)));
    }
    if (reg == 1) {
        sheet.put(Y + 3 + vt_x, 2, boldText(title + u"\r\nВторая смена"_s));
        sheet.merge({Y + 3 + vt_x, 2, Y + 3 + vt_x, H + 1});
        sheet.rowHeights[Y + 3 + vt_x] = 30;
    }
    sheet.borders.push_back({Y + 1, 1, Y + 2 + C, lastColumn});
    return Y + 2 + C;
}

int ExcelSaveSetka(const State &state, Sheet &sheet, const TMas_St &mas_st, int x1, int x2, int vt_x, int vt_y,
                   int smes_y, int max_obs)
{
    Q_UNUSED(vt_x); // the class rows are numbered from x1, which already leaves out the first shift
    const auto &m = mas_st.mas_stolb;
    const int S = smes_y;
    const int c = std::max(x2 - x1 + 1, 0);
    sheet.put(S + 1, 2, boldText(u"№"_s));
    int start = S + 2;
    if (state.settings.classesInRow) {
        for (int i = x1; i <= x2; ++i)
            sheet.put(S + 1, i - x1 + 3, boldText(className(state, i)));
        for (int k = 1; k <= 7; ++k) {
            const int rows = m[1][std::size_t(k)];
            if (rows <= 0)
                continue;
            LayoutCell name = weekdayName(k, 0);
            name.centred = false;
            sheet.put(start, 1, name);
            sheet.merge({start, 1, start + rows - 1, 1});
            for (int r = 1; r <= rows; ++r) {
                sheet.put(start + r - 1, 2, boldNumber(r));
                for (int i = x1; i <= x2; ++i)
                    sheet.put(start + r - 1, i - x1 + 3, plain(state.Setka[std::size_t(k)].ur(r + vt_y, i)));
            }
            start += rows;
        }
        sheet.borders.push_back({S + 1, 1, S + 1 + m[1][8], c + 2});
        return S + 1 + m[1][8];
    }

    for (int r = 1; r <= max_obs; ++r)
        sheet.put(S + 1, r + 2, boldNumber(r));
    for (int k = 1; k <= 7; ++k) {
        if (m[1][std::size_t(k)] <= 0 || c == 0)
            continue;
        LayoutCell name = weekdayName(k, 0);
        name.centred = false;
        sheet.put(start, 1, name);
        sheet.merge({start, 1, start + c - 1, 1});
        for (int i = x1; i <= x2; ++i) {
            const int row = start + i - x1;
            sheet.put(row, 2, boldText(className(state, i)));
            for (int r = 1; r <= max_obs; ++r)
                sheet.put(row, r + 2, plain(state.Setka[std::size_t(k)].ur(r + vt_y, i)));
        }
        start += c;
    }
    sheet.borders.push_back({S + 1, 1, S + 1 + m[2][8], max_obs + 2});
    return S + 1 + m[2][8];
}

void WordSaveRasp(const State &state, DocTable &table, QDate date, int x1, int x2, int max_strok, int vt_x,
                  int vt_y, int reg)
{
    const int H = std::max(max_strok, 0);
    const int n = std::max(x2 - x1, 0);
    const int extra = reg == 1 ? 1 : 0;
    const auto shifted = [&](int i) { return reg == 1 && i > vt_x; };
    const auto shownRow = [&](int i, int r) { return (shifted(i) || reg == 2) ? r + vt_y : r; };
    const QString title = DayTitle(date);
    table.fontSize = 11;

    if (state.settings.classesInRow) {
        table.rows = H + 3;
        table.columns = n + 1 + extra;
        table.put(1, 1, boldText(title, 14));
        table.merge({1, 1, 1, table.columns});
        table.put(2, 1, boldText(u"№"_s));
        if (reg == 1)
            table.put(2, vt_x + 2, boldText(u"№"_s));
        for (int i = x1 + 1; i <= x2; ++i)
            table.put(2, i - x1 + 1 + (shifted(i) ? 1 : 0), boldText(className(state, i)));
        for (int r = 1; r <= H; ++r) {
            table.put(r + 2, 1, boldNumber(r));
            if (reg == 1)
                table.put(r + 2, vt_x + 2, boldNumber(r));
            for (int i = x1 + 1; i <= x2; ++i)
                table.put(r + 2, i - x1 + 1 + (shifted(i) ? 1 : 0), plain(lessonText(state, shownRow(i, r), i)));
        }
    } else {
        table.rows = n + 3 + extra;
        table.columns = H + 1;
        table.put(1, 1, boldText(reg == 1 ? title + u"\r\nПервая смена"_s : title, 14));
        table.merge({1, 1, 1, table.columns});
        table.put(2, 1, boldText(u"№"_s));
        for (int r = 1; r <= H; ++r)
            table.put(2, r + 1, boldNumber(r));
        for (int i = x1 + 1; i <= x2; ++i) {
            const int row = i - x1 + 2 + (shifted(i) ? 1 : 0);
            table.put(row, 1, boldText(className(state, i)));
            for (int r = 1; r <= H; ++r)
                table.put(row, r + 1, plain(lessonText(state, shownRow(i, r), i)));
        }
        if (reg == 1) {
            table.put(vt_x + 3, 1, boldText(title + u"\r\nВторая смена"_s, 14));
            table.merge({vt_x + 3, 1, vt_x + 3, table.columns});
        }
    }
    table.put(table.rows, 1, plain(state.note));
    table.merge({table.rows, 1, table.rows, table.columns});
}

void WordSaveSetka(const State &state, DocTable &table, const TMas_St &mas_st, int x1, int x2, int vt_y,
                   int max_obs)
{
    const auto &m = mas_st.mas_stolb;
    const int c = std::max(x2 - x1, 0);
    table.fontSize = 8;
    table.put(1, 1, boldText(u"День"_s));
    table.put(1, 2, boldText(u"№"_s));
    int start = 2;
    if (state.settings.classesInRow) {
        table.rows = m[1][8] + 1;
        table.columns = c + 2;
        for (int i = x1 + 1; i <= x2; ++i)
            table.put(1, i - x1 + 2, boldText(className(state, i)));
        for (int k = 1; k <= 7; ++k) {
            const int rows = m[1][std::size_t(k)];
            if (rows <= 0)
                continue;
            table.put(start, 1, weekdayName(k, 12));
            table.merge({start, 1, start + rows - 1, 1});
            for (int r = 1; r <= rows; ++r) {
                table.put(start + r - 1, 2, boldNumber(r));
                for (int i = x1 + 1; i <= x2; ++i)
                    table.put(start + r - 1, i - x1 + 2, plain(state.Setka[std::size_t(k)].ur(r + vt_y, i)));
            }
            start += rows;
        }
        return;
    }
    table.rows = m[2][8] + 1;
    table.columns = max_obs + 2;
    for (int r = 1; r <= max_obs; ++r)
        table.put(1, r + 2, boldNumber(r));
    for (int k = 1; k <= 7; ++k) {
        if (m[1][std::size_t(k)] <= 0 || c == 0)
            continue;
        table.put(start, 1, weekdayName(k, 12));
        table.merge({start, 1, start + c - 1, 1});
        for (int i = x1 + 1; i <= x2; ++i) {
            const int row = start + i - x1 - 1;
            table.put(row, 2, boldText(className(state, i)));
            for (int r = 1; r <= max_obs; ++r)
                table.put(row, r + 2, plain(state.Setka[std::size_t(k)].ur(r + vt_y, i)));
        }
        start += c;
    }
}

Sheet DaySheet(const State &state, QDate date)
{
    Sheet sheet;
    sheet.name = text::day(date) + u' ' + text::ShortDate(date);
    const RowCounts counts = DayRowCounts(state);
    const int n = classes(state);
    const int vx = firstShiftClasses(state);
    const int vy = firstShiftRows(state);
    switch (ExportModeOf(state)) {
    case ExportMode::Single:
        ExcelSaveRasp(state, sheet, date, 1, n, counts.max_strok, vx, vy, 0, 0, 0);
        break;
    case ExportMode::OneTable:
        ExcelSaveRasp(state, sheet, date, 1, n, counts.max_strok, vx, vy, counts.dop, 0, 1);
        break;
    case ExportMode::TwoTables: {
        const int last = ExcelSaveRasp(state, sheet, date, 1, vx, counts.max_strok, vx, vy, 0, 0, 0);
        ExcelSaveRasp(state, sheet, date, vx + 1, n, counts.max_strok2, vx, vy, 0, last + 3, 2);
        break;
    }
    }
    return sheet;
}

Sheet SetkaSheet(const State &state)
{
    Sheet sheet;
    sheet.name = u"Сетка"_s;
    const int n = classes(state);
    if (ExportModeOf(state) == ExportMode::TwoTables) {
        const int vx = firstShiftClasses(state);
        const int vy = firstShiftRows(state);
        const TMas_St mas = MasStolb(state, 1, vx, 1, vy);
        const TMas_St mas2 = MasStolb(state, vx + 1, n, vy + 1, state.max_ur);
        const int last = ExcelSaveSetka(state, sheet, mas, 1, vx, 0, 0, 0, MaxObs(mas));
        ExcelSaveSetka(state, sheet, mas2, vx + 1, n, vx, vy, last + 4, MaxObs(mas2));
    } else {
        const TMas_St mas = MasStolb(state, 1, n, 1, state.max_ur);
        ExcelSaveSetka(state, sheet, mas, 1, n, 0, 0, 0, MaxObs(mas));
    }
    return sheet;
}

Document DayDocument(const State &state, QDate date)
{
    Document doc;
    doc.landscape = !state.settings.portrait;
    const RowCounts counts = DayRowCounts(state);
    const int n = classes(state);
    const int vx = firstShiftClasses(state);
    const int vy = firstShiftRows(state);
    switch (ExportModeOf(state)) {
    case ExportMode::Single:
        WordSaveRasp(state, doc.tables.emplace_back(), date, 0, n, counts.max_strok, vx, vy, 0);
        break;
    case ExportMode::OneTable:
        WordSaveRasp(state, doc.tables.emplace_back(), date, 0, n, counts.max_strok, vx, vy, 1);
        break;
    case ExportMode::TwoTables:
        WordSaveRasp(state, doc.tables.emplace_back(), date, 0, vx, counts.max_strok, vx, vy, 0);
        WordSaveRasp(state, doc.tables.emplace_back(), date, vx, n, counts.max_strok2, vx, vy, 2);
        break;
    }
    return doc;
}

Document SetkaDocument(const State &state)
{
    Document doc;
    doc.landscape = !state.settings.portrait;
    const int n = classes(state);
    if (ExportModeOf(state) == ExportMode::TwoTables) {
        const int vx = firstShiftClasses(state);
        const int vy = firstShiftRows(state);
        const TMas_St mas = MasStolb(state, 1, vx, 1, vy);
        const TMas_St mas2 = MasStolb(state, vx + 1, n, vy + 1, state.max_ur);
        WordSaveSetka(state, doc.tables.emplace_back(), mas, 0, vx, 0, MaxObs(mas));
        WordSaveSetka(state, doc.tables.emplace_back(), mas2, vx, n, vy, MaxObs(mas2));
    } else {
        const TMas_St mas = MasStolb(state, 1, n, 1, state.max_ur);
        WordSaveSetka(state, doc.tables.emplace_back(), mas, 0, n, 0, MaxObs(mas));
    }
    return doc;
}

QString DayExportPath(QDate date, const QString &suffix)
{
    return u"raspisanie/"_s + text::ShortDate(date) + u'.' + suffix;
}

QString SetkaExportPath(const QString &suffix)
{
    return u"setka/Сетка."_s + suffix;
}

} // namespace rasp::reports

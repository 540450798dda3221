#include "reports/exportlayout.h"
#include "reports/layoutcells.h"

#include "state.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

using namespace detail;

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

} // namespace rasp::reports

#include "reports/exportlayout.h"
#include "reports/layoutcells.h"

#include "state.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

using namespace detail;

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

} // namespace rasp::reports

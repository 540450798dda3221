#include "xlsxfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace rasp::exporter {

namespace {

using reports::Block;
using reports::CellKey;
using reports::LayoutCell;

// Everything a cell's look depends on; one workbook format per distinct look.
struct Look {
    bool bold = false;
    bool centred = false;
    bool rotated = false;
    bool bordered = false;
    bool wrap = false;
    auto key() const { return std::tuple(bold, centred, rotated, bordered, wrap); }
    bool operator<(const Look &o) const { return key() < o.key(); }
};

class Formats
{
public:
    explicit Formats(lxw_workbook *wb) : m_wb(wb) {}
    lxw_format *get(const Look &look)
    {
        auto it = m_formats.find(look);
        if (it != m_formats.end())
            return it->second;
        lxw_format *f = workbook_add_format(m_wb);
        if (look.bold)
            format_set_bold(f);
        if (look.centred)
            format_set_align(f, LXW_ALIGN_CENTER);
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (look.rotated)
            format_set_rotation(f, 90);
        if (look.bordered)
            format_set_border(f, LXW_BORDER_THIN);
        if (look.wrap)
            format_set_text_wrap(f);
        m_formats.emplace(look, f);
        return f;
    }

private:
    lxw_workbook *m_wb;
    std::map<Look, lxw_format *> m_formats;
};

QStringList lines(const QString &text)
{
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    return text.split(breaks);
}

// Line breaks are stored as CR LF, as the cells were written.
QByteArray cellText(const QString &text)
{
    return lines(text).join(u"\r\n"_s).toUtf8();
}

QString failure(const QString &path, const QString &why)
{
    return u"Не удалось сохранить файл %1: %2"_s.arg(QDir::toNativeSeparators(path), why);
}

} // namespace

bool WriteXlsx(const reports::Sheet &sheet, const QString &path, QString *error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        if (error)
            *error = failure(path, u"папка не создается"_s);
        return false;
    }
    // The workbook is written beside the target and moved over it when complete.
    QString tmpPath;
    {
        QTemporaryFile tmp(target.absolutePath() + u"/.~XXXXXX.xlsx"_s);
        tmp.setAutoRemove(false);
        if (!tmp.open()) {
            if (error)
                *error = failure(path, tmp.errorString());
            return false;
        }
        tmpPath = tmp.fileName();
    }

    lxw_workbook *wb = workbook_new(QFile::encodeName(tmpPath).constData());
    if (!wb) {
        QFile::remove(tmpPath);
        if (error)
            *error = failure(path, u"книга не создается"_s);
        return false;
    }
    QByteArray name = sheet.name.toUtf8();
    if (workbook_validate_sheet_name(wb, name.constData()) != LXW_NO_ERROR)
        name = u"Лист1"_s.toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(wb, name.constData());
    Formats formats(wb);

    std::map<CellKey, bool> bordered;
    for (const Block &b : sheet.borders)
        for (int r = b.top; r <= b.bottom; ++r)
            for (int c = b.left; c <= b.right; ++c)
                bordered[{r, c}] = true;
    const auto isBordered = [&](int r, int c) { return bordered.count({r, c}) > 0; };
    const auto lookOf = [&](const LayoutCell &cell, int r, int c) {
        return Look{cell.bold, cell.centred, cell.rotated, isBordered(r, c), cell.text.contains(u'\n') || cell.text.contains(u'\r')};
    };

    std::map<CellKey, bool> merged;
    for (const Block &b : sheet.merges) {
        const auto it = sheet.cells.find({b.top, b.left});
        const LayoutCell cell = it != sheet.cells.end() ? it->second : LayoutCell{};
        worksheet_merge_range(ws, lxw_row_t(b.top - 1), lxw_col_t(b.left - 1), lxw_row_t(b.bottom - 1),
                              lxw_col_t(b.right - 1), cellText(cell.text).constData(),
                              formats.get(lookOf(cell, b.top, b.left)));
        for (int r = b.top; r <= b.bottom; ++r)
            for (int c = b.left; c <= b.right; ++c)
                merged[{r, c}] = true;
    }

    std::map<int, int> lineCount;   // row -> most lines of a cell outside merges
    std::map<int, int> columnWidth; // column -> longest line outside merges, in characters
    for (const auto &[key, cell] : sheet.cells) {
        const auto [r, c] = key;
        if (merged.count(key))
            continue;
        lxw_format *f = formats.get(lookOf(cell, r, c));
        if (cell.number)
            worksheet_write_number(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), cell.text.toDouble(), f);
        else
            worksheet_write_string(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), cellText(cell.text).constData(), f);
        const QStringList ls = lines(cell.text);
        lineCount[r] = std::max(lineCount[r], int(ls.size()));
        for (const QString &l : ls)
            columnWidth[c] = std::max(columnWidth[c], int(l.size()));
    }
    for (const auto &[key, on] : bordered) {
        if (!on || merged.count(key) || sheet.cells.count(key))
            continue;
        worksheet_write_blank(ws, lxw_row_t(key.first - 1), lxw_col_t(key.second - 1), formats.get(Look{false, false, false, true, false}));
    }
    // Rows with several lines get room for them (not every reader grows a row by itself);
    // columns get room for their longest line.
    for (const auto &[r, n] : lineCount) {
        if (n > 1 && !sheet.rowHeights.count(r))
            worksheet_set_row(ws, lxw_row_t(r - 1), 15.0 * n, nullptr);
    }
    for (const auto &[r, h] : sheet.rowHeights)
        worksheet_set_row(ws, lxw_row_t(r - 1), h, nullptr);
    for (const auto &[c, w] : columnWidth)
        worksheet_set_column(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), std::clamp(w + 2, 4, 40), nullptr);

    if (sheet.printA4Portrait) {
        worksheet_set_paper(ws, 9); // A4
        worksheet_set_portrait(ws);
        worksheet_fit_to_pages(ws, 1, 0); // one page wide, as many pages high as needed
    }

    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR) {
        QFile::remove(tmpPath);
        if (error)
            *error = failure(path, e == LXW_ERROR_MEMORY_MALLOC_FAILED
                                       ? u"не хватает памяти"_s
                                       : u"ошибка записи книги (код %1)"_s.arg(int(e)));
        return false;
    }
    QFile::setPermissions(tmpPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(tmpPath).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(tmpPath);
        if (error)
            *error = failure(path, u"файл занят или недоступен для записи"_s);
        return false;
    }
    return true;
}

} // namespace rasp::exporter

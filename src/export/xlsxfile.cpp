#include "xlsxfile.h"

#include "exportfolder.h"
#include "files/atomicfile.h"
#include "files/systemreason.h"
#include "wrappedlines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
    explicit Formats(lxw_workbook *wb)
        : m_wb(wb)
    { }
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

// The most characters a workbook cell holds.
constexpr qsizetype kMaxCellText = 32767;
// The widest column the export makes, in characters; longer texts wrap.
constexpr int kMaxColumn = 40;
// Characters of a wrapping column's width left unused per line: letters are wider than the
// digits a column's width is counted in, so a wrapped line holds somewhat less.
constexpr int kWrapMargin = 4;

// Characters (code points) of UTF-8 text, as the workbook library counts them.
qsizetype characterCount(const QByteArray &utf8)
{
    return std::count_if(utf8.begin(), utf8.end(), [](char b) { return (uchar(b) & 0xC0) != 0x80; });
}

// The A1 name of a cell, 1-based row and column.
QString cellName(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

// Why the workbook library refused a cell.
QString cellFailure(int row, int column, lxw_error e)
{
    return u"ячейка %1: %2"_s.arg(cellName(row, column), XlsxErrorReason(e));
}

} // namespace

QString XlsxErrorReason(int code)
{
    const QString general = u"ошибка записи книги (код %1)"_s.arg(code);
    if (code < LXW_NO_ERROR || code >= LXW_MAX_ERRNO)
        return general;
    switch (lxw_error(code)) {
    case LXW_NO_ERROR:
        return u"ошибки нет"_s;
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return u"не хватает памяти"_s;
    case LXW_ERROR_CREATING_XLSX_FILE:
        return u"файл книги не создается (нет прав или места)"_s;
    case LXW_ERROR_CREATING_TMPFILE:
        return u"не создается временный файл (нет прав или места)"_s;
    case LXW_ERROR_READING_TMPFILE:
        return u"не читается временный файл"_s;
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
        return u"ошибка записи архива книги (нет места на диске?)"_s;
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
        return u"внутренняя ошибка архива книги"_s;
    case LXW_ERROR_ZIP_CLOSE:
        return u"архив книги не закрывается (нет места на диске?)"_s;
    case LXW_ERROR_FEATURE_NOT_SUPPORTED:
        return u"возможность не поддерживается"_s;
    case LXW_ERROR_NULL_PARAMETER_IGNORED:
        return u"пропущено пустое значение"_s;
    case LXW_ERROR_PARAMETER_VALIDATION:
        return u"недопустимое значение"_s;
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
        return u"имя листа длиннее %1 знаков"_s.arg(LXW_SHEETNAME_MAX);
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
        return u"имя листа содержит недопустимый знак [ ] : * ? / \\"_s;
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
        return u"имя листа начинается или кончается апострофом"_s;
    case LXW_ERROR_SHEETNAME_ALREADY_USED:
        return u"лист с таким именем уже есть"_s;
    case LXW_ERROR_32_STRING_LENGTH_EXCEEDED:
        return u"текст длиннее 32 знаков"_s;
    case LXW_ERROR_128_STRING_LENGTH_EXCEEDED:
        return u"текст длиннее 128 знаков"_s;
    case LXW_ERROR_255_STRING_LENGTH_EXCEEDED:
        return u"текст длиннее 255 знаков"_s;
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return u"текст длиннее %1 знаков"_s.arg(kMaxCellText);
    case LXW_ERROR_SHARED_STRING_INDEX_NOT_FOUND:
        return u"внутренняя ошибка таблицы строк книги"_s;
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return u"строка или столбец за пределами листа"_s;
    case LXW_ERROR_WORKSHEET_MAX_URL_LENGTH_EXCEEDED:
        return u"ссылка длиннее 2079 знаков"_s;
    case LXW_ERROR_WORKSHEET_MAX_NUMBER_URLS_EXCEEDED:
        return u"на листе больше 65530 ссылок"_s;
    case LXW_ERROR_IMAGE_DIMENSIONS:
        return u"не читаются размеры рисунка"_s;
    case LXW_MAX_ERRNO:
        break;
    }
    return general;
}

namespace {

// Sends stderr to /dev/null while it lives and restores it after.
class StderrMuted
{
public:
    StderrMuted()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~StderrMuted()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    StderrMuted(const StderrMuted &) = delete;
    StderrMuted &operator=(const StderrMuted &) = delete;

private:
    int m_saved = -1;
};

// The Russian reason of a failed workbook_close: the system's reason when a write to the disk
// failed (a full disk), otherwise the library's code.
QString WorkbookCloseReason(lxw_error e, int closeErrno)
{
    switch (closeErrno) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
    case EROFS:
    case EACCES:
        return files::WriteReason(closeErrno);
    default:
        return XlsxErrorReason(e);
    }
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
    const ExportFolder folder(target.absolutePath());
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

    // The library prints its own English diagnostics on stderr; its errors are reported in
    // Russian through the return codes instead.
    const StderrMuted muted;
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

    std::map<CellKey, bool> merged;
    for (const Block &b : sheet.merges)
        for (int r = b.top; r <= b.bottom; ++r)
            for (int c = b.left; c <= b.right; ++c)
                merged[{r, c}] = true;
    // Columns get room for their longest line outside merges, up to kMaxColumn characters; a
    // longer text wraps and its row gets room for the lines it wraps to (not every reader grows
    // a row by itself, and a fixed row cuts the third line of a two-teacher entry off).
    std::map<int, int> columnWidth;
    for (const auto &[key, cell] : sheet.cells)
        if (!merged.count(key))
            columnWidth[key.second] = std::max(columnWidth[key.second], std::clamp(LongestLine(cell.text) + 2, 4, kMaxColumn));
    const auto linesOf = [&](const LayoutCell &cell, int c) {
        const int width = columnWidth.count(c) ? columnWidth.at(c) : kMaxColumn;
        if (LongestLine(cell.text) <= width - 2)
            return WrappedLineCount(cell.text, width);
        return WrappedLineCount(cell.text, width - kWrapMargin);
    };
    const auto lookOf = [&](const LayoutCell &cell, int r, int c) {
        const bool wrap = !merged.count({r, c}) ? linesOf(cell, c) > 1 : cell.text.contains(u'\n') || cell.text.contains(u'\r');
        return Look{cell.bold, cell.centred, cell.rotated, isBordered(r, c), wrap};
    };

    // The first cell the library refused; the workbook is then not kept (a missing text must
    // not pass for a complete export).
    QString refused;
    const auto check = [&refused](lxw_error e, int row, int column) {
        if (e != LXW_NO_ERROR && refused.isEmpty())
            refused = cellFailure(row, column, e);
    };

    for (const Block &b : sheet.merges) {
        const auto it = sheet.cells.find({b.top, b.left});
        const LayoutCell cell = it != sheet.cells.end() ? it->second : LayoutCell{};
        // The library drops a merged block's over-long text without saying so.
        if (characterCount(cellText(cell.text)) > kMaxCellText)
            check(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED, b.top, b.left);
        check(worksheet_merge_range(ws, lxw_row_t(b.top - 1), lxw_col_t(b.left - 1), lxw_row_t(b.bottom - 1),
                                    lxw_col_t(b.right - 1), cellText(cell.text).constData(),
                                    formats.get(lookOf(cell, b.top, b.left))),
              b.top, b.left);
    }

    std::map<int, int> lineCount; // row -> most lines of a cell outside merges, wrapping counted
    for (const auto &[key, cell] : sheet.cells) {
        const auto [r, c] = key;
        if (merged.count(key))
            continue;
        lxw_format *f = formats.get(lookOf(cell, r, c));
        if (cell.number)
            check(worksheet_write_number(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), cell.text.toDouble(), f), r, c);
        else
            check(worksheet_write_string(ws, lxw_row_t(r - 1), lxw_col_t(c - 1), cellText(cell.text).constData(), f), r, c);
        lineCount[r] = std::max(lineCount[r], linesOf(cell, c));
    }
    for (const auto &[key, on] : bordered) {
        if (!on || merged.count(key) || sheet.cells.count(key))
            continue;
        check(worksheet_write_blank(ws, lxw_row_t(key.first - 1), lxw_col_t(key.second - 1),
                                    formats.get(Look{false, false, false, true, false})),
              key.first, key.second);
    }
    for (const auto &[r, n] : lineCount) {
        if (n > 1 && !sheet.rowHeights.count(r))
            check(worksheet_set_row(ws, lxw_row_t(r - 1), 15.0 * n, nullptr), r, 1);
    }
    for (const auto &[r, h] : sheet.rowHeights)
        check(worksheet_set_row(ws, lxw_row_t(r - 1), h, nullptr), r, 1);
    for (const auto &[c, w] : columnWidth)
        check(worksheet_set_column(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), w, nullptr), 1, c);
    if (sheet.printTitleFirst > 0 && sheet.printTitleLast >= sheet.printTitleFirst)
        check(worksheet_repeat_rows(ws, lxw_row_t(sheet.printTitleFirst - 1), lxw_row_t(sheet.printTitleLast - 1)),
              sheet.printTitleFirst, 1);

    if (sheet.printA4Portrait) {
        worksheet_set_paper(ws, 9); // A4
        worksheet_set_portrait(ws);
        worksheet_fit_to_pages(ws, 1, 0); // one page wide, as many pages high as needed
    }

    errno = 0;
    const lxw_error e = workbook_close(wb);
    const int closeErrno = errno;
    if (e != LXW_NO_ERROR || !refused.isEmpty()) {
        QFile::remove(tmpPath);
        if (error)
            *error = failure(path, !refused.isEmpty() ? refused : WorkbookCloseReason(e, closeErrno));
        return false;
    }
    // The finished workbook is read back and written through the one checked writer, which
    // keeps the replaced file's mode, so a full disk or a failing device leaves the old file whole.
    QFile built(tmpPath);
    const bool readBack = built.open(QIODevice::ReadOnly);
    const QByteArray bytes = readBack ? built.readAll() : QByteArray();
    built.close();
    QFile::remove(tmpPath);
    if (!readBack) {
        if (error)
            *error = failure(path, u"не читается собранная книга"_s);
        return false;
    }
    QString reason;
    if (!files::WriteWhole(target.absoluteFilePath(), bytes, &reason)) {
        if (error)
            *error = failure(path, files::ReasonOfNotWritten(reason, target.absoluteFilePath()));
        return false;
    }
    return true;
}

} // namespace rasp::exporter

#include "docxfile.h"

#include "exportfolder.h"
#include "files/atomicfile.h"
#include "files/systemreason.h"
#include "wrappedlines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QXmlStreamWriter>

#include <zip.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::exporter {

namespace {

using reports::Block;
using reports::DocTable;
using reports::LayoutCell;

const QString W = u"http://schemas.openxmlformats.org/wordprocessingml/2006/main"_s;
const QString kFont = u"Times New Roman"_s;

// A4 in twentieths of a point; left and right margins 20 points, the rest Word's defaults.
constexpr int kPageShort = 11906;
constexpr int kPageLong = 16838;
constexpr int kSideMargin = 400;
constexpr int kTopMargin = 1134;

void attr(QXmlStreamWriter &x, const QString &name, const QString &value)
{
    x.writeAttribute(W, name, value);
}

void empty(QXmlStreamWriter &x, const QString &element, const QString &val = QString())
{
    x.writeEmptyElement(W, element);
    if (!val.isNull())
        attr(x, u"val"_s, val);
}

// Run properties: Times New Roman in every script slot, bold when asked, size in points.
void runProps(QXmlStreamWriter &x, bool bold, int size)
{
    x.writeStartElement(W, u"rPr"_s);
    x.writeEmptyElement(W, u"rFonts"_s);
    for (const QString &slot : {u"ascii"_s, u"hAnsi"_s, u"cs"_s, u"eastAsia"_s})
        attr(x, slot, kFont);
    if (bold) {
        empty(x, u"b"_s);
        empty(x, u"bCs"_s);
    }
    empty(x, u"sz"_s, QString::number(size * 2));
    empty(x, u"szCs"_s, QString::number(size * 2));
    x.writeEndElement();
}

// One centred, single-spaced paragraph; the lines of the text are separated by line breaks.
void paragraph(QXmlStreamWriter &x, const QString &text, bool bold, int size)
{
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    x.writeStartElement(W, u"p"_s);
    x.writeStartElement(W, u"pPr"_s);
    x.writeEmptyElement(W, u"spacing"_s);
    attr(x, u"before"_s, u"0"_s);
    attr(x, u"after"_s, u"0"_s);
    attr(x, u"line"_s, u"240"_s);
    attr(x, u"lineRule"_s, u"auto"_s);
    empty(x, u"jc"_s, u"center"_s);
    runProps(x, bold, size);
    x.writeEndElement(); // pPr
    if (!text.isEmpty()) {
        x.writeStartElement(W, u"r"_s);
        runProps(x, bold, size);
        const QStringList lines = text.split(breaks);
        for (qsizetype n = 0; n < lines.size(); ++n) {
            if (n > 0)
                empty(x, u"br"_s);
            x.writeStartElement(W, u"t"_s);
            x.writeAttribute(u"xml:space"_s, u"preserve"_s);
            x.writeCharacters(lines[n]);
            x.writeEndElement();
        }
        x.writeEndElement(); // r
    }
    x.writeEndElement(); // p
}

void border(QXmlStreamWriter &x, const QString &edge)
{
    x.writeEmptyElement(W, edge);
    attr(x, u"val"_s, u"single"_s);
    attr(x, u"sz"_s, u"4"_s);
    attr(x, u"space"_s, u"0"_s);
    attr(x, u"color"_s, u"auto"_s);
}

const Block *blockAt(const DocTable &t, int row, int column)
{
    for (const Block &b : t.merges)
        if (row >= b.top && row <= b.bottom && column >= b.left && column <= b.right)
            return &b;
    return nullptr;
}

// The widths of a table's columns in twentieths of a point, filling textWidth: all equal, or, for
// a table that asks for it, shared out by the longest line of each column's lone cells (a column
// gets at least a share of four characters, so a narrow number column stays readable).
std::vector<int> columnWidths(const DocTable &t, int textWidth)
{
    const int columns = std::max(t.columns, 1);
    std::vector<int> widths(std::size_t(columns), textWidth / columns);
    if (!t.widthsFromContent)
        return widths;
    std::vector<int> chars(std::size_t(columns), 4);
    for (const auto &[key, cell] : t.cells) {
        const int c = key.second;
        if (c < 1 || c > columns || blockAt(t, key.first, c))
            continue;
        chars[std::size_t(c - 1)] = std::max(chars[std::size_t(c - 1)], LongestLine(cell.text) + 2);
    }
    long long total = 0;
    for (const int n : chars)
        total += n;
    for (int c = 0; c < columns; ++c)
        widths[std::size_t(c)] = int(qint64(textWidth) * chars[std::size_t(c)] / total);
    return widths;
}

void table(QXmlStreamWriter &x, const DocTable &t, int textWidth)
{
    const int columns = std::max(t.columns, 1);
    const std::vector<int> widths = columnWidths(t, textWidth);
    int tableWidth = 0;
    for (const int w : widths)
        tableWidth += w;
    x.writeStartElement(W, u"tbl"_s);
    x.writeStartElement(W, u"tblPr"_s);
    x.writeEmptyElement(W, u"tblW"_s);
    attr(x, u"w"_s, QString::number(tableWidth));
    attr(x, u"type"_s, u"dxa"_s);
    x.writeStartElement(W, u"tblBorders"_s);
    for (const QString &edge : {u"top"_s, u"left"_s, u"bottom"_s, u"right"_s, u"insideH"_s, u"insideV"_s})
        border(x, edge);
    x.writeEndElement();
    x.writeEmptyElement(W, u"tblLayout"_s);
    attr(x, u"type"_s, u"fixed"_s);
    x.writeEndElement(); // tblPr
    x.writeStartElement(W, u"tblGrid"_s);
    for (int c = 0; c < columns; ++c) {
        x.writeEmptyElement(W, u"gridCol"_s);
        attr(x, u"w"_s, QString::number(widths[std::size_t(c)]));
    }
    x.writeEndElement();

    for (int r = 1; r <= t.rows; ++r) {
        x.writeStartElement(W, u"tr"_s);
        if (r <= t.headerRows) {
            // Repeated at the top of every page the table runs onto (Word takes only a table's
            // first rows as its header).
            x.writeStartElement(W, u"trPr"_s);
            empty(x, u"tblHeader"_s);
            x.writeEndElement();
        }
        for (int c = 1; c <= columns; ++c) {
            const Block *b = blockAt(t, r, c);
            if (b && c != b->left)
                continue; // covered by the block's first column
            const int span = b ? b->right - b->left + 1 : 1;
            const bool top = !b || r == b->top;
            LayoutCell cell;
            if (top) {
                const auto it = t.cells.find({r, c});
                if (it != t.cells.end())
                    cell = it->second;
            }
            x.writeStartElement(W, u"tc"_s);
            x.writeStartElement(W, u"tcPr"_s);
            x.writeEmptyElement(W, u"tcW"_s);
            int cellWidth = 0;
            for (int k = c; k < c + span && k <= columns; ++k)
                cellWidth += widths[std::size_t(k - 1)];
            attr(x, u"w"_s, QString::number(cellWidth));
            attr(x, u"type"_s, u"dxa"_s);
            if (span > 1)
                empty(x, u"gridSpan"_s, QString::number(span));
            if (b && b->bottom > b->top) {
                if (top)
                    empty(x, u"vMerge"_s, u"restart"_s);
                else
                    empty(x, u"vMerge"_s);
            }
            const LayoutCell &look = top ? cell : t.cells.count({b->top, b->left}) ? t.cells.at({b->top, b->left})
                                                                                   : cell;
            if (look.rotated)
                empty(x, u"textDirection"_s, u"btLr"_s);
            empty(x, u"vAlign"_s, u"center"_s);
            x.writeEndElement(); // tcPr
            paragraph(x, top ? cell.text : QString(), look.bold, look.size > 0 ? look.size : t.fontSize);
            x.writeEndElement(); // tc
        }
        x.writeEndElement(); // tr
    }
    x.writeEndElement(); // tbl
}

QString failure(const QString &path, const QString &why)
{
    return u"Не удалось сохранить файл %1: %2"_s.arg(QDir::toNativeSeparators(path), why);
}

// The reason of a zip library failure in Russian (its own texts are English).
QString zipReason(int code)
{
    switch (code) {
    case ZIP_ER_MEMORY:
        return u"не хватает памяти"_s;
    case ZIP_ER_EXISTS:
    case ZIP_ER_OPEN:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
    case ZIP_ER_READ:
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_SEEK:
    case ZIP_ER_RDONLY:
    case ZIP_ER_OPNOTSUPP:
        return u"файл занят или недоступен для записи"_s;
    default:
        return u"ошибка записи документа (код %1)"_s.arg(code);
    }
}

const char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "</Types>";

const char kRels[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>";

} // namespace

QByteArray DocumentXml(const reports::Document &doc)
{
    const int pageWidth = doc.landscape ? kPageLong : kPageShort;
    const int pageHeight = doc.landscape ? kPageShort : kPageLong;
    const int textWidth = pageWidth - 2 * kSideMargin;
    QByteArray bytes;
    QXmlStreamWriter x(&bytes);
    x.writeStartDocument(u"1.0"_s, true);
    x.writeNamespace(W, u"w"_s);
    x.writeStartElement(W, u"document"_s);
    x.writeStartElement(W, u"body"_s);
    for (std::size_t n = 0; n < doc.tables.size(); ++n) {
        if (n > 0) {
            paragraph(x, QString(), false, 11);
            paragraph(x, QString(), false, 11);
        }
        table(x, doc.tables[n], textWidth);
    }
    paragraph(x, QString(), false, 11); // a document ends with a paragraph
    x.writeStartElement(W, u"sectPr"_s);
    x.writeEmptyElement(W, u"pgSz"_s);
    attr(x, u"w"_s, QString::number(pageWidth));
    attr(x, u"h"_s, QString::number(pageHeight));
    if (doc.landscape)
        attr(x, u"orient"_s, u"landscape"_s);
    x.writeEmptyElement(W, u"pgMar"_s);
    attr(x, u"top"_s, QString::number(kTopMargin));
    attr(x, u"right"_s, QString::number(kSideMargin));
    attr(x, u"bottom"_s, QString::number(kTopMargin));
    attr(x, u"left"_s, QString::number(kSideMargin));
    attr(x, u"header"_s, u"708"_s);
    attr(x, u"footer"_s, u"708"_s);
    attr(x, u"gutter"_s, u"0"_s);
    x.writeEndElement(); // sectPr
    x.writeEndElement(); // body
    x.writeEndElement(); // document
    x.writeEndDocument();
    return bytes;
}

namespace {

// The zip archive of the document's three parts, built in memory; on failure `why` gets the
// Russian reason and the result is empty.
QByteArray ZipParts(const reports::Document &doc, QString &why)
{
    // The parts must live until zip_close, which writes the archive into the buffer source.
    const QByteArray parts[3] = {QByteArray(kContentTypes), QByteArray(kRels), DocumentXml(doc)};
    const char *names[3] = {"[Content_Types].xml", "_rels/.rels", "word/document.xml"};
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t *archive = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    if (!archive) {
        why = zipReason(zip_error_code_zip(&zerr));
        zip_error_fini(&zerr);
        return {};
    }
    zip_source_keep(archive); // it outlives the archive handle, to read the bytes back
    const auto freeArchive = qScopeGuard([archive] { zip_source_free(archive); });
    zip_t *z = zip_open_from_source(archive, ZIP_TRUNCATE, &zerr);
    if (!z) {
        why = zipReason(zip_error_code_zip(&zerr));
        zip_error_fini(&zerr);
        return {};
    }
    zip_error_fini(&zerr);
    for (int n = 0; n < 3; ++n) {
        zip_source_t *s = zip_source_buffer(z, parts[n].constData(), zip_uint64_t(parts[n].size()), 0);
        if (!s || zip_file_add(z, names[n], s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            why = zipReason(zip_error_code_zip(zip_get_error(z)));
            zip_source_free(s);
            zip_discard(z);
            return {};
        }
    }
    if (zip_close(z) < 0) {
        why = zipReason(zip_error_code_zip(zip_get_error(z)));
        zip_discard(z);
        return {};
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(archive, &st) < 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(archive) < 0) {
        why = u"не хватает памяти"_s;
        return {};
    }
    QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
    const zip_int64_t got = zip_source_read(archive, bytes.data(), st.size);
    zip_source_close(archive);
    if (got != zip_int64_t(st.size)) {
        why = u"не хватает памяти"_s;
        return {};
    }
    return bytes;
}

} // namespace

bool WriteDocx(const reports::Document &doc, const QString &path, QString *error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        if (error)
            *error = failure(path, u"папка не создается"_s);
        return false;
    }
    const ExportFolder folder(target.absolutePath());
    QString why;
    const QByteArray bytes = ZipParts(doc, why);
    if (!why.isEmpty()) {
        if (error)
            *error = failure(path, why);
        return false;
    }
    // The document is built in memory and written through the one checked writer, so a full
    // disk or a failing device is reported with its reason and the old document stays whole.
    QString reason;
    if (!files::WriteWhole(target.absoluteFilePath(), bytes, &reason)) {
        if (error)
            *error = failure(path, files::ReasonOfNotWritten(reason, target.absoluteFilePath()));
        return false;
    }
    return true;
}

} // namespace rasp::exporter

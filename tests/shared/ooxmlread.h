#pragma once

// Reads back the parts of .xlsx and .docx files written by the export: unzips them with libzip
// and parses the XML with QXmlStreamReader into the same layout terms the writers take.
#include "reports/exportlayout.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <zip.h>

#include <map>
#include <vector>

namespace ooxml {

using rasp::reports::Block;
using rasp::reports::CellKey;
using rasp::reports::LayoutCell;

// One entry of a zip file; empty when the file or the entry is missing.
inline QByteArray zipEntry(const QString &path, const char *name)
{
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z)
        return {};
    QByteArray out;
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) == 0) {
        if (zip_file_t *f = zip_fopen(z, name, 0)) {
            out.resize(qsizetype(st.size));
            if (zip_fread(f, out.data(), st.size) != zip_int64_t(st.size))
                out.clear();
            zip_fclose(f);
        }
    }
    zip_discard(z);
    return out;
}

// ---- Workbooks ------------------------------------------------------------------------------

struct XlsxCell {
    QString text;
    bool number = false;
    bool bold = false;
    bool centred = false;
    bool rotated = false;
    bool bordered = false; // thin lines on all four edges
};

struct XlsxSheet {
    QString name;
    std::map<CellKey, XlsxCell> cells; // every <c> of the sheet, blank styled cells included
    std::vector<Block> merges;
    std::map<int, double> heights; // rows with a custom height
    std::map<int, double> widths;  // columns with a width, in characters
    QString printTitles;           // the rows repeated on every printed page ("$2:$2")
    int paperSize = 0;             // page setup: 9 = A4
    QString orientation;           // "portrait" / "landscape" when set
    int fitToWidth = -1;           // pages wide when scaled to fit (-1: not set)
    bool fitToPage = false;        // scaling to fit is on
    bool wellFormed = true;        // every part parsed without an XML error
};

// "BC12" -> (12, 55)
inline CellKey cellRef(QStringView ref)
{
    int column = 0;
    qsizetype n = 0;
    for (; n < ref.size() && ref[n].isLetter(); ++n)
        column = column * 26 + (ref[n].unicode() - 'A' + 1);
    return {ref.mid(n).toInt(), column};
}

inline XlsxSheet readXlsx(const QString &path)
{
    XlsxSheet sheet;
    {
        QXmlStreamReader x(zipEntry(path, "xl/workbook.xml"));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"sheet")
                sheet.name = x.attributes().value(QLatin1StringView("name")).toString();
            else if (x.isStartElement() && x.name() == u"definedName"
                     && x.attributes().value(QLatin1StringView("name")) == u"_xlnm.Print_Titles") {
                const QString ref = x.readElementText(); // 'Sheet'!$2:$2
                sheet.printTitles = ref.mid(ref.lastIndexOf(u'!') + 1);
            }
        }
        sheet.wellFormed = sheet.wellFormed && !x.hasError();
    }
    QStringList strings;
    {
        QXmlStreamReader x(zipEntry(path, "xl/sharedStrings.xml"));
        QString current;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"si")
                current.clear();
            else if (x.isStartElement() && x.name() == u"t")
                current += x.readElementText();
            else if (x.isEndElement() && x.name() == u"si")
                strings << current.replace(QStringLiteral("_x000D_"), QStringLiteral("\r"));
        }
        sheet.wellFormed = sheet.wellFormed && !x.hasError();
    }
    struct Xf {
        bool bold = false, centred = false, rotated = false, bordered = false;
    };
    std::vector<Xf> xfs;
    {
        QXmlStreamReader x(zipEntry(path, "xl/styles.xml"));
        std::vector<bool> fontBold, borderThin;
        QString section;
        int thinEdges = 0;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                const auto n = x.name();
                if (n == u"fonts" || n == u"borders" || n == u"cellXfs" || n == u"cellStyleXfs")
                    section = n.toString();
                else if (section == u"fonts" && n == u"font")
                    fontBold.push_back(false);
                else if (section == u"fonts" && n == u"b")
                    fontBold.back() = true;
                else if (section == u"borders" && n == u"border")
                    thinEdges = 0;
                else if (section == u"borders" && (n == u"left" || n == u"right" || n == u"top" || n == u"bottom")
                         && x.attributes().value(QLatin1StringView("style")) == u"thin")
                    ++thinEdges;
                else if (section == u"cellXfs" && n == u"xf") {
                    Xf xf;
                    const auto a = x.attributes();
                    xf.bold = fontBold.at(std::size_t(a.value(QLatin1StringView("fontId")).toInt()));
                    xf.bordered = borderThin.at(std::size_t(a.value(QLatin1StringView("borderId")).toInt()));
                    xfs.push_back(xf);
                } else if (section == u"cellXfs" && n == u"alignment") {
                    xfs.back().centred = x.attributes().value(QLatin1StringView("horizontal")) == u"center";
                    xfs.back().rotated = x.attributes().value(QLatin1StringView("textRotation")) == u"90";
                }
            } else if (x.isEndElement()) {
                if (x.name() == u"border" && section == u"borders")
                    borderThin.push_back(thinEdges == 4);
                if (x.name() == section)
                    section.clear();
            }
        }
        sheet.wellFormed = sheet.wellFormed && !x.hasError();
    }
    {
        QXmlStreamReader x(zipEntry(path, "xl/worksheets/sheet1.xml"));
        CellKey key;
        XlsxCell cell;
        QString type;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                const auto a = x.attributes();
                if (x.name() == u"row" && a.value(QLatin1StringView("customHeight")) == u"1")
                    sheet.heights[a.value(QLatin1StringView("r")).toInt()] = a.value(QLatin1StringView("ht")).toDouble();
                else if (x.name() == u"col") {
                    for (int c = a.value(QLatin1StringView("min")).toInt(); c <= a.value(QLatin1StringView("max")).toInt(); ++c)
                        sheet.widths[c] = a.value(QLatin1StringView("width")).toDouble();
                } else if (x.name() == u"pageSetup") {
                    sheet.paperSize = a.value(QLatin1StringView("paperSize")).toInt();
                    sheet.orientation = a.value(QLatin1StringView("orientation")).toString();
                    sheet.fitToWidth = a.hasAttribute(QLatin1StringView("fitToWidth")) ? a.value(QLatin1StringView("fitToWidth")).toInt() : 1;
                } else if (x.name() == u"pageSetUpPr")
                    sheet.fitToPage = a.value(QLatin1StringView("fitToPage")) == u"1";
                else if (x.name() == u"c") {
                    key = cellRef(a.value(QLatin1StringView("r")));
                    cell = XlsxCell{};
                    type = a.value(QLatin1StringView("t")).toString();
                    const Xf xf = a.hasAttribute(QLatin1StringView("s")) ? xfs.at(std::size_t(a.value(QLatin1StringView("s")).toInt())) : Xf{};
                    cell.bold = xf.bold;
                    cell.centred = xf.centred;
                    cell.rotated = xf.rotated;
                    cell.bordered = xf.bordered;
                } else if (x.name() == u"v") {
                    const QString v = x.readElementText();
                    cell.number = type != u"s";
                    cell.text = type == u"s" ? strings.value(v.toInt()) : v;
                } else if (x.name() == u"mergeCell") {
                    const QStringList ends = a.value(QLatin1StringView("ref")).toString().split(u':');
                    const CellKey a1 = cellRef(ends.at(0)), a2 = cellRef(ends.at(1));
                    sheet.merges.push_back({a1.first, a1.second, a2.first, a2.second});
                }
            } else if (x.isEndElement() && x.name() == u"c") {
                sheet.cells[key] = cell;
            }
        }
        sheet.wellFormed = sheet.wellFormed && !x.hasError();
    }
    return sheet;
}

// ---- Documents ------------------------------------------------------------------------------

struct DocxTable {
    int rows = 0;
    int gridColumns = 0;
    std::map<CellKey, LayoutCell> cells; // the first cell of every block and every lone cell
    std::vector<Block> merges;
    bool allTimesNewRoman = true; // every run and paragraph mark
    bool allCentredSingle = true; // every paragraph centred with single spacing
    std::vector<int> runSizes;    // sizes of the runs, in points
    int borderedEdges = 0;        // single table borders found (6 = all)
    std::vector<int> gridWidths;  // the columns' widths, in twentieths of a point
    int headerRows = 0;           // rows marked to repeat on every page
};

struct DocxDocument {
    QStringList body; // tbl / p / sectPr in body order
    int pageWidth = 0, pageHeight = 0, marginLeft = 0, marginRight = 0;
    bool landscape = false;
    std::vector<DocxTable> tables;
    bool wellFormed = true;
};

inline DocxDocument readDocx(const QString &path)
{
    DocxDocument doc;
    QXmlStreamReader x(zipEntry(path, "word/document.xml"));
    int depth = 0; // element depth; body children are at depth 3
    DocxTable *table = nullptr;
    int row = 0, column = 0;
    // Open vertical blocks by grid column: index into table->merges.
    std::map<int, std::size_t> openVertical;
    // Current cell.
    int span = 1;
    QString vMerge; // "", "restart" or "continue"
    bool rotated = false;
    QString text;
    bool bold = false;
    int size = 0;
    bool inRun = false;
    bool paragraphSeen = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            ++depth;
            const auto n = x.name();
            const auto a = x.attributes();
            const auto val = a.value(QLatin1StringView("w:val")).isNull() ? a.value(QLatin1StringView("val")) : a.value(QLatin1StringView("w:val"));
            if (depth == 3)
                doc.body << n.toString();
            if (n == u"pgSz") {
                doc.pageWidth = a.value(QLatin1StringView("w:w")).toInt();
                doc.pageHeight = a.value(QLatin1StringView("w:h")).toInt();
                doc.landscape = a.value(QLatin1StringView("w:orient")) == u"landscape";
            } else if (n == u"pgMar") {
                doc.marginLeft = a.value(QLatin1StringView("w:left")).toInt();
                doc.marginRight = a.value(QLatin1StringView("w:right")).toInt();
            } else if (n == u"tbl") {
                table = &doc.tables.emplace_back();
                row = 0;
                openVertical.clear();
            } else if (!table) {
                continue;
            } else if (n == u"tblBorders") {
            } else if ((n == u"top" || n == u"left" || n == u"bottom" || n == u"right" || n == u"insideH"
                        || n == u"insideV")
                       && a.value(QLatin1StringView("w:val")) == u"single") {
                ++table->borderedEdges;
            } else if (n == u"gridCol") {
                ++table->gridColumns;
                table->gridWidths.push_back(a.value(QLatin1StringView("w:w")).toInt());
            } else if (n == u"tblHeader") {
                ++table->headerRows;
            } else if (n == u"tr") {
                ++row;
                column = 1;
                table->rows = row;
            } else if (n == u"tc") {
                span = 1;
                vMerge.clear();
                rotated = false;
                text.clear();
                bold = false;
                size = 0;
                paragraphSeen = false;
            } else if (n == u"gridSpan") {
                span = val.toInt();
            } else if (n == u"vMerge") {
                vMerge = val == u"restart" ? QStringLiteral("restart") : QStringLiteral("continue");
            } else if (n == u"textDirection") {
                rotated = val == u"btLr";
            } else if (n == u"p") {
                if (paragraphSeen)
                    text += u'\n';
                paragraphSeen = true;
            } else if (n == u"spacing") {
                if (a.value(QLatin1StringView("w:before")) != u"0" || a.value(QLatin1StringView("w:after")) != u"0" || a.value(QLatin1StringView("w:line")) != u"240")
                    table->allCentredSingle = false;
            } else if (n == u"jc") {
                if (val != u"center")
                    table->allCentredSingle = false;
            } else if (n == u"r") {
                inRun = true;
            } else if (n == u"rFonts") {
                for (const char *slot : {"w:ascii", "w:hAnsi", "w:cs", "w:eastAsia"})
                    if (a.value(QLatin1StringView(slot)) != u"Times New Roman")
                        table->allTimesNewRoman = false;
            } else if (n == u"b" && inRun) {
                bold = true;
            } else if (n == u"sz" && inRun) {
                size = val.toInt() / 2;
                table->runSizes.push_back(size);
            } else if (n == u"br") {
                text += u'\n';
            } else if (n == u"t") {
                text += x.readElementText();
                --depth;
            }
        } else if (x.isEndElement()) {
            const auto n = x.name();
            --depth;
            if (n == u"r")
                inRun = false;
            if (!table)
                continue;
            if (n == u"tbl") {
                table = nullptr;
            } else if (n == u"tc") {
                if (vMerge == u"continue") {
                    const auto it = openVertical.find(column);
                    if (it != openVertical.end())
                        table->merges[it->second].bottom = row;
                } else {
                    openVertical.erase(column);
                    LayoutCell cell;
                    cell.text = text;
                    cell.bold = bold;
                    cell.size = size;
                    cell.rotated = rotated;
                    table->cells[{row, column}] = cell;
                    if (span > 1 || vMerge == u"restart") {
                        table->merges.push_back({row, column, row, column + span - 1});
                        if (vMerge == u"restart")
                            openVertical[column] = table->merges.size() - 1;
                    }
                }
                column += span;
            }
        }
    }
    doc.wellFormed = !x.hasError();
    return doc;
}

} // namespace ooxml

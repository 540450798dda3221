#include "sheetpainter.h"

#include "sheets/wraptext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace rasp::print {

namespace {

// The family the editor prints in; fontconfig gives the metric-compatible Carlito on Linux.
const QString kFamily = u"Calibri"_s;

// Measures texts for one device: widths at a reference size scaled to the size asked, which is
// how outline fonts without hinting (PDF, printers) behave.
class Metrics
{
public:
    explicit Metrics(QPaintDevice *device)
        : m_plain(font(kReference, false), device)
        , m_bold(font(kReference, true), device)
    {
    }
    static QFont font(double size, bool bold)
    {
        QFont f(kFamily);
        f.setPointSizeF(size);
        f.setBold(bold);
        return f;
    }
    // Width of a text at `size` points, in device units.
    double width(const QString &text, double size, bool bold) const
    {
        return (bold ? m_bold : m_plain).horizontalAdvance(text) * size / kReference;
    }
    // Line height at `size` points, in device units.
    double lineHeight(double size, bool bold) const
    {
        return (bold ? m_bold : m_plain).lineSpacing() * size / kReference;
    }
    double ascent(double size, bool bold) const { return (bold ? m_bold : m_plain).ascent() * size / kReference; }

private:
    static constexpr double kReference = 20.0;
    QFontMetricsF m_plain;
    QFontMetricsF m_bold;
};

// One cell laid out: its lines, size and weight.
struct LaidCell {
    sheets::WrappedText text;
    bool bold = false;
    bool marked = false;
};

// Paints pages one after another on the device and counts them.
class Pages
{
public:
    Pages(QPagedPaintDevice &device, QPainter &painter)
        : m_device(device)
        , m_painter(painter)
        , m_metrics(&device)
    { }

    const Metrics &metrics() const { return m_metrics; }
    double width() const { return m_device.width(); }
    double height() const { return m_device.height(); }
    double pt() const { return m_device.logicalDpiY() / 72.0; }
    int count() const { return m_count; }

    // Starts a page in the orientation asked; the first page is the one the painter began on.
    bool start(bool landscape)
    {
        const QPageLayout::Orientation o = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        if (m_count == 0) {
            ++m_count;
            return true;
        }
        m_device.setPageOrientation(o);
        if (!m_device.newPage())
            return false;
        ++m_count;
        return true;
    }

    // Lays a text out for a width, wrapping at spaces.
    LaidCell lay(const sheets::SheetCell &cell, double width, double size) const
    {
        const bool bold = cell.bold || cell.marked;
        const auto measure = [this, bold](const QString &t, double s) { return m_metrics.width(t, s, bold); };
        return {sheets::WrapText(cell.text, width, size, measure), bold, cell.marked};
    }
    // Height of a laid-out text.
    double heightOf(const LaidCell &c) const
    {
        return double(c.text.lines.size()) * m_metrics.lineHeight(c.text.size, c.bold);
    }
    // Draws the lines of a laid-out text from (x, y), centred in `width` or from its left.
    void draw(const LaidCell &c, double x, double y, double width, bool centred)
    {
        m_painter.setFont(Metrics::font(c.text.size, c.bold));
        const double line = m_metrics.lineHeight(c.text.size, c.bold);
        double baseline = y + m_metrics.ascent(c.text.size, c.bold);
        for (const QString &l : c.text.lines) {
            double left = x;
            if (centred)
                left += std::max(0.0, (width - m_metrics.width(l, c.text.size, c.bold)) / 2);
            m_painter.drawText(QPointF(left, baseline), l);
            baseline += line;
        }
    }
    QPainter &painter() { return m_painter; }

private:
    QPagedPaintDevice &m_device;
    QPainter &m_painter;
    Metrics m_metrics;
    int m_count = 0;
};

// The columns of one page band: the fixed ones and a run of the others.
std::vector<std::vector<int>> columnBands(const sheets::SheetTable &t)
{
    const int total = int(t.header.size());
    const int fixed = std::clamp(t.fixedColumns, 0, total);
    const int per = t.columnsPerPage > 0 ? t.columnsPerPage : std::max(total - fixed, 1);
    std::vector<std::vector<int>> bands;
    int first = fixed;
    do {
        std::vector<int> band(static_cast<std::size_t>(fixed));
        std::iota(band.begin(), band.end(), 0);
        for (int c = first; c < std::min(first + per, total); ++c)
            band.push_back(c);
        bands.push_back(std::move(band));
        first += per;
    } while (first < total);
    return bands;
}

// Paints one table from a new page on.
bool paintTable(Pages &pages, const sheets::SheetTable &t)
{
    const double pt = pages.pt();
    const double pad = 2.5 * pt;
    const double W = pages.width();
    const double H = pages.height();
    const bool centred = t.fixedColumns > 0;
    QPainter &p = pages.painter();
    const sheets::SheetCell titleCell{t.title, true, false};

    // Column widths: a band's columns share the page width; a short last band keeps the widths
    // of a full one, so every page of the day has the same class width.
    const int per = t.columnsPerPage > 0 ? t.columnsPerPage : int(t.header.size());
    double unitSum = 0;
    for (int c = 0; c < int(t.widths.size()); ++c)
        if (c < t.fixedColumns + per)
            unitSum += t.widths[std::size_t(c)];
    const double unit = unitSum > 0 ? W / unitSum : W;
    const auto colWidth = [&](int c) {
        return (std::size_t(c) < t.widths.size() ? t.widths[std::size_t(c)] : 1.0) * unit;
    };

    const auto drawTitle = [&](double &y) {
        const LaidCell title = pages.lay(titleCell, W, kTitleSize);
        pages.draw(title, 0, y, W, false);
        y += pages.heightOf(title) + 4 * pt;
    };

    if (t.rows.empty()) {
        if (!pages.start(t.landscape))
            return false;
        double y = 0;
        drawTitle(y);
        pages.draw(pages.lay({t.empty, false, false}, W, t.fontSize), 0, y, W, false);
        return true;
    }

    p.setPen(QPen(Qt::black, 0.6 * pt));
    double lastY = 0;
    for (const std::vector<int> &band : columnBands(t)) {
        // Lays out one row of the band: its cells and its height.
        const auto layRow = [&](const std::vector<sheets::SheetCell> &row, std::vector<LaidCell> &out) {
            out.clear();
            double h = 0;
            for (int c : band) {
                const sheets::SheetCell cell = std::size_t(c) < row.size() ? row[std::size_t(c)] : sheets::SheetCell{};
                out.push_back(pages.lay(cell, colWidth(c) - 2 * pad, t.fontSize));
                h = std::max(h, pages.heightOf(out.back()));
            }
            return h + 2 * pad;
        };
        const auto drawRow = [&](const std::vector<LaidCell> &cells, double y, double h) {
            double x = 0;
            for (std::size_t i = 0; i < band.size(); ++i) {
                const double w = colWidth(band[i]);
                if (cells[i].marked)
                    p.fillRect(QRectF(x, y, w, h), QColor(235, 235, 235));
                p.drawRect(QRectF(x, y, w, h));
                pages.draw(cells[i], x + pad, y + pad, w - 2 * pad, centred);
                x += w;
            }
        };
        std::vector<LaidCell> header;
        const double headerHeight = layRow(t.header, header);
        std::vector<LaidCell> cells;
        double y = H; // forces a page for the first row
        bool firstOnPage = true;
        for (const std::vector<sheets::SheetCell> &row : t.rows) {
            const double h = layRow(row, cells);
            if (y + h > H && !firstOnPage)
                y = H;
            if (y >= H) {
                if (!pages.start(t.landscape))
                    return false;
                y = 0;
                drawTitle(y);
                drawRow(header, y, headerHeight);
                y += headerHeight;
                firstOnPage = true;
            }
            drawRow(cells, y, h);
            y += h;
            firstOnPage = false;
        }
        lastY = y;
    }
    // The day's note under the last page's table, or on a page of its own when it does not fit.
    if (!t.note.isEmpty()) {
        const LaidCell note = pages.lay({t.note, false, false}, W, t.fontSize);
        double y = lastY + 4 * pt;
        if (y + pages.heightOf(note) > H) {
            if (!pages.start(t.landscape))
                return false;
            y = 0;
            drawTitle(y);
        }
        pages.draw(note, 0, y, W, false);
    }
    return true;
}

// Paints the slips: each a framed block with the teacher, the lessons and a line to sign.
bool paintSlips(Pages &pages, const sheets::PrintDocument &doc)
{
    const double pt = pages.pt();
    const double W = pages.width();
    const double H = pages.height();
    const double pad = 6 * pt;
    QPainter &p = pages.painter();
    if (!pages.start(false))
        return false;
    double y = 0;
    if (doc.slips.empty()) {
        pages.draw(pages.lay({doc.title, true, false}, W, kTitleSize), 0, y, W, false);
        y += 24 * pt;
        pages.draw(pages.lay({doc.emptySlips, false, false}, W, 12), 0, y, W, false);
        return true;
    }
    const sheets::SheetCell sign{u"Подпись: ______________________        Дата: ____________"_s, false, false};
    for (const sheets::Slip &slip : doc.slips) {
        std::vector<LaidCell> parts;
        parts.push_back(pages.lay({doc.title, false, false}, W - 2 * pad, 10));
        parts.push_back(pages.lay({slip.teacher, true, false}, W - 2 * pad, 13));
        for (const QString &line : slip.lines)
            parts.push_back(pages.lay({line, false, false}, W - 2 * pad, 12));
        parts.push_back(pages.lay(sign, W - 2 * pad, 12));
        double h = 2 * pad;
        for (const LaidCell &c : parts)
            h += pages.heightOf(c) + 3 * pt;
        h += 8 * pt; // room above the signature line
        if (y > 0 && y + h > H) {
            if (!pages.start(false))
                return false;
            y = 0;
        }
        p.setPen(QPen(Qt::black, 0.6 * pt, Qt::DashLine));
        p.drawRect(QRectF(0, y, W, h));
        double yy = y + pad;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i + 1 == parts.size())
                yy += 8 * pt;
            pages.draw(parts[i], pad, yy, W - 2 * pad, false);
            yy += pages.heightOf(parts[i]) + 3 * pt;
        }
        y += h + 8 * pt;
    }
    return true;
}

} // namespace

int PaintDocument(QPagedPaintDevice &device, const sheets::PrintDocument &document)
{
    const bool landscape = !document.slipsDocument && !document.tables.empty() && document.tables.front().landscape;
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::TextAntialiasing);
    Pages pages(device, painter);
    bool ok = true;
    if (document.slipsDocument)
        ok = paintSlips(pages, document);
    for (const sheets::SheetTable &t : document.tables)
        if (ok)
            ok = paintTable(pages, t);
    if (pages.count() == 0 && ok) { // an empty document still gets its one page
        ok = pages.start(landscape);
        pages.draw(pages.lay({document.title, true, false}, pages.width(), kTitleSize), 0, 0, pages.width(), false);
    }
    painter.end();
    return ok ? pages.count() : 0;
}

} // namespace rasp::print

#include "web/webhtml.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::web {

namespace {

// The style of every page: fluid widths, words that may break only when nothing else fits a
// narrow phone, the changed lessons highlighted, links hidden on paper.
const QString kStyle = uR"(body{font-family:sans-serif;margin:0 auto;padding:8px;max-width:64em;line-height:1.35;color:#111;background:#fff}
h1{font-size:1.35em;margin:.3em 0}
h2{font-size:1.15em;margin:.8em 0 .3em}
nav{margin-bottom:.5em}
nav a{margin-right:.8em}
table{border-collapse:collapse;width:100%}
th,td{border:1px solid #999;padding:4px 6px;text-align:left;vertical-align:top;overflow-wrap:break-word}
th{background:#eef}
tr.changed td{background:#fff1b8}
ul.links{list-style:none;padding:0;margin:0;display:flex;flex-wrap:wrap;gap:6px}
ul.links a{display:inline-block;min-width:3em;padding:8px;border:1px solid #99a;border-radius:4px;text-align:center;text-decoration:none}
p.note{white-space:pre-wrap}
@media screen and (max-width:540px){
table,tbody,tr,td{display:block;width:auto}
thead{display:none}
tr{border:1px solid #999;border-radius:4px;margin:0 0 6px;padding:4px 6px}
td{display:inline;border:0;padding:0}
td:empty{display:none}
td:not(:first-child)::before{content:" \00B7  ";color:#777}
td[data-label="Каб."]::before{content:" \00B7  каб. "}
}
@media print{nav{display:none}a{color:#000;text-decoration:none}tr.changed td{background:none;font-weight:bold}}
)"_s;

// The corridor screen: large type that still fits a phone.
const QString kCorridorStyle = uR"(body{max-width:none;font-size:clamp(16px,2.8vw,46px)}
h1{font-size:1.4em}
)"_s;

} // namespace

QString Escaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    out.replace(u"\r\n"_s, u"<br>"_s);
    out.replace(u'\n', u"<br>"_s);
    return out;
}

QString TableHtml(const sheets::SheetTable &table)
{
    QString out;
    out.reserve(256 + qsizetype(table.rows.size() * table.header.size()) * 40);
    if (!table.title.isEmpty())
        out += u"<h1>"_s + Escaped(table.title) + u"</h1>\n"_s;
    if (table.rows.empty()) {
        out += u"<p>"_s + Escaped(table.empty) + u"</p>\n"_s;
    } else {
        // On a phone each row is a card of its cells; the captions label them for that view.
        std::vector<QString> labels;
        for (const sheets::SheetCell &h : table.header)
            labels.push_back(h.text.toHtmlEscaped());
        out += u"<table>\n<thead><tr>"_s;
        for (const sheets::SheetCell &h : table.header)
            out += u"<th>"_s + Escaped(h.text) + u"</th>"_s;
        out += u"</tr></thead>\n<tbody>\n"_s;
        for (const std::vector<sheets::SheetCell> &row : table.rows) {
            const bool marked = std::any_of(row.begin(), row.end(), [](const sheets::SheetCell &c) { return c.marked; });
            out += marked ? u"<tr class=\"changed\">"_s : u"<tr>"_s;
            for (std::size_t i = 0; i < row.size(); ++i) {
                const sheets::SheetCell &c = row[i];
                out += u"<td data-label=\""_s + (i < labels.size() ? labels[i] : QString()) + u"\">"_s;
                if (c.bold)
                    out += u"<b>"_s;
                out += Escaped(c.text);
                out += c.bold ? u"</b></td>"_s : u"</td>"_s;
            }
            out += u"</tr>\n"_s;
        }
        out += u"</tbody>\n</table>\n"_s;
    }
    if (!table.note.isEmpty())
        out += u"<p class=\"note\">"_s + table.note.toHtmlEscaped() + u"</p>\n"_s;
    return out;
}

QString PageHtml(const QString &title, const QString &nav, const QString &body, PageStyle style)
{
    QString out;
    out.reserve(kStyle.size() + body.size() + 512);
    out += u"<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"_s;
    if (style == PageStyle::Corridor)
        out += u"<meta http-equiv=\"refresh\" content=\"60\">\n"_s;
    out += u"<title>"_s + title.toHtmlEscaped() + u"</title>\n<style>\n"_s + kStyle;
    if (style == PageStyle::Corridor)
        out += kCorridorStyle;
    out += u"</style>\n</head>\n<body>\n"_s;
    if (!nav.isEmpty())
        out += u"<nav>"_s + nav + u"</nav>\n"_s;
    out += body;
    out += u"</body>\n</html>\n"_s;
    return out;
}

} // namespace rasp::web

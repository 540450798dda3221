#include "web/webfolder.h"

#include "files/atomicfile.h"
#include "reports/exportlayout.h"
#include "reports/layoutcells.h"
#include "reports/zameny.h"
#include "sheets/daysheets.h"
#include "sheets/lessonsheets.h"
#include "state.h"
#include "text/datewords.h"
#include "web/webhtml.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace rasp::web {

namespace {

// The links bar of every page but the index.
QString navBar()
{
    return u"<a href=\"index.html\">Все классы</a><a href=\"zameny.html\">Замены</a>"
           "<a href=\"corridor.html\">Для экрана</a>"_s;
}

// A list of links as buttons.
QString linkList(const std::vector<std::pair<QString, QString>> &links)
{
    QString out = u"<ul class=\"links\">\n"_s;
    for (const auto &[file, text] : links)
        out += u"<li><a href=\""_s + file + u"\">"_s + Escaped(text) + u"</a></li>\n"_s;
    return out + u"</ul>\n"_s;
}

// The corridor table: class, lesson, what is given now and where, in large type.
sheets::SheetTable corridorTable(const sheets::SheetTable &zameny, QDate date)
{
    sheets::SheetTable t = zameny;
    t.title = u"Изменения на "_s + text::day2(date) + u' ' + text::ShortDate(date);
    return t;
}

} // namespace

QString ClassFileName(int column)
{
    return u"class-"_s + QString::number(column).rightJustified(2, u'0') + u".html"_s;
}

QString TeacherFileName(int m)
{
    return u"teacher-"_s + QString::number(m).rightJustified(3, u'0') + u".html"_s;
}

std::vector<WebPage> DayWebPages(const State &state, QDate date)
{
    const reports::ZamenyResult result = reports::ZamenyForDate(state, date);
    const std::vector<reports::Change> noChanges;
    const std::vector<reports::Change> &changes = result.sheet ? result.sheet->changes : noChanges;
    const sheets::ChangeIndex index = sheets::IndexChanges(changes);
    const QString dayTitle = reports::DayTitle(date);
    const int n = reports::detail::classes(state);
    const std::vector<std::vector<sheets::LessonPlace>> byTeacher = sheets::TeacherLessons(state);

    std::vector<WebPage> pages;
    pages.reserve(std::size_t(n) + state.PedFio.size() + 3);

    std::vector<std::pair<QString, QString>> classLinks;
    for (int j = 1; j <= n; ++j) {
        const sheets::SheetTable t = sheets::ClassTable(state, j, index);
        classLinks.push_back({ClassFileName(j), t.title});
        pages.push_back({ClassFileName(j),
                         PageHtml(t.title + u" — "_s + dayTitle, navBar(),
                                  TableHtml(t) + u"<p>"_s + Escaped(dayTitle) + u"</p>\n"_s)});
    }
    std::vector<std::pair<QString, QString>> teacherLinks;
    for (std::size_t m = 1; m < state.PedFio.size(); ++m) {
        if (state.PedFio[m].name.trimmed().isEmpty())
            continue;
        const sheets::SheetTable t = sheets::TeacherTable(state, int(m), byTeacher[m], index);
        teacherLinks.push_back({TeacherFileName(int(m)), sheets::ShortName(t.title)});
        pages.push_back({TeacherFileName(int(m)),
                         PageHtml(t.title + u" — "_s + dayTitle, navBar(),
                                  TableHtml(t) + u"<p>"_s + Escaped(dayTitle) + u"</p>\n"_s)});
    }

    sheets::SheetTable zameny;
    if (result.sheet)
        zameny = sheets::ZamenyTable(state, *result.sheet);
    else {
        zameny.title = reports::ZamenyTitle(date);
        zameny.empty = result.error;
    }
    pages.push_back({u"zameny.html"_s, PageHtml(zameny.title, navBar(), TableHtml(zameny))});
    const sheets::SheetTable corridor = corridorTable(zameny, date);
    pages.push_back({u"corridor.html"_s, PageHtml(corridor.title, QString(), TableHtml(corridor), PageStyle::Corridor)});

    QString body = u"<h1>Расписание: "_s + Escaped(dayTitle) + u"</h1>\n"_s;
    body += u"<p><a href=\"zameny.html\">Замены</a> · <a href=\"corridor.html\">Для экрана в коридоре</a></p>\n"_s;
    body += u"<h2>Классы</h2>\n"_s + linkList(classLinks);
    if (!teacherLinks.empty())
        body += u"<h2>Учителя</h2>\n"_s + linkList(teacherLinks);
    if (!state.note.trimmed().isEmpty())
        body += u"<p class=\"note\">"_s + state.note.trimmed().toHtmlEscaped() + u"</p>\n"_s;
    pages.push_back({u"index.html"_s, PageHtml(u"Расписание: "_s + dayTitle, QString(), body)});
    return pages;
}

bool WriteWebFolder(const std::vector<WebPage> &pages, const QString &folder, QString *error)
{
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = u"Не удалось создать папку %1"_s.arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // Each page goes through the one checked writer, so a full disk is reported and never leaves a
    // page cut short in place of the previous one.
    for (const WebPage &page : pages) {
        if (!files::WriteWhole(dir.filePath(page.fileName), page.html.toUtf8(), error))
            return false;
    }
    return true;
}

} // namespace rasp::web

#pragma once

#include <QDate>
#include <QString>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::web {

// One file of the web folder: its ASCII name and its HTML text.
struct WebPage {
    QString fileName;
    QString html;
};

// The file of class column j: "class-07.html".
QString ClassFileName(int column);
// The file of teacher row m: "teacher-012.html".
QString TeacherFileName(int m);

// Every page of the day's web folder: index.html (the date, the classes and teachers as links),
// one page per class and per teacher of the load, zameny.html (the day's changes against its
// template weekday) and corridor.html (the changes in large type, reloading every minute).
// The changes are read from the work folder (the day and template files, as the sheet does);
// without a template the pages say why and mark nothing.
std::vector<WebPage> DayWebPages(const State &state, QDate date);

// Writes the pages into `folder` (created when missing) as UTF-8, each file whole; a file that
// cannot be written stops the writing with a Russian message naming it in `error`.
bool WriteWebFolder(const std::vector<WebPage> &pages, const QString &folder, QString *error);

} // namespace rasp::web

#pragma once

// A school work folder on disk for the print and web tests: `classes` classes of seven lessons,
// each subject of a class taught by one teacher, the day of kDate saved, and the template of its
// weekday equal to the day except lesson 3 of the first `changed` classes, where the template
// had another subject and teacher (so the day has that many replacements, each a cover).
#include "day/dayfile.h"
#include "settings/settings.h"
#include "template/setka.h"
#include "text/textfile.h"

#include <QDate>
#include <QDir>
#include <QStringList>
#include <QTest>

namespace printschool {

using namespace Qt::Literals::StringLiterals;

inline const QDate kDate(2026, 12, 11); // a Friday
inline constexpr int kRows = 7;

// Subjects, long ones among them, so narrow cells must wrap and shrink.
inline const QStringList kSubjects{u"Математика"_s, u"Русский язык"_s, u"Литература"_s, u"Физика"_s,
                                   u"Обществознание"_s, u"Природоведение"_s, u"Информатика и ИКТ"_s, u"Химия"_s,
                                   u"Физическая культура"_s, u"Изобразительное искусство"_s, u"История"_s};

// The class name of column j (1-based): grade and letter, all different.
inline QString className(int j)
{
    static const QString letters = u"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЭЮЯ"_s;
    return QString::number((j - 1) % 11 + 1) + letters[(j - 1) / 11];
}

// Teacher m's full name (1-based), all different.
inline QString teacherName(int m)
{
    static const QStringList surnames{u"Иванова"_s, u"Петров"_s, u"Сидорова"_s, u"Кузнецов"_s, u"Лесной"_s};
    static const QStringList given{u"Анна Петровна"_s, u"Олег Сергеевич"_s, u"Елена Викторовна"_s,
                                   u"Игорь Юрьевич"_s, u"Владимир Андреевич"_s};
    return surnames[(m - 1) % 5] + (m > 5 ? QString(QChar(u'а' + (m - 1) / 5 % 26)) + QString::number((m - 1) / 130) : QString())
           + u' ' + given[(m - 1) % 5];
}

// The subject of lesson r of class j in the day.
inline QString subjectOf(int r, int j)
{
    return kSubjects[(r + 2 * j) % kSubjects.size()];
}

// The teacher of subject s in class j.
inline int teacherOf(int s, int j, int teachers)
{
    return (j * 7 + s * 3) % teachers + 1;
}

// Writes the folder.
inline void write(const QString &dir, int classes, int teachers, int changed)
{
    QDir(dir).mkpath(u"r_data"_s);
    QDir(dir).mkpath(u"setka"_s);
    QStringList load{QString()};
    for (int j = 1; j <= classes; ++j)
        load[0] += className(j) + u'|';
    std::vector<std::vector<QStringList>> taught(std::size_t(teachers + 1), std::vector<QStringList>(std::size_t(classes + 1)));
    for (int j = 1; j <= classes; ++j)
        for (int s = 0; s < kSubjects.size(); ++s)
            taught[std::size_t(teacherOf(s, j, teachers))][std::size_t(j)] << kSubjects[s];
    for (int m = 1; m <= teachers; ++m) {
        QString line = teacherName(m) + u'|';
        for (int j = 1; j <= classes; ++j) {
            const QStringList &list = taught[std::size_t(m)][std::size_t(j)];
            line += list.join(u';') + (list.isEmpty() ? QString() : u";"_s) + u'|';
        }
        load << line;
    }
    load << u"~end~"_s;
    QVERIFY(rasp::text::writeLines(dir + u"/nagruz.ini"_s, load));
    rasp::settings::Settings settings;
    settings.lessonRows = kRows;
    QVERIFY(rasp::text::writeLines(dir + u"/setting.ini"_s, rasp::settings::SettingsLines(settings, 0, 0)));

    const auto room = [](int r, int j) { return QString::number(10 + (r * 3 + j) % 40); };
    const auto daySubject = [&](int r, int j) { return j == 0 ? QString() : subjectOf(r, j); };
    const auto dayRoom = [&](int r, int j) { return j == 0 ? QString() : room(r, j); };
    QVERIFY(rasp::text::writeLines(dir + u'/' + rasp::day::DayFilePath(kDate),
                                   rasp::day::DayFileLines(kRows, classes, daySubject, dayRoom, u"Линейка в 8:15"_s)));
    // The template had the next subject of the list at lesson 3 of the changed classes.
    const auto templateSubject = [&](int r, int j) {
        if (j == 0)
            return QString();
        return r == 3 && j <= changed ? kSubjects[(r + 2 * j + 1) % kSubjects.size()] : subjectOf(r, j);
    };
    QVERIFY(rasp::text::writeLines(dir + u'/' + rasp::tmpl::SetkaPath(kDate.dayOfWeek()),
                                   rasp::day::DayFileLines(kRows, classes, templateSubject, dayRoom, QString())));
}

} // namespace printschool

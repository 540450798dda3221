#include "datewords.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace rasp::text {

namespace {

// Index 0 = Monday ... 6 = Sunday: the template weekdays, and the nominative of every weekday.
const std::array<QString, 7> &mondayFirst()
{
    static const std::array<QString, 7> words = {u"Понедельник"_s, u"Вторник"_s, u"Среда"_s, u"Четверг"_s,
                                                 u"Пятница"_s, u"Суббота"_s, u"Воскресенье"_s};
    return words;
}

// Index 0 = Sunday ... 6 = Saturday, accusative.
const std::array<QString, 7> &accusativeSundayFirst()
{
    static const std::array<QString, 7> words = {u"воскресенье"_s, u"понедельник"_s, u"вторник"_s, u"среду"_s,
                                                 u"четверг"_s, u"пятницу"_s, u"субботу"_s};
    return words;
}

} // namespace

int DayOfWeekSundayFirst(QDate date)
{
    return date.dayOfWeek() % 7 + 1; // Qt: Monday 1 ... Sunday 7
}

QString day(QDate date)
{
    if (!date.isValid())
        return {};
    return mondayFirst()[(date.dayOfWeek() + 6) % 7];
}

QString day2(QDate date)
{
    if (!date.isValid())
        return {};
    return accusativeSundayFirst()[DayOfWeekSundayFirst(date) - 1];
}

QString daySet(int num)
{
    return num >= 1 && num <= 7 ? mondayFirst()[num - 1] : QString();
}

QString stMonth(int month)
{
    static const std::array<QString, 12> months = {u"января"_s, u"февраля"_s, u"марта"_s, u"апреля"_s,
                                                   u"мая"_s, u"июня"_s, u"июля"_s, u"августа"_s,
                                                   u"сентября"_s, u"октября"_s, u"ноября"_s, u"декабря"_s};
    return month >= 1 && month <= 12 ? months[month - 1] : QString();
}

QString DataSlov(QDate date)
{
    if (!date.isValid())
        return {};
    return u"%1 %2 %3 года"_s.arg(date.day()).arg(stMonth(date.month())).arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString ShortDate(QDate date)
{
    if (!date.isValid())
        return {};
    return u"%1.%2.%3"_s.arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate ParseShortDate(QStringView text)
{
    if (text.size() != 10 || text[2] != u'.' || text[5] != u'.')
        return {};
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[i] < u'0' || text[i] > u'9')
            return {};
    return QDate(text.sliced(6, 4).toInt(), text.sliced(3, 2).toInt(), text.sliced(0, 2).toInt());
}

QString ShortDateProblem(QStringView text)
{
    if (ParseShortDate(text).isValid())
        return {};
    const QString form = u"Дата должна быть в виде ДД.ММ.ГГГГ: "_s + text.toString();
    if (text.size() != 10 || text[2] != u'.' || text[5] != u'.')
        return form;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[i] < u'0' || text[i] > u'9')
            return form;
    const int day = text.sliced(0, 2).toInt();
    const int month = text.sliced(3, 2).toInt();
    const int year = text.sliced(6, 4).toInt();
    QString why;
    if (year == 0)
        why = u"года 0000 не было"_s;
    else if (month < 1 || month > 12)
        why = u"месяцев в году 12"_s;
    else if (day == 0)
        why = u"дни месяца считаются с 01"_s;
    else {
        const int days = QDate(year, month, 1).daysInMonth();
        why = u"в этом месяце %1 %2"_s.arg(days).arg(days == 31 ? u"день"_s : u"дней"_s);
    }
    return u"Такой даты нет: %1 (%2)"_s.arg(text.toString(), why);
}

} // namespace rasp::text

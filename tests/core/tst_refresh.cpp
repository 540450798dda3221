// The one refresh after a change (rasp::Refresh) against the sequences each gesture ran by hand
// before it existed, and the start-up's data steps (rasp::OpenSchool) shared by the window and
// the command line.
#include "day/blocking.h"
#include "day/counters.h"
#include "day/dayfile.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "dayschool.h"
#include "refresh.h"
#include "schoolopening.h"
#include "state.h"
#include "stateinvariants.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kSubjects = {u"Алгебра|Алгебра|Англ|"_s, u"Химия|Физика|Химия|"_s, u"Физика||Англ|"_s,
                               u"|Алгебра||"_s, u"|||"_s, u"|||"_s};
const QStringList kRooms = {u"12|12|14|"_s, u"14|14||"_s, u"|||"_s, u"|||"_s, u"|||"_s, u"|||"_s};

// Everything the refresh may touch, as comparable text: every lesson cell, the pin list, the
// settled flag.
QStringList fingerprint(const rasp::State &s)
{
    QStringList out;
    for (int j = 1; j <= s.klassvis; ++j)
        for (int i = 1; i <= s.max_ur; ++i) {
            const rasp::day::Cell &c = s.grid.cell(i, j);
            out << u"%1,%2 %3|%4|%5|%6|%7|%8|%9|%10"_s.arg(i)
                       .arg(j)
                       .arg(c.subject, c.room, c.teachers, c.caption)
                       .arg(c.textColour, 0, 16)
                       .arg(c.background, 0, 16)
                       .arg(c.roomColour, 0, 16)
                       .arg(c.style);
        }
    for (const rasp::day::PinEntry &pin : s.pins)
        out << pin.text + (pin.checked ? u" +"_s : u" -"_s);
    out << u"chek_pderm %1"_s.arg(s.chek_pderm);
    return out;
}

using Sequence = std::function<void(rasp::State &, const std::function<bool(const QString &)> &)>;

// The sequences as the gestures ran them before the refresh was one function (the window's
// widget steps left out: they follow the data and change none of it).
const QList<QPair<QString, Sequence>> &todaysSequences()
{
    namespace d = rasp::day;
    static const QList<QPair<QString, Sequence>> sequences = {
        {u"day loaded"_s,
         [](rasp::State &s, const auto &ask) {
             d::PoiskUchit(s, QString());
             d::KabPoisk(s, 1, 0, QString());
             d::CheckDefaultPins(s, s.settings.blocked);
             d::CheckList(s, 0, 1, s.max_ur);
             s.chek_pderm = 1;
             d::VtorayaSmenaBlok(s, 1, ask);
         }},
        {u"day loaded headless"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::KabPoisk(s, 1, 0, QString());
             d::FillPinList(s);
             d::CheckDefaultPins(s, s.settings.blocked);
             d::CheckList(s, 0, 1, s.max_ur);
             s.chek_pderm = 1;
             d::VtorayaSmenaBlok(s, 1, [](const QString &) { return true; });
         }},
        {u"day refilled"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::KabPoisk(s, 1, 0, QString());
             d::CheckDefaultPins(s, s.settings.blocked);
             d::CheckList(s, 0, 1, s.max_ur);
             s.chek_pderm = 1;
         }},
        {u"subject typed"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::CheckList(s, 0, 1, s.max_ur);
         }},
        {u"lessons moved"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::KabPoisk(s, 1, 0, QString());
         }},
        {u"arrangement reverted"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::KabPoisk(s, 1, 0, QString());
             d::CheckList(s, 0, 1, s.max_ur);
         }},
        {u"room changed"_s, [](rasp::State &s, const auto &) { d::KabPoisk(s, 1, 0, QString()); }},
        {u"load changed"_s,
         [](rasp::State &s, const auto &) {
             d::PoiskUchit(s, QString());
             d::CheckDefaultPins(s, s.settings.blocked);
             d::CheckList(s, 0, 1, s.max_ur);
         }},
        {u"default pins changed"_s,
         [](rasp::State &s, const auto &) {
             d::CheckDefaultPins(s, s.settings.blocked);
             d::CheckList(s, 0, 1, s.max_ur);
         }},
    };
    return sequences;
}

} // namespace

class TstRefresh : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_previous;

    // The school of the fixture opened and its day read, refreshed as the editor shows it, then
    // changed behind the refresh's back: a lesson that now coincides, a room now used twice, a
    // pin the user unchecked and one the user checked.
    rasp::State changedDay(const std::function<bool(const QString &)> &ask)
    {
        rasp::State s;
        const rasp::SchoolOpening opening = rasp::OpenSchool(s);
        [&] { QCOMPARE(opening.load.status, rasp::text::ReadResult::Ok); }();
        rasp::day::RaspLoad(s, rasp::day::DayFilePath(QDate::currentDate()), 1);
        rasp::Refresh(s, rasp::refresh::DayLoadedHeadless, {QString(), QString(), ask});
        s.grid.cell(3, 2).subject = u"Физика"_s; // Петров now teaches 5А and 5Б in row 3
        s.grid.cell(3, 3).room = u"12"_s;
        s.grid.cell(3, 1).room = u"12"_s;
        for (rasp::day::PinEntry &pin : s.pins)
            pin.checked = pin.text == u"Англ"_s;
        return s;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), dayschool::kLoad));
        rasp::settings::Settings settings;
        settings.rooms = {u"12"_s, u"14"_s};
        settings.blocked = {u"Химия"_s};
        // Two first-shift classes and two first-shift rows: the split is in force.
        QVERIFY(rasp::text::writeLines(rasp::settings::SettingsPath(), rasp::settings::SettingsLines(settings, 2, 2)));
        dayschool::writeToday(kSubjects, kRooms, {u"~end~"_s});
    }

    void cleanupTestCase() { QDir::setCurrent(m_previous); }

    void eachGestureRunsTheSequenceItRanBefore_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<uint>("parts");
        namespace r = rasp::refresh;
        const uint parts[] = {r::DayLoaded, r::DayLoadedHeadless, r::DayRefilled,
                              r::SubjectTyped, r::LessonsMoved, r::ArrangementReverted,
                              r::RoomChanged, r::LoadChanged, r::DefaultPinsChanged};
        const auto &sequences = todaysSequences();
        QCOMPARE(int(std::size(parts)), sequences.size());
        for (int n = 0; n < sequences.size(); ++n)
            QTest::newRow(qPrintable(sequences.at(n).first)) << n << parts[n];
    }

    void eachGestureRunsTheSequenceItRanBefore()
    {
        QFETCH(int, sequence);
        QFETCH(uint, parts);
        for (const bool answer : {true, false}) {
            QStringList askedBefore, askedNow;
            rasp::State before = changedDay({});
            const QStringList unrefreshed = fingerprint(before);
            todaysSequences().at(sequence).second(before, [&](const QString &q) {
                askedBefore << q;
                return answer;
            });
            rasp::State now = changedDay({});
            // The command line asks nobody: it gives no question hook, and a pin stays pinned.
            const bool headless = parts & rasp::RefreshPinList;
            rasp::Refresh(now, parts, {QString(), QString(), headless ? std::function<bool(const QString &)>() : [&](const QString &q) {
                                           askedNow << q;
                                           return answer;
                                       }});
            QCOMPARE(fingerprint(now), fingerprint(before));
            QCOMPARE(askedNow, askedBefore);
            QVERIFY2(fingerprint(now) != unrefreshed, "the fixture's changes must show in every gesture's refresh");
        }
    }

    void partsRunInTheirOwnOrder()
    {
        // Pins before teachers in the bits still pins with the new teachers' colours.
        rasp::State a = changedDay({});
        rasp::State b = changedDay({});
        rasp::Refresh(a, rasp::RefreshPins | rasp::RefreshTeachers);
        rasp::Refresh(b, rasp::RefreshTeachers);
        rasp::Refresh(b, rasp::RefreshPins);
        QCOMPARE(fingerprint(a), fingerprint(b));
    }

    void openingReportsWhatItReadAndLeavesDefaultsForAbsentFiles()
    {
        rasp::State s;
        const rasp::SchoolOpening opening = rasp::OpenSchool(s);
        QCOMPARE(opening.settings, rasp::text::ReadResult::Ok);
        QCOMPARE(opening.load.status, rasp::text::ReadResult::Ok);
        QCOMPARE(s.klassvis, 4);
        QCOMPARE(s.Klass.at(4), u"7А"_s);
        QCOMPARE(s.settings.blocked, QStringList{u"Химия"_s});
        QCOMPARE(QPoint(s.vt_sm_x, s.vt_sm_y), QPoint(2, 2));
        QVERIFY(s.colorr[1] != 0); // the palette
        QCOMPARE(rasp::CheckInvariants(s), QStringList());

        QTemporaryDir empty;
        QDir::setCurrent(empty.path());
        rasp::State fresh;
        const rasp::SchoolOpening none = rasp::OpenSchool(fresh);
        QDir::setCurrent(m_dir.path());
        QCOMPARE(none.settings, rasp::text::ReadResult::NoFile);
        QCOMPARE(none.load.status, rasp::text::ReadResult::NoFile);
        QCOMPARE(fresh.klassvis, 0);
        QCOMPARE(fresh.max_ur, 6);
        QCOMPARE(rasp::CheckInvariants(fresh), QStringList());
        QCOMPARE(rasp::CheckInvariants(rasp::State()), QStringList());
    }

    void theInvariantCheckNamesEachFactThatDisagrees()
    {
        rasp::State s;
        rasp::OpenSchool(s);
        s.Klass.pop_back(); // a class name lost
        s.max_ur += 1;      // rows that the grid never got
        const QStringList problems = rasp::CheckInvariants(s);
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems.at(0).startsWith(u"class names are klassvis_mas (4 vs 5)"_s));
        QVERIFY(problems.at(1).startsWith(u"grid rows are max_ur (6 vs 7)"_s));
    }
};

QTEST_GUILESS_MAIN(TstRefresh)
#include "tst_refresh.moc"

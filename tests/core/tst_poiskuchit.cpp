// Teacher resolution and highlighting: teacher lists, colours and the four modes, checked on
// the cases that matter and against a plain pass-by-pass model on random schools.
#include "day/celladdress.h"
#include "day/poiskuchit.h"
#include "load/nagruzfile.h"
#include "state.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::day::Regim;

Q_DECLARE_METATYPE(Regim)

namespace {

// A school from load-file lines and grid rows ("Алг|Физ|" gives the subjects of one row).
rasp::State school(const QStringList &load, const QStringList &rows, int maxUr = 6)
{
    rasp::State s;
    s.max_ur = maxUr;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    rasp::load::NagruzReport report;
    rasp::load::NagruzLoadLines(s, load + QStringList{u"~end~"_s}, 1, report);
    for (int i = 1; i <= rows.size(); ++i) {
        const QStringList subjects = rows.at(i - 1).split(u'|');
        for (int j = 1; j <= s.klassvis && j <= subjects.size(); ++j)
            s.grid.cell(i, j).subject = subjects.at(j - 1);
    }
    return s;
}

// One row as "teachers#colour|..." where colour is "n" for black on white, else the palette number.
QString describeRow(const rasp::State &s, int i)
{
    QStringList cells;
    for (int j = 1; j <= s.klassvis; ++j) {
        const rasp::day::Cell &c = s.grid.cell(i, j);
        QString colour;
        if (c.textColour == rasp::day::kBlack && c.background == rasp::day::kWhite)
            colour = u"n"_s;
        else
            for (int n = 1; n <= 18; ++n)
                if (c.textColour == rasp::day::kWhite && c.background == s.colorr[n])
                    colour = QString::number(n);
        cells << c.teachers + u'#' + (colour.isEmpty() ? u"?"_s : colour);
    }
    return cells.join(u'|');
}

// The resolution as stated rule by rule, four separate sweeps and linear searches.
void referencePoiskUchit(rasp::State &s, const QString &uchitel, const QString &focusHint)
{
    auto &g = s.grid;
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j) {
            g.cell(i, j).textColour = rasp::day::kBlack;
            g.cell(i, j).background = rasp::day::kWhite;
            g.cell(i, j).teachers.clear();
        }
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j) {
            auto &c = g.cell(i, j);
            if (c.subject.isEmpty())
                continue;
            int k = 0;
            while (k < s.RaspUrPredm.Count && s.RaspUrPredm.predmet[k] != c.subject)
                ++k;
            if (k == s.RaspUrPredm.Count)
                continue;
            QString rest = s.RaspUrPredm.uchitel[k];
            while (!rest.isEmpty()) {
                const QString name = rest.left(rest.indexOf(u','));
                rest = rest.mid(rest.indexOf(u',') + 1);
                for (int m = 1; m <= s.pedvis; ++m) {
                    if (s.PedFio[m].name != name)
                        continue;
                    for (const QString &line : s.Predmet[m][j])
                        if (line == c.subject) {
                            if (s.regim != Regim::None) {
                                c.textColour = rasp::day::kWhite;
                                c.background = s.colorr[s.PedFio[m].colour];
                            }
                            c.teachers = c.teachers.isEmpty() ? name : c.teachers + u", "_s + name;
                            break;
                        }
                    break;
                }
            }
        }
    auto split = [](const QString &l, QString &a, QString &b) {
        if (l.contains(u", "_s)) {
            a = l.left(l.indexOf(u','));
            b = l.mid(l.indexOf(u',') + 2);
        } else {
            a.clear();
            b = l;
        }
    };
    if (s.regim == Regim::Coincidences)
        for (int i = 1; i <= s.max_ur; ++i)
            for (int j = 1; j <= s.klassvis; ++j) {
                auto &c = g.cell(i, j);
                if (c.subject.isEmpty())
                    continue;
                QString a, b;
                split(c.teachers, a, b);
                bool found = false;
                for (int k = 1; k <= s.klassvis && !found; ++k)
                    if (k != j)
                        found = (!a.isEmpty() && g.cell(i, k).teachers.contains(a))
                                || (!b.isEmpty() && g.cell(i, k).teachers.contains(b));
                if (!found) {
                    c.textColour = rasp::day::kBlack;
                    c.background = rasp::day::kWhite;
                }
            }
    if (s.regim == Regim::Selected) {
        QString sel = uchitel;
        int r = 0, col = 0;
        if (sel.isEmpty() && rasp::day::ParseCellHint(focusHint, &r, &col))
            sel = g.cell(r, col).teachers;
        for (int i = 1; i <= s.max_ur; ++i)
            for (int j = 1; j <= s.klassvis; ++j) {
                auto &c = g.cell(i, j);
                QString a, b;
                split(c.teachers, a, b);
                if (!((!a.isEmpty() && sel.contains(a)) || (!b.isEmpty() && sel.contains(b)))) {
                    c.textColour = rasp::day::kBlack;
                    c.background = rasp::day::kWhite;
                }
            }
    }
}

} // namespace

class TstPoiskUchit : public QObject
{
    Q_OBJECT

private slots:
    void resolution_data()
    {
        QTest::addColumn<QStringList>("load");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<Regim>("mode");
        QTest::addColumn<QString>("uchitel");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("expected"); // rows 1.. as describeRow gives them

        // Teacher m has colour number m + 1: row 0 took the first number.
        const QStringList algebra{u"5А|5Б|6А|"_s, u"A|Алг;|Алг;||"_s, u"B|||Физ;|"_s};
        QTest::newRow("letter case or a trailing blank finds no teacher")
            << algebra << QStringList{u"алг|Алг |Физ"_s} << Regim::Each << QString() << QString()
            << QStringList{u"#n|#n|B#3"_s};
        QTest::newRow("two teachers of one class: both listed, colour of the last")
            << QStringList{u"5А|"_s, u"A|Ин;|"_s, u"B|Ин;|"_s} << QStringList{u"Ин"_s} << Regim::Each << QString()
            << QString() << QStringList{u"A, B#3"_s};
        QTest::newRow("duplicated name: only the first teacher is tried")
            << QStringList{u"5А|5Б|"_s, u"X|Алг;||"_s, u"X||Алг;|"_s} << QStringList{u"Алг|Алг"_s} << Regim::Each
            << QString() << QString() << QStringList{u"X#2|#n"_s};
        QTest::newRow("coincidences: a teacher twice in a row stays coloured")
            << algebra << QStringList{u"Алг|Алг|Физ"_s, u"Алг|Хим|"_s} << Regim::Coincidences << QString() << QString()
            << QStringList{u"A#2|A#2|B#n"_s, u"A#n|#n|#n"_s};
        QTest::newRow("coincidences: A, B against B")
            << QStringList{u"5А|5Б|"_s, u"A|Ин;||"_s, u"B|Ин;|Физ;|"_s} << QStringList{u"Ин|Физ"_s}
            << Regim::Coincidences << QString() << QString() << QStringList{u"A, B#3|B#3"_s};
        QTest::newRow("coincidences search substrings of the lists")
            << QStringList{u"5А|5Б|"_s, u"Петров|Хим;||"_s, u"Иван Петров||Хим;|"_s} << QStringList{u"Хим|Хим"_s}
            << Regim::Coincidences << QString() << QString() << QStringList{u"Петров#2|Иван Петров#n"_s};
        QTest::newRow("selected teacher given")
            << algebra << QStringList{u"Алг|Алг|Физ"_s, u"|Алг|"_s} << Regim::Selected << u"A"_s << QString()
            << QStringList{u"A#2|A#2|B#n"_s, u"#n|A#2|#n"_s};
        QTest::newRow("selected teacher from the focused cell")
            << algebra << QStringList{u"Алг|Алг|Физ"_s} << Regim::Selected << QString() << u"1;3"_s
            << QStringList{u"A#n|A#n|B#3"_s};
        QTest::newRow("selection from a cell without teacher: all neutral")
            << algebra << QStringList{u"Хим|Алг|Физ"_s} << Regim::Selected << QString() << u"1;1"_s
            << QStringList{u"#n|A#n|B#n"_s};
        QTest::newRow("focused control without an address: all neutral")
            << algebra << QStringList{u"Алг|Алг|Физ"_s} << Regim::Selected << QString() << u"B"_s
            << QStringList{u"A#n|A#n|B#n"_s};
        QTest::newRow("no colouring still computes the lists")
            << algebra << QStringList{u"Алг|Алг|Физ"_s} << Regim::None << QString() << QString()
            << QStringList{u"A#n|A#n|B#n"_s};
    }
    void resolution()
    {
        QFETCH(QStringList, load);
        QFETCH(QStringList, rows);
        QFETCH(Regim, mode);
        QFETCH(QString, uchitel);
        QFETCH(QString, focus);
        QFETCH(QStringList, expected);
        rasp::State s = school(load, rows);
        s.regim = mode;
        // Stale lists and colours from an earlier call must not survive.
        s.grid.cell(1, 1).teachers = u"старый"_s;
        s.grid.cell(2, 2).background = s.colorr[5];
        rasp::day::PoiskUchit(s, uchitel, focus);
        for (int i = 1; i <= expected.size(); ++i)
            QCOMPARE(describeRow(s, i), expected.at(i - 1));
        for (int i = expected.size() + 1; i <= s.max_ur; ++i)
            QCOMPARE(describeRow(s, i), QStringList(s.klassvis, u"#n"_s).join(u'|'));
    }

    void sameResultsAsThePlainPassesOnRandomSchools()
    {
        // Short names over a tiny alphabet make names that contain one another, so the
        // substring rules are exercised; blanks and empty names take part too.
        QRandomGenerator rng(20261210);
        const QStringList letters{u"А"_s, u"Б"_s, u" "_s, u"АБ"_s};
        for (int round = 0; round < 300; ++round) {
            const int classes = 1 + int(rng.bounded(6));
            const int teachers = 1 + int(rng.bounded(8));
            const QStringList subjects{u"Алг"_s, u"Физ"_s, u"Хим"_s, u"алг"_s, u"Ин"_s};
            QStringList load{QString()};
            for (int j = 1; j <= classes; ++j)
                load[0] += u"К%1|"_s.arg(j);
            for (int m = 1; m <= teachers; ++m) {
                QString name;
                for (int n = int(rng.bounded(3)); n > 0; --n)
                    name += letters.at(rng.bounded(letters.size()));
                QString line = name + u'|';
                for (int j = 1; j <= classes; ++j) {
                    for (int n = int(rng.bounded(3)); n > 0; --n)
                        line += subjects.at(rng.bounded(subjects.size())) + u';';
                    line += u'|';
                }
                load << line;
            }
            QStringList rows;
            for (int i = 1; i <= 6; ++i) {
                QStringList row;
                for (int j = 1; j <= classes; ++j)
                    row << (rng.bounded(5) == 0 ? QString() : subjects.at(rng.bounded(subjects.size())));
                rows << row.join(u'|');
            }
            const Regim mode = Regim(rng.bounded(4));
            rasp::State fast = school(load, rows);
            rasp::State plain = school(load, rows);
            fast.regim = plain.regim = mode;
            const QString focus = rasp::day::CellHint(1 + int(rng.bounded(6)), 1 + int(rng.bounded(classes)));
            // A first call fills the lists that the selection of the second call is taken from.
            rasp::day::PoiskUchit(fast, QString(), focus);
            referencePoiskUchit(plain, QString(), focus);
            const QString selection = rng.bounded(2) ? QString() : plain.grid.cell(1, 1).teachers;
            rasp::day::PoiskUchit(fast, selection, focus);
            referencePoiskUchit(plain, selection, focus);
            for (int i = 1; i <= 6; ++i)
                QCOMPARE(describeRow(fast, i), describeRow(plain, i));
        }
    }
};

QTEST_GUILESS_MAIN(TstPoiskUchit)
#include "tst_poiskuchit.moc"

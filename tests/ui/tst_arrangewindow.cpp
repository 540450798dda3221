// The automatic arrangement through the window's own buttons: a run to the end, a run stopped
// by "Стоп", by closing the window or by leaving the page, the tool lock while it runs, undo,
// and the refusals (empty day, declined questions).
#include "answerer.h"
#include "arrange/arrangement.h"
#include "day/dayfile.h"
#include "dayschool.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "arrange/arrangecontroller.h"
#include "tform1.h"
#include "day/dayfilecontroller.h"
#include "undo/undocontroller.h"
#include "day/daygridview.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Химия is pinned by default. Иванова has Алгебра in 5А and 5Б at lesson 1; a solution exists
// (5Б: Лепка, Алгебра), Лепка has no teacher.
const QStringList kSolvable = {
    u"Алгебра|Алгебра|Англ|Лепка|"_s,
    u"Физика|Лепка|Химия||"_s,
    u"Химия||||"_s,
    u"||||"_s,
    u"||||"_s,
    u"||||"_s,
};

// Борисова's two pinned Химия lessons at lesson 1 clash and can never move.
const QStringList kUnsolvable = {
    u"Химия|Алгебра|Химия|Лепка|"_s,
    u"Алгебра|Физика|Англ||"_s,
    u"Физика||||"_s,
    u"||||"_s,
    u"||||"_s,
    u"||||"_s,
};

const QStringList kArranged = {
    u"Алгебра|Лепка|Англ|Лепка|"_s,
    u"Физика|Алгебра|Химия||"_s,
    u"Химия||||"_s,
    u"||||"_s,
    u"||||"_s,
    u"||||"_s,
};

} // namespace

class TstArrangeWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    // Writes today's day and opens the window on it.
    void open(const QStringList &subjects)
    {
        QStringList day;
        for (const QString &row : subjects)
            day << u"|"_s + row;
        for (int i = 0; i < 6; ++i)
            day << (i == 0 ? u"12|14|21||"_s : u"||||"_s);
        day << u"~end~"_s;
        QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(QDate::currentDate()), day));
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->widgets().sPanel8->show();
        m_form->arrange().setSeed(4); // repeatable runs
    }

    QStringList subjects() const
    {
        QStringList rows;
        for (int i = 1; i <= 6; ++i) {
            QStringList row;
            for (int j = 1; j <= 4; ++j)
                row << m_form->state().grid.cell(i, j).subject;
            rows << row.join(u'|') + u'|';
        }
        return rows;
    }

    // Whether a tool of the panel is enabled by itself (a notice disables the whole page meanwhile).
    bool on(const QWidget *w) const { return w->isEnabledTo(m_form->widgets().sPanel8); }

    // Whether the tool lock is in its running state.
    bool lockedForRun() const
    {
        TForm1 &f = *m_form;
        return !on(f.arrange().startButton()) && on(f.arrange().stopButton()) && !on(f.arrange().revertButton()) && !on(f.arrange().firstGapsBox()) && !on(f.arrange().maxLessonsBox())
               && !on(f.widgets().sCheckListBox1) && !on(f.widgets().sGroupBox1) && !on(f.widgets().sGroupBox4);
    }

    // Whether the tool lock is idle with undo available.
    bool idleWithUndo() const
    {
        TForm1 &f = *m_form;
        return on(f.arrange().startButton()) && !on(f.arrange().stopButton()) && on(f.arrange().revertButton()) && on(f.arrange().firstGapsBox()) && on(f.arrange().maxLessonsBox())
               && on(f.widgets().sCheckListBox1) && on(f.widgets().sGroupBox1) && on(f.widgets().sGroupBox4);
    }

private slots:
    // Closing the window in a test must not end the application's event loop.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        dayschool::writeLoadAndSettings({u"12"_s, u"14"_s, u"21"_s});
        QDir().mkpath(u"r_data"_s);
    }
    void cleanup() { m_form.reset(); }

    void aRunEndsWhenNoClashIsLeftAndUndoPutsTheDayBack()
    {
        open(kSolvable);
        TForm1 &f = *m_form;
        QVERIFY(f.state().grid.cell(3, 1).locked());
        QVERIFY(!f.arrange().revertButton()->isEnabled());
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
            QCOMPARE(yes.asked, QStringList{u"Все изменения будут удалены\r\nПродолжить?"_s});
        }
        QCOMPARE(f.widgets().noticeText, u"Готово!"_s);
        QCOMPARE(subjects(), kArranged);
        // No coincidence is left to highlight; the pinned lessons stay pinned where they were.
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(f.state().grid.cell(i, j).background, rasp::day::kWhite);
        QVERIFY(f.state().grid.cell(3, 1).locked() && f.state().grid.cell(2, 3).locked());
        QCOMPARE(f.state().grid.cell(2, 2).teachers, u"Иванова"_s);
        QVERIFY(idleWithUndo());
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
            QCOMPARE(yes.asked, QStringList{u"Вернуть предыдущее состояние расписания?"_s});
        }
        QCOMPARE(f.widgets().noticeText, u"Готово"_s);
        QCOMPARE(subjects(), kSolvable);
        QCOMPARE(f.state().grid.cell(1, 1).room, u"12"_s);
        QVERIFY(f.state().grid.cell(3, 1).locked());
        QVERIFY(f.state().grid.cell(1, 1).background != rasp::day::kWhite); // the clash shows again
        // Undo twice in a row is impossible; "Стоп" is off too.
        QVERIFY(!on(f.arrange().revertButton()));
        QVERIFY(!on(f.arrange().stopButton()));
        QVERIFY(on(f.arrange().startButton()));
    }

    void aRunIsEndedByStopByClosingOrByLeavingThePage_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Стоп") << u"stop"_s;
        QTest::newRow("closing the window") << u"close"_s;
        QTest::newRow("the load page") << u"page"_s;
    }
    void aRunIsEndedByStopByClosingOrByLeavingThePage()
    {
        QFETCH(QString, how);
        open(kUnsolvable);
        TForm1 &f = *m_form;
        QVERIFY(f.state().grid.cell(1, 1).locked() && f.state().grid.cell(1, 3).locked());
        bool lockedWhileRunning = false;
        qint64 cyclesSeen = 0;
        Answerer yes(f, {Answerer::Yes, Answerer::Yes});
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (!f.arrange().randomRun() || f.arrange().randomRun()->cycles() < 5 || f.widgets().Rct_soobDlg->isVisible())
                return;
            stopper.stop();
            cyclesSeen = f.arrange().randomRun()->cycles();
            lockedWhileRunning = lockedForRun();
            if (how == u"stop"_s)
                QTest::mouseClick(f.arrange().stopButton(), Qt::LeftButton);
            else if (how == u"close"_s)
                f.close();
            else
                QTest::mouseClick(f.widgets().SpeedB2, Qt::LeftButton);
        });
        stopper.start(1);
        QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
        QVERIFY(cyclesSeen >= 5);
        QVERIFY(lockedWhileRunning);
        QCOMPARE(f.state().RecExit, 1);
        QVERIFY(!f.arrange().randomRun());
        // Only "Стоп" itself points to the exact arrangement.
        QCOMPARE(f.widgets().noticeText, u"Сделайте несколько перестановок вручную и повторите автоподбор еще раз"_s
                                             + (how == u"stop"_s ? u" или нажмите «Точный подбор»"_s : QString()));
        QVERIFY(idleWithUndo());
        if (how == u"close"_s) {
            QVERIFY(!f.isVisible());
            return;
        }
        if (how == u"page"_s) {
            QVERIFY(f.widgets().SpeedB2->hasActiveLook());
            return;
        }
        // The grid stays as the last cycle showed it; the two pinned lessons never moved.
        const rasp::arrange::TPodbor &p = f.state().sost_rasp;
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(f.state().grid.cell(i, j).subject, p.itog_ur[i][j]);
        QVERIFY(f.state().grid.cell(1, 1).locked() && f.state().grid.cell(1, 3).locked());
        QCOMPARE(f.state().grid.cell(1, 1).subject, u"Химия"_s);
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
        QCOMPARE(subjects(), kUnsolvable);
        QCOMPARE(f.widgets().noticeText, u"Готово"_s);
    }

    void theExactArrangementMovesTheFewestLessonsFramesThemAndCanBeUndone()
    {
        open(kSolvable);
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().exactButton(), Qt::LeftButton);
            QCOMPARE(yes.asked, QStringList{u"Все изменения будут удалены\r\nПродолжить?"_s});
            // Its end arrives through the event loop: until then the tool lock holds and the
            // progress line shows.
            QVERIFY(lockedForRun());
            QVERIFY(!on(f.arrange().exactButton()));
            QVERIFY(f.arrange().progressLine()->isVisible());
            QVERIFY(f.arrange().progressLine()->text().startsWith(u"Точный подбор: "_s));
            QTRY_VERIFY_WITH_TIMEOUT(!f.widgets().noticeText.isEmpty(), 20000);
        }
        QCOMPARE(f.widgets().noticeText, u"Готово! Перемещено уроков: 2 (наименьшее возможное)"_s);
        QCOMPARE(subjects(), kArranged);
        QVERIFY(!f.arrange().progressLine()->isVisible());
        QCOMPARE(f.state().grid.cell(2, 2).teachers, u"Иванова"_s);
        QCOMPARE(f.state().grid.cell(2, 2).room, u"14"_s); // the room went with Алгебра
        QVERIFY(f.state().grid.cell(3, 1).locked() && f.state().grid.cell(2, 3).locked());
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(f.state().grid.cell(i, j).background, rasp::day::kWhite);
        const std::vector<std::pair<int, int>> moved{{2, 2}, {1, 2}}; // (row, column) where they went
        QCOMPARE(f.widgets().grid->movedMarks(), moved);
        QVERIFY(idleWithUndo());
        QVERIFY(on(f.arrange().exactButton()));
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        // Saving ends the marks.
        f.RaspSave(rasp::day::DayFilePath(QDate::currentDate()), u"сохранено"_s);
        QVERIFY(f.widgets().grid->movedMarks().empty());
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        // "Венуть предыдущий вариант" returns to the day before the exact arrangement.
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
        }
        QCOMPARE(subjects(), kSolvable);
        QCOMPARE(f.widgets().noticeText, u"Готово"_s);
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        // Both are steps of the history: undoing the return shows the arranged day again, and
        // undoing the exact run itself goes back to the day it started from.
        f.undo().undoAction()->trigger();
        QCOMPARE(subjects(), kArranged);
        QCOMPARE(f.undo().undoAction()->text(), u"Отменить: точный подбор"_s);
        f.undo().undoAction()->trigger();
        QCOMPARE(subjects(), kSolvable);
        f.undo().redoAction()->trigger();
        QCOMPARE(subjects(), kArranged);
    }

    void theExactArrangementIsCancelledByStopOrExplainsAnImpossibleDay()
    {
        open(kSolvable);
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().exactButton(), Qt::LeftButton);
            QVERIFY(on(f.arrange().stopButton()));
            QTest::mouseClick(f.arrange().stopButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!f.widgets().noticeText.isEmpty(), 20000);
        }
        // Stopped before its first day the grid stays; stopped after it, the best day is shown.
        if (f.widgets().noticeText == u"Точный подбор остановлен, расписание не изменено"_s) {
            QCOMPARE(subjects(), kSolvable);
            QVERIFY(f.widgets().grid->movedMarks().empty());
        } else {
            QVERIFY2(f.widgets().noticeText.startsWith(u"Точный подбор остановлен. Перемещено уроков: "_s), qPrintable(f.widgets().noticeText));
            QVERIFY(!f.widgets().grid->movedMarks().empty());
        }
        QVERIFY(idleWithUndo());
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        open(kUnsolvable);
        TForm1 &g = *m_form;
        {
            Answerer yes(g, {Answerer::Yes});
            QTest::mouseClick(g.arrange().exactButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!g.widgets().noticeText.isEmpty(), 20000);
        }
        QCOMPARE(g.widgets().noticeText,
                 u"Расписания без совпадений нет. Закреплённые уроки совпадают: Борисова в ряду 1 у классов 5А и 6А"_s);
        QCOMPARE(subjects(), kUnsolvable);
        QVERIFY(idleWithUndo());
    }

    void anArrangedDayEndsAtOnceAndCanStillBeUndone()
    {
        open(kArranged);
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
        }
        QCOMPARE(f.widgets().noticeText, u"Готово!"_s);
        QCOMPARE(subjects(), kArranged);
        QVERIFY(idleWithUndo());
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
        }
        QCOMPARE(f.widgets().noticeText, u"Готово"_s);
        QCOMPARE(subjects(), kArranged);
    }

    void refusalsChangeNothing()
    {
        open(kSolvable);
        TForm1 &f = *m_form;
        // The question declined: nothing runs, nothing is locked.
        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
            QCOMPARE(no.asked.size(), 1);
        }
        QCOMPARE(subjects(), kSolvable);
        QVERIFY(f.arrange().startButton()->isEnabled());
        QVERIFY(!f.arrange().revertButton()->isEnabled());
        QVERIFY(f.widgets().noticeText.isEmpty());

        // Run, then decline the undo question: the arranged day stays.
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
        }
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
            QCOMPARE(no.asked.size(), 1);
        }
        QCOMPARE(subjects(), kArranged);
        QVERIFY(on(f.arrange().revertButton()));

        // Another class in a column since the run: undo would put lessons into the wrong class.
        const QString name = f.state().grid.cell(0, 2).subject;
        f.fixtureState().grid.cell(0, 2).subject = u"8В"_s;
        {
            Answerer none(f);
            QTest::mouseClick(f.arrange().revertButton(), Qt::LeftButton);
            QVERIFY(none.asked.isEmpty());
        }
        QCOMPARE(f.widgets().noticeText, u"Предыдущий вариант составлен для других классов или другого числа уроков, вернуть его нельзя"_s);
        QCOMPARE(subjects(), kArranged);
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        f.fixtureState().grid.cell(0, 2).subject = name;

        // An empty day: a notice, no question.
        f.dayFile().clearDay();
        {
            Answerer none(f);
            QTest::mouseClick(f.arrange().startButton(), Qt::LeftButton);
            QVERIFY(none.asked.isEmpty());
        }
        QCOMPARE(f.widgets().noticeText, u"Заполните расписание"_s);
        QVERIFY(on(f.arrange().startButton()));
    }
};

QTEST_MAIN(TstArrangeWindow)
#include "tst_arrangewindow.moc"

#pragma once

#include "shell/controller.h"

#include "day/gridsnapshot.h"
#include "edit/editfunnel.h"
#include "rng.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QTimer;
class QToolButton;
class QWidget;

namespace rasp::arrange {
class Arrangement;
struct Options;
struct TPodbor;
} // namespace rasp::arrange

namespace rasp::day {
struct LimitList;
}

namespace rasp::ui {

class ExactRun;

// The automatic arrangement of the group "Автоподбор": "Старт" (the randomised run, stepped in
// the window's loop with one processing of events per cycle), "Точный подбор" (the exact run on
// a worker thread), "Стоп" and "Венуть предыдущий вариант", with the two limit lists and the
// exact run's progress line. Both runs start and finish on one path: the preconditions and the
// question, the tools locked, the snapshot for undo; at the end the result on the grid through
// the edit funnel, one history step, the tools released and the notice.
class ArrangeController : public Controller
{
    Q_OBJECT
public:
    // Builds the run buttons, the limit lists and the progress line inside `group`.
    ArrangeController(const Shell &shell, QWidget *group, QObject *parent);
    ~ArrangeController() override;

    // arrangementRunning: a run is going ("Старт" disabled, or its loop not yet left).
    bool running() const;
    // arrangeOptions: the limit lists' values and the grid's size.
    arrange::Options options() const;

    // sSpeedButton4Click: the randomised run, to its end or until it is stopped.
    void startRandom();
    // exactButtonClick: the exact run on a worker thread; it finishes in finishExact.
    void startExact();
    // sSpeedButton6Click: the randomised run ends after its cycle; the exact one is cancelled.
    void stop();
    // sSpeedButton7Click: the grid as it was before the last run, after a question.
    void revert();
    // FormCloseQuery: the window closes; any run ends.
    void stopForClose();

    // EnabledKomponent: "Стоп", the revert, "Точный подбор" and the limit lists follow running().
    void showRunState();
    // Start-up: no previous variant to go back to.
    void disableRevert();
    // MaxUrVsego / MaxRepUr: the limit lists, without reporting a user's choice.
    void showMaxLessons(const day::LimitList &list);
    void showFirstGaps(const day::LimitList &list);
    // MaxUrVsego / MaxRepUr: the lists refilled from how full the classes are and the chosen maximum.
    void refillMaxLessons();
    void refillFirstGaps();
    // The chosen "максимум уроков" and "отсутствие первых уроков".
    int maxLessons() const;
    int firstGaps() const;

    // A fixed seed for the randomised runs (tests, benchmarks); the clock when empty.
    void setSeed(std::optional<quint64> seed) { m_seed = seed; }
    // The exact run's time limit.
    void setExactTimeLimit(qint64 ms) { m_exactLimitMs = ms; }

    // The parts the window tests look at.
    const arrange::Arrangement *randomRun() const { return m_run.get(); }
    QToolButton *startButton() const { return m_start; }      // Img_SB4
    QToolButton *stopButton() const { return m_stop; }        // img_SB6
    QToolButton *revertButton() const { return m_revert; }    // img_SB7
    QToolButton *exactButton() const { return m_exact; }      // exactButton
    QLabel *progressLine() const { return m_progress; }       // exactProgress
    QComboBox *maxLessonsBox() const { return m_maxLessons; } // sComboBox2
    QComboBox *firstGapsBox() const { return m_firstGaps; }   // sComboBox1

signals:
    // A run starts: the lists anchored to a cell close and the moved-lesson frames go.
    void runStarting();
    // "Старт" was enabled or disabled: the window's tools and the undo actions follow running().
    void runStateChanged();
    // The grid shows the coincidences ("только совпадения").
    void coincidencesWanted();
    // The lessons the last run moved (row, column), framed on the grid until the next edit.
    void movedLessons(std::vector<std::pair<int, int>> cells);
    // The user chose a value of "максимум уроков".
    void maxLessonsChosen();

private:
    // How a run ends: the refresh part, the exact result to put on the grid, the step's text
    // (none: no step), the moved lessons and the notice.
    struct Finish {
        RefreshParts parts = 0;
        const arrange::TPodbor *result = nullptr;
        QString step;
        std::vector<std::pair<int, int>> moved;
        QString notice;
    };

    // Whether a run may start: none runs, the day is filled and fits, the user agrees.
    bool mayStart();
    // The common start: preconditions, lists closed, snapshot for undo, tools locked, the
    // arrangement's snapshot taken. False when nothing starts.
    bool beginRun();
    // The common finish of both runs.
    void finishRun(Finish finish);
    // "Старт" disabled (a run goes) or enabled; the window follows.
    void setRunning(bool on);
    // exactRunFinished: the exact run ended; its day, reason or refusal is shown.
    void finishExact();
    // showExactProgress: elapsed time, best count and bound in the progress line.
    void showExactProgress();
    // gridIsSnapshot: the grid still shows the day the snapshot was taken of.
    bool gridIsSnapshot() const;

    QToolButton *m_start = nullptr;
    QToolButton *m_stop = nullptr;
    QToolButton *m_revert = nullptr;
    QToolButton *m_exact = nullptr;
    QComboBox *m_maxLessons = nullptr;
    QComboBox *m_firstGaps = nullptr;
    QLabel *m_progress = nullptr;
    QTimer *m_progressTimer = nullptr; // refreshes the progress line while the exact run goes

    Rng m_rng{Rng::clockSeed()};                 // the runs' random generator, seeded from the clock
    std::optional<quint64> m_seed;               // a fixed seed for the runs; the clock when empty
    std::unique_ptr<arrange::Arrangement> m_run; // the randomised run in progress, if any
    ExactRun *m_exactRun = nullptr;              // the exact run in progress, if any
    qint64 m_exactLimitMs = 60000;               // the exact run's time limit
    bool m_stoppedByUser = false;                // "Стоп" ended the randomised run
    day::GridSnapshot m_before;                  // the grid before the run, for its undo step
    bool m_onDayPage = false;                    // the page the run was started on
    bool m_onTemplatePage = false;
};

} // namespace rasp::ui

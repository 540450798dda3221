#include "arrange/arrangecontroller.h"

#include "arrange/arrangement.h"
#include "arrange/arrangetexts.h"
#include "arrange/exact/exactsolver.h"
#include "arrange/exactrun.h"
#include "day/counters.h"
#include "state.h"
#include "undo/editcommands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

namespace ar = rasp::arrange;
namespace ex = rasp::arrange::exact;
namespace texts = arrangetexts;

QToolButton *makePicture(QWidget *parent, const QString &name, const QString &icon, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(u":/img/"_s + icon + u".svg"_s));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(34, 34);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}

// Puts a limit list into its box without the box reporting a user's choice.
void showLimitList(QComboBox *box, const day::LimitList &list)
{
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(list.items);
    box->setCurrentIndex(list.selected);
}

} // namespace

ArrangeController::ArrangeController(const Shell &shell, QWidget *group, QObject *parent)
    : Controller(shell, parent)
{
    m_start = makePicture(group, u"Img_SB4"_s, u"start"_s, texts::kStart.toString());
    m_stop = makePicture(group, u"img_SB6"_s, u"stop"_s, texts::kStop.toString());
    m_revert = makePicture(group, u"img_SB7"_s, u"undo"_s, texts::kRevert.toString());
    m_exact = makePicture(group, u"exactButton"_s, u"exact"_s, texts::kExact.toString());
    m_start->move(10, 22);
    m_stop->move(50, 22);
    m_revert->move(90, 22);
    m_exact->move(130, 22);
    // Under the pictures: the heading "Допускается" over the two limits, each caption on one
    // line beside its list. The three lines share the 80 px under the pictures, so they are set
    // in 10 pt, as the captions of "Показывать" beside them.
    QFont small = group->font();
    small.setPointSize(10);
    auto *allowed = new QLabel(texts::kAllowed.toString(), group);
    allowed->setFont(small);
    allowed->setGeometry(10, 58, 180, 20);
    auto *maxLabel = new QLabel(texts::kMaxLessons.toString(), group);
    maxLabel->setFont(small);
    maxLabel->setGeometry(10, 80, 144, 24);
    m_maxLessons = new QComboBox(group);
    m_maxLessons->setFont(small);
    m_maxLessons->setGeometry(156, 80, 40, 24);
    auto *firstLabel = new QLabel(texts::kFirstGaps.toString(), group);
    firstLabel->setFont(small);
    firstLabel->setGeometry(10, 108, 144, 24);
    m_firstGaps = new QComboBox(group);
    m_firstGaps->setFont(small);
    m_firstGaps->setGeometry(156, 108, 40, 24);
    // The exact run's progress line along the bottom of the group, shown while it runs.
    m_progress = new QLabel(group);
    m_progress->setObjectName(u"exactProgress"_s);
    m_progress->setGeometry(10, 122, 328, 18);
    m_progress->setFont(QFont(u"Calibri"_s, 9));
    m_progress->setTextFormat(Qt::PlainText);
    m_progress->hide();

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(200);
    connect(m_progressTimer, &QTimer::timeout, this, &ArrangeController::showExactProgress);
    connect(m_maxLessons, &QComboBox::activated, this, &ArrangeController::maxLessonsChosen);
}

ArrangeController::~ArrangeController() = default;

bool ArrangeController::running() const
{
    // Kept by "Старт" itself: disabled from a run's start to its end (both kinds of run).
    return m_run != nullptr || m_start->testAttribute(Qt::WA_ForceDisabled);
}

ar::Options ArrangeController::options() const
{
    ar::Options o;
    o.max_ur = state().max_ur;
    o.klassvis = state().klassvis;
    o.R = maxLessons();
    o.P = firstGaps();
    return o;
}

int ArrangeController::maxLessons() const
{
    return m_maxLessons->currentText().toInt();
}

int ArrangeController::firstGaps() const
{
    return m_firstGaps->currentText().toInt();
}

void ArrangeController::refillMaxLessons()
{
    showMaxLessons(day::MaxUrVsego(state()));
}

void ArrangeController::refillFirstGaps()
{
    showFirstGaps(day::MaxRepUr(state(), maxLessons()));
}

void ArrangeController::showMaxLessons(const day::LimitList &list)
{
    showLimitList(m_maxLessons, list);
}

void ArrangeController::showFirstGaps(const day::LimitList &list)
{
    showLimitList(m_firstGaps, list);
}

void ArrangeController::showRunState()
{
    const bool idle = !running();
    m_stop->setEnabled(!idle);
    m_revert->setEnabled(idle);
    m_exact->setEnabled(idle);
    m_firstGaps->setEnabled(idle);
    m_maxLessons->setEnabled(idle);
}

void ArrangeController::disableRevert()
{
    m_revert->setEnabled(false);
}

void ArrangeController::setRunning(bool on)
{
    m_start->setEnabled(!on);
    emit runStateChanged();
}

bool ArrangeController::mayStart()
{
    // A click that reached the button during the last cycle of a stopped run starts nothing.
    if (m_run || m_exactRun)
        return false;
    if (const QString refusal = ar::StartRefusal(state()); !refusal.isEmpty()) {
        notify(refusal);
        return false;
    }
    return ask(ar::kStartQuestion);
}

bool ArrangeController::beginRun()
{
    if (!mayStart())
        return false;
    emit runStarting();
    m_before = day::TakeGridSnapshot(state());
    setRunning(true);
    emit coincidencesWanted();
    {
        Edit edit(edits());
        edit.state().RecExit = 0;
        ar::TakeSnapshot(edit.state());
    }
    m_onDayPage = dayPage();
    m_onTemplatePage = templatePage();
    return true;
}

void ArrangeController::finishRun(Finish finish)
{
    if (finish.parts != 0 || finish.result) {
        Edit edit(edits(), finish.parts);
        if (finish.result) {
            ar::TPodbor &p = edit.state().sost_rasp;
            p.itog_ur = finish.result->itog_ur;
            p.itog_kab = finish.result->itog_kab;
            p.itog_uch = finish.result->itog_uch;
            p.itog_styl = finish.result->itog_styl;
            ar::ShowWorkingCopy(edit.state());
        }
    }
    // The run is one step, beside the snapshot "Венуть предыдущий вариант" uses.
    if (!finish.step.isEmpty())
        edits().recordSince(m_before, stepOf<undo::WholeDayCommand>(finish.step));
    emit movedLessons(std::move(finish.moved));
    emit coincidencesWanted();
    setRunning(false);
    notify(finish.notice);
}

void ArrangeController::startRandom()
{
    if (!beginRun())
        return;
    m_rng.seed(m_seed.value_or(Rng::clockSeed()));
    m_stoppedByUser = false;
    const ar::Options runOptions = options();
    bool gridLeft = false; // another page or grid came up during the run
    {
        // The run works on the arrangement's snapshot in the state; every cycle shows its working
        // copy on the grid inside an edit.
        Edit edit(edits());
        m_run = std::make_unique<ar::Arrangement>(edit.state().sost_rasp, runOptions, m_rng);
    }
    while (!m_run->finished()) {
        {
            Edit edit(edits(), RefreshTeachers);
            m_run->step();
            ar::ShowWorkingCopy(edit.state());
        }
        // The nested loop: keys, clicks and page switches are handled here, so nothing below
        // keeps a cell reference across it (see EditFunnel).
        QCoreApplication::processEvents();
        if (state().RecExit == 1)
            break;
        // Another page, or a grid with other classes or rows, is no longer the grid this run
        // works on: the run ends before it writes into it again.
        if (dayPage() != m_onDayPage || templatePage() != m_onTemplatePage || state().klassvis != runOptions.klassvis
            || state().max_ur != runOptions.max_ur) {
            Edit edit(edits());
            edit.state().RecExit = 1;
            gridLeft = true;
            break;
        }
    }
    m_run.reset();

    Finish finish;
    finish.parts = RefreshRooms;
    // The finished or stopped run is one step, unless its grid is no longer shown.
    if (!gridLeft)
        finish.step = texts::kRandomStep.toString();
    // Stopped by "Стоп": the notice also points to the exact arrangement, which never cycles.
    finish.notice = state().RecExit == 0 ? ar::kDone
                    : m_stoppedByUser    ? ar::kStopped + texts::kTryExact.toString()
                                         : ar::kStopped;
    finishRun(std::move(finish));
}

void ArrangeController::stop()
{
    // The exact run is cancelled; its end keeps the grid and releases the tool lock.
    if (m_exactRun) {
        m_exactRun->cancel();
        return;
    }
    m_stoppedByUser = m_run != nullptr;
    Edit edit(edits(), refresh::LessonsMoved);
    edit.state().RecExit = 1;
    setRunning(false);
}

void ArrangeController::stopForClose()
{
    {
        Edit edit(edits());
        edit.state().RecExit = 1;
    }
    if (m_exactRun)
        m_exactRun->cancel();
}

void ArrangeController::revert()
{
    if (!ar::SnapshotMatches(state())) {
        notify(ar::kUndoOtherGrid);
        return;
    }
    if (!ask(ar::kUndoQuestion))
        return;
    {
        Edit edit(edits(), refresh::ArrangementReverted);
        ar::RestoreOriginal(edit.state());
        edit.record(stepOf<undo::WholeDayCommand>(texts::kRevertStep.toString()));
    }
    emit coincidencesWanted();
    m_start->setEnabled(true);
    m_stop->setEnabled(false);
    m_revert->setEnabled(false);
    notify(ar::kUndone);
}

bool ArrangeController::gridIsSnapshot() const
{
    if (dayPage() != m_onDayPage || templatePage() != m_onTemplatePage || !ar::SnapshotMatches(state()))
        return false;
    const ar::TPodbor &p = state().sost_rasp;
    const int rows = std::min(state().max_ur, ar::kPodborRows);
    const int classes = std::min(state().klassvis, ar::kPodborClasses);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= classes; ++j) {
            const day::Cell &c = state().grid.cell(i, j);
            if (c.subject != p.ishod_ur[i][j] || c.room != p.ishod_kab[i][j] || c.style != p.ishod_styl[i][j])
                return false;
        }
    return true;
}

void ArrangeController::startExact()
{
    if (!beginRun())
        return;
    QStringList classNames;
    for (int j = 1; j <= state().klassvis; ++j)
        classNames << state().grid.cell(0, j).subject;
    m_exactRun = new ExactRun(state().sost_rasp, options(), classNames, m_exactLimitMs, this);
    connect(m_exactRun, &ExactRun::finished, this, &ArrangeController::finishExact);
    m_exactRun->start();
    m_progressTimer->start();
    showExactProgress();
    m_progress->show();
}

void ArrangeController::showExactProgress()
{
    if (!m_exactRun)
        return;
    const QString seconds = QString::number(double(m_exactRun->elapsedMs()) / 1000.0, 'f', 1);
    const int best = m_exactRun->best();
    QString text = texts::kProgress.toString().arg(seconds);
    if (best >= 0) {
        text += texts::kProgressBest.toString().arg(best);
        const int bound = m_exactRun->lowerBound();
        if (bound > 0 && bound < best)
            text += texts::kProgressBound.toString().arg(bound);
        else if (bound == best)
            text += texts::kProgressLeast;
    } else {
        text += texts::kProgressSearching;
    }
    m_progress->setText(text);
}

void ArrangeController::finishExact()
{
    m_progressTimer->stop();
    m_progress->hide();
    ExactRun *run = m_exactRun;
    m_exactRun = nullptr;
    const ex::Result result = run->result();
    // "Стоп" after the first day keeps the best day found so far; before it, nothing changes.
    const bool cancelled =
        result.status == ex::Status::Cancelled || (run->cancelRequested() && result.status != ex::Status::Solved);

    Finish finish;
    if (cancelled) {
        finish.notice = texts::kExactStopped.toString();
    } else if (result.status == ex::Status::Solved && !gridIsSnapshot()) {
        // The grid shows another day or page by now: the result is not written into it.
        finish.notice = texts::kExactGridChanged.toString();
    } else if (result.status == ex::Status::Solved) {
        finish.parts = refresh::LessonsMoved;
        finish.result = &run->day();
        finish.step = texts::kExactStep.toString();
        finish.notice = (result.stopped || run->cancelRequested() ? texts::kExactStoppedMoved : texts::kExactDone)
                            .toString()
                            .arg(result.movedCount);
        if (result.optimal)
            finish.notice += texts::kExactOptimal;
        else if (result.lowerBound > 0)
            finish.notice += texts::kExactBound.toString().arg(result.lowerBound);
        for (const ex::MovedLesson &m : result.moved)
            finish.moved.emplace_back(m.to, m.column);
    } else if (result.status == ex::Status::Impossible) {
        finish.notice = texts::kExactImpossible.toString() + result.reason;
    } else {
        finish.notice = texts::kExactOutOfTime.toString().arg(m_exactLimitMs / 1000);
    }
    finishRun(std::move(finish));
    run->deleteLater();
}

} // namespace rasp::ui

// "Точный подбор": the exact arrangement from the group "Автоподбор". It takes the snapshot as
// "Старт" does (so "Венуть предыдущий вариант" returns to the day before it), applies the same
// tool lock, runs core's exact search on a worker thread and shows a progress line meanwhile;
// "Стоп" cancels it: the best day found so far is applied, or, before the first, the grid stays. The lessons it moved keep a thin frame until
// the next edit, save or date change.
#include "tform1.h"

#include "arrange/arrangement.h"
#include "arrange/exact/exactsolver.h"
#include "daygridview.h"
#include "exactrun.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kExactStopped = u"Точный подбор остановлен, расписание не изменено"_s;
const QString kExactGridChanged = u"Пока шел точный подбор, на экране сменилось расписание; результат не применен"_s;

} // namespace

bool TForm1::gridIsSnapshot() const
{
    namespace ar = rasp::arrange;
    if (dayPageActive() != m_exactOnDayPage || templatePageActive() != m_exactOnTemplatePage || !ar::SnapshotMatches(m_state))
        return false;
    const ar::TPodbor &p = m_state.sost_rasp;
    const int rows = std::min(m_state.max_ur, ar::kPodborRows);
    const int classes = std::min(m_state.klassvis, ar::kPodborClasses);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= classes; ++j) {
            const rasp::day::Cell &c = m_state.grid.cell(i, j);
            if (c.subject != p.ishod_ur[i][j] || c.room != p.ishod_kab[i][j] || c.style != p.ishod_styl[i][j])
                return false;
        }
    return true;
}

void TForm1::exactButtonClick()
{
    namespace ar = rasp::arrange;
    if (!arrangementMayStart())
        return;

    ListBox1->hide();
    ListBox4->hide();
    grid->clearMovedMarks();
    m_exactBefore = rasp::day::TakeGridSnapshot(m_state);
    Img_SB4->setEnabled(false);
    EnabledKomponent();
    updateUndoActions();
    m_state.RecExit = 0;
    sRadioButton2->setChecked(true);

    ar::TakeSnapshot(m_state);
    m_exactOnDayPage = dayPageActive();
    m_exactOnTemplatePage = templatePageActive();
    QStringList classNames;
    for (int j = 1; j <= m_state.klassvis; ++j)
        classNames << m_state.grid.cell(0, j).subject;
    m_exactRun = new rasp::ui::ExactRun(m_state.sost_rasp, arrangeOptions(), classNames, exactTimeLimitMs, this);
    connect(m_exactRun, &rasp::ui::ExactRun::finished, this, &TForm1::exactRunFinished);
    if (!m_exactTimer) {
        m_exactTimer = new QTimer(this);
        m_exactTimer->setInterval(200);
        connect(m_exactTimer, &QTimer::timeout, this, &TForm1::showExactProgress);
    }
    m_exactRun->start();
    m_exactTimer->start();
    showExactProgress();
    exactProgress->show();
}

void TForm1::showExactProgress()
{
    if (!m_exactRun)
        return;
    const QString seconds = QString::number(double(m_exactRun->elapsedMs()) / 1000.0, 'f', 1);
    const int best = m_exactRun->best();
    QString text = u"Точный подбор: %1 с"_s.arg(seconds);
    if (best >= 0) {
        text += u", перемещено %1"_s.arg(best);
        const int bound = m_exactRun->lowerBound();
        if (bound > 0 && bound < best)
            text += u", меньше %1 невозможно"_s.arg(bound);
        else if (bound == best)
            text += u", меньше невозможно"_s;
    } else {
        text += u", ищется расписание без совпадений"_s;
    }
    exactProgress->setText(text);
}

void TForm1::exactRunFinished()
{
    namespace ar = rasp::arrange;
    namespace ex = rasp::arrange::exact;
    m_exactTimer->stop();
    exactProgress->hide();
    rasp::ui::ExactRun *run = m_exactRun;
    m_exactRun = nullptr;
    const ex::Result result = run->result();
    // "Стоп" after the first day keeps the best day found so far; before it, nothing changes.
    const bool cancelled = result.status == ex::Status::Cancelled || (run->cancelRequested() && result.status != ex::Status::Solved);

    QString notice;
    std::vector<std::pair<int, int>> marks;
    if (cancelled) {
        notice = kExactStopped;
    } else if (result.status == ex::Status::Solved && !gridIsSnapshot()) {
        // The grid shows another day or page by now: the result is not written into it.
        notice = kExactGridChanged;
    } else if (result.status == ex::Status::Solved) {
        const ar::TPodbor &day = run->day();
        ar::TPodbor &p = m_state.sost_rasp;
        p.itog_ur = day.itog_ur;
        p.itog_kab = day.itog_kab;
        p.itog_uch = day.itog_uch;
        p.itog_styl = day.itog_styl;
        ar::ShowWorkingCopy(m_state);
        refresh(rasp::refresh::LessonsMoved);
        // The applied result is one undo step, beside the snapshot "Венуть предыдущий вариант" uses.
        recordWholeGridStep(u"точный подбор"_s, m_exactBefore);
        notice = result.stopped || run->cancelRequested() ? u"Точный подбор остановлен. Перемещено уроков: %1"_s.arg(result.movedCount)
                                                          : u"Готово! Перемещено уроков: %1"_s.arg(result.movedCount);
        if (result.optimal)
            notice += u" (наименьшее возможное)"_s;
        else if (result.lowerBound > 0)
            notice += u", меньше %1 невозможно"_s.arg(result.lowerBound);
        for (const ex::MovedLesson &m : result.moved)
            marks.emplace_back(m.to, m.column);
    } else if (result.status == ex::Status::Impossible) {
        notice = u"Расписания без совпадений нет. "_s + result.reason;
    } else {
        notice = u"За %1 с расписание без совпадений не найдено; сделайте несколько перестановок вручную и повторите"_s
                     .arg(exactTimeLimitMs / 1000);
    }
    run->deleteLater();

    grid->setMovedMarks(std::move(marks));
    sRadioButton2->setChecked(true);
    Img_SB4->setEnabled(true);
    EnabledKomponent();
    updateUndoActions();
    Rct_SoobPokaz(notice);
}

// Automatic arrangement: "Старт", "Стоп" and "Венуть предыдущий вариант" of the group
// "Автоподбор". The run itself is core's step-wise engine; the window shows each cycle and
// handles its pending events once per cycle, so "Стоп" and closing the window can act.
#include "tform1.h"

#include "edit/editfunnel.h"
#include "arrange/arrangement.h"
#include "daygridview.h"
#include "exactrun.h"
#include "day/gridsnapshot.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Added to the closing notice of a run stopped by "Стоп".
const QString kTryExact = u" или нажмите «Точный подбор»"_s;

} // namespace

void TForm1::wireArrange()
{
    connect(Img_SB4, &QToolButton::clicked, this, &TForm1::sSpeedButton4Click);
    connect(img_SB6, &QToolButton::clicked, this, &TForm1::sSpeedButton6Click);
    connect(img_SB7, &QToolButton::clicked, this, &TForm1::sSpeedButton7Click);
    connect(exactButton, &QToolButton::clicked, this, &TForm1::exactButtonClick);
}

rasp::arrange::Options TForm1::arrangeOptions() const
{
    rasp::arrange::Options o;
    o.max_ur = m_state.max_ur;
    o.klassvis = m_state.klassvis;
    o.R = sComboBox2->currentText().toInt();
    o.P = sComboBox1->currentText().toInt();
    return o;
}

bool TForm1::arrangementMayStart()
{
    namespace ar = rasp::arrange;
    // A click that reached the button during the last cycle of a stopped run starts nothing.
    if (m_arrangement || m_exactRun)
        return false;
    if (const QString refusal = ar::StartRefusal(m_state); !refusal.isEmpty()) {
        Rct_SoobPokaz(refusal);
        return false;
    }
    return Dial(ar::kStartQuestion) == u"Да"_s;
}

void TForm1::sSpeedButton4Click()
{
    namespace ar = rasp::arrange;
    if (!arrangementMayStart())
        return;

    ListBox1->hide();
    ListBox4->hide();
    m_rng.seed(arrangeSeed.value_or(rasp::Rng::clockSeed()));
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(m_state);
    Img_SB4->setEnabled(false);
    EnabledKomponent();
    updateUndoActions();
    m_state.RecExit = 0;
    m_stoppedByUser = false;
    grid->clearMovedMarks();
    sRadioButton2->setChecked(true);

    ar::TakeSnapshot(m_state);
    const ar::Options options = arrangeOptions();
    const bool onDayPage = dayPageActive();
    const bool onTemplatePage = templatePageActive();
    bool gridLeft = false; // another page or grid came up during the run
    ar::Arrangement run(m_state.sost_rasp, options, m_rng);
    m_arrangement = &run;
    while (!run.finished()) {
        run.step();
        ar::ShowWorkingCopy(m_state);
        refresh(rasp::RefreshTeachers);
        // The nested loop: keys, clicks and page switches are handled here, so nothing below
        // keeps a cell reference across it (see EditFunnel).
        QCoreApplication::processEvents();
        if (m_state.RecExit == 1)
            break;
        // Another page, or a grid with other classes or rows, is no longer the grid this run
        // works on: the run ends before it writes into it again.
        if (dayPageActive() != onDayPage || templatePageActive() != onTemplatePage
            || m_state.klassvis != options.klassvis || m_state.max_ur != options.max_ur) {
            m_state.RecExit = 1;
            gridLeft = true;
            break;
        }
    }
    m_arrangement = nullptr;

    refresh(rasp::RefreshRooms);
    sRadioButton2->setChecked(true);
    Img_SB4->setEnabled(true);
    EnabledKomponent();
    // The finished or stopped run is one step, unless its grid is no longer shown.
    if (!gridLeft)
        recordWholeGridStep(u"автоподбор"_s, before);
    updateUndoActions();
    // Stopped by "Стоп": the notice also points to the exact arrangement, which never cycles.
    Rct_SoobPokaz(m_state.RecExit == 0 ? ar::kDone : m_stoppedByUser ? ar::kStopped + kTryExact
                                                                     : ar::kStopped);
}

void TForm1::sSpeedButton6Click()
{
    // The exact arrangement is cancelled; its end keeps the grid and releases the tool lock.
    if (m_exactRun) {
        m_exactRun->cancel();
        return;
    }
    m_stoppedByUser = m_arrangement != nullptr;
    m_state.RecExit = 1;
    Img_SB4->setEnabled(true);
    EnabledKomponent();
    refresh(rasp::refresh::LessonsMoved);
}

void TForm1::sSpeedButton7Click()
{
    namespace ar = rasp::arrange;
    if (!ar::SnapshotMatches(m_state)) {
        Rct_SoobPokaz(ar::kUndoOtherGrid);
        return;
    }
    if (Dial(ar::kUndoQuestion) != u"Да"_s)
        return;
    {
        rasp::ui::Edit edit(*m_edits, rasp::refresh::ArrangementReverted);
        ar::RestoreOriginal(edit.state());
        edit.record(wholeDayStep(u"возврат предыдущего варианта"_s));
    }
    sRadioButton2->setChecked(true);
    Img_SB4->setEnabled(true);
    img_SB6->setEnabled(false);
    img_SB7->setEnabled(false);
    Rct_SoobPokaz(ar::kUndone);
}

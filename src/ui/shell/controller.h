#pragma once

#include "edit/editfunnel.h"
#include "undo/gridcommand.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

#include <functional>

namespace rasp {
struct State;
}

namespace rasp::ui {

class EditFunnel;

// What the shell (TForm1) lends every controller: the state to read, the edit funnel to change
// it through, and the shell's own overlays. A controller keeps nothing else of the window.
struct Shell {
    const State *state = nullptr;
    EditFunnel *edits = nullptr;
    // The question overlay: true for "Да". It processes events until answered, so a controller
    // keeps no cell reference across it (see EditFunnel).
    std::function<bool(const QString &question)> ask;
    // The notice overlay ("Замечательно"); returns at once.
    std::function<void(const QString &text)> notify;
    // The notice text shortened to what the notice can show.
    std::function<QString(const QString &text)> fitNotice;
    // The target date of the grid ("Будет создано расписание на").
    std::function<QDate()> targetDate;
    // The main window: pages shown over the grid page are placed and sized on it.
    QWidget *window = nullptr;
    // FormEnable: the page bar and the pages enabled or disabled.
    std::function<void(bool enabled)> enablePages;
    // The wait picture centred over the window, painted at once; or hidden.
    std::function<void(bool shown)> showWait;
    // Which page the grid shows: the day page or the template page (neither: another page).
    std::function<bool()> dayPage;
    std::function<bool()> templatePage;
    // mayReplaceChangedFiles: before a save replaces files another program changed, asks; false
    // when the save must not go on (`reload`, when given, is offered to open their version).
    std::function<bool(const QStringList &paths, const std::function<void()> &reload)> mayReplace;
    // How an undo step of the grid is put back (the window's restore and refresh), and the
    // template weekday a step writes through (0 on the day page): what a controller's steps need.
    undo::RestoreStep restore;
    std::function<int()> templateDay;
    // Whether an automatic arrangement runs (ArrangeController::running).
    std::function<bool()> running;
};

// The base of the window's controllers, one per subsystem under src/ui/<subsystem>/. A controller
// builds and owns its widgets (privately, inside the parent the shell gives it), reads the state
// through state(), changes it only inside a rasp::ui::Edit of edits(), and tells the shell and
// the other controllers what happened by its own typed signals. The shell keeps the routine
// names as one-line entry points that forward to the controller.
class Controller : public QObject
{
    Q_OBJECT
public:
    Controller(const Shell &shell, QObject *parent)
        : QObject(parent)
        , m_shell(shell)
    { }

protected:
    const State &state() const { return *m_shell.state; }
    EditFunnel &edits() const { return *m_shell.edits; }
    bool ask(const QString &question) const { return m_shell.ask(question); }
    void notify(const QString &text) const { m_shell.notify(text); }
    QString fitNotice(const QString &text) const { return m_shell.fitNotice(text); }
    QDate targetDate() const { return m_shell.targetDate(); }
    QWidget *window() const { return m_shell.window; }
    void enablePages(bool enabled) const { m_shell.enablePages(enabled); }
    void showWait(bool shown) const { m_shell.showWait(shown); }
    bool dayPage() const { return m_shell.dayPage(); }
    bool templatePage() const { return m_shell.templatePage(); }
    bool running() const { return m_shell.running && m_shell.running(); }
    bool mayReplace(const QStringList &paths, const std::function<void()> &reload) const
    {
        return m_shell.mayReplace(paths, reload);
    }
    // How a step is put back, and the template weekday a step writes through (0 on the day page):
    // for steps whose command takes more than a text (Controller::stepOf builds the others).
    const undo::RestoreStep &restoreStep() const { return m_shell.restore; }
    int stepTemplateDay() const { return m_shell.templateDay ? m_shell.templateDay() : 0; }
    // The maker of an undo step of one command kind named `text`, for Edit::record.
    // `selection` is the teacher list the step's refresh highlights in the single-teacher mode.
    template<typename Command>
    EditFunnel::MakeStep stepOf(const QString &text, const QString &selection = {}) const
    {
        return [restore = m_shell.restore, day = m_shell.templateDay ? m_shell.templateDay() : 0, text,
                selection](day::GridChange change) {
            return std::unique_ptr<undo::GridEditCommand>(new Command(text, std::move(change), restore, day, selection));
        };
    }

private:
    Shell m_shell;
};

} // namespace rasp::ui

#pragma once

#include "absences/companion.h"
#include "absences/history.h"
#include "absences/weights.h"
#include "day/gridsnapshot.h"
#include "shell/controller.h"

#include <QDate>
#include <QPoint>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QThread;
class QToolButton;
class QTreeWidget;

namespace rasp::absences {
class CoverModel;
class DayFacts;
struct Option;
} // namespace rasp::absences

namespace rasp::ui {

class OverlayPanel;

// Absent teachers and their covers in the window: the gesture "Отсутствует" (from the cell menu,
// the teacher caption and the planning view) with rows and a reason, the open lessons marked on
// the day grid and counted on its top bar, and the view "Отсутствия" of the substitutions page
// where covers are planned: the absences, the open lessons, the ranked candidates and the
// alternatives of the chosen one, and "Заменить всех", the whole-day cover solved off the
// interface thread and shown as a proposal accepted whole or line by line. Every change goes
// through the edit funnel as one undo step.
class AbsencesController : public Controller
{
    Q_OBJECT
public:
    // `topBar` holds the count of open lessons (the shell lays it out), `planArea` is the
    // substitutions page's view "Отсутствия", `cellMenu` the grid's cell menu, to which the
    // controller adds its entries once.
    AbsencesController(const Shell &shell, QWidget *topBar, QWidget *planArea, QMenu *cellMenu, QObject *parent);
    ~AbsencesController() override;

    // The button "Не закрыто уроков: N" on the day page's top bar (hidden when none).
    QToolButton *openCount() const { return m_count; }

    // The cell menu is about to open on (row, column): the entries follow that lesson.
    void prepareCellMenu(int row, int column);
    // The teacher caption's menu: "Отсутствует" for each teacher of the shown list.
    void showCaptionMenu(const QString &teachers, QPoint globalPos);
    // Opens the form "Отсутствует" for a teacher: the whole day and "болезнь", or the absence
    // the teacher already has.
    void openForm(const QString &teacher);
    // Records an absence as one undo step; false (after telling why) when it is refused.
    bool markAbsent(const QString &teacher, int from, int to, const QString &reason);
    // Removes an absence with its covers as one undo step, asking first when covers go with it.
    bool removeAbsence(const QString &teacher);

    // The day on the grid changed, or the page did: the open lessons are found again, marked
    // on the grid and counted, and an open planning view follows.
    void dayChanged();
    // The planning view was shown: it is filled for the day on the grid.
    void showPlanning();
    // The planning view's open lesson at (row, column) becomes the chosen one.
    bool chooseLesson(int row, int column);
    // Applies the chosen open lesson's candidate or alternative at `line` of the candidates
    // list as one undo step; false when that line cannot be taken.
    bool applyCandidate(int line);
    // Drops the cover of the lesson at (row, column) as one undo step.
    bool dropCover(int row, int column);

    // "Заменить всех": solves the whole-day cover on a worker thread; the proposal follows.
    void coverAll();
    // Whether a whole-day cover is being solved.
    bool solving() const { return m_job != nullptr; }
    // Accepts the proposal: every line, or the checked ones (the others stay open), as one step.
    bool acceptProposal(bool onlyChecked);
    // Discards the proposal.
    void discardProposal();

    // The weights of the ranking and the proposal.
    absences::Preset preset() const { return m_preset; }
    void setPreset(absences::Preset preset);

    // The parts the window tests look at.
    QAction *cellAbsentAction() const;                     // "Отсутствует" submenu of the cell menu
    QMenu *cellAbsentMenu() const { return m_cellAbsent; } // its entries, one per teacher
    QAction *cellPlanAction() const { return m_cellPlan; }
    QAction *cellDropAction() const { return m_cellDrop; }
    QMenu *captionMenu() const { return m_captionMenu; }
    OverlayPanel *form() const { return m_form; }
    QComboBox *formTeacher() const { return m_formTeacher; }
    QSpinBox *formFrom() const { return m_formFrom; }
    QSpinBox *formTo() const { return m_formTo; }
    QComboBox *formReason() const { return m_formReason; }
    QPushButton *formMark() const { return m_formMark; }
    QPushButton *formRemove() const { return m_formRemove; }
    QLabel *planStatus() const { return m_planStatus; }
    QListWidget *absentList() const { return m_absentList; }
    QListWidget *openList() const { return m_openList; }
    QTreeWidget *candidates() const { return m_candidates; }
    QLabel *candidatesCaption() const { return m_candidatesCaption; }
    QToolButton *coverAllButton() const { return m_coverAll; }
    QButtonGroup *presets() const { return m_presets; }
    QTreeWidget *proposal() const { return m_proposal; }
    QLabel *proposalTotal() const { return m_proposalTotal; }
    QPushButton *acceptAllButton() const { return m_acceptAll; }
    QPushButton *acceptCheckedButton() const { return m_acceptChecked; }
    QPushButton *discardButton() const { return m_discard; }
    // The open lessons of the day on the grid as (row, column), as marked.
    const std::vector<std::pair<int, int>> &openLessons() const { return m_open; }

signals:
    // The open lessons of the day page changed: the grid marks them (none off the day page).
    void openLessonsChanged(const std::vector<std::pair<int, int>> &cells);
    // The count was clicked: the shell opens the substitutions page on the view "Отсутствия".
    void planningRequested();
    // A whole-day cover was solved and its proposal is shown (tests wait for it).
    void proposalShown();

private:
    struct Plan;
    struct CoverJob;

    void buildCellMenu(QMenu *cellMenu);
    void buildForm();
    void buildPlanning(QWidget *area);
    // The open lessons, candidates and counts of the day on the grid, made anew.
    void rebuildPlan();
    void fillPlanning();
    void fillCandidates();
    // The cover counts of the month before the target date and the monthly cap, read once per date.
    const absences::CoverCounts &counts();
    // The text of an option as the candidates list and the proposal show it.
    QString optionText(const absences::Option &option) const;
    void solved();
    void showProposal();
    // Applies a choice of the proposal's model to the day as one step.
    void applyChoice(const std::vector<int> &chosen);

    // Day page and template page: the controller acts on the day page only.
    bool onDay() const;

    QToolButton *m_count = nullptr;
    QMenu *m_cellAbsent = nullptr;
    QAction *m_cellPlan = nullptr;
    QAction *m_cellDrop = nullptr;
    QAction *m_cellSeparator = nullptr;
    int m_menuRow = 0, m_menuColumn = 0;
    QMenu *m_captionMenu = nullptr;

    OverlayPanel *m_form = nullptr;
    QComboBox *m_formTeacher = nullptr;
    QSpinBox *m_formFrom = nullptr;
    QSpinBox *m_formTo = nullptr;
    QComboBox *m_formReason = nullptr;
    QPushButton *m_formMark = nullptr;
    QPushButton *m_formRemove = nullptr;
    QPushButton *m_formCancel = nullptr;

    QWidget *m_planArea = nullptr;
    QLabel *m_planStatus = nullptr;
    QButtonGroup *m_presets = nullptr;
    QToolButton *m_coverAll = nullptr;
    QStackedWidget *m_stack = nullptr;
    QListWidget *m_absentList = nullptr;
    QPushButton *m_addAbsent = nullptr;
    QPushButton *m_editAbsent = nullptr;
    QPushButton *m_removeAbsent = nullptr;
    QListWidget *m_openList = nullptr;
    QPushButton *m_dropCover = nullptr;
    QLabel *m_candidatesCaption = nullptr;
    QTreeWidget *m_candidates = nullptr;
    QPushButton *m_assign = nullptr;
    QTreeWidget *m_proposal = nullptr;
    QLabel *m_proposalTotal = nullptr;
    QPushButton *m_acceptAll = nullptr;
    QPushButton *m_acceptChecked = nullptr;
    QPushButton *m_discard = nullptr;

    absences::Preset m_preset = absences::Preset::Subject;
    std::unique_ptr<Plan> m_plan;            // the day on the grid as the planning view shows it
    std::vector<std::pair<int, int>> m_open; // the open lessons marked
    int m_chosenRow = 0, m_chosenColumn = 0; // the open lesson whose candidates are listed
    QDate m_countsDate;
    std::unique_ptr<absences::CoverCounts> m_counts;
    std::shared_ptr<CoverJob> m_job;      // the whole-day cover being solved
    std::shared_ptr<CoverJob> m_proposed; // the proposal shown
    QThread *m_thread = nullptr;
};

} // namespace rasp::ui

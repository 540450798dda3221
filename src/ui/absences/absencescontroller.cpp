#include "absencescontroller.h"

#include "absences/absenceedit.h"
#include "absences/candidates.h"
#include "absences/covermodel.h"
#include "absences/daycover.h"
#include "absences/dayfacts.h"
#include "absencestexts.h"
#include "edit/editfunnel.h"
#include "shell/overlaypanel.h"
#include "state.h"
#include "text/datewords.h"
#include "undo/editcommands.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace texts = absencestexts;

namespace {

constexpr int kRowRole = Qt::UserRole;         // list items: the lesson's row
constexpr int kColumnRole = Qt::UserRole + 1;  // list items: the lesson's column
constexpr int kCoveredRole = Qt::UserRole + 2; // open-list items: a covered lesson
constexpr int kOptionRole = Qt::UserRole;      // candidate items: the option's number, -1 for none
constexpr QRgb kOpenColour = 0xFFC2185B;       // the open lessons' colour, as the grid marks them
constexpr QRgb kGreyed = 0xFF8A8A8A;           // busy and absent teachers, shown for information

// The teacher names of a teacher list ("A, B").
QStringList namesOf(const QString &teachers)
{
    return teachers.split(u", "_s, Qt::SkipEmptyParts);
}

const absences::Absence *absenceOf(const State &state, const QString &teacher)
{
    for (const absences::Absence &a : state.companion.absences)
        if (a.teacher == teacher)
            return &a;
    return nullptr;
}

// Whether two snapshots hold the same day: cells, covers and absences.
bool sameDay(const day::GridSnapshot &a, const day::GridSnapshot &b)
{
    return a.rows == b.rows && a.columns == b.columns && a.cells == b.cells && a.absences == b.absences;
}

QPushButton *button(QWidget *parent, QStringView text, const QString &name)
{
    auto *b = new QPushButton(text.toString(), parent);
    b->setObjectName(name);
    return b;
}

QLabel *heading(QWidget *parent, QStringView text)
{
    auto *l = new QLabel(text.toString(), parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

// The day on the grid as the planning view reads it: its facts and, while the view is shown,
// the options of every open lesson.
struct AbsencesController::Plan {
    absences::DayFacts facts;
    std::unique_ptr<absences::CoverModel> model;

    explicit Plan(const State &state)
        : facts(state)
    { }
    // The number of the open lesson at (row, column), or -1.
    int lessonAt(int row, int column) const
    {
        const std::vector<absences::OpenLesson> &open = facts.openLessons();
        for (int l = 0; l < int(open.size()); ++l)
            if (open[std::size_t(l)].row == row && open[std::size_t(l)].column == column)
                return l;
        return -1;
    }
};

// One whole-day cover solved on a worker thread, on its own copy of the day.
struct AbsencesController::CoverJob {
    State state;
    absences::CoverCounts counts;
    absences::Weights weights;
    day::GridSnapshot before; // the day as it was when the job started
    std::unique_ptr<absences::DayFacts> facts;
    std::unique_ptr<absences::CoverModel> model;
    absences::DayCover result;
};

AbsencesController::AbsencesController(const Shell &shell, QWidget *topBar, QWidget *planArea, QMenu *cellMenu,
                                       QObject *parent)
    : Controller(shell, parent)
    , m_planArea(planArea)
{
    m_count = new QToolButton(topBar);
    m_count->setObjectName(u"openLessonsCount"_s);
    m_count->setAutoRaise(true);
    m_count->setToolTip(texts::kOpenCountHint.toString());
    m_count->setStyleSheet(u"QToolButton { color: #C2185B; font-weight: bold; }"_s);
    m_count->hide();
    connect(m_count, &QToolButton::clicked, this, &AbsencesController::planningRequested);

    buildCellMenu(cellMenu);
    m_captionMenu = new QMenu(window());
    m_captionMenu->setObjectName(u"teacherCaptionMenu"_s);
    buildForm();
    buildPlanning(planArea);
    connect(&edits(), &EditFunnel::changed, this, [this] { dayChanged(); });
}

AbsencesController::~AbsencesController()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool AbsencesController::onDay() const
{
    return dayPage();
}

// ---- The cell menu, the teacher caption and the form --------------------------------------------

void AbsencesController::buildCellMenu(QMenu *cellMenu)
{
    m_cellSeparator = cellMenu->addSeparator();
    m_cellAbsent = cellMenu->addMenu(texts::kAbsent.toString());
    m_cellAbsent->setObjectName(u"cellAbsentMenu"_s);
    m_cellPlan = cellMenu->addAction(texts::kPlanCover.toString());
    m_cellDrop = cellMenu->addAction(QString());
    connect(m_cellPlan, &QAction::triggered, this, [this] {
        const int row = m_menuRow, column = m_menuColumn;
        emit planningRequested();
        chooseLesson(row, column);
    });
    connect(m_cellDrop, &QAction::triggered, this, [this] { dropCover(m_menuRow, m_menuColumn); });
}

QAction *AbsencesController::cellAbsentAction() const
{
    return m_cellAbsent->menuAction();
}

void AbsencesController::prepareCellMenu(int row, int column)
{
    m_menuRow = row;
    m_menuColumn = column;
    const bool day = onDay() && row >= 1 && row <= state().max_ur && column >= 1 && column <= state().klassvis;
    m_cellSeparator->setVisible(day);
    m_cellAbsent->menuAction()->setVisible(day);
    m_cellPlan->setVisible(false);
    m_cellDrop->setVisible(false);
    m_cellAbsent->clear();
    if (!day)
        return;
    const day::Cell &cell = state().grid.cell(row, column);
    QStringList names = namesOf(cell.teachers);
    // A covered lesson's list names the covering teacher; the absent one may be marked there too.
    if (!cell.cover.empty() && !names.contains(cell.cover.absent))
        names << cell.cover.absent;
    for (const QString &name : names) {
        const absences::Absence *a = absenceOf(state(), name);
        QAction *entry = m_cellAbsent->addAction(
            a ? texts::kAbsentMarked.toString().arg(name, u"%1-%2"_s.arg(a->from).arg(a->to)) : name);
        connect(entry, &QAction::triggered, this, [this, name] { openForm(name); });
    }
    m_cellAbsent->menuAction()->setEnabled(!names.isEmpty());
    m_cellPlan->setVisible(std::find(m_open.begin(), m_open.end(), std::pair(row, column)) != m_open.end());
    if (!cell.cover.empty()) {
        m_cellDrop->setText(texts::kDropCover.toString().arg(cell.cover.teacher));
        m_cellDrop->setVisible(true);
    }
}

void AbsencesController::showCaptionMenu(const QString &teachers, QPoint globalPos)
{
    m_captionMenu->clear();
    if (!onDay())
        return;
    for (const QString &name : namesOf(teachers)) {
        const absences::Absence *a = absenceOf(state(), name);
        const QString text = texts::kAbsent.toString() + u": "_s
                             + (a ? texts::kAbsentMarked.toString().arg(name, u"%1-%2"_s.arg(a->from).arg(a->to)) : name);
        QAction *entry = m_captionMenu->addAction(text);
        connect(entry, &QAction::triggered, this, [this, name] { openForm(name); });
    }
    if (!m_captionMenu->isEmpty())
        m_captionMenu->popup(globalPos);
}

void AbsencesController::buildForm()
{
    m_form = new OverlayPanel(texts::kFormTitle.toString(), QSize(470, 190), window());
    m_form->setObjectName(u"absenceForm"_s);
    m_form->hide();
    auto *grid = new QGridLayout(m_form->body());
    grid->setContentsMargins(12, 10, 12, 10);
    grid->addWidget(new QLabel(texts::kFormTeacher.toString(), m_form->body()), 0, 0);
    m_formTeacher = new QComboBox(m_form->body());
    m_formTeacher->setObjectName(u"absenceTeacher"_s);
    grid->addWidget(m_formTeacher, 0, 1, 1, 4);
    grid->addWidget(new QLabel(texts::kFormRows.toString(), m_form->body()), 1, 0);
    m_formFrom = new QSpinBox(m_form->body());
    m_formFrom->setObjectName(u"absenceFrom"_s);
    grid->addWidget(m_formFrom, 1, 1);
    grid->addWidget(new QLabel(texts::kFormRowsTo.toString(), m_form->body()), 1, 2);
    m_formTo = new QSpinBox(m_form->body());
    m_formTo->setObjectName(u"absenceTo"_s);
    grid->addWidget(m_formTo, 1, 3);
    grid->addWidget(new QLabel(texts::kFormReason.toString(), m_form->body()), 2, 0);
    m_formReason = new QComboBox(m_form->body());
    m_formReason->setObjectName(u"absenceReason"_s);
    m_formReason->setEditable(true); // any typed reason is kept as typed
    m_formReason->addItems({absences::kReasonIllness, absences::kReasonCourses, absences::kReasonTrip, absences::kReasonOther});
    grid->addWidget(m_formReason, 2, 1, 1, 4);
    auto *buttons = new QHBoxLayout;
    m_formMark = button(m_form->body(), texts::kFormMark, u"absenceMark"_s);
    m_formRemove = button(m_form->body(), texts::kFormRemove, u"absenceRemove"_s);
    m_formCancel = button(m_form->body(), texts::kFormCancel, u"absenceCancel"_s);
    buttons->addWidget(m_formMark);
    buttons->addWidget(m_formRemove);
    buttons->addStretch(1);
    buttons->addWidget(m_formCancel);
    grid->addLayout(buttons, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    // The rows stay a range: moving one end past the other takes it along.
    connect(m_formFrom, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_formTo->value() < v)
            m_formTo->setValue(v);
    });
    connect(m_formTo, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_formFrom->value() > v)
            m_formFrom->setValue(v);
    });
    connect(m_formTeacher, &QComboBox::activated, this, [this] { openForm(m_formTeacher->currentText()); });
    connect(m_formMark, &QPushButton::clicked, this, [this] {
        if (markAbsent(m_formTeacher->currentText(), m_formFrom->value(), m_formTo->value(), m_formReason->currentText()))
            m_form->hide();
    });
    connect(m_formRemove, &QPushButton::clicked, this, [this] {
        m_form->hide();
        removeAbsence(m_formTeacher->currentText());
    });
    connect(m_formCancel, &QPushButton::clicked, m_form, &QWidget::hide);
}

void AbsencesController::openForm(const QString &teacher)
{
    QStringList names;
    for (int m = 1; m <= state().pedvis && m < int(state().PedFio.size()); ++m) {
        const QString &name = state().PedFio[std::size_t(m)].name;
        if (!name.trimmed().isEmpty() && !names.contains(name))
            names << name;
    }
    if (names.isEmpty()) {
        notify(texts::kNoTeachers.toString());
        return;
    }
    {
        const QSignalBlocker quiet(m_formTeacher);
        m_formTeacher->clear();
        m_formTeacher->addItems(names);
        m_formTeacher->setCurrentIndex(std::max<qsizetype>(0, names.indexOf(teacher)));
    }
    const QString chosen = m_formTeacher->currentText();
    const int rows = std::max(1, state().max_ur);
    m_formFrom->setRange(1, rows);
    m_formTo->setRange(1, rows);
    const absences::Absence *a = absenceOf(state(), chosen);
    m_formTo->setValue(a ? a->to : rows);
    m_formFrom->setValue(a ? a->from : 1);
    m_formReason->setCurrentText(a ? a->reason : absences::kReasonIllness);
    m_formRemove->setVisible(a != nullptr);
    m_form->centreAndRaise();
    m_form->show();
    m_formMark->setFocus();
}

bool AbsencesController::markAbsent(const QString &teacher, int from, int to, const QString &reason)
{
    if (!onDay())
        return false;
    QString error;
    {
        Edit edit(edits());
        error = absences::MarkAbsent(edit.state(), teacher, from, to, reason.trimmed());
        if (error.isEmpty())
            edit.record(stepOf<undo::AbsenceCommand>(texts::kStepMark.toString().arg(teacher)));
    }
    if (!error.isEmpty()) {
        notify(error);
        return false;
    }
    return true;
}

bool AbsencesController::removeAbsence(const QString &teacher)
{
    if (!onDay() || !absenceOf(state(), teacher))
        return false;
    const int covers = absences::CoversOfAbsent(state(), teacher);
    // The question runs a nested loop: the absence is looked up again afterwards.
    if (covers > 0 && !ask(texts::kRemoveQuestion.toString().arg(teacher).arg(covers)))
        return false;
    Edit edit(edits(), refresh::LessonsMoved);
    if (absences::RemoveAbsence(edit.state(), teacher) < 0)
        return false;
    edit.record(stepOf<undo::AbsenceCommand>(texts::kStepRemove.toString().arg(teacher)));
    return true;
}

// ---- Open lessons -----------------------------------------------------------------------------

void AbsencesController::dayChanged()
{
    const bool planning = m_planArea->isVisible();
    std::vector<std::pair<int, int>> open;
    if (onDay() && !state().companion.absences.empty()) {
        rebuildPlan();
        for (const absences::OpenLesson &l : m_plan->facts.openLessons())
            open.emplace_back(l.row, l.column);
    } else {
        m_plan.reset();
    }
    if (!onDay())
        m_form->hide(); // absences belong to a date: the template page has none
    if (open != m_open) {
        m_open = std::move(open);
        emit openLessonsChanged(m_open);
    }
    m_count->setText(texts::kOpenCount.toString().arg(m_open.size()));
    m_count->setVisible(!m_open.empty());
    if (planning)
        fillPlanning();
}

const absences::CoverCounts &AbsencesController::counts()
{
    const QDate date = targetDate();
    if (!m_counts || m_countsDate != date) {
        m_plan.reset(); // its model refers to the counts
        auto counts = std::make_unique<absences::CoverCounts>(
            absences::CountCovers(QDir::current().filePath(u"r_data"_s), date));
        counts->cap = absences::ReadMonthlyCap(QDir::current().filePath(absences::kCapFile));
        m_counts = std::move(counts);
        m_countsDate = date;
    }
    return *m_counts;
}

void AbsencesController::rebuildPlan()
{
    const absences::CoverCounts &c = counts();
    m_plan = std::make_unique<Plan>(state());
    if (m_planArea->isVisible() && !m_plan->facts.openLessons().empty())
        m_plan->model = std::make_unique<absences::CoverModel>(m_plan->facts, c, absences::PresetWeights(m_preset));
}

// ---- The planning view ------------------------------------------------------------------------

void AbsencesController::buildPlanning(QWidget *area)
{
    auto *page = new QVBoxLayout(area);
    page->setContentsMargins(10, 2, 10, 6);
    m_planStatus = new QLabel(area);
    m_planStatus->setObjectName(u"planStatus"_s);
    m_planStatus->setTextFormat(Qt::PlainText);
    m_planStatus->setWordWrap(true);
    page->addWidget(m_planStatus);

    auto *tools = new QHBoxLayout;
    tools->addWidget(new QLabel(texts::kPresets.toString(), area));
    m_presets = new QButtonGroup(this);
    const QStringView presetNames[] = {texts::kPresetSubject, texts::kPresetFair};
    for (int p = 0; p < 2; ++p) {
        auto *r = new QRadioButton(presetNames[p].toString(), area);
        m_presets->addButton(r, p);
        tools->addWidget(r);
    }
    m_presets->button(0)->setChecked(true);
    tools->addSpacing(20);
    m_coverAll = new QToolButton(area);
    m_coverAll->setObjectName(u"coverAll"_s);
    m_coverAll->setText(texts::kCoverAll.toString());
    m_coverAll->setToolTip(texts::kCoverAllHint.toString());
    m_coverAll->setMinimumHeight(30);
    tools->addWidget(m_coverAll);
    tools->addStretch(1);
    page->addLayout(tools);

    m_stack = new QStackedWidget(area);
    page->addWidget(m_stack, 1);

    auto *lists = new QWidget(m_stack);
    auto *columns = new QHBoxLayout(lists);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *absentColumn = new QVBoxLayout;
    absentColumn->addWidget(heading(lists, texts::kAbsentList));
    m_absentList = new QListWidget(lists);
    m_absentList->setObjectName(u"absentList"_s);
    m_absentList->setWordWrap(true); // a long name and its reason wrap instead of being cut
    absentColumn->addWidget(m_absentList, 1);
    auto *absentButtons = new QHBoxLayout;
    m_addAbsent = button(lists, texts::kAddAbsent, u"addAbsent"_s);
    m_editAbsent = button(lists, texts::kEditAbsent, u"editAbsent"_s);
    m_removeAbsent = button(lists, texts::kRemoveAbsent, u"removeAbsent"_s);
    absentButtons->addWidget(m_addAbsent);
    absentButtons->addWidget(m_editAbsent);
    absentButtons->addWidget(m_removeAbsent);
    absentColumn->addLayout(absentButtons);
    columns->addLayout(absentColumn, 4);

    auto *openColumn = new QVBoxLayout;
    openColumn->addWidget(heading(lists, texts::kOpenHeading));
    m_openList = new QListWidget(lists);
    m_openList->setObjectName(u"openList"_s);
    m_openList->setWordWrap(true);
    openColumn->addWidget(m_openList, 1);
    m_dropCover = button(lists, texts::kDropCoverButton, u"dropCover"_s);
    openColumn->addWidget(m_dropCover);
    columns->addLayout(openColumn, 5);

    auto *candidateColumn = new QVBoxLayout;
    m_candidatesCaption = heading(lists, texts::kCandidates);
    candidateColumn->addWidget(m_candidatesCaption);
    m_candidates = new QTreeWidget(lists);
    m_candidates->setObjectName(u"candidates"_s);
    m_candidates->setRootIsDecorated(false);
    m_candidates->setHeaderLabels({texts::kColumnWho.toString(), texts::kColumnCost.toString(), texts::kColumnReasons.toString()});
    m_candidates->setColumnWidth(0, 250);
    m_candidates->setColumnWidth(1, 80);
    candidateColumn->addWidget(m_candidates, 1);
    m_assign = button(lists, texts::kAssign, u"assign"_s);
    candidateColumn->addWidget(m_assign);
    columns->addLayout(candidateColumn, 8);
    m_stack->addWidget(lists);

    auto *proposal = new QWidget(m_stack);
    auto *proposalColumn = new QVBoxLayout(proposal);
    proposalColumn->setContentsMargins(0, 0, 0, 0);
    m_proposalTotal = new QLabel(proposal);
    m_proposalTotal->setObjectName(u"proposalTotal"_s);
    m_proposalTotal->setWordWrap(true);
    proposalColumn->addWidget(m_proposalTotal);
    m_proposal = new QTreeWidget(proposal);
    m_proposal->setObjectName(u"proposal"_s);
    m_proposal->setRootIsDecorated(false);
    m_proposal->setHeaderLabels(texts::kPreviewColumns.toString().split(u'|'));
    const int widths[] = {60, 50, 110, 210, 380, 380, 70};
    for (int c = 0; c < 7; ++c)
        m_proposal->setColumnWidth(c, widths[c]);
    proposalColumn->addWidget(m_proposal, 1);
    auto *proposalButtons = new QHBoxLayout;
    m_acceptAll = button(proposal, texts::kAcceptAll, u"acceptAll"_s);
    m_acceptChecked = button(proposal, texts::kAcceptChecked, u"acceptChecked"_s);
    m_discard = button(proposal, texts::kDiscard, u"discardProposal"_s);
    proposalButtons->addWidget(m_acceptAll);
    proposalButtons->addWidget(m_acceptChecked);
    proposalButtons->addStretch(1);
    proposalButtons->addWidget(m_discard);
    proposalColumn->addLayout(proposalButtons);
    m_stack->addWidget(proposal);

    connect(m_presets, &QButtonGroup::idClicked, this,
            [this](int id) { setPreset(id == 1 ? absences::Preset::Fair : absences::Preset::Subject); });
    connect(m_coverAll, &QToolButton::clicked, this, &AbsencesController::coverAll);
    connect(m_addAbsent, &QPushButton::clicked, this, [this] { openForm(QString()); });
    connect(m_editAbsent, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_absentList->currentItem())
            openForm(item->data(Qt::UserRole).toString());
    });
    connect(m_removeAbsent, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_absentList->currentItem())
            removeAbsence(item->data(Qt::UserRole).toString());
    });
    connect(m_absentList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { openForm(item->data(Qt::UserRole).toString()); });
    connect(m_openList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (!item)
            return;
        m_chosenRow = item->data(kRowRole).toInt();
        m_chosenColumn = item->data(kColumnRole).toInt();
        m_dropCover->setEnabled(item->data(kCoveredRole).toBool());
        fillCandidates();
    });
    connect(m_dropCover, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_openList->currentItem(); item && item->data(kCoveredRole).toBool())
            dropCover(item->data(kRowRole).toInt(), item->data(kColumnRole).toInt());
    });
    connect(m_assign, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem *item = m_candidates->currentItem())
            applyCandidate(m_candidates->indexOfTopLevelItem(item));
    });
    connect(m_candidates, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { applyCandidate(m_candidates->indexOfTopLevelItem(item)); });
    connect(m_acceptAll, &QPushButton::clicked, this, [this] { acceptProposal(false); });
    connect(m_acceptChecked, &QPushButton::clicked, this, [this] { acceptProposal(true); });
    connect(m_discard, &QPushButton::clicked, this, &AbsencesController::discardProposal);
}

void AbsencesController::showPlanning()
{
    m_plan.reset();   // its model refers to the counts
    m_counts.reset(); // the month's files may have changed since they were counted
    dayChanged();
    fillPlanning();
}

void AbsencesController::setPreset(absences::Preset preset)
{
    m_preset = preset;
    if (QAbstractButton *b = m_presets->button(preset == absences::Preset::Fair ? 1 : 0))
        b->setChecked(true);
    if (m_planArea->isVisible()) {
        dayChanged();
        fillPlanning();
    }
}

void AbsencesController::fillPlanning()
{
    if (!onDay()) {
        m_planStatus->setText(texts::kPlanNotDay.toString());
        m_absentList->clear();
        m_openList->clear();
        m_candidates->clear();
        m_coverAll->setEnabled(false);
        m_addAbsent->setEnabled(false);
        return;
    }
    if (m_plan && !m_plan->model && !m_plan->facts.openLessons().empty())
        rebuildPlan();
    m_addAbsent->setEnabled(true);
    QStringList status{texts::kPlanTitle.toString().arg(text::ShortDate(targetDate())),
                       texts::kOpenCount.toString().arg(m_open.size())};
    if (m_job)
        status << texts::kSolving.toString();
    status << texts::kPlanSaveHint.toString();
    m_planStatus->setText(status.join(u'\n'));

    const QString chosenAbsent = m_absentList->currentItem() ? m_absentList->currentItem()->data(Qt::UserRole).toString() : QString();
    m_absentList->clear();
    for (const absences::Absence &a : state().companion.absences) {
        auto *item = new QListWidgetItem(
            texts::kAbsentLine.toString().arg(a.teacher, QString::number(a.from), QString::number(a.to), a.reason), m_absentList);
        item->setData(Qt::UserRole, a.teacher);
        if (a.teacher == chosenAbsent)
            m_absentList->setCurrentItem(item);
    }
    if (state().companion.absences.empty())
        new QListWidgetItem(texts::kAbsentNone.toString(), m_absentList);
    if (!m_absentList->currentItem() && !state().companion.absences.empty())
        m_absentList->setCurrentRow(0);
    m_editAbsent->setEnabled(!state().companion.absences.empty());
    m_removeAbsent->setEnabled(!state().companion.absences.empty());

    // The open lessons first, then the covered ones; the chosen lesson stays chosen while listed.
    const QSignalBlocker quiet(m_openList);
    m_openList->clear();
    QListWidgetItem *chosen = nullptr;
    if (m_plan)
        for (const absences::OpenLesson &l : m_plan->facts.openLessons()) {
            auto *item = new QListWidgetItem(
                texts::kOpenLine.toString().arg(l.className, QString::number(l.row), l.subject, l.absent), m_openList);
            item->setForeground(QColor::fromRgba(kOpenColour));
            item->setData(kRowRole, l.row);
            item->setData(kColumnRole, l.column);
            item->setData(kCoveredRole, false);
            if (l.row == m_chosenRow && l.column == m_chosenColumn)
                chosen = item;
        }
    for (int j = 1; j <= state().klassvis; ++j)
        for (int i = 1; i <= state().max_ur; ++i) {
            const day::Cell &c = state().grid.cell(i, j);
            if (c.cover.empty())
                continue;
            auto *item = new QListWidgetItem(texts::kCoveredLine.toString().arg(state().grid.cell(0, j).subject, QString::number(i),
                                                                                c.subject, c.cover.teacher, c.cover.kind),
                                             m_openList);
            item->setData(kRowRole, i);
            item->setData(kColumnRole, j);
            item->setData(kCoveredRole, true);
            item->setToolTip(c.cover.absent);
            if (i == m_chosenRow && j == m_chosenColumn)
                chosen = item;
        }
    if (!chosen && !m_open.empty())
        chosen = m_openList->item(0);
    m_openList->setCurrentItem(chosen);
    m_chosenRow = chosen ? chosen->data(kRowRole).toInt() : 0;
    m_chosenColumn = chosen ? chosen->data(kColumnRole).toInt() : 0;
    m_dropCover->setEnabled(chosen && chosen->data(kCoveredRole).toBool());
    m_coverAll->setEnabled(!m_open.empty() && !m_job);
    fillCandidates();
}

QString AbsencesController::optionText(const absences::Option &o) const
{
    switch (o.action) {
    case absences::Action::Teacher:
        return texts::kActionTeacher.toString().arg(o.teacher, o.kind);
    case absences::Action::Subject:
        return texts::kActionSubject.toString().arg(o.subject, o.teacher);
    case absences::Action::Move:
        return (o.swap ? texts::kActionSwap : texts::kActionMoveLast).toString().arg(o.otherRow);
    case absences::Action::Cancel:
        return texts::kActionCancel.toString();
    case absences::Action::Open:
        break;
    }
    return texts::kActionOpen.toString();
}

void AbsencesController::fillCandidates()
{
    m_candidates->clear();
    const int l = m_plan && m_plan->model ? m_plan->lessonAt(m_chosenRow, m_chosenColumn) : -1;
    m_assign->setEnabled(l >= 0);
    if (l < 0) {
        m_candidatesCaption->setText(texts::kCandidates.toString());
        if (m_open.empty())
            new QTreeWidgetItem(m_candidates, {texts::kNothingOpen.toString()});
        else if (m_chosenRow == 0)
            new QTreeWidgetItem(m_candidates, {texts::kChooseLesson.toString()});
        return;
    }
    const absences::OpenLesson &open = m_plan->facts.openLessons()[std::size_t(l)];
    m_candidatesCaption->setText(
        texts::kCandidatesOf.toString().arg(open.className, QString::number(open.row), open.subject));
    const absences::Candidates ranked = absences::RankCandidates(*m_plan->model, l);
    const std::vector<absences::Option> &options = m_plan->model->options(l);
    const auto numberOf = [&options](const absences::Option *o) { return o ? int(o - options.data()) : -1; };
    for (const absences::Candidate &c : ranked.teachers) {
        auto *item = new QTreeWidgetItem(m_candidates, {c.teacher, c.free ? QString::number(c.cost) : QString(),
                                                        c.reasons.join(u" · "_s)});
        item->setData(0, kOptionRole, numberOf(c.option));
        item->setToolTip(2, item->text(2));
        if (!c.free)
            for (int col = 0; col < 3; ++col)
                item->setForeground(col, QColor::fromRgba(kGreyed));
    }
    if (!ranked.alternatives.empty()) {
        auto *header = new QTreeWidgetItem(m_candidates, {texts::kAlternativesHeader.toString()});
        header->setData(0, kOptionRole, -1);
        QFont bold = header->font(0);
        bold.setBold(true);
        header->setFont(0, bold);
        header->setFlags(Qt::ItemIsEnabled);
        for (const absences::Option *o : ranked.alternatives) {
            auto *item = new QTreeWidgetItem(m_candidates, {optionText(*o), QString::number(m_plan->model->aloneCost(*o)),
                                                            o->reasons.join(u" · "_s)});
            item->setData(0, kOptionRole, numberOf(o));
            item->setToolTip(0, item->text(0));
            item->setToolTip(2, item->text(2));
        }
    }
    if (m_candidates->topLevelItemCount() > 0)
        m_candidates->setCurrentItem(m_candidates->topLevelItem(0));
}

bool AbsencesController::chooseLesson(int row, int column)
{
    m_chosenRow = row;
    m_chosenColumn = column;
    if (!m_planArea->isVisible())
        return false;
    fillPlanning();
    return m_plan && m_plan->lessonAt(row, column) >= 0;
}

bool AbsencesController::applyCandidate(int line)
{
    QTreeWidgetItem *item = m_candidates->topLevelItem(line);
    const int l = m_plan && m_plan->model ? m_plan->lessonAt(m_chosenRow, m_chosenColumn) : -1;
    if (!item || l < 0)
        return false;
    const int number = item->data(0, kOptionRole).toInt();
    const std::vector<absences::Option> &options = m_plan->model->options(l);
    if (number < 0 || number >= int(options.size()))
        return false;
    // Copies: the edit's refresh makes the plan anew.
    const absences::OpenLesson lesson = m_plan->facts.openLessons()[std::size_t(l)];
    const absences::Option option = options[std::size_t(number)];
    const QString where = undo::CellName(state(), lesson.row, lesson.column);
    {
        Edit edit(edits(), option.action == absences::Action::Teacher ? refresh::LessonsMoved : refresh::ArrangementReverted);
        absences::ApplyOption(edit.state(), lesson, option);
        edit.record(stepOf<undo::AbsenceCommand>(texts::kStepCover.toString().arg(where)));
    }
    // The next open lesson is chosen.
    m_chosenRow = m_open.empty() ? 0 : m_open.front().first;
    m_chosenColumn = m_open.empty() ? 0 : m_open.front().second;
    if (m_planArea->isVisible())
        fillPlanning();
    return true;
}

bool AbsencesController::dropCover(int row, int column)
{
    if (row < 1 || row > state().max_ur || column < 1 || column > state().klassvis
        || state().grid.cell(row, column).cover.empty())
        return false;
    const QString where = undo::CellName(state(), row, column);
    Edit edit(edits(), refresh::LessonsMoved);
    edit.state().grid.cell(row, column).cover = day::Cover();
    edit.record(stepOf<undo::AbsenceCommand>(texts::kStepDropCover.toString().arg(where)));
    return true;
}

// ---- The whole-day cover ----------------------------------------------------------------------

void AbsencesController::coverAll()
{
    if (m_job || !onDay() || m_open.empty())
        return;
    auto job = std::make_shared<CoverJob>();
    job->state = state();
    job->counts = counts();
    job->weights = absences::PresetWeights(m_preset);
    job->before = day::TakeGridSnapshot(state());
    m_job = job;
    m_coverAll->setEnabled(false);
    fillPlanning();
    // The solve takes the one CBC lock, which an exact arrangement may hold for a while: it runs
    // on its own thread on its own copy of the day, so the window stays responsive.
    m_thread = QThread::create([job] {
        job->facts = std::make_unique<absences::DayFacts>(job->state);
        job->model = std::make_unique<absences::CoverModel>(*job->facts, job->counts, job->weights);
        job->result = absences::SolveDayCover(*job->model);
    });
    connect(m_thread, &QThread::finished, this, &AbsencesController::solved, Qt::QueuedConnection);
    m_thread->start();
}

void AbsencesController::solved()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_proposed = std::move(m_job);
    m_job.reset();
    if (!m_proposed->result.solved) {
        const QString error = m_proposed->result.error;
        m_proposed.reset();
        if (m_planArea->isVisible())
            fillPlanning();
        notify(error);
        return;
    }
    showProposal();
    emit proposalShown();
}

void AbsencesController::showProposal()
{
    const CoverJob &job = *m_proposed;
    const absences::CoverModel &model = *job.model;
    m_proposal->clear();
    std::map<int, int> picks; // the proposal's own covers so far, per name: the k-th costs more
    int covered = 0;
    for (int l = 0; l < model.lessonCount(); ++l) {
        const absences::OpenLesson &open = job.facts->openLessons()[std::size_t(l)];
        const absences::Option &o = model.options(l)[std::size_t(job.result.chosen[std::size_t(l)])];
        int cost = o.staticCost;
        if (o.fairName >= 0)
            cost += model.marginal(model.startCount(o.fairName) + ++picks[o.fairName]);
        covered += o.action == absences::Action::Open ? 0 : 1;
        auto *item = new QTreeWidgetItem(m_proposal, {open.className, QString::number(open.row), open.subject, open.absent,
                                                      optionText(o), o.reasons.join(u" · "_s), QString::number(cost)});
        item->setToolTip(4, item->text(4));
        item->setToolTip(5, item->text(5));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
    }
    m_proposalTotal->setText(texts::kPreviewTotal.toString()
                                 .arg(model.lessonCount())
                                 .arg(covered)
                                 .arg(job.result.total)
                                 .arg(job.result.optimal ? texts::kOptimal : texts::kNotProven)
                                 .arg(job.result.ms));
    m_stack->setCurrentIndex(1);
    fillPlanning();
}

bool AbsencesController::acceptProposal(bool onlyChecked)
{
    if (!m_proposed)
        return false;
    if (!sameDay(day::TakeGridSnapshot(state()), m_proposed->before)) {
        discardProposal();
        notify(texts::kProposalStale.toString());
        return false;
    }
    const absences::CoverModel &model = *m_proposed->model;
    std::vector<int> chosen = m_proposed->result.chosen;
    bool any = false;
    for (int l = 0; l < model.lessonCount(); ++l) {
        const QTreeWidgetItem *item = m_proposal->topLevelItem(l);
        if (onlyChecked && item && item->checkState(0) != Qt::Checked) {
            const std::vector<absences::Option> &options = model.options(l);
            for (int o = 0; o < int(options.size()); ++o)
                if (options[std::size_t(o)].action == absences::Action::Open)
                    chosen[std::size_t(l)] = o;
        }
        any = any || model.options(l)[std::size_t(chosen[std::size_t(l)])].action != absences::Action::Open;
    }
    if (!any) {
        notify(texts::kNothingChecked.toString());
        return false;
    }
    if (!absences::Feasible(model, chosen)) {
        notify(texts::kBrokenRun.toString());
        return false;
    }
    applyChoice(chosen);
    return true;
}

void AbsencesController::applyChoice(const std::vector<int> &chosen)
{
    const std::shared_ptr<CoverJob> job = std::move(m_proposed);
    m_proposed.reset();
    m_stack->setCurrentIndex(0);
    int covered = 0;
    for (int l = 0; l < job->model->lessonCount(); ++l)
        covered += job->model->options(l)[std::size_t(chosen[std::size_t(l)])].action != absences::Action::Open ? 1 : 0;
    Edit edit(edits(), refresh::ArrangementReverted);
    absences::ApplyChoice(edit.state(), *job->model, chosen);
    edit.record(stepOf<undo::AbsenceCommand>(texts::kStepDayCover.toString().arg(covered)));
}

void AbsencesController::discardProposal()
{
    m_proposed.reset();
    m_proposal->clear();
    m_stack->setCurrentIndex(0);
    if (m_planArea->isVisible())
        fillPlanning();
}

} // namespace rasp::ui

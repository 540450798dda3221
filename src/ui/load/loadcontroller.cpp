#include "loadcontroller.h"

#include "widgets/circlebutton.h"
#include "edit/editfunnel.h"
#include "load/loadedit.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "loadmatrixview.h"
#include "loadpage.h"
#include "loadstripview.h"
#include "loadtexts.h"
#include "shell/messages.h"
#include "refresh.h"
#include "state.h"
#include "template/classorder.h"
#include "template/classrenames.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

namespace t = loadtexts;

QString str(QStringView view)
{
    return view.toString();
}

} // namespace

LoadController::LoadController(const Shell &shell, QWidget *page, QObject *parent)
    : Controller(shell, parent)
{
    build(page);
    wire();
}

void LoadController::build(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    m_page = new LoadPage(state(), tab);
    layout->addWidget(m_page);

    LoadMenus &m = m_menus;
    m.PopupMenu3 = new QMenu(window());
    m.PopupMenu3->setObjectName(u"PopupMenu3"_s);
    QMenu *clearClasses = m.PopupMenu3->addMenu(str(t::kClearAbout));
    m.MenuItem2 = clearClasses->addAction(str(t::kClassLoad));
    m.MenuItem4 = clearClasses->addAction(str(t::kAllClassesLoad));
    m.MenuItem5 = clearClasses->addAction(str(t::kClassNames));
    m.MenuItem6 = m.PopupMenu3->addAction(str(t::kDeleteClass));

    m.PopupMenu4 = new QMenu(window());
    m.PopupMenu4->setObjectName(u"PopupMenu4"_s);
    QMenu *clearTeachers = m.PopupMenu4->addMenu(str(t::kClearAbout));
    m.MenuItem21 = clearTeachers->addAction(str(t::kTeacherLoad));
    m.MenuItem22 = clearTeachers->addAction(str(t::kAllTeachersLoad));
    m.MenuItem3 = clearTeachers->addAction(str(t::kTeacherNames));
    QMenu *deleteTeachers = m.PopupMenu4->addMenu(str(t::kDeleteRecord));
    m.MenuItem8 = deleteTeachers->addAction(str(t::kTeacherRecord));
    m.MenuItem23 = deleteTeachers->addAction(str(t::kAllTeacherRecords));

    m.Image8 = new QLabel(str(t::kSaving), window());
    m.Image8->setObjectName(u"Image8"_s);
    m.Image8->setAlignment(Qt::AlignCenter);
    m.Image8->setFixedSize(320, 60);
    m.Image8->setStyleSheet(u"background: #FFFFFF; border: 1px solid #717171; color: #0061B0; font-size: 18pt;"_s);
    m.Image8->hide();
}

void LoadController::wire()
{
    connect(m_page->sSpeedButton18, &CircleButton::clicked, this, &LoadController::addClass);
    connect(m_page->sSpeedButton16, &CircleButton::clicked, this, &LoadController::addTeacher);
    connect(m_page->sSpeedButton15, &CircleButton::clicked, this, &LoadController::saveAndReread);
    connect(m_page->SpeedButton12, &CircleButton::clicked, this, &LoadController::askDeleteEverything);
    connect(m_page->sSpeedButton17, &CircleButton::clicked, this, &LoadController::sortTeachers);
    connect(m_page->ScrollBox4, &LoadStripView::menuClicked, this, &LoadController::openClassMenu);
    connect(m_page->ScrollBox3, &LoadStripView::menuClicked, this, &LoadController::openTeacherMenu);
    const LoadMenus &m = m_menus;
    connect(m.MenuItem2, &QAction::triggered, this, &LoadController::clearClassLoad);
    connect(m.MenuItem4, &QAction::triggered, this, &LoadController::clearAllClassesLoad);
    connect(m.MenuItem5, &QAction::triggered, this, &LoadController::clearClassNames);
    connect(m.MenuItem6, &QAction::triggered, this, &LoadController::deleteClass);
    connect(m.MenuItem21, &QAction::triggered, this, &LoadController::clearTeacherLoad);
    connect(m.MenuItem22, &QAction::triggered, this, &LoadController::clearAllTeachersLoad);
    connect(m.MenuItem3, &QAction::triggered, this, &LoadController::clearTeacherNames);
    connect(m.MenuItem8, &QAction::triggered, this, &LoadController::deleteTeacher);
    connect(m.MenuItem23, &QAction::triggered, this, &LoadController::deleteAllTeachers);
    // What is typed into the page goes into the model through the funnel, before the view goes on.
    connect(m_page->ScrollBox1, &LoadMatrixView::cellTyped, this, [this](int m, int j, const QStringList &lines) {
        Edit edit(edits());
        edit.state().Predmet[std::size_t(m)][std::size_t(j)] = lines;
    });
    for (LoadStripView *strip : {m_page->ScrollBox4, m_page->ScrollBox3}) {
        connect(strip, &LoadStripView::nameTyped, this, [this, strip](int n, const QString &name) {
            Edit edit(edits());
            State &s = edit.state();
            (strip->kind() == LoadStripView::Classes ? s.Klass[std::size_t(n)] : s.PedFio[std::size_t(n)].name) = name;
        });
    }
}

void LoadController::clearIndex(const QString &tipp)
{
    Edit edit(edits());
    load::masClear(edit.state(), tipp);
    if (tipp == u"RaspUrPredm"_s) {
        edit.state().pins.clear();
        emit subjectsCleared();
    }
}

void LoadController::appendTeacher()
{
    {
        Edit edit(edits());
        load::PedCreate(edit.state());
    }
    modelChanged();
}

void LoadController::read(int prm)
{
    clearIndex(u"RaspUrPredm"_s);
    load::NagruzReport report;
    {
        Edit edit(edits());
        report = load::NagruzLoad(edit.state(), prm);
    }
    showRead(report, prm);
}

void LoadController::showRead(const load::NagruzReport &report, int prm)
{
    emit loadRead(report.classNames > 0, prm == 1);
    modelChanged();
    if (report.status == text::ReadResult::Unreadable)
        notify(report.error);
    else if (!report.problems.isEmpty())
        notify(str(t::kReadWithProblems) + FirstProblemNotice(report.problems));
}

bool LoadController::save(bool notice)
{
    // The load is read only at start-up (its classes shape the grid), so another program's
    // version is opened by a restart.
    if (!mayReplace({QDir::current().filePath(load::NagruzPath())}, {}))
        return false;
    QString error;
    bool saved;
    QStringList failures;
    {
        Edit edit(edits());
        saved = load::NagruzSave(edit.state(), &error);
        // Classes renamed on the page keep their lessons in the saved templates and days: every
        // save carries the new names into the class lists recorded beside them.
        if (saved) {
            failures = tmpl::ApplyClassRenames(QDir::current(), tmpl::ClassRenames(edit.state()));
            edit.state().KlassRead = edit.state().Klass;
        }
    }
    if (!saved) {
        notify(NotSavedNotice(error));
        return false;
    }
    if (notice)
        notify(str(t::kSaved));
    if (!failures.isEmpty())
        notify(failures.join(u"\r\n"_s));
    return true;
}

void LoadController::modelChanged()
{
    if (m_page)
        m_page->modelChanged();
}

void LoadController::scrollToOrigin()
{
    if (m_page)
        m_page->scrollToOrigin();
}

// ---- Classes editor ---------------------------------------------------------------------------

void LoadController::addClass()
{
    if (!load::CanAddClass(state())) {
        notify(load::TooManyClassesText());
        return;
    }
    emit classColumnWanted();
    growClassColumns();
    m_page->scrollToLastClass();
}

void LoadController::growClassColumns()
{
    {
        Edit edit(edits());
        load::GrowClassColumns(edit.state());
    }
    modelChanged();
}

void LoadController::openClassMenu(int j)
{
    m_class = j;
    const QRect picture = m_page->ScrollBox4->menuRect(j); // already moved by the strip's scroll
    m_menus.PopupMenu3->popup(m_page->ScrollBox4->mapToGlobal(picture.topLeft() + QPoint(20, 40)));
}

void LoadController::clearClassLoad()
{
    if (!ask(str(t::kClearClassLoad)))
        return;
    {
        Edit edit(edits());
        load::ClearClassLoad(edit.state(), m_class);
    }
    modelChanged();
}

void LoadController::clearAllClassesLoad()
{
    if (!ask(str(t::kClearAllClassesLoad)))
        return;
    {
        Edit edit(edits());
        load::ClearAllLoad(edit.state());
    }
    modelChanged();
}

void LoadController::clearClassNames()
{
    if (!ask(str(t::kClearClassNames)))
        return;
    {
        Edit edit(edits());
        load::ClearClassNames(edit.state());
    }
    modelChanged();
}

void LoadController::deleteClass()
{
    if (m_class < 1 || m_class > state().klassvis)
        return;
    if (load::DeletingClassDeletesAll(state())) {
        if (ask(str(t::kDeleteOnlyClass)))
            deleteEverything();
        return;
    }
    const QDir work = QDir::current();
    const QStringList holding = tmpl::TemplatesHoldingClass(state(), work, m_class);
    if (!ask(tmpl::DeleteClassQuestion(state().Klass[std::size_t(m_class)], holding)))
        return;
    // The saved templates keep their columns by class name from here on.
    if (const QStringList failures = tmpl::RecordMissingClassOrders(state(), work); !failures.isEmpty())
        notify(failures.first());
    emit removing();
    {
        Edit edit(edits());
        load::DeleteClass(edit.state(), m_class);
        emit classDeleted();
    }
    modelChanged();
}

void LoadController::deleteEverything()
{
    {
        Edit edit(edits());
        load::DelVsejNagruz(edit.state());
        emit everythingDeleted();
    }
    modelChanged();
}

// ---- Teachers editor --------------------------------------------------------------------------

void LoadController::addTeacher()
{
    if (state().klassvis < 1) {
        notify(str(t::kClassFirst));
        return;
    }
    if (!load::CanAddTeacher(state())) {
        notify(load::TooManyTeachersText());
        return;
    }
    appendTeacher();
    m_page->scrollToLastTeacher();
}

void LoadController::sortTeachers()
{
    enablePages(false);
    {
        Edit edit(edits());
        load::SortTeachers(edit.state());
    }
    enablePages(true);
    modelChanged();
}

void LoadController::saveAndReread()
{
    const QString problem = load::SaveCheck(state());
    if (!problem.isEmpty()) {
        notify(problem);
        return;
    }
    enablePages(false);
    QLabel *picture = m_menus.Image8;
    picture->move((window()->width() - picture->width()) / 2, (window()->height() - picture->height()) / 2);
    picture->raise();
    picture->show();
    picture->repaint();
    // A file that could not be written is not read back: the page keeps the user's edits.
    if (save(true)) {
        // Teachers of every lesson may have changed: the refresh runs when the edit ends.
        Edit edit(edits(), refresh::LoadChanged);
        read(0);
        emit loadSaved(); // unsaved template edits are dropped
    }
    picture->hide();
    enablePages(true);
}

void LoadController::askDeleteEverything()
{
    if (ask(str(t::kDeleteEverything)))
        deleteEverything();
}

void LoadController::openTeacherMenu(int m)
{
    m_teacher = m;
    const QRect picture = m_page->ScrollBox3->menuRect(m); // already moved by the strip's scroll
    m_menus.PopupMenu4->popup(m_page->ScrollBox3->mapToGlobal(picture.topLeft() + QPoint(20, 30)));
}

void LoadController::clearTeacherLoad()
{
    if (m_teacher < 1 || m_teacher > state().pedvis)
        return;
    if (!ask(t::kClearTeacherLoad.toString().arg(state().PedFio[std::size_t(m_teacher)].name)))
        return;
    {
        Edit edit(edits());
        load::ClearTeacherLoad(edit.state(), m_teacher);
    }
    modelChanged();
}

void LoadController::clearAllTeachersLoad()
{
    if (!ask(str(t::kClearAllTeachersLoad)))
        return;
    {
        Edit edit(edits());
        load::ClearAllLoad(edit.state());
    }
    modelChanged();
}

void LoadController::clearTeacherNames()
{
    if (!ask(str(t::kClearTeacherNames)))
        return;
    {
        Edit edit(edits());
        load::ClearTeacherNames(edit.state());
    }
    modelChanged();
}

void LoadController::deleteTeacher()
{
    if (m_teacher < 1 || m_teacher > state().pedvis)
        return;
    if (!ask(t::kDeleteTeacher.toString().arg(state().PedFio[std::size_t(m_teacher)].name)))
        return;
    emit removing();
    {
        Edit edit(edits());
        load::DeleteTeacher(edit.state(), m_teacher);
    }
    modelChanged();
}

void LoadController::deleteAllTeachers()
{
    if (!ask(str(t::kDeleteAllTeachers)))
        return;
    {
        Edit edit(edits());
        load::DeleteAllTeachers(edit.state());
    }
    modelChanged();
}

} // namespace rasp::ui

// School reference data: the teaching load read into and written from the window's state, and
// the load page's classes and teachers editors.
#include "tform1.h"

#include "messages.h"

#include "circlebutton.h"
#include "daygridview.h"
#include "load/loadedit.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "loadpage.h"
#include "loadstripview.h"
#include "settings/settingscontroller.h"
#include "tabbutton.h"
#include "template/classorder.h"
#include "template/classrenames.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

void TForm1::PedCreate()
{
    rasp::load::PedCreate(m_state);
    loadPageChanged();
}

void TForm1::masClear(const QString &tipp)
{
    rasp::load::masClear(m_state, tipp);
    if (tipp == u"RaspUrPredm"_s) {
        m_state.pins.clear();
        sCheckListBox1->clear(); // the settings page's "Предметы" list is emptied with it
    }
}

void TForm1::fillSubjectLists()
{
    fillPinList();
    // The settings page's "Предметы" list takes the same subjects.
    m_settings->showSubjects(rasp::load::SortedSubjects(m_state.RaspUrPredm));
}

void TForm1::NagruzLoad(int prm)
{
    masClear(u"RaspUrPredm"_s);
    showLoadRead(rasp::load::NagruzLoad(m_state, prm), prm);
}

void TForm1::showLoadRead(const rasp::load::NagruzReport &report, int prm)
{
    if (report.classNames > 0) {
        SpeedB1->setEnabled(true);
        SpeedB2->setEnabled(true);
        SpeedB5->setEnabled(true);
        // After a save the load page stays in front; the page switch shows the grid page later.
        if (prm == 1)
            Tab_1->show();
    }
    fillSubjectLists();
    grid->gridChanged();
    loadPageChanged();
    if (report.status == rasp::text::ReadResult::Unreadable) {
        Rct_SoobPokaz(report.error);
    } else if (!report.problems.isEmpty()) {
        QString notice = u"Файл нагрузки прочитан с замечаниями.\r\n"_s + report.problems.first();
        if (report.problems.size() > 1)
            notice += u"\r\n(и ещё %1)"_s.arg(report.problems.size() - 1);
        Rct_SoobPokaz(notice);
    }
}

bool TForm1::NagruzSave(int ssoob)
{
    // The load is read only at start-up (its classes shape the grid), so another program's
    // version is opened by a restart.
    if (!mayReplaceChangedFiles({QDir::current().filePath(rasp::load::NagruzPath())}, {}))
        return false;
    QString error;
    if (!rasp::load::NagruzSave(m_state, &error)) {
        Rct_SoobPokaz(rasp::ui::NotSavedNotice(error));
        return false;
    }
    if (ssoob == 1)
        Rct_SoobPokaz(u"Данные сохранены"_s);
    return true;
}

// ---- The load page --------------------------------------------------------------------------

void TForm1::buildLoadPage()
{
    auto *layout = new QVBoxLayout(Tab_2);
    layout->setContentsMargins(0, 0, 0, 0);
    loadPage = new rasp::ui::LoadPage(m_state, Tab_2);
    layout->addWidget(loadPage);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(u"PopupMenu3"_s);
    QMenu *clearClasses = PopupMenu3->addMenu(u"Очистить информацию о ..."_s);
    MenuItem2 = clearClasses->addAction(u"нагрузке для выбранного класса"_s);
    MenuItem4 = clearClasses->addAction(u"нагрузке для всех классов"_s);
    MenuItem5 = clearClasses->addAction(u"названиях классов"_s);
    MenuItem6 = PopupMenu3->addAction(u"Удалить класс"_s);

    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(u"PopupMenu4"_s);
    QMenu *clearTeachers = PopupMenu4->addMenu(u"Очистить информацию о ..."_s);
    MenuItem21 = clearTeachers->addAction(u"нагрузке для выбранного учителя"_s);
    MenuItem22 = clearTeachers->addAction(u"нагрузке для ВСЕХ учителей"_s);
    MenuItem3 = clearTeachers->addAction(u"ФИО учителей"_s);
    QMenu *deleteTeachers = PopupMenu4->addMenu(u"Удалить запись ..."_s);
    MenuItem8 = deleteTeachers->addAction(u"о выбранном учителе"_s);
    MenuItem23 = deleteTeachers->addAction(u"о ВСЕХ учителях"_s);

    Image8 = new QLabel(u"Идёт сохранение..."_s, this);
    Image8->setObjectName(u"Image8"_s);
    Image8->setAlignment(Qt::AlignCenter);
    Image8->setFixedSize(320, 60);
    Image8->setStyleSheet(u"background: #FFFFFF; border: 1px solid #717171; color: #0061B0; font-size: 18pt;"_s);
    Image8->hide();
}

void TForm1::wireLoad()
{
    using rasp::ui::CircleButton;
    connect(loadPage->sSpeedButton18, &CircleButton::clicked, this, &TForm1::sSpeedButton18Click);
    connect(loadPage->sSpeedButton16, &CircleButton::clicked, this, &TForm1::sSpeedButton16Click);
    connect(loadPage->sSpeedButton15, &CircleButton::clicked, this, &TForm1::sSpeedButton15Click);
    connect(loadPage->SpeedButton12, &CircleButton::clicked, this, &TForm1::SpeedButton12Click);
    connect(loadPage->sSpeedButton17, &CircleButton::clicked, this, &TForm1::sSpeedButton17Click);
    connect(loadPage->ScrollBox4, &rasp::ui::LoadStripView::menuClicked, this, &TForm1::KlasDelClick);
    connect(loadPage->ScrollBox3, &rasp::ui::LoadStripView::menuClicked, this, &TForm1::PedDelClick);
    connect(MenuItem2, &QAction::triggered, this, &TForm1::MenuItem2Click);
    connect(MenuItem4, &QAction::triggered, this, &TForm1::MenuItem4Click);
    connect(MenuItem5, &QAction::triggered, this, &TForm1::MenuItem5Click);
    connect(MenuItem6, &QAction::triggered, this, &TForm1::MenuItem6Click);
    connect(MenuItem21, &QAction::triggered, this, &TForm1::MenuItem21Click);
    connect(MenuItem22, &QAction::triggered, this, &TForm1::MenuItem22Click);
    connect(MenuItem3, &QAction::triggered, this, &TForm1::MenuItem3Click);
    connect(MenuItem8, &QAction::triggered, this, &TForm1::MenuItem8Click);
    connect(MenuItem23, &QAction::triggered, this, &TForm1::MenuItem23Click);
}

void TForm1::loadPageChanged()
{
    if (loadPage)
        loadPage->modelChanged();
}

// ---- Classes editor ---------------------------------------------------------------------------

void TForm1::sSpeedButton18Click()
{
    if (!rasp::load::CanAddClass(m_state)) {
        Rct_SoobPokaz(rasp::load::TooManyClassesText());
        return;
    }
    KlassCreate();
    DopPredmet();
    loadPage->scrollToLastClass();
}

void TForm1::DopPredmet()
{
    rasp::load::GrowClassColumns(m_state);
    loadPageChanged();
}

void TForm1::KlasDelClick(int j)
{
    num_vibr_klass = j;
    const QRect picture = loadPage->ScrollBox4->menuRect(j); // already moved by the strip's scroll
    PopupMenu3->popup(loadPage->ScrollBox4->mapToGlobal(picture.topLeft() + QPoint(20, 40)));
}

void TForm1::MenuItem2Click()
{
    if (Dial(u"Очистить информацию о нагрузке в классе?"_s) != u"Да"_s)
        return;
    rasp::load::ClearClassLoad(m_state, num_vibr_klass);
    loadPageChanged();
}

void TForm1::MenuItem4Click()
{
    if (Dial(u"Удалить информацию о нагрузке во ВСЕХ классах?"_s) != u"Да"_s)
        return;
    rasp::load::ClearAllLoad(m_state);
    loadPageChanged();
}

void TForm1::MenuItem5Click()
{
    if (Dial(u"Удалить названия всех класов?"_s) != u"Да"_s)
        return;
    rasp::load::ClearClassNames(m_state);
    loadPageChanged();
}

void TForm1::MenuItem6Click()
{
    if (num_vibr_klass < 1 || num_vibr_klass > m_state.klassvis)
        return;
    if (rasp::load::DeletingClassDeletesAll(m_state)) {
        if (Dial(u"Т. к. это единственный существующий класс, то при его удалени будут удалены записи о всех учителях.\rУдалить класс?"_s)
            == u"Да"_s)
            DelVsejNagruz();
        return;
    }
    const QDir work = QDir::current();
    const QStringList holding = rasp::tmpl::TemplatesHoldingClass(m_state, work, num_vibr_klass);
    if (Dial(rasp::tmpl::DeleteClassQuestion(m_state.Klass[std::size_t(num_vibr_klass)], holding)) != u"Да"_s)
        return;
    // The saved templates keep their columns by class name from here on.
    if (const QStringList failures = rasp::tmpl::RecordMissingClassOrders(m_state, work); !failures.isEmpty())
        Rct_SoobPokaz(failures.first());
    ScrolNaNol();
    rasp::load::DeleteClass(m_state, num_vibr_klass);
    if (grid->editorColumn() > m_state.klassvis)
        grid->releaseEditor();
    if (m_state.klassvis < 1)
        showFrameAndMemo();
    grid->gridChanged();
    loadPageChanged();
}

void TForm1::DelVsejNagruz()
{
    rasp::load::DelVsejNagruz(m_state);
    grid->releaseEditor();
    showFrameAndMemo();
    grid->gridChanged();
    loadPageChanged();
    SpeedB1->setEnabled(false);
    SpeedB5->setEnabled(false);
}

// ---- Teachers editor --------------------------------------------------------------------------

void TForm1::sSpeedButton16Click()
{
    if (m_state.klassvis < 1) {
        Rct_SoobPokaz(u"Для начала нужно добавить хотя бы один класс"_s);
        return;
    }
    if (!rasp::load::CanAddTeacher(m_state)) {
        Rct_SoobPokaz(rasp::load::TooManyTeachersText());
        return;
    }
    PedCreate();
    loadPage->scrollToLastTeacher();
}

void TForm1::sSpeedButton17Click()
{
    FormEnable(false);
    rasp::load::SortTeachers(m_state);
    FormEnable(true);
    loadPageChanged();
}

void TForm1::sSpeedButton15Click()
{
    const QString problem = rasp::load::SaveCheck(m_state);
    if (!problem.isEmpty()) {
        Rct_SoobPokaz(problem);
        return;
    }
    FormEnable(false);
    Image8->move((width() - Image8->width()) / 2, (height() - Image8->height()) / 2);
    Image8->raise();
    Image8->show();
    Image8->repaint();
    // A file that could not be written is not read back: the page keeps the user's edits.
    if (NagruzSave(1)) {
        // Classes renamed on the page keep their lessons in the saved templates and days.
        const QStringList failures = rasp::tmpl::ApplyClassRenames(QDir::current(), rasp::tmpl::ClassRenames(m_state));
        m_state.KlassRead = m_state.Klass;
        if (!failures.isEmpty())
            Rct_SoobPokaz(failures.join(u"\r\n"_s));
        NagruzLoad(0);
        SetkaLoad(); // unsaved template edits are dropped
        refresh(rasp::refresh::LoadChanged);
    }
    Image8->hide();
    FormEnable(true);
}

void TForm1::SpeedButton12Click()
{
    if (Dial(u"Удалить абсолютно ВСЁ и ничего не оставить?\rВы уверены?"_s) == u"Да"_s)
        DelVsejNagruz();
}

void TForm1::PedDelClick(int m)
{
    num_vibr_ped = m;
    const QRect picture = loadPage->ScrollBox3->menuRect(m); // already moved by the strip's scroll
    PopupMenu4->popup(loadPage->ScrollBox3->mapToGlobal(picture.topLeft() + QPoint(20, 30)));
}

void TForm1::MenuItem21Click()
{
    if (num_vibr_ped < 1 || num_vibr_ped > m_state.pedvis)
        return;
    if (Dial(u"Очистить информацию о нагрузке у учителя "_s + m_state.PedFio[num_vibr_ped].name + u"?"_s) != u"Да"_s)
        return;
    rasp::load::ClearTeacherLoad(m_state, num_vibr_ped);
    loadPageChanged();
}

void TForm1::MenuItem22Click()
{
    if (Dial(u"Удалить информацию о нагрузке у ВСЕХ учителей?"_s) != u"Да"_s)
        return;
    rasp::load::ClearAllLoad(m_state);
    loadPageChanged();
}

void TForm1::MenuItem3Click()
{
    if (Dial(u"Удалить ФИО всех учителей?"_s) != u"Да"_s)
        return;
    rasp::load::ClearTeacherNames(m_state);
    loadPageChanged();
}

void TForm1::MenuItem8Click()
{
    if (num_vibr_ped < 1 || num_vibr_ped > m_state.pedvis)
        return;
    if (Dial(u"Удалить запись об учителе "_s + m_state.PedFio[num_vibr_ped].name + u"?"_s) != u"Да"_s)
        return;
    ScrolNaNol();
    rasp::load::DeleteTeacher(m_state, num_vibr_ped);
    loadPageChanged();
}

void TForm1::MenuItem23Click()
{
    if (Dial(u"Удалить запись абсолютно о ВСЕХ учителях и ничего не оставить?\rВы уверены?"_s) != u"Да"_s)
        return;
    rasp::load::DeleteAllTeachers(m_state);
    loadPageChanged();
}

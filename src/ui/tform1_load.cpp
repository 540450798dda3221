// School reference data: the entry points of the teaching load and the load page. The work is
// done by rasp::ui::LoadController (src/ui/load); each routine here forwards to it.
#include "tform1.h"

#include "day/shiftcontroller.h"

#include "day/daygridview.h"
#include "load/loadcontroller.h"
#include "load/loadmodel.h"
#include "settings/settingscontroller.h"
#include "shell/tabbutton.h"

#include <QListWidget>

void TForm1::wireLoad()
{
    using rasp::ui::LoadController;
    m_load = new LoadController(shellServices(), Tab_2, this);
    connect(m_load, &LoadController::loadRead, this, [this](bool hasClasses, bool atStartUp) {
        if (hasClasses) {
            SpeedB1->setEnabled(true);
            SpeedB2->setEnabled(true);
            SpeedB5->setEnabled(true);
            // After a save the load page stays in front; the page switch shows the grid page later.
            if (atStartUp)
                Tab_1->show();
        }
        m_shift->fillPins();
        // The settings page's "Предметы" list takes the same subjects.
        m_settings->showSubjects(rasp::load::SortedSubjects(m_state.RaspUrPredm));
        grid->gridChanged();
    });
    connect(m_load, &LoadController::subjectsCleared, sCheckListBox1, &QListWidget::clear);
    connect(m_load, &LoadController::classColumnWanted, this, &TForm1::KlassCreate);
    connect(m_load, &LoadController::removing, this, &TForm1::ScrolNaNol);
    connect(m_load, &LoadController::classDeleted, this, [this] {
        if (grid->editorColumn() > m_state.klassvis)
            grid->releaseEditor();
        if (m_state.klassvis < 1)
            showFrameAndMemo();
        grid->gridChanged();
    });
    connect(m_load, &LoadController::everythingDeleted, this, [this] {
        grid->releaseEditor();
        showFrameAndMemo();
        grid->gridChanged();
        SpeedB1->setEnabled(false);
        SpeedB5->setEnabled(false);
    });
    connect(m_load, &LoadController::loadSaved, this, &TForm1::SetkaLoad);
}

// LoadController::appendTeacher.
void TForm1::PedCreate() { m_load->appendTeacher(); }
// LoadController::clearIndex.
void TForm1::masClear(const QString &tipp) { m_load->clearIndex(tipp); }
// LoadController::read.
void TForm1::NagruzLoad(int prm) { m_load->read(prm); }
// LoadController::save.
bool TForm1::NagruzSave(int ssoob) { return m_load->save(ssoob == 1); }
// LoadController::addClass.
void TForm1::sSpeedButton18Click() { m_load->addClass(); }
// LoadController::growClassColumns.
void TForm1::DopPredmet() { m_load->growClassColumns(); }
// LoadController::openClassMenu.
void TForm1::KlasDelClick(int j) { m_load->openClassMenu(j); }
// LoadController::clearClassLoad.
void TForm1::MenuItem2Click() { m_load->clearClassLoad(); }
// LoadController::clearAllClassesLoad.
void TForm1::MenuItem4Click() { m_load->clearAllClassesLoad(); }
// LoadController::clearClassNames.
void TForm1::MenuItem5Click() { m_load->clearClassNames(); }
// LoadController::deleteClass.
void TForm1::MenuItem6Click() { m_load->deleteClass(); }
// LoadController::deleteEverything.
void TForm1::DelVsejNagruz() { m_load->deleteEverything(); }
// LoadController::addTeacher.
void TForm1::sSpeedButton16Click() { m_load->addTeacher(); }
// LoadController::sortTeachers.
void TForm1::sSpeedButton17Click() { m_load->sortTeachers(); }
// LoadController::saveAndReread.
void TForm1::sSpeedButton15Click() { m_load->saveAndReread(); }
// LoadController::askDeleteEverything.
void TForm1::SpeedButton12Click() { m_load->askDeleteEverything(); }
// LoadController::openTeacherMenu.
void TForm1::PedDelClick(int m) { m_load->openTeacherMenu(m); }
// LoadController::clearTeacherLoad.
void TForm1::MenuItem21Click() { m_load->clearTeacherLoad(); }
// LoadController::clearAllTeachersLoad.
void TForm1::MenuItem22Click() { m_load->clearAllTeachersLoad(); }
// LoadController::clearTeacherNames.
void TForm1::MenuItem3Click() { m_load->clearTeacherNames(); }
// LoadController::deleteTeacher.
void TForm1::MenuItem8Click() { m_load->deleteTeacher(); }
// LoadController::deleteAllTeachers.
void TForm1::MenuItem23Click() { m_load->deleteAllTeachers(); }

// Weekly template: the entry points of the template files, the weekday strip and the template
// actions. The work is done by rasp::ui::TemplateController (src/ui/template); each routine here
// forwards to it, and the shell does the day's part of its actions.
#include "tform1.h"

#include "day/dayfilecontroller.h"
#include "day/editingcontroller.h"

#include "day/callout.h"
#include "edit/editfunnel.h"
#include "template/templatecontroller.h"

#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireTemplate()
{
    using rasp::ui::TemplateController;
    m_template = new TemplateController(shellServices(), RctSet, Tab_1, this);
    connect(m_template, &TemplateController::pageWanted, this, [this] { SostMeuProg(0, 0, 0, 0, 1); });
    connect(m_template, &TemplateController::gridClearing, this, &TForm1::RaspClear);
    connect(m_template, &TemplateController::gridFilled, this, [this] {
        VtorayaSmenaGranici();
        VtorayaSmenaBlok(1);
    });
    connect(m_template, &TemplateController::dayShown, this, [this] {
        m_dayFile->refreshDay(true);
        m_editing->hideWeekCount();
    });
    connect(m_template, &TemplateController::dayFromTemplateWanted, m_dayFile, &rasp::ui::DayFileController::fillFromTemplate);
    connect(m_template, &TemplateController::gridCleared, this, [this] { m_dayFile->refreshDay(true); });
    connect(m_template, &TemplateController::clearDeclined, this, [this] {
        MaxUrVsego();
        MaxRepUr();
    });
    connect(img_SB9, &QToolButton::clicked, this, &TForm1::sSpeedButton9Click);
    connect(img_SB10, &QToolButton::clicked, this, &TForm1::sSpeedButton10Click);
}

// TemplateController::read.
void TForm1::SetkaLoad() { m_template->read(); }
// TemplateController::save.
void TForm1::SetkaSave() { m_template->save(); }
// TemplateController::fillGrid.
void TForm1::SetkaZapol(int den) { m_template->fillGrid(den); }
// TemplateController::enter.
void TForm1::dejstv() { m_template->enter(); }
// TemplateController::chooseWeekday.
void TForm1::BtnSetClick(int k) { m_template->chooseWeekday(k); }
// TemplateController::loadDayFromTemplate.
void TForm1::sSpeedButton9Click() { m_template->loadDayFromTemplate(); }
// TemplateController::askClear.
void TForm1::sSpeedButton10Click() { m_template->askClear(); }

// Application shell: the question and notice overlays drawn inside the main window.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "reports/reportscontroller.h"
#include "shell/overlaypanel.h"
#include "shell/tabbutton.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

QString TForm1::Dial(const QString &s)
{
    // Start-up runs in the constructor, before the window is shown: a question there could not
    // be seen or answered, and its wait would keep the editor from ever appearing. The only one
    // start-up can meet (pin a default-pinned subject that coincides, under a second shift) is
    // answered as the companion program answers it: the settings' pin is kept.
    if (startingUp)
        return rasp::ui::shelltexts::kYes.toString();
    resDial.clear();
    FormEnable(false);
    questionText = s;
    rasp::ui::setMessageText(LabelSoob1, s);
    Rct_soobDlg->fitToMessage(LabelSoob1);
    Rct_soobDlg->centreAndRaise();
    Rct_soobDlg->show();
    ButtonSoob2->setFocus();
    // Nested wait: painting, timers and the overlays' own buttons go on meanwhile. A question
    // still open when the application shuts down counts as "Нет".
    while (resDial.isEmpty()) {
        if (QCoreApplication::closingDown()) {
            resDial = rasp::ui::shelltexts::kNo.toString();
            break;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    Rct_soobDlg->hide();
    FormEnable(!m_reports->pageOpen()); // the open report page keeps the pages disabled
    return resDial;
}

void TForm1::ButtonSoob1Click()
{
    resDial = rasp::ui::shelltexts::kYes.toString();
}

void TForm1::ButtonSoob2Click()
{
    resDial = rasp::ui::shelltexts::kNo.toString();
    Rct_soob->hide();
}

void TForm1::Rct_SoobPokaz(const QString &s)
{
    noticeText = s;
    rasp::ui::setMessageText(Label10, s);
    Rct_soob->fitToMessage(Label10);
    FormEnable(false);
    Rct_soob->centreAndRaise();
    Rct_soob->show();
}

void TForm1::Button1Click()
{
    Rct_soob->hide();
    FormEnable(!m_reports->pageOpen()); // the open report page keeps the pages disabled
}

void TForm1::FormEnable(bool stat)
{
    Rct_Tab->setEnabled(stat);
    Tab_1->setEnabled(stat);
    Tab_2->setEnabled(stat);
    Tab_4->setEnabled(stat);
}

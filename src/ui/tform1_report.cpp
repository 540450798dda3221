// Reports: the entry points of the delivered-hours page (Tab_3), the substitution page (Tab_Zam)
// and the export of the day or the template. The work is done by rasp::ui::ReportsController
// (src/ui/reports); each routine here forwards to it.
#include "tform1.h"

#include "shell/hint.h"
#include "reports/reportscontroller.h"
#include "reports/reportstexts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireReport()
{
    rasp::ui::Shell shell = shellServices();
    m_reports = new rasp::ui::ReportsController(shell, Tab_3, this);
    rasp::ui::setHint(img_SBZam, rasp::ui::reportstexts::kZamenyHint.toString());
    connect(img_SB8, &QToolButton::clicked, this, &TForm1::sSpeedButton8Click);
    connect(img_SBZam, &QToolButton::clicked, this, &TForm1::ZamenyClick);
    connect(img_SB2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(img_SB12, &QToolButton::clicked, this, &TForm1::sSpeedButton12Click);
    connect(img_SB1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
}

// ReportsController::openHours.
void TForm1::sSpeedButton8Click() { m_reports->openHours(); }
// ReportsController::resetHoursTable.
void TForm1::NachZapolSG() { m_reports->resetHoursTable(); }
// ReportsController::countHours(0).
void TForm1::sSpeedButton19Click() { m_reports->countHours(0); }
// ReportsController::periodChanged.
void TForm1::sDateTimePicker4ClosePicker() { m_reports->periodChanged(); }
// ReportsController::countHours.
void TForm1::RaschetVipProg(int reg) { m_reports->countHours(reg); }
// ReportsController::toggleHoursSize.
void TForm1::SpeedButton10Click() { m_reports->toggleHoursSize(); }
// ReportsController::closeHours.
void TForm1::SpeedButton7Click() { m_reports->closeHours(); }
// ReportsController::openSubstitutions.
void TForm1::ZamenyClick() { m_reports->openSubstitutions(); }
// ReportsController::showSubstitutions.
void TForm1::ZamenyPokaz() { m_reports->showSubstitutions(); }
// ReportsController::showSubstitutionView.
void TForm1::ZamenyVid() { m_reports->showSubstitutionView(); }
// ReportsController::countSubstitutions.
void TForm1::ZamenyRaschet() { m_reports->countSubstitutions(); }
// ReportsController::substitutionsToXlsx.
void TForm1::ZamenyExcel() { m_reports->substitutionsToXlsx(); }
// ReportsController::substitutionsToDocx.
void TForm1::ZamenyWord() { m_reports->substitutionsToDocx(); }
// ReportsController::toggleSubstitutionsSize.
void TForm1::ZamenySize() { m_reports->toggleSubstitutionsSize(); }
// ReportsController::closeSubstitutions.
void TForm1::ZamenyClose() { m_reports->closeSubstitutions(); }
// ReportsController::exportXlsx.
void TForm1::SpeedButton2Click() { m_reports->exportXlsx(); }
// ReportsController::exportDocx.
void TForm1::sSpeedButton12Click() { m_reports->exportDocx(); }
// ReportsController::openExportFolder.
void TForm1::SpeedButton1Click() { m_reports->openExportFolder(); }

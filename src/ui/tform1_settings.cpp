// Settings: the entry points of the settings page and setting.ini. The work is done by
// rasp::ui::SettingsController (src/ui/settings); each routine here forwards to it.
#include "tform1.h"

#include "server/servercontroller.h"

#include "day/shiftcontroller.h"

#include "settings/settingscontroller.h"

#include <QGroupBox>

void TForm1::wireSettings()
{
    m_settings = new rasp::ui::SettingsController(shellServices(), Tab_4, this);
    connect(m_settings, &rasp::ui::SettingsController::serverUseShown, this, [this](bool on) {
        if (!templatePageActive())
            sGroupBox9->setVisible(on);
    });
    connect(m_settings, &rasp::ui::SettingsController::serverSwitchedOff, this, &TForm1::TCPDis);
    connect(m_settings, &rasp::ui::SettingsController::fileInStep, this, [this] {
        m_shift->fileInStep();
        m_server->takeAddress();
    });
    m_settings->toPage();
}

// SettingsController::load.
void TForm1::SetLoad() { m_settings->load(); }
// SettingsController::save.
void TForm1::SetSave(int s) { m_settings->save(s == 1); }
// SettingsController::addRoom.
void TForm1::SpeedButton3Click() { m_settings->addRoom(); }
// SettingsController::removeRoom.
void TForm1::SpeedButton4Click() { m_settings->removeRoom(); }
// SettingsController::lockSubject.
void TForm1::sSpeedButton2Click() { m_settings->lockSubject(); }
// SettingsController::unlockSubject.
void TForm1::sSpeedButton1Click() { m_settings->unlockSubject(); }
// SettingsController::showPassword.
void TForm1::SpeedButton5MouseDown() { m_settings->showPassword(); }
// SettingsController::hidePassword.
void TForm1::SpeedButton5MouseUp() { m_settings->hidePassword(); }
// SettingsController::serverSwitched.
void TForm1::sCheckBox1Change() { m_settings->serverSwitched(); }
// SettingsController::save.
void TForm1::SpeedButton6Click() { m_settings->save(true); }
// SettingsController::secondShiftSwitched.
void TForm1::CheckBox3Change() { m_settings->secondShiftSwitched(); }

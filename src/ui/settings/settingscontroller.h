#pragma once

#include "shell/controller.h"

#include "text/textfile.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace rasp::settings {
struct Settings;
}

namespace rasp::ui {

// The controls of the settings page, named as the routines refer to them (the window tests
// drive them through TForm1::settingsPage()).
struct SettingsPageWidgets {
    QGroupBox *roomsGroup = nullptr;      // "Кабинеты"
    QListWidget *sListBox1 = nullptr;     // rooms
    QLineEdit *sEdit1 = nullptr;          // room to add
    QPushButton *SpeedButton3 = nullptr;  // "Добавить"
    QPushButton *SpeedButton4 = nullptr;  // "Удалить"
    QListWidget *ListBox2 = nullptr;      // "Предметы": all subjects of the load
    QListWidget *ListBox3 = nullptr;      // "Блокировать"
    QToolButton *sSpeedButton2 = nullptr; // arrow: subject into "Блокировать"
    QToolButton *sSpeedButton1 = nullptr; // arrow: subject out of "Блокировать"
    QCheckBox *sCheckBox1 = nullptr;      // "Использовать сервер"
    QGroupBox *sGroupBox7 = nullptr;      // server fields
    QLineEdit *sEdit2 = nullptr;          // "IP"
    QLineEdit *sEdit5 = nullptr;          // "Порт"
    QLineEdit *sEdit3 = nullptr;          // "Логин"
    QLineEdit *sEdit4 = nullptr;          // "Пароль", masked
    QToolButton *SpeedButton5 = nullptr;  // eye button beside "Пароль"
    QRadioButton *RadioButton1 = nullptr; // "Книжная"
    QRadioButton *RadioButton2 = nullptr; // "Альбомная"
    QRadioButton *RadioButton3 = nullptr; // "в строчку"
    QRadioButton *RadioButton4 = nullptr; // "в столбец"
    QCheckBox *CheckBox1 = nullptr;       // rooms from the template
    QCheckBox *CheckBox2 = nullptr;       // animate moves
    QComboBox *ComboBox1 = nullptr;       // lesson rows "6" .. "16"
    QCheckBox *CheckBox3 = nullptr;       // "Вторая смена"
    QGroupBox *GroupBox3 = nullptr;       // second-shift table layout
    QRadioButton *RadioButton5 = nullptr; // "в одной таблице"
    QRadioButton *RadioButton6 = nullptr; // "две разные таблицы"
    QPushButton *SpeedButton6 = nullptr;  // "Сохранить"
};

// The settings page (Tab_4) and setting.ini: the page shows the state's settings, every control
// takes effect in the state at once (through the edit funnel), and "Сохранить", a room or a
// locked subject write the file. It tells the shell by signals what the page switched and when
// the file holds what the state holds.
class SettingsController : public Controller
{
    Q_OBJECT
public:
    // Fills `page` (the shell's Tab_4) with the settings page; toPage() then shows the state's
    // settings (the shell calls it once it has connected the signals).
    SettingsController(const Shell &shell, QWidget *page, QObject *parent);

    // SetLoad: reads setting.ini into the state and shows what it gave.
    void load();
    // showSettingsRead: the page, the default pins, the shell's copies and a notice for a damaged file.
    void showRead(text::ReadResult::Status status, const QStringList &problems, const QString &error);
    // SetSave: writes setting.ini from the page; `notice` shows the "saved" notice.
    void save(bool notice);
    // settingsToPage: the state's settings into the page's controls.
    void toPage();
    // Takes the subjects of the load into "Предметы".
    void showSubjects(const QStringList &subjects);

    // SpeedButton3Click / SpeedButton4Click: adds the typed room, removes the selected one.
    void addRoom();
    void removeRoom();
    // sSpeedButton2Click / sSpeedButton1Click: a subject into or out of "Блокировать".
    void lockSubject();
    void unlockSubject();
    // SpeedButton5MouseDown / SpeedButton5MouseUp: the password in clear while the eye is pressed.
    void showPassword();
    void hidePassword();
    // sCheckBox1Change: "Использовать сервер" switched by the user.
    void serverSwitched();
    // CheckBox3Change: "Вторая смена" toggled; the table-layout group follows it.
    void secondShiftSwitched();

    // The page's controls, for the window tests.
    const SettingsPageWidgets &widgets() const { return m_w; }

signals:
    // Whether the server is used, as the page now shows it: the notes group follows (outside
    // the template page).
    void serverUseShown(bool on);
    // The user switched the server off: an exchange under way ends.
    void serverSwitchedOff();
    // setting.ini now holds what the state holds (it was read or written).
    void fileInStep();

private:
    void build(QWidget *page);
    void wire();
    // settingsFromPage: the page's controls into the state's settings.
    void fromPage();
    // The page's controls written into `s`.
    void takePage(settings::Settings &s) const;

    SettingsPageWidgets m_w;
    bool m_filling = false; // true while toPage sets the controls
};

} // namespace rasp::ui

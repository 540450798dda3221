#pragma once

#include "day/gridgeometry.h"
#include "state.h"

#include <QDateEdit>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QMenu;
class QPushButton;
class QButtonGroup;
class QToolButton;

namespace rasp::ui {
class DayGridView;
class OverlayPanel;
class TabButton;
} // namespace rasp::ui

// The main window. It owns the editor's whole state (one rasp::State) and every page; its
// handler methods keep the routine names and stay short: read the widgets, call core,
// refresh the views. Definitions live in tform1_<subsystem>.cpp.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    rasp::State m_state;

    // ---- Application shell: start-up, shutdown, tool state ----------------------------
    // Start-up: folders, settings, grid, load, template, today's day, server, pages.
    void FormCreate();
    // Close confirmation: CanClose becomes true only on the answer "Да".
    void FormCloseQuery(bool &CanClose);
    // Puts the page bar and the day-page tool bar into their initial look.
    void NachSost();
    // Enables or disables the grid tools according to whether an arrangement runs.
    void EnabledKomponent();
    // Scrolls every scrolling area back to the origin.
    void ScrolNaNol();

    // ---- Application shell: overlays ---------------------------------------------------
    // Asks a yes/no question inside the window and returns "Да" or "Нет".
    QString Dial(const QString &s);
    // Shows a notice with the button "Замечательно"; returns at once.
    void Rct_SoobPokaz(const QString &s);
    // Enables or disables the page bar and the pages Tab_1, Tab_2 and Tab_4.
    void FormEnable(bool stat);
    // "Да" of the question overlay.
    void ButtonSoob1Click();
    // "Нет" of the question overlay; also closes a notice open under the question.
    void ButtonSoob2Click();
    // "Замечательно" of the notice overlay.
    void Button1Click();

    QString resDial;          // answer of the question overlay; empty while it waits
    QString questionText;     // the question as asked ("\r\n" kept)
    QString noticeText;       // the notice as given ("\r\n" kept)

    // ---- Day timetable: grid ------------------------------------------------------------
    // Appends one class column to the grid and refreshes its view.
    void KlassCreate();
    // Empties the day on the grid, unlocks and unfreezes everything.
    void RaspClear();
    // Moves the selection frame to (row, column) and puts the editor on its subject field.
    void RamkaKoord(int row, int column);
    // Shows the selection frame and the notes memo when classes exist, hides both otherwise.
    void showFrameAndMemo();
    // A free subject field or a room field was clicked: frame and editor go there.
    void RaspClick(int row, int column, rasp::day::GridGeometry::Field field);

    // ---- School reference data: teaching load -------------------------------------------
    // Reads nagruz.ini: prm 1 at start-up (a column per class, a row per teacher), 0 after a save.
    void NagruzLoad(int prm);
    // Writes the load to nagruz.ini; with ssoob = 1 then shows "Данные сохранены".
    void NagruzSave(int ssoob);
    // With "RaspUrPredm" empties the subject index, both subject lists and every assignment.
    void masClear(const QString &tipp);
    // Appends one teacher row to the load.
    void PedCreate();
    // Refills the subject lists from the subject index, in list order.
    void fillSubjectLists();

    // ---- Day timetable: teacher resolution and highlighting -----------------------------
    // Recomputes teacher lists and colours of the grid; uchitel is the selected teacher list.
    void PoiskUchit(const QString &uchitel);
    // Mode buttons: each acts only when its own button has become checked.
    void sRadioButton1Change();
    void sRadioButton2Change();
    void sRadioButton3Change();
    void sRadioButton4Change();
    // Runs the resolution after a key was released in the grid editor and shows the cell's teachers.
    void resolveAfterGridKey(int row, int column);
    // ---- Application shell: pages, action captions ------------------------------------
    // Enters a page: r1 day page, r2 load page, r4 settings page, r5 template page (r3 unused).
    void SostMeuProg(int r1, int r2, int r3, int r4, int r5);
    // Tab "Расписание": asks when leaving the template page, then enters the day page.
    void SpeedB1Click();
    // Tab "Нагрузка": enters the load page.
    void SpeedB2Click();
    // Tab "Настройки": enters the settings page.
    void SpeedB4Click();
    // Tab "Сетка": asks when leaving the day page, then enters the template page.
    void SpeedB5Click();
    // Sets the weekday label and the action hints from the target date and the active mode.
    void TextKnop();
    // Whether the day page (tab "Расписание" filled with the accent) is the active page.
    bool dayPageActive() const;
    // Whether the template page (tab "Сетка" filled with the accent) is the active page.
    bool templatePageActive() const;

    // ---- Day timetable: day file and dates ---------------------------------------------
    // Writes the grid to the day file at the relative path s, then shows the notice soob.
    void RaspSave(const QString &s, const QString &soob);
    // Reads the day file at the relative path s into the grid (rooms and note only with
    // zagruz_kab = 1) and recomputes everything derived from it.
    void RaspLoad(const QString &s, int zagruz_kab);
    // The refresh sequence after the grid's content changed; afterLoad adds the checks that
    // follow loading or filling a whole day.
    void refreshDay(bool afterLoad);
    // Save action of "Действия": the day under the target date, or the template.
    void sSpeedButton11Click();
    // Calendar of "Загрузить расписание за" closed: hands its action to ThreadCreate(1).
    void sDateTimePicker1ClosePicker();
    // Calendar of "Редактировать расписание на" closed: hands its action to ThreadCreate(2).
    void sDateTimePicker2ClosePicker();
    // Calendar of "Будет создано расписание на" closed: hands its action to ThreadCreate(3).
    void sDateTimePicker3ClosePicker();
    // Runs date action n (1..3) on the user-interface thread once the current event is done.
    void ThreadCreate(int n);
    // Copies the saved day of picker 1 onto the grid; the target date stays.
    void sDateTimePicker1ClPicker();
    // Opens the saved day of picker 2 and makes its date the target date.
    void sDateTimePicker2ClPicker();
    // The target date changed: refreshes the captions.
    void sDateTimePicker3ClPicker();
    // Keyboard focus, selection frame and teacher caption on cell (1, 1) after a day was opened.
    void focusFirstCell();
    // Empties the grid and the note for a date that has no day file.
    void clearDay();

    // ---- Settings ------------------------------------------------------------------------
    // Reads setting.ini into the state and the settings page; reports a damaged file.
    void SetLoad();
    // Writes setting.ini from the settings page; s = 1 also shows the "saved" notice.
    void SetSave(int s);
    // Shows the state's settings in the controls of the settings page.
    void settingsToPage();
    // "Добавить": adds the typed room.
    void SpeedButton3Click();
    // "Удалить": removes the selected room.
    void SpeedButton4Click();
    // Upper arrow: adds the selected subject of "Предметы" to "Блокировать".
    void sSpeedButton2Click();
    // Lower arrow: removes the selected subject from "Блокировать".
    void sSpeedButton1Click();
    // Eye button pressed: the password shows in clear.
    void SpeedButton5MouseDown();
    // Eye button released: the password is masked again.
    void SpeedButton5MouseUp();
    // "Использовать сервер" switched.
    void sCheckBox1Change();
    // "Сохранить" of the settings page.
    void SpeedButton6Click();

    // ---- Widgets (named as the routines refer to them) ---------------------------------
    QWidget *Rct_Tab = nullptr;                 // page bar
    rasp::ui::TabButton *SpeedB1 = nullptr;     // "Расписание"
    rasp::ui::TabButton *SpeedB5 = nullptr;     // "Сетка"
    rasp::ui::TabButton *SpeedB2 = nullptr;     // "Нагрузка"
    rasp::ui::TabButton *SpeedB4 = nullptr;     // "Настройки"
    QWidget *Tab_1 = nullptr;                   // grid page (day and template modes)
    QWidget *Tab_2 = nullptr;                   // load page
    QWidget *Tab_3 = nullptr;                   // report page, shown over the grid page
    QWidget *Tab_4 = nullptr;                   // settings page

    QToolButton *sSpeedButton5 = nullptr;       // bar that opens and closes the tool panel
    QWidget *sPanel8 = nullptr;                 // tool panel
    QGroupBox *sGroupBox3 = nullptr;            // "Автоподбор"
    QGroupBox *sGroupBox1 = nullptr;            // "Показывать"
    QGroupBox *sGroupBox4 = nullptr;            // "Действия"
    QGroupBox *sGroupBox9 = nullptr;            // "Заметки"
    QToolButton *Img_SB4 = nullptr;             // "Старт"
    QToolButton *img_SB6 = nullptr;             // "Стоп"
    QToolButton *img_SB7 = nullptr;             // "Венуть предыдущий вариант"
    QComboBox *sComboBox1 = nullptr;            // "отсутствие первых уроков"
    QComboBox *sComboBox2 = nullptr;            // "максимум уроков"
    QListWidget *sCheckListBox1 = nullptr;      // "Не перемещать"
    QToolButton *img_SB8 = nullptr, *img_SB3 = nullptr, *img_SB9 = nullptr, *img_SB10 = nullptr,
                *img_SB11 = nullptr, *img_SB12 = nullptr, *img_SB2 = nullptr, *img_SB13 = nullptr,
                *img_SB14 = nullptr, *img_SB1 = nullptr; // the ten action pictures of "Действия"
    QLabel *labLoadDate = nullptr;              // "Загрузить расписание за"
    QLabel *labEditDate = nullptr;              // "Редактировать расписание на"
    QDateEdit *sDateTimePicker1 = nullptr;      // load a saved day into the target date
    QDateEdit *sDateTimePicker2 = nullptr;      // open a saved day for editing
    QDateEdit *sDateTimePicker3 = nullptr;      // target date of the grid
    QDateEdit *sDateTimePicker4 = nullptr;      // report period start
    QDateEdit *sDateTimePicker5 = nullptr;      // report period end
    QWidget *Panel5 = nullptr;                  // top bar of the grid area
    QWidget *Rectangle13 = nullptr;             // creation-date box
    QLabel *sLabel2 = nullptr;                  // weekday of the target date
    QWidget *Rectangle15 = nullptr;             // teacher caption box
    QLabel *sLabel7 = nullptr;                  // teacher list of the focused cell
    QButtonGroup *Regim = nullptr;              // the four highlighting modes of "Показывать"
    QRadioButton *sRadioButton2 = nullptr;      // "только совпадения"
    QRadioButton *sRadioButton1 = nullptr;      // "каждого учителя отдельным цветом"
    QRadioButton *sRadioButton4 = nullptr;      // "только выбранного учителя"
    QRadioButton *sRadioButton3 = nullptr;      // "не выделять цветом"
    QWidget *RctSet = nullptr;                  // weekday strip of the template page
    QLabel *LabSetOpis = nullptr;               // caption of the weekday strip
    QLabel *Img_zdite = nullptr;                // wait picture
    rasp::ui::DayGridView *grid = nullptr;      // header strip, row strip and grid body (ScrollBox2)
    QMenu *cellMenu = nullptr;                  // cell context menu
    QAction *N2 = nullptr;                      // "Снять выделение"

    // Settings page Tab_4.
    QGroupBox *roomsGroup = nullptr;            // "Кабинеты"
    QListWidget *sListBox1 = nullptr;           // rooms
    QLineEdit *sEdit1 = nullptr;                // room to add
    QPushButton *SpeedButton3 = nullptr;        // "Добавить"
    QPushButton *SpeedButton4 = nullptr;        // "Удалить"
    QListWidget *ListBox2 = nullptr;            // "Предметы": all subjects of the load
    QListWidget *ListBox3 = nullptr;            // "Блокировать"
    QToolButton *sSpeedButton2 = nullptr;       // arrow: subject into "Блокировать"
    QToolButton *sSpeedButton1 = nullptr;       // arrow: subject out of "Блокировать"
    QCheckBox *sCheckBox1 = nullptr;            // "Использовать сервер"
    QGroupBox *sGroupBox7 = nullptr;            // server fields
    QLineEdit *sEdit2 = nullptr;                // "IP"
    QLineEdit *sEdit5 = nullptr;                // "Порт"
    QLineEdit *sEdit3 = nullptr;                // "Логин"
    QLineEdit *sEdit4 = nullptr;                // "Пароль", masked
    QToolButton *SpeedButton5 = nullptr;        // eye button beside "Пароль"
    QRadioButton *RadioButton1 = nullptr;       // "Книжная"
    QRadioButton *RadioButton2 = nullptr;       // "Альбомная"
    QRadioButton *RadioButton3 = nullptr;       // "в строчку"
    QRadioButton *RadioButton4 = nullptr;       // "в столбец"
    QCheckBox *CheckBox1 = nullptr;             // rooms from the template
    QCheckBox *CheckBox2 = nullptr;             // animate moves
    QComboBox *ComboBox1 = nullptr;             // lesson rows "6" .. "16"
    QCheckBox *CheckBox3 = nullptr;             // "Вторая смена"
    QGroupBox *GroupBox3 = nullptr;             // second-shift table layout
    QRadioButton *RadioButton5 = nullptr;       // "в одной таблице"
    QRadioButton *RadioButton6 = nullptr;       // "две разные таблицы"
    QPushButton *SpeedButton6 = nullptr;        // "Сохранить"

    rasp::ui::OverlayPanel *Rct_soobDlg = nullptr; // question overlay
    QLabel *LabelSoob1 = nullptr;
    QPushButton *ButtonSoob1 = nullptr;         // "Да"
    QPushButton *ButtonSoob2 = nullptr;         // "Нет"
    rasp::ui::OverlayPanel *Rct_soob = nullptr; // notice overlay
    QLabel *Label10 = nullptr;
    QPushButton *Button1 = nullptr;             // "Замечательно"

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildShell();
    void buildGridPage();
    void buildToolPanel();
    void buildOverlays();
    void wireApp();
    void wireDay();
    void buildRegimGroup();
    void wireHighlight();
    // Sets the mode, resolves the grid and puts the focus, frame and caption on cell (1,1).
    void regimChosen(rasp::day::Regim regim, const QString &uchitel);
    // Hint of the focused control as the resolution reads it: "row;column" of a focused subject field.
    QString focusedCellHint() const;
    void buildSettingsPage();
    void wirePages();
    void wireDayFile();
    void wireSettings();
    // Takes the settings page's controls into the state's settings.
    void settingsFromPage();
    // Places the action pictures and the top-bar boxes for the day or the template mode.
    void setActionBarMode(bool dayMode);

    bool m_fillingSettingsPage = false; // true while settingsToPage sets the controls
};

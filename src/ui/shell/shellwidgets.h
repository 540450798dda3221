#pragma once

#include <QString>

class QDateEdit;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class QWidget;

namespace rasp::ui {

class DayGridView;
class OverlayPanel;
class PageArea;
class TabButton;

// The shell's own widgets, named as the routines refer to them: the page bar and the pages, the
// tool panel with its groups and the pictures of "Действия", the top bar of the grid page, the
// grid view, and the two overlays with what they show. TForm1 builds them and
// keeps them to itself; tests look at them through TForm1::widgets().
struct ShellWidgets {
    QWidget *Rct_Tab = nullptr;   // page bar
    TabButton *SpeedB1 = nullptr; // "Расписание"
    TabButton *SpeedB5 = nullptr; // "Сетка"
    TabButton *SpeedB2 = nullptr; // "Нагрузка"
    TabButton *SpeedB4 = nullptr; // "Настройки"
    PageArea *pageArea = nullptr; // holds the pages; paints the first-start line
    QWidget *Tab_1 = nullptr;     // grid page (day and template modes)
    QWidget *Tab_2 = nullptr;     // load page
    QWidget *Tab_3 = nullptr;     // report page, shown over the grid page
    QWidget *Tab_4 = nullptr;     // settings page

    QToolButton *img_SBZam = nullptr;      // "Замены" picture of "Действия"
    QToolButton *sSpeedButton5 = nullptr;  // bar that opens and closes the tool panel
    QWidget *sPanel8 = nullptr;            // tool panel
    QGroupBox *sGroupBox3 = nullptr;       // "Автоподбор"
    QGroupBox *sGroupBox1 = nullptr;       // "Показывать"
    QGroupBox *sGroupBox4 = nullptr;       // "Действия"
    QGroupBox *sGroupBox9 = nullptr;       // "Заметки"
    QListWidget *sCheckListBox1 = nullptr; // "Не перемещать"
    QToolButton *img_SB8 = nullptr, *img_SB3 = nullptr, *img_SB9 = nullptr, *img_SB10 = nullptr,
                *img_SB11 = nullptr, *img_SB12 = nullptr, *img_SB2 = nullptr, *img_SB13 = nullptr,
                *img_SB14 = nullptr, *img_SB1 = nullptr; // the ten action pictures of "Действия"
    QLabel *labLoadDate = nullptr;                       // "Загрузить расписание за"
    QLabel *labEditDate = nullptr;                       // "Редактировать расписание на"
    QDateEdit *sDateTimePicker1 = nullptr;               // load a saved day into the target date
    QDateEdit *sDateTimePicker2 = nullptr;               // open a saved day for editing
    QDateEdit *sDateTimePicker3 = nullptr;               // target date of the grid
    QWidget *Panel5 = nullptr;                           // top bar of the grid area
    QWidget *Rectangle13 = nullptr;                      // creation-date box
    QLabel *sLabel2 = nullptr;                           // weekday of the target date
    QWidget *Rectangle15 = nullptr;                      // teacher caption box
    QLabel *sLabel7 = nullptr;                           // teacher list of the focused cell
    QWidget *RctSet = nullptr;                           // weekday strip of the template page
    QLabel *LabSetOpis = nullptr;                        // caption of the weekday strip
    QLabel *Img_zdite = nullptr;                         // wait picture
    DayGridView *grid = nullptr;                         // header strip, row strip and grid body (ScrollBox2)

    OverlayPanel *Rct_soobDlg = nullptr; // question overlay
    QLabel *LabelSoob1 = nullptr;
    QPushButton *ButtonSoob1 = nullptr; // "Да"
    QPushButton *ButtonSoob2 = nullptr; // "Нет"
    OverlayPanel *Rct_soob = nullptr;   // notice overlay
    QLabel *Label10 = nullptr;
    QPushButton *Button1 = nullptr; // "Замечательно"

    QString resDial;      // answer of the question overlay; empty while it waits
    QString questionText; // the question as asked ("\r\n" kept)
    QString noticeText;   // the notice as given ("\r\n" kept)
};

} // namespace rasp::ui

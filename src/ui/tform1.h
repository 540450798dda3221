#pragma once

#include "day/gridgeometry.h"
#include "shell/shellwidgets.h"
#include "state.h"

#include <QDateEdit>
#include <QWidget>

#include <functional>

class QListWidgetItem;

namespace rasp::ui {
class AbsencesController;
class ArrangeController;
class CountersController;
class DayFileController;
class EditFunnel;
class EditingController;
class HighlightController;
class LoadController;
class PrintController;
class ReportsController;
class ServerController;
class SettingsController;
class ShiftController;
struct Shell;
class TemplateController;
class ToolTipsController;
class UndoController;
} // namespace rasp::ui

// The main window, the shell: it owns the editor's state (one rasp::State) and the edit funnel,
// builds the page bar, the tool panel and the overlays, switches pages, and owns one controller
// per subsystem (src/ui/<subsystem>/), which does the work. Every routine the editor is known by
// is a one-line entry point here that forwards to its controller. Definitions: tform1_<part>.cpp.
class TForm1 : public QWidget, private rasp::ui::ShellWidgets
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // ---- What tests and the program read ------------------------------------------------
    // The editor's state as every view reads it.
    const rasp::State &state() const { return m_state; }
    // Test fixtures set facts up directly, outside the edit funnel (no step, no refresh).
    rasp::State &fixtureState() { return m_state; }
    // The shell's widgets and the overlays' texts.
    const rasp::ui::ShellWidgets &widgets() const { return *this; }
    // Forgets the text of the last notice, so that the next one can be told from it.
    void forgetNotice() { noticeText.clear(); }
    // Whether FormCreate still runs (the window is not on screen yet).
    bool isStartingUp() const { return startingUp; }
    // Whether the day page / the template page (its tab filled with the accent) is the active page.
    bool dayPageActive() const;
    bool templatePageActive() const;
    // The controllers, one per subsystem.
    rasp::ui::DayFileController &dayFile() { return *m_dayFile; }       // src/ui/day: the day's file, dates
    rasp::ui::EditingController &editing() { return *m_editing; }       // src/ui/day: typing, lists, moves
    rasp::ui::HighlightController &highlight() { return *m_highlight; } // src/ui/day: "Показывать"
    rasp::ui::ShiftController &shift() { return *m_shift; }             // src/ui/day: locks, pins, shift
    rasp::ui::CountersController &counters() { return *m_counters; }    // src/ui/day: warning, hours
    rasp::ui::ToolTipsController &toolTips() { return *m_toolTips; }    // src/ui/day: explanations
    rasp::ui::UndoController &undo() { return *m_undo; }                // src/ui/undo
    rasp::ui::TemplateController &templates() { return *m_template; }   // src/ui/template
    rasp::ui::LoadController &load() { return *m_load; }                // src/ui/load
    rasp::ui::SettingsController &settings() { return *m_settings; }    // src/ui/settings
    rasp::ui::ArrangeController &arrange() { return *m_arrange; }       // src/ui/arrange
    const rasp::ui::ArrangeController &arrange() const { return *m_arrange; }
    rasp::ui::ReportsController &reports() { return *m_reports; }    // src/ui/reports
    rasp::ui::PrintController &printing() { return *m_print; }       // src/ui/print
    rasp::ui::ServerController &server() { return *m_server; }       // src/ui/server
    rasp::ui::AbsencesController &absences() { return *m_absences; } // src/ui/absences

    // ---- Application shell: start-up, shutdown, overlays, pages --------------------------
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
    // Asks a yes/no question inside the window and returns "Да" or "Нет".
    QString Dial(const QString &s);
    // Shows a notice with the button "Замечательно"; returns at once.
    void Rct_SoobPokaz(const QString &s);
    // Enables or disables the page bar and the pages Tab_1, Tab_2 and Tab_4.
    void FormEnable(bool stat);
    // "Да" / "Нет" of the question overlay ("Нет" also closes a notice open under the question).
    void ButtonSoob1Click();
    void ButtonSoob2Click();
    // "Замечательно" of the notice overlay.
    void Button1Click();
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
    // The grid body scrolled sideways / up or down, the window changed size: the cell lists close.
    void ScrollBox2HScrollChange();
    void ScrollBox2VScrollChange();
    void FormResize();
    // Shows the selection frame and the notes memo when classes exist, hides both otherwise.
    void showFrameAndMemo();

    // ---- Day timetable: grid, day file and dates (src/ui/day) -------------------------------
    // Appends one class column to the grid (core day::KlassCreate).
    void KlassCreate();
    // DayFileController::clearGrid: empties the day, unlocks and unfreezes everything.
    void RaspClear();
    // Moves the selection frame to (row, column) and the editor onto its subject field.
    void RamkaKoord(int row, int column);
    // EditingController::fieldClicked: frame and editor go to the clicked field.
    void RaspClick(int row, int column, rasp::day::GridGeometry::Field field);
    // DayFileController::saveDay: the grid to the day file at s, then the notice soob.
    void RaspSave(const QString &s, const QString &soob);
    // DayFileController::loadDay: the day file at s onto the grid (rooms and note with zagruz_kab 1).
    void RaspLoad(const QString &s, int zagruz_kab);
    // Save action of "Действия": the day under the target date, or the template.
    void sSpeedButton11Click();
    // DayFileController::pickerClosed(1..3): a calendar closed; ThreadCreate(n) runs its action.
    void sDateTimePicker1ClosePicker();
    void sDateTimePicker2ClosePicker();
    void sDateTimePicker3ClosePicker();
    // DayFileController::runLater: date action n (1..3) once the current event is done.
    void ThreadCreate(int n);
    // DayFileController::copySavedDay: the saved day of picker 1 onto the grid.
    void sDateTimePicker1ClPicker();
    // DayFileController::openSavedDay: the saved day of picker 2, its date the target date.
    void sDateTimePicker2ClPicker();
    // DayFileController::targetDateChosen: the target date changed.
    void sDateTimePicker3ClPicker();

    // ---- Day timetable: teachers, highlighting, counters (src/ui/day) ---------------------
    // Recomputes teacher lists and colours of the grid (core day::PoiskUchit) through the funnel.
    void PoiskUchit(const QString &uchitel);
    // HighlightController: the four mode buttons of "Показывать".
    void sRadioButton1Change();
    void sRadioButton2Change();
    void sRadioButton3Change();
    void sRadioButton4Change();
    // ArrangeController::refillMaxLessons: "максимум уроков" from how full the classes are.
    void MaxUrVsego();
    // ArrangeController::refillFirstGaps: "отсутствие первых уроков" from the chosen maximum.
    void MaxRepUr();
    // The user chose a value in "максимум уроков".
    void sComboBox2Change();
    // ShiftController::applyPins: locks of rows y1..y2 follow "Не перемещать" (ind 1 asks).
    void CheckList(int ind, int y1, int y2);
    // ShiftController::checkDefaultPins (core day::CheckDefaultPins): the pins of the settings.
    void sCheckListBox1Checked();
    // ShiftController::pinToggled: an entry of "Не перемещать" was (un)checked.
    void sCheckListBox1ChangeCheck(QListWidgetItem *item);
    // CountersController::checkTeachers: the missing-teacher list and the pulsing warning.
    void NetUchit();
    // CountersController::glowStep: one 10-ms step of the warning's glow.
    void Timer4Timer();
    // CountersController::openWarning: click on the warning opens "Не указаны учителя".
    void SpeedButton11Click();
    // CountersController::showMissingPanel / closeMissingPanel: "Не указаны учителя".
    void Rct_NetUchit();
    void Button3Click();
    // CountersController::resetHoursTable / showTeacherHours / closeTeacherHours.
    void GapolSG2();
    void SpeedButton9Click();
    void SpeedButton8Click();
    // EditingController::countWeek: weekday badges and "Всего" for subject s at (ii, jj).
    void PodshetKolUr(const QString &s, int ii, int jj);

    // ---- Day timetable: rooms, typing and moving lessons (EditingController) ------------
    // ind 1: marks rooms used twice in a row red; ind 2: 1 if `kabinet` is taken in row strok.
    int KabPoisk(int ind, int strok, const QString &kabinet);
    // toggleRoomList / pickRoom / roomKeyReleased / roomReleased: the room fields and their list.
    void RaspKabDblClick(int row, int column);
    void ListBox1DblClick();
    void KabKeyUp(int row, int column, int key);
    void KabMouseUp(int row, int column);
    // subjectKeyReleased / toggleSubjectPicker / pickSubject: the subject fields and their list.
    void UrokKeyUp(int row, int column, int key);
    void RaspUrDblClick(int row, int column);
    void ListBox4DblClick();
    // pressLesson / dragLesson / dropLesson: dragging a lesson within its class.
    void UrokMouseDown(int row, int column, QPointF pos);
    void UrokMouseMove(int row, int column, QPointF pos);
    void UrokMouseUp(int row, int column, QPointF pos);
    // slideStep: one 10-ms step of the displaced lesson's slide.
    void TPeremesenStep();
    // completeMove: the 50-ms tick that completes a move once it is ready.
    void Timer1Timer();

    // ---- Day timetable: locks, pins and the second shift (ShiftController) ----------------
    // openCellMenu: right-click on a subject field, lock picture or caption.
    void cellContextMenu(int row, int column, int xInField, QPoint globalPos);
    // lockCell (core day::LockClickedCell): "Блокировать" → "Ячейку".
    void Z1Click();
    // unlockCell (core day::UnlockClickedCell): "Разблокировать" → "Ячейку".
    void N1Click();
    // lockUpAndRight / lockDownAndLeft (core day::LockUpAndRight, LockDownAndLeft).
    void MenuItem11Click();
    void MenuItem12Click();
    // unlockUpAndRight / unlockDownAndLeft (core day::UnlockUpAndRight, UnlockDownAndLeft).
    void MenuItem14Click();
    void MenuItem15Click();
    // toggleFreeze (core day::Zamoroz): freeze toggle of row r.
    void Zamoroz(int r);
    // clearPins (core day::ClearPins): "Снять выделение" of "Не перемещать".
    void N2Click();
    // lockEmptyCells / unlockCells (core day::BlokYach, RazBlokYach) over rows k1..k2, classes m1..m2.
    void BlokYach(int k1, int m1, int k2, int m2);
    void RazBlokYach(int k1, int m1, int k2, int m2);
    // rangeSliders (core day::VtorayaSmenaGranici): places and ranges the two sliders.
    void VtorayaSmenaGranici();
    // applySplit (core day::VtorayaSmenaBlok): the second shift (ind 1 lifts every lock first).
    void VtorayaSmenaBlok(int ind);
    // startMoved / endMoved: "Начало второй смены" / "Окончание первой смены" moved.
    void TrackBar1Change();
    void TrackBar2Change();
    // SettingsController::secondShiftSwitched: "Вторая смена" toggled.
    void CheckBox3Change();
    // UndoController::undoStep / redoStep: one step of the grid's history.
    void undoStep();
    void redoStep();

    // ---- Weekly template (TemplateController, src/ui/template) ----------------------------
    // read: the seven template files into Setka; a file that cannot be read is reported.
    void SetkaLoad();
    // save: the grid into the selected weekday, then all seven files.
    void SetkaSave();
    // fillGrid: template day den on the grid, if the grid page is shown.
    void SetkaZapol(int den);
    // chooseWeekday: the grid goes into the weekday left, weekday k comes on the grid.
    void BtnSetClick(int k);
    // loadDayFromTemplate: after a question, the day from its weekday's template file.
    void sSpeedButton9Click();
    // askClear: "Очистить" empties the grid after a question (on the template page the weekday too).
    void sSpeedButton10Click();
    // enter: the work of the tab "Сетка", the template page with the selected weekday.
    void dejstv();

    // ---- Teaching load and the load page (LoadController, src/ui/load) --------------------
    // read: nagruz.ini (prm 1 at start-up: a column per class, a row per teacher; 0 after a save).
    void NagruzLoad(int prm);
    // save: nagruz.ini; ssoob 1 then says "Данные сохранены". False after saying why it failed.
    bool NagruzSave(int ssoob);
    // clearIndex: with "RaspUrPredm" empties the subject index, the lists and every assignment.
    void masClear(const QString &tipp);
    // appendTeacher: one teacher row more.
    void PedCreate();
    // addClass: "Добавить класс".
    void sSpeedButton18Click();
    // growClassColumns: the subject fields of the newest class column for every teacher.
    void DopPredmet();
    // openClassMenu: a class's "…" button.
    void KlasDelClick(int j);
    // Class menu: clearClassLoad / clearAllClassesLoad / clearClassNames / deleteClass.
    void MenuItem2Click();
    void MenuItem4Click();
    void MenuItem5Click();
    void MenuItem6Click();
    // deleteEverything: every class and teacher off the page and the grid (the file stays).
    void DelVsejNagruz();
    // addTeacher / sortTeachers / saveAndReread / askDeleteEverything: the page's buttons.
    void sSpeedButton16Click();
    void sSpeedButton17Click();
    void sSpeedButton15Click();
    void SpeedButton12Click();
    // openTeacherMenu: a teacher's "…" button.
    void PedDelClick(int m);
    // Teacher menu: clearTeacherLoad / clearAllTeachersLoad / clearTeacherNames / deleteTeacher /
    // deleteAllTeachers.
    void MenuItem21Click();
    void MenuItem22Click();
    void MenuItem3Click();
    void MenuItem8Click();
    void MenuItem23Click();

    // ---- Settings (SettingsController, src/ui/settings) -----------------------------------
    // load: setting.ini into the state and the page; a damaged file is reported.
    void SetLoad();
    // save: setting.ini from the page; s 1 also shows the "saved" notice.
    void SetSave(int s);
    // addRoom / removeRoom: "Добавить" / "Удалить" of the rooms.
    void SpeedButton3Click();
    void SpeedButton4Click();
    // lockSubject / unlockSubject: the arrows between "Предметы" and "Блокировать".
    void sSpeedButton2Click();
    void sSpeedButton1Click();
    // showPassword / hidePassword: the eye button pressed and released.
    void SpeedButton5MouseDown();
    void SpeedButton5MouseUp();
    // serverSwitched: "Использовать сервер".
    void sCheckBox1Change();
    // save(true): "Сохранить" of the settings page.
    void SpeedButton6Click();

    // ---- Automatic arrangement (ArrangeController, src/ui/arrange) ------------------------
    // startRandom: "Старт", lessons moved within their classes until no teacher is wanted twice.
    void sSpeedButton4Click();
    // stop: "Стоп" ends the running arrangement after its current cycle.
    void sSpeedButton6Click();
    // revert: "Венуть предыдущий вариант", the grid as before the last run.
    void sSpeedButton7Click();
    // startExact: "Точный подбор", the fewest moves on a worker thread under the same tool lock.
    void exactButtonClick();

    // ---- Reports and export (ReportsController, src/ui/reports) ---------------------------
    // exportXlsx / exportDocx: the day (after a question) or the template to .xlsx / .docx.
    void SpeedButton2Click();
    void sSpeedButton12Click();
    // openExportFolder: raspisanie on the day page, setka on the template page.
    void SpeedButton1Click();
    // openHours: the delivered-hours page over the grid (on the template page: counted at once).
    void sSpeedButton8Click();
    // resetHoursTable: one empty column per class, no rows, progress 0.
    void NachZapolSG();
    // countHours(0): "Рассчитать", the saved days between the two dates.
    void sSpeedButton19Click();
    // periodChanged: a date of the period changed.
    void sDateTimePicker4ClosePicker();
    // countHours: reg 0 the saved days of the period, reg 1 the saved template week.
    void RaschetVipProg(int reg);
    // toggleHoursSize / closeHours: the page's size and close buttons.
    void SpeedButton10Click();
    void SpeedButton7Click();
    // openSubstitutions / showSubstitutions / showSubstitutionView / countSubstitutions: "Замены".
    void ZamenyClick();
    void ZamenyPokaz();
    void ZamenyVid();
    void ZamenyRaschet();
    // substitutionsToXlsx / substitutionsToDocx / toggleSubstitutionsSize / closeSubstitutions.
    void ZamenyExcel();
    void ZamenyWord();
    void ZamenySize();
    void ZamenyClose();

    // ---- Server link and notes (ServerController, src/ui/server) ---------------------------
    // connectForNotes: sends "conecDisp" when the server is configured and reachable.
    void ServerConekt();
    // sendTold: request s with feedback on incomplete settings or an unreachable server.
    void SoobsenPubl(const QString &s);
    // send: request s as one line; any failure ends the exchange.
    void soobsen(const QString &s);
    // endExchange: stops Timer3 and closes the connection.
    void TCPDis();
    // poll: takes what the server sent so far as one reply and acts on it.
    void Timer3Timer();
    // publishDay / withdrawDay: the target date's day published or withdrawn.
    void sSpeedButton13Click();
    void sSpeedButton14Click();
    // The strip above the tool panel opens or closes it (opening on the day page refreshes notes).
    void sSpeedButton5Click();
    // reloadNotes: the notes board discarded and the notes file fetched anew.
    void LoadZamet();
    // deleteNote: the note of a card deleted after confirmation.
    void ZametkaClose(const QString &key);

signals:
    // The server answered "zameV": the notes board is being fetched and rebuilt.
    void notesBoardRefresh();
    // The board was rebuilt from a fetch: cards shown, or the status line says "Пусто".
    void notesBoardRebuilt();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Building the shell and wiring each controller (tform1.cpp, tform1_<part>.cpp).
    void buildShell();
    void buildGridPage();
    void buildToolPanel();
    void buildOverlays();
    void buildUndo();
    void wireApp();
    void wireLayout();
    void wirePages();
    void wireShift();
    void wireEditing();
    void wireHighlight();
    void wireDayFile();
    void wireDayChecks();
    void wireSettings();
    void wireLoad();
    void wireTemplate();
    void wireArrange();
    void wireReport();
    void wireAbsences();
    void wirePrint();
    void wireServer();
    void wireUndo();
    void wireExplain();
    // The lent state, funnel and overlays every controller gets.
    rasp::ui::Shell shellServices();
    // Places the action pictures and the top-bar boxes for the day or the template mode.
    void setActionBarMode(bool dayMode);
    // Hides the room list and the subject picker, which are anchored to a cell on screen.
    void hideCellLists();
    // "row;column" of a focused subject field, as the teacher resolution reads it.
    QString focusedCellHint() const;
    // ArrangeController::running: whether an automatic arrangement runs.
    bool arrangementRunning() const;
    // Before a save replaces files another program changed: "Да" replaces them, "Нет" keeps them
    // and offers `reload`; false when the save must not go on.
    bool mayReplaceChangedFiles(const QStringList &paths, const std::function<void()> &reload);

    rasp::State m_state;     // the editor's whole state
    bool startingUp = false; // while FormCreate runs: the window is not on screen yet
    rasp::ui::EditFunnel *m_edits = nullptr;
    rasp::ui::DayFileController *m_dayFile = nullptr;
    rasp::ui::EditingController *m_editing = nullptr;
    rasp::ui::HighlightController *m_highlight = nullptr;
    rasp::ui::ShiftController *m_shift = nullptr;
    rasp::ui::CountersController *m_counters = nullptr;
    rasp::ui::ToolTipsController *m_toolTips = nullptr;
    rasp::ui::UndoController *m_undo = nullptr;
    rasp::ui::TemplateController *m_template = nullptr;
    rasp::ui::LoadController *m_load = nullptr;
    rasp::ui::SettingsController *m_settings = nullptr;
    rasp::ui::ArrangeController *m_arrange = nullptr;
    rasp::ui::ReportsController *m_reports = nullptr;
    rasp::ui::PrintController *m_print = nullptr;
    rasp::ui::ServerController *m_server = nullptr;
    rasp::ui::AbsencesController *m_absences = nullptr;
};

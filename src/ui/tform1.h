#pragma once

#include "day/gridgeometry.h"
#include "edit/editfunnel.h"
#include "undo/gridcommand.h"
#include "shell/shellwidgets.h"
#include "state.h"

#include <QDateEdit>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QListWidgetItem;

namespace rasp::load {
struct NagruzReport;
}

namespace rasp::ui {
class PrintController;
class ArrangeController;
class CountersController;
class DayFileController;
class EditingController;
class HighlightController;
class ToolTipsController;
class LoadController;
struct LoadMenus;
class LoadPage;
class ServerLink;
class ReportsController;
class ServerController;
class AbsencesController;
class SettingsController;
class ShiftController;
struct SettingsPageWidgets;
struct Shell;
class TemplateController;
class UndoController;
struct WeekdayStrip;
} // namespace rasp::ui

// The main window. It owns the editor's whole state (one rasp::State) and every page; its
// handler methods keep the routine names and stay short: read the widgets, call core,
// refresh the views. Definitions live in tform1_<subsystem>.cpp.
class TForm1 : public QWidget, private rasp::ui::ShellWidgets
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The editor's state as every view reads it.
    const rasp::State &state() const { return m_state; }
    // Test fixtures set facts up directly, outside the edit funnel (no step, no refresh).
    rasp::State &fixtureState() { return m_state; }
    // The shell's widgets and the overlays' texts.
    const rasp::ui::ShellWidgets &widgets() const { return *this; }
    // Forgets the text of the last notice, so that the next one can be told from it.
    void forgetNotice() { noticeText.clear(); }

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
    // Asks before a save replaces files another program changed since the editor read them:
    // "Да" replaces them; "Нет" keeps them and offers `reload` (none: says how to open them).
    // False when the save must not go on; the editor's edits stay either way until reloaded.
    bool mayReplaceChangedFiles(const QStringList &paths, const std::function<void()> &reload);
    // "Да" of the question overlay.
    void ButtonSoob1Click();
    // "Нет" of the question overlay; also closes a notice open under the question.
    void ButtonSoob2Click();
    // "Замечательно" of the notice overlay.
    void Button1Click();

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

    // ---- Settings (SettingsController, src/ui/settings) ---------------------------------------
    // Reads setting.ini into the state and the settings page; reports a damaged file.
    void SetLoad();
    // Shows what reading setting.ini gave: the page, the pins, the server address, a notice.
    void showSettingsRead(rasp::text::ReadResult::Status status, const QStringList &problems, const QString &error);
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
    // The settings page's controls (SettingsController, src/ui/settings).
    const rasp::ui::SettingsPageWidgets &settingsPage() const;
    // ---- School reference data: teaching load (LoadController, src/ui/load) -------------
    // Reads nagruz.ini: prm 1 at start-up (a column per class, a row per teacher), 0 after a save.
    void NagruzLoad(int prm);
    // Shows what reading nagruz.ini gave: the tabs, the subject lists, the load page, a notice.
    void showLoadRead(const rasp::load::NagruzReport &report, int prm);
    // Writes the load to nagruz.ini; with ssoob = 1 then shows "Данные сохранены". False (after
    // showing why) when the file could not be written.
    bool NagruzSave(int ssoob);
    // With "RaspUrPredm" empties the subject index, both subject lists and every assignment.
    void masClear(const QString &tipp);
    // Appends one teacher row to the load.
    void PedCreate();
    // Refills the subject lists from the subject index, in list order.
    void fillSubjectLists();

    // ---- School reference data: the load page (classes and teachers editors) -----------
    // Repaints the load page from the model after classes or teachers changed.
    void loadPageChanged();
    // "Добавить класс": a new class column at the right end of the load page and of the grid.
    void sSpeedButton18Click();
    // Builds the subject fields of the newest class column for every teacher row.
    void DopPredmet();
    // A class's "…" button: remembers the class and opens the class menu under it.
    void KlasDelClick(int j);
    // Class menu: empties the chosen class's subject fields for every teacher.
    void MenuItem2Click();
    // Class menu: empties every subject field of every class.
    void MenuItem4Click();
    // Class menu: empties every class name (the grid header keeps its names until a save).
    void MenuItem5Click();
    // Class menu: deletes the chosen class (the only class with teachers: the whole load).
    void MenuItem6Click();
    // Removes every class and every teacher from the page and the grid (the file stays).
    void DelVsejNagruz();
    // "Добавить учителя": a new teacher row at the bottom of the load page.
    void sSpeedButton16Click();
    // "Сортировать по алфавиту": orders the teachers by name.
    void sSpeedButton17Click();
    // "Сохранить": checks the page, writes nagruz.ini and reads it back.
    void sSpeedButton15Click();
    // "Удалить ВСЁ": removes every class and every teacher after a question.
    void SpeedButton12Click();
    // A teacher's "…" button: remembers the teacher and opens the teacher menu beside it.
    void PedDelClick(int m);
    // Teacher menu: empties the chosen teacher's subject fields in every class.
    void MenuItem21Click();
    // Teacher menu: empties every subject field of every teacher.
    void MenuItem22Click();
    // Teacher menu: empties every teacher's name.
    void MenuItem3Click();
    // Teacher menu: deletes the chosen teacher; the teachers below move up.
    void MenuItem8Click();
    // Teacher menu: deletes every teacher row.
    void MenuItem23Click();

    // The load page and its menus (LoadController, src/ui/load).
    rasp::ui::LoadPage *loadPage() const;
    const rasp::ui::LoadMenus &loadMenus() const;

    // ---- Day timetable: teacher resolution and highlighting -----------------------------
    // Recomputes teacher lists and colours of the grid; uchitel is the selected teacher list.
    void PoiskUchit(const QString &uchitel);
    // Mode buttons: each acts only when its own button has become checked (HighlightController).
    void sRadioButton1Change();
    void sRadioButton2Change();
    void sRadioButton3Change();
    void sRadioButton4Change();
    // The four modes of "Показывать" (HighlightController, src/ui/day).
    const rasp::ui::HighlightController &highlight() const;

    // ---- Day timetable: counters and checks (warning and hours: CountersController, src/ui/day)
    // Refills "максимум уроков" from how full the classes are.
    void MaxUrVsego();
    // Refills "отсутствие первых уроков" from the chosen maximum and the emptiest class.
    void MaxRepUr();
    // The user chose a value in "максимум уроков".
    void sComboBox2Change();
    // Brings the locks of rows y1..y2 in line with "Не перемещать"; ind 1 asks about coincidences.
    void CheckList(int ind, int y1, int y2);
    // Sets the checks of "Не перемещать" to the default pins of the settings ("Блокировать") (core day::CheckDefaultPins).
    void sCheckListBox1Checked();
    // The user (un)checked an entry of "Не перемещать": pins it when chek_pderm is 1.
    void sCheckListBox1ChangeCheck(QListWidgetItem *item);
    // Refills "Не перемещать" from the subject index, keeping the checks of subjects still there.
    void fillPinList();
    // Rebuilds the missing-teacher list and starts or stops the pulsing warning.
    void NetUchit();
    // One 10-ms step of the warning's glow (core day::WarningGlowStep).
    void Timer4Timer();
    // Click on the warning: stops it and opens "Не указаны учителя".
    void SpeedButton11Click();
    // Opens "Не указаны учителя" with a random caption on its button.
    void Rct_NetUchit();
    // Closes "Не указаны учителя".
    void Button3Click();
    // Resets the table of "Количество часов в день".
    void GapolSG2();
    // Builds and shows the teacher-hours table of the day.
    void SpeedButton9Click();
    // Closes the teacher-hours panel.
    void SpeedButton8Click();
    // Weekday badges and the "Всего" callout for subject s of class jj at cell (ii, jj).
    void PodshetKolUr(const QString &s, int ii, int jj);
    // The missing-teacher warning and the teacher-hours panel.
    rasp::ui::CountersController &counters() { return *m_counters; }

    // ---- Weekly template (TemplateController, src/ui/template) ----------------------------
    // Builds the weekday strip inside RctSet: seven buttons and their counter badges, the
    // selected weekday highlighted.
    void buildWeekdayStrip();
    // Reads the seven template files into Setka; a file that cannot be read is reported.
    void SetkaLoad();
    // Stores the grid into the selected weekday, writes all seven files and says how it went.
    void SetkaSave();
    // Puts template day den on the grid, if the grid page is shown.
    void SetkaZapol(int den);
    // Click on weekday button k: the grid goes into the weekday left, weekday k comes on the grid.
    void BtnSetClick(int k);
    // Day page: after a question, loads the day from the template file of its weekday.
    void sSpeedButton9Click();
    // "Очистить": after a question empties the grid (on the template page the shown weekday too).
    void sSpeedButton10Click();
    // The work of the tab "Сетка": enters the template page and shows the selected weekday.
    void dejstv();
    // Shows the selected weekday's template on the grid with everything derived from it.
    void showTemplateDay();
    // Puts the counter badges under their weekday buttons / hides all seven.
    void placeWeekdayBadges();
    void hideWeekdayBadges();
    // The weekday strip and its badges (TemplateController, src/ui/template).
    const rasp::ui::WeekdayStrip &weekdayStrip() const;

    // ---- Day timetable: rooms -----------------------------------------------------------
    // ind 1: marks the rooms used twice in a row red; ind 2: 1 if `kabinet` is taken in row strok.
    int KabPoisk(int ind, int strok, const QString &kabinet);
    // Double-click on a room field: opens or closes the list of free rooms.
    void RaspKabDblClick(int row, int column);
    // Double-click on the room list: the room goes into the cell.
    void ListBox1DblClick();
    // Key release in a room field: template write-through, Up/Down/Enter, recheck.
    void KabKeyUp(int row, int column, int key);
    // Mouse release on a room field: the caption shows its teachers.
    void KabMouseUp(int row, int column);

    // ---- Day timetable: cell editing and moving lessons ---------------------------------
    // Key release in a subject field: template write-through, navigation, refresh.
    void UrokKeyUp(int row, int column, int key);
    // Double-click on a subject field: opens or closes the subject picker.
    void RaspUrDblClick(int row, int column);
    // Double-click on the subject picker: the subject goes into the cell.
    void ListBox4DblClick();
    // Press, move and release on a subject field: dragging a lesson within its class.
    void UrokMouseDown(int row, int column, QPointF pos);
    void UrokMouseMove(int row, int column, QPointF pos);
    void UrokMouseUp(int row, int column, QPointF pos);
    // One 10-ms step of the displaced lesson's slide.
    void TPeremesenStep();
    // 50-ms tick: completes a move once it is ready.
    void Timer1Timer();

    // Typing, the subject picker, the room list, dragging lessons and the "Всего" callout
    // (EditingController, src/ui/day).
    const rasp::ui::EditingController &editing() const;

    // ---- Reports (ReportsController, src/ui/reports) -----------------------------------------
    // Excel action: the day (after a question) or the template into a workbook, then opens it.
    void SpeedButton2Click();
    // Word action: the day (after a question) or the template into a document, then opens it.
    void sSpeedButton12Click();
    // Folder action: opens raspisanie on the day page, setka on the template page.
    void SpeedButton1Click();
    // "Действия" action "Замены": opens the substitution page over the grid for the target date,
    // modal like the report page.
    void ZamenyClick();
    // Compares the saved day of the page's date with its template weekday and shows the result.
    void ZamenyPokaz();
    // Shows the checked view (by class, by teacher, the period) of what was computed.
    void ZamenyVid();
    // "Рассчитать": the tally per teacher over the page's period, the progress bar advancing per date.
    void ZamenyRaschet();
    // Export buttons: the sheet (in the period view the tally) to .xlsx; the sheet to .docx.
    void ZamenyExcel();
    void ZamenyWord();
    // Size button: centred 1300 x 670 or over the whole window.
    void ZamenySize();
    // Close button: hides the page and enables the pages.
    void ZamenyClose();
    // "Действия" report action: opens the report page over the grid, modal; on the template
    // page it counts the template week at once.
    void sSpeedButton8Click();
    // Resets the result table to one empty column per class, no rows, progress 0.
    void NachZapolSG();
    // "Рассчитать": counts the saved days between the two dates.
    void sSpeedButton19Click();
    // A date of the period changed: clears the result, enables "Рассчитать" when end >= start.
    void sDateTimePicker4ClosePicker();
    // The calculation: reg 0 the saved days of the period, reg 1 the saved template week.
    void RaschetVipProg(int reg);
    // Size button: centred 1300 x 670 or filling the window.
    void SpeedButton10Click();
    // Close button: hides the report page and enables the pages.
    void SpeedButton7Click();
    // The delivered-hours and substitution pages and the export.
    rasp::ui::ReportsController &reports() { return *m_reports; }

    // Printing, PDF and the web pages (PrintController, src/ui/print).
    rasp::ui::PrintController &printing() { return *m_print; }
    // Whether FormCreate still runs (the window is not on screen yet).
    bool isStartingUp() const { return startingUp; }
    // ---- Automatic arrangement (ArrangeController, src/ui/arrange) -----------------------
    // "Старт": moves lessons within their classes until no teacher has two lessons at once and
    // every class's day has an acceptable shape, or until "Стоп"; the grid shows every cycle.
    void sSpeedButton4Click();
    // "Стоп": asks the running arrangement to end after its current cycle.
    void sSpeedButton6Click();
    // "Венуть предыдущий вариант": puts the grid back as it was before the last run.
    void sSpeedButton7Click();
    // "Точный подбор": after the same question and snapshot as "Старт", the exact arrangement of
    // the day on a worker thread under the same tool lock; "Стоп" cancels it and keeps the grid.
    void exactButtonClick();
    // The runs, their buttons, the limit lists and the exact run's progress line.
    rasp::ui::ArrangeController &arrange() { return *m_arrange; }
    const rasp::ui::ArrangeController &arrange() const { return *m_arrange; }

    // ---- Day timetable: blocking, freezing and second shift (ShiftController, src/ui/day) --
    // Right-click on a subject field, lock picture or caption: opens PopupMenu1 for that cell.
    void cellContextMenu(int row, int column, int xInField, QPoint globalPos);
    // "Блокировать" → "Ячейку": locks the right-clicked lesson, asking when it coincides (core day::LockClickedCell).
    void Z1Click();
    // "Разблокировать" → "Ячейку": unlocks the right-clicked locked cell (core day::UnlockClickedCell).
    void N1Click();
    // "Блокировать" → "Вправо и вверх": locks the empty cells above and to the right (core day::LockUpAndRight).
    void MenuItem11Click();
    // "Блокировать" → "Влево и вниз": locks the empty cells below and to the left (core day::LockDownAndLeft).
    void MenuItem12Click();
    // "Разблокировать" → "Вправо и вверх": unlocks every cell above and to the right (core day::UnlockUpAndRight).
    void MenuItem14Click();
    // "Разблокировать" → "Влево и вниз": unlocks every cell below and to the left (core day::UnlockDownAndLeft).
    void MenuItem15Click();
    // Freeze toggle of row r: locks the whole row, or unlocks it and re-applies pins and shift.
    void Zamoroz(int r);
    // "Снять выделение" of "Не перемещать": unchecks the list and unlocks the whole grid (core day::ClearPins).
    void N2Click();
    // Locks every empty cell in rows k1..k2, classes m1..m2.
    void BlokYach(int k1, int m1, int k2, int m2);
    // Unlocks every cell in rows k1..k2, classes m1..m2.
    void RazBlokYach(int k1, int m1, int k2, int m2);
    // Places, ranges and sets the two second-shift sliders.
    void VtorayaSmenaGranici();
    // Applies the second shift (ind 1 lifts every lock first) and keeps setting.ini in step.
    void VtorayaSmenaBlok(int ind);
    // "Начало второй смены" moved: stores vt_sm_x and applies the split.
    void TrackBar1Change();
    // "Окончание первой смены" moved: stores vt_sm_y and applies the split.
    void TrackBar2Change();
    // "Вторая смена" toggled: the table-layout group follows it (SettingsController::secondShiftSwitched).
    void CheckBox3Change();

    // The cell menu, the locks and the second-shift sliders (ShiftController, src/ui/day).
    const rasp::ui::ShiftController &shift() const;

    // ---- Undo and redo of the grid's edits (src/ui/undo) --------------------------------
    // Builds the history, the actions "Отменить" / "Повторить" with their keys and their places
    // at the top of the cell menu.
    void buildUndo();
    void wireUndo();
    // Undoes / redoes one step, unless an arrangement runs, a lesson move is under way or the
    // grid is not shown.
    void undoStep();
    void redoStep();
    // The undo and redo actions (UndoController, src/ui/undo).
    const rasp::ui::UndoController &undo() const;
    // Whether an automatic arrangement runs ("Старт" disabled, or its loop not yet left); the one
    // place that reads this fact (ArrangeController::running).
    bool arrangementRunning() const;
    // The template file of the target date's weekday, "setka/<weekday>.ini".
    QString templateFileOfTargetDate() const;

    // ---- Explanations of the grid's colours (tool tips; ToolTipsController, src/ui/day) --
    void wireExplain();
    // A lesson field's tool tip: its teachers and, when coloured as a coincidence, the classes
    // sharing them; a red room's: the classes using it too.
    QString cellToolTip(int row, int column, rasp::day::GridGeometry::Field field) const;
    // A row number's tool tip: the classes whose day has a gap or a late start in that row.
    QString rowToolTip(int row) const;

    // ---- Application shell: layout and scrolling ---------------------------------------
    // The grid body scrolled sideways: the cell-anchored lists close.
    void ScrollBox2HScrollChange();
    // The grid body scrolled up or down: the cell-anchored lists close.
    void ScrollBox2VScrollChange();
    // The window changed size: the cell-anchored lists close.
    void FormResize();

    // ---- Server link: schedule server protocol (ServerController, src/ui/server) ----------
    // Notes refresh handshake: sends "conecDisp" when the server is configured and reachable.
    void ServerConekt();
    // Sends request s with feedback: incomplete settings and an unreachable server are told.
    void SoobsenPubl(const QString &s);
    // Sends request s as one line; any failure ends the exchange.
    void soobsen(const QString &s);
    // Ends the exchange: stops Timer3 and closes the connection.
    void TCPDis();
    // Poll tick: takes what the server sent so far as one reply and acts on it.
    void Timer3Timer();
    // Publish picture: sends the edited day under the target date.
    void sSpeedButton13Click();
    // Withdraw picture: withdraws the publication of the target date.
    void sSpeedButton14Click();
    // The strip above the top panel: opens or closes it; opening it on the day page refreshes the notes.
    void sSpeedButton5Click();
    // Discards the notes board and fetches the notes file anew; the board is built when it arrives.
    void LoadZamet();
    // Deletes the note of a card after confirmation, then asks the server for the notes again.
    void ZametkaClose(const QString &key);
    // The notes fetch ended: writes the working copies and builds the board or shows "Пусто".
    void notesFetched(bool ok, const QByteArray &body, const QByteArray &contentType);
    // Replaces the connection to the schedule server (window tests script the server with it).
    void setServerLink(std::unique_ptr<rasp::ui::ServerLink> link);
    // The exchange got no reply that ends it in time: closes it; a request the user made is told.
    void serverReplyOverdue();
    // The server link and the notes board.
    rasp::ui::ServerController &server() { return *m_server; }

signals:
    // The server answered "zameV": the notes board is being fetched and rebuilt.
    void notesBoardRefresh();
    // The board was rebuilt from a fetch: cards shown, or the status line says "Пусто".
    void notesBoardRebuilt();

public:
protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    rasp::State m_state;                          // the editor's whole state
    bool startingUp = false;                      // while FormCreate runs: the window is not on screen yet
    rasp::ui::PrintController *m_print = nullptr; // printing, PDF and the web pages
    void buildShell();
    void buildGridPage();
    void buildToolPanel();
    void buildOverlays();
    void wireApp();
    void wireLayout();
    void wireShift();
    rasp::ui::ShiftController *m_shift = nullptr; // the cell menu, locks and the second shift
    // Hides the room list and the subject picker, which are anchored to a cell on screen.
    void hideCellLists();
    void wireDayChecks();
    void wireEditing();
    rasp::ui::EditingController *m_editing = nullptr; // typing, the lists, moving lessons
    void wireTemplate();
    rasp::ui::TemplateController *m_template = nullptr; // the template files and the weekday strip
    void wireArrange();
    rasp::ui::EditFunnel *m_edits = nullptr;    // the one way changes of the grid reach the state
    rasp::ui::UndoController *m_undo = nullptr; // the undo and redo actions
    void wirePages();
    void wireDayFile();
    rasp::ui::DayFileController *m_dayFile = nullptr; // the day's file and the date pickers
    void wireSettings();
    void wireLoad();
    rasp::ui::LoadController *m_load = nullptr;         // nagruz.ini and the load page
    rasp::ui::SettingsController *m_settings = nullptr; // the settings page and setting.ini
    // Places the action pictures and the top-bar boxes for the day or the template mode.
    void setActionBarMode(bool dayMode);

    void wireHighlight();
    rasp::ui::HighlightController *m_highlight = nullptr; // the modes of "Показывать"
    // Hint of the focused control as the resolution reads it: "row;column" of a focused subject field.
    QString focusedCellHint() const;
    void wireReport();
    rasp::ui::ReportsController *m_reports = nullptr; // the report pages and the export
    void wireServer();
    void wirePrint();
    // Takes the connection's host and port from the settings (when they are read or saved).
    void takeServerAddress();
    // The lent state, funnel and overlays every controller gets.
    rasp::ui::Shell shellServices();
    rasp::ui::ServerController *m_server = nullptr;     // the server link and the notes board
    rasp::ui::ArrangeController *m_arrange = nullptr;   // the randomised and the exact runs
    rasp::ui::CountersController *m_counters = nullptr; // the missing-teacher warning, the hours panel
    rasp::ui::ToolTipsController *m_toolTips = nullptr; // the grid's explanations
    void wireAbsences();
    rasp::ui::AbsencesController *m_absences = nullptr; // absent teachers and their covers

public:
    // Absent teachers, open lessons and the planning of covers (src/ui/absences).
    rasp::ui::AbsencesController &absences() { return *m_absences; }
};

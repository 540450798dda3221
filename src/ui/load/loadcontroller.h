#pragma once

#include "shell/controller.h"

#include <QString>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace rasp::load {
struct NagruzReport;
}

namespace rasp::ui {

class LoadPage;

// The class and teacher menus of the load page and the picture shown while the load is written,
// named as the routines refer to them (the window tests open them through TForm1::loadMenus()).
struct LoadMenus {
    QMenu *PopupMenu3 = nullptr; // class menu
    QAction *MenuItem2 = nullptr, *MenuItem4 = nullptr, *MenuItem5 = nullptr, *MenuItem6 = nullptr;
    QMenu *PopupMenu4 = nullptr; // teacher menu
    QAction *MenuItem21 = nullptr, *MenuItem22 = nullptr, *MenuItem3 = nullptr, *MenuItem8 = nullptr,
            *MenuItem23 = nullptr;
    QLabel *Image8 = nullptr; // "saving" picture
};

// The teaching load: nagruz.ini read and written, and the load page (Tab_2) with its classes
// and teachers editors and their menus. Every change of the load goes through the edit funnel;
// what the grid, the page bar and the other pages must do about it is asked of the shell by the
// signals below.
class LoadController : public Controller
{
    Q_OBJECT
public:
    // Fills `page` (the shell's Tab_2) with the load page; the menus and the saving picture
    // belong to the window.
    LoadController(const Shell &shell, QWidget *page, QObject *parent);

    // NagruzLoad: reads nagruz.ini (prm 1 at start-up, 0 after a save) and shows what it gave.
    void read(int prm);
    // showLoadRead: the tabs, the subject lists, the load page and a notice for what was read.
    void showRead(const load::NagruzReport &report, int prm);
    // NagruzSave: writes the load; `notice` then says so. False (after saying why) when not written.
    bool save(bool notice);
    // masClear: with "RaspUrPredm" empties the subject index, the pins and every assignment.
    void clearIndex(const QString &tipp);
    // PedCreate: one teacher row more.
    void appendTeacher();
    // loadPageChanged: the page repaints from the model.
    void modelChanged();
    // ScrolNaNol's part: the page scrolls back to the origin.
    void scrollToOrigin();

    // sSpeedButton18Click: a new class column at the right end of the page and of the grid.
    void addClass();
    // DopPredmet: the subject fields of the newest class for every teacher.
    void growClassColumns();
    // KlasDelClick / PedDelClick: remembers the class or teacher and opens its menu.
    void openClassMenu(int j);
    void openTeacherMenu(int m);
    // MenuItem2Click, MenuItem4Click, MenuItem5Click, MenuItem6Click: the class menu.
    void clearClassLoad();
    void clearAllClassesLoad();
    void clearClassNames();
    void deleteClass();
    // DelVsejNagruz: every class and teacher removed from the page and the grid.
    void deleteEverything();
    // sSpeedButton16Click: a new teacher row at the bottom.
    void addTeacher();
    // sSpeedButton17Click: the teachers ordered by name.
    void sortTeachers();
    // sSpeedButton15Click: checks the page, writes nagruz.ini and reads it back.
    void saveAndReread();
    // SpeedButton12Click: everything removed after a question.
    void askDeleteEverything();
    // MenuItem21Click, MenuItem22Click, MenuItem3Click, MenuItem8Click, MenuItem23Click: the
    // teacher menu.
    void clearTeacherLoad();
    void clearAllTeachersLoad();
    void clearTeacherNames();
    void deleteTeacher();
    void deleteAllTeachers();

    // The parts the window tests look at.
    LoadPage *page() const { return m_page; }
    const LoadMenus &menus() const { return m_menus; }

signals:
    // nagruz.ini was read: with classes the page bar opens (and at start-up the grid page
    // shows); the subject lists and the grid follow the read load.
    void loadRead(bool hasClasses, bool atStartUp);
    // The subject index was emptied: the pin list empties with it.
    void subjectsCleared();
    // The grid needs one more class column (KlassCreate).
    void classColumnWanted();
    // A class or a teacher is about to be removed: every area scrolls back to the origin.
    void removing();
    // A class was deleted from the load and the grid.
    void classDeleted();
    // Every class and teacher was deleted: the grid is empty and its pages close.
    void everythingDeleted();
    // The load was written and read back: the template is read again (its unsaved edits dropped).
    void loadSaved();

private:
    void build(QWidget *tab);
    void wire();

    LoadPage *m_page = nullptr;
    LoadMenus m_menus;
    int m_class = 0;   // num_vibr_klass: the class whose menu was opened last
    int m_teacher = 0; // num_vibr_ped: the teacher whose menu was opened last
};

} // namespace rasp::ui

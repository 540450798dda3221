// Absent teachers and their covers through the window: "Отсутствует" from the cell menu and the
// teacher caption with rows and a reason, the open lessons marked on the grid and counted, the
// planning view of the substitutions page (candidates, alternatives, a cover chosen or dropped),
// the question before an absence with covers goes, "Заменить всех" accepted whole or line by line,
// every change one undo step; and on the demo school, the window's whole-day cover saved equal to
// the command line's.
#include "absences/absencescontroller.h"
#include "absences/companion.h"
#include "absenceschool.h"
#include "answerer.h"
#include "day/dayfile.h"
#include "dayschool.h"
#include "day/daygridview.h"
#include "gridpointer.h"
#include "shell/overlaypanel.h"
#include "reports/reportscontroller.h"
#include "settings/settings.h"
#include "stateinvariants.h"
#include "text/textfile.h"
#include "day/editingcontroller.h"
#include "tform1.h"
#include "undo/undocontroller.h"
#include "day/shiftcontroller.h"
#include "reports/zamenypage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

using namespace Qt::Literals::StringLiterals;
using Cells = std::vector<std::pair<int, int>>;

namespace {

// The texts of a tree's top-level items, columns joined by "|".
QStringList treeRows(const QTreeWidget *tree)
{
    QStringList out;
    for (int n = 0; n < tree->topLevelItemCount(); ++n) {
        QStringList cells;
        for (int c = 0; c < tree->columnCount(); ++c)
            cells << tree->topLevelItem(n)->text(c);
        out << cells.join(u'|');
    }
    return out;
}

QStringList listRows(const QListWidget *list)
{
    QStringList out;
    for (int n = 0; n < list->count(); ++n)
        out << list->item(n)->text();
    return out;
}

// Runs the command line in `folder`; its standard output.
QByteArray cli(const QString &folder, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(RASP_CLI_BIN), QStringList{u"-C"_s, folder} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning("%s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

} // namespace

class TstAbsencesWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    rasp::ui::AbsencesController &ctl() const { return m_form->absences(); }
    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }
    const std::vector<rasp::absences::Absence> &absences() const { return m_form->state().companion.absences; }
    QString undoText() const { return m_form->undo().history()->undoText(); }

    // The cell menu opened on (row, column), then the entry of the "Отсутствует" submenu naming
    // `teacher`: the form opens for that teacher.
    void absentFromCellMenu(int row, int column, const QString &teacher)
    {
        TForm1 &f = *m_form;
        f.cellContextMenu(row, column, 30, QPoint(10, 10));
        QVERIFY(ctl().cellAbsentAction()->isVisible());
        QAction *entry = nullptr;
        for (QAction *a : ctl().cellAbsentMenu()->actions())
            if (a->text().startsWith(teacher))
                entry = a;
        QVERIFY2(entry, qPrintable(teacher));
        entry->trigger();
        f.shift().cellMenu()->hide();
        QVERIFY(ctl().form()->isVisible());
        QCOMPARE(ctl().formTeacher()->currentText(), teacher);
    }
    // Opens the substitutions page on the planning view by the count on the top bar.
    void openPlanning()
    {
        QVERIFY(ctl().openCount()->isVisible());
        QTest::mouseClick(ctl().openCount(), Qt::LeftButton);
        rasp::ui::ZamenyPage *page = m_form->reports().substitutionsPage();
        QVERIFY(page->isVisible());
        QCOMPARE(page->view(), rasp::ui::ZamenyPage::Absences);
        QVERIFY(page->absencesArea->isVisible());
        QVERIFY(!page->table->isVisible());
    }
    void closePlanning() { QTest::mouseClick(m_form->reports().substitutionsPage()->closeButton, Qt::LeftButton); }
    // The line of the candidates list whose first column starts with `text`, or -1.
    int candidateLine(const QString &text) const
    {
        for (int n = 0; n < ctl().candidates()->topLevelItemCount(); ++n)
            if (ctl().candidates()->topLevelItem(n)->text(0).startsWith(text))
                return n;
        return -1;
    }
    void solveWholeDay()
    {
        QSignalSpy shown(&ctl(), &rasp::ui::AbsencesController::proposalShown);
        QTest::mouseClick(ctl().coverAllButton(), Qt::LeftButton);
        QVERIFY(shown.wait(30000) || shown.count() == 1);
        QVERIFY(ctl().proposal()->isVisible());
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        dayschool::writeLoadAndSettings({});
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), absenceschool::kLoad));
        dayschool::writeToday(absenceschool::kDay + QStringList{u"|||"_s, u"|||"_s}, QStringList(6, u"||||"_s),
                              {QString(), u"~end~"_s});
        m_form = std::make_unique<TForm1>();
        m_form->resize(1350, 800);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QVERIFY(m_form->dayPageActive());
        QCOMPARE(cell(1, 1).teachers, u"Иванова"_s);
        QVERIFY(!ctl().openCount()->isVisible());
    }
    void cleanup()
    {
        QCOMPARE(rasp::CheckInvariants(m_form->state()), QStringList());
        m_form.reset();
    }

    // From the cell menu: the whole day and "болезнь" offered, the lessons of the day left open
    // marked and counted; one undo step; from the teacher caption with rows narrowed and a typed
    // reason; a reason the file cannot hold refused with a notice and nothing recorded.
    void markAbsentFromTheCellMenuAndTheCaption()
    {
        TForm1 &f = *m_form;
        const int gridWidth = f.widgets().grid->width();
        absentFromCellMenu(1, 1, u"Иванова"_s);
        QCOMPARE(ctl().formFrom()->value(), 1);
        QCOMPARE(ctl().formTo()->value(), 6);
        QCOMPARE(ctl().formReason()->currentText(), u"болезнь"_s);
        QVERIFY(!ctl().formRemove()->isVisible());
        QTest::mouseClick(ctl().formMark(), Qt::LeftButton);
        QVERIFY(!ctl().form()->isVisible());
        QCOMPARE(absences(), (std::vector<rasp::absences::Absence>{{u"Иванова"_s, 1, 6, u"болезнь"_s}}));
        const Cells open{{1, 1}, {2, 2}, {3, 1}}; // Алгебра in 7А and 7Б
        QCOMPARE(ctl().openLessons(), open);
        QCOMPARE(f.widgets().grid->openMarks(), open);
        QVERIFY(ctl().openCount()->isVisible());
        QCOMPARE(ctl().openCount()->text(), u"Не закрыто уроков: 3"_s);
        QCOMPARE(f.widgets().grid->width(), gridWidth); // the count does not narrow the grid
        QCOMPARE(undoText(), u"отсутствует: Иванова"_s);

        f.undoStep();
        QVERIFY(absences().empty());
        QVERIFY(f.widgets().grid->openMarks().empty());
        QVERIFY(!ctl().openCount()->isVisible());
        f.redoStep();
        QCOMPARE(f.widgets().grid->openMarks(), open);

        // The caption of a focused lesson: "Отсутствует: Смирнова", narrowed to lesson 2, typed reason.
        gridpointer::click(f, gridpointer::subjectAt(f, 2, 3));
        QCOMPARE(f.widgets().sLabel7->text(), u"Смирнова"_s);
        emit f.widgets().sLabel7->customContextMenuRequested(QPoint(2, 2));
        QCOMPARE(ctl().captionMenu()->actions().size(), 1);
        QCOMPARE(ctl().captionMenu()->actions().first()->text(), u"Отсутствует: Смирнова"_s);
        ctl().captionMenu()->actions().first()->trigger();
        ctl().captionMenu()->hide();
        ctl().formFrom()->setValue(2);
        ctl().formTo()->setValue(2);
        ctl().formReason()->setCurrentText(u"семинар"_s);
        QTest::mouseClick(ctl().formMark(), Qt::LeftButton);
        QCOMPARE(absences().back(), (rasp::absences::Absence{u"Смирнова"_s, 2, 2, u"семинар"_s}));
        QCOMPARE(ctl().openLessons(), (Cells{{1, 1}, {2, 2}, {2, 3}, {3, 1}}));
        // Marked again: the menu names the absence, the form shows it and offers its removal.
        f.cellContextMenu(2, 3, 30, QPoint(10, 10));
        QCOMPARE(ctl().cellAbsentMenu()->actions().first()->text(), u"Смирнова (отсутствует: 2-2)"_s);
        QVERIFY(ctl().cellPlanAction()->isVisible());
        f.shift().cellMenu()->hide();

        // A "|" cannot be kept in the file: refused, said, nothing recorded.
        const int steps = f.undo().history()->count();
        ctl().openForm(u"Петров"_s);
        ctl().formReason()->setCurrentText(u"a|b"_s);
        QTest::mouseClick(ctl().formMark(), Qt::LeftButton);
        QVERIFY(f.widgets().Rct_soob->isVisible());
        QVERIFY(ctl().form()->isVisible());
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        QCOMPARE(absences().size(), std::size_t(2));
        QCOMPARE(f.undo().history()->count(), steps);
        QTest::mouseClick(ctl().form()->findChild<QPushButton *>(u"absenceCancel"_s), Qt::LeftButton);
        QVERIFY(!ctl().form()->isVisible());

        // The template page shows no open lessons; back on the day page they are there again.
        {
            Answerer yes(f, {Answerer::Yes, Answerer::Yes});
            f.SpeedB5Click();
        }
        QVERIFY(f.templatePageActive());
        QVERIFY(f.widgets().grid->openMarks().empty());
        QVERIFY(!ctl().openCount()->isVisible());
    }

    // The planning view: the open lessons, the chosen one's candidates best first with badges
    // (busy and away ones greyed last), the alternatives; a candidate chosen is a cover and one
    // step, the next open lesson chosen; a cover dropped; an alternative (the first lesson
    // cancelled) applied; each undone after the page is closed.
    void planningChoosesCandidatesAndAlternatives()
    {
        TForm1 &f = *m_form;
        QVERIFY(ctl().markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        openPlanning();
        QCOMPARE(listRows(ctl().openList()), (QStringList{u"7А, 1-й урок — Алгебра (Иванова)"_s,
                                                          u"7Б, 2-й урок — Алгебра (Иванова)"_s,
                                                          u"7А, 3-й урок — Алгебра (Иванова)"_s}));
        QCOMPARE(listRows(ctl().absentList()), QStringList{u"Иванова — уроки 1-6, болезнь"_s});
        QCOMPARE(ctl().candidatesCaption()->text(), u"Кто может провести: 7А, 1-й урок, Алгебра"_s);
        const QStringList rows = treeRows(ctl().candidates());
        // Смирнова teaches Алгебра (in 8А) and has lesson 2: the cheapest.
        QVERIFY2(rows.first().startsWith(u"Смирнова|"_s), qPrintable(rows.join(u'\n')));
        QVERIFY(rows.first().contains(u"по предмету"_s));
        QVERIFY(rows.first().contains(u"рядом со своим уроком"_s));
        // Кузнецова teaches Алгебра but has no lesson: she comes specially, after Смирнова.
        const int kuznetsova = candidateLine(u"Кузнецова"_s);
        QVERIFY(kuznetsova > 0 && rows.at(kuznetsova).contains(u"придёт специально"_s));
        // Петров gives Физика to 8А in lesson 1: busy, greyed, listed after every free one;
        // Иванова herself last.
        const int petrov = candidateLine(u"Петров"_s);
        QVERIFY(petrov > kuznetsova);
        QCOMPARE(ctl().candidates()->topLevelItem(petrov)->text(1), QString());
        QVERIFY(ctl().candidates()->topLevelItem(petrov)->foreground(0).color() != QColor(Qt::black));
        QVERIFY(rows.contains(u"Другие решения||"_s));
        QVERIFY(candidateLine(u"Иванова"_s) < candidateLine(u"Другие решения"_s));
        QVERIFY(candidateLine(u"отменить урок"_s) > candidateLine(u"Другие решения"_s));

        // Смирнова takes it: a cover, one step; the next open lesson is chosen.
        QVERIFY(ctl().applyCandidate(0));
        QCOMPARE(cell(1, 1).cover.teacher, u"Смирнова"_s);
        QCOMPARE(cell(1, 1).cover.kind, u"по предмету"_s);
        QCOMPARE(cell(1, 1).teachers, u"Смирнова"_s);
        QCOMPARE(ctl().openLessons(), (Cells{{2, 2}, {3, 1}}));
        QCOMPARE(undoText(), u"замена 7А, 1"_s);
        QCOMPARE(ctl().candidatesCaption()->text(), u"Кто может провести: 7Б, 2-й урок, Алгебра"_s);
        QVERIFY(listRows(ctl().openList()).contains(u"7А, 1-й урок — Алгебра: Смирнова (по предмету)"_s));

        // The cover dropped from the list, then 7А's first lesson cancelled instead.
        QVERIFY(ctl().dropCover(1, 1));
        QCOMPARE(undoText(), u"замена снята 7А, 1"_s);
        QVERIFY(cell(1, 1).cover.empty());
        QVERIFY(ctl().chooseLesson(1, 1));
        QVERIFY(ctl().applyCandidate(candidateLine(u"отменить урок"_s)));
        QVERIFY(cell(1, 1).subject.isEmpty());
        QCOMPARE(ctl().openLessons(), (Cells{{2, 2}, {3, 1}}));

        closePlanning();
        f.undoStep();
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        QCOMPARE(ctl().openLessons(), (Cells{{1, 1}, {2, 2}, {3, 1}}));
        f.undoStep();
        QCOMPARE(cell(1, 1).cover.teacher, u"Смирнова"_s);
        f.undoStep();
        QVERIFY(cell(1, 1).cover.empty());
        QCOMPARE(cell(1, 1).teachers, u"Иванова"_s);
        f.redoStep();
        QCOMPARE(cell(1, 1).teachers, u"Смирнова"_s);
    }

    // Removing an absence whose covers go with it asks first ("Нет" keeps all); one without
    // covers goes without a question; both are undone whole.
    void removingAnAbsenceAsksWhenItsCoversGo()
    {
        TForm1 &f = *m_form;
        QVERIFY(ctl().markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        QVERIFY(ctl().markAbsent(u"Петров"_s, 4, 4, u"курсы"_s));
        openPlanning();
        QVERIFY(ctl().applyCandidate(0)); // 7А, 1: Смирнова
        ctl().absentList()->setCurrentRow(0);
        QPushButton *remove = f.reports().substitutionsPage()->findChild<QPushButton *>(u"removeAbsent"_s);
        QVERIFY(remove);
        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(remove, Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{u"Убрать отсутствие: Иванова?\r\nЗамены за этого учителя (1) будут удалены."_s});
        }
        QCOMPARE(absences().size(), std::size_t(2));
        QCOMPARE(cell(1, 1).cover.teacher, u"Смирнова"_s);
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(remove, Qt::LeftButton);
            QCOMPARE(yes.asked.size(), 1);
        }
        QCOMPARE(absences().size(), std::size_t(1));
        QVERIFY(cell(1, 1).cover.empty());
        QCOMPARE(cell(1, 1).teachers, u"Иванова"_s);
        QCOMPARE(undoText(), u"отсутствие снято: Иванова"_s);
        QCOMPARE(listRows(ctl().absentList()), QStringList{u"Петров — уроки 4-4, курсы"_s});
        {
            Answerer none(f);
            ctl().absentList()->setCurrentRow(0);
            QTest::mouseClick(remove, Qt::LeftButton);
            QVERIFY(none.asked.isEmpty());
        }
        QVERIFY(absences().empty());
        closePlanning();
        f.undoStep();
        f.undoStep();
        QCOMPARE(absences().size(), std::size_t(2));
        QCOMPARE(cell(1, 1).cover.teacher, u"Смирнова"_s);
        QCOMPARE(cell(1, 1).teachers, u"Смирнова"_s);
    }

    // "Заменить всех": the proposal, one line per open lesson, proven cheapest; accepted line by
    // line (the unchecked lesson stays open) as one step, then whole; the presets re-rank.
    void wholeDayCoverAcceptedByLineAndWhole()
    {
        TForm1 &f = *m_form;
        QVERIFY(ctl().markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        openPlanning();
        solveWholeDay();
        const QStringList lines = treeRows(ctl().proposal());
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).startsWith(u"7А|1|Алгебра|Иванова|"_s));
        QVERIFY(lines.at(1).startsWith(u"7Б|2|Алгебра|Иванова|"_s));
        QVERIFY2(ctl().proposalTotal()->text().contains(u"доказано"_s), qPrintable(ctl().proposalTotal()->text()));
        QCOMPARE(ctl().proposal()->topLevelItem(1)->checkState(0), Qt::Checked);
        ctl().proposal()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        const int steps = f.undo().history()->count();
        QTest::mouseClick(ctl().acceptCheckedButton(), Qt::LeftButton);
        QCOMPARE(f.undo().history()->count(), steps + 1);
        QCOMPARE(undoText(), u"замены на весь день (2)"_s);
        QCOMPARE(ctl().openLessons(), (Cells{{2, 2}}));

        // The rest, whole.
        solveWholeDay();
        QCOMPARE(ctl().proposal()->topLevelItemCount(), 1);
        QTest::mouseClick(ctl().acceptAllButton(), Qt::LeftButton);
        QVERIFY(ctl().openLessons().empty());
        QVERIFY(!ctl().openCount()->isVisible());
        closePlanning();
        f.undoStep();
        f.undoStep();
        QCOMPARE(ctl().openLessons(), (Cells{{1, 1}, {2, 2}, {3, 1}}));

        // The presets: "сначала поровну" makes covers dearer, so the costs shown change.
        openPlanning();
        const QString subjectFirst = treeRows(ctl().candidates()).first();
        QTest::mouseClick(ctl().presets()->button(1), Qt::LeftButton);
        QCOMPARE(ctl().preset(), rasp::absences::Preset::Fair);
        QVERIFY(treeRows(ctl().candidates()).first() != subjectFirst);
    }

    // A cover belongs to its lesson: dragged to another row it goes along, and the undo of the
    // drag brings it back.
    void aCoverMovesWithItsLessonThroughADrag()
    {
        TForm1 &f = *m_form;
        QVERIFY(ctl().markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        openPlanning();
        QVERIFY(ctl().applyCandidate(0)); // 7А, 1: Смирнова
        closePlanning();
        const QPoint pressAt = gridpointer::subjectAt(f, 1, 1);
        QWidget *target = gridpointer::hitAt(f, pressAt).first;
        const auto local = [&](QPoint p) { return target == f.widgets().grid->editor() ? p - target->pos() : p; };
        const int dy = 3 * rasp::day::GridGeometry::kRowStep;
        QTest::mousePress(target, Qt::LeftButton, {}, local(pressAt));
        QTest::mouseMove(target, local(pressAt + QPoint(0, dy / 2)));
        QTest::mouseMove(target, local(pressAt + QPoint(0, dy)));
        QTest::mouseRelease(target, Qt::LeftButton, {}, local(pressAt + QPoint(0, dy)));
        QTRY_COMPARE(f.editing().moveState(), 0);
        QCOMPARE(cell(4, 1).subject, u"Алгебра"_s);
        QCOMPARE(cell(4, 1).cover.teacher, u"Смирнова"_s);
        QCOMPARE(cell(4, 1).teachers, u"Смирнова"_s);
        QCOMPARE(cell(1, 1).subject, u"Физика"_s);
        QVERIFY(cell(1, 1).cover.empty());
        QCOMPARE(ctl().openLessons(), (Cells{{2, 2}, {3, 1}}));
        f.undoStep();
        QCOMPARE(cell(1, 1).cover.teacher, u"Смирнова"_s);
        QVERIFY(cell(4, 1).cover.empty());
    }

    // A proposal made before the day changed is not applied.
    void aStaleProposalIsRefused()
    {
        TForm1 &f = *m_form;
        QVERIFY(ctl().markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        openPlanning();
        solveWholeDay();
        QVERIFY(ctl().markAbsent(u"Петров"_s, 4, 4, u"курсы"_s));
        QVERIFY(!ctl().acceptProposal(false));
        QVERIFY(f.widgets().noticeText.startsWith(u"Расписание изменилось"_s));
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        QCOMPARE(ctl().openLessons().size(), std::size_t(4));
    }

    // The demo school at 1350 px: a teacher marked absent through the cell menu, "Заменить всех"
    // accepted and the day saved give the same day file and the same absences and covers as
    // the command line's absent and cover --apply on a copy of the folder.
    void demoSchoolMatchesTheCommandLine()
    {
        m_form.reset();
        const QString demo = m_work->filePath(u"demo"_s), copy = m_work->filePath(u"copy"_s);
        for (const QString &folder : {demo, copy}) {
            QProcess make;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"RASPISANIE_CLI"_s, QStringLiteral(RASP_CLI_BIN));
            make.setProcessEnvironment(env);
            make.start(u"bash"_s, {QStringLiteral(RASP_SOURCE_DIR "/scripts/demo"), folder});
            QVERIFY(make.waitForFinished(60000));
            QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
            // No schedule server here.
            rasp::State settings;
            const QString path = QDir(folder).filePath(rasp::settings::SettingsPath());
            QCOMPARE(rasp::settings::SetLoad(settings, path), rasp::text::ReadResult::Ok);
            settings.settings.useServer = false;
            QVERIFY(rasp::settings::SetSave(settings, path));
        }
        QDir::setCurrent(demo);
        m_form = std::make_unique<TForm1>();
        m_form->resize(1350, 800);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        TForm1 &f = *m_form;
        const int gridWidth = f.widgets().grid->width();

        // The first lesson of a teacher not yet away, with no cover.
        int row = 0, column = 0;
        QString teacher;
        for (int j = 1; j <= f.state().klassvis && teacher.isEmpty(); ++j)
            for (int i = 1; i <= f.state().max_ur && teacher.isEmpty(); ++i) {
                const rasp::day::Cell &c = cell(i, j);
                if (!c.locked() && !c.teachers.isEmpty() && !c.teachers.contains(u", "_s) && c.cover.empty()
                    && std::none_of(absences().begin(), absences().end(), [&](const auto &a) { return a.teacher == c.teachers; })) {
                    row = i;
                    column = j;
                    teacher = c.teachers;
                }
            }
        QVERIFY(!teacher.isEmpty());
        absentFromCellMenu(row, column, teacher);
        QTest::mouseClick(ctl().formMark(), Qt::LeftButton);
        QVERIFY(!ctl().openLessons().empty());
        QCOMPARE(f.widgets().grid->width(), gridWidth);

        // The open lessons are those the command line finds for the same absence.
        const QDate date = f.widgets().sDateTimePicker3->date();
        const QString d = date.toString(u"dd.MM.yyyy"_s);
        const QJsonObject marked = QJsonDocument::fromJson(cli(copy, {u"absent"_s, d, teacher})).object();
        QCOMPARE(marked.value(u"open"_s).toArray().size(), qsizetype(ctl().openLessons().size()));

        openPlanning();
        QVERIFY(ctl().candidates()->topLevelItemCount() > 10);
        f.grab().save(QDir::temp().filePath(u"raspisanie-absences-planning.png"_s));
        solveWholeDay();
        QCOMPARE(ctl().proposal()->topLevelItemCount(), qsizetype(ctl().openLessons().size()));
        QTest::mouseClick(ctl().acceptAllButton(), Qt::LeftButton);
        QVERIFY(ctl().openLessons().empty());
        closePlanning();
        f.RaspSave(rasp::day::DayFilePath(date), u"ok"_s);
        QCOMPARE(f.widgets().noticeText, u"ok"_s);

        cli(copy, {u"cover"_s, d, u"--apply"_s});
        const auto bytes = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QString day = rasp::day::DayFilePath(date);
        QVERIFY(!bytes(QDir(demo).filePath(day)).isEmpty());
        QCOMPARE(bytes(QDir(demo).filePath(day)), bytes(QDir(copy).filePath(day)));
        const auto windowSide = rasp::absences::ReadCompanion(QDir(demo).filePath(rasp::absences::CompanionPath(day)));
        const auto cliSide = rasp::absences::ReadCompanion(QDir(copy).filePath(rasp::absences::CompanionPath(day)));
        QCOMPARE(windowSide.companion.absences, cliSide.companion.absences);
        QCOMPARE(windowSide.companion.covers, cliSide.companion.covers);
        QVERIFY(!windowSide.companion.covers.empty());
    }
};

QTEST_MAIN(TstAbsencesWindow)
#include "tst_absenceswindow.moc"

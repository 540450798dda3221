// The substitution page through the window: the "Замены" action, the sheet by class and by
// teacher, a date without a saved day, the period tally with its progress and notice, the files
// written and opened, and the page staying modal until it is closed.
#include "absences/absencescontroller.h"
#include "absenceschool.h"
#include "answerer.h"
#include "day/dayfile.h"
#include "dayschool.h"
#include "load/nagruzfile.h"
#include "modeltexts.h"
#include "shell/overlaypanel.h"
#include "sixrowday.h"
#include "template/setka.h"
#include "text/textfile.h"
#include "reports/reportscontroller.h"
#include "tform1.h"
#include "reports/zamenypage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Six lesson rows of two classes: the subject lines given, then room lines.
QStringList day(const QStringList &subjects, const QStringList &rooms = {})
{
    return sixrowday::lines(2, subjects, rooms);
}

} // namespace

class TstZamenyWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;
    QStringList m_opened;

    QStringList table() const
    {
        return modeltexts::rows(m_form->reports().substitutionsPage()->table->model());
    }
    bool pagesDisabled() const
    {
        return !m_form->widgets().Rct_Tab->isEnabled() && !m_form->widgets().Tab_1->isEnabled() && !m_form->widgets().Tab_2->isEnabled()
               && !m_form->widgets().Tab_4->isEnabled();
    }
    void clickView(int view) { QTest::mouseClick(m_form->reports().substitutionsPage()->views->button(view), Qt::LeftButton); }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(),
                                       {u"5А|5Б|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров|Физика;|Физика;|"_s, u"~end~"_s}));
        QDir().mkpath(u"r_data"_s);
        QDir().mkpath(u"setka"_s);
        // Friday 11.12.2026: 5А's algebra given by Петров as physics; 5Б's physics in another room.
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, day({u"|Алгебра|Физика|"_s}, {u"12|14|"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, day({u"|Физика|Физика|"_s}, {u"15|16|"_s})));
        // Thursday 10.12.2026 is saved but has no template.
        QVERIFY(rasp::text::writeLines(u"r_data/10.12.2026.ini"_s, day({u"|Физика||"_s})));
        m_form = std::make_unique<TForm1>();
        m_opened.clear();
        m_form->reports().shellOpen = [this](const QString &path) {
            m_opened << path;
            return true;
        };
        m_form->resize(1400, 800);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->widgets().sDateTimePicker3->setDate(QDate(2026, 12, 11));
    }
    void cleanup() { m_form.reset(); }

    void actionOpensTheSheetOfTheTargetDate()
    {
        TForm1 &f = *m_form;
        QVERIFY(!f.widgets().img_SBZam->isHidden());
        QVERIFY(f.widgets().img_SBZam->toolTip().startsWith(u"Замены"_s));
        QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
        QVERIFY(f.reports().substitutionsPage()->isVisible());
        QVERIFY(pagesDisabled());
        QCOMPARE(f.reports().substitutionsPage()->size(), QSize(1300, 670));
        QCOMPARE(f.reports().substitutionsPage()->date->date(), QDate(2026, 12, 11));
        QCOMPARE(f.reports().substitutionsPage()->status->text(), u"Замены на пятницу 11.12.2026: изменений — 2"_s);
        QCOMPARE(table(), (QStringList{u"5А|1|Алгебра\nИванова|Физика\nПетров|12 → 15|замена"_s,
                                       u"5Б|1|Физика\nПетров|Физика\nПетров|14 → 16|смена кабинета"_s}));

        clickView(rasp::ui::ZamenyPage::ByTeacher);
        QCOMPARE(table(), (QStringList{u"Иванова||1: 5А (1)||"_s, u"Петров|1: 5А (1)|||"_s}));

        // Another date without a saved day: the reason, no rows, nothing to export.
        f.reports().substitutionsPage()->date->setDate(QDate(2026, 12, 12));
        QVERIFY(f.reports().substitutionsPage()->status->text().startsWith(u"Расписание на 12.12.2026 не сохранено"_s));
        QVERIFY(table().isEmpty());
        QVERIFY(!f.reports().substitutionsPage()->excelButton->isEnabled());
        QVERIFY(!f.reports().substitutionsPage()->wordButton->isEnabled());

        QTest::mouseClick(f.reports().substitutionsPage()->sizeButton, Qt::LeftButton);
        QCOMPARE(f.reports().substitutionsPage()->size(), f.size());
        QTest::mouseClick(f.reports().substitutionsPage()->closeButton, Qt::LeftButton);
        QVERIFY(!f.reports().substitutionsPage()->isVisible());
        QVERIFY(f.widgets().Tab_1->isEnabled() && f.widgets().Rct_Tab->isEnabled());
    }

    void periodTallyCountsWithProgressAndNamesTheDaysLeftOut()
    {
        TForm1 &f = *m_form;
        QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
        QCOMPARE(f.reports().substitutionsPage()->from->date(), QDate(2026, 12, 1));
        QCOMPARE(f.reports().substitutionsPage()->to->date(), QDate(2026, 12, 11));
        f.reports().substitutionsPage()->from->setDate(QDate(2026, 12, 9));
        QTest::mouseClick(f.reports().substitutionsPage()->countButton, Qt::LeftButton);
        QCOMPARE(f.reports().substitutionsPage()->view(), rasp::ui::ZamenyPage::Period);
        QCOMPARE(f.reports().substitutionsPage()->progress->maximum(), 3);
        QCOMPARE(f.reports().substitutionsPage()->progress->value(), 3);
        QCOMPARE(table(), (QStringList{u"Иванова|||1|11.12.2026"_s, u"Петров|1|11.12.2026||"_s}));
        // Thursday had a saved day but no template: said so, not silently dropped.
        QVERIFY(f.widgets().Rct_soob->isVisible());
        QVERIFY(f.widgets().noticeText.contains(u"10.12.2026"_s));
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        QVERIFY(pagesDisabled()); // the page is still open, so the pages stay disabled

        // An end before the start cannot be counted.
        f.reports().substitutionsPage()->to->setDate(QDate(2026, 12, 8));
        QVERIFY(!f.reports().substitutionsPage()->countButton->isEnabled());
    }

    void filesAreWrittenAndOpenedWhileThePageStaysModal()
    {
        TForm1 &f = *m_form;
        QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
        {
            // Each export asks first, as the day's export does; "Нет" writes nothing.
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(f.reports().substitutionsPage()->excelButton, Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{u"Сохранить замены на пятницу в файл Excel?\r\nРанее сохраненный файл будет удален."_s});
        }
        QVERIFY(m_opened.isEmpty());
        {
            Answerer yes(f, {Answerer::Yes, Answerer::Yes});
            QTest::mouseClick(f.reports().substitutionsPage()->excelButton, Qt::LeftButton);
            QTest::mouseClick(f.reports().substitutionsPage()->wordButton, Qt::LeftButton);
            QCOMPARE(yes.asked.size(), 2);
        }
        const QString base = QDir::current().filePath(u"raspisanie/Замены 11.12.2026."_s);
        QCOMPARE(m_opened, (QStringList{base + u"xlsx"_s, base + u"docx"_s}));
        // The page's print menu writes the sheet, the slips and the month's journal as PDF.
        auto *print = f.reports().substitutionsPage()->findChild<QToolButton *>(u"printMenuButton"_s);
        QVERIFY(print && print->menu());
        QStringList pdfs;
        for (QAction *a : print->menu()->actions())
            if (a->text().startsWith(u"PDF: "_s)) {
                Answerer yes(f, {Answerer::Yes});
                a->trigger();
                pdfs << QFileInfo(m_opened.last()).fileName();
            }
        QCOMPARE(pdfs, (QStringList{u"Замены 11.12.2026.pdf"_s, u"Листки замен 11.12.2026.pdf"_s, u"Журнал замен 12.2026.pdf"_s}));
        for (const QString &pdf : pdfs)
            QVERIFY(QFileInfo(QDir::current().filePath(u"raspisanie/"_s + pdf)).size() > 1000);
        QVERIFY(QFileInfo(base + u"xlsx"_s).size() > 0);
        QVERIFY(QFileInfo(base + u"docx"_s).size() > 0);
        QVERIFY(pagesDisabled());
        QVERIFY(f.reports().substitutionsPage()->isEnabled());

        f.reports().substitutionsPage()->from->setDate(QDate(2026, 12, 11));
        QTest::mouseClick(f.reports().substitutionsPage()->countButton, Qt::LeftButton);
        QVERIFY(!f.reports().substitutionsPage()->wordButton->isEnabled());
        Answerer yes(f, {Answerer::Yes});
        QTest::mouseClick(f.reports().substitutionsPage()->excelButton, Qt::LeftButton);
        QCOMPARE(yes.asked, QStringList{u"Сохранить итог по учителям с 11.12.2026 по 11.12.2026 в файл Excel?\r\nРанее сохраненный файл будет удален."_s});
        QCOMPARE(m_opened.last(), QDir::current().filePath(u"raspisanie/Замены 11.12.2026-11.12.2026.xlsx"_s));
    }

    // A teacher marked away and her lesson covered from the planning view, the day saved: the
    // sheet of the day heads with the absence, words the cover with whom it replaces and its
    // kind, and warns of the lessons still uncovered.
    void coversAndAbsencesShowOnTheSheet()
    {
        m_form.reset();
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), absenceschool::kLoad));
        const QStringList rooms(6, u"||||"_s);
        dayschool::writeToday(absenceschool::kDay + QStringList{u"|||"_s, u"|||"_s}, rooms, {QString(), u"~end~"_s});
        const QDate today = QDate::currentDate();
        QFile::remove(rasp::tmpl::SetkaPath(today.dayOfWeek())); // the template: today as saved
        QVERIFY(QFile::copy(rasp::day::DayFilePath(today), rasp::tmpl::SetkaPath(today.dayOfWeek())));
        m_form = std::make_unique<TForm1>();
        m_form->resize(1400, 800);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        TForm1 &f = *m_form;
        rasp::ui::AbsencesController &absences = f.absences();
        QVERIFY(absences.markAbsent(u"Иванова"_s, 1, 6, u"болезнь"_s));
        QTest::mouseClick(absences.openCount(), Qt::LeftButton);
        rasp::ui::ZamenyPage *page = f.reports().substitutionsPage();
        QCOMPARE(page->view(), rasp::ui::ZamenyPage::Absences);
        QVERIFY(absences.applyCandidate(0)); // 7А, lesson 1: Смирнова, by subject
        QCOMPARE(f.state().grid.cell(1, 1).teachers, u"Смирнова"_s);
        QTest::mouseClick(page->closeButton, Qt::LeftButton);
        QVERIFY(!page->isVisible());
        f.RaspSave(rasp::day::DayFilePath(today), u"ok"_s);
        QCOMPARE(f.widgets().noticeText, u"ok"_s);
        if (f.widgets().Rct_soob->isVisible())
            QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);

        QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
        QVERIFY(page->isVisible());
        QCOMPARE(page->date->date(), today);
        clickView(rasp::ui::ZamenyPage::ByClass);
        const QStringList status = page->status->text().split(u'\n');
        QVERIFY2(status.contains(u"Отсутствуют: Иванова (болезнь), 1-6 уроки"_s), qPrintable(status.join(u'\n')));
        QVERIFY2(status.contains(u"Не закрыто уроков: 2 — 7А, 3-й урок, Алгебра (Иванова); 7Б, 2-й урок, Алгебра (Иванова)"_s),
                 qPrintable(status.join(u'\n')));
        QCOMPARE(table(), (QStringList{u"7А|1|Алгебра\nИванова|Алгебра — Смирнова вместо Ивановой (по предмету)||замена"_s}));
    }

    // Saturday 12.12.2026 worked as Friday: chosen on the page, kept beside the day, the sheet
    // compared with Friday's template and titled so; the period's journal goes to a workbook.
    void aDateFollowsAnotherWeekdayAndTheJournalIsExported()
    {
        TForm1 &f = *m_form;
        QVERIFY(rasp::text::writeLines(u"r_data/12.12.2026.ini"_s, day({u"|Алгебра|Физика|"_s}, {u"12|14|"_s})));
        QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
        f.reports().substitutionsPage()->date->setDate(QDate(2026, 12, 12));
        QVERIFY(f.reports().substitutionsPage()->status->text().startsWith(u"Шаблона на субботу нет"_s));
        QCOMPARE(f.reports().substitutionsPage()->asWeekday->currentIndex(), 0);
        f.reports().substitutionsPage()->asWeekday->setCurrentIndex(5);
        emit f.reports().substitutionsPage()->asWeekday->activated(5);
        QCOMPARE(f.reports().substitutionsPage()->status->text(), u"Замен на субботу 12.12.2026 по расписанию пятницы нет: расписание совпадает с шаблоном"_s);
        QVERIFY(rasp::text::readLines(u"r_data/12.12.2026.zam"_s).lines.contains(u"[По расписанию]"_s));
        // The choice is read back for the date.
        f.reports().substitutionsPage()->date->setDate(QDate(2026, 12, 11));
        QCOMPARE(f.reports().substitutionsPage()->asWeekday->currentIndex(), 0);
        f.reports().substitutionsPage()->date->setDate(QDate(2026, 12, 12));
        QCOMPARE(f.reports().substitutionsPage()->asWeekday->currentIndex(), 5);

        f.reports().substitutionsPage()->from->setDate(QDate(2026, 12, 1));
        f.reports().substitutionsPage()->to->setDate(QDate(2026, 12, 31));
        QTest::mouseClick(f.reports().substitutionsPage()->journalButton, Qt::LeftButton);
        const QString journal = QDir::current().filePath(u"raspisanie/Журнал 01.12.2026-31.12.2026.xlsx"_s);
        QCOMPARE(m_opened, QStringList{journal});
        QVERIFY(QFileInfo(journal).size() > 0);
    }
};

QTEST_MAIN(TstZamenyWindow)
#include "tst_zamenywindow.moc"

// The load page in the window: setting up a school from an empty folder through the page's own
// buttons, strips, matrix and menus; the class and teacher menus with their questions; saving;
// and the strips that follow the matrix.
#include "answerer.h"
#include "widgets/circlebutton.h"
#include "day/daygridview.h"
#include "load/loadgeometry.h"
#include "load/nagruzfile.h"
#include "load/loadcontroller.h"
#include "load/loadmatrixview.h"
#include "load/loadpage.h"
#include "load/loadstripview.h"
#include "shell/overlaypanel.h"
#include "shell/tabbutton.h"
#include "template/classorder.h"
#include "template/setka.h"
#include "text/textfile.h"
#include "stateinvariants.h"
#include "tform1.h"
#include "typetext.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using rasp::load::LoadGeometry;
using rasp::ui::LoadStripView;

class TstLoadPage : public QObject
{
    Q_OBJECT

    // A started window in the current folder with its load page in front.
    static std::unique_ptr<TForm1> openLoadPage()
    {
        auto form = std::make_unique<TForm1>();
        form->resize(1350, 800);
        form->show();
        form->widgets().Tab_1->hide();
        form->widgets().Tab_2->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qWarning("window not exposed");
        return form;
    }
    static void writeLoad(const QStringList &lines)
    {
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), lines));
    }
    // Answers the next question with "Да" or "Нет" as soon as it waits, recording its text.
    static void answer(TForm1 &form, bool yes, QString *asked)
    {
        QTimer::singleShot(0, &form, [&form, yes, asked] {
            *asked = form.widgets().questionText;
            QTest::mouseClick(yes ? form.widgets().ButtonSoob1 : form.widgets().ButtonSoob2, Qt::LeftButton);
        });
    }
    static void closeNotice(TForm1 &form)
    {
        if (form.widgets().Rct_soob->isVisible())
            QTest::mouseClick(form.widgets().Button1, Qt::LeftButton);
    }
    static void typeName(LoadStripView *strip, int n, const QString &text)
    {
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->nameRect(n).center());
        QCOMPARE(strip->editorItem(), n);
        typeText(strip->editor(), text);
    }
    // Types subject lines into the field of teacher m in class j, one Return between lines.
    static void typeSubjects(rasp::ui::LoadMatrixView *matrix, int m, int j, const QStringList &lines)
    {
        const QRect r = LoadGeometry::subjectRect(m, j);
        QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {}, matrix->toViewport(r.center()));
        QCOMPARE(matrix->editorTeacher(), m);
        QCOMPARE(matrix->editorClass(), j);
        for (int n = 0; n < lines.size(); ++n) {
            if (n > 0)
                QTest::keyClick(matrix->editor(), Qt::Key_Return);
            typeText(matrix->editor(), lines.at(n));
        }
    }
    // Opens a class's or teacher's menu by its painted "…" and triggers one of its entries.
    static void fromMenu(LoadStripView *strip, int n, QMenu *menu, QAction *entry)
    {
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->menuRect(n).center());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        entry->trigger();
    }
    static QStringList names(const rasp::State &s)
    {
        QStringList out;
        for (int m = 1; m <= s.pedvis; ++m)
            out << s.PedFio[m].name;
        return out;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        QFile::remove(rasp::load::NagruzPath());
        QDir(u"setka"_s).removeRecursively();
        QDir(u"r_data"_s).removeRecursively();
    }

    void schoolFromAnEmptyFolderIsSavedAndReadBackByAFreshStart()
    {
        auto form = openLoadPage();
        rasp::ui::LoadPage *page = form->load().page();
        const rasp::State &s = form->state();
        QCOMPARE(page->sSpeedButton18->toolTip(), u"Добавить класс"_s);
        QCOMPARE(page->sSpeedButton16->badge(), u"2"_s);
        QCOMPARE(page->SpeedButton12->badge(), QString());
        QVERIFY(!page->sSpeedButton17->isVisible());

        // Teachers need a class first.
        QTest::mouseClick(page->sSpeedButton16, Qt::LeftButton);
        QCOMPARE(form->widgets().noticeText, u"Для начала нужно добавить хотя бы один класс"_s);
        QCOMPARE(s.pedvis, 0);
        closeNotice(*form);

        for (int n = 0; n < 2; ++n)
            QTest::mouseClick(page->sSpeedButton18, Qt::LeftButton);
        QCOMPARE(s.klassvis, 2);
        QCOMPARE(s.grid.columnCount(), 3);
        typeName(page->ScrollBox4, 1, u"5А"_s);
        typeName(page->ScrollBox4, 2, u"10Б и ещё"_s); // cut at four characters
        QCOMPARE(s.Klass[2], u"10Б "_s);
        page->ScrollBox4->editor()->clear();
        typeText(page->ScrollBox4->editor(), u"5|;ӘБ"_s); // separators and "Ә" cannot be typed
        QCOMPARE(s.Klass[2], u"5Б"_s);
        QVERIFY(s.grid.cell(0, 1).subject.isEmpty()); // the grid header waits for the save

        for (int n = 0; n < 2; ++n)
            QTest::mouseClick(page->sSpeedButton16, Qt::LeftButton);
        QVERIFY(page->sSpeedButton17->isVisible());
        typeName(page->ScrollBox3, 1, u"Яковлева Ольга"_s);
        typeName(page->ScrollBox3, 2, u"Антонов Пётр"_s);
        typeSubjects(page->ScrollBox1, 1, 1, {u"Алгебра"_s, QString(), u"Геометрия"_s});
        typeSubjects(page->ScrollBox1, 2, 2, {u"Алгебра"_s});
        QCOMPARE(s.Predmet[1][1], (QStringList{u"Алгебра"_s, QString(), u"Геометрия"_s}));
        // Pasted separators and characters outside Windows-1251 are taken out.
        page->ScrollBox1->editor()->insertPlainText(u"Ф|и²з;"_s);
        QCOMPARE(s.Predmet[2][2], QStringList{u"АлгебраФиз"_s});
        page->ScrollBox1->editor()->setPlainText(u"Алгебра"_s);
        QCOMPARE(s.RaspUrPredm.Count, 0); // the index waits for the save

        // A sort moves names, colours and subjects together.
        QTest::mouseClick(page->sSpeedButton17, Qt::LeftButton);
        QCOMPARE(names(s), (QStringList{u"Антонов Пётр"_s, u"Яковлева Ольга"_s}));
        QCOMPARE(s.PedFio[2].colour, 2);
        QCOMPARE(s.Predmet[2][1].last(), u"Геометрия"_s);

        QTest::mouseClick(page->sSpeedButton15, Qt::LeftButton);
        QCOMPARE(form->widgets().noticeText, u"Данные сохранены"_s);
        QVERIFY(!form->load().menus().Image8->isVisible());
        QVERIFY(form->widgets().Tab_2->isEnabled());
        closeNotice(*form);
        QCOMPARE(s.grid.cell(0, 1).subject, u"5А"_s);
        QCOMPARE(s.grid.cell(0, 2).subject, u"5Б"_s);
        QCOMPARE(s.Predmet[2][1], (QStringList{u"Алгебра"_s, u"Геометрия"_s})); // read back from the file
        QCOMPARE(form->widgets().sCheckListBox1->count(), 2);
        QVERIFY(form->widgets().SpeedB1->isEnabled() && form->widgets().SpeedB5->isEnabled());
        const QStringList saved = rasp::load::NagruzLines(s);
        QCOMPARE(saved, (QStringList{u"5А|5Б|"_s, u"Антонов Пётр||Алгебра;|"_s,
                                     u"Яковлева Ольга|Алгебра;Геометрия;||"_s, u"~end~"_s}));

        TForm1 fresh;
        QCOMPARE(rasp::load::NagruzLines(fresh.state()), saved);
        QCOMPARE(fresh.state().RaspUrPredm.predmet, s.RaspUrPredm.predmet);
        QCOMPARE(fresh.state().RaspUrPredm.uchitel, s.RaspUrPredm.uchitel);
        QVERIFY(fresh.load().page()->sSpeedButton17->isVisibleTo(fresh.load().page()));
    }

    void saveIsRefusedWithTheFirstProblem()
    {
        writeLoad({u"5А|6А|"_s, u"Антонов||Физика;|"_s, u"~end~"_s});
        auto form = openLoadPage();
        const QByteArray before = rasp::text::readLines(rasp::load::NagruzPath()).lines.join(u'/').toUtf8();
        form->fixtureState().Klass[1].clear();
        form->fixtureState().Klass[2].clear();
        QTest::mouseClick(form->load().page()->sSpeedButton15, Qt::LeftButton);
        QCOMPARE(form->widgets().noticeText, u"В номерах классов имеются повторы.\r\nСохранение невозможно."_s);
        closeNotice(*form);
        form->fixtureState().PedFio[1].name.clear();
        QTest::mouseClick(form->load().page()->sSpeedButton15, Qt::LeftButton);
        QCOMPARE(form->widgets().noticeText, u"Укажите ФИО всех учителей"_s);
        QCOMPARE(rasp::text::readLines(rasp::load::NagruzPath()).lines.join(u'/').toUtf8(), before);
        QVERIFY(form->state().Klass[1].isEmpty()); // the page keeps the edits
        closeNotice(*form);

        // A file that cannot be written is reported, and the page is not reloaded from the old one.
        form->fixtureState().Klass[1] = u"7А"_s;
        form->fixtureState().Klass[2] = u"7Б"_s;
        form->fixtureState().PedFio[1].name = u"Борисов"_s;
        QVERIFY(QFile::remove(rasp::load::NagruzPath()));
        QVERIFY(QDir::current().mkdir(u"nagruz.ini"_s));
        {
            // What stands at the path is no longer what was read: the save asks first; "Да" goes on.
            Answerer answerer(*form, {Answerer::Yes});
            QTest::mouseClick(form->load().page()->sSpeedButton15, Qt::LeftButton);
            QCOMPARE(answerer.asked.size(), 1);
            QVERIFY2(answerer.asked.first().contains(u"изменён другой программой"_s), qPrintable(answerer.asked.first()));
        }
        QVERIFY(form->widgets().noticeText != u"Данные сохранены"_s);
        QVERIFY(form->widgets().Rct_soob->isVisible());
        QCOMPARE(form->state().PedFio[1].name, u"Борисов"_s);
        QCOMPARE(form->state().grid.cell(0, 1).subject, u"5А"_s);
        QVERIFY(QDir::current().rmdir(u"nagruz.ini"_s));
    }

    // A load file that could not be read at start-up (here a FIFO) is reported and never
    // replaced: a load built on the page is not saved over it, and the page keeps it.
    void aFileThatCannotBeReadIsNeverReplaced()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(rasp::load::NagruzPath()).constData(), 0644), 0);
        auto form = openLoadPage();
        QVERIFY2(form->widgets().noticeText.contains(u"это не обычный файл"_s), qPrintable(form->widgets().noticeText));
        closeNotice(*form);
        rasp::ui::LoadPage *page = form->load().page();
        QTest::mouseClick(page->sSpeedButton18, Qt::LeftButton);
        typeName(page->ScrollBox4, 1, u"5А"_s);
        QTest::mouseClick(page->sSpeedButton16, Qt::LeftButton);
        typeName(page->ScrollBox3, 1, u"Антонов"_s);
        QTest::mouseClick(page->sSpeedButton15, Qt::LeftButton);
        QVERIFY2(form->widgets().noticeText.startsWith(u"Нагрузка не сохранена: файл "_s)
                     && form->widgets().noticeText.contains(QDir::toNativeSeparators(rasp::load::NagruzPath())),
                 qPrintable(form->widgets().noticeText));
        const QFileInfo info(rasp::load::NagruzPath());
        QVERIFY(!info.isFile() && !info.isSymLink() && info.exists()); // still the FIFO
        QCOMPARE(form->state().PedFio[1].name, u"Антонов"_s);
        QVERIFY(QFile::remove(rasp::load::NagruzPath()));
    }

    void deleteAClassThroughItsMenu_data()
    {
        QTest::addColumn<QStringList>("load");
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<int>("teachers");
        QTest::addColumn<bool>("pagesOff"); // the day and template tabs go with the whole load
        const QStringList three{u"5А|5Б|6А|"_s, u"Антонов|Физика;|Химия;|Биология;|"_s, u"~end~"_s};
        const QString plain = u"Удалить класс?"_s;
        QTest::newRow("5Б of 5А, 5Б, 6А") << three << 2 << true << plain << QStringList{u"5А"_s, u"6А"_s} << 1 << false;
        QTest::newRow("declined") << three << 2 << false << plain << QStringList{u"5А"_s, u"5Б"_s, u"6А"_s} << 1 << false;
        QTest::newRow("the only class, no teacher") << QStringList{u"5А|"_s, u"~end~"_s} << 1 << true << plain
                                                    << QStringList{} << 0 << false;
        const QString whole = u"Т. к. это единственный существующий класс, то при его удалени будут удалены записи о всех учителях.\rУдалить класс?"_s;
        QTest::newRow("the only class with teachers")
            << QStringList{u"5А|"_s, u"Антонов|Физика;|"_s, u"Борисов||"_s, u"~end~"_s} << 1 << true << whole << QStringList{} << 0 << true;
        QTest::newRow("the only class with teachers, declined")
            << QStringList{u"5А|"_s, u"Антонов|Физика;|"_s, u"~end~"_s} << 1 << false << whole << QStringList{u"5А"_s} << 1 << false;
    }
    void deleteAClassThroughItsMenu()
    {
        QFETCH(QStringList, load);
        QFETCH(int, which);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(QStringList, classes);
        QFETCH(int, teachers);
        QFETCH(bool, pagesOff);
        writeLoad(load);
        auto form = openLoadPage();
        const rasp::State &s = form->state();
        const int columnsBefore = s.grid.columnCount();
        form->fixtureState().vt_sm_x = 1;
        form->fixtureState().vt_sm_y = 3;
        QString asked;
        answer(*form, yes, &asked);
        fromMenu(form->load().page()->ScrollBox4, which, form->load().menus().PopupMenu3, form->load().menus().MenuItem6);
        QCOMPARE(asked, question);
        QCOMPARE(QStringList(s.Klass.begin() + 1, s.Klass.end()), classes);
        QCOMPARE(s.klassvis, int(classes.size()));
        QCOMPARE(s.grid.columnCount(), s.klassvis + 1);
        QCOMPARE(s.pedvis, teachers);
        QCOMPARE(rasp::CheckInvariants(s), QStringList());
        const bool changed = s.grid.columnCount() != columnsBefore;
        QCOMPARE(s.vt_sm_x, changed ? 0 : 1);
        if (changed && s.klassvis > 0) // 6А's subjects now stand in the second column
            QCOMPARE(s.Predmet[1][2], QStringList{u"Биология"_s});
        QCOMPARE(form->widgets().SpeedB1->isEnabled(), !pagesOff);
        QCOMPARE(form->widgets().SpeedB5->isEnabled(), !pagesOff);
        QCOMPARE(form->load().page()->sSpeedButton17->isVisible(), teachers > 0);
        QCOMPARE(form->load().page()->ScrollBox1->horizontalScrollBar()->value(), 0);
    }

    // Deleting a class that saved templates still hold: the question names them; the templates
    // in memory lose that class's column (not its neighbour's), and the saved ones keep theirs by
    // the class names recorded beside them.
    void deletingAClassTheTemplatesHold()
    {
        writeLoad({u"5А|5Б|6А|"_s, u"Антонов|Физика;|Химия;|Биология;|"_s, u"~end~"_s});
        QVERIFY(QDir().mkpath(u"setka"_s));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(1), {u"|Физ5А|Хим5Б|Био6А|"_s, u"~end~"_s}));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(3), {u"|Физ5А||Био6А|"_s, u"~end~"_s}));
        auto form = openLoadPage();
        rasp::State &s = form->fixtureState();
        QCOMPARE(s.Setka[1].ur(1, 2), u"Хим5Б"_s);
        QString asked;
        answer(*form, true, &asked);
        fromMenu(form->load().page()->ScrollBox4, 2, form->load().menus().PopupMenu3, form->load().menus().MenuItem6);
        QCOMPARE(asked, u"Уроки класса 5Б есть в сохранённых сетках: понедельник. После удаления класса они в этих "
                        "сетках не учитываются.\rУдалить класс?"_s);
        for (int k : {1, 3}) {
            QCOMPARE(s.Setka[std::size_t(k)].ur(1, 1), u"Физ5А"_s);
            QCOMPARE(s.Setka[std::size_t(k)].ur(1, 2), u"Био6А"_s);
            // The files are untouched; beside each, the class order they were saved with.
            QCOMPARE(rasp::tmpl::ReadSetkaClassOrder(QDir::current(), k).names,
                     std::optional<QStringList>({u"5А"_s, u"5Б"_s, u"6А"_s}));
        }
        // Read again with the new load, Monday's 6А column is 6А's, and 5Б is named once.
        QCOMPARE(rasp::tmpl::SetkaLoad(s, QDir::currentPath()),
                 QStringList{u"Класс 5Б удалён из нагрузки: его уроки в сетке понедельника не учтены"_s});
        QCOMPARE(s.Setka[1].ur(1, 2), u"Био6А"_s);
    }

    // A class renamed on the load page (after another was deleted before it) keeps its lessons:
    // the save carries the new name into the class lists beside the saved templates and days;
    // the journal keeps the names it was written with.
    void aRenamedClassKeepsItsLessonsInSavedFiles()
    {
        writeLoad({u"5А|5Б|6А|"_s, u"Антонов|Физика;|Химия;|Биология;|"_s, u"~end~"_s});
        QVERIFY(QDir().mkpath(u"setka"_s) && QDir().mkpath(u"r_data"_s));
        const QStringList classes{u"[Классы]"_s, u"5А"_s, u"5Б"_s, u"6А"_s};
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(1), {u"|Физ5А|Хим5Б|Био6А|"_s, u"~end~"_s}));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaCompanionPath(1), classes));
        const QString dayCompanion = u"r_data/01.12.2026.zam"_s;
        const QString journalLine = u"1|6А|Биология|Антонов|Борисов|замена|1"_s;
        QVERIFY(rasp::text::writeLines(dayCompanion, classes + QStringList{u"[Журнал]"_s, journalLine}));
        auto form = openLoadPage();
        rasp::State &s = form->fixtureState();
        QString asked;
        answer(*form, true, &asked);
        fromMenu(form->load().page()->ScrollBox4, 2, form->load().menus().PopupMenu3, form->load().menus().MenuItem6);
        typeName(form->load().page()->ScrollBox4, 2, QString());
        form->load().page()->ScrollBox4->editor()->clear();
        typeText(form->load().page()->ScrollBox4->editor(), u"7А"_s);
        QCOMPARE(s.Klass[2], u"7А"_s);
        QTest::mouseClick(form->load().page()->sSpeedButton15, Qt::LeftButton);
        // The templates read back with the saved load name the deleted class, not the renamed one.
        const QString gone = u"Класс 5Б удалён из нагрузки: его уроки в сетке понедельника не учтены"_s;
        QCOMPARE(form->widgets().noticeText, gone);
        closeNotice(*form);

        const QStringList renamed{u"[Классы]"_s, u"5А"_s, u"5Б"_s, u"7А"_s};
        QCOMPARE(rasp::text::readLines(rasp::tmpl::SetkaCompanionPath(1)).lines, renamed);
        QCOMPARE(rasp::text::readLines(dayCompanion).lines, (renamed + QStringList{u"[Журнал]"_s, journalLine}));
        // Read back, Monday's third column is 7А's; 5Б is named as gone.
        QCOMPARE(s.Setka[1].ur(1, 2), u"Био6А"_s);
        QCOMPARE(rasp::tmpl::SetkaLoad(s, QDir::currentPath()), QStringList{gone});
        QCOMPARE(s.KlassRead, s.Klass);
    }

    void classMenuClearsLoadsAndNames()
    {
        writeLoad({u"5А|6А|"_s, u"Антонов|Физика;|Химия;|"_s, u"Борисов|Труд;|Труд;|"_s, u"~end~"_s});
        auto form = openLoadPage();
        const rasp::State &s = form->state();
        QString asked;
        answer(*form, true, &asked);
        fromMenu(form->load().page()->ScrollBox4, 2, form->load().menus().PopupMenu3, form->load().menus().MenuItem2);
        QCOMPARE(asked, u"Очистить информацию о нагрузке в классе?"_s);
        QVERIFY(s.Predmet[1][2].isEmpty() && s.Predmet[2][2].isEmpty());
        QCOMPARE(s.Predmet[2][1], QStringList{u"Труд"_s});
        answer(*form, true, &asked);
        fromMenu(form->load().page()->ScrollBox4, 1, form->load().menus().PopupMenu3, form->load().menus().MenuItem5);
        QCOMPARE(asked, u"Удалить названия всех класов?"_s);
        QVERIFY(s.Klass[1].isEmpty() && s.Klass[2].isEmpty());
        QCOMPARE(s.grid.cell(0, 1).subject, u"5А"_s);
        answer(*form, true, &asked);
        fromMenu(form->load().page()->ScrollBox4, 1, form->load().menus().PopupMenu3, form->load().menus().MenuItem4);
        QCOMPARE(asked, u"Удалить информацию о нагрузке во ВСЕХ классах?"_s);
        QVERIFY(s.Predmet[1][1].isEmpty() && s.Predmet[2][1].isEmpty());
    }

    void teacherMenuAndDeletingEverything()
    {
        writeLoad({u"5А|"_s, u"А|а;|"_s, u"Б|б;|"_s, u"В|в;|"_s, u"Г|г;|"_s, u"~end~"_s});
        auto form = openLoadPage();
        const rasp::State &s = form->state();
        LoadStripView *strip = form->load().page()->ScrollBox3;
        QString asked;
        answer(*form, false, &asked);
        fromMenu(strip, 2, form->load().menus().PopupMenu4, form->load().menus().MenuItem8);
        QCOMPARE(asked, u"Удалить запись об учителе Б?"_s);
        QCOMPARE(s.pedvis, 4);
        answer(*form, true, &asked);
        fromMenu(strip, 2, form->load().menus().PopupMenu4, form->load().menus().MenuItem8);
        QCOMPARE(names(s), (QStringList{u"А"_s, u"В"_s, u"Г"_s}));
        QCOMPARE(s.PedFio[2].colour, 4);
        QCOMPARE(s.Predmet[2][1], QStringList{u"в"_s});
        QCOMPARE(rasp::CheckInvariants(s), QStringList());

        answer(*form, true, &asked);
        fromMenu(strip, 1, form->load().menus().PopupMenu4, form->load().menus().MenuItem21);
        QCOMPARE(asked, u"Очистить информацию о нагрузке у учителя А?"_s);
        QVERIFY(s.Predmet[1][1].isEmpty());
        QCOMPARE(s.Predmet[3][1], QStringList{u"г"_s});
        answer(*form, true, &asked);
        fromMenu(strip, 1, form->load().menus().PopupMenu4, form->load().menus().MenuItem3);
        QCOMPARE(asked, u"Удалить ФИО всех учителей?"_s);
        QCOMPARE(names(s), (QStringList{QString(), QString(), QString()}));
        answer(*form, true, &asked);
        fromMenu(strip, 1, form->load().menus().PopupMenu4, form->load().menus().MenuItem22);
        QCOMPARE(asked, u"Удалить информацию о нагрузке у ВСЕХ учителей?"_s);
        QVERIFY(s.Predmet[3][1].isEmpty());
        answer(*form, true, &asked);
        fromMenu(strip, 1, form->load().menus().PopupMenu4, form->load().menus().MenuItem23);
        QCOMPARE(asked, u"Удалить запись абсолютно о ВСЕХ учителях и ничего не оставить?\rВы уверены?"_s);
        QCOMPARE(s.pedvis, 0);
        QCOMPARE(s.klassvis, 1);
        QVERIFY(!form->load().page()->sSpeedButton17->isVisible());

        answer(*form, true, &asked);
        QTest::mouseClick(form->load().page()->SpeedButton12, Qt::LeftButton);
        QCOMPARE(asked, u"Удалить абсолютно ВСЁ и ничего не оставить?\rВы уверены?"_s);
        QCOMPARE(s.klassvis, 0);
        QCOMPARE(s.grid.columnCount(), 1);
        QVERIFY(!form->widgets().SpeedB1->isEnabled() && !form->widgets().SpeedB5->isEnabled());
        QVERIFY(form->widgets().SpeedB2->isEnabled());
        QVERIFY(QFile::exists(rasp::load::NagruzPath())); // the file changes only by a save
    }

    void newTeachersTakeTheNextColourNumbers()
    {
        auto form = openLoadPage();
        QTest::mouseClick(form->load().page()->sSpeedButton18, Qt::LeftButton);
        for (int n = 0; n < 19; ++n)
            QTest::mouseClick(form->load().page()->sSpeedButton16, Qt::LeftButton);
        const rasp::State &s = form->state();
        QCOMPARE(s.PedFio[1].colour, 2);
        QCOMPARE(s.PedFio[17].colour, 18);
        QCOMPARE(s.PedFio[18].colour, 1);
        QCOMPARE(s.PedFio[19].colour, 2);
        // The newest row is scrolled into view; the teacher strip shows the same rows.
        QScrollBar *v = form->load().page()->ScrollBox1->verticalScrollBar();
        QCOMPARE(v->value(), v->maximum());
        QVERIFY(v->maximum() > 0);
        QCOMPARE(form->load().page()->ScrollBox3->offset(), v->value());
    }

    void aLongerNameFromTheFileIsKeptWholeWhenEdited_data()
    {
        QTest::addColumn<bool>("klass");
        QTest::addColumn<QString>("stored");
        QTest::newRow("class") << true << u"10проф"_s;
        QTest::newRow("teacher") << false << QString(u"Иванова-Петровская "_s.repeated(4)).trimmed();
    }
    void aLongerNameFromTheFileIsKeptWholeWhenEdited()
    {
        QFETCH(bool, klass);
        QFETCH(QString, stored);
        const QString className = klass ? stored : u"5А"_s;
        const QString teacher = klass ? u"Иванова"_s : stored;
        writeLoad({className + u"|"_s, teacher + u"|а;|"_s, u"~end~"_s});
        auto form = openLoadPage();
        const rasp::State &s = form->state();
        LoadStripView *strip = klass ? form->load().page()->ScrollBox4 : form->load().page()->ScrollBox3;
        auto name = [&] { return klass ? s.Klass[1] : s.PedFio[1].name; };
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->nameRect(1).center());
        QCOMPARE(strip->editorItem(), 1);
        QCOMPARE(strip->editor()->text(), stored);
        QCOMPARE(name(), stored);
        // Shortened by one, and no character typed while the name is over the limit.
        QTest::keyClick(strip->editor(), Qt::Key_End);
        QTest::keyClick(strip->editor(), Qt::Key_Backspace);
        QCOMPARE(name(), stored.chopped(1));
        typeText(strip->editor(), u"x"_s);
        QCOMPARE(name(), stored.chopped(1));
        // A new name is typed up to the limit, without the load file's separators.
        strip->editor()->selectAll();
        const QString typed = klass ? u"7;Б|ВГД"_s : u"Сидорова|"_s;
        typeText(strip->editor(), typed);
        QCOMPARE(name(), klass ? u"7БВГ"_s : u"Сидорова"_s);
    }

    void aCellWithTwoSubjectsOpensOnItsFirstLine_data()
    {
        QTest::addColumn<int>("clickedLine"); // -1: reached with Tab
        QTest::addColumn<int>("caretLine");
        QTest::newRow("click on the first line") << 0 << 0;
        QTest::newRow("click on the second line") << 1 << 1;
        QTest::newRow("Tab") << -1 << 1;
    }
    void aCellWithTwoSubjectsOpensOnItsFirstLine()
    {
        QFETCH(int, clickedLine);
        QFETCH(int, caretLine);
        writeLoad({u"5А|6А|"_s, u"Иванова|а;|Алгебра;Геометрия;|"_s, u"~end~"_s});
        auto form = openLoadPage();
        rasp::ui::LoadMatrixView *matrix = form->load().page()->ScrollBox1;
        const QRect r = LoadGeometry::subjectRect(1, 2);
        if (clickedLine < 0) {
            QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {}, matrix->toViewport(LoadGeometry::subjectRect(1, 1).center()));
            QTest::keyClick(matrix->editor(), Qt::Key_Tab);
        } else {
            // The lines are about 20 px high below a 3-px margin.
            QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {},
                              matrix->toViewport(QPoint(r.left() + 30, r.top() + 12 + 20 * clickedLine)));
        }
        QCOMPARE(matrix->editorClass(), 2);
        QPlainTextEdit *editor = matrix->editor();
        QCOMPARE(editor->toPlainText(), u"Алгебра\nГеометрия"_s);
        // The first line is at the top of the field, and the caret is on the line asked for.
        QCOMPARE(editor->cursorForPosition(QPoint(5, 5)).blockNumber(), 0);
        QCOMPARE(editor->textCursor().blockNumber(), caretLine);
        if (clickedLine < 0)
            QVERIFY(editor->textCursor().atEnd());
    }

    void stripsFollowTheMatrixAndTheWheelScrollsNothing()
    {
        QStringList load{QString()};
        for (int j = 1; j <= 40; ++j)
            load[0] += u"%1|"_s.arg(j);
        for (int m = 1; m <= 60; ++m)
            load << u"Учитель %1|"_s.arg(m) + QString(40, u'|');
        load << u"~end~"_s;
        writeLoad(load);
        auto form = openLoadPage();
        rasp::ui::LoadPage *page = form->load().page();
        QScrollBar *h = page->ScrollBox1->horizontalScrollBar();
        QScrollBar *v = page->ScrollBox1->verticalScrollBar();
        QVERIFY(h->maximum() > 0 && v->maximum() > 0);
        h->setValue(h->maximum());
        v->setValue(500);
        QCOMPARE(page->ScrollBox4->offset(), h->maximum());
        QCOMPARE(page->ScrollBox3->offset(), 500);
        // The last class's name field sits over its column.
        QCOMPARE(page->ScrollBox4->nameRect(40).x(), page->ScrollBox1->toViewport(LoadGeometry::subjectRect(1, 40).topLeft()).x());

        for (QWidget *area : {page->ScrollBox1->viewport(), static_cast<QWidget *>(page->ScrollBox3),
                              static_cast<QWidget *>(page->ScrollBox4)}) {
            QWheelEvent wheel(QPointF(30, 30), area->mapToGlobal(QPointF(30, 30)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(area, &wheel);
        }
        QCOMPARE(v->value(), 500);
        QCOMPARE(h->value(), h->maximum());

        // "Добавить класс" appends at the right end and scrolls there.
        h->setValue(0);
        QTest::mouseClick(page->sSpeedButton18, Qt::LeftButton);
        QCOMPARE(form->state().klassvis, 41);
        QCOMPARE(h->value(), h->maximum());
        QCOMPARE(page->ScrollBox4->offset(), h->maximum());
        QCOMPARE(v->value(), 500);
        QVERIFY(form->state().Klass[41].isEmpty() && form->state().Predmet[60][41].isEmpty());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TstLoadPage)
#include "tst_loadpage.moc"

// Start-up of the editor: folders, window size, page state, the grid view, and the single-instance guard.
#include "answerer.h"
#include "day/counters.h"
#include "day/gridops.h"
#include "day/daygridview.h"
#include "shell/tabbutton.h"
#include "gridpointer.h"
#include "shell/pagearea.h"
#include "arrange/arrangecontroller.h"
#include "tform1.h"
#include "typetext.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

class TstStartup : public QObject
{
    Q_OBJECT

    // Adds classes through the window, as the load reader does, and names them.
    static void addClasses(TForm1 &form, const QStringList &names)
    {
        for (const QString &name : names) {
            form.KlassCreate();
            form.fixtureState().grid.cell(0, form.fixtureState().klassvis).subject = name;
        }
        for (int j = 1; j <= form.state().klassvis; ++j)
            for (int i = 1; i <= form.state().max_ur; ++i)
                form.fixtureState().grid.cell(i, j).roomVisible = true;
        form.RamkaKoord(1, 1);
        form.showFrameAndMemo();
    }

    // Clicks the centre of a field of a lesson cell in the grid body.
    static void clickField(TForm1 &form, int row, int column, GridGeometry::Field field)
    {
        const QPoint p = field == GridGeometry::Subject ? gridpointer::subjectAt(form, row, column)
                                                        : gridpointer::roomAt(form, row, column);
        QTest::mouseClick(gridpointer::body(form), Qt::LeftButton, {}, p);
    }

    static QProcessEnvironment editorEnvironment(const QString &runtimeDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
        return env;
    }

private slots:
    void firstStartInAnEmptyFolder()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TForm1 form;

        for (const QString &folder : {u"r_data"_s, u"setka"_s, u"raspisanie"_s})
            QVERIFY2(QDir(dir.path()).exists(folder), qPrintable(folder));
        QCOMPARE(form.windowTitle(), u"Редактор расписания 1.0.5.5"_s);
        QCOMPARE(form.width(), 1350);
        QCOMPARE(form.height(), 551);

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (QWidget *page : {form.widgets().Tab_1, form.widgets().Tab_2, form.widgets().Tab_3, form.widgets().Tab_4})
            QVERIFY2(!page->isVisible(), qPrintable(page->objectName()));
        QVERIFY(!form.widgets().SpeedB1->isEnabled());
        QVERIFY(!form.widgets().SpeedB5->isEnabled());
        QVERIFY(form.widgets().SpeedB2->isEnabled());
        QVERIFY(form.widgets().SpeedB4->isEnabled());
        // Start-state colours: the day tab looks active, the others inactive.
        QCOMPARE(form.widgets().SpeedB1->fill(), 0xFF0061B0u);
        QCOMPARE(form.widgets().SpeedB1->textColour(), 0xFFFFFFFFu);
        for (auto *tab : {form.widgets().SpeedB5, form.widgets().SpeedB2, form.widgets().SpeedB4}) {
            QCOMPARE(tab->fill(), 0xFFE0E0E0u);
            QCOMPARE(tab->textColour(), 0xFF000000u);
        }

        const rasp::State &s = form.state();
        QCOMPARE(s.max_ur, 6);
        QCOMPARE(s.klassvis, 0);
        QCOMPARE(s.klassvis_mas, 1);
        QCOMPARE(s.chek_pderm, 1);
        QCOMPARE(s.vibor_dat, 1);
        QCOMPARE(s.colorr[1], 0xFF1F3864u);
        QCOMPARE(s.colorr[18], 0xFFE17979u);
        QVERIFY(!s.grid.ramkaVisible);
        QCOMPARE(form.arrange().maxLessonsBox()->count(), 5); // "2" .. "6", the last selected
        QCOMPARE(form.arrange().maxLessonsBox()->currentText(), u"6"_s);
        QCOMPARE(form.arrange().firstGapsBox()->count(), 6); // "0" .. "5", the first selected
        QCOMPARE(form.arrange().firstGapsBox()->currentText(), u"0"_s);
        QCOMPARE(form.widgets().sDateTimePicker3->date(), QDate::currentDate());
        QVERIFY(!form.arrange().revertButton()->isEnabled());
        QVERIFY(!form.arrange().stopButton()->isEnabled());
        QVERIFY(form.widgets().grid->togglesEnabled());
        QCOMPARE(form.widgets().sGroupBox4->width(), 410); // ten pictures, "Замены" under the tenth
        const std::pair<QToolButton *, int> bar[] = {{form.widgets().img_SB8, 10}, {form.widgets().img_SB3, 50}, {form.widgets().img_SB9, 90}, {form.widgets().img_SB10, 130}, {form.widgets().img_SB11, 170}, {form.widgets().img_SB12, 210}, {form.widgets().img_SB2, 250}, {form.widgets().img_SB13, 290}, {form.widgets().img_SB14, 330}, {form.widgets().img_SB1, 370}};
        for (const auto &[picture, x] : bar)
            QCOMPARE(picture->pos(), QPoint(x, 24));
        QCOMPARE(form.widgets().img_SBZam->pos(), QPoint(370, 79));
    }

    // Where the empty page area shows anything: the box of the pixels that differ from its corner.
    static QRect paintedBox(rasp::ui::PageArea *area)
    {
        const QImage image = area->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background)
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    // Today's day under a second shift with a default-pinned subject that coincides: the pinning
    // pass of start-up would ask whether to pin it while the window is not yet on screen, and
    // the editor would never appear. Start-up keeps the settings' pin without asking.
    void startUpAsksNothingAndKeepsADefaultPin()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QVERIFY(QDir().mkpath(u"r_data"_s));
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        };
        write(u"nagruz.ini"_s, "5A|5B|\r\nTeacher|PE;|PE;|\r\n~end~\r\n");
        // Blocked "PE"; 6 rows, first shift rows 1..3, first-shift classes 1, second shift on.
        write(u"setting.ini"_s, "~end~\r\nPE\r\n~end~\r\n\r\n\r\n\r\n\r\n0\r\n1\r\n1\r\n0\r\n0\r\n6\r\n3\r\n1\r\n1\r\n1\r\n0\r\n");
        QByteArray day = "|PE|PE|\r\n";
        for (int i = 2; i <= 6; ++i)
            day += "|||\r\n";
        for (int i = 1; i <= 6; ++i)
            day += "||\r\n";
        write(u"r_data/"_s + QDate::currentDate().toString(u"dd.MM.yyyy"_s) + u".ini"_s, day + "\r\n~end~\r\n");

        TForm1 form; // returns: nothing waits for an answer
        QVERIFY(form.widgets().questionText.isEmpty());
        QVERIFY(form.widgets().Rct_soobDlg->isHidden());
        QVERIFY(!form.isStartingUp());
        const rasp::day::Cell &pe = form.state().grid.cell(1, 1);
        QCOMPARE(pe.subject, u"PE"_s);
        QVERIFY(pe.background != rasp::day::kWhite); // the coincidence is shown
        QVERIFY(pe.locked());                        // and the settings' pin kept

        // Once the window is up, the same pass asks as before.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Answerer no(form, {Answerer::No});
        form.VtorayaSmenaBlok(1);
        QCOMPARE(no.asked, QStringList{rasp::day::CheckListQuestion()});
        QVERIFY(!form.state().grid.cell(1, 1).locked());
    }

    void firstStartHintUntilTheFirstLoadIsSaved()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        rasp::ui::PageArea *area = form.widgets().pageArea;
        QVERIFY(area->hintShown());
        // One centred line of text and nothing else; the tabs stay as a first start sets them.
        const QRect box = paintedBox(area);
        QVERIFY(!box.isEmpty());
        QVERIFY2(box.height() < 30 && box.width() > 300, qPrintable(u"%1x%2"_s.arg(box.width()).arg(box.height())));
        QVERIFY(qAbs(box.center().x() - area->width() / 2) <= 2);
        QVERIFY(qAbs(box.center().y() - area->height() / 2) <= 10);
        QVERIFY(!form.widgets().SpeedB1->isEnabled() && form.widgets().SpeedB2->isEnabled());
        QVERIFY(!area->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly));

        // A page in front hides it; the first saved load ends it for good.
        QTest::mouseClick(form.widgets().SpeedB2, Qt::LeftButton);
        QVERIFY(form.widgets().Tab_2->isVisible());
        QVERIFY(!area->hintShown());
        form.sSpeedButton18Click();
        form.fixtureState().Klass[1] = u"5А"_s;
        form.sSpeedButton16Click();
        form.fixtureState().PedFio[1].name = u"Иванова"_s;
        form.sSpeedButton15Click();
        QCOMPARE(form.widgets().noticeText, u"Данные сохранены"_s);
        form.widgets().Tab_2->hide();
        QVERIFY(!area->hintShown());
        QVERIFY(paintedBox(area).isEmpty());
        TForm1 fresh;
        fresh.show();
        QVERIFY(!fresh.widgets().pageArea->hintShown());
    }

    void addingTheFirstClassShowsFrameMemoAndCells()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        addClasses(form, {u"5А"_s, u"5Б"_s, u"6А"_s});
        QCOMPARE(form.state().klassvis, 3);
        QCOMPARE(form.state().klassvis_mas, 4);
        QCOMPARE(form.state().grid.ramkaRow, 1);
        QCOMPARE(form.state().grid.ramkaColumn, 1);
    }

    void clickingAndTypingEditTheModel()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.widgets().Tab_1->show();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        addClasses(form, {u"5А"_s, u"5Б"_s, u"6А"_s});
        rasp::State &s = form.fixtureState();

        clickField(form, 2, 3, GridGeometry::Subject);
        QCOMPARE(s.grid.ramkaRow, 2);
        QCOMPARE(s.grid.ramkaColumn, 3);
        QLineEdit *editor = form.widgets().grid->editor();
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        typeText(editor, u"Физика"_s);
        QCOMPARE(s.grid.cell(2, 3).subject, u"Физика"_s);

        clickField(form, 4, 1, GridGeometry::Room);
        QCOMPARE(s.grid.ramkaRow, 4);
        QCOMPARE(form.widgets().grid->editorField(), GridGeometry::Room);
        typeText(editor, u"12345678901234"_s); // at most 10 characters
        QCOMPARE(s.grid.cell(4, 1).room, u"1234567890"_s);
        QCOMPARE(s.grid.cell(2, 3).subject, u"Физика"_s);

        // A locked cell takes no click: the frame stays where it was.
        s.grid.cell(5, 2).subject = u"Химия"_s;
        rasp::day::LockCell(s.grid.cell(5, 2));
        clickField(form, 5, 2, GridGeometry::Subject);
        QCOMPARE(s.grid.ramkaRow, 4);
        QCOMPARE(s.grid.ramkaColumn, 1);

        // The notes memo lies under the last row, as wide as the class columns, and is the day's note.
        QPlainTextEdit *memo = form.widgets().grid->memo();
        QVERIFY(memo->isVisible());
        QCOMPARE(memo->width(), 60 * 3 - 5);
        typeText(memo, u"Замена"_s);
        QCOMPARE(s.note, u"Замена"_s);
    }

    void clearingTheDayThroughTheWindowEmptiesEditorAndCaption()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.widgets().Tab_1->show();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        addClasses(form, {u"5А"_s});
        clickField(form, 1, 1, GridGeometry::Subject);
        typeText(form.widgets().grid->editor(), u"Алг"_s);
        form.widgets().sLabel7->setText(u"Иванова"_s);
        form.RaspClear();
        QVERIFY(form.state().grid.cell(1, 1).subject.isEmpty());
        QVERIFY(form.widgets().grid->editor()->text().isEmpty());
        QVERIFY(form.widgets().sLabel7->text().isEmpty());
    }

    void secondInstanceExitsWhileTheFirstRunsAndACrashFreesTheGuard()
    {
        QTemporaryDir runtime, first, second;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QProcessEnvironment env = editorEnvironment(runtime.path());

        QProcess one;
        one.setProcessEnvironment(env);
        one.setWorkingDirectory(first.path());
        one.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(one.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QDir(first.path()).exists(u"r_data"_s), 10000);
        QCOMPARE(one.state(), QProcess::Running);

        QProcess two;
        two.setProcessEnvironment(env);
        two.setWorkingDirectory(second.path());
        two.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(two.waitForFinished(15000));
        QCOMPARE(two.exitStatus(), QProcess::NormalExit);
        QCOMPARE(two.exitCode(), 0);
        QVERIFY(!QDir(second.path()).exists(u"r_data"_s)); // it never started up
        QCOMPARE(one.state(), QProcess::Running);

        one.kill(); // a crash: the guard must not outlive it
        QVERIFY(one.waitForFinished());
        QProcess three;
        three.setProcessEnvironment(env);
        three.setWorkingDirectory(second.path());
        three.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(three.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QDir(second.path()).exists(u"r_data"_s), 10000);
        QCOMPARE(three.state(), QProcess::Running);
        three.kill();
        three.waitForFinished();
    }

    // Two user sessions (each its own single-instance guard) open one school: the second editor
    // names the holder and leaves without touching the folder; meanwhile the command line refuses
    // to write a school file but still reads; once the holder is gone (a crash) both work again.
    void aSecondEditorOnTheSameSchoolNamesTheHolderAndLeaves()
    {
        QTemporaryDir session1, session2, school;
        for (const QTemporaryDir *runtime : {&session1, &session2})
            QFile::setPermissions(runtime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess one;
        one.setProcessEnvironment(editorEnvironment(session1.path()));
        one.setWorkingDirectory(school.path());
        one.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(one.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QDir(school.path()).exists(u"r_data"_s), 10000);
        QVERIFY(QFile::exists(school.filePath(u"raspisanie.lock"_s)));

        QProcess two;
        two.setProcessEnvironment(editorEnvironment(session2.path()));
        two.setWorkingDirectory(school.path());
        two.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(two.waitForFinished(15000));
        QCOMPARE(two.exitStatus(), QProcess::NormalExit);
        QCOMPARE(two.exitCode(), 1);
        const QString said = QString::fromUtf8(two.readAllStandardError());
        QVERIFY2(said.contains(u"Эту школу уже редактирует пользователь "_s) && said.contains(u"на компьютере "_s),
                 qPrintable(said));
        QCOMPARE(one.state(), QProcess::Running);

        const auto cli = [&school](const QStringList &args) {
            QProcess p;
            p.setWorkingDirectory(school.path());
            p.start(QStringLiteral(RASP_CLI_BIN), args);
            p.waitForFinished(30000);
            return std::pair(p.exitCode(), QString::fromUtf8(p.readAllStandardError()));
        };
        // Every command that writes a school file refuses before it reads or writes anything.
        const QList<QStringList> writers = {
            {u"solve"_s, u"09.12.2026"_s, u"--save"_s},
            {u"absent"_s, u"09.12.2026"_s, u"Иванова Анна Петровна"_s},
            {u"cover"_s, u"09.12.2026"_s, u"--apply"_s},
            {u"zameny"_s, u"09.12.2026"_s, u"--as-weekday"_s, u"1"_s},
        };
        for (const QStringList &args : writers) {
            const auto refused = cli(args);
            QVERIFY2(refused.first == 1, qPrintable(args.join(u' ')));
            QVERIFY2(refused.second.startsWith(u"Папку школы сейчас редактирует пользователь "_s),
                     qPrintable(args.join(u' ') + u": "_s + refused.second));
        }
        QCOMPARE(cli({u"settings"_s}).first, 0); // reading goes on

        one.kill(); // a crash: the lock's process is gone, so the folder is free again
        QVERIFY(one.waitForFinished());
        const auto after = cli({u"solve"_s, u"09.12.2026"_s, u"--save"_s});
        QVERIFY2(!after.second.contains(u"Папку школы"_s), qPrintable(after.second));
        QProcess three;
        three.setProcessEnvironment(editorEnvironment(session2.path()));
        three.setWorkingDirectory(school.path());
        three.start(QStringLiteral(RASP_EDITOR_BIN), {});
        QVERIFY(three.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(three.state(), QProcess::Running);
        three.terminate();
        three.kill();
        three.waitForFinished();
    }

    // The editor's command line, answered before any window (no display is needed).
    void editorCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"raspisanie 1.0.5.5\n"_s << QString();
        QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"Использование: raspisanie [ПАПКА]\n"_s << QString();
        QTest::newRow("unknown option") << QStringList{u"--fast"_s} << 2 << QString()
                                        << u"Неверный параметр: --fast\nПодробнее: raspisanie --help\n"_s;
        QTest::newRow("two folders") << QStringList{u"a"_s, u"b"_s} << 2 << QString() << u"Лишний параметр: b\n"_s;
        QTest::newRow("a folder under a file") << QStringList{u"file/school"_s} << 1 << QString()
                                               << u"Рабочая папка недоступна: "_s;
    }
    void editorCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(RASP_EDITOR_BIN), args);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), code);
        const QString gotOut = QString::fromUtf8(p.readAllStandardOutput());
        const QString gotErr = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(out.isEmpty() ? gotOut.isEmpty() : gotOut.startsWith(out), qPrintable(gotOut));
        QVERIFY2(err.isEmpty() ? gotErr.isEmpty() : gotErr.contains(err), qPrintable(gotErr));
        QVERIFY(!QDir(dir.path()).exists(u"r_data"_s));
    }

    // The first argument is the work folder: a missing one is created, a file stands for its folder.
    void theFirstArgumentIsTheWorkFolder_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("folder");
        QTest::newRow("a new folder") << u"schools/new"_s << u"schools/new"_s;
        QTest::newRow("a file in the folder") << u"old/nagruz.ini"_s << u"old"_s;
    }
    void theFirstArgumentIsTheWorkFolder()
    {
        QFETCH(QString, arg);
        QFETCH(QString, folder);
        QTemporaryDir dir, runtime;
        QVERIFY(QDir(dir.path()).mkpath(u"old"_s));
        QFile load(dir.filePath(u"old/nagruz.ini"_s));
        QVERIFY(load.open(QIODevice::WriteOnly));
        load.close();
        QProcess editor;
        editor.setProcessEnvironment(editorEnvironment(runtime.path()));
        editor.setWorkingDirectory(dir.path());
        editor.start(QStringLiteral(RASP_EDITOR_BIN), {arg});
        QVERIFY(editor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QDir(dir.filePath(folder)).exists(u"r_data"_s), 10000);
        QVERIFY(!QDir(dir.path()).exists(u"r_data"_s));
        editor.kill();
        editor.waitForFinished();
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"

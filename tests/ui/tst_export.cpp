// The export actions of the window: the Excel and Word pictures on the day page (after their
// question) and on the template page, the folder picture, and what the user is told when a
// file cannot be written or opened. The written files are read back and compared with the
// layouts of the window's own state.
#include "answerer.h"
#include "exportschool.h"
#include "ooxmlread.h"
#include "reports/exportlayout.h"
#include "settings/settings.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "reports/reportscontroller.h"
#include "settings/settingscontroller.h"
#include "tform1.h"

#include <QDir>
#include <QFileInfo>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "print/printcontroller.h"

using namespace Qt::Literals::StringLiterals;
using exportschool::Mode;

class TstExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;
    QStringList m_opened; // what the window asked the shell to open
    bool m_openSucceeds = true;
    bool m_quietWhileOpening = false; // window enabled and wait picture hidden when the shell opened

    QString workPath(const QString &rel) const { return QDir::cleanPath(m_work->filePath(rel)); }

    // The day page with the export school on the grid, target date Wednesday 09.12.2026.
    void enterDayPage()
    {
        m_form->widgets().sDateTimePicker3->setDate(exportschool::kDate);
        m_form->SpeedB1Click();
        QVERIFY(m_form->dayPageActive());
        exportschool::fill(m_form->fixtureState());
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        rasp::settings::Settings settings;
        settings.lessonRows = 8;
        QVERIFY(rasp::text::writeLines(u"setting.ini"_s, rasp::settings::SettingsLines(settings, 4, 2)));
        m_form = std::make_unique<TForm1>();
        QCOMPARE(m_form->state().max_ur, 8);
        for (int i = 0; i < 4; ++i)
            m_form->KlassCreate();
        m_form->fixtureState().tab1vis = 1;
        m_form->widgets().SpeedB1->setEnabled(true);
        m_form->widgets().SpeedB5->setEnabled(true);
        m_opened.clear();
        m_openSucceeds = true;
        m_form->reports().shellOpen = [this](const QString &path) {
            m_opened << QDir::cleanPath(path);
            m_quietWhileOpening = m_form->widgets().Tab_1->isEnabled() && !m_form->widgets().Img_zdite->isVisible();
            return m_openSucceeds;
        };
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void dayExportAsksWritesAndOpens_data()
    {
        QTest::addColumn<bool>("word");
        QTest::addColumn<Mode>("mode");
        QTest::newRow("Excel, two tables") << false << Mode::TwoTables;
        QTest::newRow("Word, one table") << true << Mode::OneTable;
    }
    void dayExportAsksWritesAndOpens()
    {
        QFETCH(bool, word);
        QFETCH(Mode, mode);
        enterDayPage();
        TForm1 &f = *m_form;
        // The print options as the settings page sets them; the bounds come from setting.ini.
        QCOMPARE(f.state().vt_sm_x, 2);
        QCOMPARE(f.state().vt_sm_y, 4);
        f.settings().widgets().CheckBox3->setChecked(true);
        (mode == Mode::TwoTables ? f.settings().widgets().RadioButton6 : f.settings().widgets().RadioButton5)->setChecked(true);
        f.settings().widgets().RadioButton4->setChecked(true);
        f.settings().widgets().RadioButton2->setChecked(true);
        const QString app = word ? u"Word"_s : u"Excel"_s;
        const QString question = u"Сохранить расписание на среду в файл "_s + app + u"?\r\nРанее сохраненный файл будет удален."_s;
        QToolButton *button = word ? f.widgets().img_SB12 : f.widgets().img_SB2;
        const QString file = workPath(u"raspisanie/09.12.2026."_s + (word ? u"docx"_s : u"xlsx"_s));

        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{question});
        }
        QVERIFY(!QFileInfo::exists(file));
        QVERIFY(m_opened.isEmpty());

        Answerer yes(f, {Answerer::Yes});
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(yes.asked, QStringList{question});
        QCOMPARE(m_opened, QStringList{file});
        QVERIFY(m_quietWhileOpening);
        QVERIFY(!f.widgets().Rct_soob->isVisible());
        if (word) {
            const auto doc = ooxml::readDocx(file);
            QCOMPARE(doc.tables.size(), std::size_t(1));
            QVERIFY(doc.landscape);
            QCOMPARE(doc.tables[0].cells.at({5, 1}).text, exportschool::kTitle + u"\nВторая смена"_s);
            QCOMPARE(doc.tables[0].cells.at({8, 1}).text, u"Дежурный — 5А\nЛинейка в 8:00"_s);
        } else {
            const auto sheet = ooxml::readXlsx(file);
            QCOMPARE(sheet.name, u"Среда 09.12.2026"_s);
            QCOMPARE(sheet.cells.at({8, 2}).text, exportschool::kTitle); // second table, three rows below
            QCOMPARE(sheet.cells.at({10, 2}).text, u"Биол\r\n31"_s);
        }
    }

    void templateExportNeedsNoQuestion()
    {
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            f.SpeedB5Click();
        }
        QVERIFY(f.templatePageActive());
        exportschool::fill(f.fixtureState());
        Answerer none(f);
        QTest::mouseClick(f.widgets().img_SB2, Qt::LeftButton);
        QTest::mouseClick(f.widgets().img_SB12, Qt::LeftButton);
        QVERIFY(none.asked.isEmpty());
        const QString xlsx = workPath(u"setka/Сетка.xlsx"_s);
        const QString docx = workPath(u"setka/Сетка.docx"_s);
        QCOMPARE(m_opened, QStringList({xlsx, docx}));
        const auto sheet = ooxml::readXlsx(xlsx);
        QCOMPARE(sheet.name, u"Сетка"_s);
        QCOMPARE(sheet.cells.at({2, 1}).text, u"Понедельник"_s);
        QCOMPARE(sheet.cells.at({8, 4}).text, u"Хим"_s);
        const auto doc = ooxml::readDocx(docx);
        QCOMPARE(doc.tables.at(0).cells.at({1, 1}).text, u"День"_s);
        QVERIFY(!doc.landscape);
    }

    void folderActionOpensThePagesFolder()
    {
        TForm1 &f = *m_form;
        enterDayPage();
        QTest::mouseClick(f.widgets().img_SB1, Qt::LeftButton);
        {
            Answerer yes(f, {Answerer::Yes});
            f.SpeedB5Click();
        }
        QTest::mouseClick(f.widgets().img_SB1, Qt::LeftButton);
        QCOMPARE(m_opened, QStringList({workPath(u"raspisanie"_s), workPath(u"setka"_s)}));
        // On the load page the three actions do nothing.
        f.SpeedB2Click();
        Answerer none(f);
        f.SpeedButton1Click();
        f.SpeedButton2Click();
        f.sSpeedButton12Click();
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(none.asked.isEmpty());
        QVERIFY(!QFileInfo::exists(workPath(u"setka/Сетка.xlsx"_s)));
    }

    // A file that cannot be replaced is reported and nothing is opened; a file that was written
    // but could not be opened is named and its folder offered (opened on "Да", left on "Нет").
    void failuresAreReported()
    {
        TForm1 &f = *m_form;
        enterDayPage();
        const QString busy = workPath(u"raspisanie/09.12.2026.xlsx"_s);
        QVERIFY(QDir().mkpath(busy));
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.widgets().img_SB2, Qt::LeftButton);
        }
        QVERIFY(m_opened.isEmpty());
        QVERIFY(f.widgets().Rct_soob->isVisible());
        QVERIFY2(f.widgets().noticeText.startsWith(u"Не удалось "_s) && f.widgets().noticeText.contains(QDir::toNativeSeparators(busy)),
                 qPrintable(f.widgets().noticeText));
        QVERIFY(!f.widgets().Img_zdite->isVisible());
        f.Button1Click();
        QVERIFY(f.widgets().Tab_1->isEnabled());

        m_openSucceeds = false;
        const QString docx = workPath(u"raspisanie/09.12.2026.docx"_s);
        const QString offer = u"Файл сохранен:\r\n"_s + QDir::toNativeSeparators(docx)
                              + u"\r\nОткрыть его не удалось: нет программы для файлов этого вида. Открыть папку с файлом?"_s;
        {
            Answerer yes(f, {Answerer::Yes, Answerer::Yes});
            QTest::mouseClick(f.widgets().img_SB12, Qt::LeftButton);
            QCOMPARE(yes.asked.size(), 2);
            QCOMPARE(yes.asked[1], offer);
        }
        QVERIFY(QFileInfo::exists(docx));
        QCOMPARE(m_opened, (QStringList{docx, workPath(u"raspisanie"_s)}));
        // The folder could not be opened either: said so.
        QVERIFY(f.widgets().Rct_soob->isVisible());
        QCOMPARE(f.widgets().noticeText, u"Не удалось открыть папку:\r\n"_s + QDir::toNativeSeparators(workPath(u"raspisanie"_s)));
        f.Button1Click();

        m_opened.clear();
        {
            Answerer yesNo(f, {Answerer::Yes, Answerer::No});
            QTest::mouseClick(f.widgets().img_SB2, Qt::LeftButton); // the busy .xlsx is still a folder: fails first
        }
        f.Button1Click();
        QVERIFY(QDir().rmdir(busy));
        {
            Answerer yesNo(f, {Answerer::Yes, Answerer::No});
            QTest::mouseClick(f.widgets().img_SB2, Qt::LeftButton);
            QCOMPARE(yesNo.asked.size(), 2);
        }
        QCOMPARE(m_opened, QStringList{busy}); // the folder was not opened after "Нет"
        QVERIFY(!f.widgets().Rct_soob->isVisible());
    }

    // The export pictures' menu: PDF of the day (after its question) and of the template, the
    // day's web folder, and the print preview painting the day's pages on the printer.
    void printMenuOnTheExportPictures()
    {
        TForm1 &f = *m_form;
        enterDayPage();
        QMenu *menu = f.widgets().img_SB2->findChild<QMenu *>();
        QVERIFY(menu);
        QStringList names;
        for (QAction *a : menu->actions())
            names << a->text();
        QCOMPARE(names, (QStringList{u"Печать…"_s, u"Сохранить в PDF"_s, u"Веб-страницы дня"_s}));
        const QString pdf = workPath(u"raspisanie/09.12.2026.pdf"_s);
        {
            Answerer yes(f, {Answerer::Yes});
            menu->actions()[1]->trigger();
            QCOMPARE(yes.asked, QStringList{u"Сохранить расписание на среду в файл PDF?\r\nРанее сохраненный файл будет удален."_s});
        }
        QCOMPARE(m_opened, QStringList{pdf});
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        {
            Answerer yes(f, {Answerer::Yes});
            menu->actions()[2]->trigger();
            QCOMPARE(yes.asked.size(), 1);
        }
        QCOMPARE(m_opened.last(), workPath(u"raspisanie/web/index.html"_s));
        QVERIFY(QFileInfo::exists(workPath(u"raspisanie/web/class-04.html"_s)));

        // The preview paints on the printer it was given; here the printer writes a PDF.
        int pages = 0;
        f.printing().runPreview = [&](QPrintPreviewDialog &dialog) {
            QPrinter *printer = dialog.printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(workPath(u"preview.pdf"_s));
            emit dialog.paintRequested(printer);
            pages = printer->pageLayout().orientation() == QPageLayout::Landscape ? 1 : -1;
        };
        menu->actions()[0]->trigger();
        QCOMPARE(pages, 1); // the day is printed landscape
        QVERIFY(QFileInfo(workPath(u"preview.pdf"_s)).size() > 1000);
    }
};

QTEST_MAIN(TstExport)
#include "tst_export.moc"

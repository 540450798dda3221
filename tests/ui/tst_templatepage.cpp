// The template page through the window: the weekday strip and its badges, switching weekdays,
// saving the seven files, leaving the page, "Очистить", filling a day from the template, the
// re-read after the load is saved and a template file that cannot be read.
#include "answerer.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "load/nagruzfile.h"
#include "shell/tabbutton.h"
#include "template/setka.h"
#include "text/cp1251.h"
#include "text/textfile.h"
#include "gridpointer.h"
#include "arrange/arrangecontroller.h"
#include "settings/settingscontroller.h"
#include "template/templatecontroller.h"
#include "day/editingcontroller.h"
#include "tform1.h"
#include "typetext.h"
#include "template/weekdaybutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

const QStringList kLoad = {
    u"5А|5Б|"_s,
    u"Иванова|Алгебра;|Алгебра;|"_s,
    u"Петров|Физика;|Физика;|"_s,
    u"~end~"_s,
};
const QDate kSunday(2026, 12, 13);
constexpr quint32 kAccent = 0xFF0061B0;
constexpr quint32 kGrey = 0xFFE0E0E0;

// A six-row template day for two classes: rows 1 and 2 filled, everything else empty.
QStringList templateLines(const QString &a, const QString &b, const QString &roomA)
{
    QStringList lines = {u"|"_s + a + u"|"_s + b + u"|"_s, u"|"_s + b + u"||"_s};
    for (int i = 3; i <= 6; ++i)
        lines << u"|||"_s;
    lines << roomA + u"||"_s;
    for (int i = 2; i <= 6; ++i)
        lines << u"||"_s;
    lines << QString() << u"~end~"_s;
    return lines;
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstTemplatePage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }
    QWidget *body() const { return gridpointer::body(*m_form); }
    QPoint subjectAt(int row, int column) const { return gridpointer::subjectAt(*m_form, row, column); }
    // Clicks a subject field (on the live editor where it lies) and types text into it.
    void typeInto(int row, int column, const QString &text)
    {
        gridpointer::click(*m_form, subjectAt(row, column));
        QCOMPARE(m_form->widgets().grid->editorRow(), row);
        m_form->widgets().grid->editor()->selectAll();
        QTest::keyClick(m_form->widgets().grid->editor(), Qt::Key_Delete);
        typeText(m_form->widgets().grid->editor(), text);
    }
    void startForm()
    {
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void writeTemplate(int k, const QStringList &lines)
    {
        QVERIFY(rasp::text::writeLines(m_work->filePath(rasp::tmpl::SetkaPath(k)), lines));
    }
    void enterTemplatePage()
    {
        Answerer yes(*m_form, {Answerer::Yes});
        QTest::mouseClick(m_form->widgets().SpeedB5, Qt::LeftButton);
        QVERIFY(m_form->templatePageActive());
    }
    void dismissNotice() { QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton); }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), kLoad));
        QDir().mkpath(u"setka"_s);
        writeTemplate(1, templateLines(u"Алгебра"_s, u"Физика"_s, u"12"_s));
        writeTemplate(7, templateLines(u"Физика"_s, u"Хор"_s, u"31"_s));
        startForm();
    }
    void cleanup() { m_form.reset(); }

    void theStripShowsSevenWeekdaysMondaySelected()
    {
        TForm1 &f = *m_form;
        QCOMPARE(f.state().Setka[1].SetkaMasUr[1][1], u"Алгебра"_s); // read at start-up
        QCOMPARE(f.state().Setka[7].SetkaMasKab[1][1], u"31"_s);
        enterTemplatePage();
        const QStringList names = {u"Понедельник"_s, u"Вторник"_s, u"Среда"_s, u"Четверг"_s,
                                   u"Пятница"_s, u"Суббота"_s, u"Воскресенье"_s};
        for (int k = 1; k <= 7; ++k) {
            rasp::ui::WeekdayButton *b = f.templates().strip().BtnSetMas[k];
            QCOMPARE(b->text(), names.at(k - 1));
            QCOMPARE(b->weekday(), k);
            // As wide as the longest name needs in 12 pt (more than the designed 80 px), all alike.
            QCOMPARE(b->geometry(), QRect((k - 1) * b->width(), 0, f.templates().strip().BtnSetMas[1]->width(), 30));
            QVERIFY(b->width() >= 80);
            QCOMPARE(b->captionFont().pointSize(), 12);
            QCOMPARE(b->fill(), k == 1 ? kAccent : kGrey);
            QCOMPARE(b->textColour(), k == 1 ? 0xFFFFFFFFu : 0xFF000000u);
            QVERIFY(b->toolTip().isEmpty()); // the weekday number is never shown
            QVERIFY(f.templates().strip().Rct_Set_schet[k]->isHidden());
            QCOMPARE(f.templates().strip().LabSet[k]->text(), u"0"_s);
        }
        // The grid shows Monday with its teachers and room.
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        QCOMPARE(cell(1, 1).room, u"12"_s);
        QCOMPARE(cell(1, 2).teachers, u"Петров"_s);
        QVERIFY(f.state().grid.ramkaVisible);
    }

    void badgesHangBelowTheirButtonsAndGoWithThePage()
    {
        TForm1 &f = *m_form;
        enterTemplatePage();
        typeInto(3, 1, u"Физика"_s); // Physics in 5А: Monday rows 2 and 3 now, Sunday row 1
        for (int k : {1, 7}) {
            QVERIFY(f.templates().strip().Rct_Set_schet[k]->isVisible());
            QCOMPARE(f.templates().strip().LabSet[k]->text(), k == 1 ? u"2"_s : u"1"_s);
            const QRect button(f.templates().strip().BtnSetMas[k]->mapTo(&f, QPoint(0, 0)), f.templates().strip().BtnSetMas[k]->size());
            const QRect badge(f.templates().strip().Rct_Set_schet[k]->mapTo(&f, QPoint(0, 0)), f.templates().strip().Rct_Set_schet[k]->size());
            QCOMPARE(badge.size(), QSize(17, 17));
            QVERIFY(qAbs(badge.center().x() - button.center().x()) <= 1);
            QCOMPARE(badge.top(), button.bottom() + 1 - 7);
            QVERIFY(badge.bottom() > button.bottom()); // not cut off by the strip
        }
        QVERIFY(f.templates().strip().Rct_Set_schet[2]->isHidden());
        QCOMPARE(f.editing().weekCalloutText()->text(), u"Всего 3"_s);

        // Another weekday on the grid hides them; so does the day page.
        QTest::mouseClick(f.templates().strip().BtnSetMas[2], Qt::LeftButton);
        for (int k = 1; k <= 7; ++k)
            QVERIFY(f.templates().strip().Rct_Set_schet[k]->isHidden());
        QTest::mouseClick(f.templates().strip().BtnSetMas[1], Qt::LeftButton);
        typeInto(3, 1, u"Физика"_s);
        QVERIFY(f.templates().strip().Rct_Set_schet[1]->isVisible());
        Answerer yes(f, {Answerer::Yes});
        QTest::mouseClick(f.widgets().SpeedB1, Qt::LeftButton);
        QVERIFY(f.dayPageActive());
        QVERIFY(f.templates().strip().Rct_Set_schet[1]->isHidden());
    }

    void weekdayEditsSurviveSwitchingAndReachTheFilesOnlyBySaving()
    {
        TForm1 &f = *m_form;
        enterTemplatePage();
        typeInto(2, 2, u"Химия"_s);
        QTest::mouseClick(f.templates().strip().BtnSetMas[3], Qt::LeftButton); // Wednesday: never filled
        QCOMPARE(f.state().vibr_den_set, 3);
        QCOMPARE(f.templates().strip().BtnSetMas[3]->fill(), kAccent);
        QCOMPARE(f.templates().strip().BtnSetMas[1]->fill(), kGrey);
        QCOMPARE(cell(1, 1).subject, QString());
        QCOMPARE(cell(1, 1).room, QString());
        typeInto(1, 1, u"Хор"_s);
        QCOMPARE(cell(1, 1).teachers, QString());

        QTest::mouseClick(f.templates().strip().BtnSetMas[1], Qt::LeftButton);
        QCOMPARE(cell(2, 2).subject, u"Химия"_s); // the edit is back
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        QCOMPARE(cell(1, 1).teachers, u"Иванова"_s);
        QCOMPARE(f.state().Setka[3].SetkaMasUr[1][1], u"Хор"_s);

        // Leaving the page and coming back keeps the weekday and its edits; a single blank is emptied.
        typeInto(4, 1, u" "_s);
        QTest::mouseClick(f.widgets().SpeedB2, Qt::LeftButton);
        QCOMPARE(f.state().Setka[1].SetkaMasUr[4][1], QString());
        QTest::mouseClick(f.widgets().SpeedB5, Qt::LeftButton);
        QCOMPARE(f.state().vibr_den_set, 1);
        QCOMPARE(f.templates().strip().BtnSetMas[1]->fill(), kAccent);
        QCOMPARE(cell(2, 2).subject, u"Химия"_s);

        // Restarting without saving loses the edits.
        m_form.reset();
        startForm();
        QCOMPARE(m_form->state().Setka[1].SetkaMasUr[2][2], QString());
        QCOMPARE(m_form->state().Setka[3].SetkaMasUr[1][1], QString());

        // Saving writes all seven files from what is in memory and on the grid.
        enterTemplatePage();
        typeInto(2, 2, u"Химия"_s);
        QTest::mouseClick(m_form->templates().strip().BtnSetMas[5], Qt::LeftButton);
        typeInto(1, 2, u"Труд"_s);
        typeInto(2, 1, u" "_s);
        {
            Answerer no(*m_form, {Answerer::No});
            QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{u"Сохранить сетку?"_s});
            QVERIFY(!QFile::exists(rasp::tmpl::SetkaPath(5)));
        }
        Answerer yes(*m_form, {Answerer::Yes});
        QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
        QCOMPARE(yes.asked, QStringList{u"Сохранить сетку?"_s});
        QCOMPARE(m_form->widgets().noticeText, u"Данные сохранены"_s);
        QCOMPARE(cell(2, 1).subject, u" "_s); // the grid keeps its blank
        for (int k = 1; k <= 7; ++k)
            QVERIFY(QFile::exists(rasp::tmpl::SetkaPath(k)));
        QVERIFY(bytes(rasp::tmpl::SetkaPath(1))
                    .startsWith(rasp::text::encode1251(u"|Алгебра|Физика|\r\n|Физика|Химия|\r\n|||\r\n"_s)));
        QVERIFY(bytes(rasp::tmpl::SetkaPath(5)).startsWith(rasp::text::encode1251(u"||Труд|\r\n|||\r\n"_s)));
        QCOMPARE(bytes(rasp::tmpl::SetkaPath(2)), QByteArray("|||\r\n").repeated(6) + QByteArray("||\r\n").repeated(6)
                                                      + QByteArray("\r\n~end~\r\n"));
        QVERIFY(QDir(u"r_data"_s).isEmpty());
    }

    void clearAsksAndEmptiesTheShownWeekdayOnly()
    {
        TForm1 &f = *m_form;
        enterTemplatePage();
        {
            Answerer no(f, {Answerer::No});
            QTest::mouseClick(f.widgets().img_SB10, Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{u"Все изменения не будут сохранены.\r\nОчистить?"_s});
            QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        }
        Answerer yes(f, {Answerer::Yes, Answerer::Yes});
        QTest::mouseClick(f.widgets().img_SB10, Qt::LeftButton);
        QCOMPARE(cell(1, 1).subject, QString());
        QCOMPARE(cell(1, 1).room, QString());
        QCOMPARE(f.state().Setka[1].SetkaMasUr[1][1], QString());
        QCOMPARE(f.state().Setka[1].SetkaMasKab[1][1], QString());
        QCOMPARE(f.state().Setka[7].SetkaMasUr[1][1], u"Физика"_s);
        QCOMPARE(f.arrange().maxLessonsBox()->itemText(0), u"0"_s);                                  // the limit lists follow the empty grid
        QVERIFY(bytes(rasp::tmpl::SetkaPath(1)).startsWith(rasp::text::encode1251(u"|Алгебра|"_s))); // file untouched

        // On the day page only the grid is cleared.
        QTest::mouseClick(f.widgets().SpeedB1, Qt::LeftButton);
        f.fixtureState().Setka[7].SetkaMasUr[1][1] = u"Физика"_s;
        QTest::mouseClick(f.widgets().img_SB10, Qt::LeftButton);
        QCOMPARE(f.state().Setka[7].SetkaMasUr[1][1], u"Физика"_s);
        QCOMPARE(yes.asked.size(), 3);
    }

    void fillTheDayFromTheTemplateOfItsWeekday_data()
    {
        QTest::addColumn<bool>("withRooms");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("withFile");
        QTest::newRow("with rooms") << true << true << true;
        QTest::newRow("without rooms") << false << true << true;
        QTest::newRow("answered no") << true << false << true;
        QTest::newRow("no template") << true << true << false;
    }
    void fillTheDayFromTheTemplateOfItsWeekday()
    {
        QFETCH(bool, withRooms);
        QFETCH(bool, answerYes);
        QFETCH(bool, withFile);
        TForm1 &f = *m_form;
        if (!withFile)
            QVERIFY(QFile::remove(rasp::tmpl::SetkaPath(7)));
        f.settings().widgets().CheckBox1->setChecked(withRooms);
        f.widgets().sDateTimePicker3->setDate(kSunday);
        f.fixtureState().Setka[7].SetkaMasUr[1][1] = u"Несохранённое"_s; // only the file counts
        typeInto(3, 2, u"Было"_s);
        f.widgets().grid->memo()->setPlainText(u"Заметка"_s);
        f.fixtureState().note = u"Заметка"_s;

        Answerer answerer(f, {answerYes ? Answerer::Yes : Answerer::No});
        QTest::mouseClick(f.widgets().img_SB9, Qt::LeftButton);
        QCOMPARE(answerer.asked,
                 QStringList{u"Загрузить расписание на воскресенье из сетки?\r\nВсе изменения в текущем расписании будут удалены"_s});
        if (!answerYes) {
            QCOMPARE(cell(3, 2).subject, u"Было"_s);
            QCOMPARE(f.state().note, u"Заметка"_s);
            return;
        }
        QCOMPARE(cell(3, 2).subject, QString());
        QCOMPARE(f.state().note, QString());
        if (!withFile) {
            QCOMPARE(f.widgets().noticeText, u"Это ужасно, но шаблона на воскресенье не существует"_s);
            QCOMPARE(cell(1, 1).subject, QString());
            return;
        }
        QCOMPARE(cell(1, 1).subject, u"Физика"_s);
        QCOMPARE(cell(1, 2).subject, u"Хор"_s);
        QCOMPARE(cell(1, 1).teachers, u"Петров"_s);
        QCOMPARE(cell(1, 1).room, withRooms ? u"31"_s : QString());
        QCOMPARE(f.widgets().sDateTimePicker3->date(), kSunday);
    }

    void emptySchoolShowsNoCellsAndNoFrame()
    {
        m_form.reset();
        QVERIFY(QFile::remove(rasp::load::NagruzPath()));
        startForm();
        TForm1 &f = *m_form;
        QCOMPARE(f.state().klassvis, 0);
        f.fixtureState().tab1vis = 1;
        f.widgets().SpeedB5->setEnabled(true);
        f.fixtureState().grid.ramkaVisible = true;
        enterTemplatePage();
        QVERIFY(!f.state().grid.ramkaVisible);
        QTest::mouseClick(f.templates().strip().BtnSetMas[7], Qt::LeftButton);
        QCOMPARE(f.state().vibr_den_set, 7);
        QVERIFY(!f.state().grid.ramkaVisible);
    }

    void savingTheLoadRereadsTheTemplate()
    {
        TForm1 &f = *m_form;
        enterTemplatePage();
        typeInto(2, 2, u"Химия"_s);
        QTest::mouseClick(f.widgets().SpeedB2, Qt::LeftButton);
        QCOMPARE(f.state().Setka[1].SetkaMasUr[2][2], u"Химия"_s);
        f.sSpeedButton15Click();
        dismissNotice();
        QCOMPARE(f.state().Setka[1].SetkaMasUr[2][2], QString()); // unsaved template edits are dropped
        QCOMPARE(f.state().Setka[1].SetkaMasUr[1][1], u"Алгебра"_s);
    }

    void anUnreadableTemplateFileIsReportedAndKept()
    {
        m_form.reset();
        QVERIFY(QDir().mkpath(rasp::tmpl::SetkaPath(4))); // a folder where Четверг.ini goes
        startForm();
        TForm1 &f = *m_form;
        QVERIFY2(f.widgets().noticeText.startsWith(u"Не удалось прочитать файл"_s), qPrintable(f.widgets().noticeText));
        QVERIFY(f.widgets().noticeText.contains(u"Четверг.ini"_s));
        dismissNotice();
        QVERIFY(f.widgets().sGroupBox4->isEnabled()); // a notice at start-up leaves the actions usable
        enterTemplatePage();
        Answerer yes(f, {Answerer::Yes});
        QTest::mouseClick(f.widgets().img_SB11, Qt::LeftButton);
        QCOMPARE(yes.asked, QStringList{u"Сохранить сетку?"_s});
        QVERIFY2(f.widgets().noticeText.startsWith(u"Сетка «Четверг» не сохранена"_s), qPrintable(f.widgets().noticeText));
        QVERIFY(QFileInfo(rasp::tmpl::SetkaPath(4)).isDir());
        QVERIFY(bytes(rasp::tmpl::SetkaPath(7)).startsWith(rasp::text::encode1251(u"|Физика|Хор|"_s)));
    }
};

QTEST_MAIN(TstTemplatePage)
#include "tst_templatepage.moc"

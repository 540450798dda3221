// Pages and modes of the window, the action hints, saving a day and the three date pickers,
// driven through the window's own handlers.
#include "answerer.h"
#include "shell/applocale.h"
#include "day/dayfile.h"
#include "day/daygridview.h"
#include "shell/hint.h"
#include "shell/spreadrowlayout.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "settings/settingscontroller.h"
#include "tform1.h"
#include "typetext.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLose = u"Все внесенные изменения будут удалены.\r\nПродолжить?"_s;
const QDate kWednesday(2026, 12, 9);
constexpr quint32 kAccent = 0xFF0061B0;

// A 6-row day file for two classes: one subject and one room in lesson 1 and a note.
QStringList dayLines(const QString &subject, const QString &note)
{
    QStringList lines = {u"|"_s + subject + u"|Химия|"_s};
    for (int i = 2; i <= 6; ++i)
        lines << u"|||"_s;
    lines << u"12|14|"_s;
    for (int i = 2; i <= 6; ++i)
        lines << u"||"_s;
    lines << note << u"~end~"_s;
    return lines;
}

} // namespace

class TstPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work; // a fresh work folder for every test
    std::unique_ptr<TForm1> m_form;

    void writeDay(QDate date, const QString &subject, const QString &note = u"Заметка"_s)
    {
        QVERIFY(rasp::text::writeLines(m_work->filePath(rasp::day::DayFilePath(date)), dayLines(subject, note)));
    }
    bool dayFileExists(QDate date) const { return QFile::exists(m_work->filePath(rasp::day::DayFilePath(date))); }
    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        m_form = std::make_unique<TForm1>();
        // Two classes, as the load reader builds them.
        for (const QString &name : {u"5А"_s, u"5Б"_s}) {
            m_form->KlassCreate();
            m_form->fixtureState().grid.cell(0, m_form->fixtureState().klassvis).subject = name;
        }
        m_form->fixtureState().tab1vis = 1;
        m_form->widgets().SpeedB1->setEnabled(true);
        m_form->widgets().SpeedB5->setEnabled(true);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup()
    {
        m_form->hide();
        m_form.reset();
    }

    void dayPageReloadsTheTargetDateOnEveryEntry()
    {
        const QDate today = m_form->widgets().sDateTimePicker3->date();
        writeDay(today, u"Алгебра"_s);
        Answerer answerer(*m_form);
        m_form->SpeedB1Click();
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        QCOMPARE(cell(1, 1).room, u"12"_s);
        QCOMPARE(m_form->widgets().grid->memo()->toPlainText(), u"Заметка"_s);
        QVERIFY(m_form->widgets().Tab_1->isVisible());

        m_form->fixtureState().grid.cell(1, 1).subject = u"Правка"_s;
        m_form->SpeedB2Click();
        QVERIFY(m_form->widgets().Tab_2->isVisible());
        QVERIFY(!m_form->widgets().Tab_1->isVisible());
        QCOMPARE(m_form->widgets().SpeedB2->fill(), kAccent);
        QCOMPARE(m_form->widgets().SpeedB1->fill(), 0xFFE0E0E0u);
        m_form->SpeedB1Click();
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s); // the unsaved edit is gone
        QVERIFY(m_form->widgets().Tab_1->isVisible());
        QCOMPARE(m_form->widgets().SpeedB1->fill(), kAccent);

        // Without a file the day page comes back empty, note included.
        QVERIFY(QFile::remove(m_work->filePath(rasp::day::DayFilePath(today))));
        m_form->SpeedB4Click();
        QVERIFY(m_form->widgets().Tab_4->isVisible());
        m_form->SpeedB1Click();
        QVERIFY(cell(1, 1).subject.isEmpty());
        QVERIFY(cell(1, 1).room.isEmpty());
        QVERIFY(m_form->state().note.isEmpty());
        QVERIFY(m_form->widgets().grid->memo()->toPlainText().isEmpty());
        QVERIFY(answerer.asked.isEmpty());
    }

    void todaysDayAppearsAtStartWithItsTeachers()
    {
        m_form.reset();
        QVERIFY(rasp::text::writeLines(m_work->filePath(u"nagruz.ini"_s),
                                       {u"5А|5Б|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров||Химия;|"_s, u"~end~"_s}));
        writeDay(QDate::currentDate(), u"Алгебра"_s);
        writeDay(kWednesday.addDays(7), u"Химия"_s, u"Другой день"_s);
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QVERIFY(m_form->widgets().Tab_1->isVisible());
        QCOMPARE(cell(1, 1).subject, u"Алгебра"_s);
        QCOMPARE(cell(1, 1).teachers, u"Иванова"_s);
        QCOMPARE(cell(1, 2).teachers, u"Петров"_s);
        QCOMPARE(m_form->widgets().grid->memo()->toPlainText(), u"Заметка"_s);
        QCOMPARE(m_form->state().grid.ramkaRow, 1);
        QCOMPARE(m_form->state().grid.ramkaColumn, 1);
        // The settings page offers the load's subjects for locking.
        QCOMPARE(m_form->settings().widgets().ListBox2->count(), 2);

        // Opening another day resolves its teachers as well.
        Answerer yes(*m_form, {Answerer::Yes});
        m_form->widgets().sDateTimePicker2->setDate(kWednesday.addDays(7));
        m_form->sDateTimePicker2ClosePicker();
        QTRY_COMPARE(cell(1, 1).subject, u"Химия"_s);
        QCOMPARE(cell(1, 1).teachers, QString()); // nobody teaches chemistry in 5А
        QCOMPARE(cell(1, 2).teachers, u"Петров"_s);
        QCOMPARE(m_form->state().note, u"Другой день"_s);
    }

    void withoutALoadTheDayPageStaysHidden()
    {
        m_form->fixtureState().tab1vis = 0;
        m_form->SpeedB2Click();
        m_form->SpeedB1Click();
        QCOMPARE(m_form->widgets().SpeedB1->fill(), kAccent);
        QVERIFY(!m_form->widgets().Tab_1->isVisible());
    }

    // The tool-panel toggle always shows the picture of what a click does next, and that picture
    // stands out on the grey bar it sits on (white strokes meant for the accent bars would not).
    void toolPanelTogglePictureStaysVisible()
    {
        TForm1 &f = *m_form;
        f.SpeedB1Click();
        QVERIFY(f.widgets().sPanel8->isHidden());
        const auto shows = [&f](const QString &name) {
            const QSize size(24, 24);
            return f.widgets().sSpeedButton5->icon().pixmap(size).toImage()
                   == QIcon(u":/img/"_s + name + u".svg"_s).pixmap(size).toImage();
        };
        const auto standsOut = [&f] {
            const QImage shot = f.widgets().sSpeedButton5->grab().toImage();
            const QColor bar = shot.pixelColor(shot.width() - 2, shot.height() / 2);
            int strong = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.height(); ++x) { // the picture's square at the left
                    const QColor c = shot.pixelColor(x, y);
                    strong += std::abs(c.red() - bar.red()) + std::abs(c.green() - bar.green())
                                  + std::abs(c.blue() - bar.blue())
                              > 150;
                }
            return strong >= 40;
        };
        QVERIFY(shows(u"panel_open"_s));
        QVERIFY(standsOut());
        QTest::mouseClick(f.widgets().sSpeedButton5, Qt::LeftButton);
        QVERIFY(f.widgets().sPanel8->isVisible());
        QVERIFY(shows(u"panel_close"_s));
        QVERIFY(standsOut());
        QTest::mouseClick(f.widgets().sSpeedButton5, Qt::LeftButton);
        QVERIFY(f.widgets().sPanel8->isHidden());
        QVERIFY(shows(u"panel_open"_s));
        QVERIFY(standsOut());
    }

    void templatePageAndBackAsk()
    {
        {
            Answerer no(*m_form, {Answerer::No});
            m_form->SpeedB5Click();
            QCOMPARE(no.asked, QStringList{kLose});
            QCOMPARE(m_form->widgets().SpeedB1->fill(), kAccent); // "Нет" keeps the day page
        }
        {
            Answerer yes(*m_form, {Answerer::Yes});
            m_form->SpeedB5Click();
            QCOMPARE(yes.asked, QStringList{kLose});
        }
        QVERIFY(m_form->templatePageActive());
        QVERIFY(m_form->widgets().Tab_1->isVisible());
        QCOMPARE(m_form->widgets().sGroupBox4->width(), 290);
        for (QToolButton *hidden : {m_form->widgets().img_SB9, m_form->widgets().img_SB13, m_form->widgets().img_SB14})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        const std::pair<QToolButton *, int> templateBar[] = {{m_form->widgets().img_SB8, 10}, {m_form->widgets().img_SB3, 50}, {m_form->widgets().img_SB10, 90}, {m_form->widgets().img_SB11, 130}, {m_form->widgets().img_SB12, 170}, {m_form->widgets().img_SB2, 210}, {m_form->widgets().img_SB1, 250}};
        for (const auto &[picture, x] : templateBar)
            QCOMPARE(picture->x(), x);
        QVERIFY(m_form->widgets().RctSet->isVisible());
        QVERIFY(!m_form->widgets().Rectangle13->isVisible());
        QVERIFY(m_form->widgets().sDateTimePicker1->isHidden());
        QVERIFY(m_form->widgets().sGroupBox9->isHidden());
        QVERIFY(!m_form->widgets().grid->memo()->isVisible());
        QVERIFY(m_form->widgets().RctSet->x() < m_form->widgets().Rectangle15->x());

        // Template -> load page: no question.
        {
            Answerer none(*m_form);
            m_form->SpeedB2Click();
            QVERIFY(none.asked.isEmpty());
        }
        {
            Answerer yes(*m_form, {Answerer::Yes});
            m_form->SpeedB5Click(); // from the load page: no question
            QVERIFY(yes.asked.isEmpty());
        }
        {
            Answerer no(*m_form, {Answerer::No});
            m_form->SpeedB1Click();
            QCOMPARE(no.asked, QStringList{kLose});
            QVERIFY(m_form->templatePageActive());
        }
        Answerer yes(*m_form, {Answerer::Yes});
        m_form->SpeedB1Click();
        QCOMPARE(yes.asked, QStringList{kLose});
        QVERIFY(m_form->dayPageActive());
        QCOMPARE(m_form->widgets().sGroupBox4->width(), 410);
        QCOMPARE(m_form->widgets().img_SB1->x(), 370);
        QCOMPARE(m_form->widgets().img_SBZam->pos(), QPoint(370, 79)); // under img_SB1, beside the pickers
        QVERIFY(!m_form->widgets().img_SB9->isHidden());
        QVERIFY(!m_form->widgets().sDateTimePicker1->isHidden());
        QVERIFY(m_form->widgets().Rectangle13->isVisible());
        QVERIFY(m_form->widgets().Rectangle13->x() < m_form->widgets().Rectangle15->x());
        QVERIFY(!m_form->widgets().RctSet->isVisible());
        QVERIFY(m_form->widgets().grid->memo()->isVisible());
    }

    void hintsCarryTheTargetDate()
    {
        m_form->widgets().sDateTimePicker3->setDate(kWednesday);
        QCOMPARE(m_form->widgets().sLabel2->text(), u"Среда"_s);
        using rasp::ui::hint;
        QCOMPARE(hint(m_form->widgets().img_SB9), u"Загрузить расписание на \r\nсреду\r\nиз сетки"_s);
        QCOMPARE(hint(m_form->widgets().img_SB11), u"Сохранить расписание на \r\n09.12.2026"_s);
        QCOMPARE(hint(m_form->widgets().img_SB8), u"Расчитать количество выданных часов за указанный период"_s);
        QCOMPARE(hint(m_form->widgets().img_SB12), u"Сохранить расписание\r\nв файл Word на\r\n09.12.2026"_s);
        QCOMPARE(hint(m_form->widgets().img_SB2), u"Сохранить расписание\r\nв файл Excel на\r\n09.12.2026"_s);
        QCOMPARE(hint(m_form->widgets().img_SB13), u"Опубликовать расписание\r\nна\r\n09.12.2026"_s);
        QCOMPARE(hint(m_form->widgets().img_SB14), u"Отменить публикацию\r\nрасписания на\r\n09.12.2026"_s);
        QCOMPARE(m_form->widgets().img_SB11->toolTip(), u"Сохранить расписание на \n09.12.2026"_s);

        Answerer yes(*m_form, {Answerer::Yes});
        m_form->SpeedB5Click();
        QCOMPARE(hint(m_form->widgets().img_SB8), u"Расчитать количество выданных часов за неделю"_s);
        QCOMPARE(hint(m_form->widgets().img_SB11), u"Сохранить сетку"_s);
        QCOMPARE(hint(m_form->widgets().img_SB12), u"Сохранить сетку\r\nв файл Word"_s);
        QCOMPARE(hint(m_form->widgets().img_SB2), u"Сохранить сетку\r\nв файл Excel"_s);
        QCOMPARE(hint(m_form->widgets().img_SB13), u"Опубликовать расписание\r\nна\r\n09.12.2026"_s);
    }

    void saveAsksWithTheWeekdayAndWritesTheDay()
    {
        m_form->widgets().sDateTimePicker3->setDate(kWednesday);
        rasp::State &s = m_form->fixtureState();
        s.grid.cell(1, 1).subject = u"Алгебра"_s;
        s.grid.cell(2, 2).subject = u" "_s;
        {
            Answerer no(*m_form, {Answerer::No});
            m_form->sSpeedButton11Click();
            QCOMPARE(no.asked, QStringList{u"Сохранить расписание на среду?"_s});
            QVERIFY(!dayFileExists(kWednesday));
        }
        Answerer yes(*m_form, {Answerer::Yes});
        QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
        QCOMPARE(yes.asked, QStringList{u"Сохранить расписание на среду?"_s});
        QCOMPARE(m_form->widgets().noticeText, u"Расписание на среду успешно сохранено"_s);
        QVERIFY(s.grid.cell(2, 2).subject.isEmpty()); // the single blank is emptied on screen too
        const rasp::text::ReadResult read = rasp::text::readLines(m_work->filePath(u"r_data/09.12.2026.ini"_s));
        QVERIFY(read.ok());
        QCOMPARE(read.lines.at(0), u"|Алгебра||"_s);
        QCOMPARE(read.lines.at(1), u"|||"_s);
        QCOMPARE(read.lines.last(), u"~end~"_s);
    }

    void saveOnTheTemplatePageWritesNoDayFile()
    {
        Answerer answers(*m_form, {Answerer::Yes, Answerer::Yes});
        m_form->SpeedB5Click();
        m_form->sSpeedButton11Click();
        QCOMPARE(answers.asked, (QStringList{kLose, u"Сохранить сетку?"_s}));
        QVERIFY(QDir(m_work->filePath(u"r_data"_s)).isEmpty());
    }

    void aSaveThatFailsSaysSoInsteadOfSuccess()
    {
        m_form->widgets().sDateTimePicker3->setDate(kWednesday);
        QDir(m_work->path()).rmdir(u"r_data"_s);
        QVERIFY(rasp::text::writeLines(m_work->filePath(u"r_data"_s), {})); // a file where the folder goes
        Answerer yes(*m_form, {Answerer::Yes});
        m_form->sSpeedButton11Click();
        QVERIFY2(m_form->widgets().noticeText.startsWith(u"Не удалось записать файл"_s), qPrintable(m_form->widgets().noticeText));
    }

    // A day saved by another program after the editor opened it is never replaced without asking:
    // "Нет" keeps the file byte for byte and offers to open the other program's version.
    void aDayChangedOnDiskIsReplacedOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<bool>("otherProgramSaved");
        QTest::addColumn<QList<Answerer::Answer>>("answers"); // after "Сохранить расписание на среду?"
        QTest::addColumn<QString>("fileSubject");
        QTest::addColumn<QString>("gridSubject");
        QTest::newRow("unchanged: no question") << false << QList<Answerer::Answer>{} << u"Правка"_s << u"Правка"_s;
        QTest::newRow("changed, replace") << true << QList{Answerer::Yes} << u"Правка"_s << u"Правка"_s;
        QTest::newRow("changed, keep it") << true << QList{Answerer::No, Answerer::No} << u"Физика"_s << u"Правка"_s;
        QTest::newRow("changed, open it") << true << QList{Answerer::No, Answerer::Yes} << u"Физика"_s << u"Физика"_s;
    }
    void aDayChangedOnDiskIsReplacedOnlyWhenTheUserSaysSo()
    {
        QFETCH(bool, otherProgramSaved);
        QFETCH(QList<Answerer::Answer>, answers);
        QFETCH(QString, fileSubject);
        QFETCH(QString, gridSubject);
        writeDay(kWednesday, u"Алгебра"_s);
        {
            Answerer yes(*m_form, {Answerer::Yes});
            m_form->widgets().sDateTimePicker2->setDate(kWednesday);
            m_form->sDateTimePicker2ClosePicker();
            QTRY_COMPARE(cell(1, 1).subject, u"Алгебра"_s);
        }
        const QString path = m_work->filePath(rasp::day::DayFilePath(kWednesday));
        if (otherProgramSaved)
            writeDay(kWednesday, u"Физика"_s, u"Заметка другой программы"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        m_form->fixtureState().grid.cell(1, 1).subject = u"Правка"_s;
        Answerer answerer(*m_form, QList{Answerer::Yes} + answers);
        QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
        const QString question = u"Файл %1 изменён другой программой после открытия. Заменить его?"_s.arg(
            QDir::toNativeSeparators(path));
        QCOMPARE(answerer.asked.size(), 1 + answers.size());
        if (otherProgramSaved)
            QCOMPARE(answerer.asked.at(1), question);
        QCOMPARE(cell(1, 1).subject, gridSubject);
        const rasp::text::ReadResult read = rasp::text::readLines(path);
        QVERIFY(read.ok());
        QCOMPARE(read.lines.at(0), u"|"_s + fileSubject + u"|Химия|"_s);
        if (fileSubject == u"Физика"_s) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before); // byte for byte
        }
        if (answers.value(1) == Answerer::No && answers.size() == 2)
            QVERIFY2(m_form->widgets().noticeText.contains(u"Ваши изменения не сохранены и остаются в редакторе"_s),
                     qPrintable(m_form->widgets().noticeText));
        if (gridSubject == u"Правка"_s && fileSubject == u"Правка"_s)
            QCOMPARE(m_form->widgets().noticeText, u"Расписание на среду успешно сохранено"_s);
    }

    // A day file that cannot be read is reported when its date is opened, and the grid typed
    // afterwards is not saved over it; once it is removed the same save writes the day.
    void aDayFileThatCannotBeReadIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << u"fifo"_s << u"это не обычный файл"_s;
        QTest::newRow("dangling link") << u"dangling"_s << u"несуществующий файл"_s;
    }
    void aDayFileThatCannotBeReadIsNeverReplaced()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = m_work->filePath(rasp::day::DayFilePath(kWednesday));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(m_work->filePath(u"gone.ini"_s), path));
        Answerer yes(*m_form, {Answerer::Yes, Answerer::Yes, Answerer::Yes, Answerer::Yes});
        m_form->widgets().sDateTimePicker2->setDate(kWednesday);
        m_form->sDateTimePicker2ClosePicker();
        QTRY_VERIFY2(m_form->widgets().noticeText.contains(reason), qPrintable(m_form->widgets().noticeText));
        QVERIFY(m_form->widgets().noticeText.contains(QDir::toNativeSeparators(path)));
        QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton); // the notice is read and closed

        m_form->fixtureState().grid.cell(1, 1).subject = u"Правка"_s;
        QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
        QVERIFY2(m_form->widgets().noticeText.startsWith(u"Расписание не сохранено: файл "_s + QDir::toNativeSeparators(path)),
                 qPrintable(m_form->widgets().noticeText));
        const QFileInfo kept(path);
        QVERIFY(kind == u"fifo"_s ? kept.exists() && !kept.isFile() : kept.isSymLink() && !kept.exists());
        QVERIFY(!QFileInfo::exists(m_work->filePath(u"gone.ini"_s)));
        QCOMPARE(cell(1, 1).subject, u"Правка"_s);

        QVERIFY(QFile::remove(path));
        QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton);
        QTest::mouseClick(m_form->widgets().img_SB11, Qt::LeftButton);
        QCOMPARE(m_form->widgets().noticeText, u"Расписание на среду успешно сохранено"_s);
        QCOMPARE(rasp::text::readLines(path).lines.at(0), u"|Правка||"_s);
    }

    // A day another tool saved as UTF-8 opens whole, and the notice says which of its characters a
    // save will write as "?".
    void aUtf8DayWithCharactersOutsideTheCodePageSaysSo()
    {
        QFile f(m_work->filePath(rasp::day::DayFilePath(kWednesday)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(dayLines(u"Әдәбият"_s, u"Заметка"_s).join(u'\n').toUtf8());
        f.close();
        Answerer yes(*m_form, {Answerer::Yes});
        m_form->widgets().sDateTimePicker2->setDate(kWednesday);
        m_form->sDateTimePicker2ClosePicker();
        QTRY_COMPARE(cell(1, 1).subject, u"Әдәбият"_s);
        QCOMPARE(cell(1, 2).subject, u"Химия"_s);
        QVERIFY2(m_form->widgets().noticeText.endsWith(u"(Ә ә): при сохранении они будут записаны как «?»"_s),
                 qPrintable(m_form->widgets().noticeText));
    }

    // Characters the school's Windows-1251 files cannot hold are refused where they would enter
    // them (a lesson, the note, a settings field), with a tip naming them; the rest is taken.
    void charactersOutsideTheCodePageAreRefusedWithATip()
    {
        const QString tip = u"Этих знаков нет в кодировке Windows-1251 файлов школы, они не вводятся: "_s;
        m_form->widgets().grid->focusField(1, 1, rasp::day::GridGeometry::Subject, true);
        typeText(m_form->widgets().grid->editor(), u"Физ²ика"_s);
        QCOMPARE(cell(1, 1).subject, u"Физика"_s);
        QCOMPARE(QToolTip::text(), tip + u"²"_s);

        QPlainTextEdit *memo = m_form->widgets().grid->memo();
        memo->setPlainText(u"Сбор"_s);
        memo->moveCursor(QTextCursor::End);
        memo->insertPlainText(u" в 8ч ✓ Әлеге 😀"_s); // pasted
        QCOMPARE(m_form->state().note, u"Сбор в 8ч  леге "_s);
        QCOMPARE(memo->toPlainText(), u"Сбор в 8ч  леге "_s);
        QCOMPARE(memo->textCursor().position(), memo->toPlainText().size());
        QCOMPARE(QToolTip::text(), tip + u"✓ Ә 😀"_s);

        Answerer yes(*m_form, {Answerer::Yes});
        m_form->SpeedB4Click();
        QTRY_VERIFY(m_form->widgets().Tab_4->isVisible());
        typeText(m_form->settings().widgets().sEdit1, u"Каб✓ 12"_s);
        QCOMPARE(m_form->settings().widgets().sEdit1->text(), u"Каб 12"_s);
        QCOMPARE(QToolTip::text(), tip + u"✓"_s);
    }

    void pickerActions_data()
    {
        QTest::addColumn<int>("picker");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("targetMoves");
        QTest::newRow("copy a saved day") << 1 << true << true << u"Копия"_s << QString() << false;
        QTest::newRow("copy a day without file")
            << 1 << false << true << QString() << u"Дико извиняюсь, но расписания 09.12.2026 не существует"_s << false;
        QTest::newRow("open a saved day") << 2 << true << true << u"Копия"_s << QString() << true;
        QTest::newRow("open a day without file")
            << 2 << false << true << QString() << u"Это прискорбно, но расписания на 09.12.2026 не существует"_s << true;
        QTest::newRow("copy answered no") << 1 << true << false << u"Было"_s << QString() << false;
        QTest::newRow("open answered no") << 2 << true << false << u"Было"_s << QString() << false;
    }
    void pickerActions()
    {
        QFETCH(int, picker);
        QFETCH(bool, withFile);
        QFETCH(bool, answerYes);
        QFETCH(QString, subject);
        QFETCH(QString, notice);
        QFETCH(bool, targetMoves);
        const QDate target = m_form->widgets().sDateTimePicker3->date();
        if (withFile)
            writeDay(kWednesday, u"Копия"_s, u"Заметка среды"_s);
        m_form->fixtureState().grid.cell(1, 1).subject = u"Было"_s;
        m_form->widgets().grid->memo()->setPlainText(u"Старая заметка"_s);
        m_form->forgetNotice();

        Answerer answerer(*m_form, {answerYes ? Answerer::Yes : Answerer::No});
        QDateEdit *edit = picker == 1 ? m_form->widgets().sDateTimePicker1 : m_form->widgets().sDateTimePicker2;
        edit->setDate(kWednesday);
        picker == 1 ? m_form->sDateTimePicker1ClosePicker() : m_form->sDateTimePicker2ClosePicker();
        QVERIFY(answerer.asked.isEmpty()); // handed off: nothing runs inside the close handler
        QTRY_COMPARE(answerer.asked, QStringList{kLose});
        QTRY_COMPARE(cell(1, 1).subject, subject);
        QCOMPARE(m_form->widgets().noticeText, notice);
        QCOMPARE(m_form->widgets().sDateTimePicker3->date(), targetMoves ? kWednesday : target);
        if (targetMoves)
            QCOMPARE(m_form->widgets().sLabel2->text(), u"Среда"_s);
        const QString note = !answerYes ? u"Старая заметка"_s : withFile ? u"Заметка среды"_s
                                                                         : QString();
        QCOMPARE(m_form->state().note, note);
        QCOMPARE(m_form->widgets().grid->memo()->toPlainText(), note);
        if (answerYes) {
            QCOMPARE(m_form->state().grid.ramkaRow, 1);
            QCOMPARE(m_form->state().grid.ramkaColumn, 1);
            QCOMPARE(m_form->widgets().grid->editorRow(), 1);
        }
    }

    void closingTheCalendarHandsTheActionOver()
    {
        writeDay(kWednesday, u"Копия"_s);
        Answerer yes(*m_form, {Answerer::Yes});
        m_form->widgets().sDateTimePicker2->setDate(kWednesday);
        QWidget *popup = m_form->widgets().sDateTimePicker2->calendarWidget()->window();
        popup->show();
        popup->hide();
        QVERIFY(yes.asked.isEmpty());
        QTRY_COMPARE(m_form->widgets().sDateTimePicker3->date(), kWednesday);
        QCOMPARE(yes.asked, QStringList{kLose});
        QCOMPARE(cell(1, 1).subject, u"Копия"_s);

        // The target-date picker only retargets: the grid stays as it is.
        m_form->fixtureState().grid.cell(1, 1).subject = u"Правка"_s;
        m_form->widgets().sDateTimePicker3->setDate(kWednesday.addDays(1));
        QWidget *targetPopup = m_form->widgets().sDateTimePicker3->calendarWidget()->window();
        targetPopup->show();
        targetPopup->hide();
        QTRY_COMPARE(m_form->widgets().sLabel2->text(), u"Четверг"_s);
        QCOMPARE(cell(1, 1).subject, u"Правка"_s);
        QCOMPARE(yes.asked.size(), 1);
    }

    // On a system with another locale the calendars of every date picker still speak Russian:
    // month and weekday names, and the week starts on Monday.
    void calendarsAreRussianOnAnyLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        rasp::ui::UseRussianLocale(); // as the program's start does, before the window exists
        TForm1 form;
        QLocale::setDefault(before);
        const auto pickers = form.findChildren<QDateEdit *>();
        QVERIFY(pickers.contains(form.widgets().sDateTimePicker1) && pickers.contains(form.widgets().sDateTimePicker2)
                && pickers.contains(form.widgets().sDateTimePicker3)); // and the other pages' date fields
        for (QDateEdit *picker : pickers) {
            picker->setDate(kWednesday);
            QCalendarWidget *calendar = picker->calendarWidget();
            calendar->setSelectedDate(kWednesday);
            const auto *month = calendar->findChild<QToolButton *>(u"qt_calendar_monthbutton"_s);
            QVERIFY(month);
            QVERIFY2(month->text().compare(u"декабрь"_s, Qt::CaseInsensitive) == 0, qPrintable(month->text()));
            QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
            const auto *days = calendar->findChild<QAbstractItemView *>(u"qt_calendar_calendarview"_s);
            QVERIFY(days);
            // The header row names the weekdays, Monday first.
            QStringList header;
            for (int c = 0; c < days->model()->columnCount(); ++c)
                header << days->model()->data(days->model()->index(0, c)).toString();
            header.removeAll(QString()); // the week-number column, where shown
            QCOMPARE(header, (QStringList{u"пн"_s, u"вт"_s, u"ср"_s, u"чт"_s, u"пт"_s, u"сб"_s, u"вс"_s}));
        }
    }

    // The row arithmetic of the tool panel: equal gaps up to the widest, the rest at both ends.
    void spreadRowPlacesBoxes_data()
    {
        QTest::addColumn<int>("available");
        QTest::addColumn<std::vector<int>>("widths");
        QTest::addColumn<std::vector<int>>("left");
        QTest::newRow("nothing") << 100 << std::vector<int>{} << std::vector<int>{};
        QTest::newRow("even gaps") << 100 << std::vector<int>{20, 20} << std::vector<int>{20, 60};
        QTest::newRow("gaps capped, centred") << 300 << std::vector<int>{50, 50} << std::vector<int>{88, 162};
        QTest::newRow("just room for the gaps") << 68 << std::vector<int>{20, 30} << std::vector<int>{6, 32};
        QTest::newRow("too narrow: from the left") << 60 << std::vector<int>{20, 30} << std::vector<int>{0, 26};
        QTest::newRow("wider than the row") << 40 << std::vector<int>{30, 30} << std::vector<int>{0, 36};
    }
    void spreadRowPlacesBoxes()
    {
        QFETCH(int, available);
        QFETCH(std::vector<int>, widths);
        QFETCH(std::vector<int>, left);
        QCOMPARE(rasp::ui::spreadRow(available, widths, 6, 24), left);
    }

    // The tool panel keeps its groups' order and widths in every mode and spreads the shown ones
    // over its width: without "Заметки" (no server) or on the template page no end stays empty.
    void toolPanelGroupsFillTheRow_data()
    {
        QTest::addColumn<bool>("templatePage");
        QTest::addColumn<bool>("useServer");
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("day, no server") << false << false << 1350 << QList<int>{345, 247, 410};
        QTest::newRow("day, no server, wide") << false << false << 1900 << QList<int>{345, 247, 410};
        QTest::newRow("template page") << true << true << 1350 << QList<int>{345, 247, 290};
        QTest::newRow("day with server, wide") << false << true << 1900 << QList<int>{345, 247, 410, 345};
        // The notes group, then "Показывать", then "Автоподбор" narrow so the row fits the window.
        QTest::newRow("day with server, narrowed") << false << true << 1350 << QList<int>{337, 237, 410, 340};
    }
    void toolPanelGroupsFillTheRow()
    {
        QFETCH(bool, templatePage);
        QFETCH(bool, useServer);
        QFETCH(int, windowWidth);
        QFETCH(QList<int>, widths);
        TForm1 &f = *m_form;
        f.fixtureState().settings.useServer = useServer;
        if (templatePage)
            f.SostMeuProg(0, 0, 0, 0, 1);
        else
            f.SpeedB1Click();
        if (f.widgets().sPanel8->isHidden())
            f.sSpeedButton5Click();
        f.resize(windowWidth, 900);
        QTRY_COMPARE(f.widgets().sPanel8->width(), windowWidth);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

        QList<QRect> boxes;
        for (QGroupBox *g : {f.widgets().sGroupBox3, f.widgets().sGroupBox1, f.widgets().sGroupBox4, f.widgets().sGroupBox9}) // the panel's order
            if (g->isVisibleTo(f.widgets().sPanel8))
                boxes << g->geometry();
        QCOMPARE(boxes.size(), widths.size());
        QList<int> gaps;
        for (int k = 0; k < boxes.size(); ++k) {
            QCOMPARE(boxes[k].width(), widths[k]);
            QCOMPARE(boxes[k].height(), 146 - 4);
            if (k > 0)
                gaps << boxes[k].left() - boxes[k - 1].right() - 1;
        }
        for (int gap : gaps) { // in order, apart, evenly
            QVERIFY(gap >= 6);
            QCOMPARE(gap, gaps.first());
        }
        const int before = boxes.first().left();
        const int after = f.widgets().sPanel8->width() - boxes.last().right() - 1;
        if (after < gaps.first()) { // no room to spread: from the left, as narrow as they may be
            QCOMPARE(before, 4);
            QCOMPARE(gaps.first(), 6);
            return;
        }
        QVERIFY2(qAbs(before - after) <= 1, qPrintable(u"%1 %2"_s.arg(before).arg(after))); // centred
        QVERIFY(gaps.first() <= before);                                                    // the ends are no narrower than the gaps between
        QVERIFY(after < f.widgets().sPanel8->width() / 4);                                  // no empty third at the right
    }

    void unarmedPickersDoNothing()
    {
        Answerer answerer(*m_form);
        m_form->fixtureState().vibor_dat = 0;
        m_form->sDateTimePicker1ClosePicker();
        m_form->sDateTimePicker2ClosePicker();
        QTest::qWait(50);
        QVERIFY(answerer.asked.isEmpty());
    }
};

QTEST_MAIN(TstPages)
#include "tst_pages.moc"

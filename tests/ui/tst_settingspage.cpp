// The settings page: rooms, auto-locked subjects, server fields, print and behaviour options,
// lesson rows, and setting.ini read at start-up, driven through the window's handlers.
#include "answerer.h"
#include "day/daygrid.h"
#include "settings/settings.h"
#include "text/textfile.h"
#include "arrange/arrangecontroller.h"
#include "settings/settingscontroller.h"
#include "tform1.h"
#include "typetext.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

class TstSettingsPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    void start()
    {
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->SpeedB4Click();
    }
    void restart()
    {
        m_form.reset();
        start();
    }
    QStringList fileLines() const { return rasp::text::readLines(m_work->filePath(u"setting.ini"_s)).lines; }
    static QStringList items(const QListWidget *list)
    {
        QStringList texts;
        for (int k = 0; k < list->count(); ++k)
            texts << list->item(k)->text();
        return texts;
    }
    void addRoom(const QString &room)
    {
        m_form->settings().widgets().sEdit1->clear();
        typeText(m_form->settings().widgets().sEdit1, room);
        QTest::mouseClick(m_form->settings().widgets().SpeedButton3, Qt::LeftButton);
    }
    // Clicks a check box or radio button on its indicator (a click beyond its caption misses it).
    static void clickBox(QAbstractButton *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    void writeSettings(const QMap<int, QString> &items)
    {
        QStringList lines = {u"~end~"_s, u"~end~"_s};
        for (int n = 3; n <= 17; ++n)
            lines << items.value(n);
        QVERIFY(rasp::text::writeLines(m_work->filePath(u"setting.ini"_s), lines));
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
    }
    void cleanup() { m_form.reset(); }

    void roomsAddInTheirOrderAndKeepPlainOrderAfterARestart()
    {
        start();
        QVERIFY(m_form->widgets().Tab_4->isVisible());
        for (const QString &room : {u"12"_s, u"5"_s, u"1а"_s})
            addRoom(room);
        QCOMPARE(items(m_form->settings().widgets().sListBox1), (QStringList{u"5"_s, u"12"_s, u"1а"_s}));
        QVERIFY(m_form->settings().widgets().sEdit1->text().isEmpty());
        QVERIFY(m_form->settings().widgets().sEdit1->hasFocus());
        QCOMPARE(fileLines().mid(0, 4), (QStringList{u"5"_s, u"12"_s, u"1а"_s, u"~end~"_s}));

        addRoom(u"12"_s);
        QCOMPARE(m_form->widgets().noticeText, u"Такой кабинет уже есть"_s);
        QCOMPARE(m_form->settings().widgets().sEdit1->text(), u"12"_s);
        QCOMPARE(m_form->state().settings.rooms.size(), 3);
        m_form->Button1Click();

        restart();
        QCOMPARE(items(m_form->settings().widgets().sListBox1), (QStringList{u"12"_s, u"1а"_s, u"5"_s}));
        QCOMPARE(m_form->state().settings.rooms, (QStringList{u"12"_s, u"1а"_s, u"5"_s}));
    }

    void deletingARoomNeedsASelection()
    {
        start();
        addRoom(u"12"_s);
        addRoom(u"14"_s);
        m_form->forgetNotice();
        m_form->settings().widgets().sListBox1->clearSelection();
        QTest::mouseClick(m_form->settings().widgets().SpeedButton4, Qt::LeftButton);
        QCOMPARE(m_form->widgets().noticeText, u"А выбирать кабинет я за Вас буду?\r\nОно мне надо?"_s);
        QCOMPARE(m_form->settings().widgets().sListBox1->count(), 2);
        m_form->Button1Click();

        m_form->settings().widgets().sListBox1->setCurrentRow(0);
        QTest::mouseClick(m_form->settings().widgets().SpeedButton4, Qt::LeftButton);
        QCOMPARE(items(m_form->settings().widgets().sListBox1), QStringList{u"14"_s});
        QCOMPARE(fileLines().mid(0, 2), (QStringList{u"14"_s, u"~end~"_s}));
    }

    void arrowsMoveSubjectsIntoAndOutOfTheLockList()
    {
        start();
        m_form->settings().widgets().ListBox2->addItems({u"Алгебра"_s, u"Физ-ра"_s, u"ИЗО"_s}); // as the load fills it
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton2, Qt::LeftButton);
        QCOMPARE(m_form->widgets().noticeText, u"Выберите предмет"_s);
        m_form->Button1Click();

        m_form->settings().widgets().ListBox2->setCurrentRow(1);
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton2, Qt::LeftButton);
        m_form->settings().widgets().ListBox2->setCurrentRow(2);
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton2, Qt::LeftButton);
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton2, Qt::LeftButton); // already there: no second entry
        QCOMPARE(items(m_form->settings().widgets().ListBox3), (QStringList{u"ИЗО"_s, u"Физ-ра"_s}));
        QCOMPARE(fileLines().mid(0, 4), (QStringList{u"~end~"_s, u"ИЗО"_s, u"Физ-ра"_s, u"~end~"_s}));

        m_form->forgetNotice();
        m_form->settings().widgets().ListBox3->clearSelection();
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton1, Qt::LeftButton);
        QCOMPARE(m_form->widgets().noticeText, u"Выберите предмет"_s);
        m_form->Button1Click();
        m_form->settings().widgets().ListBox3->setCurrentRow(0);
        QTest::mouseClick(m_form->settings().widgets().sSpeedButton1, Qt::LeftButton);
        QCOMPARE(items(m_form->settings().widgets().ListBox3), QStringList{u"Физ-ра"_s});
        QCOMPARE(fileLines().mid(0, 3), (QStringList{u"~end~"_s, u"Физ-ра"_s, u"~end~"_s}));
    }

    void passwordShowsOnlyWhileTheEyeIsHeld()
    {
        start();
        clickBox(m_form->settings().widgets().sCheckBox1);
        QVERIFY(m_form->settings().widgets().SpeedButton5->isEnabled());
        typeText(m_form->settings().widgets().sEdit4, u"секрет"_s);
        QCOMPARE(m_form->settings().widgets().sEdit4->echoMode(), QLineEdit::Password);
        QTest::mousePress(m_form->settings().widgets().SpeedButton5, Qt::LeftButton);
        QCOMPARE(m_form->settings().widgets().sEdit4->echoMode(), QLineEdit::Normal);
        QTest::mouseRelease(m_form->settings().widgets().SpeedButton5, Qt::LeftButton);
        QCOMPARE(m_form->settings().widgets().sEdit4->echoMode(), QLineEdit::Password);
        QCOMPARE(m_form->state().settings.password, u"секрет"_s);
    }

    void serverSwitchActsAtOnceButTheFileWaitsForSave()
    {
        writeSettings({{3, u"10.0.0.7"_s}, {4, u"7100"_s}, {7, u"1"_s}});
        start();
        QVERIFY(m_form->settings().widgets().sCheckBox1->isChecked());
        QVERIFY(m_form->settings().widgets().sGroupBox7->isEnabled());
        QVERIFY(!m_form->widgets().sGroupBox9->isHidden());
        QCOMPARE(m_form->settings().widgets().sEdit2->text(), u"10.0.0.7"_s);

        clickBox(m_form->settings().widgets().sCheckBox1);
        QVERIFY(!m_form->settings().widgets().sGroupBox7->isEnabled());
        QVERIFY(m_form->widgets().sGroupBox9->isHidden());
        QCOMPARE(fileLines().at(2 + 7 - 3), u"1"_s);
        QTest::mouseClick(m_form->settings().widgets().SpeedButton6, Qt::LeftButton);
        QCOMPARE(fileLines().at(2 + 7 - 3), u"0"_s);
        QCOMPARE(m_form->widgets().noticeText,
                 u"Данные сохранены?\r\nДля встепления в силу некоторых параметров возможно потребутся перезапустить программу"_s);
    }

    void printOptionsAndLessonRowsSurviveARestart()
    {
        start();
        QVERIFY(m_form->settings().widgets().RadioButton1->isChecked());
        QVERIFY(m_form->settings().widgets().RadioButton3->isChecked());
        QVERIFY(m_form->settings().widgets().RadioButton5->isChecked());
        QVERIFY(!m_form->settings().widgets().GroupBox3->isEnabled());
        QCOMPARE(m_form->settings().widgets().ComboBox1->currentText(), u"6"_s);

        clickBox(m_form->settings().widgets().RadioButton2);
        clickBox(m_form->settings().widgets().RadioButton4);
        clickBox(m_form->settings().widgets().CheckBox3);
        QVERIFY(m_form->settings().widgets().GroupBox3->isEnabled());
        clickBox(m_form->settings().widgets().RadioButton6);
        clickBox(m_form->settings().widgets().CheckBox2);
        m_form->settings().widgets().ComboBox1->setCurrentIndex(4);
        QTest::mouseClick(m_form->settings().widgets().SpeedButton6, Qt::LeftButton);
        const QStringList lines = fileLines();
        QCOMPARE(lines.mid(2),
                 (QStringList{u""_s, u""_s, u""_s, u""_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"10"_s, u"0"_s,
                              u"0"_s, u"1"_s, u"0"_s, u"1"_s}));
        QCOMPARE(m_form->state().max_ur, 6); // the grid keeps its rows until the next start
        QCOMPARE(m_form->state().grid.lastRow(), 6);

        restart();
        QVERIFY(m_form->settings().widgets().RadioButton2->isChecked());
        QVERIFY(m_form->settings().widgets().RadioButton4->isChecked());
        QVERIFY(m_form->settings().widgets().CheckBox3->isChecked());
        QVERIFY(m_form->settings().widgets().GroupBox3->isEnabled());
        QVERIFY(m_form->settings().widgets().RadioButton6->isChecked());
        QVERIFY(m_form->settings().widgets().CheckBox2->isChecked());
        QVERIFY(!m_form->settings().widgets().CheckBox1->isChecked());
        QCOMPARE(m_form->settings().widgets().ComboBox1->currentText(), u"10"_s);
        QCOMPARE(m_form->state().max_ur, 10);
        QCOMPARE(m_form->state().grid.lastRow(), 10);
        QCOMPARE(m_form->height(), 299 + 42 * 10);
    }

    void sixteenRowsShapeTheGridAndTheWindow()
    {
        writeSettings({{12, u"16"_s}, {13, u"9"_s}, {14, u"4"_s}});
        start();
        QCOMPARE(m_form->state().max_ur, 16);
        QCOMPARE(m_form->state().grid.lastRow(), 16);
        QCOMPARE(m_form->height(), 971);
        QCOMPARE(m_form->state().vt_sm_y, 9);
        QCOMPARE(m_form->state().vt_sm_x, 4);
        QCOMPARE(m_form->arrange().maxLessonsBox()->currentText(), u"16"_s);
        QVERIFY(m_form->widgets().noticeText.isEmpty());
    }

    void aDamagedFileStartsWithDefaultsAndSaysWhy()
    {
        writeSettings({{4, u"70000"_s}, {12, u"99"_s}, {13, u"x"_s}});
        start();
        QCOMPARE(m_form->state().max_ur, 6);
        QCOMPARE(m_form->height(), 551);
        QVERIFY(m_form->settings().widgets().sEdit5->text().isEmpty());
        QVERIFY2(m_form->widgets().noticeText.contains(u"setting.ini"_s) && m_form->widgets().noticeText.contains(u"99"_s)
                     && m_form->widgets().noticeText.contains(u"70000"_s),
                 qPrintable(m_form->widgets().noticeText));
    }

    // A settings file that could not be read (here a link leading in a circle) is reported at
    // start-up and never replaced by a save: every change says so and the link stays as it was.
    void aFileThatCannotBeReadIsNeverReplaced()
    {
        const QString path = m_work->filePath(u"setting.ini"_s);
        QVERIFY(QFile::link(path + u".other"_s, path));
        QVERIFY(QFile::link(path, path + u".other"_s));
        start();
        QVERIFY2(m_form->widgets().noticeText.contains(u"Не удалось прочитать файл"_s) && m_form->widgets().noticeText.contains(u"setting.ini"_s),
                 qPrintable(m_form->widgets().noticeText));
        m_form->Button1Click();
        addRoom(u"12"_s);
        QVERIFY2(m_form->widgets().noticeText.startsWith(u"Настройки не сохранены: файл "_s)
                     && m_form->widgets().noticeText.contains(QDir::toNativeSeparators(path)),
                 qPrintable(m_form->widgets().noticeText));
        m_form->Button1Click();
        m_form->forgetNotice();
        clickBox(m_form->settings().widgets().CheckBox2);
        QTest::mouseClick(m_form->settings().widgets().SpeedButton6, Qt::LeftButton); // "Сохранить"
        QVERIFY2(m_form->widgets().noticeText.startsWith(u"Настройки не сохранены"_s), qPrintable(m_form->widgets().noticeText));
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).symLinkTarget(), path + u".other"_s);
        QCOMPARE(items(m_form->settings().widgets().sListBox1), QStringList{u"12"_s}); // the page keeps what was done
    }
};

QTEST_MAIN(TstSettingsPage)
#include "tst_settingspage.moc"

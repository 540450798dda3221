// The window with a teaching load: start-up from nagruz.ini, the subject lists, the highlighting
// modes of "Показывать" and the teacher lists that typing into the grid brings.
#include "day/daygridview.h"
#include "load/nagruzfile.h"
#include "shell/overlaypanel.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "gridpointer.h"
#include "day/highlightcontroller.h"
#include "tform1.h"
#include "typetext.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

class TstLoadWindow : public QObject
{
    Q_OBJECT

    static void clickSubject(TForm1 &form, int row, int column)
    {
        QTest::mouseClick(gridpointer::body(form), Qt::LeftButton, {}, gridpointer::subjectAt(form, row, column));
    }
    static void writeLoad(const QStringList &lines)
    {
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), lines));
    }

private slots:
    void startsWithTheLoadAndResolvesWhatIsTyped()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        // Иванова teaches algebra in 5А and 5Б; 6А's English is split between two teachers.
        writeLoad({u"5А|5Б|6А|"_s, u"Иванова|Алгебра;|Алгебра;||"_s, u"Петров|||Англ;Физика;|"_s,
                   u"Сидорова|||Англ;|"_s, u"~end~"_s});
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const rasp::State &s = form.state();

        QCOMPARE(s.klassvis, 3);
        QCOMPARE(s.pedvis, 3);
        QCOMPARE(s.grid.cell(0, 1).subject, u"5А"_s);
        QCOMPARE(s.grid.cell(0, 3).subject, u"6А"_s);
        QVERIFY(form.widgets().SpeedB1->isEnabled() && form.widgets().SpeedB2->isEnabled() && form.widgets().SpeedB5->isEnabled());
        QVERIFY(form.widgets().Tab_1->isVisible());
        QStringList listed;
        for (int n = 0; n < form.widgets().sCheckListBox1->count(); ++n)
            listed << form.widgets().sCheckListBox1->item(n)->text();
        QCOMPARE(listed, (QStringList{u"Алгебра"_s, u"Англ"_s, u"Физика"_s}));

        // The four modes top to bottom, the first one chosen at start.
        const QList<QRadioButton *> modes{form.highlight().coincidencesButton(), form.highlight().eachButton(), form.highlight().selectedButton(), form.highlight().noneButton()};
        const QStringList captions{u"только совпадения"_s, u"каждого учителя отдельным цветом"_s,
                                   u"только выбранного учителя"_s, u"не выделять цветом"_s};
        for (int n = 0; n < modes.size(); ++n) {
            QCOMPARE(modes.at(n)->text(), captions.at(n));
            QCOMPARE(modes.at(n)->parentWidget(), form.widgets().sGroupBox1);
            QCOMPARE(form.widgets().sGroupBox1->layout()->indexOf(modes.at(n)), n);
        }
        QVERIFY(form.highlight().coincidencesButton()->isChecked());

        // Typing through the live editor resolves the cell at once.
        QLineEdit *editor = form.widgets().grid->editor();
        clickSubject(form, 1, 3);
        typeText(editor, u"Англ"_s);
        QCOMPARE(s.grid.cell(1, 3).teachers, u"Петров, Сидорова"_s);
        QCOMPARE(form.widgets().sLabel7->text(), u"Петров, Сидорова"_s);
        QCOMPARE(s.grid.cell(1, 3).background, 0xFFFFFFFFu); // no coincidence: neutral
        clickSubject(form, 1, 1);
        typeText(editor, u"Алгебра"_s);
        clickSubject(form, 1, 2);
        typeText(editor, u"Алгебра"_s);
        QCOMPARE(s.grid.cell(1, 2).teachers, u"Иванова"_s);
        for (int j : {1, 2}) { // Иванова wanted twice in lesson 1
            QCOMPARE(s.grid.cell(1, j).background, s.colorr[2]);
            QCOMPARE(s.grid.cell(1, j).textColour, 0xFFFFFFFFu);
        }
        QCOMPARE(editor->palette().color(QPalette::Text).rgba(), 0xFFFFFFFFu);

        // Every teacher in colour: 6А shows the colour of the last of its two teachers.
        QTest::mouseClick(form.widgets().sSpeedButton5, Qt::LeftButton);
        QVERIFY(form.highlight().eachButton()->isVisible());
        QTest::mouseClick(form.highlight().eachButton(), Qt::LeftButton);
        QVERIFY(form.highlight().eachButton()->isChecked());
        QCOMPARE(s.grid.cell(1, 3).background, s.colorr[4]);
        QCOMPARE(s.grid.ramkaRow, 1);
        QCOMPARE(s.grid.ramkaColumn, 1);
        QCOMPARE(form.widgets().grid->editorColumn(), 1);
        QCOMPARE(form.widgets().sLabel7->text(), u"Иванова"_s);
        QCOMPARE(editor->cursorPosition(), int(u"Алгебра"_s.size()));

        // Only the teacher of cell (1,1).
        QTest::mouseClick(form.highlight().selectedButton(), Qt::LeftButton);
        QCOMPARE(s.grid.cell(1, 2).background, s.colorr[2]);
        QCOMPARE(s.grid.cell(1, 3).background, 0xFFFFFFFFu);

        // No colours, but the lists stay.
        QTest::mouseClick(form.highlight().noneButton(), Qt::LeftButton);
        for (int j = 1; j <= 3; ++j)
            QCOMPARE(s.grid.cell(1, j).background, 0xFFFFFFFFu);
        QCOMPARE(s.grid.cell(1, 3).teachers, u"Петров, Сидорова"_s);

        // Erasing a subject leaves its cell without teachers.
        clickSubject(form, 1, 3);
        for (int n = 0; n < 4; ++n)
            QTest::keyClick(editor, Qt::Key_Backspace);
        QVERIFY(s.grid.cell(1, 3).subject.isEmpty());
        QVERIFY(s.grid.cell(1, 3).teachers.isEmpty());
        QVERIFY(form.widgets().sLabel7->text().isEmpty());
    }

    void aMalformedLoadFileIsReadAndReported()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeLoad({u"5А|"_s, u"Иванова|Алгебра;|Химия;|"_s});
        TForm1 form;
        QCOMPARE(form.state().klassvis, 1);
        QCOMPARE(form.state().RaspUrPredm.predmet, QStringList{u"Алгебра"_s});
        QVERIFY(form.widgets().Rct_soob->isVisibleTo(&form));
        QVERIFY2(form.widgets().noticeText.startsWith(u"Файл нагрузки прочитан с замечаниями.\r\n"_s), qPrintable(form.widgets().noticeText));
        QVERIFY2(form.widgets().noticeText.contains(u"(и ещё 1)"_s), qPrintable(form.widgets().noticeText));
    }
};

QTEST_MAIN(TstLoadWindow)
#include "tst_loadwindow.moc"

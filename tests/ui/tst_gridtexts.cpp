// Texts longer than their fields on the day grid, driven through real events: a longer text read
// from a file is kept whole when its field is edited and typing still stops at ten characters;
// a text too wide for its field shows its beginning and its whole self as the tooltip; the class
// names stay clear of the second-shift slider's groove.
#include "day/blocking.h"
#include "day/dayfile.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "gridpointer.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "text/textfile.h"
#include "tform1.h"
#include "day/shiftcontroller.h"
#include "typetext.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

// Four classes, two of them with names longer than a header field shows even at the floor size.
const QStringList kLoad = {
    u"5А|6Б|10профильный-мат|10профильный-мат2|"_s,
    u"Иванова|Физика;|Физика;|||"_s,
    u"Петрова|Обществознание;|Обществознание-2;|||"_s,
    u"~end~"_s,
};

// Today's day: pairs of texts that share a beginning too wide for the field (rows 2 and 3, the
// pinned Обществознание locked), and texts longer than may be typed (row 4).
const QStringList kSubjects = {
    u"Физика|Физика|||"_s,
    u"Природоведение|Природоведение-7|ИЗО||"_s,
    u"Обществознание|Обществознание-2|||"_s,
    u"Информатика2||||"_s,
    u"||||"_s,
    u"||||"_s,
};
const QStringList kRooms = {
    u"||||"_s,
    u"Спортзал-большой|Спортзал-большой2|12||"_s,
    u"||||"_s,
    u"Лаборатория-3||||"_s,
    u"||||"_s,
    u"||||"_s,
};

bool ink(QRgb c)
{
    return qGray(c) < 160;
}

} // namespace

class TstGridTexts : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }

    void start(bool secondShift)
    {
        rasp::settings::Settings settings;
        if (!secondShift) // the split would ask about pinned lessons it locks
            settings.blocked = {u"Обществознание"_s, u"Обществознание-2"_s};
        settings.secondShift = secondShift;
        QVERIFY(rasp::text::writeLines(rasp::settings::SettingsPath(),
                                       rasp::settings::SettingsLines(settings, secondShift ? 3 : 0, secondShift ? 2 : 0)));
        QStringList day;
        for (const QString &row : kSubjects)
            day << u"|"_s + row;
        day << kRooms << u"~end~"_s;
        QDir().mkpath(u"r_data"_s);
        QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(QDate::currentDate()), day));
        m_form = std::make_unique<TForm1>();
        m_form->resize(1000, 700);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->widgets().grid->releaseEditor(); // no field is left unpainted under the editor
    }

    // The grid as painted, in viewport coordinates.
    QImage painted() const
    {
        QImage image(m_form->widgets().grid->viewport()->size(), QImage::Format_ARGB32);
        m_form->widgets().grid->renderTo(&image);
        return image;
    }

    // A field of the grid in viewport coordinates: a lesson field, or a class name of row 0.
    QRect fieldRect(int row, int column, GridGeometry::Field field) const
    {
        if (row == 0) {
            const QRect h = GridGeometry::subjectRect(0, column);
            return QRect(m_form->widgets().grid->headerToViewport(h.topLeft()), h.size());
        }
        const QRect r = field == GridGeometry::Room ? GridGeometry::roomRect(row, column)
                                                    : GridGeometry::subjectRect(row, column);
        return m_form->widgets().grid->bodyRectInViewport(r);
    }

    // The tooltip the grid shows for a point of a field.
    QString toolTipAt(const QRect &field) const
    {
        QToolTip::hideText();
        QWidget *target = m_form->widgets().grid->viewport();
        QPoint local = field.center();
        if (field.top() >= GridGeometry::kHeaderHeight) {
            target = gridpointer::body(*m_form);
            local = target->mapFrom(m_form->widgets().grid->viewport(), local);
        }
        QHelpEvent help(QEvent::ToolTip, local, target->mapToGlobal(local));
        QApplication::sendEvent(target, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), kLoad));
    }
    void cleanup()
    {
        QToolTip::hideText();
        m_form.reset();
    }

    void aLongerTextIsKeptWholeWhenEditedAndTypingStopsAtTen_data()
    {
        QTest::addColumn<bool>("room");
        QTest::addColumn<QString>("stored");
        QTest::newRow("subject") << false << u"Информатика2"_s;
        QTest::newRow("room") << true << u"Лаборатория-3"_s;
    }
    void aLongerTextIsKeptWholeWhenEditedAndTypingStopsAtTen()
    {
        QFETCH(bool, room);
        QFETCH(QString, stored);
        start(false);
        TForm1 &f = *m_form;
        auto text = [&] { return room ? cell(4, 1).room : cell(4, 1).subject; };
        QCOMPARE(text(), stored);
        gridpointer::click(f, room ? gridpointer::roomAt(f, 4, 1) : gridpointer::subjectAt(f, 4, 1));
        QLineEdit *editor = f.widgets().grid->editor();
        QCOMPARE(f.widgets().grid->editorField(), room ? GridGeometry::Room : GridGeometry::Subject);
        QCOMPARE(editor->text(), stored);
        QCOMPARE(text(), stored);

        // One Backspace takes one character; a typed one is refused while ten or more are there.
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(text(), stored.chopped(1));
        typeText(editor, u"x"_s);
        QCOMPARE(text(), stored.chopped(1));

        // A short text is typed up to ten characters, and the file separator never goes in.
        editor->selectAll();
        typeText(editor, u"Физ|ика1234"_s);
        QCOMPARE(text(), u"Физика1234"_s);
        typeText(editor, u"5"_s);
        QCOMPARE(text(), u"Физика1234"_s);
        QCOMPARE(editor->text(), u"Физика1234"_s);
    }

    void aTextTooWideForItsFieldShowsItsBeginningAndTheWholeAsTooltip_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("room");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("subject") << 2 << false << u"Природоведение"_s << u"Природоведение-7"_s;
        QTest::newRow("room") << 2 << true << u"Спортзал-большой"_s << u"Спортзал-большой2"_s;
        QTest::newRow("locked caption") << 3 << false << u"Обществознание"_s << u"Обществознание-2"_s;
        QTest::newRow("class name") << 0 << false << u"10профильный-мат"_s << u"10профильный-мат2"_s;
    }
    void aTextTooWideForItsFieldShowsItsBeginningAndTheWholeAsTooltip()
    {
        QFETCH(int, row);
        QFETCH(bool, room);
        QFETCH(QString, first);
        QFETCH(QString, second);
        start(false);
        const GridGeometry::Field field = room ? GridGeometry::Room : GridGeometry::Subject;
        // Class names sit in columns 3 and 4, lessons in columns 1 and 2.
        const int a = row == 0 ? 3 : 1;
        const int b = a + 1;
        if (row == 3)
            QVERIFY(cell(3, a).locked() && cell(3, b).locked());

        // Two texts with the same beginning look the same: neither is centred on its middle.
        const QImage image = painted();
        const QRect ra = fieldRect(row, a, field).adjusted(1, 1, -1, -1);
        const QRect rb = fieldRect(row, b, field).adjusted(1, 1, -1, -1);
        const int bottom = row == 0 ? GridGeometry::kHeaderHeight - 1 : ra.bottom(); // the strip cuts names
        const int textLeft = row == 3 ? rasp::day::kPadlockWidth : 0;                // a caption starts beside the padlock
        int leftmostInk = ra.width();
        for (int y = ra.top(); y <= bottom; ++y) {
            for (int x = 0; x < ra.width(); ++x) {
                QCOMPARE(image.pixel(ra.left() + x, y), image.pixel(rb.left() + x, rb.top() + y - ra.top()));
                if (x >= textLeft && ink(image.pixel(ra.left() + x, y)))
                    leftmostInk = qMin(leftmostInk, x);
            }
        }
        // The text's beginning sits at the left edge of its place.
        QVERIFY2(leftmostInk - textLeft <= 3, qPrintable(QString::number(leftmostInk)));

        // The whole text opens the tooltip; the cell's explanation may follow on further lines.
        QCOMPARE(toolTipAt(fieldRect(row, a, field)).section(u'\n', 0, 0), first);
        QCOMPARE(toolTipAt(fieldRect(row, b, field)).section(u'\n', 0, 0), second);
    }

    void aTextThatFitsIsCentredWithoutTooltip()
    {
        start(false);
        const QImage image = painted();
        const QRect r = fieldRect(2, 3, GridGeometry::Subject).adjusted(1, 1, -1, -1); // "ИЗО"
        int left = r.width();
        int right = -1;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = 0; x < r.width(); ++x)
                if (ink(image.pixel(r.left() + x, y))) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
        QVERIFY(right > left);
        QVERIFY2(qAbs(left - (r.width() - 1 - right)) <= 2, qPrintable(u"%1 %2"_s.arg(left).arg(right)));
        QCOMPARE(toolTipAt(fieldRect(2, 3, GridGeometry::Subject)), QString());
        QCOMPARE(toolTipAt(fieldRect(2, 3, GridGeometry::Room)), QString()); // "12"
    }

    void classNamesStayClearOfTheSecondShiftGroove()
    {
        start(true);
        TForm1 &f = *m_form;
        QVERIFY(f.shift().startSlider()->isVisible());
        // The groove as the slider paints it: the rows of a column past the handle that differ
        // from the slider's background.
        const QImage slider = f.shift().startSlider()->grab().toImage();
        const int x = slider.width() - 10;
        int grooveBottom = -1;
        for (int y = 0; y < slider.height(); ++y)
            if (slider.pixel(x, y) != slider.pixel(x, 0))
                grooveBottom = y;
        QVERIFY(grooveBottom > 0);
        grooveBottom = f.widgets().grid->viewport()->mapFromGlobal(f.shift().startSlider()->mapToGlobal(QPoint(0, grooveBottom))).y();

        // The ink of the class names of 5А and 6Б, drawn under the slider's span.
        const QImage image = painted();
        int top = GridGeometry::kHeaderHeight;
        for (int j = 1; j <= 2; ++j) {
            const QRect r = fieldRect(0, j, GridGeometry::Subject);
            for (int y = 0; y < GridGeometry::kHeaderHeight; ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (ink(image.pixel(x, y)))
                        top = qMin(top, y);
        }
        QVERIFY(top < GridGeometry::kHeaderHeight); // the names are painted
        QVERIFY2(top > grooveBottom, qPrintable(u"names from y %1, groove to y %2"_s.arg(top).arg(grooveBottom)));
        // The slider stays at its place: 7 px into the header strip.
        QCOMPARE(f.widgets().grid->viewport()->mapFromGlobal(f.shift().startSlider()->mapToGlobal(QPoint(0, 0))).y(), 7);
    }
};

QTEST_MAIN(TstGridTexts)
#include "tst_gridtexts.moc"

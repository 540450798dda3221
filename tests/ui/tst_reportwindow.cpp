// The delivered-hours report page through the window: opening it on the day and template pages,
// "Рассчитать" and its enabling, the table and its header, the size and close buttons, and a
// day file that cannot be read.
#include "answerer.h"
#include "day/dayfile.h"
#include "load/nagruzfile.h"
#include "modeltexts.h"
#include "widgets/popupclosewatcher.h"
#include "shell/tabbutton.h"
#include "template/setka.h"
#include "text/textfile.h"
#include "reports/reportscontroller.h"
#include "tform1.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kLoad = {
    u"5А|5Б|6А|"_s,
    u"Иванова|Алгебра;|Алгебра;|Алгебра;|"_s,
    u"Петров|Физика;|Физика;|Физика;|"_s,
    u"~end~"_s,
};

// A six-row day of three classes from its first subject lines; rooms filled, a note.
QStringList day3(const QStringList &rows)
{
    QStringList lines = rows;
    while (lines.size() < 6)
        lines << u"||||"_s;
    for (int i = 0; i < 6; ++i)
        lines << u"31|32|33|"_s;
    lines << u"заметка"_s << u"~end~"_s;
    return lines;
}

} // namespace

class TstReportWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    // The table's texts row by row, cells joined by "|".
    QStringList table() const
    {
        return modeltexts::rows(m_form->reports().hoursTable()->model());
    }
    QStringList headers() const
    {
        QStringList out;
        const QAbstractItemModel *m = m_form->reports().hoursTable()->model();
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->headerData(c, Qt::Horizontal).toString();
        return out;
    }
    // Whether the size button shows the picture of that name.
    bool sizePicture(const QString &name) const
    {
        const QSize size(28, 28);
        return m_form->reports().hoursSizeButton()->icon().pixmap(size).toImage()
               == QIcon(u":/img/"_s + name + u".svg"_s).pixmap(size).toImage();
    }
    bool pagesDisabled() const
    {
        return !m_form->widgets().Rct_Tab->isEnabled() && !m_form->widgets().Tab_1->isEnabled() && !m_form->widgets().Tab_2->isEnabled()
               && !m_form->widgets().Tab_4->isEnabled();
    }
    // Opens the calendar of a date field and dismisses it, as the user closing the drop-down.
    void openAndCloseCalendar(QDateEdit *picker)
    {
        auto *watcher = picker->findChild<rasp::ui::PopupCloseWatcher *>();
        QVERIFY(watcher);
        const QPoint arrow(picker->width() - 6, picker->height() / 2); // the drop-down arrow
        QTest::mouseMove(picker, arrow);
        QTest::mouseClick(picker, Qt::LeftButton, {}, arrow);
        QTRY_VERIFY(watcher->popup()->isVisible());
        QTest::keyClick(watcher->popup(), Qt::Key_Escape);
        QTRY_VERIFY(!watcher->popup()->isVisible());
    }
    void saveDay(QDate d, const QStringList &rows)
    {
        QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(d), day3(rows)));
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), kLoad));
        QDir().mkpath(u"r_data"_s);
        QDir().mkpath(u"setka"_s);
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QVERIFY(m_form->dayPageActive());
    }
    void cleanup() { m_form.reset(); }

    void dayPageCountsThePeriodOnRasschitat()
    {
        TForm1 &f = *m_form;
        const QDate today = QDate::currentDate();
        QCOMPARE(f.reports().periodStart()->date(), today);
        QCOMPARE(f.reports().periodEnd()->date(), today);
        saveDay(QDate(2026, 12, 1), {u"|S|Хор|А|"_s, u"||||"_s, u"|S||Б|"_s});
        saveDay(QDate(2026, 12, 2), {u"|S||В|"_s, u"|Физика||Г|"_s, u"|S||Д|"_s});
        saveDay(QDate(2026, 12, 4), {u"|Вне|||"_s});

        QCOMPARE(f.widgets().img_SB8->toolTip(), u"Расчитать количество выданных часов за указанный период"_s);
        f.resize(1400, 800);
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QVERIFY(f.widgets().Tab_3->isVisible());
        QVERIFY(f.reports().periodBar()->isVisible());
        QVERIFY(pagesDisabled());
        QCOMPARE(f.reports().savedOnlyNote()->text(), u"При расчете учитываются только сохраненные данные"_s);
        QCOMPARE(f.widgets().Tab_3->size(), QSize(1300, 670));
        QCOMPARE(f.widgets().Tab_3->geometry().center(), f.rect().center());
        QCOMPARE(headers(), (QStringList{u"5А"_s, u"5Б"_s, u"6А"_s}));
        QCOMPARE(f.reports().hoursTable()->columnWidth(0), 70);
        QVERIFY(table().isEmpty());

        f.reports().periodStart()->setDate(QDate(2026, 12, 1));
        f.reports().periodEnd()->setDate(QDate(2026, 12, 3));
        QVERIFY(f.reports().countButton()->isEnabled());
        QTest::mouseClick(f.reports().countButton(), Qt::LeftButton);
        // 5Б has one subject; 6А met five subjects, more than the three classes: all are shown.
        QCOMPARE(table(), (QStringList{u"S - 4|Хор - 1|А - 1"_s, u"Физика - 1||Б - 1"_s, u"||В - 1"_s, u"||Г - 1"_s,
                                       u"||Д - 1"_s}));
        QCOMPARE(f.reports().hoursProgress()->maximum(), 3); // three days counted, the bar full
        QCOMPARE(f.reports().hoursProgress()->value(), 3);
        QVERIFY(f.widgets().Tab_3->isEnabled());
        QVERIFY(!f.reports().countButton()->isEnabled()); // until a date changes
        QVERIFY(pagesDisabled());

        // Closing a calendar clears the result and enables "Рассчитать" again.
        openAndCloseCalendar(f.reports().periodEnd());
        QVERIFY(table().isEmpty());
        QCOMPARE(headers().size(), 3);
        QVERIFY(f.reports().countButton()->isEnabled());

        // An end before the start: "Рассчитать" is disabled.
        f.reports().periodEnd()->setDate(QDate(2026, 11, 30));
        openAndCloseCalendar(f.reports().periodStart());
        QVERIFY(!f.reports().countButton()->isEnabled());

        // Start and end equal: one day, a normal bar that fills (never the busy animation).
        f.reports().periodStart()->setDate(QDate(2026, 12, 4));
        f.reports().periodEnd()->setDate(QDate(2026, 12, 4));
        QVERIFY(f.reports().countButton()->isEnabled());
        QTest::mouseClick(f.reports().countButton(), Qt::LeftButton);
        QCOMPARE(f.reports().hoursProgress()->maximum(), 1);
        QCOMPARE(f.reports().hoursProgress()->value(), 1);
        QCOMPARE(table(), QStringList{u"Вне - 1||"_s});

        QTest::mouseClick(f.reports().hoursCloseButton(), Qt::LeftButton);
        QVERIFY(!f.widgets().Tab_3->isVisible());
        QVERIFY(!pagesDisabled());
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton); // reopened: an empty bar, not a busy one
        QVERIFY(f.reports().hoursProgress()->maximum() > f.reports().hoursProgress()->minimum());
        QCOMPARE(f.reports().hoursProgress()->value(), 0);
        QTest::mouseClick(f.reports().hoursCloseButton(), Qt::LeftButton);
    }

    void templatePageOpensCalculatedOverTheWeek()
    {
        TForm1 &f = *m_form;
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(2), day3({u"|Хор|Физика||"_s, u"|Хор|||"_s})));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(6), day3({u"|Алгебра|Физика||"_s})));
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.widgets().SpeedB5, Qt::LeftButton);
        }
        QVERIFY(f.templatePageActive());
        QCOMPARE(f.widgets().img_SB8->toolTip(), u"Расчитать количество выданных часов за неделю"_s);
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QVERIFY(f.widgets().Tab_3->isVisible());
        QVERIFY(!f.reports().periodBar()->isVisible());
        QCOMPARE(table(), (QStringList{u"Хор - 2|Физика - 2|"_s, u"Алгебра - 1||"_s}));
        QCOMPARE(f.reports().hoursProgress()->maximum(), 7);
        QCOMPARE(f.reports().hoursProgress()->value(), 7);
        QVERIFY(pagesDisabled());
    }

    void sizeButtonTogglesBetweenCentredAndFilling()
    {
        TForm1 &f = *m_form;
        f.resize(1500, 900);
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QCOMPARE(f.widgets().Tab_3->geometry(), QRect(QPoint(100, 115), QSize(1300, 670)));
        QVERIFY(sizePicture(u"expand"_s));
        QTest::mouseClick(f.reports().hoursSizeButton(), Qt::LeftButton);
        QCOMPARE(f.widgets().Tab_3->geometry(), f.rect());
        QVERIFY(sizePicture(u"collapse"_s));
        f.resize(1600, 950); // a filling panel follows the window
        QTRY_COMPARE(f.widgets().Tab_3->geometry(), f.rect());
        QTest::mouseClick(f.reports().hoursSizeButton(), Qt::LeftButton);
        QCOMPARE(f.widgets().Tab_3->size(), QSize(1300, 670));
        QCOMPARE(f.widgets().Tab_3->geometry().center(), f.rect().center());
        QVERIFY(sizePicture(u"expand"_s));
        // A window smaller than the panel holds all of it.
        f.resize(1000, 600);
        QTRY_COMPARE(f.widgets().Tab_3->geometry(), f.rect());
        f.resize(1500, 900);
        QTRY_COMPARE(f.widgets().Tab_3->geometry(), QRect(QPoint(100, 115), QSize(1300, 670)));
        // Reopened, the panel is centred again.
        QTest::mouseClick(f.reports().hoursSizeButton(), Qt::LeftButton);
        QTest::mouseClick(f.reports().hoursCloseButton(), Qt::LeftButton);
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QCOMPARE(f.widgets().Tab_3->size(), QSize(1300, 670));
        QVERIFY(sizePicture(u"expand"_s));
    }

    void headerIsAccentWithWhiteEdges()
    {
        TForm1 &f = *m_form;
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QHeaderView *h = f.reports().hoursTable()->horizontalHeader();
        const QImage img = h->grab().toImage();
        const qreal dpr = img.devicePixelRatio();
        const auto at = [&](int x, int y) { return img.pixel(int(x * dpr), int(y * dpr)); };
        QCOMPARE(at(40, 3), 0xFF0061B0u);
        QCOMPARE(at(69, 3), 0xFFFFFFFFu);               // right edge of the first column
        QCOMPARE(at(40, h->height() - 1), 0xFFFFFFFFu); // bottom edge
    }

    void anUnreadableDayIsReportedAndTheReportStaysModal()
    {
        TForm1 &f = *m_form;
        QVERIFY(QDir().mkpath(rasp::day::DayFilePath(QDate(2026, 12, 2)))); // a folder where the file goes
        saveDay(QDate(2026, 12, 3), {u"|Хор|||"_s});
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        f.reports().periodStart()->setDate(QDate(2026, 12, 1));
        f.reports().periodEnd()->setDate(QDate(2026, 12, 3));
        QTest::mouseClick(f.reports().countButton(), Qt::LeftButton);
        QCOMPARE(table(), QStringList{u"Хор - 1||"_s});
        QVERIFY(f.widgets().Rct_soob->isVisible());
        QVERIFY(f.widgets().noticeText.startsWith(u"Не учтены файлы, которые не удалось прочитать:\r\n"_s));
        QVERIFY(f.widgets().noticeText.contains(u"02.12.2026.ini"_s));
        QTest::mouseClick(f.widgets().Button1, Qt::LeftButton);
        QVERIFY(pagesDisabled()); // the report page is still open
        {
            Answerer no(f, {Answerer::No});
            f.close(); // "Закрыть программу?" answered "Нет"
            QCOMPARE(no.asked.size(), 1);
        }
        QVERIFY(f.isVisible());
        QVERIFY(pagesDisabled());
        QTest::mouseClick(f.reports().hoursCloseButton(), Qt::LeftButton);
        QVERIFY(!pagesDisabled());
    }
};

QTEST_MAIN(TstReportWindow)
#include "tst_reportwindow.moc"

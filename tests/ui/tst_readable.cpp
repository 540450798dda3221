// Readable at a glance: on the demo school at the designed 1350-px width, every text a user
// reads all day is drawn whole — the subjects, rooms, locked captions and class names of the
// day grid, the delivered-hours report's cells, the notes board's cards, the load page's
// names and subjects, and every label, button, group title and column heading of each page
// and of the two overlays. Each is measured with the geometry and font its painter uses; a text is
// allowed to be cut only when it is wider than its field even at the floor size, and then it
// must carry its whole self as a tooltip. Pictures of each page go to the folder the test
// prints, for a person to look at.
#include "answerer.h"
#include "demofolder.h"
#include "gridpointer.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "shell/elidedlabel.h"
#include "day/shiftcontroller.h"
#include "load/loadgeometry.h"
#include "load/loadmatrixview.h"
#include "load/loadpage.h"
#include "load/loadstripview.h"
#include "widgets/markersliderstyle.h"
#include "server/notesboardview.h"
#include "reports/reportscontroller.h"
#include "server/notes.h"
#include "server/servercontroller.h"
#include "settings/settings.h"
#include "state.h"
#include "shell/tabbutton.h"
#include "template/templatecontroller.h"
#include "textsinview.h"
#include "tform1.h"
#include "load/loadcontroller.h"
#include "template/weekdaybutton.h"
#include "reports/zamenypage.h"

#include <QDir>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;
using rasp::load::LoadGeometry;

namespace {

constexpr int kDesignedWidth = 1350;

// The fields found cut, one line each, for the failure message.
QString listed(const QStringList &cut)
{
    return u"обрезано:\n  "_s + cut.join(u"\n  "_s);
}

} // namespace

class TstReadable : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_shots;
    std::unique_ptr<TForm1> m_form;

    // Saves a picture of the whole window into the pictures folder.
    void shot(const QString &name)
    {
        QCoreApplication::processEvents();
        QVERIFY(m_form->grab().save(m_shots + u'/' + name + u".png"_s));
    }

    // The whole width of a text in a font, as the painters measure it.
    static double widthOf(const QString &text, const QFont &font)
    {
        return QFontMetricsF(font).horizontalAdvance(text);
    }

    // Checks one grid field: whole in its text width, or cut only past the floor with its
    // whole text as the tooltip at `content` (body or header-strip content coordinates).
    void checkGridField(const QString &where, const QString &text, bool bold, int fieldWidth, QPoint content,
                        bool header, QStringList &cut)
    {
        if (text.isEmpty())
            return;
        rasp::ui::DayGridView &grid = *m_form->widgets().grid;
        const auto &fitted = grid.fitted(text, bold, fieldWidth);
        const bool whole = widthOf(text, fitted.font) <= rasp::ui::DayGridView::textWidth(fieldWidth);
        if (whole && fitted.font.pointSizeF() >= 8)
            return;
        QFont floor = fitted.font;
        floor.setPointSizeF(8);
        const bool pastFloor = widthOf(text, floor) > rasp::ui::DayGridView::textWidth(fieldWidth);
        if (!(fitted.cut && pastFloor && grid.cutTextAt(content, header) == text))
            cut << u"%1 «%2» (%3 pt)"_s.arg(where, text).arg(fitted.font.pointSizeF());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString demo = m_dir.filePath(u"demo"_s);
        demofolder::MakeDemo(demo);
        if (QTest::currentTestFailed())
            return;
        QDir::setCurrent(demo);
        // No schedule server here: the board is filled by the test.
        rasp::State state;
        QCOMPARE(rasp::settings::SetLoad(state, rasp::settings::SettingsPath()), rasp::text::ReadResult::Ok);
        state.settings.port = u"1"_s;
        QVERIFY(rasp::settings::SetSave(state, rasp::settings::SettingsPath()));

        m_shots = QDir::temp().filePath(u"raspisanie-readable"_s);
        QVERIFY(QDir().mkpath(m_shots));
        qInfo("Снимки окна: %s", qPrintable(m_shots));
    }

    void init()
    {
        m_form = std::make_unique<TForm1>();
        m_form->resize(kDesignedWidth, m_form->height());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(m_form->width(), kDesignedWidth);
        QVERIFY(m_form->dayPageActive());
    }
    void cleanup() { m_form.reset(); }

    // Every subject, room, locked caption and class name of the demo day that shows at
    // 1350 px reads whole, set by the fitting rule; so does the live editor on each subject.
    void dayGridFieldsAreWhole()
    {
        TForm1 &f = *m_form;
        const rasp::State &s = f.state();
        rasp::ui::DayGridView &grid = *f.widgets().grid;
        const QRect view = grid.viewport()->rect();
        QStringList cut;
        int measured = 0;
        for (int j = 1; j <= s.klassvis; ++j) {
            const QRect head = GridGeometry::subjectRect(0, j);
            if (!view.contains(QRect(grid.headerToViewport(head.topLeft()), head.size())))
                continue;
            const QString klass = s.grid.cell(0, j).subject;
            checkGridField(u"класс %1"_s.arg(j), klass, true, GridGeometry::kFieldWidth, head.center(), true, cut);
            for (int i = 1; i <= s.max_ur; ++i) {
                const QRect sub = GridGeometry::subjectRect(i, j);
                if (!view.contains(grid.bodyRectInViewport(sub)))
                    continue;
                const rasp::day::Cell &c = s.grid.cell(i, j);
                const QString where = u"%1, %2 урок"_s.arg(klass).arg(i);
                if (c.locked())
                    checkGridField(where + u" (закреплён)"_s, c.caption, true,
                                   GridGeometry::kFieldWidth - rasp::day::kPadlockWidth, sub.center(), false, cut);
                else
                    checkGridField(where, c.subject, true, GridGeometry::kFieldWidth, sub.center(), false, cut);
                if (c.roomVisible)
                    checkGridField(where + u" (кабинет)"_s, c.room, false, GridGeometry::kFieldWidth,
                                   GridGeometry::roomRect(i, j).center(), false, cut);
                measured += int(!c.subject.isEmpty());
            }
        }
        QVERIFY(measured > 100); // the demo's full day shows
        QVERIFY2(cut.isEmpty(), qPrintable(listed(cut)));
        shot(u"1-день"_s);

        // The live editor opens on a subject showing its beginning, in the font the field is
        // painted in, so the text does not move when the field is clicked.
        for (int j = 1; j <= s.klassvis; ++j) {
            const rasp::day::Cell &c = s.grid.cell(1, j);
            if (c.locked() || c.subject.isEmpty())
                continue;
            grid.focusField(1, j, GridGeometry::Subject);
            QLineEdit *editor = grid.editor();
            QVERIFY(editor->isVisible());
            QCOMPARE(editor->font(), grid.fitted(c.subject, true, GridGeometry::kFieldWidth).font);
            // Whole in the editor's own text area.
            const int area = editor->contentsRect().width() - 4;
            QVERIFY2(widthOf(c.subject, editor->font()) <= area, qPrintable(c.subject));
        }
        grid.focusField(2, 4, GridGeometry::Subject);
        shot(u"1-день-редактор"_s);
        grid.releaseEditor();
    }

    // The delivered-hours report of the demo's week: every cell's text, the count at its end
    // included, fits its column, and a column is never narrower than its class name.
    void reportCellsAreWhole()
    {
        TForm1 &f = *m_form;
        Answerer answerer(f);
        QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
        QVERIFY(f.reports().hoursTable()->isVisible());
        f.reports().periodStart()->setDate(QDate::currentDate().addDays(-7));
        f.reports().periodEnd()->setDate(QDate::currentDate().addDays(7));
        QTest::mouseClick(f.reports().countButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.widgets().Tab_3->isEnabled(), 30000);
        const QAbstractItemModel *model = f.reports().hoursTable()->model();
        QVERIFY(model->rowCount() > 0);
        const QFontMetricsF metrics(f.reports().hoursTable()->font());
        const int margins = 2 * (f.reports().hoursTable()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        QStringList cut;
        for (int c = 0; c < model->columnCount(); ++c)
            for (int r = 0; r < model->rowCount(); ++r) {
                const QString text = model->index(r, c).data().toString();
                if (metrics.horizontalAdvance(text) + margins > f.reports().hoursTable()->columnWidth(c))
                    cut << u"%1: «%2» в %3 px"_s.arg(model->headerData(c, Qt::Horizontal).toString(), text)
                               .arg(f.reports().hoursTable()->columnWidth(c));
            }
        QVERIFY2(cut.isEmpty(), qPrintable(listed(cut)));
        shot(u"2-отчёт"_s);
        f.SpeedButton10Click(); // maximised: still sized to content
        shot(u"2-отчёт-развёрнут"_s);
        f.SpeedButton7Click();
    }

    // The notes board fits its group at 1350 px: the group, the cards, their headings and the
    // board's scroll bar lie inside the window, each card is as wide as the board shows, and two
    // cards show whole at once.
    void notesCardsFitTheGroup()
    {
        TForm1 &f = *m_form;
        f.sSpeedButton5Click(); // the tool panel, where the board's group sits
        QVERIFY(f.widgets().sGroupBox9->isVisible());
        rasp::server::NotesBoardModel board;
        const QString day = QDate::currentDate().toString(u"dd.MM.yyyy"_s);
        for (int n = 0; n < 4; ++n)
            board.cards.push_back({u"k%1"_s.arg(n), day + u"\r08:0%1"_s.arg(n),
                                   u"Иванова Анна Петровна\rзаместитель директора"_s,
                                   u"Замена: 3 урок в 7Б ведёт Сидоров, кабинет 21."_s, 0xFF3A7BD5});
        f.server().boardStatus()->hide();
        f.server().board()->setBoard(board);
        f.server().board()->show();
        QCoreApplication::processEvents();
        const QRect window = f.rect();
        const QRect group(f.widgets().sGroupBox9->mapTo(&f, QPoint()), f.widgets().sGroupBox9->size());
        const QRect shown(f.server().board()->mapTo(&f, QPoint()), f.server().board()->size());
        QVERIFY2(window.contains(group), qPrintable(u"группа %1,%2 %3x%4"_s.arg(group.x()).arg(group.y()).arg(group.width()).arg(group.height())));
        QVERIFY(group.contains(shown));
        QScrollBar *bar = f.server().board()->verticalScrollBar();
        QVERIFY(bar->isVisible());
        QVERIFY(window.contains(QRect(bar->mapTo(&f, QPoint()), bar->size())));
        const int viewportWidth = f.server().board()->viewport()->width();
        const QFont heading = [&] {
            QFont h = f.server().board()->font();
            h.setPointSize(9);
            h.setBold(true);
            return h;
        }();
        for (const auto &g : f.server().board()->geometry()) {
            QCOMPARE(g.card.width(), viewportWidth);
            QVERIFY2(g.card.width() >= 300, qPrintable(u"карточка %1 px, группа %2 px, полоса %3 px"_s.arg(g.card.width())
                                                           .arg(f.widgets().sGroupBox9->width())
                                                           .arg(bar->width())));
            // Date and name side by side in the heading strip, apart.
            QVERIFY(widthOf(day, heading) + widthOf(u"заместитель директора"_s, heading) + 10 <= g.heading.width());
        }
        // Two whole cards at once on the short board, compact: each heading one line within its
        // strip, clear of the delete cross, its date and time whole beside the name and position,
        // which end in "…" where they do not fit and then show whole as the strip's tooltip; the
        // body's lines within the body.
        rasp::ui::NotesBoardView &shownBoard = *f.server().board();
        QCOMPARE(shownBoard.layout(), rasp::server::CardLayout::Compact);
        const QRect boardView = shownBoard.viewport()->rect();
        const auto &cards = shownBoard.geometry();
        QVERIFY2(boardView.contains(cards.at(0).card) && boardView.contains(cards.at(1).card),
                 qPrintable(u"доска %1 px, карточки %2 и %3 px"_s.arg(boardView.height())
                                .arg(cards.at(0).card.height())
                                .arg(cards.at(1).card.height())));
        for (int n = 0; n < int(cards.size()); ++n) {
            const auto &g = cards[std::size_t(n)];
            QVERIFY2(QFontMetrics(heading).height() <= g.heading.height(),
                     qPrintable(u"строка %1 px, полоса %2 px"_s.arg(QFontMetrics(heading).height()).arg(g.heading.height())));
            QVERIFY(!g.heading.intersects(g.cross));
            QVERIFY(g.card.contains(g.cross));
            const auto line = shownBoard.compactHeading(n);
            QCOMPARE(line.left, day + u" 08:0%1"_s.arg(n));
            QVERIFY(widthOf(line.left, heading) + widthOf(line.right, heading) + 8 <= g.heading.width() + 1);
            QVERIFY(line.right.startsWith(u"Иванова Анна Петровна"_s));
            QCOMPARE(line.cut, line.right != u"Иванова Анна Петровна, заместитель директора"_s);
            if (line.cut && n == 0) {
                const QPoint at = g.heading.center();
                QHelpEvent help(QEvent::ToolTip, at, shownBoard.viewport()->mapToGlobal(at));
                QCoreApplication::sendEvent(shownBoard.viewport(), &help);
                QTRY_COMPARE(QToolTip::text(), day + u"\n08:00\nИванова Анна Петровна\nзаместитель директора"_s);
                QToolTip::hideText();
            }
            QVERIFY(shownBoard.ViravHeight(board.cards[std::size_t(n)].body, false, 10, g.body.width())
                    <= g.body.height());
        }
        shot(u"3-заметки"_s);

        // Wider and narrower windows: the cards follow the board's width and stay 300 px wide.
        for (const int width : {1900, 1200}) {
            f.resize(width, f.height());
            QCoreApplication::processEvents();
            for (const auto &g : f.server().board()->geometry()) {
                QCOMPARE(g.card.width(), f.server().board()->viewport()->width());
                QVERIFY2(g.card.width() >= 300, qPrintable(u"%1 px: %2"_s.arg(width).arg(g.card.width())));
            }
        }
    }

    // Every label, button, group title, column heading and shown list choice of each page is
    // drawn whole at 1350 px, none clipped by its panel and no label touching its neighbour:
    // the day page with its tool panel open, a Monday as the creation date and the teacher of
    // the longest teacher list in the caption; the template page with its weekday strip; the
    // load and settings pages; the delivered-hours report and the substitutions tally.
    void everyTextOfThePagesIsWhole_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : {"день", "сетка", "нагрузка", "настройки", "отчёт", "замены"})
            QTest::newRow(page) << QString::fromUtf8(page);
    }
    void everyTextOfThePagesIsWhole()
    {
        QFETCH(QString, page);
        TForm1 &f = *m_form;
        Answerer answerer(f, {Answerer::Yes, Answerer::Yes});
        const QWidget *root = &f;
        if (page == u"день"_s) {
            f.sSpeedButton5Click();
            QDate monday = QDate::currentDate();
            monday = monday.addDays(8 - monday.dayOfWeek());
            f.widgets().sDateTimePicker3->setDate(monday);
            // The shown lesson with the longest teacher list, clicked.
            const rasp::State &s = f.state();
            const QRect view = f.widgets().grid->viewport()->rect();
            int row = 1, column = 1;
            for (int i = 1; i <= s.max_ur; ++i)
                for (int j = 1; j <= s.klassvis; ++j)
                    if (view.contains(f.widgets().grid->bodyRectInViewport(GridGeometry::subjectRect(i, j)))
                        && s.grid.cell(i, j).teachers.size() > s.grid.cell(row, column).teachers.size())
                        row = i, column = j;
            gridpointer::click(f, gridpointer::subjectAt(f, row, column));
            QCoreApplication::processEvents();
            QVERIFY(f.widgets().sLabel7->text().size() > 20);
            QCOMPARE(f.widgets().sLabel7->text(), s.grid.cell(row, column).teachers);
            f.widgets().grid->releaseEditor();
        } else if (page == u"сетка"_s) {
            f.SpeedB5Click();
            QVERIFY(f.templatePageActive());
            // One size for all seven weekday names.
            const QFont first = f.templates().strip().BtnSetMas[1]->captionFont();
            for (int k = 2; k <= 7; ++k)
                QCOMPARE(f.templates().strip().BtnSetMas[k]->captionFont(), first);
            QCOMPARE(first.pointSize(), 12);
        } else if (page == u"нагрузка"_s) {
            f.SpeedB2Click();
        } else if (page == u"настройки"_s) {
            f.SpeedB4Click();
        } else if (page == u"отчёт"_s) {
            QTest::mouseClick(f.widgets().img_SB8, Qt::LeftButton);
            f.reports().periodStart()->setDate(QDate::currentDate().addDays(-7));
            f.reports().periodEnd()->setDate(QDate::currentDate().addDays(7));
            QTest::mouseClick(f.reports().countButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(f.widgets().Tab_3->isEnabled(), 30000);
            root = f.widgets().Tab_3;
        } else {
            QTest::mouseClick(f.widgets().img_SBZam, Qt::LeftButton);
            rasp::ui::ZamenyPage *zameny = f.reports().substitutionsPage();
            QTRY_VERIFY(zameny->isVisible());
            zameny->from->setDate(QDate::currentDate().addDays(-7));
            zameny->to->setDate(QDate::currentDate().addDays(7));
            QTest::mouseClick(zameny->countButton, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(zameny->isEnabled() && zameny->table->model()->rowCount() > 0, 30000);
            QVERIFY(zameny->progress->isVisible());
            QVERIFY(!zameny->progress->text().isEmpty());
            root = zameny;
        }
        QCoreApplication::processEvents();
        shot(u"5-тексты-"_s + page);
        const QStringList cut = textsinview::cutTexts(root);
        QVERIFY2(cut.isEmpty(), qPrintable(listed(cut)));
    }

    // The two overlays show a long text whole, growing as tall as it needs, and their buttons
    // keep their words clear of the frame.
    void overlaysShowLongTextsWhole()
    {
        TForm1 &f = *m_form;
        QString notice = u"Файл нагрузки прочитан не полностью:"_s;
        for (int n = 1; n <= 12; ++n)
            notice += u"\r\nстрока %1: неизвестный учитель «Преподаватель номер %1»"_s.arg(n);
        f.Rct_SoobPokaz(notice);
        QCoreApplication::processEvents();
        QVERIFY(f.rect().contains(f.widgets().Rct_soob->geometry()));
        shot(u"6-сообщение"_s);
        QStringList cut = textsinview::cutTexts(f.widgets().Rct_soob);
        QVERIFY2(cut.isEmpty(), qPrintable(listed(cut)));
        f.Button1Click();
        f.Rct_SoobPokaz(u"Коротко"_s);
        QCOMPARE(f.widgets().Rct_soob->size(), QSize(260, 148)); // a short notice keeps the designed size
        f.Button1Click();

        QStringList seen;
        QTimer::singleShot(0, &f, [&] {
            QCoreApplication::processEvents();
            seen = textsinview::cutTexts(f.widgets().Rct_soobDlg);
            shot(u"6-вопрос"_s);
            QTest::mouseClick(f.widgets().ButtonSoob2, Qt::LeftButton);
        });
        f.Dial(u"Удалить учителя «Макарова Тамара Васильевна» со всей его нагрузкой во всех классах? Отменить это будет нельзя."_s);
        QVERIFY2(seen.isEmpty(), qPrintable(listed(seen)));
    }

    // While a question is open the grid's class-name strip and row strip grey with the rest of
    // the window: their darkest text is black before and after, grey while it is open.
    void gridStripsGreyWhileAQuestionIsOpen()
    {
        TForm1 &f = *m_form;
        rasp::ui::DayGridView &grid = *f.widgets().grid;
        const QRect header(0, 0, grid.viewport()->width(), GridGeometry::kHeaderHeight);
        const QRect rows(0, GridGeometry::kHeaderHeight, GridGeometry::kRowStripWidth,
                         grid.viewport()->height() - GridGeometry::kHeaderHeight);
        // The lightness of the darkest pixel of a strip as painted now.
        const auto darkest = [&](const QRect &strip) {
            const QImage image = grid.viewport()->grab(strip).toImage();
            int least = 255;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    least = std::min(least, QColor(image.pixel(x, y)).lightness());
            return least;
        };
        QVERIFY(darkest(header) < 40);
        QVERIFY(darkest(rows) < 40);
        int headerAsked = 0, rowsAsked = 0;
        QTimer::singleShot(0, &f, [&] {
            QCoreApplication::processEvents();
            headerAsked = darkest(header);
            rowsAsked = darkest(rows);
            shot(u"6-вопрос-сетка"_s);
            QTest::mouseClick(f.widgets().ButtonSoob2, Qt::LeftButton);
        });
        f.Dial(u"Сохранить изменения?"_s);
        QVERIFY2(headerAsked > 100, qPrintable(QString::number(headerAsked)));
        QVERIFY2(rowsAsked > 100, qPrintable(QString::number(rowsAsked)));
        QCoreApplication::processEvents();
        QVERIFY(darkest(header) < 40);
        QVERIFY(darkest(rows) < 40);
    }

    // The two second-shift sliders are painted as a track with a pointed accent-blue marker
    // (not the style's small box), grey while a question is open, and keep the application
    // style's geometry: handle and groove where the style puts them, so dragging is unchanged.
    void shiftSlidersLookLikeHandles()
    {
        TForm1 &f = *m_form;
        for (QSlider *slider : {f.shift().startSlider(), f.shift().endSlider()}) {
            QVERIFY(slider->isVisible());
            QVERIFY(qobject_cast<rasp::ui::MarkerSliderStyle *>(slider->style()));
            QStyleOptionSlider opt;
            opt.initFrom(slider);
            opt.orientation = slider->orientation();
            opt.minimum = slider->minimum();
            opt.maximum = slider->maximum();
            opt.sliderPosition = opt.sliderValue = slider->value();
            opt.upsideDown = slider->invertedAppearance() != (slider->orientation() == Qt::Vertical);
            for (const auto part : {QStyle::SC_SliderHandle, QStyle::SC_SliderGroove})
                QCOMPARE(slider->style()->subControlRect(QStyle::CC_Slider, &opt, part, slider),
                         QApplication::style()->subControlRect(QStyle::CC_Slider, &opt, part, slider));
            const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider);
            // The marker's middle, a little back from its point.
            const QPoint middle = slider->orientation() == Qt::Horizontal ? QPoint(handle.center().x(), handle.top() + 4)
                                                                          : QPoint(handle.left() + 4, handle.center().y());
            QCOMPARE(slider->grab().toImage().pixelColor(middle), QColor(0x00, 0x61, 0xB0));
            f.FormEnable(false); // as under a question
            QCOMPARE(slider->grab().toImage().pixelColor(middle), QColor(0xA8, 0xA8, 0xA8));
            f.FormEnable(true);
        }
    }

    // The teacher caption of the top bar: a list too long for the bar ends in "…" within the
    // caption and offers its whole self as the tooltip; the caption still holds the whole text
    // (its menu reads it). A list that fits is drawn whole, with no tooltip.
    void teacherCaptionTooLongHasItsTooltip()
    {
        TForm1 &f = *m_form;
        auto *caption = qobject_cast<rasp::ui::ElidedLabel *>(f.widgets().sLabel7);
        QVERIFY(caption);
        QStringList teachers;
        for (int n = 0; n < 4; ++n)
            teachers << u"Иванова Анна Петровна"_s << u"Петров Пётр Петрович"_s << u"Сидорова Мария Ивановна"_s;
        const QString longList = teachers.join(u", "_s); // wider than the whole window

        const QString shortList = u"Иванова Анна Петровна"_s;
        const auto askTooltip = [&] {
            const QPoint at = caption->rect().center();
            QHelpEvent help(QEvent::ToolTip, at, caption->mapToGlobal(at));
            QCoreApplication::sendEvent(caption, &help);
        };

        caption->setText(longList);
        QCoreApplication::processEvents();
        QVERIFY2(caption->isCut(), qPrintable(u"подпись %1 px, текст %2 px"_s.arg(caption->width())
                                                  .arg(widthOf(longList, caption->font()))));
        QCOMPARE(caption->text(), longList);
        QVERIFY(caption->shownText().endsWith(u'…'));
        QVERIFY(longList.startsWith(caption->shownText().chopped(1)));
        QVERIFY(widthOf(caption->shownText(), caption->font()) <= caption->contentsRect().width());
        askTooltip();
        QTRY_COMPARE(QToolTip::text(), longList);
        shot(u"7-учитель-длинный"_s);

        caption->setText(shortList);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QVERIFY(!caption->isCut());
        QCOMPARE(caption->shownText(), shortList);
        askTooltip();
        QCoreApplication::processEvents();
        QVERIFY(!QToolTip::isVisible());
    }

    // The load page of the demo: every teacher and class name and every subject field shows
    // whole (all its subjects) or, past the floor, has the whole as its tooltip.
    void loadPageFieldsAreWhole()
    {
        TForm1 &f = *m_form;
        f.SpeedB2Click();
        QVERIFY(f.widgets().Tab_2->isVisible());
        QCoreApplication::processEvents();
        rasp::ui::LoadPage &page = *f.load().page();
        const rasp::State &s = f.state();
        QStringList cut;
        const auto checkName = [&](rasp::ui::LoadStripView &strip, int n, const QString &name) {
            const QRect r = strip.nameRect(n);
            if (name.isEmpty() || !strip.rect().contains(r))
                return;
            const auto &fitted = strip.fittedName(n);
            if (widthOf(name, fitted.font) > r.width() - 6 && !fitted.cut)
                cut << u"имя «%1»"_s.arg(name);
            if (fitted.cut)
                cut << u"имя «%1» обрезано до %2 pt"_s.arg(name).arg(fitted.font.pointSizeF());
        };
        for (int j = 1; j <= s.klassvis; ++j)
            checkName(*page.ScrollBox4, j, s.Klass[std::size_t(j)]);
        for (int m = 1; m <= s.pedvis; ++m)
            checkName(*page.ScrollBox3, m, s.PedFio[std::size_t(m)].name);
        rasp::ui::LoadMatrixView &matrix = *page.ScrollBox1;
        int fields = 0;
        for (int m = 1; m <= s.pedvis; ++m)
            for (int j = 1; j <= s.klassvis; ++j) {
                const QRect r = LoadGeometry::subjectRect(m, j);
                const QStringList &lines = s.Predmet[std::size_t(m)][std::size_t(j)];
                if (lines.isEmpty() || !matrix.viewport()->rect().contains(QRect(matrix.toViewport(r.topLeft()), r.size())))
                    continue;
                ++fields;
                const auto &fitted = matrix.fittedCell(m, j);
                const QFontMetricsF metrics(fitted.font);
                double widest = 0;
                for (const QString &line : lines)
                    widest = std::max(widest, metrics.horizontalAdvance(line));
                if (fitted.cut || widest > r.width() - 6 || lines.size() * metrics.lineSpacing() > r.height() - 6)
                    cut << u"%1, %2: «%3» (%4 pt)"_s.arg(s.PedFio[std::size_t(m)].name, s.Klass[std::size_t(j)],
                                                         lines.join(u" / "_s))
                               .arg(fitted.font.pointSizeF());
            }
        shot(u"4-нагрузка"_s);
        QVERIFY2(fields > 10, qPrintable(u"%1 полей, матрица %2x%3"_s.arg(fields).arg(matrix.viewport()->width()).arg(matrix.viewport()->height())));
        QVERIFY2(cut.isEmpty(), qPrintable(listed(cut)));
    }
};

QTEST_MAIN(TstReadable)
#include "tst_readable.moc"

// The question and notice overlays, the window lock they switch, and the close confirmation.
#include "shell/overlaypanel.h"
#include "shell/tabbutton.h"
#include "tform1.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TstOverlays : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form;

    bool windowEnabled() const
    {
        return m_form->widgets().Rct_Tab->isEnabled() && m_form->widgets().Tab_1->isEnabled() && m_form->widgets().Tab_2->isEnabled()
               && m_form->widgets().Tab_4->isEnabled();
    }

    // Clicks `button` as soon as the nested wait of a question is running.
    void answerWith(QPushButton *button, std::function<void()> check = {})
    {
        QTimer::singleShot(0, this, [button, check] {
            if (check)
                check();
            QTest::mouseClick(button, Qt::LeftButton);
        });
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup()
    {
        m_form->hide();
        m_form.reset();
    }

    void dialAnsweredNoReturnsNoAndReenables()
    {
        bool sawOpen = false;
        answerWith(m_form->widgets().ButtonSoob2, [&] {
            sawOpen = m_form->widgets().Rct_soobDlg->isVisible() && !windowEnabled()
                      && m_form->widgets().Rct_soobDlg->findChild<QLabel *>(u"title"_s)->text() == u"Внимание!"_s
                      && m_form->widgets().LabelSoob1->text() == u"Сохранить?\nТочно?"_s;
        });
        QCOMPARE(m_form->Dial(u"Сохранить?\r\nТочно?"_s), u"Нет"_s);
        QVERIFY(sawOpen);
        QCOMPARE(m_form->widgets().questionText, u"Сохранить?\r\nТочно?"_s);
        QVERIFY(!m_form->widgets().Rct_soobDlg->isVisible());
        QVERIFY(windowEnabled());
    }

    void dialAnsweredYesReturnsYes()
    {
        answerWith(m_form->widgets().ButtonSoob1);
        QCOMPARE(m_form->Dial(u"Удалить?"_s), u"Да"_s);
        QVERIFY(!m_form->widgets().Rct_soobDlg->isVisible());
        QVERIFY(windowEnabled());
    }

    void timersAndPaintingGoOnWhileAQuestionWaits()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(10);
        QTimer::singleShot(120, this, [this] { QTest::mouseClick(m_form->widgets().ButtonSoob1, Qt::LeftButton); });
        QCOMPARE(m_form->Dial(u"Ждём?"_s), u"Да"_s);
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }

    void noticeThenQuestionAnsweredNoClosesBoth()
    {
        m_form->Rct_SoobPokaz(u"Сохранено"_s);
        answerWith(m_form->widgets().ButtonSoob2);
        QCOMPARE(m_form->Dial(u"Продолжить?"_s), u"Нет"_s);
        QVERIFY(!m_form->widgets().Rct_soob->isVisible());
        QVERIFY(!m_form->widgets().Rct_soobDlg->isVisible());
        QVERIFY(windowEnabled());
    }

    void noticeThenQuestionAnsweredYesLeavesTheNotice()
    {
        m_form->Rct_SoobPokaz(u"Сохранено"_s);
        answerWith(m_form->widgets().ButtonSoob1);
        QCOMPARE(m_form->Dial(u"Продолжить?"_s), u"Да"_s);
        QVERIFY(m_form->widgets().Rct_soob->isVisible());
        QVERIFY(windowEnabled()); // the question re-enables the window although the notice stays
        QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton);
        QVERIFY(!m_form->widgets().Rct_soob->isVisible());
    }

    void twoNoticesShowTheSecondTextAndOneClickClosesThem()
    {
        m_form->Rct_SoobPokaz(u"Первое"_s);
        m_form->Rct_SoobPokaz(u"Второе\r\nсообщение"_s);
        QVERIFY(m_form->widgets().Rct_soob->isVisible());
        QVERIFY(!windowEnabled());
        QCOMPARE(m_form->widgets().Label10->text(), u"Второе\nсообщение"_s);
        QCOMPARE(m_form->widgets().noticeText, u"Второе\r\nсообщение"_s);
        QCOMPARE(m_form->widgets().Rct_soob->findChild<QLabel *>(u"title"_s)->text(), u"Информация"_s);
        QCOMPARE(m_form->widgets().Button1->text(), u"Замечательно"_s);
        QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton);
        QVERIFY(!m_form->widgets().Rct_soob->isVisible());
        QVERIFY(windowEnabled());
    }

    void panelsShowTheirTextsInTheWindowFont_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::newRow("question") << u"Rct_soobDlg"_s;
        QTest::newRow("notice") << u"Rct_soob"_s;
        QTest::newRow("missing teachers") << u"Rct_NetUch"_s;
        QTest::newRow("teacher hours") << u"Rct_KolUrUch"_s;
    }

    void panelsShowTheirTextsInTheWindowFont()
    {
        QFETCH(QString, panel);
        const QFont windowFont = m_form->font();
        QCOMPARE(windowFont.family(), u"Calibri"_s);
        QCOMPARE(windowFont.pointSize(), 12);
        auto *overlay = m_form->findChild<rasp::ui::OverlayPanel *>(panel);
        QVERIFY(overlay);
        overlay->centreAndRaise();
        overlay->show();
        QCoreApplication::processEvents(); // polished as on screen
        const auto widgets = overlay->findChildren<QWidget *>();
        QVERIFY(widgets.size() >= 3);
        for (const QWidget *w : widgets) {
            const QString what = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
            QVERIFY2(w->font().family() == windowFont.family(), qPrintable(what + u' ' + w->font().family()));
            QVERIFY2(w->font().pointSize() == windowFont.pointSize(), qPrintable(what));
        }
        const auto *title = overlay->findChild<QLabel *>(u"title"_s);
        QVERIFY(title->font().bold());
        overlay->hide();
    }

    void overlaysHaveTheirSizesAndSitCentred()
    {
        m_form->Rct_SoobPokaz(u"x"_s);
        QCOMPARE(m_form->widgets().Rct_soob->size(), QSize(260, 148));
        QCOMPARE(m_form->widgets().Rct_soob->geometry().center().x(), m_form->rect().center().x());
        QCOMPARE(m_form->widgets().Rct_soobDlg->size(), QSize(297, 148));
        QCOMPARE(m_form->widgets().Button1->size(), QSize(130, 34)); // its word with room either side
        QCOMPARE(m_form->widgets().Button1->geometry().center().x(), m_form->widgets().Rct_soob->body()->rect().center().x());
        QCOMPARE(m_form->widgets().Button1->y(), 81);
        QCOMPARE(m_form->widgets().ButtonSoob1->pos(), QPoint(32, 85));
        QCOMPARE(m_form->widgets().ButtonSoob2->pos(), QPoint(177, 85));
        m_form->Button1Click();
    }

    void whileAQuestionIsOpenTheTabsDoNotReact()
    {
        bool tabsDead = false, reportAlive = false;
        m_form->widgets().Tab_3->show();
        answerWith(m_form->widgets().ButtonSoob2, [&] {
            tabsDead = !m_form->widgets().SpeedB2->isEnabled() && !m_form->widgets().SpeedB4->isEnabled();
            reportAlive = m_form->widgets().Tab_3->isEnabled();
        });
        m_form->Dial(u"?"_s);
        QVERIFY(tabsDead);
        QVERIFY(reportAlive);
        QVERIFY(m_form->widgets().SpeedB4->isEnabled());
    }

    void closingAnsweredNoKeepsTheWindow()
    {
        bool asked = false;
        answerWith(m_form->widgets().ButtonSoob2, [&] {
            asked = m_form->widgets().questionText == u"Все изменения не будут сохранены\r\nЗакрыть программу?"_s;
        });
        QVERIFY(!m_form->close());
        QVERIFY(asked);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->state().RecExit, 0);
    }

    void closingAnsweredYesClosesAndStopsAnArrangement()
    {
        answerWith(m_form->widgets().ButtonSoob1);
        QVERIFY(m_form->close());
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_form->state().RecExit, 1);
    }
};

QTEST_MAIN(TstOverlays)
#include "tst_overlays.moc"

#pragma once

#include "shell/overlaypanel.h"
#include "tform1.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

// Answers the questions of a window's question overlay in turn while it lives and records
// what was asked. With no scripted answer left, a question is answered "Нет", so a test
// never hangs and can check that nothing was asked.
class Answerer : public QObject
{
public:
    enum Answer { Yes,
                  No };

    Answerer(TForm1 &form, QList<Answer> answers = {})
        : m_form(form)
        , m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!m_form.widgets().Rct_soobDlg->isVisible() || !m_form.widgets().resDial.isEmpty())
                return;
            asked << m_form.widgets().questionText;
            const Answer a = m_answers.isEmpty() ? No : m_answers.takeFirst();
            QTest::mouseClick(a == Yes ? m_form.widgets().ButtonSoob1 : m_form.widgets().ButtonSoob2, Qt::LeftButton);
        });
        m_timer.start(5);
    }

    QStringList asked;

private:
    TForm1 &m_form;
    QList<Answer> m_answers;
    QTimer m_timer;
};

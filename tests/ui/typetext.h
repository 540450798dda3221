#pragma once

#include <QTest>

// Types text into a widget key by key; QTest::keyClicks accepts only ASCII.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The text table of the grid refresh: every text keeps its first number through the table's
// growth, texts differing in one character or only in length stay apart, and absent ones are not found.
#include "text/texthash.h"

#include <QStringList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstTextHash : public QObject
{
    Q_OBJECT

private slots:
    void numbersSurviveGrowth()
    {
        // Room-like numbers, names that differ in one letter, prefixes of one another, the empty text.
        QStringList texts{QString()};
        for (int n = 0; n < 600; ++n)
            texts << QString::number(n) << u"Иванова%1 Анна"_s.arg(n);
        for (int n = 1; n <= 40; ++n)
            texts << QString(n, u'а');
        rasp::text::TextIndex index(4); // starts small: the table has to grow several times
        for (int k = 0; k < texts.size(); ++k)
            QCOMPARE(index.insert(texts.at(k), k), std::make_pair(k, true));
        QCOMPARE(index.size(), std::size_t(texts.size()));
        for (int k = 0; k < texts.size(); ++k) {
            QCOMPARE(index.find(texts.at(k)), k);
            // A second insert keeps the first number.
            QCOMPARE(index.insert(texts.at(k), k + 100000), std::make_pair(k, false));
        }
        QCOMPARE(index.size(), std::size_t(texts.size()));
        for (const QString &absent : {u"600"_s, u"Иванова600 Анна"_s, QString(41, u'а'), u"иванова1 Анна"_s})
            QCOMPARE(index.find(absent), -1);
        // A view into a longer text finds the text it spells.
        const QString longer = u"x12y"_s;
        QCOMPARE(index.find(QStringView(longer).sliced(1, 2)), texts.indexOf(u"12"_s));
    }
};

QTEST_GUILESS_MAIN(TstTextHash)
#include "tst_texthash.moc"

// Replays every seed and every former finding of tests/corpus/<harness>/ through the fuzzed
// parsers' entry points, so a regression shows in the ordinary build without a fuzzer.
#include "fuzztargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void corpusFileKeepsEveryInvariant_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        for (const auto &t : rasp::fuzz::kTargets) {
            const QDir dir(QStringLiteral(RASP_CORPUS) + u'/' + QLatin1StringView(t.name));
            const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
            QVERIFY2(!files.isEmpty(), qPrintable(u"пустой корпус: "_s + dir.path()));
            for (const QString &file : files)
                QTest::addRow("%s/%s", t.name, qPrintable(file)) << QString::fromLatin1(t.name) << dir.filePath(file);
        }
    }
    void corpusFileKeepsEveryInvariant()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        for (const auto &t : rasp::fuzz::kTargets)
            if (target == QLatin1StringView(t.name)) {
                const QString broken = t.run(bytes);
                QVERIFY2(broken.isEmpty(), qPrintable(broken));
            }
    }
};

QTEST_GUILESS_MAIN(TstFuzzCorpus)
#include "tst_fuzzcorpus.moc"

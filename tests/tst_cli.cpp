// The command-line companion: usage, work folder and exit codes.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstCli : public QObject
{
    Q_OBJECT

    struct Run {
        int code;
        QString out;
        QString err;
    };
    static Run cli(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(RASP_CLI_BIN), args);
        p.waitForFinished();
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << u"Использование"_s;
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << 2 << u"Неизвестная команда: frobnicate"_s;
        QTest::newRow("missing folder") << QStringList{u"-C"_s, u"/no/such/folder"_s, u"help"_s} << 1
                                        << u"Рабочая папка не найдена"_s;
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void helpGoesToStdoutWithExitZero()
    {
        QTemporaryDir dir;
        const Run r = cli({u"-C"_s, dir.path(), u"--help"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"-C ПАПКА"_s));
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"

// The Debian package: made by scripts/package from the built tree, unpacked into a temporary
// root, run from there, and checked by lintian.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstPackage : public QObject
{
    Q_OBJECT

    struct Run {
        int code;
        QString out;
        QString err;
    };
    // Runs a program to its end (packaging and lintian are slow on a loaded machine).
    static Run run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(240000))
            qWarning("%s did not finish", qPrintable(program));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    static QString field(const QString &deb, const QString &name)
    {
        return run(u"dpkg-deb"_s, {u"-f"_s, deb, name}).out.trimmed();
    }

private slots:
    void packageInstallsBothProgramsWithEntryIconLicencesAndDependencies()
    {
        QTemporaryDir out;
        const Run made = run(QStringLiteral(RASP_SOURCE_DIR "/scripts/package"),
                             {u"--build-dir"_s, QStringLiteral(RASP_BINARY_DIR), out.path()});
        QVERIFY2(made.code == 0, qPrintable(made.err));
        const QString deb = made.out.trimmed();
        QVERIFY2(deb.endsWith(u".deb"_s) && QFile::exists(deb), qPrintable(made.out));

        QCOMPARE(field(deb, u"Package"_s), u"raspisanie"_s);
        QCOMPARE(field(deb, u"Version"_s), QStringLiteral(RASP_VERSION));
        const QString depends = field(deb, u"Depends"_s);
        for (const QString &library : {u"libqt6widgets6"_s, u"libqt6svg6"_s, u"libqt6network6"_s,
                                       u"libxlsxwriter"_s, u"libzip4"_s})
            QVERIFY2(depends.contains(library), qPrintable(depends));

        // Unpacked into a temporary root, the programs run from there.
        QTemporaryDir root;
        QCOMPARE(run(u"dpkg"_s, {u"-x"_s, deb, root.path()}).code, 0);
        const QDir usr(root.filePath(u"usr"_s));
        QVERIFY(QFileInfo(usr.filePath(u"bin/raspisanie"_s)).isExecutable());
        const Run version = run(usr.filePath(u"bin/raspisanie-cli"_s), {u"--version"_s});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, u"raspisanie-cli " RASP_VERSION "\n"_s);
        for (const QString &file : {u"share/applications/raspisanie.desktop"_s,
                                    u"share/icons/hicolor/scalable/apps/raspisanie.svg"_s,
                                    u"share/doc/raspisanie/changelog.gz"_s})
            QVERIFY2(QFile::exists(usr.filePath(file)), qPrintable(file));
        QFile copyright(usr.filePath(u"share/doc/raspisanie/copyright"_s));
        QVERIFY(copyright.open(QIODevice::ReadOnly));
        const QByteArray licences = copyright.readAll();
        for (const char *name : {"MIT", "CaDiCaL", "LGPL-3", "libxlsxwriter", "libzip"})
            QVERIFY2(licences.contains(name), name);

        const QString lintian = QStandardPaths::findExecutable(u"lintian"_s);
        if (lintian.isEmpty())
            QSKIP("lintian is not installed (scripts/setup installs it)");
        const Run report = run(lintian, {deb});
        QVERIFY2(!(u'\n' + report.out).contains(u"\nE: "_s), qPrintable(report.out + report.err));
    }
};

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"

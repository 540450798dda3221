// The editor's lock inside a work folder: a second editor meets the holder's name; a lock whose
// process is gone on this machine or that was not refreshed for ten minutes is taken over; the
// holder's refresh keeps it alive and notices a lock taken from it.
#include "files/folderlock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using rasp::files::FolderLock;

namespace {

// Writes a lock file as another editor would have left it, `ageMinutes` old.
void writeForeignLock(const QString &folder, const QString &host, qint64 pid, int ageMinutes)
{
    QFile f(FolderLock::LockPath(folder));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("raspisanie-lock 1\nuser=ольга\nhost=" + host.toUtf8() + "\npid=" + QByteArray::number(pid)
            + "\nsince=2026-12-09T08:30:00\ntoken=other\n");
    f.close();
    const QDateTime when = QDateTime::currentDateTime().addSecs(-60 * ageMinutes);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

// The id of a process that has ended.
qint64 endedProcess()
{
    QProcess p;
    p.start(u"true"_s, {});
    p.waitForFinished();
    return p.processId() > 0 ? p.processId() : 999999;
}

} // namespace

class TestFolderLock : public QObject
{
    Q_OBJECT

private slots:
    void aSecondEditorMeetsTheHolderUntilItReleases()
    {
        QTemporaryDir work;
        FolderLock first(work.path());
        QCOMPARE(first.take(), FolderLock::Outcome::Taken);

        FolderLock second(work.path());
        QCOMPARE(second.take(), FolderLock::Outcome::HeldByOther);
        QCOMPARE(second.holder().host, QSysInfo::machineHostName());
        QCOMPARE(second.holder().pid, qint64(::getpid()));
        QVERIFY(!second.holder().user.isEmpty());
        const auto active = FolderLock::ActiveHolder(work.path());
        QVERIFY(active.has_value());
        QVERIFY(rasp::files::FolderBusyText(*active).contains(u"на компьютере "_s + QSysInfo::machineHostName()));

        second.release(); // not its lock: nothing happens
        QVERIFY(QFile::exists(FolderLock::LockPath(work.path())));
        first.release();
        QVERIFY(!QFile::exists(FolderLock::LockPath(work.path())));
        QVERIFY(!FolderLock::ActiveHolder(work.path()).has_value());
        QCOMPARE(second.take(), FolderLock::Outcome::Taken);
    }

    void anAbandonedLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("thisMachine");
        QTest::addColumn<bool>("processAlive");
        QTest::addColumn<int>("ageMinutes");
        QTest::addColumn<bool>("takenOver");
        QTest::newRow("process gone on this machine") << true << false << 0 << true;
        QTest::newRow("process alive on this machine") << true << true << 0 << false;
        QTest::newRow("other machine, refreshed 5 min ago") << false << true << 5 << false;
        QTest::newRow("other machine, not refreshed for 11 min") << false << true << 11 << true;
        QTest::newRow("process alive here, not refreshed for 11 min") << true << true << 11 << true;
    }
    void anAbandonedLockIsTakenOver()
    {
        QFETCH(bool, thisMachine);
        QFETCH(bool, processAlive);
        QFETCH(int, ageMinutes);
        QFETCH(bool, takenOver);
        QTemporaryDir work;
        // A process that lives: this test's parent (another live process than this one).
        const qint64 pid = processAlive ? qint64(::getppid()) : endedProcess();
        writeForeignLock(work.path(), thisMachine ? QSysInfo::machineHostName() : u"учительская-2"_s, pid, ageMinutes);
        QCOMPARE(FolderLock::ActiveHolder(work.path()).has_value(), !takenOver);
        FolderLock lock(work.path());
        QCOMPARE(lock.take(), takenOver ? FolderLock::Outcome::Taken : FolderLock::Outcome::HeldByOther);
        if (!takenOver)
            QCOMPARE(lock.holder().user, u"ольга"_s);
    }

    void theHolderRefreshesAndNoticesALockTakenFromIt()
    {
        QTemporaryDir work;
        FolderLock lock(work.path());
        QCOMPARE(lock.take(), FolderLock::Outcome::Taken);
        const QString path = FolderLock::LockPath(work.path());
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-9 * 60), QFileDevice::FileModificationTime));
        }
        QVERIFY(lock.refresh());
        QVERIFY(QFileInfo(path).lastModified().secsTo(QDateTime::currentDateTime()) < 60);

        // This machine slept past the stale time and another editor took the folder.
        QVERIFY(QFile::remove(path));
        writeForeignLock(work.path(), u"учительская-2"_s, 77, 0);
        QVERIFY(!lock.refresh());
        QVERIFY(!lock.held());
        lock.release(); // leaves the other editor's lock alone
        QVERIFY(FolderLock::ActiveHolder(work.path()).has_value());
    }
};

QTEST_GUILESS_MAIN(TestFolderLock)
#include "tst_folderlock.moc"

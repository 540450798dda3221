#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTest>

// Makes a demo work folder in `demo` as `scripts/run --demo` does (scripts/demo with the built
// raspisanie-cli). Needs RASP_SOURCE_DIR and RASP_CLI_BIN; a failure fails the calling test.
namespace demofolder {

inline void MakeDemo(const QString &demo)
{
    QProcess make;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RASPISANIE_CLI"), QStringLiteral(RASP_CLI_BIN));
    make.setProcessEnvironment(env);
    make.start(QStringLiteral("bash"), {QStringLiteral(RASP_SOURCE_DIR "/scripts/demo"), demo});
    QVERIFY(make.waitForFinished(60000));
    QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
}

} // namespace demofolder

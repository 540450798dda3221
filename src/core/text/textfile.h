#pragma once

#include <QString>
#include <QStringList>

namespace rasp::text {

// Outcome of reading a data file as lines.
struct ReadResult {
    enum Status { Ok, NoFile, Unreadable };
    Status status = NoFile;
    QStringList lines;
    QString error; // Russian text naming the path, set when Unreadable
    bool ok() const { return status == Ok; }
};

// Reads a Windows-1251 file as lines; CR LF, a lone LF and a missing final line end all count as line ends.
ReadResult readLines(const QString &path);

// Who may read a written file: the platform's default, or its owner only (files holding a password).
enum class Access { Default, OwnerOnly };

// Writes lines as Windows-1251 with CR LF after every line, whole or not at all; returns false with a Russian error.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr, Access access = Access::Default);

// Splits raw bytes into lines the way readLines does.
QStringList splitLines(QByteArrayView bytes);

} // namespace rasp::text

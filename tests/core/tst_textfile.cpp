// Windows-1251 text files: encoding, line ends and atomic writing.
#include "text/cp1251.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstTextFile : public QObject
{
    Q_OBJECT

    static QByteArray readBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Reads `bytes` back through the file reader from the file f.ini of `dir`.
    static rasp::text::ReadResult readAsFile(const QTemporaryDir &dir, const QByteArray &bytes)
    {
        const QString path = dir.filePath(u"f.ini"_s);
        writeBytes(path, bytes);
        return rasp::text::readLines(path);
    }

private slots:
    void codePageTableMatchesSystemDecoder()
    {
        QStringDecoder system("windows-1251");
        QVERIFY(system.isValid());
        for (int b = 0; b < 256; ++b) {
            if (b == 0x98)
                continue; // unassigned in the code page
            const char byte = char(b);
            const QString expected = system.decode(QByteArrayView(&byte, 1));
            QCOMPARE(rasp::text::decode1251(QByteArrayView(&byte, 1)), expected);
            QCOMPARE(rasp::text::encode1251(expected), QByteArray(1, byte));
            QVERIFY(rasp::text::In1251(expected.at(0)));
        }
        QVERIFY(rasp::text::In1251(QChar(0x98))); // what the reader makes of the unassigned byte
    }

    // The characters a file cannot hold are found once each, a pair beyond the BMP as one.
    void charactersOutsideTheCodePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outside");
        QTest::addColumn<QString>("listed");
        QTest::newRow("Russian with typography") << u"Алгебра №5 — «ёЁ» … 12°"_s << QString() << QString();
        QTest::newRow("Tatar letters") << u"Әдәбият"_s << u"Әә"_s << u"Ә ә"_s;
        QTest::newRow("repeated emoji") << u"a😀b😀c"_s << u"😀"_s << u"😀"_s;
        QTest::newRow("superscript and sign") << u"м²×3−1"_s << u"²×−"_s << u"² × −"_s;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QString(QChar(0xD800)) << QString(QChar(0xD800));
    }
    void charactersOutsideTheCodePage()
    {
        QFETCH(QString, text);
        QFETCH(QString, outside);
        QFETCH(QString, listed);
        QCOMPARE(rasp::text::Outside1251(text), outside);
        // Exactly these characters are what the writer would turn into '?'.
        QCOMPARE(
            rasp::text::encode1251(text).count('?'), text.count(u'?') + [&] {
                qsizetype n = 0;
                for (qsizetype i = 0; i < text.size(); ++i)
                    n += !rasp::text::In1251(text[i]) && !text[i].isLowSurrogate();
                return n;
            }());
        if (!outside.isEmpty())
            QCOMPARE(rasp::text::Outside1251Notice(outside),
                     u"Этих знаков нет в кодировке Windows-1251 файлов школы, они не вводятся: "_s + listed);
    }

    void cyrillicRoundTripIsByteExact()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a.ini"_s);
        const QStringList lines = {u"Ёлка ёж №5"_s, u""_s, u"5А|6Б|"_s, u"~end~"_s};
        QVERIFY(rasp::text::writeLines(path, lines));
        const QByteArray expected = "\xA8\xEB\xEA\xE0 \xB8\xE6 \xB9"
                                    "5\r\n\r\n5\xC0|6\xC1|\r\n~end~\r\n";
        QCOMPARE(readBytes(path), expected);
        const auto read = rasp::text::readLines(path);
        QVERIFY(read.ok());
        QCOMPARE(read.lines, lines);
    }

    void fileBytesReadAsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lone lf") << QByteArray("a\nb\r\nc\n") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("no final end") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{u""_s, u""_s, u"x"_s};
        QTest::newRow("cr inside a line") << QByteArray("a\rb\r\n") << QStringList{u"a\rb"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        // Files another tool saved as UTF-8 or UTF-16, or with CR-only line ends, read as the
        // same text; a Windows-1251 file, even one whose bytes happen to be well-formed UTF-8,
        // reads as Windows-1251.
        const QStringList load{u"5А|5Б|"_s, u"Антонов Пётр|Алгебра;|Геометрия;|"_s, u"~end~"_s};
        const QByteArray utf8 = load.join(u"\r\n"_s).toUtf8() + "\r\n";
        QTest::newRow("UTF-8") << utf8 << load;
        const QString utf16 = load.join(u"\r\n"_s);
        QByteArray utf16be;
        for (const QChar c : utf16)
            utf16be += char(c.unicode() >> 8), utf16be += char(c.unicode() & 0xFF);
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + utf8 << load;
        QTest::newRow("UTF-8, LF only") << load.join(u'\n').toUtf8() << load;
        QTest::newRow("UTF-8 mark before Windows-1251") << QByteArray("\xEF\xBB\xBF\xC0\n") << QStringList{u"А"_s};
        QTest::newRow("UTF-16 LE with its mark") << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2) << load;
        QTest::newRow("UTF-16 BE with its mark") << QByteArray("\xFE\xFF") + utf16be << load;
        QTest::newRow("DOS end-of-file byte") << QByteArray("101\r\n~end~\x1A") << QStringList{u"101"_s, u"~end~"_s};
        QTest::newRow("CR-only line ends") << rasp::text::encode1251(load.join(u'\r')) << load;
        QTest::newRow("byte-order mark, ASCII after it") << QByteArray("\xEF\xBB\xBF"
                                                                       "101\n")
                                                         << QStringList{u"101"_s};
        QTest::newRow("Windows-1251") << rasp::text::encodeLines(load) << load;
        // "Р°" is "а" in UTF-8: one letter, no pair of letters, so the file's own reading stands.
        QTest::newRow("Windows-1251 that is well-formed UTF-8") << rasp::text::encodeLines({u"101|Р°|"_s}) << QStringList{u"101|Р°|"_s};
        QTest::newRow("UTF-8 without Russian words") << QByteArray("12|\xC2\xB0|\r\n") << QStringList{u"12|В°|"_s};
        QTest::newRow("ASCII") << QByteArray("101\r\n~end~\r\n") << QStringList{u"101"_s, u"~end~"_s};
    }
    void fileBytesReadAsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const auto read = readAsFile(dir, bytes);
        QVERIFY(read.ok());
        QCOMPARE(read.lines, lines);
    }

    // A file read as UTF-8 or UTF-16 that holds characters a save cannot keep says so, naming them;
    // a Windows-1251 file never does.
    void unicodeFilesWarnOfWhatASaveCannotKeep_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("listed");
        const QString text = u"|Әдәбият|Алгебра|\r\n|Химия 😀|Физика|\r\n"_s;
        QTest::newRow("UTF-8") << text.toUtf8() << u"Ә ә 😀"_s;
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2)
                                   << u"Ә ә 😀"_s;
        QTest::newRow("UTF-8 within the code page") << u"|Алгебра|Физика|\r\n"_s.toUtf8() << QString();
        QTest::newRow("Windows-1251") << rasp::text::encodeLines({u"|Алгебра|Физика|"_s}) << QString();
    }
    void unicodeFilesWarnOfWhatASaveCannotKeep()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, listed);
        QTemporaryDir dir;
        const auto read = readAsFile(dir, bytes);
        const QString path = dir.filePath(u"f.ini"_s);
        QVERIFY(read.ok());
        QCOMPARE(read.warning, listed.isEmpty() ? QString()
                                                : u"В файле %1 есть знаки, которых нет в кодировке Windows-1251 (%2): при "
                                                  "сохранении они будут записаны как «?»"_s.arg(QDir::toNativeSeparators(path), listed));
    }

    void unmappableCharactersBecomeQuestionMarks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"q.ini"_s);
        QVERIFY(rasp::text::writeLines(path, {u"a中b😀c€"_s}));
        QCOMPARE(readBytes(path), QByteArray("a?b?c\x88\r\n"));
    }

    void missingFileIsNoFileAndUnreadableNamesThePath()
    {
        QTemporaryDir dir;
        const auto missing = rasp::text::readLines(dir.filePath(u"none.ini"_s));
        QCOMPARE(missing.status, rasp::text::ReadResult::NoFile);
        QVERIFY(missing.error.isEmpty());

        const auto folder = rasp::text::readLines(dir.path());
        QCOMPARE(folder.status, rasp::text::ReadResult::Unreadable);
        QVERIFY(folder.error.contains(QDir::toNativeSeparators(dir.path())));
    }

    void failedWriteReportsThePath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing-folder/x.ini"_s);
        QString error;
        QVERIFY(!rasp::text::writeLines(path, {u"x"_s}, &error));
        QVERIFY(error.contains(u"x.ini"_s));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TstTextFile)
#include "tst_textfile.moc"

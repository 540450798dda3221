// The day's web folder as a browser shows it: raspisanie-cli writes it, headless Chromium loads
// the pages at 360 and 1920 px, and a probe added to a copy of each page reads back the rendered
// tables and the page's width. The reference server serves the folder at /raspisanie/.
#include "clischool.h"
#include "printschool.h"
#include "sheets/covers.h"
#include "web/webfolder.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using clischool::cli;
using rasp::web::ClassFileName;
using rasp::web::TeacherFileName;

namespace {

constexpr int kClasses = 20;
constexpr int kTeachers = 30;
constexpr int kChanged = 5;

// Added before </body> of a copy: sends the page's own width and every table row's cell texts
// to the harness page that holds it in a frame, where --dump-dom prints them. (A headless window
// is never narrower than 500 px, so the phone's 360 px is a frame's width.)
const QString kProbe = uR"(<script>
var rows = [];
document.querySelectorAll("tr").forEach(function (tr) {
  var cells = [];
  tr.querySelectorAll("td,th").forEach(function (c) { cells.push(c.innerText.replace(/\s+/g, " ").trim()); });
  rows.push((tr.className === "changed" ? "*" : "") + cells.join("|"));
});
parent.postMessage(location.pathname.split("/").pop() + "\n" + "width=" + document.documentElement.scrollWidth
  + " of " + window.innerWidth + "\n" + rows.join("\n"), "*");
</script>)"_s;

// The harness: one frame per probed page, and the messages of the frames as <pre> blocks.
const QString kHarness = uR"(<!DOCTYPE html><html><head><meta charset="utf-8">
<script>addEventListener("message", function (e) {
  var pre = document.createElement("pre"); pre.className = "probe"; pre.textContent = e.data;
  document.body.appendChild(pre); });</script></head><body style="margin:0">%1</body></html>)"_s;

} // namespace

class TstWebPages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_school;
    QTemporaryDir m_probe;
    QString m_web;
    QString m_chromium;

    // Runs headless Chromium on a page at a window width with the given extra arguments.
    QString chromium(const QString &file, int width, const QStringList &extra) const
    {
        QTemporaryDir profile;
        QProcess p;
        p.start(m_chromium, QStringList{u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
                                        u"--disable-background-networking"_s, u"--disable-component-update"_s,
                                        u"--disable-sync"_s, u"--hide-scrollbars"_s,
                                        u"--user-data-dir="_s + profile.path(),
                                        u"--window-size=%1,900"_s.arg(width)}
                                + extra + QStringList{QUrl::fromLocalFile(file).toString()});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // Shows pages of the folder in frames of the given widths, all in one browser run, and returns
    // each probe's lines by "<width>/<page>": "width=N of W", then the table rows.
    QHash<QString, QStringList> probe(const QList<QPair<QString, int>> &pages) const
    {
        QString frames;
        for (const auto &[page, width] : pages) {
            QFile in(m_web + u'/' + page);
            if (!in.open(QIODevice::ReadOnly))
                return {};
            QString html = QString::fromUtf8(in.readAll());
            html.replace(u"</body>"_s, kProbe + u"</body>"_s);
            const QString copy = u"w%1-%2"_s.arg(width).arg(page);
            QFile out(m_probe.filePath(copy));
            if (!out.open(QIODevice::WriteOnly) || out.write(html.toUtf8()) < 0)
                return {};
            frames += u"<iframe src=\"%1\" style=\"width:%2px;height:400px;border:0;display:block\"></iframe>\n"_s
                          .arg(copy)
                          .arg(width);
        }
        QFile harness(m_probe.filePath(u"harness.html"_s));
        if (!harness.open(QIODevice::WriteOnly) || harness.write(kHarness.arg(frames).toUtf8()) < 0)
            return {};
        harness.close();
        const QString dom = chromium(harness.fileName(), 1000, {u"--virtual-time-budget=2000"_s, u"--dump-dom"_s});
        QHash<QString, QStringList> out;
        const QRegularExpression block(u"<pre class=\"probe\">(.*?)</pre>"_s, QRegularExpression::DotMatchesEverythingOption);
        for (auto it = block.globalMatch(dom); it.hasNext();) {
            QString text = it.next().captured(1);
            text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s).replace(u"&amp;"_s, u"&"_s);
            QStringList lines = text.split(u'\n');
            const QString name = lines.takeFirst(); // w360-class-01.html
            out.insert(name.mid(1).replace(u'-', u'/').section(u'/', 0, 0) + u'/' + name.section(u'-', 1), lines);
        }
        return out;
    }
    // The page's width and the frame's, from the probe's first line.
    static int widthOf(const QStringList &probe)
    {
        return probe.isEmpty() ? -1 : probe.first().mid(6).section(u' ', 0, 0).toInt();
    }
    static int frameOf(const QStringList &probe)
    {
        return probe.isEmpty() ? -1 : probe.first().section(u' ', 2, 2).toInt();
    }
    // The rows a class page must show: lesson, subject, room, teacher; changed lessons starred.
    static QStringList classRows(int j)
    {
        QStringList rows{u"Урок|Предмет|Каб.|Учитель|Изменение"_s};
        for (int r = 1; r <= printschool::kRows; ++r) {
            const QString subject = printschool::subjectOf(r, j);
            const int s = int(printschool::kSubjects.indexOf(subject));
            const QString teacher = rasp::sheets::ShortName(printschool::teacherName(printschool::teacherOf(s, j, kTeachers)));
            const bool changed = r == 3 && j <= kChanged;
            QString change;
            if (changed) {
                const int ws = (3 + 2 * j + 1) % int(printschool::kSubjects.size());
                change = u"замена (было: "_s + printschool::kSubjects[ws] + u", "_s
                         + rasp::sheets::ShortName(printschool::teacherName(printschool::teacherOf(ws, j, kTeachers))) + u')';
            }
            rows << (changed ? u"*"_s : QString()) + QStringList{QString::number(r), subject, QString::number(10 + (r * 3 + j) % 40), teacher, change}.join(u'|');
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        m_chromium = QStandardPaths::findExecutable(u"chromium"_s);
        if (m_chromium.isEmpty())
            QSKIP("chromium is not installed: scripts/setup installs it");
        printschool::write(m_school.path(), kClasses, kTeachers, kChanged);
        const clischool::Run r = cli({u"-C"_s, m_school.path(), u"web"_s, u"11.12.2026"_s, u"--out"_s, u"сайт"_s});
        QCOMPARE(r.code, 0);
        m_web = m_school.filePath(u"сайт"_s);
        QCOMPARE(r.out.trimmed(), QDir::toNativeSeparators(m_web));
    }

    // ASCII names, UTF-8 with its meta charset, nothing fetched from elsewhere, every link relative
    // and pointing at a file of the folder.
    void folderIsSelfContained()
    {
        QStringList files = QDir(m_web).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), kClasses + kTeachers + 3);
        for (const QString &f : {u"index.html"_s, u"zameny.html"_s, u"corridor.html"_s, u"class-01.html"_s,
                                 u"class-20.html"_s, u"teacher-001.html"_s, u"teacher-030.html"_s})
            QVERIFY2(files.contains(f), qPrintable(f));
        const QRegularExpression asciiName(u"^[a-z0-9-]+\\.html$"_s);
        const QRegularExpression link(u"(?:href|src)=\"([^\"]*)\""_s);
        for (const QString &f : files) {
            QVERIFY2(asciiName.match(f).hasMatch(), qPrintable(f));
            QFile file(m_web + u'/' + f);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // valid UTF-8
            const QString html = QString::fromUtf8(bytes);
            QVERIFY(html.contains(u"<meta charset=\"utf-8\">"_s));
            QVERIFY(html.contains(u"name=\"viewport\""_s));
            for (const QString &bad : {u"<script"_s, u"@font-face"_s, u"url("_s, u"@import"_s, u"://"_s})
                QVERIFY2(!html.contains(bad), qPrintable(f + u": "_s + bad));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(files.contains(target), qPrintable(f + u" -> "_s + target));
            }
        }
        QFile corridor(m_web + u"/corridor.html"_s);
        QVERIFY(corridor.open(QIODevice::ReadOnly));
        QVERIFY(corridor.readAll().contains("<meta http-equiv=\"refresh\" content=\"60\">"));
    }

    // Two classes and one teacher as rendered: every lesson of the day with its room and teacher,
    // the replaced lesson marked with what it was; no page wider than a 360-px phone.
    void lessonsAsTheBrowserShowsThem()
    {
        const QList<QPair<QString, int>> pages{{ClassFileName(1), 360}, {ClassFileName(kClasses), 360}, {TeacherFileName(1), 360}, {u"index.html"_s, 360}, {u"zameny.html"_s, 360}, {u"corridor.html"_s, 360}, {ClassFileName(1), 1920}, {u"zameny.html"_s, 1920}};
        const QHash<QString, QStringList> seen = probe(pages);
        QVERIFY2(seen.size() == pages.size(), qPrintable(QStringList(seen.keys()).join(u' ')));
        for (const auto &[page, width] : pages) {
            const QStringList p = seen.value(QString::number(width) + u'/' + page);
            QCOMPARE(frameOf(p), width);
            QVERIFY2(widthOf(p) > 0 && widthOf(p) <= width, qPrintable(page + u": "_s + p.value(0)));
        }
        QCOMPARE(seen.value(u"360/"_s + ClassFileName(1)).mid(1), classRows(1));
        QCOMPARE(seen.value(u"1920/"_s + ClassFileName(1)).mid(1), classRows(1));
        QCOMPARE(seen.value(u"360/"_s + ClassFileName(kClasses)).mid(1), classRows(kClasses));

        // Teacher 1's lessons: every (lesson, class) whose subject the load gives to teacher 1.
        QStringList expected{u"Урок|Класс|Предмет|Каб.|Изменение"_s};
        for (int r = 1; r <= printschool::kRows; ++r)
            for (int j = 1; j <= kClasses; ++j) {
                const QString subject = printschool::subjectOf(r, j);
                if (printschool::teacherOf(int(printschool::kSubjects.indexOf(subject)), j, kTeachers) != 1)
                    continue;
                const bool changed = r == 3 && j <= kChanged;
                expected << (changed ? u"*"_s : QString())
                                + QStringList{QString::number(r), printschool::className(j), subject,
                                              QString::number(10 + (r * 3 + j) % 40), changed ? u"замена"_s : QString()}
                                      .join(u'|');
            }
        QVERIFY(expected.size() > 2);
        QStringList teacher = seen.value(u"360/"_s + TeacherFileName(1));
        // The change column names what was given; compare its first word.
        for (QString &row : teacher)
            row = row.section(u" ("_s, 0, 0);
        QCOMPARE(teacher.mid(1), expected);
        QCOMPARE(seen.value(u"360/zameny.html"_s).size(), 1 + 1 + kChanged); // width, header, a row per change
        QCOMPARE(seen.value(u"360/corridor.html"_s).size(), 1 + 1 + kChanged);
    }

    // Screenshots at both widths: the picture has the window's width and shows text.
    void screenshotsAtPhoneAndDesktopWidths()
    {
        QFile frame(m_probe.filePath(u"phone.html"_s));
        QVERIFY(frame.open(QIODevice::WriteOnly));
        frame.write(kHarness.arg(u"<iframe src=\"%1\" style=\"width:360px;height:900px;border:0\"></iframe>"_s
                                     .arg(QUrl::fromLocalFile(m_web + u"/class-01.html"_s).toString()))
                        .toUtf8());
        frame.close();
        for (int width : {360, 1920}) {
            const QString png = m_probe.filePath(u"shot-%1.png"_s.arg(width));
            chromium(width == 360 ? frame.fileName() : m_web + u"/class-01.html"_s, width, {u"--screenshot="_s + png});
            const QImage shot(png);
            QCOMPARE(shot.width(), width);
            int dark = 0;
            for (int y = 0; y < std::min(shot.height(), 300); ++y)
                for (int x = 0; x < width; ++x)
                    dark += qGray(shot.pixel(x, y)) < 100 ? 1 : 0;
            QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
        }
    }

    // The reference server hands out the pages at /raspisanie/ without the notes login, and
    // nothing but the folder's own pages.
    void referenceServerServesTheFolder()
    {
        QProcess server;
        server.start(u"python3"_s, {QStringLiteral(RASP_SOURCE_DIR "/tools/schedule_server.py"), u"--port"_s, u"0"_s,
                                    u"--http-port"_s, u"0"_s, u"--web"_s, m_web});
        QVERIFY(server.waitForReadyRead(10000));
        const QString first = QString::fromUtf8(server.readLine());
        const QRegularExpressionMatch m = QRegularExpression(u"notes on 127\\.0\\.0\\.1:(\\d+)"_s).match(first);
        QVERIFY2(m.hasMatch(), qPrintable(first));
        const quint16 port = quint16(m.captured(1).toUInt());
        const auto get = [port](const QByteArray &path) {
            QTcpSocket s;
            s.connectToHost(u"127.0.0.1"_s, port);
            if (!s.waitForConnected(5000))
                return QByteArray();
            s.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
            QByteArray reply;
            while (s.waitForReadyRead(5000))
                reply += s.readAll();
            return reply + s.readAll();
        };
        QFile index(m_web + u"/index.html"_s);
        QVERIFY(index.open(QIODevice::ReadOnly));
        const QByteArray indexBytes = index.readAll();
        const QByteArray root = get("/raspisanie/");
        QVERIFY(root.startsWith("HTTP/1.0 200"));
        QVERIFY(root.contains("Content-Type: text/html; charset=utf-8"));
        QVERIFY(root.endsWith(indexBytes));
        QVERIFY(get("/raspisanie/class-02.html").startsWith("HTTP/1.0 200"));
        QVERIFY(get("/raspisanie").contains("Location: /raspisanie/"));
        QFile outside(m_school.filePath(u"secret.html"_s));
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.close();
        for (const QByteArray &bad : {QByteArray("/raspisanie/../secret.html"), QByteArray("/raspisanie/%2e%2e/secret.html"),
                                      QByteArray("/raspisanie/../nagruz.ini"), QByteArray("/raspisanie/Class-01.html"),
                                      QByteArray("/raspisanie/missing.html"), QByteArray("/zametki/data.ini")})
            QVERIFY2(!get(bad).startsWith("HTTP/1.0 200"), bad.constData());
        server.kill();
        server.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TstWebPages)
#include "tst_webpages.moc"

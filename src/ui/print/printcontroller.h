#pragma once

#include "sheets/sheettable.h"
#include "web/webfolder.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QMenu;
class QPrintPreviewDialog;
class QToolButton;
class QWidget;

namespace rasp::ui {

// What the window lends the print controller: its question overlay (answers "Да" or "Нет"), its
// notice overlay and the shell's open of a file or folder.
struct PrintHost {
    std::function<QString(const QString &)> ask;
    std::function<void(const QString &)> notify;
    std::function<bool(const QString &)> open;
};

// One sheet the window can print: the document, the PDF's path relative to the work folder, and
// the question asked before the PDF is written (empty: none).
struct PrintJob {
    sheets::PrintDocument document;
    QString pdfPath;
    QString question;
};

// The day's web pages and the folder (relative to the work folder) they go to.
struct WebJob {
    std::vector<web::WebPage> pages;
    QString folder;
    QString question;
};

// Printing from the window: a menu ("Печать…", "PDF", the web pages) on the export pictures and
// a menu button on the substitutions page; the print preview with the system's print dialog;
// PDF and web folders written under the work folder and opened; and, after any export, the
// notice that names a file the system cannot open and offers its folder.
class PrintController : public QObject
{
    Q_OBJECT
public:
    using JobSource = std::function<std::optional<PrintJob>()>;
    using WebSource = std::function<std::optional<WebJob>()>;

    PrintController(QWidget *window, PrintHost host);

    // Gives an export picture a menu on its right button: "Печать…" and "PDF" of what `source`
    // gives when chosen (nothing when it gives none), and "Веб-страницы дня" with `web`.
    QMenu *addMenu(QAbstractButton *button, const JobSource &source, const WebSource &web = {});

    // A "Печать" button with a menu of named sheets, each printed or saved as PDF, placed in the
    // layout row right after `anchor`. Returns the button.
    QToolButton *addMenuButton(QWidget *anchor, const std::vector<std::pair<QString, JobSource>> &sheets);

    // Shows the print preview of a job; its print button opens the system's print dialog.
    void printJob(const PrintJob &job);
    // Asks the job's question, writes its PDF and opens it; false when not written.
    bool savePdf(const PrintJob &job);
    // Asks, writes the web folder and opens its index.html; false when not written.
    bool saveWeb(const WebJob &job);
    // Opens an exported file; when the system cannot, names the file and offers its folder.
    void openResult(const QString &path);

    // Runs the preview dialog (modal); tests replace it, as a dialog would wait for a user.
    std::function<void(QPrintPreviewDialog &)> runPreview;

private:
    QWidget *m_window;
    PrintHost m_host;
};

} // namespace rasp::ui

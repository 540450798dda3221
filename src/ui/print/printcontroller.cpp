#include "print/printcontroller.h"
#include "print/printtexts.h"

#include "pdffile.h"
#include "sheetpainter.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

// The box layout under `layout` that holds `w` directly, and w's index in it.
QBoxLayout *rowHolding(QLayout *layout, QWidget *w, int *index)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w) {
            *index = i;
            return qobject_cast<QBoxLayout *>(layout);
        }
        if (QBoxLayout *inner = rowHolding(item->layout(), w, index))
            return inner;
    }
    return nullptr;
}

} // namespace

PrintController::PrintController(QWidget *window, PrintHost host)
    : QObject(window)
    , m_window(window)
    , m_host(std::move(host))
{
    runPreview = [](QPrintPreviewDialog &dialog) { dialog.exec(); };
}

QMenu *PrintController::addMenu(QAbstractButton *button, const JobSource &source, const WebSource &web)
{
    auto *menu = new QMenu(button);
    menu->setObjectName(button->objectName() + u"PrintMenu"_s);
    connect(menu->addAction(printtexts::kPrint.toString()), &QAction::triggered, this, [this, source] {
        if (const auto job = source())
            printJob(*job);
    });
    connect(menu->addAction(printtexts::kSavePdf.toString()), &QAction::triggered, this, [this, source] {
        if (const auto job = source())
            savePdf(*job);
    });
    if (web)
        connect(menu->addAction(printtexts::kWebPages.toString()), &QAction::triggered, this, [this, web] {
            if (const auto job = web())
                saveWeb(*job);
        });
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, menu,
            [menu, button](const QPoint &at) { menu->popup(button->mapToGlobal(at)); });
    return menu;
}

QToolButton *PrintController::addMenuButton(QWidget *anchor, const std::vector<std::pair<QString, JobSource>> &sheets)
{
    auto *button = new QToolButton(anchor->parentWidget());
    button->setObjectName(u"printMenuButton"_s);
    button->setText(printtexts::kPrintButton.toString());
    button->setToolTip(printtexts::kPrintButtonHint.toString());
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    for (const auto &[name, source] : sheets) {
        connect(menu->addAction(printtexts::kPrintNamed.toString().arg(name)), &QAction::triggered, this, [this, source] {
            if (const auto job = source())
                printJob(*job);
        });
        connect(menu->addAction(printtexts::kPdfNamed.toString().arg(name)), &QAction::triggered, this, [this, source] {
            if (const auto job = source())
                savePdf(*job);
        });
    }
    button->setMenu(menu);
    int index = 0;
    if (QBoxLayout *row = rowHolding(anchor->parentWidget()->layout(), anchor, &index))
        row->insertWidget(index + 1, button);
    return button;
}

void PrintController::printJob(const PrintJob &job)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.document.title);
    QPrintPreviewDialog dialog(&printer, m_window);
    dialog.setWindowTitle(printtexts::kPreviewTitle.toString().arg(job.document.title));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&job](QPrinter *p) { print::PaintDocument(*p, job.document); });
    runPreview(dialog);
}

bool PrintController::savePdf(const PrintJob &job)
{
    if (!job.question.isEmpty() && m_host.ask(job.question) != printtexts::kYes)
        return false;
    const QString path = QDir::current().filePath(job.pdfPath);
    QString error;
    if (!print::WritePdf(job.document, path, &error)) {
        m_host.notify(error);
        return false;
    }
    openResult(path);
    return true;
}

bool PrintController::saveWeb(const WebJob &job)
{
    if (!job.question.isEmpty() && m_host.ask(job.question) != printtexts::kYes)
        return false;
    const QString folder = QDir::current().filePath(job.folder);
    QString error;
    if (!web::WriteWebFolder(job.pages, folder, &error)) {
        m_host.notify(error);
        return false;
    }
    openResult(QDir(folder).filePath(u"index.html"_s));
    return true;
}

void PrintController::openResult(const QString &path)
{
    if (m_host.open(path))
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (m_host.ask(printtexts::kCannotOpenFile.toString().arg(QDir::toNativeSeparators(path)))
        != printtexts::kYes)
        return;
    if (!m_host.open(folder))
        m_host.notify(printtexts::kCannotOpenFolder.toString().arg(QDir::toNativeSeparators(folder)));
}

} // namespace rasp::ui

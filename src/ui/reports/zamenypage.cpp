#include "reports/zamenypage.h"
#include "reports/reportstexts.h"

#include "shell/pageframe.h"
#include "reports/reportview.h"
#include "reports/texttablemodel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

QDateEdit *dateField(QWidget *parent, const QString &name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(u"dd.MM.yyyy"_s);
    d->setFixedWidth(140);
    return d;
}

} // namespace

ZamenyPage::ZamenyPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"Tab_Zam"_s);
    QVBoxLayout *page = whitePageLayout(this);

    QWidget *bar = captionBar(this, u"zamenyBar"_s);
    caption = new QLabel(reportstexts::kZamenyCaption.toString(), bar);
    sizeButton = pictureButton(bar, u"zamenySize"_s, u"expand"_s, QString(), 34);
    closeButton = pictureButton(bar, u"zamenyClose"_s, u"close"_s, reportstexts::kZamenyClose.toString(), 34);
    layCaptionBar(bar, caption, sizeButton, closeButton);
    page->addWidget(bar);

    auto *dayRow = new QHBoxLayout;
    dayRow->setContentsMargins(10, 4, 10, 4);
    dayRow->setSpacing(8); // the caption keeps clear of its date field
    dayRow->addWidget(new QLabel(reportstexts::kZamenyOn.toString(), this));
    date = dateField(this, u"zamenyDate"_s);
    dayRow->addWidget(date);
    dayRow->addSpacing(20);
    views = new QButtonGroup(this);
    views->setExclusive(true);
    const auto &viewNames = reportstexts::kZamenyViews;
    for (int v = ByClass; v <= Absences; ++v) {
        auto *b = new QToolButton(this);
        b->setText(viewNames[v].toString());
        b->setCheckable(true);
        b->setFixedHeight(30);
        views->addButton(b, v);
        dayRow->addWidget(b);
    }
    views->button(ByClass)->setChecked(true);
    dayRow->addSpacing(20);
    asWeekday = new QComboBox(this);
    asWeekday->setObjectName(u"zamenyAsWeekday"_s);
    asWeekday->addItem(reportstexts::kOwnWeekday.toString());
    for (const QStringView w : reportstexts::kWeekdaysGenitive)
        asWeekday->addItem(reportstexts::kAsWeekday.toString().arg(w));
    asWeekday->setToolTip(reportstexts::kAsWeekdayHint.toString());
    dayRow->addWidget(asWeekday);
    dayRow->addStretch(1);
    excelButton = pictureButton(this, u"zamenyExcel"_s, u"excel"_s, reportstexts::kToExcel.toString(), 34);
    wordButton = pictureButton(this, u"zamenyWord"_s, u"word"_s, reportstexts::kToWord.toString(), 34);
    dayRow->addWidget(excelButton);
    dayRow->addWidget(wordButton);
    page->addLayout(dayRow);

    auto *periodRow = new QHBoxLayout;
    periodRow->setContentsMargins(10, 4, 10, 4);
    periodRow->setSpacing(8); // the captions keep clear of their date fields
    periodRow->addWidget(new QLabel(reportstexts::kTallyFrom.toString(), this));
    from = dateField(this, u"zamenyFrom"_s);
    periodRow->addWidget(from);
    periodRow->addWidget(new QLabel(reportstexts::kCountTo.toString(), this));
    to = dateField(this, u"zamenyTo"_s);
    periodRow->addWidget(to);
    countButton = pictureButton(this, u"zamenyCount"_s, u"report"_s, reportstexts::kCount.toString(), 34);
    periodRow->addWidget(countButton);
    progress = new QProgressBar(this);
    progress->setFixedWidth(272);
    showCountProgress(progress, false);
    periodRow->addWidget(progress);
    periodRow->addStretch(1);
    journalButton = pictureButton(this, u"zamenyJournal"_s, u"excel"_s, reportstexts::kJournalToExcel.toString(), 34);
    periodRow->addWidget(journalButton);
    page->addLayout(periodRow);

    status = new QLabel(this);
    status->setObjectName(u"zamenyStatus"_s);
    status->setTextFormat(Qt::PlainText);
    status->setContentsMargins(10, 2, 10, 4);
    status->setWordWrap(true);
    page->addWidget(status);

    model = new TextTableModel(this);
    table = new QTableView(this);
    table->setObjectName(u"zamenyTable"_s);
    table->setHorizontalHeader(new ReportHeader(table));
    table->setModel(model);
    table->verticalHeader()->hide();
    table->setShowGrid(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    page->addWidget(table, 1);

    absencesArea = new QWidget(this);
    absencesArea->setObjectName(u"zamenyAbsences"_s);
    absencesArea->hide();
    page->addWidget(absencesArea, 1);
}

ZamenyPage::View ZamenyPage::view() const
{
    return View(std::max(views->checkedId(), 0));
}

void ZamenyPage::setView(View v)
{
    views->button(v)->setChecked(true);
}

void ZamenyPage::showTable(const QStringList &header, std::vector<QStringList> rows, const std::vector<int> &widths)
{
    model->setTable(header, std::move(rows));
    // A column is never narrower than its heading in the header's font.
    for (std::size_t c = 0; c < widths.size() && int(c) < header.size(); ++c)
        table->setColumnWidth(int(c), std::max(widths[c], table->horizontalHeader()->sectionSizeHint(int(c))));
    table->resizeRowsToContents();
}

} // namespace rasp::ui

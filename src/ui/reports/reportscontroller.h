#pragma once

#include "shell/controller.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QDateEdit;
class QLabel;
class QProgressBar;
class QTableView;
class QToolButton;
class QWidget;

namespace rasp::reports {
struct ZamenySheet;
struct ZamenyTally;
} // namespace rasp::reports

namespace rasp::ui {

class ReportModel;
class ZamenyPage;

// The reports: the delivered-hours page (Tab_3), the substitutions page (Tab_Zam), both shown
// over the grid page while the pages stay disabled, and the export of the day or the template to
// a workbook or a document. It reads the state; it changes nothing of it.
class ReportsController : public Controller
{
    Q_OBJECT
public:
    // Fills `hoursPage` (the shell's Tab_3) and builds the substitutions page over the window.
    ReportsController(const Shell &shell, QWidget *hoursPage, QObject *parent);
    ~ReportsController() override;

    // Whether a report page is open: the pages stay disabled until it closes.
    bool pageOpen() const { return m_open; }
    // Both report pages follow the window's size.
    void placePages();
    // Start-up: both ends of the hours period become `date`.
    void setPeriod(QDate date);

    // sSpeedButton8Click: opens the hours page; on the template page counts the week at once.
    void openHours();
    // NachZapolSG: one empty column per class, no rows, progress 0.
    void resetHoursTable();
    // sDateTimePicker4ClosePicker: a period date changed.
    void periodChanged();
    // RaschetVipProg: reg 0 the saved days of the period, reg 1 the saved template week.
    void countHours(int reg);
    // SpeedButton10Click / SpeedButton7Click: size and close of the hours page.
    void toggleHoursSize();
    void closeHours();

    // ZamenyClick: opens the substitutions page for the target date, on the view given.
    void openSubstitutions(int view = 0);
    // ZamenyPokaz: the saved day of the page's date against its template weekday.
    void showSubstitutions();
    // ZamenyVid: shows the checked view of what was computed.
    void showSubstitutionView();
    // ZamenyRaschet: the tally per teacher over the page's period.
    void countSubstitutions();
    // ZamenyExcel / ZamenyWord: the sheet (in the period view the tally) to a file.
    void substitutionsToXlsx();
    void substitutionsToDocx();
    // ZamenySize / ZamenyClose: size and close of the substitutions page.
    void toggleSubstitutionsSize();
    void closeSubstitutions();

    // SpeedButton2Click / sSpeedButton12Click: the day (after a question) or the template to a
    // workbook / a document, then opened.
    void exportXlsx();
    void exportDocx();
    // SpeedButton1Click: opens raspisanie on the day page, setka on the template page.
    void openExportFolder();

    // Opens a file or folder with the system's default handler; replaced by tests.
    std::function<bool(const QString &path)> shellOpen;
    // Opens an exported file and tells what went wrong (the print controller's); when empty,
    // shellOpen with a plain notice.
    std::function<void(const QString &path)> openExported;
    // The substitution sheet of the page's date; none when that date has none.
    const reports::ZamenySheet *sheet() const { return m_sheet.get(); }

signals:
    // The view "Отсутствия" was shown: the absences controller fills it.
    void absencesShown();

public:
    // The parts the window tests look at.
    QWidget *periodBar() const { return m_periodBar; }              // Rectangle16
    QLabel *savedOnlyNote() const { return m_note; }                // Label12
    QToolButton *hoursSizeButton() const { return m_sizeButton; }   // SpeedButton10
    QToolButton *hoursCloseButton() const { return m_closeButton; } // SpeedButton7
    QToolButton *countButton() const { return m_countButton; }      // sSpeedButton19
    QProgressBar *hoursProgress() const { return m_progress; }      // sProgressBar1
    QTableView *hoursTable() const { return m_table; }              // StringGrid1
    QDateEdit *periodStart() const { return m_from; }               // sDateTimePicker4
    QDateEdit *periodEnd() const { return m_to; }                   // sDateTimePicker5
    ZamenyPage *substitutionsPage() const { return m_zameny; }      // Tab_Zam

private:
    void buildHoursPage();
    void buildSubstitutionsPage();
    void placeHoursPage();
    void placeSubstitutionsPage();
    // Asks before the sheet of the page is written to a file of `app` ("Excel", "Word").
    bool askSheetExport(const QString &app) const;
    // Writes an export file at the relative path `rel` with the window disabled and the wait
    // picture shown, then opens it; a failure is reported and nothing is opened.
    void exportFile(const QString &rel, const std::function<bool(const QString &, QString *)> &write);

    QWidget *m_hoursPage = nullptr;
    QWidget *m_periodBar = nullptr;
    QLabel *m_note = nullptr;
    QToolButton *m_sizeButton = nullptr;
    QToolButton *m_closeButton = nullptr;
    QToolButton *m_countButton = nullptr;
    QProgressBar *m_progress = nullptr;
    QTableView *m_table = nullptr;
    ReportModel *m_model = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    bool m_hoursFilled = false; // the hours page fills the window
    bool m_open = false;        // a report page is open

    ZamenyPage *m_zameny = nullptr;
    std::unique_ptr<reports::ZamenySheet> m_sheet; // the sheet of the page's date
    QString m_sheetError;                          // why the page's date has no sheet
    std::unique_ptr<reports::ZamenyTally> m_tally; // the last period counted
    QDate m_tallyFrom, m_tallyTo;                  // that period
    bool m_zamenyFilled = false;                   // the page fills the window
};

} // namespace rasp::ui

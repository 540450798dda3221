#pragma once

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QTableView;
class QToolButton;

namespace rasp::ui {

class TextTableModel;

// The substitution page, shown over the grid page like the delivered-hours report: a blue top bar
// (caption, size and close buttons), the date of the sheet with its views ("По классам",
// "По учителям", "За период", and "Отсутствия", where the covers of the day on the grid are planned) and the export buttons, the period of the tally with its button
// and progress bar, a status line and the table. It holds widgets only; the window's handlers
// read them, call core and fill the table.
class ZamenyPage : public QWidget
{
    Q_OBJECT
public:
    explicit ZamenyPage(QWidget *parent);

    enum View { ByClass = 0,
                ByTeacher = 1,
                Period = 2,
                Absences = 3 };

    // The view whose button is checked.
    View view() const;
    // Checks the button of a view (no signal).
    void setView(View view);
    // Fills the table with a header and rows and sizes the columns for the view's texts.
    void showTable(const QStringList &header, std::vector<QStringList> rows, const std::vector<int> &widths);

    QLabel *caption = nullptr;         // the bar's caption
    QToolButton *sizeButton = nullptr; // centred 1300 x 670 / over the whole window
    QToolButton *closeButton = nullptr;
    QDateEdit *date = nullptr;     // the date of the sheet
    QButtonGroup *views = nullptr; // ids are View values
    QToolButton *excelButton = nullptr;
    QToolButton *wordButton = nullptr;
    QComboBox *asWeekday = nullptr; // the template the date follows: 0 its own weekday, 1..7 Monday..Sunday
    QDateEdit *from = nullptr;      // the period of the tally
    QDateEdit *to = nullptr;
    QToolButton *countButton = nullptr;   // "Рассчитать"
    QToolButton *journalButton = nullptr; // the journal of substituted lessons of the period to Excel
    QProgressBar *progress = nullptr;
    QLabel *status = nullptr; // what the table shows, or why it is empty
    QTableView *table = nullptr;
    TextTableModel *model = nullptr;
    QWidget *absencesArea = nullptr; // the view "Отсутствия": filled by the absences controller
};

} // namespace rasp::ui

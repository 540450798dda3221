#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStringList>

#include <vector>

namespace rasp::ui {

// The delivered-hours table (StringGrid1) as a model: one text column per class, headed by the
// class name; the rows grow as the count fills slots. No widget per cell.
class ReportModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // One empty column per class name, no rows.
    void resetColumns(const QStringList &headers);
    // Puts the count's columns of cell texts in (each column as long as the row count).
    void setCells(std::vector<QStringList> columns);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    std::vector<QStringList> m_columns;
    int m_rows = 0;
};

// Paints one column header of the report table: accent fill, white bottom and right edges,
// white text of size 12 four pixels in from the left.
void StringGrid1DrawColumnHeader(QPainter *painter, const QRect &rect, const QString &text, QFont font);

// The column header of the table: accent fill, white bottom and right edges, white text of
// size 12 four pixels in from the left.
class ReportHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit ReportHeader(QWidget *parent = nullptr);

    // Sizes every column to its content (the whole header and every cell text, never narrower
    // than 70 px) from now on, as the count fills the table.
    void fitColumnsToContent();

protected:
    // The width a header text needs in the 12-pt header font, four pixels in and out, 70 at least.
    QSize sectionSizeFromContents(int logicalIndex) const override;
    // Paints one column header with StringGrid1DrawColumnHeader.
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

} // namespace rasp::ui

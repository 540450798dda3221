#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace rasp::ui {

// A read-only table of texts with a header row: the substitution page's three views. No widget
// per cell.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the header and the rows (each row as long as the header; missing cells are empty).
    void setTable(const QStringList &header, std::vector<QStringList> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_header;
    std::vector<QStringList> m_rows;
};

} // namespace rasp::ui

#include "reports/texttablemodel.h"
#include "widgets/shownbreaks.h"

namespace rasp::ui {

void TextTableModel::setTable(const QStringList &header, std::vector<QStringList> rows)
{
    beginResetModel();
    m_header = header;
    m_rows = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole) {
        const QStringList &row = m_rows[std::size_t(index.row())];
        // Cells keep "\r\n" in the files; the view breaks lines at "\n" alone.
        return index.column() < row.size() ? ShownBreaks(row.at(index.column())) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 && section < m_header.size())
        return m_header.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace rasp::ui

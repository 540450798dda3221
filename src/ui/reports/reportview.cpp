#include "reports/reportview.h"

#include <QPainter>

namespace rasp::ui {

namespace {
constexpr int kMinimumColumn = 70; // the designed column width, kept for short contents
}

void ReportModel::resetColumns(const QStringList &headers)
{
    beginResetModel();
    m_headers = headers;
    m_columns.assign(std::size_t(headers.size()), {});
    m_rows = 0;
    endResetModel();
}

void ReportModel::setCells(std::vector<QStringList> columns)
{
    int rows = 0;
    for (const QStringList &c : columns)
        rows = std::max(rows, int(c.size()));
    columns.resize(std::size_t(m_headers.size()));
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_columns = std::move(columns);
        m_rows = rows;
        endInsertRows();
    } else {
        m_columns = std::move(columns);
    }
    if (m_rows > 0 && !m_headers.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_headers.size()) - 1), {Qt::DisplayRole});
}

int ReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ReportModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const QStringList &column = m_columns[std::size_t(index.column())];
    return index.row() < column.size() ? column.at(index.row()) : QString();
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

ReportHeader::ReportHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionResizeMode(QHeaderView::Interactive);
    setDefaultSectionSize(70);
    setMinimumSectionSize(20);
    setHighlightSections(false);
    setSectionsClickable(false);
}

void StringGrid1DrawColumnHeader(QPainter *painter, const QRect &rect, const QString &text, QFont font)
{
    painter->save();
    painter->fillRect(rect, QColor::fromRgba(0xFF0061B0));
    painter->setPen(QPen(QColor::fromRgba(0xFFFFFFFF), 1));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    font.setPointSize(12);
    painter->setFont(font);
    painter->drawText(rect.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

void ReportHeader::fitColumnsToContent()
{
    setSectionResizeMode(QHeaderView::ResizeToContents);
}

QSize ReportHeader::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (!model())
        return size;
    QFont font = this->font();
    font.setPointSize(12);
    const QString text = model()->headerData(logicalIndex, Qt::Horizontal).toString();
    size.setWidth(std::max(kMinimumColumn, QFontMetrics(font).horizontalAdvance(text) + 8));
    return size;
}

void ReportHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QString text = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    StringGrid1DrawColumnHeader(painter, rect, text, font());
}

} // namespace rasp::ui

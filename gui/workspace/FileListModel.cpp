#include "FileListModel.h"

#include <algorithm>

namespace {

QString RangeText(int rangeType)
{
    switch (rangeType) {
    case 1:
        return TFileListModel::tr("Odd");
    case 2:
        return TFileListModel::tr("Even");
    case 3:
        return TFileListModel::tr("Part");
    default:
        return TFileListModel::tr("All");
    }
}

QString SortText(int pageSort)
{
    return pageSort == 1 ? TFileListModel::tr("Reverse") : TFileListModel::tr("Sequence");
}

// Ascending and each row once, so rows can be taken out from the back.
QList<int> Ordered(QList<int> rows, int rowCount)
{
    rows.removeIf([rowCount](int row) { return row < 0 || row >= rowCount; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

TFileListModel::TFileListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

TFileListModel::~TFileListModel() = default;

int TFileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(items.size());
}

int TFileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TFileListModel::data(const QModelIndex &index, int role) const
{
    const TItemInfo *item = Item(index.row());
    if (!item || !index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == ItemColumn ? QVariant() : QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case ItemColumn:
        return QString::number(index.row() + 1);
    case FileNameColumn:
        return item->FileName;
    case SizeColumn:
        return tr("%1KB").arg(item->SizeKB);
    case TotalPagesColumn:
        return QString::number(item->TotalPages);
    case PageRangeColumn:
        return RangeText(item->RangeType);
    case PageSortColumn:
        return SortText(item->PageSort);
    default:
        return {};
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString titles[ColumnCount] = {tr("Item"),        tr("File Name"),  tr("Size"),
                                         tr("Total Pages"), tr("Page Range"), tr("Page Sort")};
    return section >= 0 && section < ColumnCount ? QVariant(titles[section]) : QVariant();
}

// Rows are dragged within the list and files dropped on it; nothing is edited in place.
Qt::ItemFlags TFileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

TItemInfo *TFileListModel::Item(int row) const
{
    return row >= 0 && row < rowCount() ? items[static_cast<std::size_t>(row)].get() : nullptr;
}

QList<TItemInfo *> TFileListModel::Items() const
{
    QList<TItemInfo *> records;
    for (const auto &item : items)
        records.append(item.get());
    return records;
}

void TFileListModel::InsertItems(int row, const QList<TItemInfo> &records)
{
    if (records.isEmpty())
        return;
    const int first = row < 0 || row > rowCount() ? rowCount() : row;
    beginInsertRows({}, first, first + static_cast<int>(records.size()) - 1);
    auto place = items.begin() + first;
    for (const TItemInfo &record : records)
        place = std::next(items.insert(place, std::make_unique<TItemInfo>(record)));
    endInsertRows();
    // The positions below the new rows count on.
    if (first + records.size() < rowCount())
        emit dataChanged(index(first + static_cast<int>(records.size()), ItemColumn), index(rowCount() - 1, ItemColumn));
}

void TFileListModel::RemoveItems(QList<int> rows)
{
    rows = Ordered(std::move(rows), rowCount());
    if (rows.isEmpty())
        return;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        beginRemoveRows({}, *row, *row);
        items.erase(items.begin() + *row);
        endRemoveRows();
    }
    if (rows.first() < rowCount())
        emit dataChanged(index(rows.first(), ItemColumn), index(rowCount() - 1, ItemColumn));
}

void TFileListModel::Clear()
{
    beginResetModel();
    items.clear();
    endResetModel();
}

// One change of layout: the views' selection and focus follow their rows.
int TFileListModel::MoveItems(QList<int> rows, int target)
{
    rows = Ordered(std::move(rows), rowCount());
    if (rows.isEmpty())
        return -1;
    const auto before = std::count_if(rows.begin(), rows.end(), [target](int row) { return row < target; });
    const int first = std::clamp(target - static_cast<int>(before), 0, rowCount() - static_cast<int>(rows.size()));

    emit layoutAboutToBeChanged();
    std::vector<int> order; // order[new row] = old row
    for (int row = 0; row < rowCount(); ++row) {
        if (!std::binary_search(rows.begin(), rows.end(), row))
            order.push_back(row);
    }
    order.insert(order.begin() + first, rows.begin(), rows.end());
    std::vector<std::unique_ptr<TItemInfo>> moved(items.size());
    QModelIndexList from;
    QModelIndexList to;
    for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
        moved[newRow] = std::move(items[static_cast<std::size_t>(order[newRow])]);
        for (int column = 0; column < ColumnCount; ++column) {
            from.append(index(order[newRow], column));
            to.append(index(static_cast<int>(newRow), column));
        }
    }
    items = std::move(moved);
    changePersistentIndexList(from, to);
    emit layoutChanged();
    return first;
}

void TFileListModel::ItemChanged(int row)
{
    if (Item(row))
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

#pragma once
// The files to merge, in merge order: the model behind the main window's
// list. It owns one record per row; the columns are what the list shows of
// them (position, name, size, pages, page choice, page order). Views and
// dialogs hold rows by number and records by the pointer Item() gives; a
// record keeps its address for as long as its row exists, wherever it moves.

#include "Data_unit1.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

class TFileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ItemColumn, FileNameColumn, SizeColumn, TotalPagesColumn, PageRangeColumn, PageSortColumn, ColumnCount };

    explicit TFileListModel(QObject *parent = nullptr);
    ~TFileListModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The record of a row (null outside the list), and every record in row order.
    TItemInfo *Item(int row) const;
    QList<TItemInfo *> Items() const;

    // Copies of the records become rows before `row` (at the end when it is
    // out of range), in their order.
    void InsertItems(int row, const QList<TItemInfo> &items);
    // Removes the rows and destroys their records; any order, duplicates ignored.
    void RemoveItems(QList<int> rows);
    void Clear();
    // Moves the rows before row `target`, keeping their order and their
    // records. Returns the row the first of them lands on.
    int MoveItems(QList<int> rows, int target);
    // The row's page choice or order changed in its record.
    void ItemChanged(int row);

private:
    std::vector<std::unique_ptr<TItemInfo>> items;
};

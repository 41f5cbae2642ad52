// The list model on its own: the rows it shows of its records, and how
// inserting, removing and moving rows keeps each record with its file.

#include "FileListModel.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QPersistentModelIndex>

namespace {

TItemInfo Record(const QString &name, int pages = 3)
{
    TItemInfo item;
    item.FileName = name;
    item.FilePath = QStringLiteral("/files/") + name;
    item.TotalPages = pages;
    item.SizeKB = 12;
    return item;
}

QStringList Column(const TFileListModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

QStringList Names(const TFileListModel &model)
{
    return Column(model, TFileListModel::FileNameColumn);
}

TEST(FileListModel, ShowsEachRecordAsARowOfSixColumns)
{
    TFileListModel model;
    model.InsertItems(-1, {Record("a.pdf", 5)});
    TItemInfo *a = model.Item(0);
    a->RangeType = 3;
    a->PageSort = 1;
    model.ItemChanged(0);
    QStringList row;
    for (int column = 0; column < model.columnCount(); ++column)
        row.append(model.index(0, column).data().toString());
    EXPECT_EQ(row, (QStringList{"1", "a.pdf", "12KB", "5", "Part", "Reverse"}));
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "Total Pages");
    EXPECT_EQ(model.Item(1), nullptr);
    EXPECT_EQ(model.Item(-1), nullptr);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

TEST(FileListModel, InsertedRowsLandWhereAskedAndTheRowsBelowCountOn)
{
    TFileListModel model;
    model.InsertItems(-1, {Record("a.pdf"), Record("d.pdf")});
    model.InsertItems(1, {Record("b.pdf"), Record("c.pdf")});
    model.InsertItems(99, {Record("e.pdf")});
    EXPECT_EQ(Names(model), (QStringList{"a.pdf", "b.pdf", "c.pdf", "d.pdf", "e.pdf"}));
    EXPECT_EQ(Column(model, TFileListModel::ItemColumn), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST(FileListModel, RemovingKeepsTheOtherRecordsWhereTheyAre)
{
    TFileListModel model;
    model.InsertItems(-1, {Record("a.pdf"), Record("b.pdf"), Record("c.pdf"), Record("d.pdf")});
    TItemInfo *d = model.Item(3);
    model.RemoveItems({2, 0, 2, 7});
    EXPECT_EQ(Names(model), (QStringList{"b.pdf", "d.pdf"}));
    EXPECT_EQ(model.Item(1), d);
    EXPECT_EQ(Column(model, TFileListModel::ItemColumn), (QStringList{"1", "2"}));
    model.Clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.Items().isEmpty());
}

// The records travel with their rows, and so does what a view holds of them
// (selection, focus): the model tells views the rows' new places.
TEST(FileListModel, MovedRowsKeepTheirRecordsAndTheViewsFollowThem)
{
    struct Case
    {
        const char *What;
        QList<int> Rows;
        int Target;
        QStringList Order;
        int First;
    };
    const Case cases[] = {
        {"two rows to the end", {0, 2}, 5, {"b", "d", "e", "a", "c"}, 3},
        {"two rows before the fourth", {2, 0}, 3, {"b", "a", "c", "d", "e"}, 1},
        {"the last rows to the top", {3, 4}, 0, {"d", "e", "a", "b", "c"}, 0},
        {"a row onto itself", {2}, 2, {"a", "b", "c", "d", "e"}, 2},
        {"a row just below itself", {2}, 3, {"a", "b", "c", "d", "e"}, 2},
        {"past the end", {1}, 40, {"a", "c", "d", "e", "b"}, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.What);
        TFileListModel model;
        model.InsertItems(-1, {Record("a"), Record("b"), Record("c"), Record("d"), Record("e")});
        const QList<TItemInfo *> before = model.Items();
        QPersistentModelIndex held(model.index(c.Rows.first(), 1));
        EXPECT_EQ(model.MoveItems(c.Rows, c.Target), c.First);
        EXPECT_EQ(Names(model), c.Order);
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_EQ(model.Item(row)->FileName, Names(model)[row]);
        for (TItemInfo *record : before)
            EXPECT_TRUE(model.Items().contains(record));
        EXPECT_EQ(held.data().toString(), before[c.Rows.first()]->FileName);
        EXPECT_EQ(Column(model, TFileListModel::ItemColumn), (QStringList{"1", "2", "3", "4", "5"}));
    }
}

} // namespace

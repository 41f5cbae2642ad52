#pragma once
// The main window's list of files (TntLV). Besides showing the rows it lets
// the user reorder them by dragging (every selected row moves together),
// takes files and folders dropped from a file manager at the row where they
// are dropped, and turns Enter into a request to open the method dialog.
// The rows come from a TFileListModel; what a drop or Enter means is the main
// window's business: the list only reports.

#include <QTableView>

class TFileListView : public QTableView
{
    Q_OBJECT

public:
    explicit TFileListView(QWidget *parent);

    // The row a drop at `position` (viewport coordinates) inserts before: the
    // row under it, or the one after when the lower half is hit; the row
    // count below the last row.
    int InsertionRow(QPoint position) const;

signals:
    // The selected rows are to move before row `target`. (The rows travel as
    // the selection: a list type in a signal would make Qt's other libraries
    // bind to this plug-in's copy of it and keep the plug-in from unloading.)
    void RowsDropped(int target);
    // Paths dropped from outside, to be added before row `target`.
    void FilesDropped(const QStringList &paths, int target);
    // Enter or Return on the list.
    void ActivateRequested();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool IsOwnDrag(const QDropEvent *event) const;
    void ShowDropLine(int row);

    int dropLine = -1; // the row a drop would insert before, while dragging over
};

// The drag of rows within the list carries this type and no data.
inline constexpr const char *RowMoveMimeType = "application/x-quellan-rows";

#include "FileListView.h"

#include "SkinPalette.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

TFileListView::TFileListView(QWidget *parent)
    : QTableView(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    // The list paints its own line where the rows would land.
    setDropIndicatorShown(false);
}

int TFileListView::InsertionRow(QPoint position) const
{
    const int row = rowAt(position.y());
    if (row < 0)
        return model()->rowCount();
    const int top = rowViewportPosition(row);
    return position.y() >= top + rowHeight(row) / 2 ? row + 1 : row;
}

bool TFileListView::IsOwnDrag(const QDropEvent *event) const
{
    return event->source() == this && event->mimeData()->hasFormat(QLatin1String(RowMoveMimeType));
}

void TFileListView::startDrag(Qt::DropActions)
{
    if (selectionModel()->selectedRows().isEmpty())
        return;
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setData(QLatin1String(RowMoveMimeType), QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

void TFileListView::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

// Rows of this list move; files from elsewhere are copied in. The line shows
// where either would land.
void TFileListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (IsOwnDrag(event) || event->mimeData()->hasUrls()) {
        event->setDropAction(IsOwnDrag(event) ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
        ShowDropLine(InsertionRow(event->position().toPoint()));
    } else {
        event->ignore();
    }
}

void TFileListView::dragLeaveEvent(QDragLeaveEvent *event)
{
    ShowDropLine(-1);
    QTableView::dragLeaveEvent(event);
}

void TFileListView::dropEvent(QDropEvent *event)
{
    const int target = InsertionRow(event->position().toPoint());
    ShowDropLine(-1);
    if (IsOwnDrag(event)) {
        event->acceptProposedAction();
        emit RowsDropped(target);
        return;
    }
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit FilesDropped(paths, target);
}

void TFileListView::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit ActivateRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TFileListView::ShowDropLine(int row)
{
    if (row == dropLine)
        return;
    dropLine = row;
    viewport()->update();
}

void TFileListView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (dropLine < 0)
        return;
    const int rows = model()->rowCount();
    const int y = dropLine < rows ? rowViewportPosition(dropLine)
                                  : (rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0);
    QPainter painter(viewport());
    painter.setPen(QPen(SkinPalette::Accent, 2));
    painter.drawLine(0, std::max(y, 1), viewport()->width(), std::max(y, 1));
}

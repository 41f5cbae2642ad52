#include "MergerForm_Unit1.h"

#include "AddFileForm_Unit1.h"
#include "FormParts.h"
#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "FileListView.h"
#include "OptionsForm_Unit1.h"
#include "MessageBox.h"
#include "MethodForm_Unit1.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "ShellOpen.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>

#include <algorithm>

TMergerForm *MergerForm = nullptr;

namespace {

enum Column { ItemColumn, FileNameColumn, SizeColumn, TotalPagesColumn, PageRangeColumn, PageSortColumn, ColumnCount };

enum NameItem { CustomizeItem, FirstLastItem, LastFirstItem };

const QString titleStyle = QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';");
const QString headingStyle = QStringLiteral("color: #1F2A37; font: bold 13px 'DejaVu Sans';");
const QString bodyStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");

const MuiContext &Context()
{
    static const MuiContext none;
    const MuiContext *context = CurrentMuiContext();
    return context ? *context : none;
}

QString RangeText(int rangeType)
{
    switch (rangeType) {
    case 1:
        return TMergerForm::tr("Odd");
    case 2:
        return TMergerForm::tr("Even");
    case 3:
        return TMergerForm::tr("Part");
    default:
        return TMergerForm::tr("All");
    }
}

QString SortText(int pageSort)
{
    return pageSort == 1 ? TMergerForm::tr("Reverse") : TMergerForm::tr("Sequence");
}

// The documents folder, or the home folder on a desktop that has none.
QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// The desktop's own file dialog would look like nothing else in the
// application; Qt's takes the application's look.
constexpr QFileDialog::Options DialogOptions = QFileDialog::DontUseNativeDialog;

// A hint names the keys that run the command as well.
void ShowShortcutInHint(QAction *action)
{
    const QKeySequence keys = action->shortcut();
    if (!keys.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(action->iconText(), keys.toString(QKeySequence::NativeText)));
}

// A file's name without its last extension ("x.y.pdf" gives "x.y").
QString BaseName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

// Opening a FIFO, a socket or a device can block for ever, and none of them
// is a PDF file: such paths are left out before anything opens them.
bool IsSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir() && !info.isFile();
}

// Name order as file managers show it: letters without regard to case, runs
// of digits by their value, so "file2" comes before "file10".
bool NaturalLess(const QString &left, const QString &right)
{
    qsizetype l = 0;
    qsizetype r = 0;
    while (l < left.size() && r < right.size()) {
        if (left[l].isDigit() && right[r].isDigit()) {
            const qsizetype leftStart = l;
            const qsizetype rightStart = r;
            while (l < left.size() && left[l].isDigit())
                ++l;
            while (r < right.size() && right[r].isDigit())
                ++r;
            // Leading zeros aside, the longer run is the larger number.
            QStringView leftRun = QStringView(left).mid(leftStart, l - leftStart);
            QStringView rightRun = QStringView(right).mid(rightStart, r - rightStart);
            while (leftRun.size() > 1 && leftRun.front() == u'0')
                leftRun = leftRun.mid(1);
            while (rightRun.size() > 1 && rightRun.front() == u'0')
                rightRun = rightRun.mid(1);
            if (leftRun.size() != rightRun.size())
                return leftRun.size() < rightRun.size();
            if (const int order = leftRun.compare(rightRun); order != 0)
                return order < 0;
            continue;
        }
        const QChar leftFolded = left[l].toCaseFolded();
        const QChar rightFolded = right[r].toCaseFolded();
        if (leftFolded != rightFolded)
            return leftFolded < rightFolded;
        ++l;
        ++r;
    }
    if (left.size() - l != right.size() - r)
        return left.size() - l < right.size() - r;
    return left < right; // the same but for case: a fixed order all the same
}

QAction *Action(QObject *parent, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TMergerForm::TMergerForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MergerForm"));
    CreateActions();
    CreateComponents();
    CreateMenus();
    ConnectHandlers();
    FormCreate();
}

TMergerForm::~TMergerForm()
{
    // The records belong to the rows; none outlives the window.
    ClearItemInfos();
}

void TMergerForm::CreateActions()
{
    AddFileAct = Action(this, "AddFileAct", tr("Add Files"));
    AddFolderAct = Action(this, "AddFolderAct", tr("Add Folder"));
    RemoveAct = Action(this, "RemoveAct", tr("Remove"));
    ClearAct = Action(this, "ClearAct", tr("Clear"));
    UpAct = Action(this, "UpAct", tr("Move Up"));
    DownAct = Action(this, "DownAct", tr("Move Down"));
    MethodAct = Action(this, "MethodAct", tr("Method"));
    OptionsAct = Action(this, "OptionsAct", tr("Options"));
    MergeAct = Action(this, "MergeAct", tr("Merge"));
    BrowseAct = Action(this, "BrowseAct", tr("Browse"));
    OpenAct = Action(this, "OpenAct", tr("Open"));
    HelpContentAct = Action(this, "HelpContentAct", tr("Help Content"));
    SupportAct = Action(this, "SupportAct", tr("Support"));
    HomepageAct = Action(this, "HomepageAct", tr("Home Page"));
    AboutAct = Action(this, "AboutAct", tr("About"));
}

void TMergerForm::CreateComponents()
{
    ssSkinForm1 = SkinForm(this, QStringLiteral("main.png"));

    lblTitle = Label(this, "lblTitle", QString(), QPoint(46, 13), titleStyle);
    lblTitle->setFixedWidth(520);
    btnMin = SkinButton(this, "btnMin", QStringLiteral("btn_min.png"), QPoint(width() - 74, 10));
    btnClose = SkinButton(this, "btnClose", QStringLiteral("btn_close.png"), QPoint(width() - 42, 10));

    btnAddFile = SkinButton(this, "btnAddFile", QStringLiteral("btn_addfiles.png"), QPoint(16, 53));
    btnMethod = SkinButton(this, "btnMethod", QStringLiteral("btn_method.png"), QPoint(134, 53));
    btnOptions = SkinButton(this, "btnOptions", QStringLiteral("btn_options.png"), QPoint(252, 53));
    btnHelp = SkinButton(this, "btnHelp", QStringLiteral("btn_help.png"), QPoint(614, 53), 4, tr("Help"));
    // Tab skips the title band's buttons: from the keyboard the window
    // manager minimises and closes (closing asks first either way).
    btnMin->setFocusPolicy(Qt::NoFocus);
    btnClose->setFocusPolicy(Qt::NoFocus);
    btnMin->setAccessibleName(tr("Minimize"));
    btnMin->setToolTip(tr("Minimize"));
    btnClose->setAccessibleName(tr("Close"));
    btnClose->setToolTip(tr("Close"));
    btnAddFile->SetAction(AddFileAct);
    btnMethod->SetAction(MethodAct);
    btnOptions->SetAction(OptionsAct);

    TntLV = new TFileListView(ColumnCount, this);
    TntLV->setObjectName(QStringLiteral("TntLV"));
    TntLV->setAccessibleName(tr("Files to merge"));
    TntLV->setGeometry(17, 109, 686, 258);
    TntLV->setFrameShape(QFrame::NoFrame);
    TntLV->setHorizontalHeaderLabels(
        {tr("Item"), tr("File Name"), tr("Size"), tr("Total Pages"), tr("Page Range"), tr("Page Sort")});
    TntLV->setShowGrid(true);
    TntLV->setSelectionBehavior(QAbstractItemView::SelectRows);
    TntLV->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TntLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TntLV->setWordWrap(false);
    TntLV->setTextElideMode(Qt::ElideMiddle);
    TntLV->setContextMenuPolicy(Qt::CustomContextMenu);
    TntLV->verticalHeader()->hide();
    TntLV->verticalHeader()->setDefaultSectionSize(24);
    QHeaderView *header = TntLV->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    header->resizeSection(ItemColumn, 60);
    header->resizeSection(FileNameColumn, 150);
    header->resizeSection(SizeColumn, 108);
    header->resizeSection(TotalPagesColumn, 100);
    header->resizeSection(PageRangeColumn, 100);
    header->resizeSection(PageSortColumn, 100);
    // The selection stays as visible when the list loses the focus.
    QPalette palette = TntLV->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    TntLV->setPalette(palette);

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", QStringLiteral("btn_remove.png"), QPoint(16, 378));
    ssSkinButton2 = SkinButton(this, "ssSkinButton2", QStringLiteral("btn_clear.png"), QPoint(120, 378));
    ssSkinButton3 = SkinButton(this, "ssSkinButton3", QStringLiteral("btn_moveup.png"), QPoint(224, 378));
    ssSkinButton4 = SkinButton(this, "ssSkinButton4", QStringLiteral("btn_movedown.png"), QPoint(328, 378));
    ssSkinButton1->SetAction(RemoveAct);
    ssSkinButton2->SetAction(ClearAct);
    ssSkinButton3->SetAction(UpAct);
    ssSkinButton4->SetAction(DownAct);

    TntLabel1 = Label(this, "TntLabel1", tr("Output Setting"), QPoint(38, 427), headingStyle);
    TntLabel2 = Label(this, "TntLabel2", tr("File Name:"), QPoint(30, 460), bodyStyle);
    TntLabel3 = Label(this, "TntLabel3", tr("Destination Folder:"), QPoint(30, 492), bodyStyle);

    cbFileName = new QComboBox(this);
    cbFileName->setObjectName(QStringLiteral("cbFileName"));
    cbFileName->setGeometry(160, 455, 236, 26);
    cbFileName->addItems({tr("Customize"), tr("FirstFilename_LastFilename"), tr("LastFilename_FirstFilename")});
    cbFileName->setAccessibleName(tr("File Name"));
    TntLabel2->setBuddy(cbFileName);
    // A typed name is only ever the output name, never a new item.
    cbFileName->setInsertPolicy(QComboBox::NoInsert);

    edtOutputFolder = new QLineEdit(this);
    edtOutputFolder->setObjectName(QStringLiteral("edtOutputFolder"));
    edtOutputFolder->setGeometry(160, 487, 236, 26);
    edtOutputFolder->setReadOnly(true);
    edtOutputFolder->setAccessibleName(tr("Destination Folder"));
    TntLabel3->setBuddy(edtOutputFolder);

    ssSkinButton5 = SkinButton(this, "ssSkinButton5", QStringLiteral("btn_browse.png"), QPoint(404, 486));
    ssSkinButton6 = SkinButton(this, "ssSkinButton6", QStringLiteral("btn_open.png"), QPoint(484, 486));
    ssSkinButton7 = SkinButton(this, "ssSkinButton7", QStringLiteral("btn_merge.png"), QPoint(576, 441));
    ssSkinButton5->SetAction(BrowseAct);
    ssSkinButton6->SetAction(OpenAct);
    ssSkinButton7->SetAction(MergeAct);
}

void TMergerForm::CreateMenus()
{
    popMenuAddFile = new QMenu(this);
    popMenuAddFile->setObjectName(QStringLiteral("popMenuAddFile"));
    popMenuAddFile->addAction(AddFileAct);
    popMenuAddFile->addAction(AddFolderAct);
    popMenuAddFile->addSeparator();
    popMenuAddFile->addAction(UpAct);
    popMenuAddFile->addAction(DownAct);
    popMenuAddFile->addSeparator();
    popMenuAddFile->addAction(RemoveAct);
    popMenuAddFile->addAction(ClearAct);

    popMenuHelp = new QMenu(this);
    popMenuHelp->setObjectName(QStringLiteral("popMenuHelp"));
    popMenuHelp->addAction(HelpContentAct);
    popMenuHelp->addAction(SupportAct);
    popMenuHelp->addSeparator();
    popMenuHelp->addAction(HomepageAct);
    popMenuHelp->addSeparator();
    popMenuHelp->addAction(AboutAct);
}

void TMergerForm::ConnectHandlers()
{
    connect(AddFileAct, &QAction::triggered, this, &TMergerForm::AddFileActExecute);
    connect(AddFolderAct, &QAction::triggered, this, &TMergerForm::AddFolderActExecute);
    connect(RemoveAct, &QAction::triggered, this, &TMergerForm::RemoveActExecute);
    connect(ClearAct, &QAction::triggered, this, &TMergerForm::ClearActExecute);
    connect(UpAct, &QAction::triggered, this, &TMergerForm::UpActExecute);
    connect(DownAct, &QAction::triggered, this, &TMergerForm::DownActExecute);
    connect(MethodAct, &QAction::triggered, this, &TMergerForm::MethodActExecute);
    connect(OptionsAct, &QAction::triggered, this, &TMergerForm::OptionsActExecute);
    connect(MergeAct, &QAction::triggered, this, &TMergerForm::MergeActExecute);
    connect(BrowseAct, &QAction::triggered, this, &TMergerForm::BrowseActExecute);
    connect(OpenAct, &QAction::triggered, this, &TMergerForm::OpenActExecute);
    connect(HelpContentAct, &QAction::triggered, this, &TMergerForm::HelpContentActExecute);
    connect(SupportAct, &QAction::triggered, this, &TMergerForm::SupportActExecute);
    connect(HomepageAct, &QAction::triggered, this, &TMergerForm::HomepageActExecute);
    connect(AboutAct, &QAction::triggered, this, &TMergerForm::AboutActExecute);

    connect(btnMin, &TssCustomButton::OnClick, this, &TMergerForm::btnMinClick);
    connect(btnClose, &TssCustomButton::OnClick, this, &TMergerForm::btnCloseClick);
    connect(btnHelp, &TssCustomButton::OnClick, this, &TMergerForm::btnHelpClick);
    connect(cbFileName, &QComboBox::activated, this, &TMergerForm::cbFileNameSelect);
    connect(TntLV, &QTableWidget::cellDoubleClicked, this, &TMergerForm::MethodActExecute);
    connect(TntLV, &TFileListView::ActivateRequested, this, &TMergerForm::MethodActExecute);
    connect(TntLV, &TFileListView::RowsDropped, this, [this](int target) { MoveRows(SelectedRows(), target); });
    connect(TntLV, &TFileListView::FilesDropped, this,
            [this](const QStringList &paths, int target) { WMDropFiles(paths, target); });
    connect(TntLV, &QWidget::customContextMenuRequested, this,
            [this](QPoint place) { popMenuAddFile->popup(TntLV->viewport()->mapToGlobal(place)); });

    // The commands' states follow the list whenever the window goes idle.
    connect(QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMergerForm::UpdateActions);
}

// Keys that run commands: window-wide ones for adding, merging and help;
// the list's own for removing and moving its rows, so that Delete in the name
// box still deletes a character.
void TMergerForm::CreateShortcuts()
{
    AddFileAct->setShortcut(QKeySequence::Open);
    MergeAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    HelpContentAct->setShortcut(QKeySequence::HelpContents);
    for (QAction *windowWide : {AddFileAct, MergeAct, HelpContentAct})
        addAction(windowWide);
    RemoveAct->setShortcut(QKeySequence::Delete);
    UpAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    DownAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    for (QAction *listOwn : {RemoveAct, UpAct, DownAct}) {
        listOwn->setShortcutContext(Qt::WidgetShortcut);
        TntLV->addAction(listOwn);
    }
    for (QAction *action : actions() + TntLV->actions())
        ShowShortcutInHint(action);
}

// Top to bottom, left to right, as the window reads.
void TMergerForm::SetTabOrder()
{
    QWidget *const order[] = {btnAddFile,    btnMethod,     btnOptions, btnHelp,         TntLV,
                              ssSkinButton1, ssSkinButton2, ssSkinButton3, ssSkinButton4, cbFileName,
                              edtOutputFolder, ssSkinButton5, ssSkinButton6, ssSkinButton7};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMergerForm::FormCreate()
{
    const QString title = Context().ProductTitle;
    setWindowTitle(title);
    lblTitle->setText(title);
    MergeAlternately = false;
    SetDefaultOutputFolder();
    sourceFolder = DocumentsFolder();
    options = LoadOutputOptions(OutputOptionsPath(Context().ProductTitle));
    cbFileName->setEditable(true);
    cbFileName->setCompleter(nullptr);
    cbFileName->setCurrentIndex(FirstLastItem);
    setAcceptDrops(true);
    CreateShortcuts();
    SetTabOrder();
    TntLV->setFocus();
    CentreOnPointerScreen();
    UpdateActions();
}

// The window opens in the middle of the screen the user is looking at: the
// one that holds the mouse pointer.
void TMergerForm::CentreOnPointerScreen()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(screen->availableGeometry().center() - rect().center());
}

// Documents/<company>/<product>, created when missing; left empty when the
// desktop has no documents folder.
void TMergerForm::SetDefaultOutputFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return;
    const QString folder = QDir::cleanPath(documents + QDir::separator() + Context().CompanyName + QDir::separator()
                                           + Context().ProductTitle);
    QDir().mkpath(folder);
    edtOutputFolder->setText(QDir::toNativeSeparators(folder));
}

// ---- Rows ------------------------------------------------------------------

TItemInfo *TMergerForm::RowItem(int row) const
{
    const QTableWidgetItem *cell = TntLV->item(row, ItemColumn);
    return cell ? reinterpret_cast<TItemInfo *>(cell->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

QList<TItemInfo *> TMergerForm::RowItems() const
{
    QList<TItemInfo *> items;
    for (int row = 0; row < TntLV->rowCount(); ++row)
        items.append(RowItem(row));
    return items;
}

void TMergerForm::InsertRow(int row, TItemInfo *item)
{
    TntLV->insertRow(row);
    auto *itemCell = new QTableWidgetItem(QString::number(row + 1));
    itemCell->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
    TntLV->setItem(row, ItemColumn, itemCell);
    const QString texts[] = {item->FileName, tr("%1KB").arg(item->SizeKB),
                             QString::number(item->TotalPages), RangeText(item->RangeType),
                             SortText(item->PageSort)};
    for (int column = FileNameColumn; column < ColumnCount; ++column) {
        auto *cell = new QTableWidgetItem(texts[column - FileNameColumn]);
        cell->setTextAlignment(Qt::AlignCenter);
        TntLV->setItem(row, column, cell);
    }
}

void TMergerForm::RenumberRows()
{
    for (int row = 0; row < TntLV->rowCount(); ++row)
        TntLV->item(row, ItemColumn)->setText(QString::number(row + 1));
}

// The target row takes over the source row's record and texts; the Item text
// is set by RenumberRows.
void TMergerForm::CopyRow(int sourceRow, int targetRow)
{
    auto *itemCell = new QTableWidgetItem;
    itemCell->setData(Qt::UserRole, TntLV->item(sourceRow, ItemColumn)->data(Qt::UserRole));
    TntLV->setItem(targetRow, ItemColumn, itemCell);
    for (int column = FileNameColumn; column < ColumnCount; ++column)
        TntLV->setItem(targetRow, column, TntLV->item(sourceRow, column)->clone());
}

int TMergerForm::FocusedRow() const
{
    const QModelIndex current = TntLV->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QList<int> TMergerForm::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : TntLV->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TMergerForm::SelectOnly(int row)
{
    TntLV->setCurrentCell(row, ItemColumn, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    TntLV->scrollToItem(TntLV->item(row, ItemColumn));
}

void TMergerForm::ShowItemMethod(TItemInfo *item)
{
    const int row = FocusedRow();
    if (row < 0)
        return;
    TntLV->item(row, PageRangeColumn)->setText(RangeText(item->RangeType));
    TntLV->item(row, PageSortColumn)->setText(SortText(item->PageSort));
}

void TMergerForm::ClearAllItems()
{
    TntLV->setRowCount(0);
    ClearItemInfos();
}

// ---- Adding ------------------------------------------------------------------

int TMergerForm::AddPaths(const QStringList &paths, int insertAt)
{
    QStringList measurable;
    for (const QString &path : paths) {
        if (!IsSpecialFile(path))
            measurable.append(path);
    }
    if (measurable.isEmpty())
        return 0;

    QList<TItemInfo> measured;
    {
        TAddFileForm dialog(this, measurable, measured);
        dialog.exec(); // stopped or not, it hands back what it measured
    }
    int row = insertAt < 0 || insertAt > TntLV->rowCount() ? TntLV->rowCount() : insertAt;
    for (const TItemInfo &item : measured) {
        TItemInfo *record = NewItemInfo();
        *record = item;
        InsertRow(row++, record);
    }
    RenumberRows();
    return static_cast<int>(measured.size());
}

int TMergerForm::AddFolderFiles(const QString &folder, int insertAt)
{
    QDir directory(folder);
    directory.setNameFilters({QStringLiteral("*.pdf")}); // matched without regard to case
    directory.setFilter(QDir::Files | QDir::Hidden);
    QStringList names = directory.entryList();
    std::sort(names.begin(), names.end(), NaturalLess);

    QString prefix = folder;
    if (!prefix.endsWith(QDir::separator()))
        prefix += QDir::separator();
    QStringList paths;
    for (const QString &name : names)
        paths.append(prefix + name);
    return AddPaths(paths, insertAt);
}

// Each batch lands after the one before it, so the dropped items keep their
// order where they were dropped.
void TMergerForm::WMDropFiles(const QStringList &paths, int insertAt)
{
    int at = insertAt;
    const auto advance = [&at](int added) {
        if (at >= 0)
            at += added;
    };
    QStringList collected;
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir()) {
            advance(AddPaths(collected, at));
            collected.clear();
            advance(AddFolderFiles(path, at));
        } else {
            collected.append(path);
        }
    }
    AddPaths(collected, at);
}

void TMergerForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMergerForm::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    WMDropFiles(paths);
}

// The file and folder dialogs start where the user last picked sources in
// this run (the documents folder at first).
void TMergerForm::AddFileActExecute()
{
    QFileDialog dialog(this, tr("Select PDF File"), sourceFolder, tr("PDF files") + QStringLiteral(" (*.pdf *.PDF)"));
    dialog.setObjectName(QStringLiteral("AddFileDialog"));
    dialog.setOptions(DialogOptions);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList paths = dialog.selectedFiles();
    if (!paths.isEmpty())
        sourceFolder = QFileInfo(paths.first()).absolutePath();
    AddPaths(paths);
}

void TMergerForm::AddFolderActExecute()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Please Select PDF Folder"), sourceFolder,
                                                             DialogOptions | QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    sourceFolder = folder;
    AddFolderFiles(folder);
}

// ---- Removing and moving -----------------------------------------------------

void TMergerForm::RemoveActExecute()
{
    const QList<int> selected = SelectedRows();
    const int remembered = selected.size() == 1 ? selected.first() : 0;
    for (int row : selected)
        DeleteItemInfo(RowItem(row));
    for (auto row = selected.crbegin(); row != selected.crend(); ++row)
        TntLV->removeRow(*row);
    if (TntLV->rowCount() > 0)
        SelectOnly(std::min(remembered, TntLV->rowCount() - 1));
    RenumberRows();
}

void TMergerForm::ClearActExecute()
{
    ClearAllItems();
}

void TMergerForm::MoveRows(const QList<int> &rows, int target)
{
    if (rows.isEmpty())
        return;
    QList<QList<QTableWidgetItem *>> moved;
    for (int row : rows) {
        QList<QTableWidgetItem *> cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells.append(TntLV->takeItem(row, column));
        moved.append(cells);
    }
    for (auto row = rows.crbegin(); row != rows.crend(); ++row)
        TntLV->removeRow(*row);
    const int before = static_cast<int>(std::count_if(rows.begin(), rows.end(), [target](int row) { return row < target; }));
    const int first = std::clamp(target - before, 0, TntLV->rowCount());
    for (int i = 0; i < moved.size(); ++i) {
        TntLV->insertRow(first + i);
        for (int column = 0; column < ColumnCount; ++column)
            TntLV->setItem(first + i, column, moved[i][column]);
    }
    TntLV->setCurrentCell(first, ItemColumn, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int i = 1; i < moved.size(); ++i)
        TntLV->selectionModel()->select(TntLV->model()->index(first + i, ItemColumn),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    RenumberRows();
}

// The focused row is copied into a new row at `targetRow` and the old row is
// deleted; records and ItemInfoList stay as they are.
void TMergerForm::MoveFocusedRow(int targetRow)
{
    const int focused = FocusedRow();
    TntLV->insertRow(targetRow);
    const int source = targetRow <= focused ? focused + 1 : focused;
    CopyRow(source, targetRow);
    TntLV->removeRow(source);
    SelectOnly(targetRow < source ? targetRow : targetRow - 1);
    RenumberRows();
}

void TMergerForm::UpActExecute()
{
    const int focused = FocusedRow();
    if (focused <= 0)
        return;
    MoveFocusedRow(focused - 1);
}

void TMergerForm::DownActExecute()
{
    const int focused = FocusedRow();
    if (focused < 0 || focused >= TntLV->rowCount() - 1)
        return;
    MoveFocusedRow(focused + 2);
}

// ---- Method, options, merge ----------------------------------------------------

void TMergerForm::MethodActExecute()
{
    const int focused = FocusedRow();
    if (focused < 0)
        return;
    TItemInfo *item = RowItem(focused);
    TMethodForm dialog(this, *item);
    if (dialog.exec() == mrOk)
        ShowItemMethod(item);
}

// OK keeps the values for the merges that follow, in this run and the next ones.
void TMergerForm::OptionsActExecute()
{
    TOptionsForm dialog(this, options);
    if (dialog.exec() != mrOk)
        return;
    options = dialog.Values();
    SaveOutputOptions(OutputOptionsPath(Context().ProductTitle), options);
}

void TMergerForm::cbFileNameSelect(int index)
{
    if (index == CustomizeItem) {
        cbFileName->setEditable(true);
        cbFileName->setCompleter(nullptr);
        cbFileName->setCurrentIndex(-1);
        cbFileName->clearEditText();
        cbFileName->setFocus();
    } else {
        cbFileName->setEditable(false);
    }
}

int TMergerForm::SelectedNameItem() const
{
    const int index = cbFileName->currentIndex();
    return index >= 0 && cbFileName->currentText() == cbFileName->itemText(index) ? index : -1;
}

QString TMergerForm::BuildOutputName() const
{
    const QString text = cbFileName->currentText();
    if (text.isEmpty())
        return {};
    const int item = SelectedNameItem();
    if (item < 0) {
        const qsizetype dot = text.lastIndexOf(u'.');
        if (dot <= 0 || text.mid(dot).toLower() != QStringLiteral(".pdf"))
            return text + QStringLiteral(".pdf");
        return text;
    }
    if ((item != FirstLastItem && item != LastFirstItem) || TntLV->rowCount() == 0)
        return {};
    const QString first = BaseName(RowItem(0)->FileName);
    const QString last = BaseName(RowItem(TntLV->rowCount() - 1)->FileName);
    return item == FirstLastItem ? first + u'-' + last + QStringLiteral(".pdf")
                                 : last + u'-' + first + QStringLiteral(".pdf");
}

bool TMergerForm::PrepareMergeJob(QList<TItemInfo *> &job, QString &outputPath)
{
    if (TntLV->rowCount() < 2) {
        ShowMessageBox(this, tr("Please add more than one file to merge"), QMessageBox::Information);
        return false;
    }
    const QString name = BuildOutputName();
    if (name.isEmpty()) {
        ShowMessageBox(this, tr("Please enter the output file name"), QMessageBox::Information);
        return false;
    }
    const QString folder = QDir::fromNativeSeparators(edtOutputFolder->text());
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        QDir().mkpath(folder); // a folder that cannot be made fails the merge itself
    outputPath = folder + u'/' + name;
    if (QFileInfo::exists(outputPath)
        && ShowMessageBox(this, tr("The PDF file already exists,replace it?"), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes) {
        cbFileName->setFocus();
        return false;
    }
    job = RowItems();
    return true;
}

void TMergerForm::MergeActExecute()
{
    QList<TItemInfo *> job;
    QString outputPath;
    if (PrepareMergeJob(job, outputPath))
        RunMergeJob(job, outputPath);
}

// The job list stays unchanged while the dialog runs; the records stay afterwards.
void TMergerForm::RunMergeJob(const QList<TItemInfo *> &job, const QString &outputPath)
{
    TConvertForm progress(this, job, outputPath, options);
    progress.exec();
}

// ---- Destination folder, help and links ---------------------------------------

// Starts in the destination folder, the one last chosen in this run.
void TMergerForm::BrowseActExecute()
{
    const QString current = QDir::fromNativeSeparators(edtOutputFolder->text());
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Please Select Output Folder"),
                                                             QFileInfo(current).isDir() ? current : DocumentsFolder(),
                                                             DialogOptions | QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty())
        edtOutputFolder->setText(QDir::toNativeSeparators(folder));
}

void TMergerForm::OpenActExecute()
{
    ShellOpen(edtOutputFolder->text());
}

void TMergerForm::HelpContentActExecute()
{
    ShellOpenHelp(Context().ApplicationFolder);
}

void TMergerForm::SupportActExecute()
{
    ShellOpen(Context().SupportLink);
}

void TMergerForm::HomepageActExecute()
{
    ShellOpen(Context().HomePageLink);
}

void TMergerForm::AboutActExecute()
{
    TAboutForm about(this);
    about.exec();
}

// ---- Enabled rules -------------------------------------------------------------

void TMergerForm::UpdateActions()
{
    RemoveActUpdate();
    ClearActUpdate();
    UpActUpdate();
    DownActUpdate();
    MethodActUpdate();
    OptionsActUpdate();
}

void TMergerForm::RemoveActUpdate()
{
    RemoveAct->setEnabled(!SelectedRows().isEmpty());
}

void TMergerForm::ClearActUpdate()
{
    ClearAct->setEnabled(TntLV->rowCount() > 0);
}

void TMergerForm::UpActUpdate()
{
    const int focused = FocusedRow();
    UpAct->setEnabled(focused >= 0 && SelectedRows().size() == 1 && focused > 0);
}

void TMergerForm::DownActUpdate()
{
    const int focused = FocusedRow();
    DownAct->setEnabled(focused >= 0 && SelectedRows().size() == 1 && focused < TntLV->rowCount() - 1);
}

void TMergerForm::MethodActUpdate()
{
    MethodAct->setEnabled(FocusedRow() >= 0 && SelectedRows().size() == 1);
}

// Options and Merge both need a list with at least one row.
void TMergerForm::OptionsActUpdate()
{
    const bool hasRows = TntLV->rowCount() > 0;
    OptionsAct->setEnabled(hasRows);
    MergeAct->setEnabled(hasRows);
}

// ---- Window --------------------------------------------------------------------

void TMergerForm::btnMinClick()
{
    showMinimized();
}

void TMergerForm::btnCloseClick()
{
    close();
}

void TMergerForm::btnHelpClick()
{
    popMenuHelp->popup(btnHelp->mapToGlobal(QPoint(0, btnHelp->height())));
}

// Every way of closing the window asks first when files are listed.
void TMergerForm::closeEvent(QCloseEvent *event)
{
    if (TntLV->rowCount() > 0
        && ShowMessageBox(this, tr("Are you sure to exit?"), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    ClearAllItems();
    event->accept();
    emit closed();
}

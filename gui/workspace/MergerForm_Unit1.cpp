#include "MergerForm_Unit1.h"

#include "AddFileForm_Unit1.h"
#include "FormParts.h"
#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "FileListModel.h"
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
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

TMergerForm *MergerForm = nullptr;

namespace {

enum NameItem { CustomizeItem, FirstLastItem, LastFirstItem };

const QString titleStyle = QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';");
const QString headingStyle = QStringLiteral("color: #1F2A37; font: bold 13px 'DejaVu Sans';");
const QString bodyStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");

// Where main.png leaves room for the parts, in its own pixels.
namespace Room {
const int titleLeft = 46;         // right of the application icon
const int titleTop = 10;
const int titleTextDrop = 3;      // the title's text below the title buttons' top
const int titleRight = 14;
const int titleButtonGap = 4;
const int titleToToolbar = 19;
const int toolbarLeft = 16;
const int toolbarRight = 16;
const int buttonGap = 6;
const int toolbarToList = 22;
const int listSides = 17;         // inside the list's frame
const int listRow = 24;
const int listToButtons = 11;
const int buttonsToOutput = 19;
const int outputLeft = 30;
const int headingIndent = 8;
const int headingPitch = 28;      // from the heading's top to the first field's
const int labelColumn = 130;      // the fields start this far right of the labels
const int labelGap = 8;           // at least this between a long label and its field
const QSize field(236, 26);
const int nameLabelDrop = 5;      // a label's text below the top of its row
const int folderLabelDrop = 6;
const int fieldGap = 5;
const int folderButtonsLeft = 8;
const int mergeTop = 14;          // below the heading's top
const int mergeRight = 28;
const int bottom = 26;
// Where the picture grows when a longer caption needs room: a column
// through the middle of every band and card, a row through the list.
const QPoint growLine(300, 250);
const int columnWidths[] = {60, 150, 108, 100, 100, 100};
} // namespace Room

const MuiContext &Context()
{
    static const MuiContext none;
    const MuiContext *context = CurrentMuiContext();
    return context ? *context : none;
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

TMergerForm::~TMergerForm() = default;

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
    ssSkinForm1->SetGrowLine(Room::growLine);
    CreateTitleBand();
    CreateToolbar();
    CreateFileList();
    CreateListButtons();
    CreateOutputSetting();
    LayOut();
}

void TMergerForm::CreateTitleBand()
{
    lblTitle = Label(this, "lblTitle", QString(), titleStyle);
    // The text starts at the top of its room, as the band places it: centred
    // in a box a fraction of a pixel taller than the text, it would sink by
    // a pixel at 150% and 200%.
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    btnMin = SkinButton(this, "btnMin", QStringLiteral("btn_min.png"));
    btnClose = SkinButton(this, "btnClose", QStringLiteral("btn_close.png"));
    // Tab skips the title band's buttons: from the keyboard the window
    // manager minimises and closes (closing asks first either way).
    btnMin->setFocusPolicy(Qt::NoFocus);
    btnClose->setFocusPolicy(Qt::NoFocus);
    btnMin->setAccessibleName(tr("Minimize"));
    btnMin->setToolTip(tr("Minimize"));
    btnClose->setAccessibleName(tr("Close"));
    btnClose->setToolTip(tr("Close"));
}

void TMergerForm::CreateToolbar()
{
    btnAddFile = SkinButton(this, "btnAddFile", QStringLiteral("btn_addfiles.png"));
    btnMethod = SkinButton(this, "btnMethod", QStringLiteral("btn_method.png"));
    btnOptions = SkinButton(this, "btnOptions", QStringLiteral("btn_options.png"));
    btnHelp = SkinButton(this, "btnHelp", QStringLiteral("btn_help.png"), 4, tr("Help"));
    btnAddFile->SetAction(AddFileAct);
    btnMethod->SetAction(MethodAct);
    btnOptions->SetAction(OptionsAct);
}

void TMergerForm::CreateFileList()
{
    files = new TFileListModel(this);
    TntLV = new TFileListView(this);
    TntLV->setModel(files);
    TntLV->setObjectName(QStringLiteral("TntLV"));
    TntLV->setAccessibleName(tr("Files to merge"));
    TntLV->setFrameShape(QFrame::NoFrame);
    TntLV->setShowGrid(true);
    TntLV->setSelectionBehavior(QAbstractItemView::SelectRows);
    TntLV->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TntLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TntLV->setWordWrap(false);
    TntLV->setTextElideMode(Qt::ElideMiddle);
    TntLV->setContextMenuPolicy(Qt::CustomContextMenu);
    TntLV->verticalHeader()->hide();
    TntLV->verticalHeader()->setDefaultSectionSize(Room::listRow);
    QHeaderView *header = TntLV->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    // A heading longer than its column in another language widens it.
    for (int column = 0; column < TFileListModel::ColumnCount; ++column)
        header->resizeSection(column, std::max(Room::columnWidths[column], header->sectionSizeHint(column)));
    // The selection stays as visible when the list loses the focus.
    QPalette palette = TntLV->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    TntLV->setPalette(palette);
}

void TMergerForm::CreateListButtons()
{
    ssSkinButton1 = SkinButton(this, "ssSkinButton1", QStringLiteral("btn_remove.png"));
    ssSkinButton2 = SkinButton(this, "ssSkinButton2", QStringLiteral("btn_clear.png"));
    ssSkinButton3 = SkinButton(this, "ssSkinButton3", QStringLiteral("btn_moveup.png"));
    ssSkinButton4 = SkinButton(this, "ssSkinButton4", QStringLiteral("btn_movedown.png"));
    ssSkinButton1->SetAction(RemoveAct);
    ssSkinButton2->SetAction(ClearAct);
    ssSkinButton3->SetAction(UpAct);
    ssSkinButton4->SetAction(DownAct);
}

void TMergerForm::CreateOutputSetting()
{
    TntLabel1 = Label(this, "TntLabel1", tr("Output Setting"), headingStyle);
    TntLabel2 = Label(this, "TntLabel2", tr("File Name:"), bodyStyle);
    TntLabel3 = Label(this, "TntLabel3", tr("Destination Folder:"), bodyStyle);

    cbFileName = new QComboBox(this);
    cbFileName->setObjectName(QStringLiteral("cbFileName"));
    cbFileName->setFixedSize(Room::field);
    cbFileName->addItems({tr("Customize"), tr("FirstFilename_LastFilename"), tr("LastFilename_FirstFilename")});
    cbFileName->setAccessibleName(tr("File Name"));
    TntLabel2->setBuddy(cbFileName);
    // A typed name is only ever the output name, never a new item.
    cbFileName->setInsertPolicy(QComboBox::NoInsert);

    edtOutputFolder = new QLineEdit(this);
    edtOutputFolder->setObjectName(QStringLiteral("edtOutputFolder"));
    edtOutputFolder->setFixedSize(Room::field);
    edtOutputFolder->setReadOnly(true);
    edtOutputFolder->setAccessibleName(tr("Destination Folder"));
    TntLabel3->setBuddy(edtOutputFolder);

    ssSkinButton5 = SkinButton(this, "ssSkinButton5", QStringLiteral("btn_browse.png"));
    ssSkinButton6 = SkinButton(this, "ssSkinButton6", QStringLiteral("btn_open.png"));
    ssSkinButton7 = SkinButton(this, "ssSkinButton7", QStringLiteral("btn_merge.png"));
    ssSkinButton5->SetAction(BrowseAct);
    ssSkinButton6->SetAction(OpenAct);
    ssSkinButton7->SetAction(MergeAct);
}

// A row of widgets from `left`, `gap` apart, then the rest of the width.
QHBoxLayout *TMergerForm::Row(int left, int gap, std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(left, 0, 0, 0);
    row->setSpacing(gap);
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

// Top to bottom as main.png draws it: the title band, the toolbar, the list
// (which takes what height is left), the list's buttons, the output setting.
void TMergerForm::LayOut()
{
    QHBoxLayout *title = Row(Room::titleLeft, Room::titleButtonGap, {});
    lblTitle->setContentsMargins(0, Room::titleTextDrop, 0, 0);
    title->insertWidget(0, lblTitle, 0, Qt::AlignLeft | Qt::AlignTop);
    title->addWidget(btnMin);
    title->addWidget(btnClose);
    title->setContentsMargins(Room::titleLeft, Room::titleTop, Room::titleRight, 0);
    QHBoxLayout *toolbar = Row(Room::toolbarLeft, Room::buttonGap, {btnAddFile, btnMethod, btnOptions});
    toolbar->addWidget(btnHelp);
    toolbar->setContentsMargins(Room::toolbarLeft, 0, Room::toolbarRight, 0);
    auto *list = new QHBoxLayout;
    list->setContentsMargins(Room::listSides, 0, Room::listSides, 0);
    list->addWidget(TntLV);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, Room::bottom);
    form->setSpacing(0);
    form->addLayout(title);
    form->addSpacing(Room::titleToToolbar);
    form->addLayout(toolbar);
    form->addSpacing(Room::toolbarToList);
    form->addLayout(list, 1);
    form->addSpacing(Room::listToButtons);
    form->addLayout(Row(Room::toolbarLeft, Room::buttonGap, {ssSkinButton1, ssSkinButton2, ssSkinButton3, ssSkinButton4}));
    form->addSpacing(Room::buttonsToOutput);
    form->addLayout(OutputSettingLayout());
}

// The heading over a grid of label and field; Browse and Open beside the
// folder; Merge at the right. A longer label moves its field right.
QLayout *TMergerForm::OutputSettingLayout()
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(Room::fieldGap);
    grid->setColumnMinimumWidth(0, Room::labelColumn);
    grid->addWidget(TntLabel2, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(cbFileName, 0, 1);
    grid->addWidget(TntLabel3, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(edtOutputFolder, 1, 1);
    QHBoxLayout *folderButtons = Row(Room::folderButtonsLeft, Room::buttonGap, {ssSkinButton5, ssSkinButton6});
    grid->addLayout(folderButtons, 1, 2);
    TntLabel2->setContentsMargins(0, Room::nameLabelDrop, Room::labelGap, 0);
    TntLabel3->setContentsMargins(0, Room::folderLabelDrop, Room::labelGap, 0);

    auto *fields = new QVBoxLayout;
    fields->setSpacing(0);
    fields->addLayout(Row(Room::headingIndent, 0, {TntLabel1}));
    fields->addSpacing(Room::headingPitch - TntLabel1->sizeHint().height());
    fields->addLayout(grid);
    auto *merge = new QVBoxLayout;
    merge->addSpacing(Room::mergeTop);
    merge->addWidget(ssSkinButton7);
    merge->addStretch();
    auto *output = new QHBoxLayout;
    output->setContentsMargins(Room::outputLeft, 0, Room::mergeRight, 0);
    output->addLayout(fields);
    output->addStretch();
    output->addLayout(merge);
    return output;
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
    connect(TntLV, &QAbstractItemView::doubleClicked, this, &TMergerForm::MethodActExecute);
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
    ssSkinForm1->FitToLayout(); // centred at the size its texts need
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
    return files->Item(row);
}

QList<TItemInfo *> TMergerForm::RowItems() const
{
    return files->Items();
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

// The rows first..first+count-1 become the selection, the first one focused.
void TMergerForm::SelectRows(int first, int count)
{
    QItemSelectionModel *selection = TntLV->selectionModel();
    const QModelIndex top = files->index(first, TFileListModel::ItemColumn);
    selection->setCurrentIndex(top, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (count > 1)
        selection->select(QItemSelection(top, files->index(first + count - 1, TFileListModel::ItemColumn)),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    TntLV->scrollTo(top);
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
    files->InsertItems(insertAt, measured);
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
    files->RemoveItems(selected);
    if (files->rowCount() > 0)
        SelectRows(std::min(remembered, files->rowCount() - 1));
}

void TMergerForm::ClearActExecute()
{
    files->Clear();
}

void TMergerForm::MoveRows(const QList<int> &rows, int target)
{
    const int first = files->MoveItems(rows, target);
    if (first >= 0)
        SelectRows(first, static_cast<int>(rows.size()));
}

void TMergerForm::UpActExecute()
{
    const int focused = FocusedRow();
    if (focused > 0)
        MoveRows({focused}, focused - 1);
}

void TMergerForm::DownActExecute()
{
    const int focused = FocusedRow();
    if (focused >= 0 && focused < files->rowCount() - 1)
        MoveRows({focused}, focused + 2);
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
        files->ItemChanged(focused);
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
    if ((item != FirstLastItem && item != LastFirstItem) || files->rowCount() == 0)
        return {};
    const QString first = BaseName(RowItem(0)->FileName);
    const QString last = BaseName(RowItem(files->rowCount() - 1)->FileName);
    return item == FirstLastItem ? first + u'-' + last + QStringLiteral(".pdf")
                                 : last + u'-' + first + QStringLiteral(".pdf");
}

bool TMergerForm::PrepareMergeJob(QList<TItemInfo *> &job, QString &outputPath)
{
    if (files->rowCount() < 2) {
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
    ClearAct->setEnabled(files->rowCount() > 0);
}

void TMergerForm::UpActUpdate()
{
    const int focused = FocusedRow();
    UpAct->setEnabled(focused >= 0 && SelectedRows().size() == 1 && focused > 0);
}

void TMergerForm::DownActUpdate()
{
    const int focused = FocusedRow();
    DownAct->setEnabled(focused >= 0 && SelectedRows().size() == 1 && focused < files->rowCount() - 1);
}

void TMergerForm::MethodActUpdate()
{
    MethodAct->setEnabled(FocusedRow() >= 0 && SelectedRows().size() == 1);
}

// Options and Merge both need a list with at least one row.
void TMergerForm::OptionsActUpdate()
{
    const bool hasRows = files->rowCount() > 0;
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
    if (files->rowCount() > 0
        && ShowMessageBox(this, tr("Are you sure to exit?"), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    files->Clear();
    event->accept();
    emit closed();
}

#include "OptionsForm_Unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"
#include "SkinGrowth.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStackedLayout>

namespace {

const QString rowStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans'; background: transparent;");
// A check box keeps the style's own box: a background in its style sheet would take it away.
const QString checkStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");
const QString captionStyle = QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';");
const QString tabProperties = QStringLiteral("tab_properties.png");
const QString tabOther = QStringLiteral("tab_other.png");
const QString noteStyle = QStringLiteral("color: #5B6573; font: 11px 'DejaVu Sans'; background: transparent;");

// Where options.png leaves room: the title band, the tabs over the panel
// picture, the buttons below it.
namespace Room {
const QMargins title(16, 7, 10, 0);  // caption at the left, close button at the right
const int titleToTabs = 19;
const int tabsLeft = 20;
const int panelLeft = 21;
const int panelToButtons = 20;
const QMargins buttons(0, 0, 20, 16);
const int buttonGap = 8;
// Inside the panel picture.
const QMargins fields(19, 20, 19, 0);
const int labelColumn = 90;   // the fields start this far right of the labels
const int fieldPitch = 40;    // from one field to the next
const QMargins checks(19, 24, 19, 0);
const int checkPitch = 32;
const int noteIndent = 22;    // a note starts under its check box's text
// Where the pictures grow for longer captions: through the middle of the
// panel's card, in the window's picture and in the panel's own.
const QPoint growLine(220, 175);
const QPoint panelGrowLine(199, 99);
} // namespace Room

const QString panelPicture = QStringLiteral("options_panel.png");

// The panel's picture at the panel's size; the sharper picture, when there is
// one, paints as sharply as the screen allows.
QPixmap PanelPicture(QSize size)
{
    const QImage sharp = SkinArtwork::SharpPicture(panelPicture);
    return QPixmap::fromImage(GrowPicture(sharp.isNull() ? SkinArtwork::Picture(panelPicture) : sharp, Room::panelGrowLine, size));
}

} // namespace

TOptionsForm::TOptionsForm(QWidget *owner, const TOutputOptions &values)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("OptionsForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = SkinForm(this, QStringLiteral("options.png"));
    ssSkinForm1->SetGrowLine(Room::growLine);
    lblCaption = Label(this, "lblCaption", tr("Options"), captionStyle);
    btnClose = AddButton("btnClose", QStringLiteral("btn_close.png"), mrCancel);
    btnClose->setFocusPolicy(Qt::NoFocus);
    btnClose->setAccessibleName(tr("Close"));
    btnProperties = AddButton("btnProperties", tabProperties, mrNone, tr("Properties"));
    btnOther = AddButton("btnOther", tabOther, mrNone, tr("Other"));
    for (TssSkinButton *tab : { btnProperties, btnOther })
        tab->SetMask(false);
    CreatePanels();
    ssSkinButton1 = AddButton("ssSkinButton1", QStringLiteral("dlg_ok.png"), mrOk, tr("OK"));
    ssSkinButton2 = AddButton("ssSkinButton2", QStringLiteral("dlg_cancel.png"), mrCancel, tr("Cancel"));
    LayOut();

    connect(btnProperties, &TssCustomButton::OnClick, this, &TOptionsForm::btnPropertiesClick);
    connect(btnOther, &TssCustomButton::OnClick, this, &TOptionsForm::btnOtherClick);

    LoadValues(values);
    SetTabOrder();
    TntComboBox1->setFocus();
    selectedTab = 0;
    ShowTab();
}

TssSkinButton *TOptionsForm::AddButton(const char *name, const QString &strip, int modalResult, const QString &caption)
{
    bool tab = strip.startsWith(QLatin1String("tab_"));
    TssSkinButton *button = SkinButton(this, name, strip, tab ? 1 : 4, caption);
    if (tab) // a tab face is one image of its list
        button->SetSkin(SkinArtwork::ListImage(strip, 0, 2), SkinArtwork::SharpListImage(strip, 0, 2));
    button->SetModalResult(modalResult);
    return button;
}

// Title band, tabs, the two panels in one place (the selected tab decides
// which shows), and OK and Cancel at the right.
void TOptionsForm::LayOut()
{
    auto *title = new QHBoxLayout;
    title->setContentsMargins(Room::title);
    title->addWidget(lblCaption, 0, Qt::AlignLeft | Qt::AlignVCenter);
    title->addStretch();
    title->addWidget(btnClose);
    auto *tabs = new QHBoxLayout;
    tabs->setContentsMargins(Room::tabsLeft, 0, 0, 0);
    tabs->setSpacing(0);
    tabs->addWidget(btnProperties);
    tabs->addWidget(btnOther);
    tabs->addStretch();
    // Both panels keep the one place, the hidden one too: the card of the
    // window's picture, which they fill as it grows.
    auto *stack = new QStackedLayout;
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(PanelProperties);
    stack->addWidget(PanelOther);
    const int panelRight = ssSkinForm1->Glyph().width() - Room::panelLeft - TntImage1->width();
    auto *panels = new QHBoxLayout;
    panels->setContentsMargins(Room::panelLeft, 0, panelRight, 0);
    panels->addLayout(stack);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(Room::buttons);
    buttons->setSpacing(Room::buttonGap);
    buttons->addStretch();
    buttons->addWidget(ssSkinButton1);
    buttons->addWidget(ssSkinButton2);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addLayout(title);
    form->addSpacing(Room::titleToTabs);
    form->addLayout(tabs);
    form->addLayout(panels, 1);
    form->addSpacing(Room::panelToButtons);
    form->addLayout(buttons);
    // The stack lowers the panel it adds; the background stays beneath them all.
    ssSkinForm1->lower();
}

QWidget *TOptionsForm::PanelWithBackground(const char *name, const char *imageName, QLabel *&image)
{
    const QSize size = SkinArtwork::Picture(panelPicture).size();
    QWidget *panel = CardPanel(this, name, size);
    image = new QLabel(panel);
    image->setObjectName(QLatin1String(imageName));
    image->setPixmap(PanelPicture(size));
    image->setGeometry(QRect(QPoint(0, 0), size));
    panel->installEventFilter(this); // its picture follows its size
    return panel;
}

bool TOptionsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == PanelProperties || watched == PanelOther)) {
        QLabel *image = watched == PanelProperties ? TntImage1 : TntImage2;
        const QSize size = static_cast<QWidget *>(watched)->size();
        if (image->size() != size) {
            image->setPixmap(PanelPicture(size));
            image->setGeometry(QRect(QPoint(0, 0), size));
        }
    }
    return QDialog::eventFilter(watched, event);
}

QCheckBox *TOptionsForm::CheckBox(QWidget *panel, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, panel);
    box->setObjectName(QLatin1String(name));
    box->setStyleSheet(checkStyle);
    box->ensurePolished(); // its size, asked for at once, follows the style's font
    return box;
}

// Each label sits left of its field; a longer label moves the fields right.
void TOptionsForm::CreatePropertiesPanel()
{
    PanelProperties = PanelWithBackground("PanelProperties", "TntImage1", TntImage1);
    auto *grid = new QGridLayout(PanelProperties);
    grid->setContentsMargins(Room::fields);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->setColumnMinimumWidth(0, Room::labelColumn);
    grid->setColumnStretch(1, 1);
    QLabel **labels[] = { &lblTitle, &lblSubject, &lblAuthor, &lblKeywords };
    QComboBox **fields[] = { &TntComboBox1, &TntComboBox2, &TntComboBox3, &TntComboBox4 };
    const char *names[] = { "lblTitle", "lblSubject", "lblAuthor", "lblKeywords" };
    const QString captions[] = { tr("Title:"), tr("Subject:"), tr("Author:"), tr("Keywords:") };
    // What a screen reader says for each field: its label without the colon.
    const QString spoken[] = { tr("Title"), tr("Subject"), tr("Author"), tr("Keywords") };
    for (int row = 0; row < 4; ++row) {
        *labels[row] = Label(PanelProperties, names[row], captions[row], rowStyle);
        auto *field = new QComboBox(PanelProperties);
        field->setObjectName(QStringLiteral("TntComboBox%1").arg(row + 1));
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setFixedHeight(24);
        field->setAccessibleName(spoken[row]);
        (*labels[row])->setBuddy(field);
        *fields[row] = field;
        grid->setRowMinimumHeight(row, Room::fieldPitch);
        grid->addWidget(*labels[row], row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(field, row, 1, Qt::AlignTop);
        (*labels[row])->setContentsMargins(0, 4, 8, 0);
    }
    grid->setRowStretch(4, 1);
}

void TOptionsForm::CreateOtherPanel()
{
    PanelOther = PanelWithBackground("PanelOther", "TntImage2", TntImage2);
    cbOpenFile = CheckBox(PanelOther, "cbOpenFile", tr("Open the file after merging successfully"));
    cbKeepNavigation = CheckBox(PanelOther, "cbKeepNavigation", tr("Keep the whole document"));
    lblKeepNavigationNote = Label(PanelOther, "lblKeepNavigationNote",
                                  tr("Bookmarks, links, form fields, tags, layers, metadata, document settings and "
                                     "attachments; unchecked, only the pages."),
                                  noteStyle);
    lblKeepNavigationNote->setWordWrap(true);
    lblKeepNavigationNote->setContentsMargins(Room::noteIndent, 0, 0, 0);
    cbBookmarkPerFile = CheckBox(PanelOther, "cbBookmarkPerFile", tr("Add a bookmark for each file"));
    // The check boxes stand at their pitch; the note follows its check box
    // closely and keeps the same gap to the next one.
    const int gap = Room::checkPitch - cbOpenFile->sizeHint().height();
    auto *column = new QVBoxLayout(PanelOther);
    column->setContentsMargins(Room::checks);
    column->setSpacing(0);
    column->addWidget(cbOpenFile);
    column->addSpacing(gap);
    column->addWidget(cbKeepNavigation);
    column->addWidget(lblKeepNavigationNote);
    column->addSpacing(gap);
    column->addWidget(cbBookmarkPerFile);
    column->addStretch();
}

void TOptionsForm::CreatePanels()
{
    CreatePropertiesPanel();
    CreateOtherPanel();
}

void TOptionsForm::LoadValues(const TOutputOptions &values)
{
    TntComboBox1->setEditText(values.Title);
    TntComboBox2->setEditText(values.Subject);
    TntComboBox3->setEditText(values.Author);
    TntComboBox4->setEditText(values.Keywords);
    cbOpenFile->setChecked(values.OpenAfterMerge);
    cbKeepNavigation->setChecked(values.KeepNavigation);
    cbBookmarkPerFile->setChecked(values.BookmarkPerFile);
}

TOutputOptions TOptionsForm::Values() const
{
    TOutputOptions values;
    values.Title = TntComboBox1->currentText().trimmed();
    values.Subject = TntComboBox2->currentText().trimmed();
    values.Author = TntComboBox3->currentText().trimmed();
    values.Keywords = TntComboBox4->currentText().trimmed();
    values.OpenAfterMerge = cbOpenFile->isChecked();
    values.KeepNavigation = cbKeepNavigation->isChecked();
    values.BookmarkPerFile = cbBookmarkPerFile->isChecked();
    return values;
}

void TOptionsForm::SetTabOrder()
{
    QWidget *const order[] = {btnProperties, btnOther,  TntComboBox1,      TntComboBox2,  TntComboBox3, TntComboBox4,
                              cbOpenFile,    cbKeepNavigation, cbBookmarkPerFile, ssSkinButton1, ssSkinButton2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TOptionsForm::btnPropertiesClick()
{
    selectedTab = 0;
    ShowTab();
}

void TOptionsForm::btnOtherClick()
{
    selectedTab = 1;
    ShowTab();
}

void TOptionsForm::ShowTab()
{
    PanelProperties->setVisible(selectedTab == 0);
    PanelOther->setVisible(selectedTab == 1);
    const int propertiesImage = selectedTab == 0 ? 0 : 1;
    const int otherImage = selectedTab == 1 ? 0 : 1;
    btnProperties->SetSkin(SkinArtwork::ListImage(tabProperties, propertiesImage, 2),
                           SkinArtwork::SharpListImage(tabProperties, propertiesImage, 2));
    btnOther->SetSkin(SkinArtwork::ListImage(tabOther, otherImage, 2), SkinArtwork::SharpListImage(tabOther, otherImage, 2));
    btnProperties->SetCaptionLook(SkinArtwork::TabCaptionLook(selectedTab == 0));
    btnOther->SetCaptionLook(SkinArtwork::TabCaptionLook(selectedTab == 1));
    btnProperties->update();
    btnOther->update();
}

// Enter in a field is OK, as it is in the method dialog.
void TOptionsForm::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        done(mrOk);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TOptionsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
}

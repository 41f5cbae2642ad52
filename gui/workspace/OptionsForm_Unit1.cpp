#include "OptionsForm_Unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString rowStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans'; background: transparent;");
// A check box keeps the style's own box: a background in its style sheet would take it away.
const QString checkStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");
const QString captionStyle = QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';");
const QString tabProperties = QStringLiteral("tab_properties.png");
const QString tabOther = QStringLiteral("tab_other.png");
const QRect panelPlace(21, 76, 398, 198);

QPixmap PanelPicture()
{
    // The sharper picture, when there is one, paints as sharply as the screen allows.
    const QImage sharp = SkinArtwork::SharpPicture(QStringLiteral("options_panel.png"));
    return QPixmap::fromImage(sharp.isNull() ? SkinArtwork::Picture(QStringLiteral("options_panel.png")) : sharp);
}

} // namespace

TOptionsForm::TOptionsForm(QWidget *owner, const TOutputOptions &values)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("OptionsForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = SkinForm(this, QStringLiteral("options.png"));
    lblCaption = Label(this, "lblCaption", tr("Options"), QPoint(16, 10), captionStyle);

    btnClose = AddButton("btnClose", QStringLiteral("btn_close.png"), QPoint(width() - 38, 7), mrCancel);
    btnClose->setFocusPolicy(Qt::NoFocus);
    btnClose->setAccessibleName(tr("Close"));
    btnProperties = AddButton("btnProperties", tabProperties, QPoint(20, 50), mrNone, tr("Properties"));
    btnOther = AddButton("btnOther", tabOther, QPoint(206, 50), mrNone, tr("Other"));
    for (TssSkinButton *tab : { btnProperties, btnOther })
        tab->SetMask(false);
    CreatePanels();
    ssSkinButton1 = AddButton("ssSkinButton1", QStringLiteral("dlg_ok.png"), QPoint(232, 294), mrOk, tr("OK"));
    ssSkinButton2 = AddButton("ssSkinButton2", QStringLiteral("dlg_cancel.png"), QPoint(330, 294), mrCancel, tr("Cancel"));

    connect(btnProperties, &TssCustomButton::OnClick, this, &TOptionsForm::btnPropertiesClick);
    connect(btnOther, &TssCustomButton::OnClick, this, &TOptionsForm::btnOtherClick);

    // The two panels share one place; the selected tab decides which shows.
    PanelOther->setGeometry(PanelProperties->geometry());
    LoadValues(values);
    SetTabOrder();
    TntComboBox1->setFocus();
    selectedTab = 0;
    ShowTab();
}

TssSkinButton *TOptionsForm::AddButton(const char *name, const QString &strip, QPoint place, int modalResult,
                                       const QString &caption)
{
    bool tab = strip.startsWith(QLatin1String("tab_"));
    TssSkinButton *button = SkinButton(this, name, strip, place, tab ? 1 : 4, caption);
    if (tab) // a tab face is one image of its list
        button->SetSkin(SkinArtwork::ListImage(strip, 0, 2), SkinArtwork::SharpListImage(strip, 0, 2));
    button->SetModalResult(modalResult);
    return button;
}

QWidget *TOptionsForm::PanelWithBackground(const char *name, const char *imageName, QLabel *&image)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(panelPlace);
    image = new QLabel(panel);
    image->setObjectName(QLatin1String(imageName));
    image->setPixmap(PanelPicture());
    image->setGeometry(0, 0, panelPlace.width(), panelPlace.height());
    return panel;
}

QCheckBox *TOptionsForm::CheckBox(QWidget *panel, const char *name, const QString &caption, int top)
{
    auto *box = new QCheckBox(caption, panel);
    box->setObjectName(QLatin1String(name));
    box->setStyleSheet(checkStyle);
    box->move(19, top);
    box->adjustSize();
    return box;
}

void TOptionsForm::CreatePanels()
{
    PanelProperties = PanelWithBackground("PanelProperties", "TntImage1", TntImage1);
    QLabel **labels[] = { &lblTitle, &lblSubject, &lblAuthor, &lblKeywords };
    QComboBox **fields[] = { &TntComboBox1, &TntComboBox2, &TntComboBox3, &TntComboBox4 };
    const char *names[] = { "lblTitle", "lblSubject", "lblAuthor", "lblKeywords" };
    const QString captions[] = { tr("Title:"), tr("Subject:"), tr("Author:"), tr("Keywords:") };
    // What a screen reader says for each field: its label without the colon.
    const QString spoken[] = { tr("Title"), tr("Subject"), tr("Author"), tr("Keywords") };
    for (int row = 0; row < 4; ++row) {
        int top = 20 + 40 * row;
        QLabel *label = new QLabel(captions[row], PanelProperties);
        label->setObjectName(QLatin1String(names[row]));
        label->setStyleSheet(rowStyle);
        label->move(19, top + 4);
        label->adjustSize();
        *labels[row] = label;
        auto *field = new QComboBox(PanelProperties);
        field->setObjectName(QStringLiteral("TntComboBox%1").arg(row + 1));
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setGeometry(109, top, 270, 24);
        field->setAccessibleName(spoken[row]);
        label->setBuddy(field);
        *fields[row] = field;
    }

    PanelOther = PanelWithBackground("PanelOther", "TntImage2", TntImage2);
    cbOpenFile = CheckBox(PanelOther, "cbOpenFile", tr("Open the file after merging successfully"), 24);
    cbKeepNavigation = CheckBox(PanelOther, "cbKeepNavigation", tr("Keep bookmarks, links and form fields"), 56);
    cbBookmarkPerFile = CheckBox(PanelOther, "cbBookmarkPerFile", tr("Add a bookmark for each file"), 88);
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

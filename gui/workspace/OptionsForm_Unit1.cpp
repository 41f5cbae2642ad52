#include "OptionsForm_Unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

const QString rowStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans'; background: transparent;");
const QString tabProperties = QStringLiteral("tab_properties.png");
const QString tabOther = QStringLiteral("tab_other.png");
const QRect panelPlace(21, 76, 398, 198);

} // namespace

TOptionsForm::TOptionsForm(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("OptionsForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = new TssSkinForm(this);
    ssSkinForm1->setObjectName(QStringLiteral("ssSkinForm1"));
    ssSkinForm1->SetPicture(SkinArtwork::Picture(QStringLiteral("options.png")));

    btnClose = AddButton("btnClose", QStringLiteral("btn_close.png"), QPoint(width() - 38, 7), mrCancel);
    btnProperties = AddButton("btnProperties", tabProperties, QPoint(20, 50), mrNone);
    btnOther = AddButton("btnOther", tabOther, QPoint(206, 50), mrNone);
    for (TssSkinButton *tab : { btnProperties, btnOther })
        tab->SetMask(false);
    CreatePanels();
    ssSkinButton1 = AddButton("ssSkinButton1", QStringLiteral("dlg_ok.png"), QPoint(232, 294), mrNone); // carries no action
    ssSkinButton2 = AddButton("ssSkinButton2", QStringLiteral("dlg_cancel.png"), QPoint(330, 294), mrCancel);

    connect(btnProperties, &TssCustomButton::OnClick, this, &TOptionsForm::btnPropertiesClick);
    connect(btnOther, &TssCustomButton::OnClick, this, &TOptionsForm::btnOtherClick);

    // The two panels share one place; the selected tab decides which shows.
    PanelOther->setGeometry(PanelProperties->geometry());
    selectedTab = 0;
    ShowTab();
}

TssSkinButton *TOptionsForm::AddButton(const char *name, const QString &strip, QPoint place, int modalResult)
{
    bool tab = strip.startsWith(QLatin1String("tab_"));
    TssSkinButton *button = SkinButton(this, name, strip, place, tab ? 1 : 4);
    if (tab) // a tab face is one image of its list
        button->SetSkin(SkinArtwork::ListImage(strip, 0, 2));
    button->SetModalResult(modalResult);
    return button;
}

void TOptionsForm::CreatePanels()
{
    PanelProperties = new QWidget(this);
    PanelProperties->setObjectName(QStringLiteral("PanelProperties"));
    PanelProperties->setGeometry(panelPlace);
    TntImage1 = new QLabel(PanelProperties);
    TntImage1->setObjectName(QStringLiteral("TntImage1"));
    TntImage1->setPixmap(QPixmap::fromImage(SkinArtwork::Picture(QStringLiteral("options_panel.png"))));
    TntImage1->setGeometry(0, 0, panelPlace.width(), panelPlace.height());

    QLabel **labels[] = { &lblTitle, &lblSubject, &lblAuthor, &lblKeywords };
    QComboBox **fields[] = { &TntComboBox1, &TntComboBox2, &TntComboBox3, &TntComboBox4 };
    const char *names[] = { "lblTitle", "lblSubject", "lblAuthor", "lblKeywords" };
    const char *captions[] = { "Title:", "Subject:", "Author:", "Keywords:" };
    for (int row = 0; row < 4; ++row) {
        int top = 20 + 40 * row;
        QLabel *label = new QLabel(QLatin1String(captions[row]), PanelProperties);
        label->setObjectName(QLatin1String(names[row]));
        label->setStyleSheet(rowStyle);
        label->move(19, top + 4);
        *labels[row] = label;
        auto *field = new QComboBox(PanelProperties);
        field->setObjectName(QStringLiteral("TntComboBox%1").arg(row + 1));
        field->setEditable(true);
        field->setGeometry(109, top, 270, 24);
        *fields[row] = field;
    }

    PanelOther = new QWidget(this);
    PanelOther->setObjectName(QStringLiteral("PanelOther"));
    PanelOther->setGeometry(panelPlace);
    TntImage2 = new QLabel(PanelOther);
    TntImage2->setObjectName(QStringLiteral("TntImage2"));
    TntImage2->setPixmap(QPixmap::fromImage(SkinArtwork::Picture(QStringLiteral("options_panel.png"))));
    TntImage2->setGeometry(0, 0, panelPlace.width(), panelPlace.height());
    cbOpenFile = new QCheckBox(QStringLiteral("Open the file after merging successfully"), PanelOther);
    cbOpenFile->setObjectName(QStringLiteral("cbOpenFile"));
    cbOpenFile->setStyleSheet(rowStyle);
    cbOpenFile->move(19, 24);
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
    btnProperties->SetSkin(SkinArtwork::ListImage(tabProperties, selectedTab == 0 ? 0 : 1, 2));
    btnOther->SetSkin(SkinArtwork::ListImage(tabOther, selectedTab == 1 ? 0 : 1, 2));
    btnProperties->update();
    btnOther->update();
}

void TOptionsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

#include "Aboutform_unit1.h"

#include "FormParts.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "SSForm.h"
#include "ShellOpen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

const QString plainStyle = QStringLiteral("color: white; font: 11px 'DejaVu Sans'; background: transparent;");
const QString boldStyle = QStringLiteral("color: white; font: bold 12px 'DejaVu Sans'; background: transparent;");
const QString headingStyle = QStringLiteral("color: white; font: bold 13px 'DejaVu Sans'; background: transparent;");
const QString linkStyle = plainStyle + QStringLiteral("text-decoration: underline;");
const QString productStyle = QStringLiteral("color: white; font: bold 24px 'DejaVu Sans'; background: transparent;");
const QString taglineStyle = QStringLiteral("color: #C9D3E0; font: 13px 'DejaVu Sans'; background: transparent;");

// Where about.png leaves room: the heading in the title band, the product
// block right of the logo, the links along the bottom, OK at the right.
namespace Room {
const QMargins inside(15, 8, 0, 0);
const int logoColumn = 97;       // the product block starts this far right of the links
const int productColumn = 218;   // from the product block to OK
const int okColumn = 68;
const int rightEdge = 25;
const int headingRow = 60;       // rows from one top to the next
const int productRow = 34;
const int taglineRow = 40;
const int versionRow = 42;
const int linkRow = 16;
const int valueGap = 5;          // between a caption and its value
const int taglineWidth = 295;
const int textIndent = 1;        // the tagline and version start this far right of the name
// Where the picture grows for longer captions: a column right of the logo,
// a row between the product block and the line over the links.
const QPoint growLine(250, 150);
} // namespace Room

// A value right after its caption, however long the caption is in the
// user's language.
QHBoxLayout *CaptionAndValue(QLabel *caption, QLabel *value, int indent = 0)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(indent, 0, 0, 0);
    row->setSpacing(Room::valueGap);
    row->addWidget(caption);
    row->addWidget(value);
    row->addStretch();
    return row;
}

} // namespace

TAboutForm::TAboutForm(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutForm"));
    MuiContext *context = CurrentMuiContext();
    setWindowTitle(context ? context->ProductTitle : QString());

    ssSkinForm1 = SkinForm(this, QStringLiteral("about.png"));
    ssSkinForm1->SetGrowLine(Room::growLine);

    TntLabel4 = AddLabel("TntLabel4", tr("About"), headingStyle);
    lblProduct = AddLabel("lblProduct", context ? context->ProductTitle : QString(), productStyle);
    lblTagline = AddLabel("lblTagline", tr("Join PDF files into one, page by page."), taglineStyle);
    lblTagline->setWordWrap(true); // two lines in a language that needs them
    lblTagline->setFixedWidth(Room::taglineWidth);
    TntLabel1 = AddLabel("TntLabel1", tr("Support:"), plainStyle);
    lblSupport = AddLinkLabel("lblSupport");
    TntLabel2 = AddLabel("TntLabel2", tr("Home Page:"), plainStyle);
    lblHome = AddLinkLabel("lblHome");
    lblCopyright = AddLabel("lblCopyright", QString(), plainStyle);
    // The version sits under the product's name, clear of the long support link.
    TntLabel3 = AddLabel("TntLabel3", tr("Version:"), boldStyle);
    lblVersion = AddLabel("lblVersion", QString(), boldStyle);

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", QStringLiteral("about_ok.png"), 3, tr("OK"));
    ssSkinButton1->SetModalResult(mrOk);
    ssSkinButton1->setFocus();
    for (QLabel *link : { lblSupport, lblHome })
        link->setFocusPolicy(Qt::TabFocus);

    if (context) {
        lblVersion->setText(context->Version);
        lblSupport->setText(context->SupportLink);
        lblHome->setText(context->HomePageLink);
        lblCopyright->setText(context->NoticeText);
    }
    LayOut();
}

// Every row starts at its pitch below the one before; the tagline and the
// support link may reach under OK's column, the home page link may not.
void TAboutForm::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Room::inside);
    grid->setSpacing(0);
    const int columns[] = {Room::logoColumn, Room::productColumn, Room::okColumn, Room::rightEdge};
    for (int column = 0; column < 4; ++column)
        grid->setColumnMinimumWidth(column, columns[column]);
    const int rows[] = {Room::headingRow, Room::productRow, Room::taglineRow, Room::versionRow, Room::linkRow, Room::linkRow};
    for (int row = 0; row < 6; ++row)
        grid->setRowMinimumHeight(row, rows[row]);
    grid->setRowStretch(7, 1);
    const Qt::Alignment topLeft = Qt::AlignTop | Qt::AlignLeft;
    grid->addWidget(TntLabel4, 0, 0, 1, 4, topLeft);
    grid->addWidget(lblProduct, 1, 1, 1, 3, topLeft);
    auto *tagline = new QHBoxLayout;
    tagline->setContentsMargins(Room::textIndent, 0, 0, 0);
    tagline->addWidget(lblTagline, 0, topLeft);
    grid->addLayout(tagline, 2, 1, 1, 3, topLeft);
    grid->addLayout(CaptionAndValue(TntLabel3, lblVersion, Room::textIndent), 3, 1, 1, 3, topLeft);
    grid->addLayout(CaptionAndValue(TntLabel1, lblSupport), 4, 0, 1, 4, topLeft);
    grid->addLayout(CaptionAndValue(TntLabel2, lblHome), 5, 0, 1, 2, topLeft);
    grid->addWidget(lblCopyright, 6, 0, 1, 4, topLeft);
    grid->addWidget(ssSkinButton1, 5, 2, 2, 1, topLeft);
}

QLabel *TAboutForm::AddLabel(const char *name, const QString &text, const QString &style)
{
    return Label(this, name, text, style);
}

QLabel *TAboutForm::AddLinkLabel(const char *name)
{
    QLabel *link = AddLabel(name, QString(), linkStyle);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    return link;
}

// A click on a link, or Enter or Space on a link that has the focus.
bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != lblSupport && watched != lblHome)
        return QDialog::eventFilter(watched, event);
    bool follow = event->type() == QEvent::MouseButtonRelease
                  && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        follow = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    if (follow) {
        LinkLabelClick(static_cast<QLabel *>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::LinkLabelClick(QLabel *link)
{
    ShellOpen(link->text());
}

void TAboutForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
}
